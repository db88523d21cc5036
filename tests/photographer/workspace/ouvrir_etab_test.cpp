#include "common/text.h"
#include "photographer/data/noms_photos.h"
#include "tests/photographer/support/photographe_fixture.h"
#include "tests/support/read_only_folder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStringEncoder>
#include <QTableWidget>
#include <QTest>

namespace {

using Answer = dialogs::Answer;

const QString kListe = QStringLiteral("NOM;PRENOM;CLASSE;NAISSANCE;REGIME\r\n"
                                      "DURAND;Hélène;6e A;12/05/2010;Externe\r\n"
                                      "O'BRIEN;Jean-Noël;5e B;01/02/2011;Demi-pension\r\n"
                                      "\r\n");

class ImportCsvEleves : public PhotographeFixture {
protected:
    QString ecrireListe(const QString& nom, const QByteArray& octets)
    {
        return Sandbox::writeFile(sandbox_.path(QStringLiteral("ecole/") + nom), octets);
    }

    // Shows the import for the establishment; the file dialog answers `fichier`.
    OuvrirEtab& ouvrir(const QString& code, const QString& fichier)
    {
        etat::CodeEtabEnCours = code;
        dialogues_.openFile(fichier);
        OuvrirEtab& form = formInstance<OuvrirEtab>();
        form.showForm();
        return form;
    }

    static void choisir(OuvrirEtab& form, const char* liste, int colonne)
    {
        form.findChild<QComboBox*>(QString::fromLatin1(liste))->setCurrentIndex(colonne);
    }

    static void choisirNomPrenomClasse(OuvrirEtab& form)
    {
        choisir(form, "ComboNom", 0);
        choisir(form, "ComboPrenom", 1);
        choisir(form, "ComboClasse", 2);
    }

    static void charger(OuvrirEtab& form)
    {
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Bt_Charge_0")), Qt::LeftButton);
    }

    static std::vector<QStringList> eleves(const QString& code)
    {
        std::vector<QStringList> resultat;
        for (const db::Row& ligne : base().query(
                 QStringLiteral("SELECT CodeEtablissement, Nom, Prenom, Classe, Naissance, Regime, INE, "
                                "NumInterne, NomPhoto FROM Eleves WHERE CodeEtablissement = ? ORDER BY CdeEleves"),
                 {code})) {
            QStringList valeurs;
            for (int i = 0; i < ligne.size(); ++i)
                valeurs.append(ligne.at(i));
            resultat.push_back(valeurs);
        }
        return resultat;
    }

