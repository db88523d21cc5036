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

bool estBlanc(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString sansBlancsAutour(const QString& texte)
{
    qsizetype debut = 0, fin = texte.size();
    while (debut < fin && estBlanc(texte.at(debut)))
        ++debut;
    while (fin > debut && estBlanc(texte.at(fin - 1)))
        --fin;
    return texte.mid(debut, fin - debut);
}

bool toutBlanc(const QStringList& valeurs)
{
    return std::all_of(valeurs.cbegin(), valeurs.cend(), [](const QString& v) { return v.isEmpty(); });
}

// One field from `debut`, as the CSV convention has it: a field that opens
// with a quote runs to its closing quote, a doubled quote inside it stands
// for one quote and a separator inside it belongs to it. `debut` moves past
// the field's separator; the field is returned without blanks or tabs around it.
QString lireChamp(const QString& ligne, qsizetype& debut, const QString& separateur)
{
    qsizetype i = debut;
    while (i < ligne.size() && estBlanc(ligne.at(i)) && !QStringView(ligne).mid(i).startsWith(separateur))
        ++i;
    QString valeur;
    if (i < ligne.size() && ligne.at(i) == u'"') {
        for (++i; i < ligne.size(); ++i) {
            if (ligne.at(i) != u'"') {
                valeur += ligne.at(i);
            } else if (i + 1 < ligne.size() && ligne.at(i + 1) == u'"') {
                valeur += u'"';
                ++i;
            } else {
                ++i;
                break;
            }
        }
    }
    const qsizetype fin = separateur.isEmpty() ? -1 : ligne.indexOf(separateur, i);
    valeur += ligne.mid(i, fin < 0 ? -1 : fin - i);
    debut = fin < 0 ? -1 : fin + separateur.size();
    return sansBlancsAutour(valeur);
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

QStringList enregistrements(const QStringList& source, bool premiereLigneEnregistrement,
                            const QString& separateur)
{
    QStringList resultat;
    bool enTeteAPasser = !premiereLigneEnregistrement;
    for (const QString& ligne : source) {
        // Spreadsheets leave lines of separators only after formatted empty rows.
        if (ligne.trimmed().isEmpty() || toutBlanc(champs(ligne, separateur)))
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
    QStringList valeurs;
    qsizetype debut = 0;
    while (debut >= 0)
        valeurs << lireChamp(enregistrement, debut, separateur);
    return valeurs;
}

Apercu apercu(const QStringList& source, const QString& separateur)
{
    Apercu resultat;
    for (const QString& enregistrement : enregistrements(source, true, separateur).mid(0, 3)) {
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
