#include "common/files.h"
#include "common/text.h"
#include "tests/support/sandbox.h"
#include "tests/support/small_disk.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Nothing but the named files: no temporary file left behind.
QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

TEST(Fichiers, EcritureEtCopieRemplacentLaCibleEntiere)
{
    Sandbox sandbox;
    const QString folder = sandbox.root() + QStringLiteral("/docs/neuf");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString target = folder + QStringLiteral("/liste.csv");
    EXPECT_EQ(files::writeWhole(target, "première"), QString());
    EXPECT_EQ(files::writeWhole(target, "seconde"), QString());
    EXPECT_EQ(readAll(target), QByteArray("seconde"));
    EXPECT_EQ(QFileInfo(target).permissions() & QFile::ReadOther, QFile::ReadOther);

    const QString source = sandbox.root() + QStringLiteral("/source.jpg");
    put(source, QByteArray(3 << 20, 'p'));
    const QString copy = folder + QStringLiteral("/copie.jpg");
    EXPECT_EQ(files::copyWhole(source, copy, files::Sync::Later), QString());
    EXPECT_TRUE(files::syncFileSystem(folder));
    EXPECT_EQ(readAll(copy), readAll(source));
    EXPECT_EQ(entries(folder), (QStringList{QStringLiteral("copie.jpg"), QStringLiteral("liste.csv")}));

    const QString missing = sandbox.root() + QStringLiteral("/absente.jpg");
    EXPECT_TRUE(files::copyWhole(missing, copy).contains(QStringLiteral("absente.jpg")));
    EXPECT_EQ(readAll(copy), readAll(source));
}

TEST(Fichiers, UnFichierEnAttenteAbandonneAvantSaValidationLaisseLaCibleEnLEtat)
{
    Sandbox sandbox;
    const QString target = sandbox.root() + QStringLiteral("/portrait.jpg");
    put(target, "ancien");
    {
        files::PendingFile pending(target);
        ASSERT_TRUE(pending.write("nouveau"));
        EXPECT_EQ(readAll(target), QByteArray("ancien"));
    }
    EXPECT_EQ(readAll(target), QByteArray("ancien"));
    EXPECT_EQ(entries(sandbox.root()).filter(QStringLiteral("portrait")), QStringList{QStringLiteral("portrait.jpg")});
}

TEST(Fichiers, UnDisquePleinOuUneLimiteDeTailleLaisseLAncienFichierEtDitLequel)
{
    Sandbox sandbox;
    const QString folder = sandbox.root() + QStringLiteral("/petit");
    SmallDisk disk(folder, 256 * 1024);
    if (!disk.active())
        GTEST_SKIP() << "a small file system needs root";
    const QString target = folder + QStringLiteral("/labo.csv");
    ASSERT_EQ(files::writeWhole(target, "ancien"), QString());
    disk.fillLeaving(8 * 1024);

    const QString message = text::writeLines(target, QStringList(2000, QStringLiteral("DUPONT;Jean;6e A")),
                                             text::Unmappable::Question);
    EXPECT_TRUE(message.contains(QStringLiteral("labo.csv"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("plein"))) << message.toStdString();
    EXPECT_EQ(readAll(target), QByteArray("ancien"));
    EXPECT_EQ(entries(folder), (QStringList{QStringLiteral(".remplissage"), QStringLiteral("labo.csv")}));

    const QString source = sandbox.root() + QStringLiteral("/grande.jpg");
    put(source, QByteArray(64 * 1024, 'g'));
    EXPECT_FALSE(files::copyWhole(source, target, files::Sync::Later).isEmpty());
    EXPECT_EQ(readAll(target), QByteArray("ancien"));
    // Straight into a folder being built: what could not be written whole is not left.
    const QString built = folder + QStringLiteral("/photo.jpg");
    EXPECT_TRUE(files::copyWhole(source, built, files::Sync::InBuiltFolder).contains(QStringLiteral("photo.jpg")));
    EXPECT_FALSE(QFileInfo::exists(built));

    const QString outside = sandbox.root() + QStringLiteral("/limite.jpg");
    FileSizeLimit limit(16 * 1024);
    EXPECT_TRUE(files::copyWhole(source, outside).contains(QStringLiteral("limite.jpg")));
    EXPECT_FALSE(QFileInfo::exists(outside));
}

TEST(Fichiers, SupprimerUnDossierNEntreJamaisDansUnLien)
{
    Sandbox sandbox;
    const QString kept = sandbox.root() + QStringLiteral("/ecole");
    QDir().mkpath(kept);
    put(kept + QStringLiteral("/photo.jpg"), "photo");
    const QString folder = sandbox.root() + QStringLiteral("/paquet");
    QDir().mkpath(folder + QStringLiteral("/images"));
    ASSERT_TRUE(QFile::link(kept, folder + QStringLiteral("/images/lien")));
    const QString link = sandbox.root() + QStringLiteral("/lien-paquet");
    ASSERT_TRUE(QFile::link(kept, link));

    EXPECT_TRUE(files::removeTree(folder));
    EXPECT_TRUE(files::removeTree(link));
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readAll(kept + QStringLiteral("/photo.jpg")), QByteArray("photo"));
    EXPECT_TRUE(files::removeTree(sandbox.root() + QStringLiteral("/rien")));
}

