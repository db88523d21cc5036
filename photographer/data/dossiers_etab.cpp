#include "photographer/data/dossiers_etab.h"

#include "common/paths.h"
#include "photographer/data/etat.h"

namespace dossiers_etab {

QStringList Dossiers::tous() const
{
    return valides() ? QStringList{donnees, br, br3, archive} : QStringList();
}

Dossiers de(const QString& cheminDonnees, const QString& nom)
{
    if (!paths::componentRefusal(nom).isEmpty())
        return {};
    const QString dossier = paths::component(nom);
    return {paths::join(cheminDonnees, {dossier}), paths::join(cheminDonnees, {dossier + QStringLiteral(" BR")}),
            paths::join(cheminDonnees, {dossier + QStringLiteral(" BR3")}),
            paths::onDrive({QStringLiteral("labohd"), dossier})};
}

Dossiers de(const QString& nom)
{
    return de(etat::CheminDonnees, nom);
}

QString cle(const QString& nom)
{
    return paths::component(nom).toCaseFolded();
}

} // namespace dossiers_etab
