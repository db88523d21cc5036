#include "photographer/workspace/param_photographe.h"

#include "common/dialogs.h"
#include "common/ui/key_filter.h"
#include "common/ui/layout.h"
#include "common/ui/menus.h"
#include "common/report.h"
#include "photographer/data/base.h"
#include "photographer/ui/propos.h"
#include "photographer/ui/saisie_legendee.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>

namespace {

const QString kLettres = QStringLiteral("abcçdeéèêfghijklmnoôpqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890- ");
const QString kLettresSansCedille =
    QStringLiteral("abcdeéèêfghijklmnoôpqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890- ");
const QString kChiffres = QStringLiteral("1234567890");
const QString kTelephone = QStringLiteral("1234567890. ");
const QString kMail = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890.@-_");
const QString kWeb = QStringLiteral("abcçdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890//._- ");

struct Rubrique {
    const char* colonne;
    const char* saisie;
    const char* affichage;
    const char* legende;
    const QString* permis;
    bool montree = true;
};

const Rubrique kRubriques[] = {
    {"NomP", "TextNomEntre", "LabelNom", "Nom de l'entreprise Photo :", &kLettres},
    {"Adresse1P", "TextAd1", "LabelAd1", "Adresse :", &kLettresSansCedille},
    {"Adresse2P", "TextAd2", "LabelAd2", "", &kLettres},
    // The third address line is kept in the record but never shown.
    {"Adresse3P", "TextAd3", "LabelAd3", "", &kLettres, false},
    {"CPP", "TextCP", "LabelCP", "CP :", &kChiffres},
    {"VilleP", "TextVille", "LabelVille", "Ville :", &kLettres},
    {"TelP", "TextTel", "LabelTel", "Tél. :", &kTelephone},
    {"FaxP", "TextFax", "LabelFax", "Fax :", &kTelephone},
    {"Mail", "TextMail", "LabelMail", "Mail :", &kMail},
    {"Web", "TextWeb", "LabelWeb", "Site Internet :", &kWeb},
};

constexpr ColonnesSaisie kColonnes{2640, 3000};

const QString kNomManquant = QStringLiteral("Veuillez insérer le Nom de votre entreprise");

enum Bouton { Ok = 0, Valider = 1, Modifier = 2 };

} // namespace

ParamPhotographe::ParamPhotographe() : Form(QStringLiteral("ParamPhotographe"))
{
    setWindowTitle(QStringLiteral("Paramètres Photographe"));
    auto* page = new QWidget(this);
    setCentralWidget(page);

    int haut = 240;
    for (const Rubrique& rubrique : kRubriques) {
        QLineEdit* saisie = saisieLegendee(page, kColonnes, haut, QString::fromLatin1(rubrique.saisie),
                                           QString::fromUtf8(rubrique.legende));
        saisie->hide();
        filterKeys(saisie, *rubrique.permis);
        QLabel* affichage = layout::caption(page, QString::fromLatin1(rubrique.affichage), {});
        layout::place(affichage, kColonnes.gaucheSaisie, haut + 30, 4200, 285);
        affichage->hide();
        champs_.push_back({QString::fromLatin1(rubrique.colonne), saisie, affichage, rubrique.montree});
        if (rubrique.montree)
            haut += 420;
    }
    TextNomEntre_ = champs_.front().saisie; // the company's name comes first

    const char* const legendes[] = {"Ok", "Valider", "Modifier"};
    for (int i = 0; i < 3; ++i) {
        Bt_Photo_[i] = new QPushButton(QString::fromLatin1(legendes[i]), page);
        Bt_Photo_[i]->setObjectName(QStringLiteral("Bt_Photo_%1").arg(i));
        layout::place(Bt_Photo_[i], 6105 - (i == Modifier ? 1215 : 0), haut + 120, 1095, 375);
        Bt_Photo_[i]->hide();
        connect(Bt_Photo_[i], &QPushButton::clicked, this, [this, i] { Bt_Photo_Click(i); });
    }

    QMenu* info = menus::menu(menuBar(), QStringLiteral("MNU_Info"), QStringLiteral("?"));
    QAction* propos = menus::entry(info, QStringLiteral("MNU_Propos"), QStringLiteral("A propos de..."));
    connect(propos, &QAction::triggered, this, &ParamPhotographe::MNU_Propos_Click);

    resize(layout::px(7440), layout::px(haut + 720) + menuBar()->sizeHint().height());
}

