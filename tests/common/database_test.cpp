#include "common/database.h"
#include "tests/support/read_only_folder.h"

#include <gtest/gtest.h>

#include <functional>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class BaseDeDonnees : public ::testing::Test {
protected:
    BaseDeDonnees() : database(dir.filePath(QStringLiteral("test.idx")))
    {
        database.script(QStringLiteral(
            "CREATE TABLE Eleves (CdeEleves INTEGER PRIMARY KEY AUTOINCREMENT, Nom TEXT, Classe TEXT);"));
    }
    qint64 add(const QString& nom, const QString& classe = QStringLiteral("6A"))
    {
        return database.insert(QStringLiteral("INSERT INTO Eleves (Nom, Classe) VALUES (?, ?)"), {nom, classe});
    }
    QStringList names(const QString& sql, const db::Params& params = {})
    {
        QStringList result;
        for (const db::Row& row : database.query(sql, params))
            result << row[u"Nom"];
        return result;
    }

    QTemporaryDir dir;
    db::Database database;
};

} // namespace

TEST_F(BaseDeDonnees, LOrdreFrancaisIgnoreLaCasseEtPlaceLesAccentsAvecLeurLettre)
{
    for (const char* nom : {"Eric", "émile", "Elodie", "Zoé", "dupont", "Dupont", "Ève"})
        add(QString::fromUtf8(nom));
    EXPECT_EQ(names(QStringLiteral("SELECT Nom FROM Eleves ORDER BY Nom COLLATE FR, CdeEleves")),
              QStringList({"dupont", "Dupont", "Elodie", QString::fromUtf8("émile"), "Eric",
                           QString::fromUtf8("Ève"), QString::fromUtf8("Zoé")}));
}

TEST_F(BaseDeDonnees, LesRecherchesParNomSontExactesEtSansCasse)
{
    add(QStringLiteral("d'Arc*"));
    add(QStringLiteral("d'Arcy"));
    add(QStringLiteral("D'ARC*"));
    add(QStringLiteral("100% [a]#?"));
    const QString byName = QStringLiteral("SELECT Nom FROM Eleves WHERE Nom = ? COLLATE FR ORDER BY CdeEleves");
    EXPECT_EQ(names(byName, {QStringLiteral("d'arc*")}), QStringList({"d'Arc*", "D'ARC*"}));
    EXPECT_EQ(names(byName, {QStringLiteral("100% [A]#?")}), QStringList({"100% [a]#?"}));
    EXPECT_TRUE(names(byName, {QStringLiteral("d'Arc")}).isEmpty());
    // An accent written as one character or as two is one name.
    add(QStringLiteral("Zo\u00e9"));
    add(QStringLiteral("ZOE\u0301"));
    add(QStringLiteral("Zoe"));
    EXPECT_EQ(names(byName, {QStringLiteral("zoe\u0301")}), QStringList({QStringLiteral("Zo\u00e9"), QStringLiteral("ZOE\u0301")}));
    EXPECT_EQ(db::compareFrench(QStringLiteral("Zo\u00e9"), QStringLiteral("Zoe\u0301")), 0);
}

TEST_F(BaseDeDonnees, LesClesSupprimeesNeSontJamaisRedonnees)
{
    add(QStringLiteral("A"));
    const qint64 last = add(QStringLiteral("B"));
    database.exec(QStringLiteral("DELETE FROM Eleves WHERE CdeEleves = ?"), {last});
    EXPECT_EQ(add(QStringLiteral("C")), last + 1);
}

TEST_F(BaseDeDonnees, NullSeLitCommeUnTexteVide)
{
    database.exec(QStringLiteral("INSERT INTO Eleves (Nom, Classe) VALUES (NULL, ?)"), {QStringLiteral("5B")});
    const db::Rows rows = database.query(QStringLiteral("SELECT Nom, Classe FROM Eleves"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0][u"Nom"].isEmpty());
    EXPECT_FALSE(rows[0][u"Nom"].isNull());
    EXPECT_EQ(rows[0][u"classe"], QStringLiteral("5B"));
    EXPECT_EQ(database.scalar(QStringLiteral("SELECT Nom FROM Eleves WHERE Classe = 'none'")), QString(""));
}

