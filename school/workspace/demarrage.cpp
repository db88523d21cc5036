#include "school/workspace/demarrage.h"

#include "common/files.h"
#include "common/database.h"
#include "common/helpers.h"
#include "common/paths.h"
#include "common/report.h"
#include "school/data/base.h"
#include "school/data/etat.h"

#include <QDir>
#include <QFileInfo>

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

} // namespace

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

QString demarrer()
{
    etat::VersionLogiciel = texteVersion(SCHOOLPHOTO_VERSION_MAJOR, SCHOOLPHOTO_VERSION_MINOR,
                                       SCHOOLPHOTO_VERSION_PATCH);
    etat::MentionCopyright = QStringLiteral("© Vizmora, tous droits réservés");
    etat::CheminDonnees = paths::onDrive({QStringLiteral("vizmora2020")});
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
    if (erreur.isEmpty())
        return {};
    return erreur + QStringLiteral("\nVizmora ne peut pas démarrer sans ses données et va se fermer.");
}

QString texteVersion(int majeure, int mineure, int revision)
{
    return QStringLiteral("Version %1.%2 R%3").arg(majeure).arg(mineure).arg(revision);
}

} // namespace demarrage
