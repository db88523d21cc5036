#include "tests/photographer/deliveries/livraison_fixture.h"
#include "tests/support/read_only_folder.h"
#include "tests/support/small_disk.h"

#include "common/open_marker.h"
#include "common/pictures.h"
#include "photographer/deliveries/paquet_ecole.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QProcessEnvironment>

#include <sqlite3.h>

namespace {

struct Execution {
    int code = -1;
    QString sortie;
};

// Runs "sh setup.exe" from the package folder, as the school does.
Execution installer(const QString& paquet, const QProcessEnvironment& env)
{
    QProcess processus;
    processus.setProcessEnvironment(env);
    processus.setWorkingDirectory(paquet);
    processus.start(QStringLiteral("/bin/sh"), {QStringLiteral("setup.exe")});
    if (!processus.waitForFinished(30000))
        return {};
    return {processus.exitCode(), QString::fromUtf8(processus.readAllStandardOutput() + processus.readAllStandardError())};
}

} // namespace

class Installation : public LivraisonFixture {
protected:
    // A package of three students with their pictures.
    QString livrerPaquet()
    {
        for (const char* nom : {"DUPONT", "MARTIN", "LEROY"})
            photo(dossiers_etab::de(etat::NomEtabEnCours).donnees,
                  eleve(QStringLiteral("6A"), QString::fromLatin1(nom), QStringLiteral("Jean"), QStringLiteral("123456789AB"))
                      + QStringLiteral(".jpg"));
        EXPECT_TRUE(paquet_ecole::livrer(etat::CodeEtabEnCours, [](int) {}).reussie);
        return bureau(QStringLiteral("A Graver/") + etat::NomEtabEnCours);
    }

