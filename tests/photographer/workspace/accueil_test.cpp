#include "tests/photographer/support/photographe_fixture.h"

#include "photographer/data/dossiers_etab.h"
#include "photographer/data/etablissements.h"
#include "tests/support/read_only_folder.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest/QTest>

#include <optional>
#include <variant>

namespace {

QTableWidget* grille(Accueil& accueil)
{
    return accueil.findChild<QTableWidget*>(QStringLiteral("DBGridEtab"));
}

QAction* entree(Accueil& accueil, const char* nom)
{
    return accueil.findChild<QAction*>(QString::fromLatin1(nom));
}

void cliquerLigne(Accueil& accueil, int ligne)
{
    QTableWidget* table = grille(accueil);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualItemRect(table->item(ligne, 1)).center());
}

// An establishment's four folders, each holding a picture, a hidden file and
// a sub-folder with a picture, as the shoot leaves them.
void remplirDossiers(const QString& nom)
{
    for (const QString& dossier : dossiers_etab::de(nom).tous()) {
        Sandbox::writeFile(paths::join(dossier, {QStringLiteral("1.jpg")}), "jpeg");
        Sandbox::writeFile(paths::join(dossier, {QStringLiteral("Thumbs.db")}), "cache");
        Sandbox::writeFile(paths::join(dossier, {QStringLiteral("6A"), QStringLiteral("2.jpg")}), "jpeg");
    }
}

// Types into the open editor of the list, as the user does, and lets the
// main window store the change.
void saisir(Accueil& accueil, const QString& texte)
{
    const QPointer<QLineEdit> editeur = grille(accueil)->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editeur, nullptr) << "no cell is being edited";
    editeur->setText(texte);
    QTest::keyClick(editeur, Qt::Key_Return);
    // The editor commits and closes on a later turn, queueing the window's
    // store of the change before its own deletion; a call queued once it is
    // gone runs after that store.
    ASSERT_TRUE(QTest::qWaitFor([&] { return editeur.isNull(); }, 5000)) << "the editor never closed";
    bool stocke = false;
    QObject repere; // drops the call if the wait gives up
    QMetaObject::invokeMethod(&repere, [&stocke] { stocke = true; }, Qt::QueuedConnection);
    ASSERT_TRUE(QTest::qWaitFor([&] { return stocke; }, 5000)) << "the window never stored the change";
}

void editerCellule(Accueil& accueil, int ligne, int colonne, const QString& texte)
{
    QTableWidget* table = grille(accueil);
    table->setCurrentCell(ligne, colonne);
    QTest::keyClick(table, Qt::Key_F2);
    saisir(accueil, texte);
}

bool tousPresents(const QString& nom)
{
    for (const QString& dossier : dossiers_etab::de(nom).tous()) {
        if (!QFileInfo::exists(paths::join(dossier, {QStringLiteral("6A"), QStringLiteral("2.jpg")})))
            return false;
    }
    return true;
}

bool aucunPresent(const QString& nom)
{
    for (const QString& dossier : dossiers_etab::de(nom).tous()) {
        if (QFileInfo::exists(dossier))
            return false;
    }
    return true;
}

} // namespace

using AccueilListe = PhotographeFixture;

