#include "photographer/workspace/csv_eleves.h"

#include <algorithm>

namespace csv_eleves {

namespace {

struct Remplacement {
    char16_t caractere;
    char16_t par;
};

// Applied in this order; the order matters only in that "-" must become "_"
// and never a blank.
constexpr Remplacement kRemplacements[] = {
    {u'\'', u' '}, {u'=', u' '}, {u'#', u' '}, {u'\u00B2', u' '}, {u',', u' '},
    {u'+', u' '},  {u'-', u'_'}, {u'{', u' '}, {u'}', u' '},      {u'[', u' '},
    {u']', u' '},  {u'@', u' '}, {u'/', u' '}, {u'?', u' '},      {u'.', u' '},
    {u'\u00A7', u' '}, {u'!', u' '}, {u':', u' '}, {u'*', u' '},
};

constexpr int kColonnesTableur = 251;

QString sansBlancsEnTete(const QString& ligne)
{
    qsizetype debut = 0;
    while (debut < ligne.size() && ligne.at(debut) == u' ')
        ++debut;
    return ligne.mid(debut);
}

QString champ(const QStringList& valeurs, const std::optional<int>& colonne)
{
    return colonne ? valeurs.at(*colonne) : QString();
}

} // namespace

QStringList lignes(const QString& texte)
{
    QString unifie = texte;
    unifie.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    unifie.replace(u'\r', u'\n');
    if (unifie.isEmpty())
        return {};
    if (unifie.endsWith(u'\n'))
        unifie.chop(1);
    return unifie.split(u'\n');
}

QString nettoyerLigne(const QString& ligne, const QString& separateur)
{
    QString resultat = ligne;
    if (!resultat.isEmpty() && resultat.front() >= u'0' && resultat.front() <= u'9')
        resultat.prepend(u'_');
    for (const Remplacement& r : kRemplacements) {
        if (separateur != QChar(r.caractere))
            resultat.replace(QChar(r.caractere), QChar(r.par));
    }
    resultat.replace(QString(kColonnesTableur, u';'), QStringLiteral(";"));
    return resultat;
}

QStringList nettoyerLignes(const QStringList& source, const QString& separateur)
{
    QStringList resultat;
    resultat.reserve(source.size());
    for (const QString& ligne : source)
        resultat.append(nettoyerLigne(ligne, separateur));
    return resultat;
}

QString cheminRevu(const QString& fichier)
{
    const QString suffixe = QStringLiteral(".csv");
    const qsizetype debutNom = fichier.lastIndexOf(u'/') + 1;
    QString base = fichier;
    if (fichier.size() - debutNom > suffixe.size() && fichier.endsWith(suffixe, Qt::CaseInsensitive))
        base.chop(suffixe.size());
    return base + QStringLiteral("_revu.csv");
}

QStringList enregistrements(const QStringList& source, bool premiereLigneEnregistrement)
{
    QStringList resultat;
    bool enTeteAPasser = !premiereLigneEnregistrement;
    for (const QString& ligne : source) {
        if (ligne.trimmed().isEmpty())
            continue;
        if (enTeteAPasser) {
            enTeteAPasser = false;
            continue;
        }
        resultat.append(sansBlancsEnTete(ligne));
    }
    return resultat;
}

QStringList champs(const QString& enregistrement, const QString& separateur)
{
    return enregistrement.split(separateur);
}

Apercu apercu(const QStringList& source, const QString& separateur)
{
    Apercu resultat;
    for (const QString& enregistrement : enregistrements(source, true).mid(0, 3)) {
        resultat.lignes.append(champs(enregistrement, separateur));
        resultat.colonnes = std::max(resultat.colonnes, int(resultat.lignes.back().size()));
    }
    return resultat;
}

Lecture lireEleves(const QStringList& source, const Correspondance& colonnes,
                   const QString& separateur)
{
    const std::optional<int> choisies[] = {colonnes.nom,    colonnes.prenom, colonnes.classe,
                                           colonnes.naissance, colonnes.regime, colonnes.ine,
                                           colonnes.numInterne};
    int besoin = 0;
    for (const auto& colonne : choisies) {
        if (colonne)
            besoin = std::max(besoin, *colonne + 1);
    }

    Lecture lecture;
    lecture.eleves.reserve(source.size());
    for (int i = 0; i < source.size(); ++i) {
        const QStringList valeurs = champs(source.at(i), separateur);
        if (valeurs.size() < besoin) {
            lecture.eleves.clear();
            lecture.enregistrementCourt = i;
            return lecture;
        }
        lecture.eleves.push_back({champ(valeurs, colonnes.nom), champ(valeurs, colonnes.prenom),
                                  champ(valeurs, colonnes.classe), champ(valeurs, colonnes.naissance),
                                  champ(valeurs, colonnes.regime), champ(valeurs, colonnes.ine),
                                  champ(valeurs, colonnes.numInterne)});
    }
    return lecture;
}

} // namespace csv_eleves