    static int nombreEleves()
    {
        return base().scalar(QStringLiteral("SELECT count(*) FROM Eleves")).toInt();
    }
};

TEST_F(ImportCsvEleves, ListeWindows1252AvecEnTeteEtLigneVide)
{
    const QString code = ajouterEtablissement(QStringLiteral("Collège Jeanne d'Arc"));
    const QString fichier = ecrireListe(QStringLiteral("jeanne.csv"), text::toWindows1252(kListe));
    const QString copie = sandbox_.path(QStringLiteral("ecole/jeanne_revu.csv"));
    Sandbox::writeFile(copie, "ancienne copie\r\n");

    OuvrirEtab& form = ouvrir(code, fichier);

    // A dialog closing is not an activation: the file dialog does not come back.
    QEvent retour(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&form, &retour);

    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("LabelNom"))->text(), QStringLiteral("Collège Jeanne d'Arc"));
    const auto* grille = form.findChild<QTableWidget*>(QStringLiteral("GridCsv"));
    EXPECT_EQ(grille->columnCount(), 5);
    EXPECT_EQ(grille->item(0, 0)->text(), QStringLiteral("NOM"));
    EXPECT_EQ(grille->item(2, 1)->text(), QStringLiteral("Jean_Noël"));
    const auto* listeNom = form.findChild<QComboBox*>(QStringLiteral("ComboNom"));
    EXPECT_EQ(listeNom->count(), 5);
    EXPECT_EQ(listeNom->itemText(2), QStringLiteral("CLASSE"));
    EXPECT_EQ(listeNom->currentIndex(), -1);

    QFile revue(copie);
    ASSERT_TRUE(revue.open(QIODevice::ReadOnly));
    EXPECT_EQ(revue.readAll(), text::toWindows1252(QStringLiteral("NOM;PRENOM;CLASSE;NAISSANCE;REGIME\r\n"
                                                                  "DURAND;Hélène;6e A;12 05 2010;Externe\r\n"
                                                                  "O BRIEN;Jean_Noël;5e B;01 02 2011;Demi_pension\r\n"
                                                                  "\r\n")));
    EXPECT_EQ(etat::FichierChoisi, copie);

    dialogues_.message(QStringLiteral("Veuillez renseigner TOUS les champs obligatoires"));
    choisir(form, "ComboNom", 0);
    choisir(form, "ComboPrenom", 1);
    charger(form);
    EXPECT_EQ(dialogues_.lastPrompt().title, QStringLiteral("Champs non renseignés"));
    EXPECT_EQ(nombreEleves(), 0);

    choisir(form, "ComboClasse", 2);
    choisir(form, "ComboDateNaissance", 3);
    dialogues_.message(QStringLiteral(" Nombre d'élèves : 2"))
        .message(QStringLiteral("Chargement fichier terminé"));
    charger(form);

    EXPECT_EQ(eleves(code), (std::vector<QStringList>{
                                {code, "DURAND", "Hélène", "6e A", "12 05 2010", "", "", "", ""},
                                {code, "O BRIEN", "Jean_Noël", "5e B", "01 02 2011", "", "", "", ""}}));
    EXPECT_EQ(dialogues_.lastPrompt().title, QStringLiteral("Fichier Chargé"));
    EXPECT_EQ(existingForm<OuvrirEtab>(), nullptr);
    EXPECT_TRUE(accueilAffiche());
}

// A list pasted together from two sources: one line of UTF-8 among lines of
// Windows-1252, NUL bytes and byte-order marks inside fields. Every name is
// stored as the file shows it, and the end says how the lines were read.
TEST_F(ImportCsvEleves, UneListeMeleeEstEnregistreeCommeElleEstEcrite)
{
    const QString code = ajouterEtablissement(QStringLiteral("Collège Jeanne d'Arc"));
    using namespace Qt::StringLiterals;
    const QByteArray octets = "NOM;PRENOM;CLASSE\r\n"
                              "DURAND;H\xE9l\xE8ne;6A\r\n"
                              "NO\xC3\x8BL;H\xC3\xA9l\xC3\xA8ne;\xEF\xBB\xBF" "6A\r\n"
                              "MAR\0TIN;Zo\xE9;6A\xEF\xBB\xBF\r\n"
                              "\xEF\xBB\xBF\xC9MILE;Andr\xE9\0;5B\r\n"_ba;
    OuvrirEtab& form = ouvrir(code, ecrireListe(QStringLiteral("melee.csv"), octets));
    choisirNomPrenomClasse(form);
    dialogues_.message(QStringLiteral(" Nombre d'élèves : 4"))
        .message(QStringLiteral("Chargement fichier terminé\nLe fichier mêlait deux encodages : 1 ligne a été lue en "
                                "UTF-8 et 3 lignes ont été lues en Windows-1252."));
    charger(form);

    EXPECT_EQ(eleves(code), (std::vector<QStringList>{{code, "DURAND", "Hélène", "6A", "", "", "", "", ""},
                                                       {code, "NOËL", "Hélène", "6A", "", "", "", "", ""},
                                                       {code, "MARTIN", "Zoé", "6A", "", "", "", "", ""},
                                                       {code, "ÉMILE", "André", "5B", "", "", "", "", ""}}));
    EXPECT_EQ(existingForm<OuvrirEtab>(), nullptr);
}

