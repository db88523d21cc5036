#include "photographer/workspace/csv_eleves.h"

#include <gtest/gtest.h>

using namespace csv_eleves;

namespace {

struct CasNettoyage {
    const char* nom;
    QString ligne;
    QString separateur;
    QString attendu;
};

} // namespace

TEST(CsvElevesNettoyage, ReglesDuTableau)
{
    const QString pointsVirgules251(251, u';');
    const CasNettoyage cas[] = {
        {"chiffre en tete", "7;ABC", ";", "_7;ABC"},
        {"signe moins en tete", "-5;ABC", ";", "_5;ABC"},
        {"blanc avant le chiffre", " 7;ABC", ";", " 7;ABC"},
        {"date, apostrophe, trait d'union", "O'Neil;AB-CD;12/05/2010", ";", "O Neil;AB_CD;12 05 2010"},
        {"les dix-neuf caracteres", QStringLiteral("a'b=c#d²e,f+g-h{i}j[k]l@m/n?o.p§q!r:s*t"), ";",
         "a b c d e f g_h i j k l m n o p q r s t"},
        {"virgule separateur", "DUPONT,Marie,6e A", ",", "DUPONT,Marie,6e A"},
        {"point separateur", "DUPONT.Marie:6e", ".", "DUPONT.Marie 6e"},
        {"virgule hors separateur", "DUPONT,Marie;6e", ";", "DUPONT Marie;6e"},
        {"guillemets, tabulation, accents", QStringLiteral("\"Élodie\"\tçà;Noël"), ";",
         QStringLiteral("\"Élodie\"\tçà;Noël")},
        {"251 points-virgules", pointsVirgules251, ";", ";"},
        {"250 points-virgules", QString(250, u';'), ";", QString(250, u';')},
        {"502 points-virgules", QString(502, u';'), ";", ";;"},
        {"300 points-virgules", QString(300, u';'), ";", QString(50, u';')},
        {"251 apres un champ", "A" + pointsVirgules251 + "B", ",", "A;B"},
    };
    for (const CasNettoyage& c : cas)
        EXPECT_EQ(nettoyerLigne(c.ligne, c.separateur), c.attendu) << c.nom;
}

TEST(CsvElevesFichiers, CheminDeLaCopieRevue)
{
    const std::pair<QString, QString> cas[] = {
        {"/ecole/liste.csv", "/ecole/liste_revu.csv"},
        {"/ecole/LISTE.CSV", "/ecole/LISTE_revu.csv"},
        {"/ecole/liste.txt", "/ecole/liste.txt_revu.csv"},
        {"/ecole/eleves", "/ecole/eleves_revu.csv"},
        {"/archives.csv/eleves", "/archives.csv/eleves_revu.csv"},
        {"/ecole/.csv", "/ecole/.csv_revu.csv"},
    };
    for (const auto& [fichier, copie] : cas)
        EXPECT_EQ(cheminRevu(fichier), copie) << fichier.toStdString();
}

