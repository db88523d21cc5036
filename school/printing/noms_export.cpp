#include "school/printing/noms_export.h"

#include "common/paths.h"
#include "common/text.h"

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

// One key for the spellings a folder cannot tell apart: case, and an accent
// written as one character or two.
QString cle(const QString& nom)
{
    return text::composed(nom).toCaseFolded();
}

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

QString avecSuffixe(const QString& nomFichier, int numero)
{
    const QString suffixe = QLatin1Char('_') + QString::number(numero);
    if (nomFichier.endsWith(kExtension, Qt::CaseInsensitive))
        return nomFichier.chopped(kExtension.size()) + suffixe + nomFichier.right(kExtension.size());
    return nomFichier + suffixe;
}

NomsUniques::NomsUniques(const QStringList& reserves)
{
    for (const QString& nom : reserves)
        pris_.insert(cle(nom));
}

QString NomsUniques::attribuer(const QString& nom)
{
    QString libre = nom;
    for (int numero = 2; pris_.contains(cle(libre)); ++numero)
        libre = avecSuffixe(nom, numero);
    pris_.insert(cle(libre));
    return libre;
}

} // namespace exportation
