#include "tests/photographer/support/photographe_fixture.h"

#include "common/ui/program.h"
#include "photographer/data/dossiers_etab.h"
#include "common/text.h"
#include "common/wallclock.h"
#include "tests/support/read_only_folder.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <functional>

namespace {

const QString kQuestionArchive = QStringLiteral("archivée et vidée ENTIEREMENT MAINTENANT");

QString aujourdhui()
{
    return text::frenchDate(wallclock::today());
}

QStringList archives(const QString& dossier)
{
    return QDir(dossier).entryList({QStringLiteral("zlvsyst*.old")}, QDir::Files, QDir::Name);
}

QStringList nomsEtablissements(const QString& fichier)
{
    db::Database base(fichier);
    QStringList noms;
    for (const db::Row& ligne : base.query(QStringLiteral("SELECT Nom FROM Etablissements ORDER BY CdeEtablissement")))
        noms << ligne[u"Nom"];
    return noms;
}

} // namespace

TEST(DemarrageRegles, UneArchiveDuMemeJourNEcraseJamaisLaPrecedente)
{
    QTemporaryDir dossier;
    const QDateTime maintenant(QDate(2026, 3, 9), QTime(14, 30, 5));
    const struct {
        QStringList existantes;
        QString attendu;
    } cas[] = {
        {{}, QStringLiteral("zlvsyst09032026.old")},
        {{QStringLiteral("zlvsyst09032026.old")}, QStringLiteral("zlvsyst09032026_143005.old")},
        {{QStringLiteral("zlvsyst09032026.old"), QStringLiteral("zlvsyst09032026_143005.old")},
         QStringLiteral("zlvsyst09032026_143005_2.old")},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.attendu.toStdString());
        for (const QString& nom : c.existantes)
            Sandbox::writeFile(dossier.filePath(nom), "ancienne");
        EXPECT_EQ(demarrage::nomArchive(dossier.path(), maintenant), dossier.filePath(c.attendu));
    }
}

using DemarrageAccueil = PhotographeFixture;

TEST_F(DemarrageAccueil, PremierDemarrageInstalleDossiersBaseEtReglages)
{
    Accueil& accueil = demarrer();

    EXPECT_TRUE(accueil.isVisible());
    EXPECT_EQ(accueil.windowTitle(), QStringLiteral("Vizmora (Administration)"));
    for (const char* dossier : {"VizmoraDatas", "hotfolder", "labohd"})
        EXPECT_TRUE(QFileInfo(sandbox_.path(QString::fromLatin1(dossier))).isDir()) << dossier;
    const QString fichier = sandbox_.path(QStringLiteral("VizmoraDatas/zlvsyst.idx"));
    ASSERT_TRUE(FichierExiste(fichier));
    {
        db::Database copie(fichier);
        for (const char* table : {"Etablissements", "Eleves", "Photographe", "Pochette", "PochetteIncomplete",
                                  "Articles", "RecTarifs", "RecPochetteInc"})
            EXPECT_TRUE(copie.hasTable(QString::fromLatin1(table))) << table;
        // Column names that other installations' files share, blanks and slips included.
        const char* colonnes[][2] = {{"Etablissements", "Code Postal"}, {"Eleves", "NomPhoto"},
                                     {"Photographe", "Web"},            {"PochetteIncomplete", "CdePocInc"},
                                     {"RecPochetteInc", "RecLibelleArticke"}, {"RecTarifs", "RecArticlesPrixRecPub"}};
        for (const auto& colonne : colonnes) {
            EXPECT_FALSE(copie.query(QStringLiteral("SELECT name FROM pragma_table_info(?1) WHERE name = ?2"),
                                     {QString::fromLatin1(colonne[0]), QString::fromLatin1(colonne[1])})
                             .empty())
                << colonne[0] << "." << colonne[1];
        }
    }
    EXPECT_EQ(reglageLu(QStringLiteral("csv")), QStringLiteral(";"));
    EXPECT_EQ(reglageLu(QStringLiteral("NewBase")), QStringLiteral("0"));
    EXPECT_EQ(reglageLu(QStringLiteral("DateMaj")), aujourdhui());
    EXPECT_EQ(etat::SeparateurCsv, QStringLiteral(";"));
    EXPECT_EQ(etat::DossierHot, sandbox_.path(QStringLiteral("hotfolder/")));
    EXPECT_EQ(libelle(accueil), QStringLiteral("Liste des établissements créés : (0)"));
    EXPECT_TRUE(shell_.requests().empty());
}

