#include "photographer/workspace/csv_eleves.h"

#include "common/paths.h"
#include "photographer/data/noms_photos.h"

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

bool commencePar(const QString& texte, qsizetype position, const QString& separateur)
{
    return !separateur.isEmpty() && QStringView(texte).mid(position).startsWith(separateur);
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
    while (i < ligne.size() && estBlanc(ligne.at(i)) && !commencePar(ligne, i, separateur))
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

Lignes lignes(const QString& texte, const QString& separateur)
{
    Lignes resultat;
    Ligne courante{{}, 1, 0};
    int numero = 1;
    bool debutDeChamp = true;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte.at(i);
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < texte.size() && texte.at(i + 1) == u'\n')
                ++i;
            ++numero;
            if (courante.guillemetNonFerme) {
                courante.texte += u' ';
            } else {
                resultat.append(courante);
                courante = {{}, numero, 0};
                debutDeChamp = true;
            }
            continue;
        }
        if (commencePar(texte, i, separateur) && !courante.guillemetNonFerme) {
            courante.texte += separateur;
            i += separateur.size() - 1;
            debutDeChamp = true;
            continue;
        }
        courante.texte += c;
        if (courante.guillemetNonFerme) {
            if (c != u'"')
                continue;
            if (i + 1 < texte.size() && texte.at(i + 1) == u'"')
                courante.texte += texte.at(++i);
            else
                courante.guillemetNonFerme = 0;
        } else if (c == u'"' && debutDeChamp) {
            courante.guillemetNonFerme = numero;
            debutDeChamp = false;
        } else if (!estBlanc(c)) {
            debutDeChamp = false;
        }
    }
    if (!courante.texte.isEmpty())
        resultat.append(courante);
    return resultat;
}

QString refusGuillemet(const Lignes& source, const QString& fichier)
{
    if (source.isEmpty() || !source.back().guillemetNonFerme)
        return {};
    return QStringLiteral("Le fichier « %1 » ne peut pas être importé : le guillemet ouvert à la ligne %2 n'est "
                          "jamais fermé. Rien n'a été importé.")
        .arg(fichier, QString::number(source.back().guillemetNonFerme));
}

QStringList textes(const Lignes& source)
{
    QStringList resultat;
    resultat.reserve(source.size());
    for (const Ligne& ligne : source)
        resultat.append(ligne.texte);
    return resultat;
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

Lignes nettoyerLignes(const Lignes& source, const QString& separateur)
{
    Lignes resultat = source;
    for (Ligne& ligne : resultat)
        ligne.texte = nettoyerLigne(ligne.texte, separateur);
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

Lignes enregistrements(const Lignes& source, bool premiereLigneEnregistrement, const QString& separateur)
{
    Lignes resultat;
    bool enTeteAPasser = !premiereLigneEnregistrement;
    for (const Ligne& ligne : source) {
        // Spreadsheets leave lines of separators only after formatted empty rows.
        if (ligne.texte.trimmed().isEmpty() || toutBlanc(champs(ligne.texte, separateur)))
            continue;
        if (enTeteAPasser) {
            enTeteAPasser = false;
            continue;
        }
        resultat.append({sansBlancsEnTete(ligne.texte), ligne.numero, ligne.guillemetNonFerme});
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

Apercu apercu(const Lignes& source, const QString& separateur)
{
    Apercu resultat;
    for (const Ligne& enregistrement : enregistrements(source, true, separateur).mid(0, 3)) {
        resultat.lignes.append(champs(enregistrement.texte, separateur));
        resultat.colonnes = std::max(resultat.colonnes, int(resultat.lignes.back().size()));
    }
    return resultat;
}

QString encodagesMeles(int lignesUtf8, int lignesWindows1252)
{
    if (lignesUtf8 == 0 || lignesWindows1252 == 0)
        return {};
    const auto lues = [](int nombre) {
        return nombre == 1 ? QStringLiteral("1 ligne a été lue") : QStringLiteral("%1 lignes ont été lues").arg(nombre);
    };
    return QStringLiteral("Le fichier mêlait deux encodages : %1 en UTF-8 et %2 en Windows-1252.")
        .arg(lues(lignesUtf8), lues(lignesWindows1252));
}

Lecture lireEleves(const Lignes& source, const Correspondance& colonnes, const QString& separateur,
                   const QString& fichier)
{
    const std::optional<int> choisies[] = {colonnes.nom,    colonnes.prenom, colonnes.classe,
                                           colonnes.naissance, colonnes.regime, colonnes.ine,
                                           colonnes.numInterne};
    int besoin = 0;
    for (const auto& colonne : choisies) {
        if (colonne)
            besoin = std::max(besoin, *colonne + 1);
    }

    const auto refus = [](QString message) { return Lecture{{}, std::move(message)}; };
    Lecture lecture;
    lecture.eleves.reserve(source.size());
    for (const Ligne& enregistrement : source) {
        const QStringList valeurs = champs(enregistrement.texte, separateur);
        if (valeurs.size() < besoin)
            return refus(QStringLiteral("le séparateur csv choisi n'est pas correct : l'élève qui commence à la "
                                        "ligne %1 du fichier « %2 » ne compte pas assez de colonnes (%3 au lieu "
                                        "d'au moins %4). Rien n'a été importé.")
                             .arg(QString::number(enregistrement.numero), fichier,
                                  QString::number(valeurs.size()), QString::number(besoin)));
        const Eleve eleve{champ(valeurs, colonnes.nom),       champ(valeurs, colonnes.prenom),
                          champ(valeurs, colonnes.classe),    champ(valeurs, colonnes.naissance),
                          champ(valeurs, colonnes.regime),    champ(valeurs, colonnes.ine),
                          champ(valeurs, colonnes.numInterne)};
        // The class names folders, and the names the files in them.
        for (const auto& [valeur, champ] : {std::pair{eleve.classe, QStringLiteral("sa classe")},
                                            std::pair{eleve.nom, QStringLiteral("son nom")},
                                            std::pair{eleve.prenom, QStringLiteral("son prénom")}}) {
            if (const QString controle = paths::controlRefusal(valeur, champ); !controle.isEmpty())
                return refus(QStringLiteral("L'élève qui commence à la ligne %1 du fichier « %2 » ne peut pas être "
                                            "importé : %3 Rien n'a été importé.")
                                 .arg(QString::number(enregistrement.numero), fichier, controle));
        }
        // Every picture of the student is filed under these three names.
        if (const noms_photos::Longueur longueur = noms_photos::longueur(eleve.classe, eleve.nom, eleve.prenom);
            !longueur.tient())
            return refus(QStringLiteral("La classe, le nom et le prénom de l'élève qui commence à la ligne %1 du "
                                        "fichier « %2 » sont trop longs pour nommer ses photos : ensemble, %3. Rien "
                                        "n'a été importé.")
                             .arg(QString::number(enregistrement.numero), fichier, longueur.limite()));
        lecture.eleves.push_back(eleve);
    }
    return lecture;
}

} // namespace csv_eleves
