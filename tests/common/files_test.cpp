#include "common/files.h"
#include "common/text.h"
#include "tests/support/exfat_disk.h"
#include "tests/support/read_only_folder.h"
#include "tests/support/renames_double.h"
#include "tests/support/sandbox.h"
#include "tests/support/small_disk.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <optional>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

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

// Builds aside a folder holding one file with `version`, then puts it in place of target.
QString deliver(const QString& target, const QByteArray& version)
{
    if (QString refused = files::startBuildingAside(target); !refused.isEmpty())
        return refused;
    put(files::builtAsideFor(target) + QStringLiteral("/classevizmora.idx"), version);
    return files::replaceFolder(target);
}

QByteArray delivered(const QString& folder)
{
    return readAll(folder + QStringLiteral("/classevizmora.idx"));
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
    const QString built = files::builtAsideFor(target);
    for (const QByteArray& version : {QByteArray("premier"), QByteArray("second")}) {
        ASSERT_EQ(files::startBuildingAside(target), QString());
        put(built + QStringLiteral("/classevizmora.idx"), version);
        EXPECT_EQ(files::replaceFolder(target), QString());
        EXPECT_EQ(readAll(target + QStringLiteral("/classevizmora.idx")), version);
        EXPECT_FALSE(QFileInfo::exists(built));
    }
    EXPECT_FALSE(files::replaceFolder(target).isEmpty());
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

// Network shares, exFAT and NTFS refuse renameat2's flags (EINVAL; ENOSYS on
// an old kernel, EOPNOTSUPP from some drivers): a folder still replaces the
// earlier one, delivery after delivery, and a move still never replaces.
namespace {

// Three deliveries in a row into folder, each replacing the one before, then
// moves: one to a free name, and one that must not replace a folder there.
void troisLivraisonsPuisDeplacements(const QString& folder)
{
    const QString target = folder + QStringLiteral("/Lycée");
    for (const QByteArray& version : {QByteArray("premier"), QByteArray("second"), QByteArray("troisième")}) {
        EXPECT_EQ(deliver(target, version), QString());
        EXPECT_EQ(delivered(target), version);
        EXPECT_EQ(entries(folder), QStringList{QStringLiteral("Lycée")});
    }
    const QString other = folder + QStringLiteral("/Collège");
    EXPECT_EQ(files::move(target, other), QString());
    EXPECT_EQ(delivered(other), QByteArray("troisième"));
    QDir().mkpath(target);
    testing::internal::CaptureStderr();
    EXPECT_NE(files::move(other, target), QString());
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(delivered(other), QByteArray("troisième"));
    EXPECT_TRUE(entries(target).isEmpty());
}

} // namespace

TEST(Fichiers, SansRenommageAvecOptionsUnDossierRemplaceLePrecedentEtUnDeplacementNeRemplaceRien)
{
    for (const int error : {EINVAL, ENOSYS, EOPNOTSUPP}) {
        SCOPED_TRACE(std::strerror(error));
        Sandbox sandbox;
        const WithoutRenameFlags without(error);
        troisLivraisonsPuisDeplacements(sandbox.root() + QStringLiteral("/A Graver"));
    }
}

namespace {

// Renames as the system does, and ends the process at once after the one
// whose number is cutAfter, as a power cut there would.
int cutAfter = 0;
int renamesDone = 0;
int renameThenCut(const char* from, const char* to)
{
    const int done = std::rename(from, to);
    if (++renamesDone == cutAfter)
        ::kill(::getpid(), SIGKILL);
    return done;
}

} // namespace

// Without an exchange of names the earlier folder goes aside, then the new
// one in. Cut after either rename, a whole folder is under a name, and the
// next run finishes the replacement from the names alone.
TEST(Fichiers, UneCoupureEntreLesDeuxRenommagesEstTermineeParLaSuite)
{
    const struct {
        int cutAfter;
        bool targetLeft; // the new folder already under its name
    } cases[] = {{1, false}, {2, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cutAfter);
        Sandbox sandbox;
        const QString folder = sandbox.root() + QStringLiteral("/Bureau");
        const QString target = folder + QStringLiteral("/Exportation");
        ASSERT_EQ(deliver(target, "ancienne"), QString());
        ASSERT_EQ(files::startBuildingAside(target), QString());
        put(files::builtAsideFor(target) + QStringLiteral("/classevizmora.idx"), "nouvelle");

        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            cutAfter = c.cutAfter;
            files::useRenames({[](int, const char*, int, const char*, unsigned int) {
                                   errno = EINVAL;
                                   return -1;
                               },
                               renameThenCut});
            (void)files::replaceFolder(target);
            ::_exit(1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

        const QString earlier = folder + QStringLiteral("/.Exportation.ancien");
        EXPECT_EQ(delivered(earlier), QByteArray("ancienne"));
        EXPECT_EQ(delivered(c.targetLeft ? target : files::builtAsideFor(target)), QByteArray("nouvelle"));
        EXPECT_EQ(QFileInfo::exists(target), c.targetLeft);

        ASSERT_EQ(files::startBuildingAside(target), QString());
        EXPECT_EQ(delivered(target), QByteArray("nouvelle"));
        EXPECT_EQ(entries(folder), (QStringList{QStringLiteral(".Exportation.partiel"), QStringLiteral("Exportation")}));
        EXPECT_TRUE(entries(files::builtAsideFor(target)).isEmpty());
    }
}

// A share may do a rename and lose its reply. Whatever the renames answered,
// a whole folder stands at the target, the earlier delivery or the new one,
// and the message says which; a hidden earlier folder never stays unsaid.
// While the earlier folder waits under its hidden name, the next run puts a folder built aside in
// place as whole: one given up on must leave that name before its removal, which a power cut may
// stop halfway.
TEST(Fichiers, UnDossierConstruitAbandonneNeRemplaceJamaisLePrecedent)
{
    using Reply = ShareRenames::Reply;
    const struct {
        const char* cas;
        std::map<int, Reply> dropping; // the renames while the new folder is dropped
        QByteArray next;               // what the next run finds in place before building
    } cases[] = {
        // Its removal cut halfway, under the name no settling reads: the earlier folder goes back.
        {"retiré sous un autre nom", {}, "ancienne"},
        // It could not leave its name: it stays whole, and the next run puts it in place.
        {"resté entier", {{1, Reply::Refused}}, "nouvelle"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cas);
        Sandbox sandbox;
        const QString folder = sandbox.root() + QStringLiteral("/A Graver");
        const QString target = folder + QStringLiteral("/Ecole");
        ASSERT_EQ(deliver(target, "ancienne"), QString());
        {
            // The earlier folder aside, and its way back refused.
            const ShareRenames share({{1, Reply::Lost}, {2, Reply::Refused}});
            testing::internal::CaptureStderr();
            ASSERT_NE(deliver(target, "nouvelle"), QString());
            testing::internal::GetCapturedStderr();
        }
        ASSERT_TRUE(QFileInfo::exists(folder + QStringLiteral("/.Ecole.ancien")));
        {
            const ShareRenames share(c.dropping);
            testing::internal::CaptureStderr();
            files::dropBuiltAside(target);
            testing::internal::GetCapturedStderr();
        }
        // A power cut in the removal: part of the dropped folder is left.
        const QString dropped = folder + QStringLiteral("/.Ecole.abandon");
        if (QFileInfo::exists(folder + QStringLiteral("/.Ecole.partiel")))
            EXPECT_EQ(readAll(folder + QStringLiteral("/.Ecole.partiel/classevizmora.idx")), "nouvelle");
        else if (QDir().mkpath(dropped))
            put(dropped + QStringLiteral("/classevizmora.idx"), "nouv");
        ASSERT_EQ(files::startBuildingAside(target), QString());
        EXPECT_EQ(delivered(target), c.next);
        EXPECT_EQ(entries(folder), (QStringList{QStringLiteral(".Ecole.partiel"), QStringLiteral("Ecole")}));
    }
}

TEST(Fichiers, UnRenommageDontLaReponseSePerdDitCeQuiEstEnPlace)
{
    using Reply = ShareRenames::Reply;
    const struct {
        const char* cas;
        std::map<int, Reply> replies; // 1: the earlier aside; then the new one in, or the earlier back
        QByteArray inPlace;           // empty: nothing at the target
        const char* said;             // "" when the new delivery is said to be in place
    } cases[] = {
        {"mise de côté faite, réponse perdue", {{1, Reply::Lost}}, "ancienne", "Le dossier précédent est resté en place."},
        {"mise en place faite, réponse perdue", {{2, Reply::Lost}}, "nouvelle", ""},
        {"mise de côté refusée", {{1, Reply::Refused}}, "ancienne", "Le dossier précédent est resté en place."},
        {"mise en place refusée", {{2, Reply::Refused}}, "ancienne", "Le dossier précédent est resté en place."},
        {"retour fait, réponse perdue", {{1, Reply::Lost}, {2, Reply::Lost}}, "ancienne",
         "Le dossier précédent est resté en place."},
        {"retour refusé", {{1, Reply::Lost}, {2, Reply::Refused}}, "",
         "Le dossier précédent n'a pas pu être remis à sa place : il attend sous le nom caché "},
    };
    // On a folder of the machine's disk, and on a real exFAT disk (a USB key shared) when one can be mounted.
    Sandbox sandbox;
    QStringList roots{sandbox.root() + QStringLiteral("/A Graver")};
    const ExfatDisk disk(sandbox.root() + QStringLiteral("/cle"), sandbox.root() + QStringLiteral("/cle.img"));
    if (disk.active())
        roots << sandbox.root() + QStringLiteral("/cle");
    for (const QString& root : roots) {
        for (const auto& c : cases) {
            SCOPED_TRACE(root.toStdString() + " : " + c.cas);
            const QString folder = root + QStringLiteral("/") + QString::fromUtf8(c.cas);
            const QString target = folder + QStringLiteral("/Ecole");
            ASSERT_EQ(deliver(target, "ancienne"), QString());
            QString said;
            {
                const ShareRenames share(c.replies);
                testing::internal::CaptureStderr();
                said = deliver(target, "nouvelle");
                testing::internal::GetCapturedStderr();
            }
            EXPECT_EQ(delivered(target), c.inPlace);
            if (*c.said == 0) {
                EXPECT_EQ(said, QString());
            } else {
                EXPECT_TRUE(said.startsWith(QStringLiteral("Le dossier %1 n'a pas pu être mis en place.").arg(target)))
                    << said.toStdString();
                EXPECT_TRUE(said.contains(QString::fromUtf8(c.said))) << said.toStdString();
            }
            // Nothing hidden is left unsaid: the earlier folder is aside only when the message says so.
            EXPECT_EQ(QFileInfo::exists(folder + QStringLiteral("/.Ecole.ancien")), c.inPlace.isEmpty());
            EXPECT_EQ(deliver(target, "troisième"), QString());
            EXPECT_EQ(delivered(target), QByteArray("troisième"));
            EXPECT_EQ(entries(folder), QStringList{QStringLiteral("Ecole")});
        }
    }

    // A first delivery whose reply is lost is in place all the same.
    const QString target = sandbox.root() + QStringLiteral("/Exportation");
    const ShareRenames share({{1, Reply::Lost}});
    testing::internal::CaptureStderr();
    EXPECT_EQ(deliver(target, "première"), QString());
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(delivered(target), QByteArray("première"));
}

// An earlier folder that cannot be emptied is not replaced: the message names
// the read-only folder, and the earlier folder stays whole. What sits in the
// way of the next build is named the same way, never guessed at.
TEST(Fichiers, UnAncienDossierEnLectureSeuleNEstNiRemplaceNiEntame)
{
    Sandbox sandbox;
    const QString target = sandbox.root() + QStringLiteral("/Exportation");
    ASSERT_EQ(deliver(target, "ancienne"), QString());
    const QString photos = target + QStringLiteral("/Photos");
    ASSERT_TRUE(QDir().mkpath(photos));
    put(photos + QStringLiteral("/1.jpg"), "photo");
    const QStringList before = entries(target);
    {
        const ReadOnlyFolder readOnly(photos);
        ASSERT_TRUE(readOnly.active());
        for (const bool withoutFlags : {false, true}) {
            SCOPED_TRACE(withoutFlags);
            std::optional<WithoutRenameFlags> without;
            if (withoutFlags)
                without.emplace();
            ASSERT_EQ(files::startBuildingAside(target), QString());
            put(files::builtAsideFor(target) + QStringLiteral("/classevizmora.idx"), "nouvelle");
            testing::internal::CaptureStderr();
            const QString refused = files::replaceFolder(target);
            testing::internal::GetCapturedStderr();
            EXPECT_TRUE(refused.contains(QStringLiteral("Le dossier %1 n'a pas pu être remplacé").arg(target)))
                << refused.toStdString();
            EXPECT_TRUE(refused.contains(photos + QStringLiteral(" est en lecture seule"))) << refused.toStdString();
            EXPECT_EQ(entries(target), before);
            EXPECT_EQ(delivered(target), QByteArray("ancienne"));
            EXPECT_EQ(readAll(photos + QStringLiteral("/1.jpg")), QByteArray("photo"));
        }

        // The rest of an earlier folder left aside, with a read-only folder in it.
        const QString aside = files::builtAsideFor(target);
        ASSERT_TRUE(files::removeTree(aside));
        const QString kept = aside + QStringLiteral("/Photos");
        ASSERT_TRUE(QDir().mkpath(kept));
        put(kept + QStringLiteral("/2.jpg"), "photo");
        const ReadOnlyFolder keptReadOnly(kept);
        testing::internal::CaptureStderr();
        const QString refused = files::startBuildingAside(target);
        testing::internal::GetCapturedStderr();
        EXPECT_TRUE(refused.contains(kept + QStringLiteral(" est en lecture seule"))) << refused.toStdString();
        EXPECT_FALSE(refused.contains(QStringLiteral("interrompu"))) << refused.toStdString();
        EXPECT_EQ(readAll(kept + QStringLiteral("/2.jpg")), QByteArray("photo"));
    }
    EXPECT_EQ(deliver(target, "nouvelle"), QString());
    EXPECT_EQ(entries(target), QStringList{QStringLiteral("classevizmora.idx")});
}

// On a real exFAT file system, mounted as a memory card or a USB key is.
TEST(Fichiers, SurExfatUnDossierRemplaceLePrecedentEtUnDeplacementNeRemplaceRien)
{
    Sandbox sandbox;
    const QString folder = sandbox.root() + QStringLiteral("/cle");
    const ExfatDisk disk(folder, sandbox.root() + QStringLiteral("/cle.img"));
    if (!disk.active())
        GTEST_SKIP() << "an exFAT file system needs root, a loop device and exfat-fuse";
    troisLivraisonsPuisDeplacements(folder);
}
