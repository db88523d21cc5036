#include "photographer/workspace/sauvegarde.h"

#include "common/database.h"
#include "common/paths.h"
#include "common/report.h"
#include "photographer/data/base.h"

#include <QDir>
#include <QFile>

namespace sauvegarde {

namespace {

const QString kJournal = QStringLiteral("-journal");

void retirer(const QString& fichier)
{
    if (!QFile::remove(fichier))
        report::detail(QStringLiteral("sauvegarde interrompue %1 non supprimée").arg(fichier));
}

} // namespace

QString dossier()
{
    return paths::join(paths::dataDir(), {QStringLiteral("backup")});
}

QString nomSauvegarde(const QDateTime& maintenant)
{
    return paths::join(dossier(), {QStringLiteral("Sauvegarde_%1_%2.idx")
                                       .arg(maintenant.toString(QStringLiteral("ddMMyyyy")),
                                            maintenant.toString(QStringLiteral("HHmmss")))});
}

QString sauvegarder(const QDateTime& maintenant)
{
    const QString copie = nomSauvegarde(maintenant);
    if (!paths::ensureFolder(dossier()))
        return QStringLiteral("Le dossier %1 n'a pas pu être créé : la base n'a pas été sauvegardée.").arg(dossier());
    try {
        base::db().backupTo(copie);
    } catch (const db::Error& erreur) {
        return report::logged(erreur);
    }
    return {};
}

void retirerInterrompues()
{
    const QDir backup(dossier());
    for (const QString& nom : backup.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (db::Database::isBackupWork(nom)) {
            retirer(backup.filePath(nom));
        } else if (nom.startsWith(QStringLiteral("Sauvegarde_")) && nom.endsWith(kJournal)) {
            // Written in place, it was cut: without its journal the copy is malformed.
            retirer(backup.filePath(nom.chopped(kJournal.size())));
            retirer(backup.filePath(nom));
        }
    }
}

} // namespace sauvegarde
