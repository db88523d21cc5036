#include "photographer/workspace/demarrage.h"

#include "common/files.h"
#include "common/helpers.h"
#include "common/paths.h"
#include "common/report.h"
#include "common/shell.h"
#include "common/text.h"
#include "photographer/data/base.h"
#include "photographer/data/dossiers_etab.h"
#include "photographer/data/etat.h"
#include "photographer/shoot/restes_classement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <memory>

#include <unistd.h>


namespace demarrage {

namespace {

const QString kNomBase = QStringLiteral("zlvsyst.idx");
const QString kModele = QStringLiteral("zlvsyst.blc");

} // namespace

void fixerDossierDonnees()
{
    etat::CheminDonnees = paths::onDrive({QStringLiteral("VizmoraDatas")});
}

QString dossierHotParDefaut()
{
    return paths::onDrive({QStringLiteral("hotfolder")}) + u'/';
}

QString installerBase()
{
    if (!paths::ensureFolder(etat::CheminDonnees))
        return QStringLiteral("Le dossier des données %1 n'a pas pu être créé.").arg(etat::CheminDonnees);
    const QString cible = base::cheminBase();
    if (FichierExiste(cible))
        return {};
    const QString source = paths::join(paths::programDir(), {kNomBase});
    if (!FichierExiste(source))
        return QStringLiteral("La base de données d'origine %1 est introuvable : Zelvantis ne peut pas démarrer.")
            .arg(source);
    if (!files::copyWhole(source, cible).isEmpty())
        return QStringLiteral("La base de données %1 n'a pas pu être copiée dans %2.").arg(source, cible);
    return {};
}

QString verrouillerDossierDonnees()
{
    // The lock file could not be made there, nor any change kept: the folder
    // is what the user must see to.
    if (::access(QFile::encodeName(etat::CheminDonnees).constData(), W_OK) != 0
        && (errno == EROFS || errno == EACCES || errno == EPERM))
        return QStringLiteral("Le dossier des données %1 est en lecture seule : Zelvantis ne peut pas démarrer.")
            .arg(QDir::toNativeSeparators(etat::CheminDonnees));
    static std::unique_ptr<QLockFile> verrou;
    const QString chemin = paths::join(etat::CheminDonnees, {QStringLiteral("zlvsyst.lck")});
    if (verrou && verrou->fileName() == chemin)
        return {};
    auto nouveau = std::make_unique<QLockFile>(chemin);
    // Only a lock whose program has ended is stale, however old it is.
    nouveau->setStaleLockTime(0);
    if (nouveau->tryLock(0)) {
        verrou = std::move(nouveau);
        // No other run writes here now: what a cut one left half written goes.
        restes_classement::retirer();
        return {};
    }
    if (nouveau->error() == QLockFile::LockFailedError)
        return QStringLiteral("Zelvantis est déjà ouvert sur le dossier de données %1 : utilisez la fenêtre "
                              "déjà ouverte.")
            .arg(QDir::toNativeSeparators(etat::CheminDonnees));
    report::detail(QStringLiteral("fichier de verrou %1 : erreur %2").arg(chemin).arg(int(nouveau->error())));
    return QStringLiteral("Le fichier %1 n'a pas pu être créé : Zelvantis ne peut pas démarrer.")
        .arg(QDir::toNativeSeparators(chemin));
}

QString baseEnLectureSeule()
{
    // The main window loads again after some commands: the file is the same, and so is the answer.
    static QString dite;
    const QString fichier = base::cheminBase();
    if (!base::db().readOnly() || dite == fichier)
        return {};
    dite = fichier;
    return QStringLiteral("La base de données %1 est en lecture seule : Zelvantis montre ses données, mais ne peut "
                          "rien y enregistrer (ni établissement, ni élève, ni photo, ni tarif). Pour travailler, "
                          "rendez ce fichier modifiable, puis redémarrez Zelvantis.")
        .arg(QDir::toNativeSeparators(fichier));
}

QString lireSeparateur()
{
    const auto valeur = LireRegistre(etat::kCleRegistre, QStringLiteral("csv"));
    if (valeur && !valeur->isEmpty())
        return *valeur;
    // A default that cannot be written is what the missing entry reads as
    // anyway: nothing is lost (the detail is on stderr).
    static_cast<void>(EcrireRegistre(etat::kCleRegistre, QStringLiteral("csv"), QStringLiteral(";")));
    return QStringLiteral(";");
}

bool archivageDemande()
{
    return LireRegistre(etat::kCleRegistre, QStringLiteral("NewBase")) == QStringLiteral("1");
}

QString ecrireArchivageDemande(bool demande)
{
    const QString valeur = demande ? QStringLiteral("1") : QStringLiteral("0");
    if (EcrireRegistre(etat::kCleRegistre, QStringLiteral("NewBase"), valeur))
        return {};
    return RegistreNonEcrit(etat::kCleRegistre,
                            demande ? QStringLiteral("la base ne sera ni archivée ni vidée au prochain démarrage.")
                                    : QStringLiteral("la demande d'archivage de la base reste enregistrée : "
                                                     "elle sera proposée de nouveau au prochain démarrage."));
}

QString nomArchive(const QString& dossier, const QDateTime& maintenant)
{
    const QString jour = QStringLiteral("zlvsyst") + maintenant.toString(QStringLiteral("ddMMyyyy"));
    const QString nom = paths::join(dossier, {jour + QStringLiteral(".old")});
    if (!QFileInfo::exists(nom))
        return nom;
    return dossiers_etab::nomLibre(dossier, jour + u'_' + maintenant.toString(QStringLiteral("HHmmss")),
                                   QStringLiteral(".old"));
}

QString archiverEtVider(const QDateTime& maintenant)
{
    const QString modele = paths::join(paths::programDir(), {kModele});
    if (!FichierExiste(modele))
        return QStringLiteral("Le modèle de base vide %1 est introuvable : la base n'a été ni archivée ni vidée.")
            .arg(modele);
    const QString cible = base::cheminBase();
    // Opening the file once finishes a transaction that a crash left half
    // written, so the archive holds a consistent database.
    try {
        base::db();
    } catch (const db::Error&) {
        // A damaged file is archived as it is.
    }
    base::fermer();
    const QString archive = nomArchive(paths::dataDir(), maintenant);
    if (!files::copyWhole(cible, archive).isEmpty())
        return QStringLiteral("La base %1 n'a pas pu être archivée dans %2 : elle n'a pas été vidée.")
            .arg(cible, archive);
    // The empty base is built aside with the mark that the emptying was
    // done, and takes the database's place in one step: a start that finds
    // the mark does not empty it again.
    const QString vide = paths::join(etat::CheminDonnees, {QStringLiteral(".zlvsyst.idx.vide")});
    const QString pasVidee =
        QStringLiteral("Le modèle de base vide %1 n'a pas pu être copié dans %2 : la base n'a pas été vidée.")
            .arg(modele, cible);
    QFile::remove(vide + QStringLiteral("-journal"));
    if (!files::copyWhole(modele, vide).isEmpty())
        return pasVidee;
    try {
        db::Database videe(vide);
        // The blank template holds no record of work in progress: the database's own schema adds
        // them, the mark's table among them.
        videe.script(base::schema());
        videe.exec(QStringLiteral("INSERT INTO BaseVidee (Archive) VALUES (?1)"), {archive});
    } catch (const db::Error& erreur) {
        report::logged(erreur);
        QFile::remove(vide);
        return pasVidee;
    }
    const QString nonMise = files::putInPlace(vide, cible);
    if (!nonMise.isEmpty()) {
        QFile::remove(vide);
        return nonMise + QStringLiteral(" La base n'a pas été vidée.");
    }
    return {};
}

std::optional<QString> archivageFait()
{
    try {
        const db::Rows marque = base::db().query(QStringLiteral("SELECT Archive FROM BaseVidee LIMIT 1"));
        if (!marque.empty())
            return marque.front().at(0);
    } catch (const db::Error& erreur) {
        // The start reports a base it cannot open further on.
        report::logged(erreur);
    }
    return std::nullopt;
}

QString conclureArchivage()
{
    const QString nonEcrit = ecrireArchivageDemande(false);
    if (!nonEcrit.isEmpty())
        return nonEcrit;
    try {
        base::db().exec(QStringLiteral("DELETE FROM BaseVidee"));
    } catch (const db::Error& erreur) {
        // The mark stays: the next start clears the request again, which changes nothing.
        report::logged(erreur);
    }
    return {};
}

QDate lireDateMaj(const QDate& aujourdhui)
{
    const auto valeur = LireRegistre(etat::kCleRegistre, QStringLiteral("DateMaj"));
    const QDate date = valeur ? text::parseFrenchDate(*valeur) : QDate();
    if (date.isValid())
        return date;
    ecrireDateMaj(aujourdhui);
    return aujourdhui;
}

void ecrireDateMaj(const QDate& date)
{
    // A date not kept only brings the update prompt back sooner (the detail is on stderr).
    static_cast<void>(EcrireRegistre(etat::kCleRegistre, QStringLiteral("DateMaj"), text::frenchDate(date)));
}

bool majAOuvrir(const QDate& derniere, const QDate& aujourdhui)
{
    return derniere.daysTo(aujourdhui) > 20;
}

QString adresseMaj()
{
    return shell::updateAddress(QStringLiteral("/telechargements/maj_zelvantis.exe"));
}

QString preparerDossiersDeTravail()
{
    QStringList manquants;
    for (const QString& dossier : {etat::CheminDonnees, paths::onDrive({QStringLiteral("hotfolder")}),
                                   paths::onDrive({QStringLiteral("labohd")})}) {
        if (!paths::ensureFolder(dossier))
            manquants << QDir::toNativeSeparators(dossier);
    }
    const QString copieImport = paths::join(paths::dataDir(), {QStringLiteral("zlsyst.imp")});
    // A leftover copy only takes room: the detail on stderr is enough.
    if (FichierExiste(copieImport) && !QFile::remove(copieImport))
        report::detail(QStringLiteral("copie de travail %1 non supprimée").arg(copieImport));
    if (manquants.isEmpty())
        return {};
    return QStringLiteral("Les dossiers de travail suivants n'ont pas pu être créés : %1. "
                          "Les prises de vues ne pourront pas y être enregistrées.")
        .arg(manquants.join(QStringLiteral(", ")));
}

} // namespace demarrage