TEST_F(DemarrageAccueil, UnSeparateurVideEstRemplaceEtUnSeparateurChoisiEstGarde)
{
    const struct {
        QString enregistre, attendu;
    } cas[] = {{QString(), QStringLiteral(";")}, {QStringLiteral(","), QStringLiteral(",")}};
    for (const auto& c : cas) {
        reglage(QStringLiteral("csv"), c.enregistre);
        demarrer();
        EXPECT_EQ(etat::SeparateurCsv, c.attendu);
        EXPECT_EQ(reglageLu(QStringLiteral("csv")), c.attendu);
        existingForm<Accueil>()->unload();
    }
}

TEST_F(DemarrageAccueil, UneDateDeMiseAJourDePlusDeVingtJoursOuvreLeTelechargementSansFenetre)
{
    const QString ilYa20Jours = text::frenchDate(wallclock::today().addDays(-20));
    const struct {
        QString dateMaj;
        bool ouvre;
        QString apres;
    } cas[] = {
        {ilYa20Jours, false, ilYa20Jours},
        {text::frenchDate(wallclock::today().addDays(-21)), true, aujourdhui()},
        {QStringLiteral("pas une date"), false, aujourdhui()},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.dateMaj.toStdString());
        const size_t avant = shell_.requests().size();
        reglage(QStringLiteral("DateMaj"), c.dateMaj);
        formInstance<Accueil>().showForm();

        Accueil* accueil = existingForm<Accueil>();
        EXPECT_EQ(accueil != nullptr && accueil->isVisible(), !c.ouvre);
        EXPECT_EQ(shell_.requests().size() - avant, c.ouvre ? 1u : 0u);
        if (c.ouvre) {
            EXPECT_EQ(shell_.requests().back(),
                      (RecordingShell::Request{QStringLiteral("open"),
                                               QStringLiteral("https://mises-a-jour.example/telechargements/maj_zelvantis.exe")}));
        }
        EXPECT_EQ(reglageLu(QStringLiteral("DateMaj")), c.apres);
        if (accueil)
            accueil->unload();
    }
    EXPECT_EQ(Form::loadedCount(), 0);
}

TEST_F(DemarrageAccueil, ArchiverEtViderGardeChaqueArchiveDuJour)
{
    const QString fichier = base::cheminBase();
    for (const QString& nom : {QStringLiteral("Ecole A"), QStringLiteral("Ecole B")}) {
        ajouterEtablissement(nom);
        reglage(QStringLiteral("NewBase"), QStringLiteral("1"));
        dialogues_.message(kQuestionArchive, dialogs::Answer::Ok);
        Accueil& accueil = demarrer();

        EXPECT_TRUE(accueil.isVisible());
        EXPECT_EQ(libelle(accueil), QStringLiteral("Liste des établissements créés : (0)"));
        EXPECT_EQ(reglageLu(QStringLiteral("NewBase")), QStringLiteral("0"));
        accueil.unload();
    }
    base::fermer();
    EXPECT_TRUE(nomsEtablissements(fichier).isEmpty());
    const QStringList gardees = archives(paths::dataDir());
    ASSERT_EQ(gardees.size(), 2);
    const QString duJour = QStringLiteral("zlvsyst%1.old").arg(wallclock::today().toString(QStringLiteral("ddMMyyyy")));
    ASSERT_TRUE(gardees.contains(duJour));
    EXPECT_EQ(nomsEtablissements(paths::join(paths::dataDir(), {duJour})), QStringList{QStringLiteral("Ecole A")});
    const QString seconde = gardees.at(gardees.at(0) == duJour ? 1 : 0);
    EXPECT_EQ(nomsEtablissements(paths::join(paths::dataDir(), {seconde})), QStringList{QStringLiteral("Ecole B")});
}

