#include "photographer/shoot/bandeau_prise.h"

#include "common/ui/layout.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

constexpr unsigned kFond = 0xF8F8F8;
constexpr unsigned kBordeaux = 0x000080;

} // namespace

BandeauPrise::BandeauPrise(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrameHaut"));
    layout::setBackground(this, kFond);

    auto* PictureBarre = new QLabel(this);
    PictureBarre->setObjectName(QStringLiteral("PictureBarre"));
    PictureBarre->setStyleSheet(QStringLiteral(
        "background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #800000, stop:1 #f8f8f8);"));
    layout::place(PictureBarre, 0, 0, 16215, 420);
    ProgressBar1_ = new QProgressBar(PictureBarre);
    ProgressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1_->setRange(0, 10);
    ProgressBar1_->setTextVisible(false);
    layout::place(ProgressBar1_, 9720, 60, 3480, 300);
    ProgressBar1_->hide();

    construireCommandes();
    construireEtablissement();
}

void BandeauPrise::construireCommandes()
{
    const std::array<const char*, 2> startTextes{"Start", "Stop"};
    const std::array<const char*, 2> mainTextes{"Main droite en Bas", "Main droite en Haut"};
    for (int i = 0; i < 2; ++i) {
        Bt_Start_[i] = new QPushButton(QString::fromLatin1(startTextes[i]), this);
        Bt_Start_[i]->setObjectName(QStringLiteral("Bt_Start_%1").arg(i));
        Bt_Start_[i]->setFont(layout::font(QStringLiteral("Verdana"), 9.75, true));
        layout::place(Bt_Start_[i], 9720, 360, 855, 615);
        Bt_Start_[i]->hide();
        Bt_Start_[i]->setEnabled(false);
        connect(Bt_Start_[i], &QPushButton::clicked, this, [this, i] { Q_EMIT Bt_Start_Click(i); });

        OptionMain_[i] = new QRadioButton(QString::fromUtf8(mainTextes[i]), this);
        OptionMain_[i]->setObjectName(QStringLiteral("OptionMain_%1").arg(i));
        OptionMain_[i]->setFont(layout::font(QStringLiteral("Verdana"), 9.75, true));
        layout::place(OptionMain_[i], 10680, 420 + i * 270, 2535, 255);
        OptionMain_[i]->hide();
        connect(OptionMain_[i], &QRadioButton::clicked, this, [this, i] { Q_EMIT OptionMain_Click(i); });
    }
}

void BandeauPrise::construireEtablissement()
{
    QLabel* LabelEtab = layout::caption(this, QStringLiteral("LabelEtab"), QStringLiteral("Etablissement :"));
    LabelEtab->setFont(layout::font(QStringLiteral("Verdana"), 12, true));
    LabelEtab->move(0, layout::px(480));
    LabelEtab->adjustSize();
    LabelNom_ = layout::caption(this, QStringLiteral("LabelNom"), {});
    LabelCP_ = layout::caption(this, QStringLiteral("LabelCP"), {});
    // The caption keeps its room whatever the font the system gives for Verdana.
    const int gauche = std::max(layout::px(2160), LabelEtab->geometry().right() + 8);
    for (QLabel* label : {LabelNom_, LabelCP_})
        layout::setTextColour(label, kBordeaux);
    LabelNom_->move(gauche, layout::px(480));
    LabelCP_->move(gauche, layout::px(750));
    LabelImpotrMan_ = layout::caption(this, QStringLiteral("LabelImpotrMan"), QStringLiteral("Importation manuelle"));
    layout::setTextColour(LabelImpotrMan_, 0x0000C0);
    layout::place(LabelImpotrMan_, 6840, 600, 2850, 270);
    LabelImpotrMan_->hide();
}

void BandeauPrise::afficherEtablissement(const QString& nom, const QString& codePostal)
{
    LabelNom_->setText(nom);
    LabelCP_->setText(codePostal);
    LabelNom_->adjustSize();
    LabelCP_->adjustSize();
}

void BandeauPrise::avancement(int valeur, bool visible)
{
    ProgressBar1_->setValue(valeur);
    ProgressBar1_->setVisible(visible);
}

void BandeauPrise::montrerImportManuel(bool visible)
{
    LabelImpotrMan_->setVisible(visible);
}

void BandeauPrise::montrerSens(bool visible)
{
    for (QRadioButton* option : OptionMain_)
        option->setVisible(visible);
}

void BandeauPrise::activerSens(bool actif)
{
    for (QRadioButton* option : OptionMain_)
        option->setEnabled(actif);
}

void BandeauPrise::decocherSens()
{
    for (QRadioButton* option : OptionMain_) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}
