#include "photographer/workspace/form_nouv_etab.h"

#include "common/database.h"
#include "common/dialogs.h"
#include "common/ui/key_filter.h"
#include "common/ui/layout.h"
#include "common/ui/menus.h"
#include "common/paths.h"
#include "common/report.h"
#include "common/text.h"
#include "photographer/data/base.h"
#include "photographer/data/dossiers_etab.h"
#include "photographer/data/etablissements.h"
#include "photographer/ui/propos.h"
#include "photographer/ui/saisie_legendee.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace {

constexpr ColonnesSaisie kColonnes{1680, 1920};

const QString kTitreSaisie = QStringLiteral("Saisie manquante...");

} // namespace

FormNouvEtab::FormNouvEtab() : Form(QStringLiteral("FormNouvEtab"))
{
    setWindowTitle(QStringLiteral("Création Fiche Etablissement..."));
    auto* page = new QWidget(this);
    setCentralWidget(page);

    const struct {
        QLineEdit*& boite;
        const char* nom;
        const char* legende;
        bool obligatoire;
    } lignes[] = {
        {TextNom_, "TextNom", "Nom :", true},        {TextAd_, "TextAd", "Adresse :", false},
        {TextAd1_, "TextAd1", "", false},            {TextAd2_, "TextAd2", "", false},
        {TextCP_, "TextCP", "Code Postal :", true},  {TextVille_, "TextVille", "Ville :", false},
        {TextTel_, "TextTel", "Téléphone :", false}, {TextPrt_, "TextPrt", "", false},
        {TextMail_, "TextMail", "Mail :", false},
    };
    int haut = 240;
    for (const auto& ligne : lignes) {
        ligne.boite =
            saisieLegendee(page, kColonnes, haut, QString::fromLatin1(ligne.nom), QString::fromUtf8(ligne.legende));
        if (ligne.obligatoire) {
            auto* mention = new QLabel(QStringLiteral("Saisie Obligatoire"), page);
            mention->setStyleSheet(QStringLiteral("color: #c00000;"));
            layout::place(mention, 6240, haut + 30, 1680, 285);
        }
        haut += 420;
    }
    filterKeys(TextNom_, QStringLiteral("abcçdeéèêfghijklmnoôpqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890 "));
    filterKeys(TextCP_, QStringLiteral("1234567890"));

    auto* valider = new QPushButton(QStringLiteral("Valider"), page);
    valider->setObjectName(QStringLiteral("Bt_Valide"));
    layout::place(valider, 3810, haut + 120, 1095, 375);
    connect(valider, &QPushButton::clicked, this, &FormNouvEtab::Bt_Valide_Click);
    auto* annuler = new QPushButton(QStringLiteral("Annuler"), page);
    annuler->setObjectName(QStringLiteral("Bt_Annuler"));
    layout::place(annuler, 5025, haut + 120, 1095, 375);
    connect(annuler, &QPushButton::clicked, this, &FormNouvEtab::Bt_Annuler_Click);

    QMenu* aide = menus::menu(menuBar(), QStringLiteral("MNU_AIDE"), QStringLiteral("Aide"));
    QAction* propos = menus::entry(aide, QStringLiteral("MNU_Propos"), QStringLiteral("A propos de..."));
    connect(propos, &QAction::triggered, this, &FormNouvEtab::MNU_Propos_Click);

    resize(layout::px(8040), layout::px(haut + 720) + menuBar()->sizeHint().height());
}

void FormNouvEtab::onActivate()
{
    TextNom_->setFocus();
}

void FormNouvEtab::onUnload()
{
    mainWindow::show();
}

void FormNouvEtab::Bt_Valide_Click()
{
    const QString nom = text::composed(TextNom_->text());
    if (!saisieComplete() || !nomLibre(nom))
        return;
    QStringList crees;
    if (!creerDossiers(nom, crees) || !ajouterEtablissement(nom)) {
        // A refused creation leaves no folder behind.
        for (const QString& dossier : crees)
            QDir().rmdir(dossier);
        return;
    }
    unload();
}

void FormNouvEtab::Bt_Annuler_Click()
{
    unload();
}

void FormNouvEtab::MNU_Propos_Click()
{
    formInstance<Propos>().showForm();
}

bool FormNouvEtab::saisieComplete()
{
    const struct {
        QLineEdit* boite;
        const char* message;
    } obligations[] = {
        {TextNom_, "Veuillez saisir le nom de l'établissement"},
        {TextCP_, "Veuillez saisir le Code Postal de l'établissement"},
    };
    for (const auto& obligation : obligations) {
        if (obligation.boite->text().isEmpty()) {
            dialogs::message(QString::fromUtf8(obligation.message), dialogs::Icon::Critical,
                             dialogs::Buttons::Ok, kTitreSaisie);
            obligation.boite->setFocus();
            return false;
        }
    }
    return true;
}

bool FormNouvEtab::nomLibre(const QString& nom)
{
    try {
        if (etablissements::nomPris(nom)) {
            dialogs::message(QStringLiteral("L'établissement en cours de création existe déjà.\r\n"
                                            "Consultez la liste des établissements créés et supprimer "
                                            "l'enregistrement obsolète."),
                             dialogs::Icon::Information);
            return false;
        }
        const QString refus = etablissements::refusNom(nom);
        if (refus.isEmpty())
            return true;
        dialogs::message(refus, dialogs::Icon::Critical, dialogs::Buttons::Ok, kTitreSaisie);
        TextNom_->setFocus();
    } catch (const db::Error& erreur) {
        report::failure(erreur);
    }
    return false;
}

bool FormNouvEtab::creerDossiers(const QString& nom, QStringList& crees)
{
    // The " BR" copies are made later by the shoot, but old pictures left in
    // them would be delivered with the new establishment's.
    const dossiers_etab::Dossiers dossiers = dossiers_etab::de(nom);
    if (const QStringList occupes = dossiers_etab::occupes(dossiers); !occupes.isEmpty()) {
        dialogs::message(QStringLiteral("Le dossier %1 existe déjà et contient des fichiers.\n"
                                        "Choisissez un autre nom pour l'établissement.")
                             .arg(QDir::toNativeSeparators(occupes.front())),
                         dialogs::Icon::Critical);
        return false;
    }
    // The archive first, then the picture folder in the data folder.
    for (const QString& dossier : {dossiers.archive, dossiers.donnees}) {
        const bool existait = QFileInfo::exists(dossier);
        if (!paths::ensureFolder(dossier)) {
            dialogs::message(QStringLiteral("Le dossier %1 n'a pas pu être créé : "
                                            "l'établissement n'a pas été enregistré.")
                                 .arg(QDir::toNativeSeparators(dossier)),
                             dialogs::Icon::Critical);
            return false;
        }
        if (!existait)
            crees << dossier;
    }
    return true;
}

bool FormNouvEtab::ajouterEtablissement(const QString& nom)
{
    try {
        base::db().insert(
            QStringLiteral("INSERT INTO Etablissements (Nom, Adresse, Adresse1, Adresse2, \"Code Postal\", "
                           "Ville, Telephone, Portable, Mail, Fax) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, '')"),
            {nom, TextAd_->text(), TextAd1_->text(), TextAd2_->text(), TextCP_->text(), TextVille_->text(),
             TextTel_->text(), TextPrt_->text(), TextMail_->text()});
        return true;
    } catch (const db::Error& erreur) {
        report::failure(erreur);
        return false;
    }
}