TEST_F(ImportCsvEleves, ListesEnUnicodeDonnentLesMemesLignes)
{
    const QString premier = ajouterEtablissement(QStringLiteral("Collège Jeanne d'Arc"));
    const QString second = ajouterEtablissement(QStringLiteral("Lycée Victor Hugo"));
    QString listeLf = kListe;
    listeLf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // A spreadsheet's "Unicode text": UTF-16 with its byte-order mark, in either byte order.
    const auto utf16 = [](QStringConverter::Encoding encodage, const QByteArray& marque) {
        return marque + QByteArray(QStringEncoder(encodage)(kListe));
    };
    const std::pair<QString, QByteArray> listes[] = {
        {premier, text::toWindows1252(kListe)},
        {second, "\xEF\xBB\xBF" + listeLf.toUtf8()},
        {ajouterEtablissement(QStringLiteral("Lycée Sud")), utf16(QStringConverter::Utf16LE, "\xFF\xFE")},
        {ajouterEtablissement(QStringLiteral("Lycée Nord")), utf16(QStringConverter::Utf16BE, "\xFE\xFF")},
    };
    for (const auto& [code, octets] : listes) {
        OuvrirEtab& form = ouvrir(code, ecrireListe(QStringLiteral("liste%1.csv").arg(code), octets));
        choisirNomPrenomClasse(form);
        choisir(form, "ComboRegime", 4);
        dialogues_.message(QStringLiteral(" Nombre d'élèves : 2")).message(QStringLiteral("Chargement fichier terminé"));
        charger(form);
    }
    auto sansCode = [](std::vector<QStringList> lignes) {
        for (QStringList& ligne : lignes)
            ligne.removeFirst();
        return lignes;
    };
    ASSERT_EQ(eleves(premier).size(), 2u);
    for (const auto& [code, octets] : listes)
        EXPECT_EQ(sansCode(eleves(code)), sansCode(eleves(premier))) << code.toStdString();
    EXPECT_EQ(eleves(second)[0][5], QStringLiteral("Externe"));
}

TEST_F(ImportCsvEleves, LigneCourteNImporteRienEtLaListeResteAImporter)
{
    const QString code = ajouterEtablissement(QStringLiteral("Ecole du Parc"));
    const QString fichier = ecrireListe(QStringLiteral("parc.csv"), "DURAND;Lea;6A\r\nMARTIN;Paul\r\nBLANC;Eva;5B\r\n");

    OuvrirEtab& form = ouvrir(code, fichier);
    form.findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(true);
    choisirNomPrenomClasse(form);
    dialogues_.message(QStringLiteral(" Nombre d'élèves : 3"))
        .message(QStringLiteral("le séparateur csv choisi n'est pas correct : l'élève qui commence à la ligne 2 du "
                                "fichier « ")
                 + QDir::toNativeSeparators(fichier));
    charger(form);
    EXPECT_EQ(nombreEleves(), 0);
    EXPECT_EQ(existingForm<OuvrirEtab>(), nullptr);
    EXPECT_TRUE(accueilAffiche());

    // Still without students: the next opening asks for the file again.
    dialogues_.openFile(QString()).message(
        QStringLiteral("Opération annulée, Sélectionner le fichier (.csv) transmis par l'établissement"));
    formInstance<OuvrirEtab>().showForm();
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_EQ(existingForm<OuvrirEtab>(), nullptr);
    EXPECT_EQ(nombreEleves(), 0);
}