TEST(CsvElevesFichiers, FinsDeLigne)
{
    const std::pair<QString, QStringList> cas[] = {
        {"a;b\r\nc;d\r\n", {"a;b", "c;d"}},
        {"a;b\nc;d", {"a;b", "c;d"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb\r\n\r\n", {"a", "", "b", ""}},
        {"", {}},
    };
    for (const auto& [texte, attendu] : cas)
        EXPECT_EQ(lignes(texte), attendu) << texte.toStdString();
}

TEST(CsvElevesEnregistrements, EnTeteLignesVidesEtBlancs)
{
    const QStringList source = {"", "NOM;PRENOM", "  DURAND;Léa", "   ", "MARTIN;Paul", ""};
    EXPECT_EQ(enregistrements(source, false, ";"), (QStringList{"DURAND;Léa", "MARTIN;Paul"}));
    EXPECT_EQ(enregistrements(source, true, ";"), (QStringList{"NOM;PRENOM", "DURAND;Léa", "MARTIN;Paul"}));
    EXPECT_TRUE(enregistrements({"NOM;PRENOM"}, false, ";").isEmpty());
    // Spreadsheets leave lines of separators only after formatted empty rows.
    EXPECT_EQ(enregistrements({";;", "DURAND;Léa", " ; \t;", "\"\";;"}, true, ";"), (QStringList{"DURAND;Léa"}));
}

TEST(CsvElevesChamps, CommeLesEcolesLesExportent)
{
    const struct {
        QString enregistrement, separateur;
        QStringList attendu;
    } cas[] = {
        {"DUPONT;Léa;6A", ";", {"DUPONT", "Léa", "6A"}},
        {"\"DUPONT\";\"Léa\";\"6A\"", ";", {"DUPONT", "Léa", "6A"}},
        {"\"Le \"\"Grand\"\"\";Paul", ";", {"Le \"Grand\"", "Paul"}},
        {"\"Martin; Jr\";Eva;5B", ";", {"Martin; Jr", "Eva", "5B"}},
        {"\tDURAND\t; Léa \t;\t\"6A\"\t", ";", {"DURAND", "Léa", "6A"}},
        {"a,\"b,c\",", ",", {"a", "b,c", ""}},
        {"NOM\tPRENOM\t\tCLASSE", "\t", {"NOM", "PRENOM", "", "CLASSE"}},
        {";;", ";", {"", "", ""}},
        {"\"sans fin;x", ";", {"sans fin;x"}},
    };
    for (const auto& c : cas)
        EXPECT_EQ(champs(c.enregistrement, c.separateur), c.attendu) << c.enregistrement.toStdString();
}

TEST(CsvElevesApercu, TroisPremiersEnregistrementsEtColonneLaPlusLarge)
{
    const Apercu a = apercu({"NOM;PRENOM;CLASSE", "", "DURAND;Léa;6A;x;y;", "MARTIN;Paul", "BLANC;Eva;5B"}, ";");
    ASSERT_EQ(a.lignes.size(), 3);
    EXPECT_EQ(a.lignes[0], (QStringList{"NOM", "PRENOM", "CLASSE"}));
    EXPECT_EQ(a.lignes[1], (QStringList{"DURAND", "Léa", "6A", "x", "y", ""}));
    EXPECT_EQ(a.lignes[2], (QStringList{"MARTIN", "Paul"}));
    EXPECT_EQ(a.colonnes, 6);
    EXPECT_EQ(apercu({}, ";").colonnes, 0);
}

TEST(CsvElevesLecture, ColonnesChoisiesEtOptionnellesAbsentes)
{
    Correspondance colonnes;
    colonnes.nom = 1;
    colonnes.prenom = 2;
    colonnes.classe = 0;
    colonnes.ine = 4;
    const Lecture lecture = lireEleves({"6A;DURAND;Léa;x;123AB", "5B;MARTIN;Paul;;"}, colonnes, ";");
    ASSERT_FALSE(lecture.enregistrementCourt);
    ASSERT_EQ(lecture.eleves.size(), 2u);
    EXPECT_EQ(lecture.eleves[0], (Eleve{"DURAND", "Léa", "6A", "", "", "123AB", ""}));
    EXPECT_EQ(lecture.eleves[1], (Eleve{"MARTIN", "Paul", "5B", "", "", "", ""}));
}

TEST(CsvElevesLecture, EnregistrementCourtNeDonneAucunEleve)
{
    Correspondance colonnes;
    colonnes.nom = 0;
    colonnes.prenom = 1;
    colonnes.classe = 2;
    const Lecture lecture = lireEleves({"DURAND;Léa;6A", "MARTIN,Paul,5B", "BLANC;Eva;5B"}, colonnes, ";");
    EXPECT_EQ(lecture.enregistrementCourt, 1);
    EXPECT_TRUE(lecture.eleves.empty());
}
