#include "photographer/deliveries/liste_labo.h"

#include "common/paths.h"

namespace liste_labo {

QStringList lignes(const std::vector<Ligne>& eleves)
{
    QStringList resultat;
    resultat.reserve(qsizetype(eleves.size()));
    for (const Ligne& eleve : eleves)
        resultat.append(eleve.cdeEleves + u';' + eleve.nom + u';' + eleve.prenom + u';');
    return resultat;
}

QString nomFichier(const QString& nomEtab, const QDateTime& moment)
{
    return paths::component(nomEtab + u'_' + moment.toString(QStringLiteral("ddMMyyyyHHmmss")) + QStringLiteral(".csv"));
}

} // namespace liste_labo