TEST_F(ImportCsvEleves, AdressesSurPlusieursLignesNeDonnentAucunEleveFantome)
{
    const QString code = ajouterEtablissement(QStringLiteral("Ecole du Parc"));
    const QString fichier = ecrireListe(
        QStringLiteral("adresses.csv"),
        text::toWindows1252(QStringLiteral("NOM;PRENOM;CLASSE;ADRESSE;CP;VILLE\r\n"
                                           "DURAND;Léa;6A;\"12 rue Haute\r\nBâtiment B\";75001;Paris\r\n"
                                           "MARTIN;Paul;5B;\"\r\n3 place Verte\";75002;Paris\r\n"
                                           "BLANC;Eva;5B;\"1 quai Bas\r\n\";75003;Paris\r\n")));
    OuvrirEtab& form = ouvrir(code, fichier);
    const auto* grille = form.findChild<QTableWidget*>(QStringLiteral("GridCsv"));
    EXPECT_EQ(grille->item(1, 3)->text(), QStringLiteral("12 rue Haute Bâtiment B"));
    EXPECT_EQ(grille->item(2, 0)->text(), QStringLiteral("MARTIN"));

    choisirNomPrenomClasse(form);
    choisir(form, "ComboRegime", 3);
    choisir(form, "ComboNumInterne", 5);
    dialogues_.message(QStringLiteral(" Nombre d'élèves : 3")).message(QStringLiteral("Chargement fichier terminé"));
    charger(form);
    EXPECT_EQ(eleves(code), (std::vector<QStringList>{
                                {code, "DURAND", "Léa", "6A", "", "12 rue Haute Bâtiment B", "", "Paris", ""},
                                {code, "MARTIN", "Paul", "5B", "", "3 place Verte", "", "Paris", ""},
                                {code, "BLANC", "Eva", "5B", "", "1 quai Bas", "", "Paris", ""}}));
}

TEST_F(ImportCsvEleves, ListeIllisibleOuTropLongueNImporteRien)
{
    const QString code = ajouterEtablissement(QStringLiteral("Ecole du Parc"));
    const QString classe(300, u'C');
    const QString longue = ecrireListe(QStringLiteral("longue.csv"),
                                       ("NOM;PRENOM;CLASSE\r\nDURAND;Lea;6A\r\nMARTIN;Paul;" + classe + "\r\n").toLatin1());
    OuvrirEtab& form = ouvrir(code, longue);
    choisirNomPrenomClasse(form);
    dialogues_.message(QStringLiteral(" Nombre d'élèves : 2"))
        .message(QStringLiteral("l'élève qui commence à la ligne 3 du fichier « %1 » sont trop longs pour nommer ses "
                                "photos : ensemble, ils peuvent compter au plus %2 caractères (ils en comptent 310). "
                                "Rien n'a été importé.")
                     .arg(QDir::toNativeSeparators(longue), QString::number(noms_photos::octetsPermis())));
    charger(form);
    EXPECT_EQ(nombreEleves(), 0);
    EXPECT_EQ(existingForm<OuvrirEtab>(), nullptr);
    EXPECT_TRUE(accueilAffiche());

    // A quote never closed swallows the rest of the file: refused before any copy or preview.
    const QString sansFin = ecrireListe(QStringLiteral("sansfin.csv"),
                                        "NOM;PRENOM;CLASSE\r\nDURAND;Lea;6A\r\nMARTIN;\"Paul;5B\r\nBLANC;Eva;5B\r\n");
    dialogues_.openFile(sansFin).message(
        QStringLiteral("Le fichier « %1 » ne peut pas être importé : le guillemet ouvert à la ligne 3 n'est jamais "
                       "fermé. Rien n'a été importé.")
            .arg(QDir::toNativeSeparators(sansFin)));
    formInstance<OuvrirEtab>().showForm();
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_FALSE(QFileInfo::exists(sandbox_.path(QStringLiteral("ecole/sansfin_revu.csv"))));
    EXPECT_EQ(existingForm<OuvrirEtab>(), nullptr);
    EXPECT_TRUE(accueilAffiche());
    EXPECT_EQ(nombreEleves(), 0);
}

TEST_F(ImportCsvEleves, RetourDeLAProposRedemandeLeFichier)
{
    const QString code = ajouterEtablissement(QStringLiteral("Ecole du Parc"));
    const QString fichier = ecrireListe(QStringLiteral("parc.csv"), "NOM;PRENOM;CLASSE\r\nDURAND;Lea;6A\r\n");
    OuvrirEtab& form = ouvrir(code, fichier);

    form.findChild<QAction*>(QStringLiteral("MNU_Propos"))->trigger();
    ASSERT_NE(existingForm<Propos>(), nullptr);
    EXPECT_TRUE(form.isVisible());
    existingForm<Propos>()->unload();

    // Still without students: coming back asks for the list again.
    dialogues_.openFile(ecrireListe(QStringLiteral("parc2.csv"), "NOM;PRENOM;CLASSE;REGIME\r\n"));
    form.activateFromUser();
    EXPECT_EQ(dialogues_.prompts().size(), 2u);
    EXPECT_EQ(form.findChild<QComboBox*>(QStringLiteral("ComboNom"))->count(), 4);
}