TEST_F(AccueilListe, LaListeCompteLesEtablissementsEtSuitLaLigneCourante)
{
    const QString a = ajouterEtablissement(QStringLiteral("Ecole A"), QStringLiteral("75001"));
    ajouterEtablissement(QStringLiteral("Ecole B"));
    const QString c = ajouterEtablissement(QStringLiteral("Ecole C"));
    Accueil& accueil = demarrer();
    QTableWidget* table = grille(accueil);

    EXPECT_EQ(libelle(accueil), QStringLiteral("Liste des établissements créés : (3)"));
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->horizontalHeaderItem(1)->text(), QStringLiteral("Etablissements"));
    EXPECT_EQ(table->item(0, 0)->text(), a);
    EXPECT_EQ(table->item(0, 2)->text(), QStringLiteral("75001"));
    EXPECT_EQ(etat::CodeEtabEnCours, a);

    table->setCurrentCell(2, 0);
    EXPECT_EQ(etat::CodeEtabEnCours, c);
    EXPECT_EQ(etat::NomEtabEnCours, QStringLiteral("Ecole C"));

    // The establishment commands wait for a click in the list.
    const char* commandes[] = {"MNU_Ouvrir", "MNU_Sup_1", "MNU_Modif_Nom"};
    for (const char* nom : commandes)
        EXPECT_FALSE(entree(accueil, nom)->isEnabled()) << nom;
    EXPECT_FALSE(accueil.findChild<QToolButton*>(QStringLiteral("Image1"))->isEnabled());
    cliquerLigne(accueil, 1);
    for (const char* nom : commandes)
        EXPECT_TRUE(entree(accueil, nom)->isEnabled()) << nom;
    EXPECT_TRUE(accueil.findChild<QToolButton*>(QStringLiteral("Image1"))->isEnabled());
    EXPECT_EQ(etat::NomEtabEnCours, QStringLiteral("Ecole B"));

    for (const char* nom : {"MNU_Sauvegarde", "MNU_Videbase", "MNU_Modif_Nom", "MNU_TarifsG", "MNU_App_Pho"})
        EXPECT_TRUE(entree(accueil, nom)->isVisible()) << nom;
    for (const char* nom : {"MNU_Restaurer", "MNU_Aide"})
        EXPECT_FALSE(entree(accueil, nom)->isVisible()) << nom;
}