    // The drive root of the sandbox, and a PATH with the tools folder first.
    QProcessEnvironment environnement(const QString& chemin = QStringLiteral("/usr/bin:/bin")) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("SCHOOLPHOTO_ROOT"), sandbox_.root());
        env.insert(QStringLiteral("PATH"), chemin);
        return env;
    }

    // A stand-in for a command, found on the PATH before the system's.
    QString outil(const QString& nom, const QByteArray& script) const
    {
        const QString fichier = Sandbox::writeFile(paths::join(outils(), {nom}), "#!/bin/sh\n" + script);
        QFile::setPermissions(fichier, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return fichier;
    }

    // The school's database as Vizmora leaves it when it is killed in the
    // middle of a write: pages of the uncommitted change already in the file,
    // and the journal that undoes them beside it. Committed: rows 0 to 1999.
    void baseCoupeeEnPleineEcriture(const QString& base, const QString& journal)
    {
        const QString brouillon = sandbox_.path(QStringLiteral("brouillon.idx"));
        QFile::remove(brouillon);
        db::Database(brouillon).script(QStringLiteral(
            "CREATE TABLE AnDernier (n INTEGER, texte TEXT);"
            "WITH RECURSIVE c(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM c WHERE n < 1999) "
            "INSERT INTO AnDernier SELECT n, hex(zeroblob(100)) FROM c;"));
        sqlite3* ecriture = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(brouillon).constData(), &ecriture), SQLITE_OK);
        // A cache of one page: the change reaches the file before its commit.
        ASSERT_EQ(sqlite3_exec(ecriture,
                               "PRAGMA cache_size = 1; BEGIN; UPDATE AnDernier SET texte = 'PERDU' || texte;"
                               "DELETE FROM AnDernier WHERE n < 1000;",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        Sandbox::writeFile(base, lire(brouillon));
        Sandbox::writeFile(journal, lire(brouillon + QStringLiteral("-journal")));
        sqlite3_exec(ecriture, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(ecriture);
    }

    QString outils() const { return paths::join(sandbox_.root(), {QStringLiteral("outils")}); }
    QString ecole() const { return paths::join(sandbox_.root(), {QStringLiteral("vizmora2020")}); }
    QString baseEcole() const { return paths::join(ecole(), {QStringLiteral("classevizmora.idx")}); }
    QStringList gardees() const
    {
        return QDir(ecole()).entryList({QStringLiteral("classevizmora_*.idx")}, QDir::Files, QDir::Name);
    }
};

TEST_F(Installation, SetupRemetLePaquetALEcoleEtGardeSonAncienneBase)
{
    const QString paquet = livrerPaquet();
    Sandbox::writeFile(baseEcole(), "ancienne base");
    // A stand-in for the school program that says where it ran.
    outil(QStringLiteral("vizmora"), "echo \"vizmora demarre dans $SCHOOLPHOTO_ROOT\"\n");

    const Execution avec = installer(paquet, environnement(outils() + QStringLiteral(":/usr/bin:/bin")));
    EXPECT_EQ(avec.code, 0) << avec.sortie.toStdString();
    EXPECT_TRUE(avec.sortie.contains(QStringLiteral("vizmora demarre dans ") + sandbox_.root())) << avec.sortie.toStdString();
    EXPECT_EQ(lire(baseEcole()), lire(paths::join(paquet, {QStringLiteral("classevizmora.idx")})));
    ASSERT_EQ(gardees().size(), 1);
    EXPECT_EQ(lire(paths::join(ecole(), {gardees()[0]})), QByteArray("ancienne base"));

    // The school finds each delivered student's picture by its order code.
    db::Database base(baseEcole());
    const db::Rows eleves = base.query(QStringLiteral("SELECT NomPhoto, Nom, Prenom, Classe FROM Eleves"));
    ASSERT_EQ(eleves.size(), 3u);
    for (const db::Row& eleve : eleves) {
        EXPECT_EQ(eleve.at(3), QStringLiteral("6A"));
        EXPECT_FALSE(pictures::findStudentPicture(paths::join(ecole(), {QStringLiteral("images")}), eleve.at(0),
                                                  eleve.at(1), eleve.at(2))
                         .isEmpty());
    }

    // Without the program on the PATH, the script says how to start it.
    const Execution sans = installer(paquet, environnement());
    EXPECT_EQ(sans.code, 0) << sans.sortie.toStdString();
    EXPECT_TRUE(sans.sortie.contains(QStringLiteral("Le programme Vizmora n'a pas été trouvé"))) << sans.sortie.toStdString();
}

TEST_F(Installation, DeuxInstallationsDansLaMemeSecondeGardentChacuneLeurBase)
{
    const QString paquet = livrerPaquet();
    Sandbox::writeFile(baseEcole(), "base de l'an dernier");
    outil(QStringLiteral("date"), "echo 01022026_101010\n");
    const QProcessEnvironment env = environnement(outils() + QStringLiteral(":/usr/bin:/bin"));

    for (int fois = 0; fois < 3; ++fois) {
        const Execution execution = installer(paquet, env);
        ASSERT_EQ(execution.code, 0) << execution.sortie.toStdString();
    }
    EXPECT_EQ(gardees(), (QStringList{QStringLiteral("classevizmora_01022026_101010.idx"),
                                      QStringLiteral("classevizmora_01022026_101010_2.idx"),
                                      QStringLiteral("classevizmora_01022026_101010_3.idx")}));
    EXPECT_EQ(lire(paths::join(ecole(), {gardees()[0]})), QByteArray("base de l'an dernier"));
    EXPECT_EQ(lire(paths::join(ecole(), {gardees()[2]})), lire(baseEcole()));
}

TEST_F(Installation, UnPaquetAbimeEstRefuseSansToucherALEcole)
{
    const QString paquet = livrerPaquet();
    const QString base = paths::join(paquet, {QStringLiteral("classevizmora.idx")});
    const QString liste = paths::join(paquet, {QStringLiteral("contenu.txt")});
    const QString photo = paths::join(paquet, arbre(paquet).filter(QStringLiteral("images/")).front().split(u'/'));
    // Put back after each case.
    const QByteArray baseLivree = lire(base);
    const QByteArray listeLivree = lire(liste);
    const QByteArray photoLivree = lire(photo);
    const struct {
        const char* cas;
        std::function<void()> abimer;
        const char* message;
    } cas[] = {
        {"base coupée", [&] { Sandbox::writeFile(base, baseLivree.left(baseLivree.size() / 2)); },
         "classevizmora.idx » est abîmé"},
        {"photo absente", [&] { QFile::remove(photo); }, "est introuvable : le paquet est incomplet"},
        {"liste absente", [&] { QFile::remove(liste); }, "contenu.txt » est introuvable"},
        {"liste coupée", [&] { Sandbox::writeFile(liste, listeLivree.left(20)); }, "le paquet est incomplet"},
        {"liste vide", [&] { Sandbox::writeFile(liste, {}); }, "contenu.txt » est incomplète"},
    };
    Sandbox::writeFile(baseEcole(), "base de l'école");
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        c.abimer();
        const Execution execution = installer(paquet, environnement());
        EXPECT_NE(execution.code, 0);
        EXPECT_TRUE(execution.sortie.startsWith(QStringLiteral("Installation impossible : ")))
            << execution.sortie.toStdString();
        EXPECT_TRUE(execution.sortie.contains(QString::fromUtf8(c.message))) << execution.sortie.toStdString();
        EXPECT_EQ(arbre(ecole()), QStringList{QStringLiteral("classevizmora.idx")});
        EXPECT_EQ(lire(baseEcole()), QByteArray("base de l'école"));
        Sandbox::writeFile(base, baseLivree);
        Sandbox::writeFile(liste, listeLivree);
        Sandbox::writeFile(photo, photoLivree);
    }
}

