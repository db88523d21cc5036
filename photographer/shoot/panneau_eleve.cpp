#include "photographer/shoot/panneau_eleve.h"

#include "common/dialogs.h"
#include "common/paths.h"
#include "common/text.h"
#include "common/ui/key_filter.h"
#include "common/ui/layout.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <tuple>

namespace {

constexpr unsigned kFond = 0xF8F8F8;
constexpr const char* kLettresNom = "abcçdeéèêfghijklmnoôpqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890- ";

QLineEdit* saisieNom(const QString& nom, QWidget* parent)
{
    auto* texte = new QLineEdit(parent);
    texte->setObjectName(nom);
    // Names become file names: only these characters are let in, pasted text included.
    static const QRegularExpression lettres(
        QStringLiteral("[%1]*").arg(QRegularExpression::escape(QString::fromUtf8(kLettresNom))));
    texte->setValidator(new QRegularExpressionValidator(lettres, texte));
    return texte;
}

} // namespace

PanneauEleve::PanneauEleve(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrameCtDroit"));
    layout::setBackground(this, kFond);

    Frame1_ = new QGroupBox(QStringLiteral("Ajout élève :"), this);
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    layout::place(Frame1_, 120, 240, 2175, 1695);
    Frame2_ = new QGroupBox(QStringLiteral("Changer de classe :"), this);
    Frame2_->setObjectName(QStringLiteral("Frame2"));
    layout::place(Frame2_, 120, 2880, 2175, 1815);
    for (QGroupBox* frame : {Frame1_, Frame2_}) {
        frame->setStyleSheet(QStringLiteral("QGroupBox { color: #ff8000; }"));
        frame->hide();
    }
    construireAjout();
    construireChangement();
    construireBoutons();
}

void PanneauEleve::construireAjout()
{
    Label1_[0] = layout::caption(Frame1_, QStringLiteral("Label1_0"), QStringLiteral("NOM :"));
    Label1_[1] = layout::caption(Frame1_, QStringLiteral("Label1_1"), QStringLiteral("Prénom :"));
    TextNom_ = saisieNom(QStringLiteral("TextNom"), Frame1_);
    TextPrenom_ = saisieNom(QStringLiteral("TextPrenom"), Frame1_);
    layout::place(Label1_[0], 120, 300, 1935, 240);
    layout::place(TextNom_, 120, 540, 1935, 330);
    layout::place(Label1_[1], 120, 930, 1935, 240);
    layout::place(TextPrenom_, 120, 1170, 1935, 330);
    for (QWidget* w : std::initializer_list<QWidget*>{Label1_[0], Label1_[1], TextNom_, TextPrenom_})
        w->hide();
}

void PanneauEleve::construireChangement()
{
    Label1_[2] = layout::caption(Frame2_, QStringLiteral("Label1_2"), {});
    layout::place(layout::caption(Frame2_, QStringLiteral("LabelEleve"), QStringLiteral("Elève :")), 120, 300, 1935, 240);
    layout::place(Label1_[2], 120, 540, 1935, 240);
    layout::place(layout::caption(Frame2_, QStringLiteral("LabelVers"), QStringLiteral("vers la classe:")), 120, 930, 1935, 240);
    Combo1_ = new QComboBox(Frame2_);
    Combo1_->setObjectName(QStringLiteral("Combo1"));
    refuseTyping(Combo1_);
    layout::place(Combo1_, 120, 1170, 1935, 330);
    connect(Combo1_, &QComboBox::activated, this, [this] { Bt_Ajout_[4]->setEnabled(true); });
}

void PanneauEleve::construireBoutons()
{
    const std::array<const char*, 5> textes{"Ajouter", "Valider", "Annuler", "Annuler", "Valider"};
    const std::array<int, 5> hauts{1920, 1920, 2400, 5280, 4800};
    for (int i = 0; i < 5; ++i) {
        Bt_Ajout_[i] = new QPushButton(QString::fromLatin1(textes[i]), this);
        Bt_Ajout_[i]->setObjectName(QStringLiteral("Bt_Ajout_%1").arg(i));
        layout::place(Bt_Ajout_[i], 240, hauts[i], 1935, 375);
        Bt_Ajout_[i]->hide();
        connect(Bt_Ajout_[i], &QPushButton::clicked, this, [this, i] { Bt_Ajout_Click(i); });
    }
    Bt_Ajout_[4]->setEnabled(false);

    auto* Bt_Quitter = new QPushButton(QStringLiteral("Fermer"), this);
    Bt_Quitter->setObjectName(QStringLiteral("Bt_Quitter_2"));
    layout::place(Bt_Quitter, 960, 8040, 1215, 375);
    connect(Bt_Quitter, &QPushButton::clicked, this, &PanneauEleve::fermer);
}

