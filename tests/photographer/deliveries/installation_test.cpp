#include "tests/photographer/deliveries/installation_fixture.h"
#include "tests/support/read_only_folder.h"
#include "tests/support/small_disk.h"

#include "common/open_marker.h"

#include <QTest>

#include <sqlite3.h>

namespace {

QByteArray octets(const QString& fichier)
{
    QFile f(fichier);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The school's database as Vizmora leaves it when it is killed in the middle
// of a write: pages of the uncommitted change already in the file, and the
// journal that undoes them beside it. Committed: rows 0 to 1999. Made in
// `brouillon` first.
void baseCoupeeEnPleineEcriture(const QString& brouillon, const QString& base, const QString& journal)
{
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
    Sandbox::writeFile(base, octets(brouillon));
    Sandbox::writeFile(journal, octets(brouillon + QStringLiteral("-journal")));
    sqlite3_exec(ecriture, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(ecriture);
}

} // namespace

TEST_F(Installation, SetupRemetLePaquetALEcoleEtGardeSonAncienneBase)
{
    const QString paquet = livrerPaquet();
    Sandbox::writeFile(baseEcole(), "ancienne base");
    // A stand-in for the school program that says where it ran.
    outil(QStringLiteral("vizmora"), "echo \"vizmora demarre dans $SCHOOLPHOTO_ROOT\"\n");

    const Execution avec = installer(paquet, avecOutils());
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
    const QProcessEnvironment env = avecOutils();

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

// Order codes start again after "Vider la base" or with another
// photographer: a picture of the earlier package must never stand for a
// student of the new one.
TEST_F(Installation, UnEleveSansPhotoNeMontreJamaisCelleDuPaquetPrecedent)
{
    const QString an1 = garder(livrerPaquet(), QStringLiteral("an1"));
    const QString an2 = livrerAnneeSuivante();
    ASSERT_EQ(installer(an1, environnement()).code, 0);
    const Execution execution = installer(an2, environnement());
    ASSERT_EQ(execution.code, 0) << execution.sortie.toStdString();

    // Exactly the package's pictures: the third student has none.
    EXPECT_EQ(etat(imagesEcole()), etat(paths::join(an2, {QStringLiteral("images")})));
    db::Database base(baseEcole());
    const db::Rows troisieme = base.query(QStringLiteral("SELECT NomPhoto, Nom, Prenom FROM Eleves WHERE NomPhoto = ?1"),
                                          {codes_[2]});
    ASSERT_EQ(troisieme.size(), 1u);
    EXPECT_EQ(pictures::findStudentPicture(imagesEcole(), troisieme[0].at(0), troisieme[0].at(1), troisieme[0].at(2)),
              QString());

    // The earlier database and its pictures are kept together, under one date.
    ASSERT_EQ(gardees().size(), 1);
    const QString date = gardees()[0].mid(QStringLiteral("classevizmora_").size()).chopped(4);
    const QString photosGardees = paths::join(ecole(), {QStringLiteral("images_") + date});
    EXPECT_EQ(lire(paths::join(ecole(), {gardees()[0]})), lire(baseDe(an1)));
    EXPECT_EQ(etat(photosGardees), etat(paths::join(an1, {QStringLiteral("images")})));
    EXPECT_TRUE(execution.sortie.contains(
        QStringLiteral("Les anciennes photos de l'école sont gardées dans « %1 ».").arg(photosGardees)))
        << execution.sortie.toStdString();
    EXPECT_EQ(QDir(ecole()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
              (QStringList{QStringLiteral(".installation-en-cours"), QStringLiteral(".vizmora-ouvert"),
                           QStringLiteral("classevizmora.idx"), gardees()[0], QStringLiteral("images"),
                           QStringLiteral("images_") + date}));
}

// Each step of an installation ends with a sync; the run is killed right
// after each in turn, as a power cut would stop it there. Until the next run
// the school's database is one whole database; the next run puts everything
// right, and each kept copy is one package's database with its own pictures.
TEST_F(Installation, UneInstallationCoupeeAChaqueEtapeEstAcheveeParLaSuivante)
{
    const QString an1 = garder(livrerPaquet(), QStringLiteral("an1"));
    const QString an2 = livrerAnneeSuivante();
    const QString compteur = sandbox_.path(QStringLiteral("syncs"));
    const QString coupure = sandbox_.path(QStringLiteral("coupure"));
    // It lets go of the installation's locks first, so that they end with it.
    outil(QStringLiteral("sync"), QStringLiteral("exec 8<&- 9<&-\n"
                                                 "n=$(( $(cat '%1') + 1 ))\n"
                                                 "echo $n > '%1'\n"
                                                 "/bin/sync \"$@\"\n"
                                                 "[ \"$n\" != \"$(cat '%2')\" ] || kill -9 $PPID\n")
                                      .arg(compteur, coupure)
                                      .toUtf8());
    const QMap<QString, QByteArray> photos1 = etat(paths::join(an1, {QStringLiteral("images")}));
    const QMap<QString, QByteArray> photos2 = etat(paths::join(an2, {QStringLiteral("images")}));
    const QStringList fixes{QStringLiteral(".installation-en-cours"), QStringLiteral(".vizmora-ouvert"),
                            QStringLiteral("classevizmora.idx"), QStringLiteral("images")};

    // The year-1 installation, then the year-2 run stopped after that sync
    // (0: never); answers that run.
    const auto couperApres = [&](int apres) {
        EXPECT_TRUE(files::removeTree(ecole()));
        EXPECT_EQ(installer(an1, environnement()).code, 0);
        Sandbox::writeFile(compteur, "0");
        Sandbox::writeFile(coupure, QByteArray::number(apres));
        return installer(an2, avecOutils());
    };
    ASSERT_EQ(couperApres(0).code, 0);
    const int etapes = lire(compteur).trimmed().toInt();
    for (int apres = 1; apres <= etapes; ++apres) {
        SCOPED_TRACE(apres);
        const Execution coupee = couperApres(apres);
        ASSERT_TRUE(coupee.tue) << coupee.sortie.toStdString();
        const QByteArray enPlace = lire(baseEcole());
        EXPECT_TRUE(enPlace == lire(baseDe(an1)) || enPlace == lire(baseDe(an2)));

        const Execution reprise = installer(an2, environnement());
        ASSERT_EQ(reprise.code, 0) << reprise.sortie.toStdString();
        EXPECT_EQ(lire(baseEcole()), lire(baseDe(an2)));
        EXPECT_EQ(etat(imagesEcole()), photos2);
        bool an1Garde = false;
        for (const QString& nom : QDir(ecole()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
            if (fixes.contains(nom))
                continue;
            if (!nom.startsWith(QStringLiteral("images_"))) {
                EXPECT_TRUE(nom.startsWith(QStringLiteral("classevizmora_")) && nom.endsWith(QStringLiteral(".idx")))
                    << nom.toStdString();
                continue;
            }
            const QByteArray base = lire(paths::join(ecole(), {QStringLiteral("classevizmora_") + nom.mid(7)
                                                                   + QStringLiteral(".idx")}));
            const QMap<QString, QByteArray> photos = etat(paths::join(ecole(), {nom}));
            EXPECT_TRUE((base == lire(baseDe(an1)) && photos == photos1) || (base == lire(baseDe(an2)) && photos == photos2))
                << nom.toStdString();
            an1Garde = an1Garde || base == lire(baseDe(an1));
        }
        EXPECT_TRUE(an1Garde);
    }
    EXPECT_GE(etapes, 5);
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
        EXPECT_FALSE(QFileInfo::exists(paths::join(ecole(), {QStringLiteral(".paquet.nouveau")})));
    }
}

TEST_F(Installation, LeJournalDUneBaseCoupeeSuitSaCopieEtQuitteLaNouvelle)
{
    const QString paquet = livrerPaquet();
    // Vizmora killed in the middle of a write.
    baseCoupeeEnPleineEcriture(sandbox_.path(QStringLiteral("brouillon.idx")), baseEcole(),
                               baseEcole() + QStringLiteral("-journal"));
    const Execution execution = installer(paquet, environnement());
    ASSERT_EQ(execution.code, 0) << execution.sortie.toStdString();
    ASSERT_EQ(gardees().size(), 1);
    const QString gardee = gardees()[0];
    // Nothing beside the new database that SQLite would play into it.
    EXPECT_EQ(QDir(ecole()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{QStringLiteral(".installation-en-cours"), QStringLiteral(".vizmora-ouvert"),
                           QStringLiteral("classevizmora.idx"), gardee, gardee + QStringLiteral("-journal")}));

    db::Database copie(paths::join(ecole(), {gardee}));
    EXPECT_EQ(copie.scalar(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    EXPECT_EQ(copie.scalar(QStringLiteral("SELECT count(*) || ' ' || min(n) || ' ' || "
                                          "sum(texte LIKE 'PERDU%') FROM AnDernier")),
              QStringLiteral("2000 0 0"));
    db::Database installee(baseEcole());
    EXPECT_EQ(installee.scalar(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    EXPECT_FALSE(installee.hasTable(QStringLiteral("AnDernier")));
    EXPECT_EQ(installee.scalar(QStringLiteral("SELECT count(*) FROM Eleves")), QStringLiteral("3"));
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
    const Execution apres = installer(paquet, avecOutils());
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
    const QProcessEnvironment env = avecOutils();

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