TEST_F(Installation, SansDossierOuInstallerLeScriptLeDitEnFrancais)
{
    const QString paquet = livrerPaquet();
    QProcessEnvironment env = environnement();
    env.remove(QStringLiteral("SCHOOLPHOTO_ROOT"));
    env.remove(QStringLiteral("HOME"));
    const Execution execution = installer(paquet, env);
    EXPECT_NE(execution.code, 0);
    EXPECT_EQ(execution.sortie,
              QStringLiteral("Installation impossible : ni SCHOOLPHOTO_ROOT ni HOME n'indiquent où installer le paquet.\n"));
}

TEST_F(Installation, UnDisquePleinLaisseLAncienneBaseEnService)
{
    const QString paquet = livrerPaquet();
    const struct {
        const char* cas;
        qint64 reste;
        const char* message;
    } cas[] = {
        {"pendant les photos", 4096, "les photos n'ont pas pu être copiées dans « %1/images »."},
        {"pendant la base", 16 * 1024, "la base « %1/classevizmora.idx » n'a pas pu être écrite."},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        SmallDisk disque(ecole(), 1024 * 1024);
        if (!disque.active())
            GTEST_SKIP() << "monter un petit disque demande les droits d'administrateur";
        Sandbox::writeFile(baseEcole(), "base de l'école");
        disque.fillLeaving(c.reste);
        const Execution execution = installer(paquet, environnement());
        EXPECT_NE(execution.code, 0);
        EXPECT_TRUE(execution.sortie.contains(QStringLiteral("Installation impossible : ")
                                              + QString::fromUtf8(c.message).arg(ecole())))
            << execution.sortie.toStdString();
        EXPECT_EQ(lire(baseEcole()), QByteArray("base de l'école"));
        EXPECT_FALSE(QFileInfo::exists(paths::join(ecole(), {QStringLiteral(".classevizmora.idx.copie")})));
    }
}