void PanneauEleve::Bt_Ajout_Click(int index)
{
    switch (index) {
    case 0:
        Q_EMIT ajoutDemande();
        break;
    case 1:
        validerAjout();
        break;
    case 2:
        Q_EMIT ajoutAnnule();
        break;
    case 3:
        fermerChangement();
        break;
    case 4:
        validerChangement();
        break;
    default:
        break;
    }
}

void PanneauEleve::validerAjout()
{
    const QString nom = text::composed(TextNom_->text().trimmed());
    const QString prenom = text::composed(TextPrenom_->text().trimmed());
    if (nom.isEmpty()) {
        dialogs::message(QStringLiteral("veuillez saisir un Nom..."), dialogs::Icon::Critical);
        TextNom_->setFocus();
    }
    if (prenom.isEmpty()) {
        dialogs::message(QStringLiteral("veuillez saisir un Prénom..."), dialogs::Icon::Critical);
        TextPrenom_->setFocus();
    }
    if (nom.isEmpty() || prenom.isEmpty())
        return;
    // The names name picture files: the rule for names in files holds here,
    // whatever characters the entry boxes let through.
    for (const auto& [valeur, champ, saisie] : {std::tuple{nom, QStringLiteral("Le nom de l'élève"), TextNom_},
                                                std::tuple{prenom, QStringLiteral("Le prénom de l'élève"), TextPrenom_}}) {
        if (const QString refus = paths::controlRefusal(valeur, champ); !refus.isEmpty()) {
            dialogs::message(refus, dialogs::Icon::Critical);
            saisie->setFocus();
            return;
        }
    }
    Q_EMIT ajoutValide(nom, prenom);
}

void PanneauEleve::validerChangement()
{
    const QString classe = Combo1_->currentText();
    if (Combo1_->currentIndex() < 0 || classe.isEmpty()) {
        dialogs::message(QStringLiteral("Vous devez choisir une classe de destination avec la liste déroulante"));
        return;
    }
    Q_EMIT changementValide(cleADeplacer_, classe);
}

void PanneauEleve::montrerClasse(bool visible)
{
    Frame1_->setVisible(visible);
    Bt_Ajout_[0]->setVisible(visible);
}

void PanneauEleve::montrerSaisie(bool visible)
{
    Bt_Ajout_[0]->setVisible(!visible);
    for (QWidget* w : std::initializer_list<QWidget*>{Bt_Ajout_[1], Bt_Ajout_[2], TextNom_, TextPrenom_, Label1_[0],
                                                      Label1_[1]})
        w->setVisible(visible);
}

void PanneauEleve::ouvrirAjout()
{
    Frame1_->setEnabled(true);
    montrerSaisie(true);
    TextNom_->setFocus();
}

void PanneauEleve::fermerAjout()
{
    Frame1_->setEnabled(false);
    montrerSaisie(false);
    TextNom_->clear();
    TextPrenom_->clear();
}

void PanneauEleve::ouvrirChangement(const roster::Eleve& eleve, const QStringList& classes)
{
    cleADeplacer_ = eleve.cle;
    Bt_Ajout_[0]->setEnabled(false);
    Frame1_->setEnabled(false);
    Frame2_->show();
    Label1_[2]->setText(eleve.nom + u' ' + eleve.prenom);
    Bt_Ajout_[3]->show();
    Bt_Ajout_[4]->show();
    Bt_Ajout_[4]->setEnabled(false);
    Combo1_->clear();
    Combo1_->addItems(classes);
    Combo1_->setCurrentIndex(-1);
}

void PanneauEleve::fermerChangement()
{
    Frame2_->hide();
    Bt_Ajout_[3]->hide();
    Bt_Ajout_[4]->hide();
    Bt_Ajout_[0]->setEnabled(true);
}