TEST_F(DemarrageAccueil, ArchiverEtViderAnnuleLaisseLaBaseEtNeRedemandePas)
{
    ajouterEtablissement(QStringLiteral("Ecole A"));
    reglage(QStringLiteral("NewBase"), QStringLiteral("1"));
    dialogues_.message(kQuestionArchive, dialogs::Answer::Cancel);
    Accueil& accueil = demarrer();

    EXPECT_EQ(libelle(accueil), QStringLiteral("Liste des établissements créés : (1)"));
    EXPECT_EQ(reglageLu(QStringLiteral("NewBase")), QStringLiteral("0"));
    EXPECT_TRUE(archives(paths::dataDir()).isEmpty());
}

TEST_F(DemarrageAccueil, UnDeuxiemeProgrammeSurLeMemeDossierDeDonneesSArrete)
{
    ajouterEtablissement(QStringLiteral("Ecole A"));
    base::fermer();
    QLockFile autreProgramme(paths::join(etat::CheminDonnees, {QStringLiteral("zlvsyst.lck")}));
    ASSERT_TRUE(autreProgramme.tryLock(0));
    dialogues_.message(QStringLiteral("Zelvantis est déjà ouvert sur le dossier de données"));
    formInstance<Accueil>().showForm();

    EXPECT_EQ(existingForm<Accueil>(), nullptr);
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_EQ(compter(QStringLiteral("SELECT count(*) FROM Etablissements")), 1);

    // Once the other one has ended, the program starts.
    autreProgramme.unlock();
    demarrer();
    EXPECT_NE(existingForm<Accueil>(), nullptr);
}

TEST_F(DemarrageAccueil, UneBaseOccupeeOuUnDossierEnLectureSeuleArreteLeDemarrageEnDisantPourquoi)
{
    ajouterEtablissement(QStringLiteral("Ecole A"));
    base::fermer();
    const QString dossier = QDir::toNativeSeparators(etat::CheminDonnees);
    {
        SCOPED_TRACE("base occupée");
        db::Database autreProgramme(base::cheminBase());
        autreProgramme.exec(QStringLiteral("BEGIN EXCLUSIVE"));
        dialogues_.message(QStringLiteral("La base %1 est utilisée par un autre programme : elle n'a pas pu être "
                                          "ouverte.")
                               .arg(QDir::toNativeSeparators(base::cheminBase())));
        demarrer();
        EXPECT_TRUE(dialogues_.allAnswered());
        EXPECT_FALSE(dialogues_.lastPrompt().text.contains(QStringLiteral("modification")));
        EXPECT_EQ(existingForm<Accueil>(), nullptr);
        EXPECT_EQ(exitStatus(), 1);
        autreProgramme.exec(QStringLiteral("ROLLBACK"));
    }
    {
        SCOPED_TRACE("dossier en lecture seule");
        ReadOnlyFolder lectureSeule(etat::CheminDonnees);
        if (!lectureSeule.active())
            GTEST_SKIP() << "the data folder could not be made read-only";
        dialogues_.message(
            QStringLiteral("Le dossier des données %1 est en lecture seule : Zelvantis ne peut pas démarrer.").arg(dossier));
        demarrer();
        EXPECT_TRUE(dialogues_.allAnswered());
        EXPECT_EQ(existingForm<Accueil>(), nullptr);
        base::fermer();
    }
}

