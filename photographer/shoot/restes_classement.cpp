#include "photographer/shoot/restes_classement.h"

#include "common/files.h"
#include "common/paths.h"
#include "photographer/data/etat.h"

#include <QDir>

namespace restes_classement {

namespace {

// The folders inside folder that an establishment's files may go into: hidden ones are work built
// aside, never a filing's.
QStringList sousDossiers(const QString& dossier)
{
    QStringList dossiers;
    for (const QFileInfo& sous : QDir(dossier).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
        dossiers << sous.absoluteFilePath();
    return dossiers;
}

} // namespace

int retirer()
{
    int retires = 0;
    for (const QString& racine : {etat::CheminDonnees, paths::onDrive({QStringLiteral("labohd")})}) {
        retires += files::removeLeftoverTemporaries(racine);
        for (const QString& dossier : sousDossiers(racine)) {
            retires += files::removeLeftoverTemporaries(dossier);
            for (const QString& sous : sousDossiers(dossier))
                retires += files::removeLeftoverTemporaries(sous);
        }
    }
    return retires;
}

} // namespace restes_classement
