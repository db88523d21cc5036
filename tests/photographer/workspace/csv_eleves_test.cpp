#include "photographer/workspace/csv_eleves.h"

#include "common/text.h"
#include "photographer/data/noms_photos.h"
#include "photographer/shoot/capture.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStringEncoder>
#include <QTemporaryDir>

using namespace csv_eleves;

namespace {

// The records of a file's text, each as "line number|text".
QStringList numerotees(const QString& texte, const QString& separateur = QStringLiteral(";"))
{
    QStringList resultat;
    for (const Ligne& ligne : lignes(texte, separateur))
        resultat << QString::number(ligne.numero) + u'|' + ligne.texte;
    return resultat;
}

Lignes enLignes(const QStringList& textes)
{
    Lignes resultat;
    for (const QString& texte : textes)
        resultat.append({texte, int(resultat.size()) + 1, 0});
    return resultat;
}

Correspondance nomPrenomClasse()
{
    Correspondance colonnes;
    colonnes.nom = 0;
    colonnes.prenom = 1;
    colonnes.classe = 2;
    return colonnes;
}

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
        {"a;b\r\nc;d\r\n", {"1|a;b", "2|c;d"}},
        {"a;b\nc;d", {"1|a;b", "2|c;d"}},
        {"a\rb\r", {"1|a", "2|b"}},
        {"a\r\n\r\nb\r\n\r\n", {"1|a", "2|", "3|b", "4|"}},
        {"", {}},
    };
    for (const auto& [texte, attendu] : cas)
        EXPECT_EQ(numerotees(texte), attendu) << texte.toStdString();
}

TEST(CsvElevesFichiers, UnChampEntreGuillemetsGardeSesRetoursALaLigne)
{
    const std::pair<QString, QStringList> cas[] = {
        // A break at the start, in the middle and at the end of a quoted field.
        {"DURAND;Léa;\"\n12 rue Haute\";6A\r\nBLANC;Eva;x;5B\r\n",
         {"1|DURAND;Léa;\" 12 rue Haute\";6A", "3|BLANC;Eva;x;5B"}},
        {"DURAND;Léa;\"12 rue Haute\r\nBâtiment B\";75001;Paris;6A\r\nBLANC;Eva;x;75002;Paris;5B",
         {"1|DURAND;Léa;\"12 rue Haute Bâtiment B\";75001;Paris;6A", "3|BLANC;Eva;x;75002;Paris;5B"}},
        {"DURAND;Léa;\"12 rue Haute\r\n\";6A\rBLANC;Eva;x;5B", {"1|DURAND;Léa;\"12 rue Haute \";6A", "3|BLANC;Eva;x;5B"}},
        {"\"Le \"\"Grand\"\"\nJr\";Paul\n\"a\n\nb\";c\nd", {"1|\"Le \"\"Grand\"\" Jr\";Paul", "3|\"a  b\";c", "6|d"}},
        // A quote opens a field only where the field starts, blanks aside.
        {"O\"Neil;Paul\nBLANC;Eva", {"1|O\"Neil;Paul", "2|BLANC;Eva"}},
        {"DURAND; \"Léa\nMarie\";6A", {"1|DURAND; \"Léa Marie\";6A"}},
        {"\"a\"b\"c;d\ne", {"1|\"a\"b\"c;d", "2|e"}},
        {"\"x;\ny\";z", {"1|\"x; y\";z"}},
    };
    for (const auto& [texte, attendu] : cas)
        EXPECT_EQ(numerotees(texte), attendu) << texte.toStdString();

    // With another separator, a ";" does not start a field.
    EXPECT_EQ(numerotees("a;\"b\nc", ","), (QStringList{"1|a;\"b", "2|c"}));
    EXPECT_EQ(numerotees("a,\"b\nc\"", ","), (QStringList{"1|a,\"b c\""}));
    EXPECT_EQ(numerotees("a\t\"b\nc\"\td", "\t"), (QStringList{"1|a\t\"b c\"\td"}));
}