TEST_F(AccueilListe, SupprimerUnEtablissementNeRetireQueSesLignesEtSesDossiers)
{
    // Key 1 against key 11, and a name full of pattern characters against
    // the names it would match as a pattern.
    const QString cible = ajouterEtablissement(QStringLiteral("d'Arc*"));
    const QString voisin = ajouterEtablissement(QStringLiteral("d'Arc"));
    base().exec(QStringLiteral("INSERT INTO Etablissements (CdeEtablissement, Nom) VALUES (11, 'Onze')"));
    for (const QString& code : {cible, voisin, QStringLiteral("11")}) {
        eleve(QStringLiteral("6A"), QStringLiteral("Martin"), QString(), code);
        base().exec(QStringLiteral("INSERT INTO RecTarifs (RecCodeEtablissement) VALUES (?1)"), {code});
        base().exec(QStringLiteral("INSERT INTO RecPochetteInc (CodeEtab) VALUES (?1)"), {code});
    }
    for (const QString& nom : {QStringLiteral("d'Arc*"), QStringLiteral("d'Arc"), QStringLiteral("Onze")})
        remplirDossiers(nom);

    Accueil& accueil = demarrer();
    cliquerLigne(accueil, 0);
    dialogues_.message(QStringLiteral("l'établissement d'Arc* va être"), dialogs::Answer::Ok)
        .message(QStringLiteral("Etablissement : d'Arc* supprimé définitivement."));
    entree(accueil, "MNU_Sup_1")->trigger();

    EXPECT_EQ(dialogues_.prompts().front().text,
              QStringLiteral("Attention, l'établissement d'Arc* va être définitivement supprimé.\n"
                             "Etes-vous sûr de vouloir continuer ?"));
    EXPECT_EQ(dialogues_.prompts().front().buttons, dialogs::Buttons::OkCancel);
    const QString parCode[][2] = {{QStringLiteral("Etablissements"), QStringLiteral("CdeEtablissement")},
                                  {QStringLiteral("Eleves"), QStringLiteral("CodeEtablissement")},
                                  {QStringLiteral("RecTarifs"), QStringLiteral("RecCodeEtablissement")},
                                  {QStringLiteral("RecPochetteInc"), QStringLiteral("CodeEtab")}};
    for (const auto& table : parCode) {
        SCOPED_TRACE(table[0].toStdString());
        const QString sql = QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = ?1").arg(table[0], table[1]);
        EXPECT_EQ(compter(sql, {cible}), 0);
        EXPECT_EQ(compter(sql, {voisin}), 1);
        EXPECT_EQ(compter(sql, {QStringLiteral("11")}), 1);
    }
    EXPECT_TRUE(aucunPresent(QStringLiteral("d'Arc*")));
    EXPECT_TRUE(tousPresents(QStringLiteral("d'Arc")));
    EXPECT_TRUE(tousPresents(QStringLiteral("Onze")));

    EXPECT_EQ(libelle(accueil), QStringLiteral("Liste des établissements créés : (2)"));
    EXPECT_EQ(etat::CodeEtabEnCours, voisin);
    EXPECT_FALSE(entree(accueil, "MNU_Sup_1")->isEnabled());
    EXPECT_FALSE(accueil.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"))->isVisible());
}

TEST_F(AccueilListe, UneSuppressionAnnuleeNeSupprimeRienEtUnNomSansDossierNeTouchePasAuxDossiers)
{
    // "" would name the data folder itself, ".." the drive root: such rows
    // (older versions, hand edits) are deleted, and no folder is touched.
    const struct {
        QString nom;
        dialogs::Answer reponse;
        int lignesRestantes;
    } cas[] = {
        {QStringLiteral("Ecole A"), dialogs::Answer::Cancel, 1},
        {QString(), dialogs::Answer::Ok, 0},
        {QStringLiteral(".."), dialogs::Answer::Ok, 0},
        {QStringLiteral("."), dialogs::Answer::Ok, 0},
    };
    const QString temoin = paths::join(etat::CheminDonnees, {QStringLiteral("zlvsyst.idx.temoin")});
    const QString racine = paths::onDrive({QStringLiteral("temoin.txt")});
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom.toStdString());
        const QString code = ajouterEtablissement(c.nom);
        eleve(QStringLiteral("6A"), QStringLiteral("Martin"), QString(), code);
        base().exec(QStringLiteral("INSERT INTO RecTarifs (RecCodeEtablissement) VALUES (?1)"), {code});
        Sandbox::writeFile(temoin, "x");
        Sandbox::writeFile(racine, "x");
        Accueil& accueil = demarrer();
        cliquerLigne(accueil, 0);
        dialogues_.message(QStringLiteral("va être définitivement supprimé"), c.reponse);
        if (c.reponse == dialogs::Answer::Ok)
            dialogues_.message(QStringLiteral("Aucun dossier n'a été supprimé : Le nom"));
        entree(accueil, "MNU_Sup_1")->trigger();
        for (const auto& invite : dialogues_.prompts())
            EXPECT_FALSE(invite.text.contains(QStringLiteral("  "))) << invite.text.toStdString();

        for (const QString& table : {QStringLiteral("Eleves WHERE CodeEtablissement"),
                                    QStringLiteral("Etablissements WHERE CdeEtablissement"),
                                    QStringLiteral("RecTarifs WHERE RecCodeEtablissement")})
            EXPECT_EQ(compter(QStringLiteral("SELECT count(*) FROM %1 = ?1").arg(table), {code}), c.lignesRestantes)
                << table.toStdString();
        EXPECT_TRUE(QFileInfo::exists(temoin));
        EXPECT_TRUE(QFileInfo::exists(racine));
        EXPECT_FALSE(entree(accueil, "MNU_Sup_1")->isEnabled());
        base().exec(QStringLiteral("DELETE FROM Etablissements"));
        accueil.unload();
    }
}

