#include "school/workspace/a_propos.h"

#include "common/ui/clickable_label.h"
#include "common/ui/layout.h"
#include "common/shell.h"
#include "school/data/etat.h"
#include "school/ui/outils_fenetre.h"

#include <QLabel>
#include <QPushButton>

APropos::APropos() : Form(QStringLiteral("APropos"))
{
    setWindowTitle(QStringLiteral("A propos de..."));
    auto* fond = new QWidget(this);
    layout::setBackground(fond, 0xF8F8F8);
    setCentralWidget(fond);
    setFixedSize(layout::px(5865), layout::px(3705));

    auto* image = new QLabel(fond);
    image->setObjectName(QStringLiteral("Picture1"));
    layout::place(image, 0, 720, 1215, 1215);
    image->setPixmap(dessins::logo(layout::px(1215)));

    auto* titre =
        layout::caption(fond, QStringLiteral("Label1"), QStringLiteral("Vizmora - Version établissement scolaire"));
    layout::place(titre, 240, 0, 4350, 210);
    titre->setFont(layout::font(QStringLiteral("Verdana"), 8.25, true));

    labelCopyright_ = layout::caption(fond, QStringLiteral("LabelCopyright"), {});
    layout::place(labelCopyright_, 240, 360, 4500, 210);
    labelVersion_ = layout::caption(fond, QStringLiteral("LabelVersion"), QStringLiteral("Label1"));
    layout::place(labelVersion_, 4320, 360, 1230, 210);
    labelVersion_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    labelVersion_->setFont(layout::font(QStringLiteral("Verdana"), 7));
    labelVersion_->setStyleSheet(QStringLiteral("color: #404040;"));

    const char* const avertissement[] = {
        "Avertissement : ce logiciel est protégé par la loi relative au droit d'auteur",
        "et par les conventions internationales. Toute reproduction ou distribution",
        "partielle ou totale du logiciel, par quelque moyen que ce soit, est",
        "strictement interdite et exposerait son auteur à des poursuites.",
        "Tous droits réservés."};
    const int hauts[] = {2040, 2205, 2355, 2520, 2685};
    const int larges[] = {5325, 5280, 5310, 5340, 2100};
    for (int i = 0; i < 5; ++i) {
        QLabel* ligne =
            layout::caption(fond, QStringLiteral("Label%1").arg(i + 2), QString::fromUtf8(avertissement[i]));
        layout::place(ligne, 0, hauts[i], larges[i], 180);
        ligne->setFont(layout::font(QStringLiteral("Arial"), 6.5));
        ligne->setStyleSheet(QStringLiteral("color: #404040;"));
    }

    auto* site = new ClickableLabel(fond);
    site->setText(adresseSite());
    site->setObjectName(QStringLiteral("Label10"));
    layout::place(site, 120, 3120, 2895, 255);
    site->setStyleSheet(QStringLiteral("color: blue;"));
    connect(site, &ClickableLabel::clicked, this, [] { shell::openOrReport(adresseSite()); });

    auto* ok = new QPushButton(QStringLiteral("Ok"), fond);
    ok->setObjectName(QStringLiteral("Bt_Ok"));
    layout::place(ok, 4320, 3120, 1335, 375);
    connect(ok, &QPushButton::clicked, this, &APropos::unload);
}

QString APropos::adresseSite()
{
    return QString::fromLatin1(shell::kMakerSite);
}

void APropos::onLoad()
{
    layout::centreOnScreen(*this);
}

void APropos::onActivate()
{
    layout::centreOnScreen(*this);
    labelVersion_->setText(etat::VersionLogiciel);
    labelCopyright_->setText(etat::MentionCopyright);
    labelCopyright_->adjustSize();
}