TEST(CsvElevesFichiers, GuillemetJamaisFermeRefuseLeFichier)
{
    const struct {
        QString texte;
        int ligne;
    } cas[] = {
        {"DURAND;Léa;6A\nBLANC;\"Eva;5B\nMARTIN;Paul;5B\n", 2},
        {"DURAND;\"Léa\n\";6A;\"x\nBLANC;Eva;5B", 2},
        {"DURAND;Léa;6A\n\"", 2},
        {"DURAND;Léa;6A\nBLANC;Eva;5B\n", 0},
        {"O\"Neil;Paul;6A", 0},
    };
    for (const auto& c : cas) {
        const Lignes lues = lignes(c.texte, ";");
        const QString refus = refusGuillemet(lues, "liste.csv");
        if (c.ligne == 0) {
            EXPECT_EQ(refus, QString()) << c.texte.toStdString();
            continue;
        }
        EXPECT_EQ(refus, QStringLiteral("Le fichier « liste.csv » ne peut pas être importé : le guillemet ouvert à "
                                        "la ligne %1 n'est jamais fermé. Rien n'a été importé.")
                             .arg(c.ligne))
            << c.texte.toStdString();
    }
}

TEST(CsvElevesFichiers, ListesDansChaqueEncodage)
{
    const QString liste = QStringLiteral("NOM;PRENOM;CLASSE\r\nNOËL;Hélène;6e A\r\nŒRTEL;Zoé;5e B\r\n");
    const QStringList attendu = {"1|NOM;PRENOM;CLASSE", "2|NOËL;Hélène;6e A", "3|ŒRTEL;Zoé;5e B"};
    const auto utf16 = [&liste](QStringConverter::Encoding encodage, const QByteArray& marque) {
        return marque + QByteArray(QStringEncoder(encodage)(liste));
    };
    const std::pair<const char*, QByteArray> cas[] = {
        {"UTF-8 avec marque", "\xEF\xBB\xBF" + liste.toUtf8()},
        {"UTF-8", liste.toUtf8()},
        {"Windows-1252", text::toWindows1252(liste)},
        {"UTF-16 LE avec marque", utf16(QStringConverter::Utf16LE, "\xFF\xFE")},
        {"UTF-16 BE avec marque", utf16(QStringConverter::Utf16BE, "\xFE\xFF")},
    };
    for (const auto& [nom, octets] : cas)
        EXPECT_EQ(numerotees(text::decodeStudentList(octets).text), attendu) << nom;
}

TEST(CsvElevesEnregistrements, EnTeteLignesVidesEtBlancs)
{
    const Lignes source = enLignes({"", "NOM;PRENOM", "  DURAND;Léa", "   ", "MARTIN;Paul", ""});
    EXPECT_EQ(enregistrements(source, false, ";"), (Lignes{{"DURAND;Léa", 3, 0}, {"MARTIN;Paul", 5, 0}}));
    EXPECT_EQ(textes(enregistrements(source, true, ";")), (QStringList{"NOM;PRENOM", "DURAND;Léa", "MARTIN;Paul"}));
    EXPECT_TRUE(enregistrements(enLignes({"NOM;PRENOM"}), false, ";").isEmpty());
    // Spreadsheets leave lines of separators only after formatted empty rows.
    EXPECT_EQ(textes(enregistrements(enLignes({";;", "DURAND;Léa", " ; \t;", "\"\";;"}), true, ";")),
              (QStringList{"DURAND;Léa"}));
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
    const Apercu a =
        apercu(enLignes({"NOM;PRENOM;CLASSE", "", "DURAND;Léa;6A;x;y;", "MARTIN;Paul", "BLANC;Eva;5B"}), ";");
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
    const Lecture lecture = lireEleves(enLignes({"6A;DURAND;Léa;x;123AB", "5B;MARTIN;Paul;;"}), colonnes, ";", "l.csv");
    ASSERT_EQ(lecture.refus, QString());
    ASSERT_EQ(lecture.eleves.size(), 2u);
    EXPECT_EQ(lecture.eleves[0], (Eleve{"DURAND", "Léa", "6A", "", "", "123AB", ""}));
    EXPECT_EQ(lecture.eleves[1], (Eleve{"MARTIN", "Paul", "5B", "", "", "", ""}));
}