TEST_F(AccueilListe, UneSuppressionGardeLesDossiersQuUnAutreEtablissementUtilise)
{
    // Older databases, imports and hand edits may hold such pairs.
    const QString lycee = QStringLiteral("Lycée"), lyceeBr = QStringLiteral("Lycée BR");
    const dossiers_etab::Dossiers dossiers = dossiers_etab::de(lycee), dossiersBr = dossiers_etab::de(lyceeBr);
    const struct {
        QString supprime, autre;
        QStringList gardes, retires;
    } cas[] = {
        {lycee, lyceeBr, {dossiers.br}, {dossiers.donnees, dossiers.br3, dossiers.archive}},
        {lyceeBr, lycee, {dossiersBr.donnees}, {dossiersBr.br, dossiersBr.br3, dossiersBr.archive}},
        {lycee, QStringLiteral("LYCÉE"), dossiers.tous(), {}},
        {lycee, lycee, dossiers.tous(), {}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE((c.supprime + u'/' + c.autre).toStdString());
        const QString code = ajouterEtablissement(c.supprime);
        ajouterEtablissement(c.autre);
        remplirDossiers(lycee);
        remplirDossiers(lyceeBr);

        const auto suppression = etablissements::supprimer(code, [](int) {});

        QStringList gardes;
        for (const auto& garde : suppression.gardes) {
            gardes << garde.dossier;
            EXPECT_EQ(garde.autre, c.autre);
        }
        EXPECT_EQ(gardes, c.gardes);
        for (const QString& dossier : c.gardes)
            EXPECT_TRUE(QFileInfo::exists(paths::join(dossier, {QStringLiteral("6A"), QStringLiteral("2.jpg")})))
                << dossier.toStdString();
        for (const QString& dossier : c.retires)
            EXPECT_FALSE(QFileInfo::exists(dossier)) << dossier.toStdString();
        EXPECT_EQ(compter(QStringLiteral("SELECT count(*) FROM Etablissements WHERE CdeEtablissement = ?1"), {code}), 0);
        base().exec(QStringLiteral("DELETE FROM Etablissements"));
    }

    // The message names each folder kept and the establishment that uses it.
    ajouterEtablissement(lycee);
    ajouterEtablissement(lyceeBr);
    Accueil& accueil = demarrer();
    cliquerLigne(accueil, 0);
    dialogues_.message(QStringLiteral("l'établissement Lycée va être"), dialogs::Answer::Ok)
        .message(QStringLiteral("Etablissement : Lycée supprimé définitivement.\nCes dossiers sont gardés, car un autre "
                                "établissement les utilise :\n%1 (établissement « Lycée BR »)")
                     .arg(dossiers.br));
    entree(accueil, "MNU_Sup_1")->trigger();
    EXPECT_TRUE(dialogues_.allAnswered());
}

TEST_F(AccueilListe, UneSuppressionNeSuitJamaisUnLien)
{
    // The data folder is a link to a folder elsewhere: the link goes, what it leads to stays.
    const QString ailleurs = sandbox_.path(QStringLiteral("ailleurs"));
    Sandbox::writeFile(paths::join(ailleurs, {QStringLiteral("1.jpg")}), "jpeg");
    const dossiers_etab::Dossiers dossiers = dossiers_etab::de(QStringLiteral("Ecole A"));
    ASSERT_TRUE(paths::ensureFolder(etat::CheminDonnees));
    ASSERT_TRUE(QFile::link(ailleurs, dossiers.donnees));
    Sandbox::writeFile(paths::join(dossiers.archive, {QStringLiteral("1.jpg")}), "jpeg");
    ASSERT_TRUE(QFile::link(ailleurs, paths::join(dossiers.archive, {QStringLiteral("lien")})));

    const auto suppression = etablissements::supprimer(ajouterEtablissement(QStringLiteral("Ecole A")), [](int) {});

    EXPECT_TRUE(suppression.dossiersRestes.isEmpty()) << suppression.dossiersRestes.join(u' ').toStdString();
    EXPECT_FALSE(QFileInfo(dossiers.donnees).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(dossiers.archive));
    EXPECT_TRUE(QFileInfo::exists(paths::join(ailleurs, {QStringLiteral("1.jpg")})));
}

TEST_F(AccueilListe, UnNomQuiDonneraitLeDossierDUnAutreOuTropLongEstRefuse)
{
    ajouterEtablissement(QStringLiteral("Lycée"));
    ajouterEtablissement(QStringLiteral("Collège BR3"));
    const dossiers_etab::Dossiers lycee = dossiers_etab::de(QStringLiteral("Lycée"));
    const QString celuiDuLycee = QStringLiteral(", qui est celui de l'établissement « Lycée »");
    const struct {
        QString nom, refus; // refus: a part of the message, "" when the name is free
    } cas[] = {
        {QStringLiteral("Lycée BR"), lycee.br + celuiDuLycee},
        {QStringLiteral("Lycée BR3"), lycee.br3 + celuiDuLycee},
        {QStringLiteral("lycée br3"), celuiDuLycee},
        {QStringLiteral("LYCÉE"), QStringLiteral("Un établissement porte déjà le nom « LYCÉE »")},
        {QStringLiteral("Collège"), QStringLiteral("qui est celui de l'établissement « Collège BR3 »")},
        {QStringLiteral("Lycée BR2"), QString()},
        {QStringLiteral("Lycée B"), QString()},
        // The longest folder, "<name> BR3", must fit in 255 bytes.
        {QString(251, u'A'), QString()},
        {QString(252, u'A'), QStringLiteral("au plus 251 caractères (il en compte 252)")},
        {QString(126, u'é'), QStringLiteral("au plus 125 caractères (il en compte 126)")},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom.left(20).toStdString());
        const QString refus = etablissements::refusNom(c.nom);
        if (c.refus.isEmpty())
            EXPECT_EQ(refus, QString());
        else
            EXPECT_TRUE(refus.contains(c.refus)) << refus.toStdString();
    }
}