TEST_F(ImportCsvEleves, FichierIlliblePrevientEtNEcritRien)
{
    const QString code = ajouterEtablissement(QStringLiteral("Ecole du Parc"));
    const QString absent = sandbox_.path(QStringLiteral("ecole/absent.csv"));
    dialogues_.openFile(absent).message(QStringLiteral("n'a pas pu être lu"));
    etat::CodeEtabEnCours = code;
    formInstance<OuvrirEtab>().showForm();
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_FALSE(QFile::exists(sandbox_.path(QStringLiteral("ecole/absent_revu.csv"))));
    EXPECT_NE(existingForm<OuvrirEtab>(), nullptr);
}

TEST_F(ImportCsvEleves, EtablissementUnQuandLeDixAdesEleves)
{
    QString un;
    for (int i = 1; i <= 10; ++i) {
        const QString code = ajouterEtablissement(QStringLiteral("Ecole %1").arg(i));
        if (i == 1)
            un = code;
    }
    ASSERT_EQ(un, QStringLiteral("1"));
    base().insert(QStringLiteral("INSERT INTO Eleves (CodeEtablissement, Nom) VALUES ('10', 'ANCIEN')"));

    OuvrirEtab& form = ouvrir(un, ecrireListe(QStringLiteral("un.csv"), "DURAND;Lea;6A\r\n"));
    form.findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(true);
    choisirNomPrenomClasse(form);
    dialogues_.message(QStringLiteral(" Nombre d'élèves : 1")).message(QStringLiteral("Chargement fichier terminé"));
    charger(form);

    EXPECT_EQ(eleves(un).size(), 1u);
    EXPECT_EQ(eleves(QStringLiteral("10")).size(), 1u);
}

TEST_F(ImportCsvEleves, EtablissementAvecElevesNOuvrePasLeDialogue)
{
    const QString code = ajouterEtablissement(QStringLiteral("Ecole du Parc"));
    base().insert(QStringLiteral("INSERT INTO Eleves (CodeEtablissement, Nom) VALUES (?, 'DURAND')"), {code});
    etat::CodeEtabEnCours = code;
    formInstance<OuvrirEtab>().showForm();
    EXPECT_TRUE(dialogues_.prompts().empty());
}

TEST_F(ImportCsvEleves, SeparateurLuAuChargementDuFormulaire)
{
    reglage(QStringLiteral("csv"), QStringLiteral(","));
    const QString code = ajouterEtablissement(QStringLiteral("Ecole du Parc"));
    OuvrirEtab& form = ouvrir(code, ecrireListe(QStringLiteral("virgules.csv"), "DURAND,L'ea,6-A\r\n"));
    reglage(QStringLiteral("csv"), QStringLiteral(";"));

    form.findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(true);
    choisirNomPrenomClasse(form);
    dialogues_.message(QStringLiteral(" Nombre d'élèves : 1")).message(QStringLiteral("Chargement fichier terminé"));
    charger(form);
    EXPECT_EQ(eleves(code), (std::vector<QStringList>{{code, "DURAND", "L ea", "6_A", "", "", "", "", ""}}));
}