TEST(CsvElevesLecture, EnregistrementCourtNeDonneAucunEleveEtNommeSaLigne)
{
    // The address of the first student spans lines 2 and 3: the short record starts at line 4.
    const Lignes source = enregistrements(
        lignes("NOM;PRENOM;ADRESSE;CLASSE\nDURAND;Léa;\"1 rue Haute\nBât. B\";6A\nMARTIN,Paul,x,5B\nBLANC;Eva;y;5B",
               ";"),
        false, ";");
    Correspondance colonnes = nomPrenomClasse();
    colonnes.classe = 3;
    const Lecture lecture = lireEleves(source, colonnes, ";", "/ecole/liste.csv");
    EXPECT_EQ(lecture.refus, QStringLiteral("le séparateur csv choisi n'est pas correct : l'élève qui commence à la "
                                            "ligne 4 du fichier « /ecole/liste.csv » ne compte pas assez de colonnes "
                                            "(1 au lieu d'au moins 4). Rien n'a été importé."));
    EXPECT_TRUE(lecture.eleves.empty());
}

TEST(CsvElevesLecture, ClasseNomEtPrenomDoiventPouvoirNommerLesPhotos)
{
    // The longest names the pictures can take, counted in bytes of UTF-8: "é" and "É" take two.
    const qsizetype place = noms_photos::octetsPermis();
    const QString nom(100, QChar(u'É'));
    const struct {
        const char* cas;
        QString classe, nom, prenom;
        QString refus; // "" when imported; else "%1 caractères (ils en comptent %2)"
    } cas[] = {
        {"classe de 300 caractères", QString(300, u'A'), "DURAND", "Léa",
         QStringLiteral("%1 caractères (ils en comptent 309)").arg(place)},
        {"accents tout juste", QString(place - 204, u'C'), nom, "Léa", ""},
        {"un octet de trop", QString(place - 203, u'C'), nom, "Léa",
         QStringLiteral("%1 caractères (ils en comptent %2)").arg(place - 203 + 102).arg(place - 203 + 103)},
        {"accent à cheval sur la limite", QString(place - 1, u'C'), "", "é",
         QStringLiteral("%1 caractères (ils en comptent %2)").arg(place - 1).arg(place)},
        {"noms courts", "6e A", "DURAND", "Léa", ""},
    };
    for (const auto& c : cas) {
        const QString ligne = QStringList{c.nom, c.prenom, c.classe}.join(u';');
        const Lecture lecture = lireEleves(enLignes({"DURAND;Léa;6A", ligne}), nomPrenomClasse(), ";", "liste.csv");
        if (c.refus.isEmpty()) {
            EXPECT_EQ(lecture.refus, QString()) << c.cas;
            EXPECT_EQ(lecture.eleves.size(), 2u) << c.cas;
            continue;
        }
        EXPECT_EQ(lecture.refus, "La classe, le nom et le prénom de l'élève qui commence à la ligne 2 du fichier « "
                                 "liste.csv » sont trop longs pour nommer ses photos : ensemble, ils peuvent "
                                 "compter au plus " + c.refus + ". Rien n'a été importé.")
            << c.cas;
        EXPECT_TRUE(lecture.eleves.empty()) << c.cas;
    }
}

// A control character left in a name (a tab inside a field, a line separator
// from a word processor) refuses the record and names its line, never stored.
TEST(CsvElevesLecture, UnCaractereDeControleDansUnNomRefuseSaLigne)
{
    const struct {
        QString ligne;
        const char* refus; // "" when imported
    } cas[] = {
        {"DURAND\tMARTIN;Léa;6A", "son nom contient une tabulation"},
        {"DURAND;Léa\x0B;6A", "son prénom contient un caractère de contrôle (U+000B)"},
        {"DURAND;Léa;6" + QString(QChar(0x2028)) + "A", "sa classe contient un saut de ligne"},
        {"DURAND;Léa" + QString(QChar(0x0092)) + ";6A", "son prénom contient un caractère de contrôle (U+0092)"},
        // Blanks and tabs around a field are no part of it.
        {"\tDURAND\t;Léa;6A", ""},
        // Birth dates and other columns are not names.
        {"DURAND;Léa;6A;\x01", ""},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.ligne.toStdString());
        const Lecture lecture = lireEleves(enLignes({"MARTIN;Paul;5B", c.ligne}), nomPrenomClasse(), ";", "liste.csv");
        if (*c.refus == 0) {
            EXPECT_EQ(lecture.refus, QString());
            EXPECT_EQ(lecture.eleves.size(), 2u);
            continue;
        }
        EXPECT_EQ(lecture.refus, QStringLiteral("L'élève qui commence à la ligne 2 du fichier « liste.csv » ne peut pas "
                                                "être importé : %1, qui ne peut pas figurer dans un nom de fichier ou de "
                                                "dossier : retirez-le. Rien n'a été importé.")
                                     .arg(QString::fromUtf8(c.refus)));
        EXPECT_TRUE(lecture.eleves.empty());
    }
}

