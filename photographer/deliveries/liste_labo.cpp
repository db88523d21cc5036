#include "photographer/deliveries/liste_labo.h"

#include "common/paths.h"

namespace liste_labo {

namespace {

// A separator or a line break inside a value would shift the lab's fields
// or add a line: it is written as a blank.
QString champ(QString valeur)
{
    for (QChar& c : valeur) {
        if (c == u';' || c.category() == QChar::Other_Control)
            c = u' ';
    }
    return valeur;
}

} // namespace

QStringList lignes(const std::vector<Ligne>& eleves)
{
    QStringList resultat;
    resultat.reserve(qsizetype(eleves.size()));
    for (const Ligne& eleve : eleves)
        resultat.append(champ(eleve.cdeEleves) + u';' + champ(eleve.nom) + u';' + champ(eleve.prenom) + u';');
    return resultat;
}

QString nomFichier(const QString& nomEtab, const QDateTime& moment)
{
    return paths::component(nomEtab + u'_' + moment.toString(QStringLiteral("ddMMyyyyHHmmss")) + QStringLiteral(".csv"));
}

} // namespace liste_labo