TEST_F(BaseDeDonnees, UneTransactionEstToutOuRien)
{
    try {
        db::Database::Transaction transaction(database);
        add(QStringLiteral("A"));
        add(QStringLiteral("B"));
        database.exec(QStringLiteral("INSERT INTO Absente VALUES (1)"));
        transaction.commit();
    } catch (const db::Error& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("test.idx")));
    }
    EXPECT_EQ(database.scalar(QStringLiteral("SELECT count(*) FROM Eleves")), QStringLiteral("0"));
    {
        db::Database::Transaction transaction(database);
        add(QStringLiteral("A"));
        transaction.commit();
    }
    EXPECT_EQ(database.scalar(QStringLiteral("SELECT count(*) FROM Eleves")), QStringLiteral("1"));
}

TEST_F(BaseDeDonnees, LaSauvegardeCopieLaBaseEntiere)
{
    add(QStringLiteral("A"));
    const QString copy = dir.filePath(QStringLiteral("copie.idx"));
    database.backupTo(copy);
    add(QStringLiteral("B"));
    // A second backup under the same name replaces the first whole; no work copy stays beside it.
    database.backupTo(copy);
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*copie*")}, QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("copie.idx")});
    db::Database restored(copy);
    EXPECT_EQ(restored.scalar(QStringLiteral("SELECT count(*) FROM Eleves")), QStringLiteral("2"));
    const QString impossible = dir.filePath(QStringLiteral("absent/copie.idx"));
    try {
        database.backupTo(impossible);
        ADD_FAILURE() << "a backup into a missing folder succeeded";
    } catch (const db::Error& error) {
        EXPECT_TRUE(error.message().contains(impossible));
    }
}

TEST(OuvertureBase, UnFichierQuiNEstPasUneBaseEstSignaleParSonNom)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("faux.idx"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    const auto ouverts = [] { return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size(); };
    const auto avant = ouverts();
    try {
        db::Database database(path);
        FAIL() << "opened a file that is not a database";
    } catch (const db::Error& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Le fichier %1 n'est pas une base de données.").arg(path));
        EXPECT_TRUE(error.detail().contains(QStringLiteral("file is not a database")));
    }
    // The refused file is let go.
    EXPECT_EQ(ouverts(), avant);
}

TEST(BaseDuProgramme, UnFichierDUneVersionAnterieureRecoitLesColonnesQuiLuiManquentEtGardeSesLignes)
{
    static QString path;
    QTemporaryDir dir;
    path = dir.filePath(QStringLiteral("old.idx"));
    {
        db::Database old(path);
        old.script(QStringLiteral("CREATE TABLE RecPochetteInc (CodeEtab TEXT, RecNbArticles TEXT);"
                                  "INSERT INTO RecPochetteInc VALUES ('12', '3');"));
    }
    static const char* const schema =
        "CREATE TABLE IF NOT EXISTS RecPochetteInc (CodeEtab TEXT, RecNbArticles TEXT, RecNbArticleTxt TEXT,"
        " \"Prix Pro\" TEXT);"
        "CREATE TABLE IF NOT EXISTS Photographe (NomP TEXT);";
    db::ProgramDatabase program([] { return path; }, schema);

    db::Database& opened = program.get();
    EXPECT_EQ(opened.scalar(QStringLiteral("SELECT CodeEtab || '/' || RecNbArticles || '/' || "
                                           "ifnull(RecNbArticleTxt, 'null') FROM RecPochetteInc")),
              QStringLiteral("12/3/null"));
    opened.exec(QStringLiteral("UPDATE RecPochetteInc SET RecNbArticleTxt = 'trois', \"Prix Pro\" = '4,50'"));
    EXPECT_TRUE(opened.hasTable(QStringLiteral("Photographe")));

    // Opening it again finds nothing more to add.
    program.close();
    EXPECT_EQ(program.get().scalar(QStringLiteral("SELECT RecNbArticleTxt FROM RecPochetteInc")), QStringLiteral("trois"));
}