TEST_F(AccueilListe, RenommerChangeLeNomEtLesQuatreDossiers)
{
    const QString code = ajouterEtablissement(QStringLiteral("Ecole A"));
    remplirDossiers(QStringLiteral("Ecole A"));
    Accueil& accueil = demarrer();
    cliquerLigne(accueil, 0);
    dialogues_.message(QStringLiteral("modifier le nom de l'établissement est irréversible"));
    entree(accueil, "MNU_Modif_Nom")->trigger();
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    saisir(accueil, QStringLiteral("Ecole d'Été"));

    EXPECT_EQ(base().scalar(QStringLiteral("SELECT Nom FROM Etablissements WHERE CdeEtablissement = ?1"), {code}),
              QStringLiteral("Ecole d'Été"));
    EXPECT_TRUE(tousPresents(QStringLiteral("Ecole d'Été")));
    EXPECT_TRUE(aucunPresent(QStringLiteral("Ecole A")));
    EXPECT_EQ(grille(accueil)->item(0, 1)->text(), QStringLiteral("Ecole d'Été"));
    EXPECT_EQ(etat::NomEtabEnCours, QStringLiteral("Ecole d'Été"));

    // The postal code is edited in its cell too; the key is not.
    editerCellule(accueil, 0, 2, QStringLiteral("69002"));
    EXPECT_EQ(base().scalar(QStringLiteral("SELECT \"Code Postal\" FROM Etablissements WHERE CdeEtablissement = ?1"),
                            {code}),
              QStringLiteral("69002"));
    EXPECT_FALSE(grille(accueil)->item(0, 0)->flags().testFlag(Qt::ItemIsEditable));
}