TEST_F(DemarrageAccueil, UnFichierLivreManquantArreteLeDemarrageSansToucherAuxDonnees)
{
    // No blank template: the archive is refused, the base and the request stay.
    ajouterEtablissement(QStringLiteral("Ecole A"));
    ASSERT_TRUE(QFile::remove(paths::join(sandbox_.programDir(), {QStringLiteral("zlvsyst.blc")})));
    reglage(QStringLiteral("NewBase"), QStringLiteral("1"));
    dialogues_.message(kQuestionArchive, dialogs::Answer::Ok).message(QStringLiteral("zlvsyst.blc"));
    demarrer();

    EXPECT_EQ(existingForm<Accueil>(), nullptr);
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_EQ(reglageLu(QStringLiteral("NewBase")), QStringLiteral("1"));
    EXPECT_TRUE(archives(paths::dataDir()).isEmpty());
    EXPECT_EQ(compter(QStringLiteral("SELECT count(*) FROM Etablissements")), 1);
    base::fermer();

    // No first copy on a first start: no database is made.
    ASSERT_TRUE(QDir(etat::CheminDonnees).removeRecursively());
    ASSERT_TRUE(QFile::remove(paths::join(sandbox_.programDir(), {QStringLiteral("zlvsyst.idx")})));
    dialogues_.message(QStringLiteral("zlvsyst.idx"));
    formInstance<Accueil>().showForm();

    EXPECT_EQ(existingForm<Accueil>(), nullptr);
    EXPECT_EQ(exitStatus(), 1);
    EXPECT_FALSE(QFileInfo::exists(base::cheminBase()));
}

TEST_F(DemarrageAccueil, QuitterEtMiseAJourFermentLaFenetre)
{
    QTest::mouseClick(demarrer().findChild<QPushButton*>(QStringLiteral("Bt_Quitter")), Qt::LeftButton);
    EXPECT_EQ(existingForm<Accueil>(), nullptr);
    EXPECT_EQ(Form::loadedCount(), 0);

    reglage(QStringLiteral("DateMaj"), text::frenchDate(wallclock::today().addDays(-5)));
    demarrer().findChild<QAction*>(QStringLiteral("Mnu_maj"))->trigger();
    EXPECT_EQ(existingForm<Accueil>(), nullptr);
    EXPECT_EQ(reglageLu(QStringLiteral("DateMaj")), aujourdhui());
    ASSERT_EQ(shell_.requests().size(), 1u);
    EXPECT_EQ(shell_.requests().front().target, demarrage::adresseMaj());

    // Without a browser the address is given instead of a silent end.
    shell_.failOpening();
    dialogues_.message(QStringLiteral("https://mises-a-jour.example/telechargements/maj_zelvantis.exe"));
    demarrer().findChild<QAction*>(QStringLiteral("Mnu_maj"))->trigger();
    EXPECT_EQ(existingForm<Accueil>(), nullptr);
}