namespace {

QByteArray contenu(const QString& fichier)
{
    QFile file(fichier);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// A file that can only be read (a locked card, a copied CD, an earlier build's
// file left read-only) opens with what the program's schema expects: the
// tables and columns it lacks read as empty, as no row of them can exist, and
// every change is refused as such, the file left as it was.
TEST(BaseDuProgramme, UnFichierEnLectureSeuleSeLitAJourEtRefuseChaqueChangementSansEtreTouche)
{
    static QString path;
    QTemporaryDir dir;
    path = dir.filePath(QStringLiteral("ancienne.idx"));
    db::Database(path).script(QStringLiteral("CREATE TABLE RecPochetteInc (CodeEtab TEXT, RecNbArticles TEXT);"
                                             "INSERT INTO RecPochetteInc VALUES ('12', '3');"));
    static const char* const schema =
        "CREATE TABLE IF NOT EXISTS RecPochetteInc (CodeEtab TEXT, RecNbArticles TEXT, RecNbArticleTxt TEXT);"
        "CREATE TABLE IF NOT EXISTS Travaux (CdeTravail INTEGER PRIMARY KEY AUTOINCREMENT, Fichier TEXT);";
    const QByteArray avant = contenu(path);
    ReadOnlyFolder lectureSeule(path);
    if (!lectureSeule.active())
        GTEST_SKIP() << "the file could not be made read-only";
    db::ProgramDatabase program([] { return path; }, schema);

    db::Database& opened = program.get();
    EXPECT_TRUE(opened.readOnly());
    EXPECT_EQ(opened.path(), path);
    EXPECT_EQ(opened.scalar(QStringLiteral("SELECT CodeEtab || '/' || RecNbArticles || '/' || "
                                           "ifnull(RecNbArticleTxt, 'vide') FROM RecPochetteInc")),
              QStringLiteral("12/3/vide"));
    EXPECT_EQ(opened.scalar(QStringLiteral("SELECT count(*) FROM Travaux")), QStringLiteral("0"));

    const QString refus = QStringLiteral("La base %1 est en lecture seule : la modification n'a pas été enregistrée. "
                                         "Pour enregistrer, rendez ce fichier modifiable, puis redémarrez le programme.")
                              .arg(QDir::toNativeSeparators(path));
    const struct {
        const char* cas;
        std::function<void()> changement;
    } changements[] = {
        {"une ligne changée", [&] { opened.exec(QStringLiteral("UPDATE RecPochetteInc SET RecNbArticleTxt = 'trois'")); }},
        {"un travail inscrit", [&] { opened.insert(QStringLiteral("INSERT INTO Travaux (Fichier) VALUES ('a.jpg')")); }},
        {"une table qu'il n'a pas",
         [&] { opened.exec(QStringLiteral("INSERT INTO Inconnue (Nom) VALUES ('a')")); }},
        {"dans une transaction",
         [&] {
             db::Database::Transaction transaction(opened);
             opened.exec(QStringLiteral("DELETE FROM RecPochetteInc"));
             transaction.commit();
         }},
        {"un schéma", [&] { opened.script(QStringLiteral("CREATE TABLE Autre (Nom TEXT)")); }},
    };
    for (const auto& c : changements) {
        try {
            c.changement();
            ADD_FAILURE() << c.cas << ": accepted";
        } catch (const db::Error& error) {
            EXPECT_EQ(error.message(), refus) << c.cas;
        }
    }
    EXPECT_EQ(opened.scalar(QStringLiteral("SELECT count(*) FROM RecPochetteInc")), QStringLiteral("1"));
    EXPECT_EQ(opened.scalar(QStringLiteral("SELECT count(*) FROM Travaux")), QStringLiteral("0"));
    program.close();
    EXPECT_EQ(contenu(path), avant);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral("-journal")));
}