TEST_F(AccueilListe, UnRenommageRefuseNeChangeRien)
{
    const QString code = ajouterEtablissement(QStringLiteral("Ecole A"));
    ajouterEtablissement(QStringLiteral("Ecole_B"));
    remplirDossiers(QStringLiteral("Ecole A"));
    Sandbox::writeFile(paths::onDrive({QStringLiteral("labohd"), QStringLiteral("Ecole C"), QStringLiteral("x.jpg")}),
                       "jpeg");
    const struct {
        QString nouveau, refus;
    } cas[] = {
        {QStringLiteral("  "), QStringLiteral("ne peut pas être vide")},
        {QStringLiteral(".."), QStringLiteral("ne peut pas servir de nom de dossier")},
        {QStringLiteral("Ecole\tA"), QStringLiteral("Le nom de l'établissement contient une tabulation")},
        {QStringLiteral("ECOLE_b"), QStringLiteral("Un établissement porte déjà le nom")},
        {QStringLiteral("Ecole C"), QStringLiteral("existe déjà")},
        // Its folders would be those of "Ecole B".
        {QStringLiteral("ecole/B"), QStringLiteral("qui est celui de l'établissement « Ecole_B »")},
        {QStringLiteral("Ecole_B BR3"), QStringLiteral("qui est celui de l'établissement « Ecole_B »")},
        {QString(300, u'x'), QStringLiteral("il peut compter au plus 251 caractères")},
    };
    Accueil& accueil = demarrer();
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nouveau.toStdString());
        dialogues_.message(QStringLiteral("irréversible")).message(c.refus);
        editerCellule(accueil, 0, 1, c.nouveau);

        EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
        EXPECT_EQ(base().scalar(QStringLiteral("SELECT Nom FROM Etablissements WHERE CdeEtablissement = ?1"), {code}),
                  QStringLiteral("Ecole A"));
        EXPECT_TRUE(tousPresents(QStringLiteral("Ecole A")));
        EXPECT_EQ(grille(accueil)->item(0, 1)->text(), QStringLiteral("Ecole A"));
    }
    // A stray key opens the name's editor: Cancel on the warning keeps the name and the folders.
    dialogues_.message(QStringLiteral("irréversible"), dialogs::Answer::Cancel);
    editerCellule(accueil, 0, 1, QStringLiteral("Ecole Z"));
    EXPECT_EQ(base().scalar(QStringLiteral("SELECT Nom FROM Etablissements WHERE CdeEtablissement = ?1"), {code}),
              QStringLiteral("Ecole A"));
    EXPECT_EQ(grille(accueil)->item(0, 1)->text(), QStringLiteral("Ecole A"));
    EXPECT_TRUE(tousPresents(QStringLiteral("Ecole A")));

    // A new establishment meets the same duplicate rule, its own row aside.
    EXPECT_TRUE(etablissements::nomPris(QStringLiteral("ecole a")));
    EXPECT_FALSE(etablissements::nomPris(QStringLiteral("Ecole A"), code));
    EXPECT_FALSE(etablissements::nomPris(QStringLiteral("École A")));
}