namespace {

QByteArray contenu(const QString& fichier)
{
    QFile file(fichier);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The database in place is a copy of the shipped first copy holding one
// establishment, aged by `vieillir`, then made read-only (a locked card, a
// copied disc, a file whose rights were taken away).
class DemarrageLectureSeule : public PhotographeFixture {
protected:
    void demarrerEnLectureSeule(const std::function<void(db::Database&)>& vieillir)
    {
        const QString fichier = base::cheminBase();
        const QString nomFichier = QDir::toNativeSeparators(fichier);
        ASSERT_TRUE(paths::ensureFolder(etat::CheminDonnees));
        ASSERT_TRUE(QFile::copy(paths::join(sandbox_.programDir(), {QStringLiteral("zlvsyst.idx")}), fichier));
        {
            db::Database copie(fichier);
            copie.exec(QStringLiteral("INSERT INTO Etablissements (Nom) VALUES ('Ecole A')"));
            vieillir(copie);
        }
        const QByteArray avant = contenu(fichier);
        ReadOnlyFolder lectureSeule(fichier);
        if (!lectureSeule.active())
            GTEST_SKIP() << "the database could not be made read-only";

        dialogues_.message(QStringLiteral("La base de données %1 est en lecture seule : Zelvantis montre ses "
                                          "données, mais ne peut rien y enregistrer")
                               .arg(nomFichier));
        Accueil& accueil = demarrer();
        EXPECT_TRUE(accueil.isVisible());
        EXPECT_EQ(libelle(accueil), QStringLiteral("Liste des établissements créés : (1)"));
        ASSERT_EQ(dialogues_.prompts().size(), 1u);
        EXPECT_FALSE(dialogues_.lastPrompt().text.contains(QStringLiteral("modification n'a pas été enregistrée")));

        // A change asked is refused as such, the establishment kept.
        QTableWidget* grille = accueil.findChild<QTableWidget*>(QStringLiteral("DBGridEtab"));
        QTest::mouseClick(grille->viewport(), Qt::LeftButton, {}, grille->visualItemRect(grille->item(0, 1)).center());
        dialogues_.message(QStringLiteral("va être définitivement supprimé"), dialogs::Answer::Ok)
            .message(QStringLiteral("La base %1 est en lecture seule : la modification n'a pas été enregistrée.")
                         .arg(nomFichier));
        accueil.findChild<QAction*>(QStringLiteral("MNU_Sup_1"))->trigger();
        EXPECT_TRUE(dialogues_.allAnswered());
        EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
        EXPECT_EQ(libelle(accueil), QStringLiteral("Liste des établissements créés : (1)"));

        // Loaded again after a command, the window does not say it again.
        accueil.unload();
        demarrer();
        EXPECT_TRUE(accueilAffiche());
        toutFermer();
        EXPECT_EQ(contenu(fichier), avant);
    }
};

} // namespace

TEST_F(DemarrageLectureSeule, LePremierExemplaireLivreEnLectureSeuleMontreSesDonneesEtLeDitUneFois)
{
    // The first copy holds no record of work in progress: none can be pending.
    demarrerEnLectureSeule([](db::Database&) {});
}

TEST_F(DemarrageLectureSeule, UneBaseDUneVersionAnterieureEnLectureSeuleMontreSesDonneesEtLeDitUneFois)
{
    demarrerEnLectureSeule([](db::Database& copie) {
        copie.script(QStringLiteral("ALTER TABLE RecPochetteInc DROP COLUMN RecNbArticleTxt;"
                                    "INSERT INTO RecPochetteInc (CodeEtab, RecNbArticle) VALUES ('1', '3');"));
    });
}

// A rename cut short in a base that can no longer be written: its folders stay
// where they are, for a start that can record the rename's end.
TEST_F(DemarrageLectureSeule, UnRenommageInterrompuAttendUneBaseModifiable)
{
    const QString ancien = dossiers_etab::de(QStringLiteral("Ecole A")).tous().front();
    ASSERT_TRUE(paths::ensureFolder(ancien));
    demarrerEnLectureSeule([](db::Database& copie) {
        copie.script(QStringLiteral("CREATE TABLE RenommagesEnCours (CdeEtablissement TEXT, AncienNom TEXT, "
                                    "NouveauNom TEXT, Dossiers TEXT);"
                                    "INSERT INTO RenommagesEnCours SELECT CdeEtablissement, 'Ecole A', 'Ecole B', '0' "
                                    "FROM Etablissements;"));
    });
    EXPECT_TRUE(QFileInfo(ancien).isDir());
    EXPECT_FALSE(QFileInfo::exists(dossiers_etab::de(QStringLiteral("Ecole B")).tous().front()));
}

// A program folder that cannot be written (installed for every user) gives a
// first copy that can.
TEST_F(DemarrageAccueil, UnDossierDuProgrammeEnLectureSeuleDonneUneBaseModifiable)
{
    ReadOnlyFolder programme(sandbox_.programDir());
    if (!programme.active())
        GTEST_SKIP() << "the program folder could not be made read-only";
    demarrer();
    EXPECT_TRUE(accueilAffiche());
    EXPECT_TRUE(dialogues_.prompts().empty());
    ajouterEtablissement(QStringLiteral("Ecole A"));
    EXPECT_EQ(compter(QStringLiteral("SELECT count(*) FROM Etablissements")), 1);
}