TEST_F(Installation, LeJournalDUneBaseCoupeeSuitSaCopieEtQuitteLaNouvelle)
{
    const QString paquet = livrerPaquet();
    const QString journal = baseEcole() + QStringLiteral("-journal");
    const QString ecarte = paths::join(ecole(), {QStringLiteral(".classevizmora.idx-journal.ancien")});
    const QString temporaire = paths::join(ecole(), {QStringLiteral(".classevizmora.idx.copie")});
    const QByteArray livree = lire(paths::join(paquet, {QStringLiteral("classevizmora.idx")}));
    const struct {
        const char* cas;
        std::function<void()> couper;
        bool copieDeLAnDernier; // else the dated copy is the package's database
    } cas[] = {
        {"Vizmora tué pendant une écriture", [&] { baseCoupeeEnPleineEcriture(baseEcole(), journal); }, true},
        {"installation coupée avant la nouvelle base",
         [&] {
             baseCoupeeEnPleineEcriture(baseEcole(), ecarte);
             Sandbox::writeFile(temporaire, livree);
         },
         true},
        {"installation coupée après la nouvelle base",
         [&] {
             baseCoupeeEnPleineEcriture(sandbox_.path(QStringLiteral("ancienne.idx")), ecarte);
             Sandbox::writeFile(baseEcole(), livree);
         },
         false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        QDir(ecole()).removeRecursively();
        c.couper();
        const Execution execution = installer(paquet, environnement());
        ASSERT_EQ(execution.code, 0) << execution.sortie.toStdString();
        ASSERT_EQ(gardees().size(), 1);
        const QString gardee = gardees()[0];
        // Nothing beside the new database that SQLite would play into it.
        QStringList attendus{QStringLiteral(".installation-en-cours"), QStringLiteral(".vizmora-ouvert"),
                             QStringLiteral("classevizmora.idx"), gardee};
        if (c.copieDeLAnDernier)
            attendus.append(gardee + QStringLiteral("-journal"));
        EXPECT_EQ(QDir(ecole()).entryList(QDir::Files | QDir::Hidden, QDir::Name), attendus);

        db::Database copie(paths::join(ecole(), {gardee}));
        EXPECT_EQ(copie.scalar(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        EXPECT_EQ(copie.hasTable(QStringLiteral("AnDernier")), c.copieDeLAnDernier);
        if (c.copieDeLAnDernier) {
            EXPECT_EQ(copie.scalar(QStringLiteral("SELECT count(*) || ' ' || min(n) || ' ' || "
                                                  "sum(texte LIKE 'PERDU%') FROM AnDernier")),
                      QStringLiteral("2000 0 0"));
        }
        db::Database installee(baseEcole());
        EXPECT_EQ(installee.scalar(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        EXPECT_FALSE(installee.hasTable(QStringLiteral("AnDernier")));
        EXPECT_EQ(installee.scalar(QStringLiteral("SELECT count(*) FROM Eleves")), QStringLiteral("3"));
    }
}

TEST_F(Installation, TantQueVizmoraEstOuvertLInstallationNeChangeRien)
{
    const QString paquet = livrerPaquet();
    const QString marque = paths::join(ecole(), {QStringLiteral(".vizmora-ouvert")});
    Sandbox::writeFile(baseEcole(), "base de l'école");
    {
        // Held as each running Vizmora holds it.
        OpenMarker vizmora(marque);
        ASSERT_EQ(vizmora.state(), OpenMarker::State::Held);
        const Execution refus = installer(paquet, environnement());
        EXPECT_NE(refus.code, 0);
        EXPECT_EQ(refus.sortie, QStringLiteral("Installation impossible : Vizmora est ouvert sur le dossier « %1 » : "
                                               "fermez-le, puis relancez l'installation.\n")
                                    .arg(ecole()));
        EXPECT_EQ(arbre(ecole()), (QStringList{QStringLiteral(".installation-en-cours"), QStringLiteral(".vizmora-ouvert"),
                                               QStringLiteral("classevizmora.idx")}));
        EXPECT_EQ(lire(baseEcole()), QByteArray("base de l'école"));
    }

    // Once it has ended (a crash ends its lock too), the package goes in, and
    // the Vizmora that finalise.bat starts finds the folder free.
    outil(QStringLiteral("vizmora"),
          "flock -n -s \"$SCHOOLPHOTO_ROOT/vizmora2020/.vizmora-ouvert\" echo vizmora marque le dossier\n");
    const Execution apres = installer(paquet, environnement(outils() + QStringLiteral(":/usr/bin:/bin")));
    EXPECT_EQ(apres.code, 0) << apres.sortie.toStdString();
    EXPECT_TRUE(apres.sortie.endsWith(QStringLiteral("vizmora marque le dossier\n"))) << apres.sortie.toStdString();
    EXPECT_EQ(lire(baseEcole()), lire(paths::join(paquet, {QStringLiteral("classevizmora.idx")})));
}

TEST_F(Installation, DansUnDossierEnLectureSeuleSeulLeFrancaisEstDit)
{
    const QString paquet = livrerPaquet();
    const struct {
        const char* cas;
        bool dejaOuvert; // Vizmora has run there: the marker and the pictures folder exist
    } cas[] = {{"jamais ouvert", false}, {"déjà ouvert", true}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        QDir(ecole()).removeRecursively();
        Sandbox::writeFile(baseEcole(), "base de l'école");
        if (c.dejaOuvert) {
            Sandbox::writeFile(paths::join(ecole(), {QStringLiteral(".vizmora-ouvert")}), {});
            ASSERT_TRUE(QDir().mkpath(paths::join(ecole(), {QStringLiteral("images")})));
        }
        ReadOnlyFolder lectureSeule(ecole());
        if (!lectureSeule.active())
            GTEST_SKIP() << "monter un dossier en lecture seule demande les droits d'administrateur";
        const Execution execution = installer(paquet, environnement());
        EXPECT_NE(execution.code, 0);
        // One French line, and no word of the copy tools.
        EXPECT_TRUE(execution.sortie.startsWith(QStringLiteral("Installation impossible : ")))
            << execution.sortie.toStdString();
        EXPECT_EQ(execution.sortie.count(u'\n'), 1) << execution.sortie.toStdString();
        EXPECT_EQ(lire(baseEcole()), QByteArray("base de l'école"));
    }
}

// A second installation started while one runs is told that one runs, not
// that Vizmora is open, and waits for nothing: it changes nothing. The one
// running goes on, and the Vizmora it starts keeps neither of its locks.
TEST_F(Installation, PendantUneAutreInstallationLeScriptLeDit)
{
    const QString paquet = livrerPaquet();
    Sandbox::writeFile(baseEcole(), "base de l'école");
    const QString enCours = sandbox_.path(QStringLiteral("copie-en-cours"));
    const QString continuer = sandbox_.path(QStringLiteral("continuer"));
    // The first installation's copy of the pictures waits for the test.
    outil(QStringLiteral("cp"), QStringLiteral("if [ \"$1\" = -R ]; then\n"
                                               "    touch '%1'\n"
                                               "    while [ ! -e '%2' ]; do sleep 0.05; done\n"
                                               "fi\n"
                                               "exec /bin/cp \"$@\"\n")
                                    .arg(enCours, continuer)
                                    .toUtf8());
    outil(QStringLiteral("vizmora"), "cd \"$SCHOOLPHOTO_ROOT/vizmora2020\" && flock -n -x .installation-en-cours "
                                     "flock -n -x .vizmora-ouvert echo vizmora libre de tout verrou\n");
    const QProcessEnvironment env = environnement(outils() + QStringLiteral(":/usr/bin:/bin"));

    QProcess premiere;
    premiere.setProcessEnvironment(env);
    premiere.setWorkingDirectory(paquet);
    premiere.start(QStringLiteral("/bin/sh"), {QStringLiteral("setup.exe")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(enCours); }, 30000));

    const Execution seconde = installer(paquet, env);
    EXPECT_NE(seconde.code, 0);
    EXPECT_EQ(seconde.sortie, QStringLiteral("Installation impossible : une installation est déjà en cours sur le "
                                             "dossier « %1 » : attendez qu'elle se termine.\n")
                                  .arg(ecole()));
    EXPECT_EQ(lire(baseEcole()), QByteArray("base de l'école"));
    EXPECT_TRUE(gardees().isEmpty());

    Sandbox::writeFile(continuer, {});
    ASSERT_TRUE(premiere.waitForFinished(30000));
    const QString sortie = QString::fromUtf8(premiere.readAllStandardOutput() + premiere.readAllStandardError());
    EXPECT_EQ(premiere.exitCode(), 0) << sortie.toStdString();
    EXPECT_TRUE(sortie.endsWith(QStringLiteral("vizmora libre de tout verrou\n"))) << sortie.toStdString();
    EXPECT_EQ(lire(baseEcole()), lire(paths::join(paquet, {QStringLiteral("classevizmora.idx")})));
}