TEST(Fichiers, UnDossierConstruitACoteRemplaceLAncienEnUneFois)
{
    Sandbox sandbox;
    const QString target = sandbox.root() + QStringLiteral("/A Graver/Lycée");
    const QString built = sandbox.root() + QStringLiteral("/A Graver/.Lycée.construction");
    for (const QByteArray& version : {QByteArray("premier"), QByteArray("second")}) {
        QDir().mkpath(built);
        put(built + QStringLiteral("/classevizmora.idx"), version);
        EXPECT_EQ(files::replaceFolder(built, target), QString());
        EXPECT_EQ(readAll(target + QStringLiteral("/classevizmora.idx")), version);
        EXPECT_FALSE(QFileInfo::exists(built));
    }
    EXPECT_FALSE(files::replaceFolder(built, target).isEmpty());
    EXPECT_EQ(readAll(target + QStringLiteral("/classevizmora.idx")), QByteArray("second"));
}

// A writer killed (a power cut) between writing its file and renaming it
// leaves the hidden temporary; the next start removes it, but not a file
// another running writer holds, nor anything else hidden in the folder.
TEST(Fichiers, LesFichiersTemporairesDUnEcrivainDisparuSontSupprimesEtSeulsEux)
{
    Sandbox sandbox;
    const QString folder = sandbox.root() + QStringLiteral("/images");
    ASSERT_TRUE(QDir().mkpath(folder));
    put(folder + QStringLiteral("/19.jpg"), "ancien");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        files::PendingFile pending(folder + QStringLiteral("/19.jpg"));
        if (pending.write("nouveau"))
            ::kill(::getpid(), SIGKILL);
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    const QStringList left = entries(folder).filter(QRegularExpression(QStringLiteral("^\\.19\\.jpg\\.")));
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(readAll(folder + u'/' + left.front()), QByteArray("nouveau"));

    const QStringList kept{QStringLiteral(".19.jpg.abcde"), QStringLiteral(".notes"), QStringLiteral("13.jpg"),
                           QStringLiteral("13.jpg.abcdef")};
    for (const QString& name : kept)
        put(folder + u'/' + name, "autre");
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/.dossier.abcdef")));
    files::PendingFile running(folder + QStringLiteral("/21.jpg"));
    ASSERT_TRUE(running.write("en cours"));

    EXPECT_EQ(files::removeLeftoverTemporaries(folder), 1);
    QStringList remaining = entries(folder);
    EXPECT_EQ(remaining.filter(QStringLiteral(".19.jpg.")), QStringList{QStringLiteral(".19.jpg.abcde")});
    for (const QString& name : kept + QStringList{QStringLiteral("19.jpg"), QStringLiteral(".dossier.abcdef")})
        EXPECT_TRUE(remaining.contains(name)) << name.toStdString();
    EXPECT_EQ(remaining.filter(QStringLiteral(".21.jpg.")).size(), 1);
    ASSERT_TRUE(running.commit());
    EXPECT_EQ(readAll(folder + QStringLiteral("/21.jpg")), QByteArray("en cours"));

    files::PendingFile abandoned(folder + QStringLiteral("/22.jpg"));
    ASSERT_TRUE(abandoned.write("abandonnée"));
    abandoned.discard();
    EXPECT_TRUE(entries(folder).filter(QStringLiteral("22.jpg")).isEmpty());
    EXPECT_FALSE(abandoned.commit());
}

TEST(Fichiers, UnDeplacementNeRemplaceJamaisEtUneMiseEnPlaceRemplaceEnUneFois)
{
    Sandbox sandbox;
    const QString ancien = sandbox.root() + QStringLiteral("/Lycée");
    const QString nouveau = sandbox.root() + QStringLiteral("/Lycée d'Été");
    QDir().mkpath(ancien);
    put(ancien + QStringLiteral("/1.jpg"), "photo");
    EXPECT_EQ(files::move(ancien, nouveau), QString());
    EXPECT_EQ(readAll(nouveau + QStringLiteral("/1.jpg")), QByteArray("photo"));
    // Even an empty folder under the new name is never replaced.
    QDir().mkpath(ancien);
    EXPECT_NE(files::move(nouveau, ancien), QString());
    EXPECT_EQ(readAll(nouveau + QStringLiteral("/1.jpg")), QByteArray("photo"));
    EXPECT_NE(files::move(sandbox.root() + QStringLiteral("/absent"), sandbox.root() + QStringLiteral("/autre")), QString());

    const QString cible = sandbox.root() + QStringLiteral("/base.idx");
    const QString construit = sandbox.root() + QStringLiteral("/.base.idx.vide");
    put(cible, "pleine");
    put(construit, "vide");
    EXPECT_EQ(files::putInPlace(construit, cible), QString());
    EXPECT_EQ(readAll(cible), QByteArray("vide"));
    EXPECT_FALSE(QFileInfo::exists(construit));
    const QString refus = files::putInPlace(construit, cible);
    EXPECT_TRUE(refus.contains(QStringLiteral("base.idx"))) << refus.toStdString();
    EXPECT_EQ(readAll(cible), QByteArray("vide"));
}
