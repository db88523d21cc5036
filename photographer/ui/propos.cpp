#include "photographer/ui/propos.h"

#include "common/ui/clickable_label.h"
#include "common/ui/layout.h"
#include "common/shell.h"
#include "photographer/data/etat.h"

#include <QLabel>
#include <QPushButton>

namespace {

const char* const kMentionLegale[] = {
    "Ce logiciel est protégé par le droit d'auteur et les traités internationaux.",
    "Toute reproduction, diffusion ou modification, totale ou partielle,",
    "sans l'autorisation écrite de son éditeur est interdite",
    "et constitue une contrefaçon passible de poursuites.",
    "Son utilisation est réservée au titulaire de la licence.",
};

// Every line of the box stands at the same left and width.
QLabel* ligne(QWidget* page, const QString& nom, const QString& texte, int haut)
{
    QLabel* label = layout::caption(page, nom, texte);
    layout::place(label, 240, haut, 6600, 285);
    return label;
}

} // namespace

Propos::Propos() : Form(QStringLiteral("Propos"))
{
    setWindowTitle(QStringLiteral("A propos de ..."));
    auto* page = new QWidget(this);
    setCentralWidget(page);

    QLabel* titre = ligne(page, QStringLiteral("Label1"), QStringLiteral("Module Zelvantis- Version Photographe"), 240);
    QFont gras = titre->font();
    gras.setBold(true);
    titre->setFont(gras);
    LabelVersion_ = ligne(page, QStringLiteral("LabelVersion"), {}, 600);
    LabelCopyright_ = ligne(page, QStringLiteral("LabelCopyright"), {}, 900);

    auto* web = new ClickableLabel(page);
    web->setObjectName(QStringLiteral("Labelweb"));
    web->setText(QString::fromLatin1(shell::kMakerSite));
    QFont souligne = web->font();
    souligne.setUnderline(true);
    web->setFont(souligne);
    web->setStyleSheet(QStringLiteral("color: #0000ff;"));
    connect(web, &ClickableLabel::clicked, this, &Propos::Labelweb_Click);
    layout::place(web, 240, 1200, 6600, 285);

    int haut = 1680;
    int numero = 2;
    for (const char* texte : kMentionLegale) {
        ligne(page, QStringLiteral("Label%1").arg(numero++), QString::fromUtf8(texte), haut);
        haut += 270;
    }

    auto* ok = new QPushButton(QStringLiteral("Ok"), page);
    ok->setObjectName(QStringLiteral("Bt_Ok"));
    layout::place(ok, 5640, 3240, 1095, 375);
    connect(ok, &QPushButton::clicked, this, &Propos::Bt_Ok_Click);

    setFixedSize(layout::px(7080), layout::px(3840));
}

void Propos::onLoad()
{
    MettreAuPremierPlan(this);
}

void Propos::onActivate()
{
    LabelVersion_->setText(etat::VersionLogiciel);
    LabelCopyright_->setText(etat::MentionCopyright);
}

void Propos::Labelweb_Click()
{
    shell::openOrReport(QString::fromLatin1(shell::kMakerSite));
}

void Propos::Bt_Ok_Click()
{
    unload();
}