// A change cut short by a power cut left its journal beside a file that can
// only be read: the file cannot be read until it is taken back, and nothing
// was asked of it.
TEST(OuvertureBase, UnFichierEnLectureSeuleAvecUneModificationInterrompueLeDitSansParlerDeModificationPerdue)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("coupee.idx"));
    {
        db::Database base(dir.filePath(QStringLiteral("vive.idx")));
        base.script(QStringLiteral("CREATE TABLE T (x TEXT);"
                                   "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 500)"
                                   " INSERT INTO T SELECT printf('%0200d', i) FROM n;"
                                   // Pages go to the file before the end: its journal is then complete and synced.
                                   "PRAGMA cache_size = 2;"));
        db::Database::Transaction transaction(base);
        base.exec(QStringLiteral("UPDATE T SET x = 'pendant' || x"));
        // What the disk holds at the power cut: the file and its journal, no program holding them.
        ASSERT_TRUE(QFile::copy(base.path(), path));
        ASSERT_TRUE(QFile::copy(base.path() + QStringLiteral("-journal"), path + QStringLiteral("-journal")));
    }
    ReadOnlyFolder lectureSeule(path);
    if (!lectureSeule.active())
        GTEST_SKIP() << "the file could not be made read-only";
    try {
        db::Database base(path);
        base.query(QStringLiteral("SELECT x FROM T"));
        ADD_FAILURE() << "read";
    } catch (const db::Error& error) {
        EXPECT_EQ(error.message().toStdString(),
                  QStringLiteral("La base %1 est en lecture seule et garde une modification interrompue qui doit y "
                                 "être annulée : elle ne peut pas être lue. Rendez ce fichier modifiable, puis "
                                 "redémarrez le programme.")
                      .arg(QDir::toNativeSeparators(path))
                      .toStdString());
    }
}

// What the user reads is French and names the file and what was lost; SQLite's
// own text and the statement are kept apart for the standard error output.
TEST_F(BaseDeDonnees, LesEchecsDonnentUnTexteFrancaisEtGardentLeDetailTechniqueAPart)
{
    const QString path = QDir::toNativeSeparators(dir.filePath(QStringLiteral("test.idx")));
    const struct {
        const char* name;
        std::function<void(db::Database&)> action;
        QString message;
        const char* detail;
    } cases[] = {
        {"write to a read-only base",
         [](db::Database& base) {
             base.script(QStringLiteral("PRAGMA query_only = ON"));
             base.exec(QStringLiteral("INSERT INTO Eleves (Nom) VALUES (?)"), {QStringLiteral("A")});
         },
         QStringLiteral("La base %1 est en lecture seule : la modification n'a pas été enregistrée. Pour "
                        "enregistrer, rendez ce fichier modifiable, puis redémarrez le programme.")
             .arg(path),
         "INSERT INTO Eleves"},
        {"read of a missing table",
         [](db::Database& base) { base.query(QStringLiteral("SELECT * FROM Absente")); },
         QStringLiteral("La base %1 n'a pas pu être lue.").arg(path), "no such table: Absente"},
        {"a value past the statement's parameters",
         [](db::Database& base) {
             base.exec(QStringLiteral("INSERT INTO Eleves (Nom) VALUES (?)"), {QStringLiteral("A"), QStringLiteral("6A")});
         },
         QStringLiteral("La base %1 n'a pas pu être modifiée : la modification n'a pas été enregistrée.").arg(path),
         "column index out of range"},
        {"change refused by a constraint",
         [](db::Database& base) {
             base.exec(QStringLiteral("INSERT INTO Eleves (CdeEleves, Nom) VALUES (1, 'A')"));
             base.exec(QStringLiteral("INSERT INTO Eleves (CdeEleves, Nom) VALUES (1, 'B')"));
         },
         QStringLiteral("La base %1 a refusé la modification : elle n'a pas été enregistrée.").arg(path),
         "UNIQUE constraint failed"},
    };
    for (const auto& c : cases) {
        db::Database base(dir.filePath(QStringLiteral("test.idx")));
        try {
            c.action(base);
            ADD_FAILURE() << c.name << ": no failure";
        } catch (const db::Error& error) {
            EXPECT_EQ(error.message(), c.message) << c.name;
            EXPECT_TRUE(error.detail().contains(QString::fromLatin1(c.detail))) << c.name << ": " << error.detail().toStdString();
            EXPECT_FALSE(error.message().contains(QStringLiteral("SELECT")) || error.message().contains(QStringLiteral("INSERT")))
                << c.name;
        }
    }
}