TEST(CsvElevesLecture, LaFinDitLesEncodagesQuandIlsSontMeles)
{
    EXPECT_EQ(encodagesMeles(0, 12), QString());
    EXPECT_EQ(encodagesMeles(3, 0), QString());
    EXPECT_EQ(encodagesMeles(1, 12),
              QStringLiteral("Le fichier mêlait deux encodages : 1 ligne a été lue en UTF-8 et 12 lignes ont été lues "
                             "en Windows-1252."));
    EXPECT_EQ(encodagesMeles(2, 1),
              QStringLiteral("Le fichier mêlait deux encodages : 2 lignes ont été lues en UTF-8 et 1 ligne a été lue "
                             "en Windows-1252."));
}

namespace {

// Files the camera picture at `photo` as the shoot does; "" when it was filed.
QString classer(const QString& photo, const capture::Destinations& vers)
{
    const QFileInfo info(photo);
    const capture::WatchedFolder::Candidate camera{
        {QFile::encodeName(photo), info.size(), {info.lastModified().toSecsSinceEpoch(), 0}}, 0};
    const capture::Prepared prete = capture::prepare(camera, 0, vers);
    if (prete.state != capture::Prepared::State::Ready)
        return prete.error.isEmpty() ? QStringLiteral("pas prête") : prete.error;
    return capture::place(prete, vers).error;
}

} // namespace

// The longest names the import accepts can have every picture filed, even for
// a namesake numbered "_99": the archive copy, and the originals set aside when
// the student is shot again, ten times in one second (the tenth is numbered
// "_10"). One byte more and that name no longer fits.
TEST(CsvElevesLecture, LaPlusLongueClasseAccepteeSeClasseAuShooting)
{
    const qsizetype place = noms_photos::octetsPermis();
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    const QString photo = dossier.filePath("IMG_0001.JPG");
    ASSERT_TRUE(image.save(photo, "JPEG"));

    const std::pair<qsizetype, bool> cas[] = {{place, true}, {place + 1, false}};
    for (const auto& [octets, classee] : cas) {
        // "Léa" and 100 "É" take 204 bytes; the class takes the rest.
        const QString classe(octets - 204, u'C');
        ASSERT_EQ(lireEleves(enLignes({QString(100, QChar(u'É')) + ";Léa;" + classe}), nomPrenomClasse(), ";", "l.csv")
                      .refus.isEmpty(),
                  classee);
        const QString etab = dossier.filePath(QString::number(octets));
        const capture::Destinations vers = capture::destinations({etab + "/Lycée", etab + "/Lycée BR",
                                                                  etab + "/Lycée BR3", etab + "/labohd/Lycée"},
                                                                 classe, QString(100, QChar(u'É')), "Léa", "1", 99);
        QString erreur;
        for (int prise = 0; prise < 11 && erreur.isEmpty(); ++prise) {
            erreur = classer(photo, vers);
            QFile archive(vers.archive);
            if (archive.open(QIODevice::ReadWrite))
                archive.setFileTime(QDateTime(QDate(2026, 3, 9), QTime(14, 30, 5)), QFileDevice::FileModificationTime);
        }
        EXPECT_EQ(erreur.isEmpty(), classee) << octets << " " << erreur.toStdString();
    }
}