TEST_F(AccueilListe, UnRenommageQuiNePeutSeDefaireDitOuSontRestesLesDossiersEtSeTermineAuDemarrage)
{
    const QString code = ajouterEtablissement(QStringLiteral("Ecole A"));
    remplirDossiers(QStringLiteral("Ecole A"));
    const dossiers_etab::Dossiers avant = dossiers_etab::de(QStringLiteral("Ecole A"));
    const dossiers_etab::Dossiers apres = dossiers_etab::de(QStringLiteral("Ecole B"));
    // Once every folder has moved, another program writes in the database, so
    // the new name cannot be stored, and the data folder turns read-only, so
    // those moved there cannot take their former names back.
    std::optional<db::Database> autreProgramme;
    std::optional<db::Database::Transaction> ecriture;
    std::optional<ReadOnlyFolder> lectureSeule;
    const QString message = etablissements::renommer(code, QStringLiteral("Ecole B"), [&](int deplaces) {
        if (deplaces < 4)
            return;
        autreProgramme.emplace(base::cheminBase());
        ecriture.emplace(*autreProgramme);
        lectureSeule.emplace(etat::CheminDonnees);
    });
    ASSERT_TRUE(lectureSeule.has_value());
    if (!lectureSeule->active())
        GTEST_SKIP() << "the data folder could not be made read-only";

    EXPECT_TRUE(message.contains(QStringLiteral("occupée par un autre programme"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("L'établissement garde son nom."))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("au prochain démarrage"))) << message.toStdString();
    for (const auto& [ancien, nouveau] : {std::pair{avant.donnees, apres.donnees}, std::pair{avant.br, apres.br},
                                          std::pair{avant.br3, apres.br3}}) {
        EXPECT_TRUE(message.contains(QStringLiteral("\n%1 (au lieu de %2)").arg(nouveau, ancien))) << message.toStdString();
        EXPECT_TRUE(QFileInfo::exists(paths::join(nouveau, {QStringLiteral("1.jpg")})));
    }
    EXPECT_FALSE(message.contains(apres.archive)) << "the archive took its name back";
    EXPECT_TRUE(QFileInfo::exists(paths::join(avant.archive, {QStringLiteral("1.jpg")})));

    // The other program ends, the folder is writable again: the next start
    // settles the split rename whole, and says so.
    ecriture.reset();
    autreProgramme.reset();
    lectureSeule.reset();
    EXPECT_EQ(base().scalar(QStringLiteral("SELECT Nom FROM Etablissements WHERE CdeEtablissement = ?1"), {code}),
              QStringLiteral("Ecole A"));
    base::fermer();
    dialogues_.message(QStringLiteral("Le renommage de l'établissement « Ecole A » en « Ecole B », interrompu lors de "
                                      "la dernière utilisation de Zelvantis, a été terminé."));
    demarrer();
    EXPECT_TRUE(dialogues_.allAnswered());
    EXPECT_EQ(base().scalar(QStringLiteral("SELECT Nom FROM Etablissements WHERE CdeEtablissement = ?1"), {code}),
              QStringLiteral("Ecole B"));
    EXPECT_TRUE(tousPresents(QStringLiteral("Ecole B")));
    EXPECT_TRUE(aucunPresent(QStringLiteral("Ecole A")));
}

TEST_F(AccueilListe, LeSeparateurCsvNeGardeQuUnSeulCaractere)
{
    using Saisie = std::optional<QString>;
    struct Message {
        QString texte;
    };
    using Etape = std::variant<Saisie, Message>;
    const Message unSeul{QStringLiteral("se compose d'un seul caractère")};
    const struct {
        std::vector<Etape> etapes;
        QString garde;
    } cas[] = {
        {{Saisie(QStringLiteral(",")), Message{QStringLiteral("est le caractère : ,")}}, QStringLiteral(",")},
        {{Saisie(QString()), Saisie(QStringLiteral("|")), Message{QStringLiteral(": |")}}, QStringLiteral("|")},
        {{Saisie(QStringLiteral("ab")), unSeul, Saisie(QStringLiteral("#")), Message{QStringLiteral(": #")}},
         QStringLiteral("#")},
        {{Saisie(QStringLiteral("ab")), unSeul, Saisie(QStringLiteral("cd")), unSeul}, QStringLiteral(";")},
        {{Saisie(QString()), Saisie(QString())}, QStringLiteral(";")},
        {{Saisie(std::nullopt)}, QStringLiteral(";")},
    };
    Accueil& accueil = demarrer();
    for (const auto& c : cas) {
        SCOPED_TRACE(c.garde.toStdString());
        reglage(QStringLiteral("csv"), QStringLiteral(";"));
        etat::SeparateurCsv = QStringLiteral(";");
        for (const Etape& etape : c.etapes) {
            if (const auto* saisie = std::get_if<Saisie>(&etape))
                dialogues_.input(QStringLiteral("Indiquer le type de séparateur"), *saisie);
            else
                dialogues_.message(std::get<Message>(etape).texte);
        }
        entree(accueil, "MNU_CSV")->trigger();

        EXPECT_TRUE(dialogues_.allAnswered());
        EXPECT_EQ(etat::SeparateurCsv, c.garde);
        EXPECT_EQ(reglageLu(QStringLiteral("csv")), c.garde);
    }
}