void ParamPhotographe::showEvent(QShowEvent* event)
{
    // The mode belongs to one showing: coming back from another window keeps
    // what was typed.
    if (!event->spontaneous())
        modeAChoisir_ = true;
    Form::showEvent(event);
}

void ParamPhotographe::onActivate()
{
    if (!modeAChoisir_)
        return;
    modeAChoisir_ = false;
    lireFiche();
    const bool vide = TextNomEntre_->text().isEmpty();
    afficherSaisie(vide);
    Bt_Photo_[Ok]->setVisible(!vide);
    Bt_Photo_[Valider]->setVisible(vide);
    Bt_Photo_[Modifier]->setVisible(!vide);
}

void ParamPhotographe::onUnload()
{
    mainWindow::show();
}

void ParamPhotographe::Bt_Photo_Click(int index)
{
    switch (index) {
    case Valider:
        if (!nomRenseigne() || !enregistrerFiche())
            return;
        afficherSaisie(false);
        Bt_Photo_[Valider]->hide();
        Bt_Photo_[Modifier]->hide();
        Bt_Photo_[Ok]->show();
        break;
    case Modifier:
        afficherSaisie(true);
        Bt_Photo_[Modifier]->hide();
        break;
    case Ok:
        if (enSaisie_ && (!nomRenseigne() || !enregistrerFiche()))
            return;
        unload();
        break;
    }
}

void ParamPhotographe::MNU_Propos_Click()
{
    formInstance<Propos>().showForm();
}

void ParamPhotographe::lireFiche()
{
    try {
        const db::Rows lignes = base::db().query(
            QStringLiteral("SELECT * FROM Photographe ORDER BY rowid LIMIT 1"));
        for (const Champ& champ : champs_) {
            const QString valeur = lignes.empty() ? QString() : lignes.front()[champ.colonne];
            champ.saisie->setText(valeur);
            champ.affichage->setText(valeur);
        }
    } catch (const db::Error& erreur) {
        report::failure(erreur);
    }
}

bool ParamPhotographe::nomRenseigne()
{
    if (!TextNomEntre_->text().isEmpty())
        return true;
    dialogs::message(kNomManquant, dialogs::Icon::Critical);
    TextNomEntre_->setFocus();
    return false;
}

bool ParamPhotographe::enregistrerFiche()
{
    db::Params valeurs;
    for (const Champ& champ : champs_)
        valeurs.append(champ.saisie->text());
    try {
        db::Database& base = base::db();
        db::Database::Transaction transaction(base);
        // The table holds the one record: a row is added only to an empty table.
        if (base.scalar(QStringLiteral("SELECT count(*) FROM Photographe")) == u"0") {
            base.insert(QStringLiteral("INSERT INTO Photographe (NomP, Adresse1P, Adresse2P, Adresse3P, "
                                       "CPP, VilleP, TelP, FaxP, Mail, Web) "
                                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                        valeurs);
        } else {
            base.exec(QStringLiteral("UPDATE Photographe SET NomP = ?, Adresse1P = ?, Adresse2P = ?, "
                                     "Adresse3P = ?, CPP = ?, VilleP = ?, TelP = ?, FaxP = ?, Mail = ?, "
                                     "Web = ? WHERE rowid = (SELECT min(rowid) FROM Photographe)"),
                      valeurs);
        }
        transaction.commit();
    } catch (const db::Error& erreur) {
        report::failure(erreur);
        return false;
    }
    for (const Champ& champ : champs_)
        champ.affichage->setText(champ.saisie->text());
    return true;
}

void ParamPhotographe::afficherSaisie(bool saisie)
{
    enSaisie_ = saisie;
    for (const Champ& champ : champs_) {
        champ.saisie->setVisible(saisie && champ.montre);
        champ.affichage->setVisible(!saisie && champ.montre);
    }
}

