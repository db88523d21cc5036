#include "school/printing/noms_export.h"

#include "common/paths.h"

namespace exportation {

namespace {

QString valeur(const Eleve& eleve, Champ champ)
{
    switch (champ) {
    case Champ::Nom:
        return eleve.nom;
    case Champ::Prenom:
        return eleve.prenom;
    case Champ::INE:
        return eleve.ine;
    case Champ::NumInterne:
        return eleve.numInterne;
    }
    return {};
}

const QString kExtension = QStringLiteral(".jpg");

} // namespace

QString nomFichier(const Motif& motif, const Eleve& eleve, int position)
{
    QString nom = valeur(eleve, motif.premier);
    if (motif.unePartie) {
        if (nom.isEmpty() && motif.premier == Champ::INE)
            nom = QStringLiteral("INE inconnu_") + QString::number(position);
        else if (nom.isEmpty() && motif.premier == Champ::NumInterne)
            nom = QStringLiteral("Num_Interne_inconnu_") + QString::number(position);
    } else {
        nom += motif.separateur + valeur(eleve, motif.second);
    }
    return composant(nom + kExtension);
}

QString composant(const QString& nom)
{
    QString resultat = paths::component(nom);
    for (const QChar interdit : QStringLiteral("\\:*?\"<>|"))
        resultat.replace(interdit, u'_');
    if (resultat == u"." || resultat == u"..")
        return {};
    return resultat;
}

} // namespace exportation
