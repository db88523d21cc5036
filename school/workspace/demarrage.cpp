#include "school/workspace/demarrage.h"

#include "common/files.h"
#include "common/database.h"
#include "common/helpers.h"
#include "common/open_marker.h"
#include "common/paths.h"
#include "common/report.h"
#include "school/data/base.h"
#include "school/data/etat.h"
#include "school/data/noms_composes.h"
#include "school/data/photos_en_attente.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

namespace demarrage {

namespace {

// A copy that stops half way must not leave a file that the next start
// would take as installed: copy beside the target, then rename.
QString copier(const QString& source, const QString& cible)
{
    if (!FichierExiste(source))
        return QStringLiteral("Le fichier « %1 » est introuvable dans le dossier du programme.")
            .arg(source);
    if (!files::copyWhole(source, cible).isEmpty()) {
        return QStringLiteral("Le fichier « %1 » n'a pas pu être copié vers « %2 ».").arg(source, cible);
    }
    return {};
}

// SQLite takes an empty file for a new database and would fill it: the
// school would see no class and not a word of why. Such a file is what a
// copy that failed leaves, and it is left as it is for whoever mends it.
QString refuserBaseVide(const QString& chemin)
{
    const QFileInfo fichier(chemin);
    if (fichier.isFile() && fichier.size() == 0)
        return QStringLiteral("Le fichier %1 est vide : ce n'est pas une base de données.")
            .arg(QDir::toNativeSeparators(chemin));
    return {};
}

// Marks the data folder open for this run, before anything is put in place
// there: a package installed meanwhile would replace the database under the
// secretary's orders. A folder that cannot hold the marker cannot take a
// package either, so the run goes on unmarked (a folder that cannot be made
// is told by the installation of the data).
QString marquerOuvert(const QString& dossierDonnees)
{
    static std::unique_ptr<OpenMarker> marque;
    const QString chemin = paths::join(dossierDonnees, {nomMarqueOuvert()});
    if ((marque && marque->fileName() == chemin) || !paths::ensureFolder(dossierDonnees))
        return {};
    auto nouvelle = std::make_unique<OpenMarker>(chemin);
    switch (nouvelle->state()) {
    case OpenMarker::State::Held:
        marque = std::move(nouvelle);
        break;
    case OpenMarker::State::Busy:
        return QStringLiteral("Un paquet est en cours d'installation dans le dossier « %1 ».\n"
                              "Relancez Vizmora une fois l'installation terminée.")
            .arg(QDir::toNativeSeparators(dossierDonnees));
    case OpenMarker::State::Failed:
        report::detail(QStringLiteral("marque d'ouverture %1 : %2").arg(chemin, nouvelle->error()));
        break;
    }
    return {};
}

// setup.exe renames its checked copy of a package to this name before it
// puts the pictures and then the database in place, and removes it at the
// end: while it is there, a power cut stopped the installation between the
// two, and the pictures may not be those of the database.
QString installationInterrompue(const QString& dossierDonnees)
{
    if (QDir(dossierDonnees)
            .entryList({QStringLiteral(".paquet.pret_*")}, QDir::AllEntries | QDir::Hidden | QDir::System)
            .isEmpty())
        return {};
    return QStringLiteral("L'installation d'un paquet dans le dossier « %1 » a été interrompue.\n"
                          "Relancez setup.exe depuis le paquet pour l'achever, puis relancez Vizmora.")
        .arg(QDir::toNativeSeparators(dossierDonnees));
}

// Said once, at the start, rather than by every change refused later.
QString lectureSeule()
{
    return QStringLiteral("La base %1 est en lecture seule : Vizmora montre les classes, les groupes et les commandes, "
                          "mais rien ne pourra y être enregistré (ni élève ajouté, supprimé ou changé de classe, ni "
                          "groupe, ni fiche, ni commande ou vente).\nPour y travailler, rendez le fichier et son "
                          "dossier modifiables, puis relancez Vizmora.")
        .arg(QDir::toNativeSeparators(base::cheminBase()));
}

// Housekeeping, never a reason not to start: names that cannot be rewritten
// now (the database busy with another program) are composed at a later start.
void composerNoms()
{
    try {
        noms_composes::composer(base::db());
    } catch (const db::Error& e) {
        report::logged(e);
    }
}

} // namespace

QString nomMarqueOuvert()
{
    return QStringLiteral(".vizmora-ouvert");
}

QStringList fichiersLivres()
{
    return {QStringLiteral("classevizmora.idx"), QStringLiteral("filetemp.html"),
            QStringLiteral("filetemp1.html"), QStringLiteral("filetempCrte.html"),
            QStringLiteral("filetempEtiq.html")};
}

QString installerDonnees(const QString& dossierDonnees, const QString& dossierProgramme)
{
    if (!paths::ensureFolder(dossierDonnees))
        return QStringLiteral("Le dossier « %1 » n'a pas pu être créé.").arg(dossierDonnees);
    for (const QString& nom : fichiersLivres()) {
        const QString cible = paths::join(dossierDonnees, {nom});
        if (FichierExiste(cible))
            continue;
        const QString erreur = copier(paths::join(dossierProgramme, {nom}), cible);
        if (!erreur.isEmpty())
            return erreur;
    }
    return {};
}

Depart demarrer()
{
    etat::VersionLogiciel = texteVersion(SCHOOLPHOTO_VERSION_MAJOR, SCHOOLPHOTO_VERSION_MINOR,
                                       SCHOOLPHOTO_VERSION_PATCH);
    etat::MentionCopyright = QStringLiteral("© Vizmora, tous droits réservés");
    etat::CheminDonnees = paths::onDrive({QStringLiteral("vizmora2020")});
    // Said in its own words: the data are whole, only busy for a while.
    const QString occupe = marquerOuvert(etat::CheminDonnees);
    if (!occupe.isEmpty())
        return {occupe, {}};
    if (QString interrompue = installationInterrompue(etat::CheminDonnees); !interrompue.isEmpty())
        return {interrompue, {}};
    QString erreur = installerDonnees(etat::CheminDonnees, paths::programDir());
    if (erreur.isEmpty())
        erreur = refuserBaseVide(base::cheminBase());
    if (erreur.isEmpty()) {
        try {
            base::db();
        } catch (const db::Error& e) {
            erreur = report::logged(e);
        }
    }
    if (!erreur.isEmpty())
        return {erreur + QStringLiteral("\nVizmora ne peut pas démarrer sans ses données et va se fermer."), {}};

    Depart depart;
    const QString images = paths::join(etat::CheminDonnees, {QStringLiteral("images")});
    // Before the leftover temporaries go: some are pictures due in place.
    bool attente = true;
    try {
        photos_en_attente::Bilan bilan = photos_en_attente::regler(base::db(), images);
        depart.avis = std::move(bilan.avis);
        attente = bilan.attente;
    } catch (const db::Error& e) {
        report::logged(e);
    }
    if (base::db().readOnly())
        depart.avis.prepend(lectureSeule());
    else
        composerNoms();
    // What a power cut left half way to a portrait's name; another Vizmora's
    // portrait being written is locked and stays. While a recorded picture
    // waits (or the records could not be read), they all wait for a later start.
    if (!attente)
        files::removeLeftoverTemporaries(images);
    return depart;
}

QString texteVersion(int majeure, int mineure, int revision)
{
    return QStringLiteral("Version %1.%2 R%3").arg(majeure).arg(mineure).arg(revision);
}

} // namespace demarrage