TEST_F(ImportCsvEleves, EchecEnCoursDImportNeLaisseAucunEleve)
{
    const QString code = ajouterEtablissement(QStringLiteral("Ecole du Parc"));
    base().script(QStringLiteral("CREATE TEMP TRIGGER refus BEFORE INSERT ON Eleves WHEN NEW.Nom = 'BLANC' "
                                     "BEGIN SELECT RAISE(ABORT, 'refus'); END;"));
    OuvrirEtab& form = ouvrir(code, ecrireListe(QStringLiteral("parc.csv"),
                                                "DURAND;Lea;6A\r\nBLANC;Eva;5B\r\nMARTIN;Paul;5B\r\n"));
    form.findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(true);
    choisirNomPrenomClasse(form);
    dialogues_.message(QStringLiteral(" Nombre d'élèves : 3"))
        .message(QStringLiteral("L'importation a échoué : aucun élève n'a été enregistré."));
    charger(form);
    EXPECT_EQ(nombreEleves(), 0);
    ASSERT_NE(existingForm<OuvrirEtab>(), nullptr);
    EXPECT_FALSE(form.findChild<QWidget*>(QStringLiteral("ProgressBar1"))->isVisible());
}

TEST_F(ImportCsvEleves, DeuxMilleElevesSontTousImportes)
{
    const QString code = ajouterEtablissement(QStringLiteral("Cité scolaire"));
    QByteArray liste = "NOM;PRENOM;CLASSE;NAISSANCE;REGIME;INE;NUMERO\r\n";
    for (int i = 0; i < 2000; ++i)
        liste += QStringLiteral("NOM%1;Prénom%1;%2e;01/01/2010;Externe;INE%1;%1\r\n").arg(i).arg(3 + i % 4).toLatin1();
    OuvrirEtab& form = ouvrir(code, ecrireListe(QStringLiteral("cite.csv"), liste));
    choisirNomPrenomClasse(form);
    choisir(form, "ComboINE", 5);
    choisir(form, "ComboNumInterne", 6);
    dialogues_.message(QStringLiteral(" Nombre d'élèves : 2000")).message(QStringLiteral("Chargement fichier terminé"));

    charger(form);
    const auto importes = eleves(code);
    ASSERT_EQ(importes.size(), 2000u);
    EXPECT_EQ(importes.back(), (QStringList{code, "NOM1999", "Prénom1999", "6e", "", "", "INE1999", "1999", ""}));
}

} // namespace

TEST_F(ImportCsvEleves, UneListeCommeLesEcolesLesExportentSurUnSupportEnLectureSeule)
{
    const QString code = ajouterEtablissement(QStringLiteral("Ecole Sud"));
    const QString fichier = ecrireListe(QStringLiteral("sud.csv"),
                                        text::toWindows1252(QStringLiteral("\"NOM\";\"PRENOM\";\"CLASSE\"\r\n"
                                                                           "\"DUPONT\";\"Léa\";\"6A\"\r\n"
                                                                           ";;\r\n"
                                                                           "\"Le \"\"Grand\"\"\";Paul;6A\r\n"
                                                                           "\"Martin; Jr\";\tEva\t;\"5B\"\r\n"
                                                                           " ; ;\t\r\n")));
    const ReadOnlyFolder lectureSeule(sandbox_.path(QStringLiteral("ecole")));
    if (!lectureSeule.active())
        GTEST_SKIP() << "the folder cannot be made read-only";
    OuvrirEtab& form = ouvrir(code, fichier);
    const QString copie = paths::join(paths::dataDir(), {QStringLiteral("sud_revu.csv")});
    EXPECT_EQ(etat::FichierChoisi, copie);
    EXPECT_FALSE(QFileInfo::exists(sandbox_.path(QStringLiteral("ecole/sud_revu.csv"))));

    choisirNomPrenomClasse(form);
    dialogues_.message(QStringLiteral(" Nombre d'élèves : 3"))
        .message(QStringLiteral("Chargement fichier terminé\nLe dossier du fichier choisi n'étant pas accessible en "
                                "écriture, sa copie revue est dans ")
                 + QDir::toNativeSeparators(copie));
    charger(form);

    EXPECT_EQ(eleves(code), (std::vector<QStringList>{{code, "DUPONT", "Léa", "6A", "", "", "", "", ""},
                                                      {code, "Le \"Grand\"", "Paul", "6A", "", "", "", "", ""},
                                                      {code, "Martin; Jr", "Eva", "5B", "", "", "", "", ""}}));
}