TEST_F(AccueilListe, LaSauvegardeCopieLaBaseEtRechargeLaFenetre)
{
    ajouterEtablissement(QStringLiteral("Ecole A"));
    Accueil& accueil = demarrer();
    entree(accueil, "MNU_Sauvegarde")->trigger();

    const QDir dossier(paths::join(paths::dataDir(), {QStringLiteral("backup")}));
    const QStringList copies = dossier.entryList({QStringLiteral("Sauvegarde_*_*.idx")}, QDir::Files);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(copies.front().size(), QStringLiteral("Sauvegarde_ddMMyyyy_HHmmss.idx").size());
    {
        db::Database copie(dossier.filePath(copies.front()));
        EXPECT_EQ(copie.scalar(QStringLiteral("SELECT Nom FROM Etablissements")), QStringLiteral("Ecole A"));
    }
    Accueil* rechargee = existingForm<Accueil>();
    ASSERT_NE(rechargee, nullptr);
    EXPECT_NE(rechargee, &accueil);
    EXPECT_TRUE(rechargee->isVisible());
}

TEST_F(AccueilListe, UneSauvegardeImpossibleLeDit)
{
    // A file where the backup folder should be.
    Sandbox::writeFile(paths::join(paths::dataDir(), {QStringLiteral("backup")}), "pas un dossier");
    Accueil& accueil = demarrer();
    dialogues_.message(QStringLiteral("la base n'a pas été sauvegardée"));
    entree(accueil, "MNU_Sauvegarde")->trigger();

    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_EQ(existingForm<Accueil>(), &accueil);
}

TEST_F(AccueilListe, ViderLaBaseEnregistreLaDemandePourLeProchainDemarrage)
{
    Accueil& accueil = demarrer();
    for (const auto& [reponse, attendu] : {std::pair{dialogs::Answer::Ok, QStringLiteral("1")},
                                           std::pair{dialogs::Answer::Cancel, QStringLiteral("0")}}) {
        dialogues_.message(QStringLiteral("sera archivée et vidée au prochain démarrage"), reponse);
        entree(accueil, "MNU_Videbase")->trigger();
        EXPECT_EQ(reglageLu(QStringLiteral("NewBase")), attendu);
    }
}

TEST_F(AccueilListe, UnReglageQuiNePeutEtreEnregistreLeDitEnNommantLeFichier)
{
    Accueil& accueil = demarrer();
    sandbox_.blockSettingsFile(QStringLiteral("ZLV.ini"));
    const QString fichier = sandbox_.configHome() + QStringLiteral("/ZLV.ini");

    dialogues_.input(QStringLiteral("Indiquer le type de séparateur"), QStringLiteral(","));
    dialogues_.message(QStringLiteral("le séparateur « , » ne servira que jusqu'à la fermeture de Zelvantis"));
    entree(accueil, "MNU_CSV")->trigger();
    EXPECT_TRUE(dialogues_.lastPrompt().text.contains(fichier));
    EXPECT_EQ(etat::SeparateurCsv, QStringLiteral(","));

    dialogues_.message(QStringLiteral("sera archivée et vidée au prochain démarrage"));
    dialogues_.message(QStringLiteral("la base ne sera ni archivée ni vidée au prochain démarrage"));
    entree(accueil, "MNU_Videbase")->trigger();
    EXPECT_TRUE(dialogues_.lastPrompt().text.contains(fichier));
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
}

TEST_F(AccueilListe, UnDossierDeTravailImpossibleACreerEstSignale)
{
    // A file where the watched folder should be.
    Sandbox::writeFile(sandbox_.path(QStringLiteral("hotfolder")), "pas un dossier");
    dialogues_.message(QStringLiteral("n'ont pas pu être créés"));
    demarrer();
    EXPECT_TRUE(dialogues_.allAnswered());
    EXPECT_TRUE(dialogues_.lastPrompt().text.contains(QStringLiteral("hotfolder")));
    EXPECT_TRUE(QFileInfo(etat::CheminDonnees).isDir());
}
