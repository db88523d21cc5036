#include "exif_jpeg.h"
#include "common/wallclock.h"
#include "photographer/shoot/capture.h"
#include "photographer/shoot/watched_folder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <random>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kCamera = exif_jpeg::cameraFile();

// 09/03/2026 14:30:00 UTC: an even second, as a FAT drive keeps them.
const QDateTime kShot = QDateTime::fromSecsSinceEpoch(1773066600);

// The camera bytes up to the end of the embedded thumbnail.
qsizetype thumbnailEnd()
{
    return kCamera.indexOf(QByteArray("\xFF\xD9", 2)) + 2;
}

// A camera file with its capture time, a given number of seconds after kShot by the camera's clock.
QByteArray shotAt(int seconds, const QByteArray& subSeconds = {})
{
    const QByteArray when = kShot.addSecs(seconds).toUTC().toString(u"yyyy:MM:dd HH:mm:ss").toLatin1();
    return exif_jpeg::withCaptureTime(kCamera, when, subSeconds);
}

// A writer that holds its file open, as a copier does while its bytes come in.
class Writer {
public:
    explicit Writer(const QString& path)
        : fd_(::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644))
    {
        EXPECT_GE(fd_, 0) << path.toStdString();
    }
    ~Writer() { close(); }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    void write(QByteArrayView bytes) { EXPECT_EQ(::write(fd_, bytes.data(), size_t(bytes.size())), ssize_t(bytes.size())); }
    // What cp -p and tar do once the bytes are in: the camera's date back on the file.
    void keepDate(const QDateTime& when)
    {
        const timespec times[2] = {{time_t(when.toSecsSinceEpoch()), 0}, {time_t(when.toSecsSinceEpoch()), 0}};
        EXPECT_EQ(::futimens(fd_, times), 0);
    }
    void close()
    {
        if (fd_ >= 0)
            ::close(std::exchange(fd_, -1));
    }

private:
    int fd_;
};

class ScrutationDossierSurveille : public ::testing::Test {
protected:
    // The shoot watches its folder from its first tick, before any picture comes in.
    void SetUp() override { ASSERT_FALSE(folder_.nextCandidate(dir_.path())); }

    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    // As failures show it.
    std::string file(const QString& name) const { return path(name).toStdString(); }

    void append(const QString& name, const QByteArray& bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Append));
        file.write(bytes);
    }

    // One call of the shoot's one-second timer.
    std::optional<capture::WatchedFolder::Candidate> next()
    {
        auto candidate = folder_.nextCandidate(dir_.path());
        wallclock::moveOn(capture::WatchedFolder::kSecond);
        return candidate;
    }

    // The state the tick's filing would reach on the file the watched folder answers.
    std::optional<capture::Prepared::State> prepared(const std::optional<capture::WatchedFolder::Candidate>& candidate)
    {
        if (!candidate)
            return std::nullopt;
        return capture::prepare(*candidate, 0, destinations_).state;
    }

    // The file the tick would take: whole, or refused for good; "" while it is waited for.
    std::string tick()
    {
        const auto candidate = next();
        const auto state = prepared(candidate);
        return !state || *state == capture::Prepared::State::NotYet ? std::string() : candidate->file.path().toStdString();
    }

    // Ticks for that many seconds, none of which may take a file.
    void waitFor(qint64 seconds)
    {
        for (qint64 second = 0; second < seconds; ++second)
            ASSERT_EQ(tick(), "") << "after " << second << " s";
    }

    // What the shoot does on one tick: the file filed is removed, one refused for good is named
    // "refusée" and removed too.
    void shoot(QStringList& filed)
    {
        const auto candidate = next();
        const auto state = prepared(candidate);
        if (!state || *state == capture::Prepared::State::NotYet)
            return;
        filed << (*state == capture::Prepared::State::Ready ? candidate->file.name() : "refusée " + candidate->file.name());
        EXPECT_TRUE(QFile::remove(candidate->file.path()));
    }

    // The names of the files in the order the shoot files them, ticking until the folder is empty.
    QStringList takenInOrder()
    {
        QStringList taken;
        for (int call = 0; call < 200 && !camera_files::list(dir_.path()).empty(); ++call)
            shoot(taken);
        return taken;
    }

    void setModified(const QString& name, const QDateTime& when)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
    }

    QTemporaryDir dir_;
    QTemporaryDir filed_;
    const capture::Destinations destinations_ = capture::destinations(
        {filed_.filePath("Ecole"), filed_.filePath("Ecole BR"), filed_.filePath("Ecole BR3"), filed_.filePath("labohd")},
        "3A", "Dupont", "Marie", "1");
    const wallclock::StandStill still_; // the timer's seconds go by as the test ticks, however long it takes
    capture::WatchedFolder folder_;
};

TEST_F(ScrutationDossierSurveille, UnePhotoEntiereEstPriseAuPremierTopQuiLaVoit)
{
    // The camera pauses right after the thumbnail: its end marker ends the file for a while.
    append("IMG_0001.JPG", kCamera.left(thumbnailEnd()));
    for (int call = 0; call < 3; ++call)
        EXPECT_EQ(tick(), "") << "call " << call;
    append("IMG_0001.JPG", kCamera.mid(thumbnailEnd()));
    EXPECT_EQ(tick(), file("IMG_0001.JPG")) << "no second sighting is waited for";
}

TEST_F(ScrutationDossierSurveille, UnFichierIncompletNEstAbandonneQuApresDesMinutesSansChangement)
{
    // A scan of garbage, closed by a proper end marker.
    const QByteArray shot = shotAt(0);
    QByteArray damaged = shot;
    const qsizetype scan = damaged.indexOf(QByteArray("\xFF\xDA", 2));
    const qsizetype data = scan + 2 + ((uchar(damaged[scan + 2]) << 8) | uchar(damaged[scan + 3]));
    damaged = damaged.left(data) + QByteArray(6, '\x01') + QByteArray("\xFF\xD9", 2);
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {{"cut short", shot.left(shot.indexOf(QByteArray("\xFF\xDA", 2)))}, {"well ended but damaged", damaged}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // Its capture time known, it keeps its place before the next shot.
        append("IMG_0001.JPG", c.bytes);
        append("IMG_0002.JPG", shotAt(2));
        // A writer on a share that stalls for a minute and more, then goes on, must find its file there.
        waitFor(capture::WatchedFolder::kStillBeforeCutShort / capture::WatchedFolder::kSecond);
        const auto waiting = folder_.waiting();
        ASSERT_TRUE(waiting);
        EXPECT_EQ(waiting->file.name(), "IMG_0001.JPG");
        EXPECT_EQ(waiting->why, capture::WatchedFolder::Wait::NotWhole);
        EXPECT_EQ(tick(), file("IMG_0001.JPG")) << "returned for the filing to refuse it, never skipped";

        // Growing again starts the wait afresh.
        QFile::remove(path("IMG_0002.JPG"));
        append("IMG_0001.JPG", "x");
        waitFor(60);
        QFile::remove(path("IMG_0001.JPG"));
    }
}

TEST_F(ScrutationDossierSurveille, UnFichierSansPlaceConnueNeRetientLesAutresQueLeTempsDeLeDire)
{
    // Nobody writes them, and none will ever be a picture: no capture time tells their place.
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {{"empty", {}}, {"cut short", kCamera.left(1500)}, {"a PNG named .JPG", "\x89PNG\r\n\x1A\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        append("IMG_0001.JPG", c.bytes);
        append("IMG_0002.JPG", kCamera);
        const qint64 first = wallclock::steady();
        for (qint64 call = 0; call * capture::WatchedFolder::kSecond <= capture::WatchedFolder::kSayWaitingAfter; ++call) {
            ASSERT_EQ(tick(), "") << "call " << call;
            const auto waiting = folder_.waiting();
            ASSERT_TRUE(waiting);
            EXPECT_EQ(waiting->file.name(), "IMG_0001.JPG");
            EXPECT_EQ(waiting->why, capture::WatchedFolder::Wait::NotWhole);
            EXPECT_EQ(waiting->since, first);
        }
        EXPECT_EQ(tick(), file("IMG_0002.JPG")) << "once said, the later shot goes on";
        ASSERT_TRUE(QFile::remove(path("IMG_0002.JPG")));
        waitFor(capture::WatchedFolder::kStillBeforeCutShort / capture::WatchedFolder::kSecond - 7);
        ASSERT_TRUE(folder_.waiting());
        EXPECT_EQ(folder_.waiting()->since, first) << "still the one said";
        EXPECT_EQ(tick(), file("IMG_0001.JPG")) << "given up on, for the filing to refuse it";
        ASSERT_TRUE(QFile::remove(path("IMG_0001.JPG")));
    }
}

TEST_F(ScrutationDossierSurveille, UnFichierQuUnEcrivainTientOuvertNEstNiPrisNiAbandonne)
{
    const QByteArray first = shotAt(0), second = shotAt(2);
    Writer writer(path("IMG_0001.JPG"));
    writer.write(QByteArrayView(first).first(first.size() / 2));
    append("IMG_0002.JPG", second);
    // Stalled for ten minutes with the file open: its capture time is known, so the next shot waits behind it.
    waitFor(12);
    waitFor(10 * 60);

    writer.write(QByteArrayView(first).sliced(first.size() / 2));
    EXPECT_EQ(tick(), "") << "whole, but still open for writing";
    writer.close();
    EXPECT_EQ(tick(), file("IMG_0001.JPG"));
}

TEST_F(ScrutationDossierSurveille, UnFichierATrousNEstPasEntier)
{
    // Large enough to leave whole blocks unwritten.
    const QByteArray bytes = exif_jpeg::noise({900, 600});
    constexpr qsizetype kPiece = 64 * 1024;
    const qsizetype half = bytes.size() / 2 / kPiece * kPiece;
    ASSERT_GE(half, 2 * kPiece);

    // Sized first, written out of order by a writer that opens and closes the file for each piece.
    const auto write = [&bytes](const QString& file, qsizetype from, qsizetype to) {
        const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        EXPECT_EQ(::ftruncate(fd, off_t(bytes.size())), 0);
        EXPECT_EQ(::pwrite(fd, bytes.constData() + from, size_t(to - from), off_t(from)), ssize_t(to - from));
        ::close(fd);
    };
    write(path("IMG_0001.JPG"), half, bytes.size());
    {
        const int fd = ::open(QFile::encodeName(path("IMG_0001.JPG")).constData(), O_RDONLY | O_CLOEXEC);
        const off_t hole = ::lseek(fd, 0, SEEK_HOLE);
        ::close(fd);
        if (hole < 0 || hole >= bytes.size())
            GTEST_SKIP() << "this file system does not tell holes";
    }
    // Its second half first, then its first half a piece at a time: the end marker is there from the
    // start, and its head from the first piece.
    for (qsizetype from = 0; from < half; from += kPiece) {
        EXPECT_EQ(tick(), "") << "bytes from " << from << " not written yet";
        write(path("IMG_0001.JPG"), from, std::min(from + kPiece, half));
    }
    EXPECT_EQ(tick(), file("IMG_0001.JPG"));
    QFile::remove(path("IMG_0001.JPG"));

    // Its writer gone for good, a file with holes is refused, never filed with zeros in it.
    write(path("IMG_0002.JPG"), 0, kPiece);
    write(path("IMG_0002.JPG"), half, bytes.size());
    waitFor(capture::WatchedFolder::kStillBeforeCutShort / capture::WatchedFolder::kSecond);
    const auto candidate = next();
    ASSERT_TRUE(candidate);
    EXPECT_EQ(prepared(candidate), capture::Prepared::State::Refused);
}

TEST_F(ScrutationDossierSurveille, VingtPhotosCopieesAvecLeursDatesDansUnOrdreQuelconqueSortentDansLOrdreDeLAppareil)
{
    // A card copied as cp -p or tar copy it, each file written while the shoot's timer runs, then
    // given the camera's date: the last shot first, the others in no order.
    QStringList shot;
    std::vector<int> copyOrder{19};
    for (int index = 0; index < 20; ++index) {
        shot << QStringLiteral("IMG_%1.JPG").arg(index + 1, 4, 10, QChar(u'0'));
        if (index < 19)
            copyOrder.push_back(index);
    }
    std::shuffle(copyOrder.begin() + 1, copyOrder.end(), std::mt19937(2026));
    QStringList filed;
    for (const int index : copyOrder) {
        const QByteArray bytes = shotAt(2 * index, "50");
        Writer writer(path(shot[index]));
        shoot(filed); // created, still empty
        writer.write(QByteArrayView(bytes).first(bytes.size() / 3));
        shoot(filed);
        writer.write(QByteArrayView(bytes).sliced(bytes.size() / 3));
        if (index % 2)
            shoot(filed); // whole, still open
        writer.keepDate(kShot.addSecs(2 * index));
        writer.close();
        if (index % 3 == 0)
            shoot(filed);
    }
    filed << takenInOrder();
    EXPECT_EQ(filed.join(' ').toStdString(), shot.join(' ').toStdString());
}

TEST_F(ScrutationDossierSurveille, UnFichierEnCoursDEcritureSansPlaceConnueRetientLesAutres)
{
    // No capture time in any: a file's place is the date it ends with.
    append("IMG_0001.JPG", kCamera);
    setModified("IMG_0001.JPG", kShot);
    append("IMG_0003.JPG", kCamera);
    setModified("IMG_0003.JPG", kShot.addSecs(4));
    {
        Writer writer(path("IMG_0002.JPG"));
        writer.write(kCamera);
        waitFor(10); // dated now while written, it may yet end before the others
        writer.keepDate(kShot.addSecs(2));
    }
    // A copier that writes aside under a hidden name and renames it once dated (rsync).
    {
        Writer writer(path(".IMG_0000.JPG.Xa12"));
        writer.write(kCamera);
        waitFor(10);
        writer.keepDate(kShot.addSecs(-2));
    }
    ASSERT_TRUE(QFile::rename(path(".IMG_0000.JPG.Xa12"), path("IMG_0000.JPG")));
    EXPECT_EQ(takenInOrder().join(' ').toStdString(), "IMG_0000.JPG IMG_0001.JPG IMG_0002.JPG IMG_0003.JPG");
}

TEST_F(ScrutationDossierSurveille, LesFichiersSontPrisDuPlusAncienAuPlusRecentPuisParNom)
{
    const struct {
        const char* what;
        std::vector<std::pair<QString, int>> files; // name, seconds after the first shot
        QStringList order;
    } cases[] = {
        {"the camera's counter went round", {{"IMG_0001.JPG", 2}, {"IMG_9999.JPG", 0}},
         {"IMG_9999.JPG", "IMG_0001.JPG"}},
        {"shot in the same instant: by name", {{"B.JPG", 0}, {"A.JPG", 1}, {"C.jpg", -2}},
         {"C.jpg", "A.JPG", "B.JPG"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const auto& [name, seconds] : c.files) {
            append(name, kCamera);
            setModified(name, kShot.addSecs(seconds));
        }
        EXPECT_EQ(takenInOrder().join(' ').toStdString(), c.order.join(' ').toStdString());
    }
}

TEST_F(ScrutationDossierSurveille, VingtPhotosDUneCarteAvecLeursDatesADeuxSecondesSortentDansLOrdreDeLAppareil)
{
    // Shot a second apart, copied from a card with their FAT dates: two by two in one 2-second slot,
    // IMG_9999 and IMG_0000 together.
    QStringList shot;
    for (int counter = 9990; counter < 10010; ++counter)
        shot << QStringLiteral("IMG_%1.JPG").arg(counter % 10000, 4, 10, QChar(u'0'));
    for (int index = 0; index < shot.size(); ++index) {
        append(shot[index], kCamera);
        setModified(shot[index], kShot.addSecs(2 * ((index + 1) / 2)));
    }
    EXPECT_EQ(takenInOrder().join(' ').toStdString(), shot.join(' ').toStdString());
}

TEST_F(ScrutationDossierSurveille, LesPhotosDUnMemeInstantSuiventLeurHeureDePriseDeVueMemeAbsurde)
{
    const struct {
        const char* what;
        std::vector<std::pair<QString, QByteArray>> files; // in the order they were shot: name, capture time
    } cases[] = {
        // Two cameras shooting in turn, a quarter of a second apart, into a FAT watched folder:
        // neither the names nor the counters (one goes round) tell the order.
        {"two cameras in one 2-second slot",
         {{"IMG_9998.JPG", "2026:03:09 14:30:04.0"}, {"DSC_0417.JPG", "2026:03:09 14:30:04.25"},
          {"IMG_9999.JPG", "2026:03:09 14:30:04.50"}, {"DSC_0418.JPG", "2026:03:09 14:30:04.75"},
          {"IMG_0000.JPG", "2026:03:09 14:30:05.0"}, {"DSC_0419.JPG", "2026:03:09 14:30:05.25"},
          {"IMG_0001.JPG", "2026:03:09 14:30:05.50"}, {"DSC_0420.JPG", "2026:03:09 14:30:05.75"}}},
        // Past 2262, nanoseconds since 1970 no longer fit in 64 bits.
        {"a camera's clock set to absurd years",
         {{"IMG_0004.JPG", "2026:03:09 14:30:05.25"}, {"IMG_0003.JPG", "2026:03:09 14:30:05.50"},
          {"IMG_0002.JPG", "2300:01:01 00:00:00.0"}, {"IMG_0001.JPG", "9999:12:31 23:59:59.99"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QStringList shot;
        for (const auto& [name, when] : c.files) {
            const QList<QByteArray> parts = when.split('.');
            append(name, exif_jpeg::withCaptureTime(kCamera, parts[0], parts[1]));
            setModified(name, kShot);
            shot << name;
        }
        EXPECT_EQ(takenInOrder().join(' ').toStdString(), shot.join(' ').toStdString());
    }
}

TEST_F(ScrutationDossierSurveille, LesSousDossiersQuiTiennentDesPhotosSontNommes)
{
    append("IMG_0001.JPG", kCamera);
    ASSERT_TRUE(QDir(dir_.path()).mkpath("DCIM/100CANON"));
    ASSERT_TRUE(QDir(dir_.path()).mkpath("DCIM/101CANON"));
    ASSERT_TRUE(QDir(dir_.path()).mkpath("vide"));
    ASSERT_TRUE(QDir(dir_.path()).mkpath("notes"));
    append("DCIM/100CANON/IMG_0002.JPG", kCamera);
    append("DCIM/101CANON/.IMG_0003.JPG", kCamera);
    append("notes/lisez-moi.txt", "texte");
    QTemporaryDir ailleurs;
    QFile(ailleurs.filePath("IMG_0004.JPG")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(ailleurs.path(), path("lien")));

    EXPECT_EQ(capture::foldersWithPictures(dir_.path()), QStringList{path("DCIM/100CANON")});
    EXPECT_EQ(tick(), file("IMG_0001.JPG")) << "only the folder's own files are filed";
}

TEST_F(ScrutationDossierSurveille, UnNomQuiNEstPasEnUtf8EstListeLuEtSupprime)
{
    const QByteArray raw = QFile::encodeName(dir_.path()) + "/\xC9l\xE8ve.jpg";
    const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, kCamera.constData(), size_t(kCamera.size())), ssize_t(kCamera.size()));
    ::close(fd);

    const auto candidate = folder_.nextCandidate(dir_.path());
    ASSERT_TRUE(candidate);
    const camera_files::Entry* file = &candidate->file;
    EXPECT_EQ(file->rawPath, raw);
    EXPECT_FALSE(file->name().isEmpty());
    QByteArray bytes;
    ASSERT_TRUE(camera_files::read(file->rawPath, bytes));
    EXPECT_EQ(bytes, kCamera);
    EXPECT_TRUE(camera_files::remove(file->rawPath));
    EXPECT_TRUE(camera_files::list(dir_.path()).empty());
}

TEST_F(ScrutationDossierSurveille, SeulsLesFichiersDAppareilSontPris)
{
    const struct {
        QString name;
        bool taken;
    } cases[] = {
        {"a.JPEG", true}, {"b.jpeg", true}, {"c.Jpg", true}, {"d.jpg", true},
        {".hidden.jpg", false}, {"~$e.jpg", false}, {"f.jpg~", false}, {"g.jpg.tmp", false},
        {"h.jpg.part", false}, {"i.jpg.crdownload", false}, {"j.png", false}, {"jpg", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        QTemporaryDir other;
        capture::WatchedFolder folder;
        ASSERT_FALSE(folder.nextCandidate(other.path()));
        QFile file(QDir(other.path()).filePath(c.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kCamera);
        file.close();
        const auto taken = folder.nextCandidate(other.path());
        EXPECT_EQ(taken ? taken->file.path() : QString(), c.taken ? file.fileName() : QString()) << c.name.toStdString();
    }
}

TEST_F(ScrutationDossierSurveille, UnDossierNommeCommeUnePhotoEstIgnore)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("IMG_0000.JPG"));
    append("IMG_0001.JPG", kCamera);
    EXPECT_EQ(tick(), file("IMG_0001.JPG"));
}

TEST_F(ScrutationDossierSurveille, LeTempsImmobileEstOublieAvecLeDossier)
{
    append("IMG_0001.JPG", kCamera.left(1500));
    waitFor(capture::WatchedFolder::kStillBeforeCutShort / capture::WatchedFolder::kSecond - 1);
    QTemporaryDir other;
    folder_.nextCandidate(other.path());
    wallclock::moveOn(capture::WatchedFolder::kSecond);
    EXPECT_EQ(tick(), "") << "the time it stood still before the folder changed does not count";
}

// How many calls, a second apart, go by before the folder answers its one file; -1 for none in 10.
int callsBeforeAnswer(capture::WatchedFolder& folder, const QString& path)
{
    for (int call = 0; call < 10; ++call) {
        const auto candidate = folder.nextCandidate(path);
        wallclock::moveOn(capture::WatchedFolder::kSecond);
        if (candidate)
            return call;
    }
    return -1;
}

TEST_F(ScrutationDossierSurveille, UnFichierDontOnNaPasVuLEcrivainFinirDoitReposer)
{
    const auto write = [](const QString& file, const QByteArray& bytes) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(bytes), bytes.size());
    };
    const int settling = int(capture::WatchedFolder::kSettling / capture::WatchedFolder::kSecond);
    const struct {
        const char* what;
        bool watchedFirst;
        bool movedIn;
        int calls;
    } cases[] = {
        // As a writer on a share, or one that wrote before the shoot began: nothing told its end.
        {"written before the watch began", false, false, settling},
        {"written and closed while watched", true, false, 0},
        // A rename is whole at once.
        {"moved in whole from another folder", true, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir folder, elsewhere;
        capture::WatchedFolder watched;
        if (c.watchedFirst) {
            ASSERT_FALSE(watched.nextCandidate(folder.path()));
        }
        const QString target = QDir(folder.path()).filePath("IMG_0001.JPG");
        if (c.movedIn) {
            write(QDir(elsewhere.path()).filePath("IMG_0001.JPG"), kCamera);
            ASSERT_TRUE(QFile::rename(QDir(elsewhere.path()).filePath("IMG_0001.JPG"), target));
        } else {
            write(target, kCamera);
        }
        EXPECT_EQ(callsBeforeAnswer(watched, folder.path()), c.calls);
    }
}

TEST_F(ScrutationDossierSurveille, UnePhotoNEstPriseQuAvecLApercuQueListeSonIndexMpf)
{
    const QByteArray bytes = exif_jpeg::withPreview(shotAt(0), exif_jpeg::noise({320, 240}));
    const qsizetype primary = bytes.size() - exif_jpeg::noise({320, 240}).size();
    // Its writer closes it after the primary image and comes back for the preview.
    append("IMG_0001.JPG", bytes.left(primary));
    append("IMG_0002.JPG", shotAt(2));
    waitFor(30);
    ASSERT_TRUE(folder_.waiting());
    EXPECT_EQ(folder_.waiting()->file.name(), "IMG_0001.JPG");
    EXPECT_EQ(folder_.waiting()->why, capture::WatchedFolder::Wait::NotWhole);
    append("IMG_0001.JPG", bytes.sliced(primary));
    EXPECT_EQ(tick(), file("IMG_0001.JPG"));
}

TEST_F(ScrutationDossierSurveille, UnBlocDeZerosAttendQueSonEcrivainLeRemplisse)
{
    const QByteArray bytes = exif_jpeg::noise({900, 600});
    constexpr qsizetype kPiece = 64 * 1024;
    ASSERT_GE(bytes.size(), 4 * kPiece);
    // A writer that writes the whole size as zeros first, then fills it in a piece at a time,
    // opening and closing the file for each.
    const auto write = [this](const QByteArray& piece, qsizetype at) {
        const int fd = ::open(QFile::encodeName(path("IMG_0001.JPG")).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        EXPECT_EQ(::pwrite(fd, piece.constData(), size_t(piece.size()), off_t(at)), ssize_t(piece.size()));
        ::close(fd);
    };
    write(QByteArray(bytes.size(), '\0'), 0);
    // Its end marker first, then its head, then the rest: whole by its markers well before it is.
    write(bytes.right(kPiece), bytes.size() - kPiece);
    for (qsizetype from = 0; from < bytes.size() - kPiece; from += kPiece) {
        write(bytes.mid(from, std::min(kPiece, bytes.size() - kPiece - from)), from);
        if (from + kPiece < bytes.size() - kPiece) {
            EXPECT_EQ(tick(), "") << "bytes from " << from + kPiece << " still zeros";
        }
    }
    EXPECT_EQ(tick(), file("IMG_0001.JPG")) << "filled in: taken at once";
    ASSERT_TRUE(QFile::remove(path("IMG_0001.JPG")));

    // A whole picture may hold such a block: it is taken once it has stood still that long.
    QByteArray blocked = bytes;
    blocked.replace(bytes.size() / 2 / 4096 * 4096, 4096, QByteArray(4096, '\0'));
    append("IMG_0002.JPG", blocked);
    EXPECT_EQ(callsBeforeAnswer(folder_, dir_.path()), int(capture::WatchedFolder::kSettling / capture::WatchedFolder::kSecond));
}

TEST_F(ScrutationDossierSurveille, UnFichierTenuOuvertDepuisAvantLaSurveillanceEstNommeSansRetenirLesAutres)
{
    // No capture time in it: its place cannot be known while it is written.
    QTemporaryDir folder;
    const QString held = QDir(folder.path()).filePath("IMG_0001.JPG");
    Writer writer(held);
    writer.write(kCamera);
    capture::WatchedFolder watched;
    const qint64 began = wallclock::steady();
    ASSERT_FALSE(watched.nextCandidate(folder.path()));
    QFile later(QDir(folder.path()).filePath("IMG_0002.JPG"));
    ASSERT_TRUE(later.open(QIODevice::WriteOnly));
    later.write(kCamera);
    later.close();
    const auto call = [&] {
        wallclock::moveOn(capture::WatchedFolder::kSecond);
        return watched.nextCandidate(folder.path());
    };
    while (wallclock::steady() - began < capture::WatchedFolder::kSayWaitingAfter) {
        ASSERT_FALSE(call());
        ASSERT_TRUE(watched.waiting());
        EXPECT_EQ(watched.waiting()->file.path(), held);
        EXPECT_EQ(watched.waiting()->why, capture::WatchedFolder::Wait::Written);
    }
    const auto next = call();
    ASSERT_TRUE(next) << "said by now, it holds the later shot back no longer";
    EXPECT_EQ(next->file.path(), later.fileName());
    ASSERT_TRUE(later.remove());

    // Held open past the time a file nobody writes is given up on: still named, never taken.
    while (wallclock::steady() - began < capture::WatchedFolder::kStillBeforeCutShort + capture::WatchedFolder::kSecond)
        ASSERT_FALSE(call());
    ASSERT_TRUE(watched.waiting());
    EXPECT_EQ(watched.waiting()->why, capture::WatchedFolder::Wait::Written);
    EXPECT_EQ(watched.waiting()->since, began);
    writer.close();
    const auto closed = call();
    ASSERT_TRUE(closed) << "its writer seen closing it, it is taken at once";
    EXPECT_EQ(closed->file.path(), held);
    EXPECT_FALSE(closed->givenUp());
}

TEST_F(ScrutationDossierSurveille, UneDateDeFichierApres2262EstRangeeOuElleLeDit)
{
    append("IMG_0001.JPG", kCamera);
    setModified("IMG_0001.JPG", QDateTime(QDate(2300, 1, 1), QTime(0, 0), Qt::UTC));
    append("IMG_0002.JPG", kCamera);
    setModified("IMG_0002.JPG", kShot);
    if (QFileInfo(path("IMG_0001.JPG")).lastModified().date().year() != 2300)
        GTEST_SKIP() << "this file system cannot date a file in 2300";
    EXPECT_EQ(takenInOrder().join(' ').toStdString(), "IMG_0002.JPG IMG_0001.JPG");
}

TEST_F(ScrutationDossierSurveille, UnFichierIlLisibleEstNomme)
{
    append("IMG_0001.JPG", kCamera);
    ASSERT_TRUE(QFile::setPermissions(path("IMG_0001.JPG"), QFileDevice::WriteOwner));
    if (QFile(path("IMG_0001.JPG")).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "permissions do not hold for this user";
    EXPECT_EQ(tick(), "");
    ASSERT_TRUE(folder_.waiting());
    EXPECT_EQ(folder_.waiting()->why, capture::WatchedFolder::Wait::Unreadable);
}

TEST_F(ScrutationDossierSurveille, UnFichierPlusGrandQueLesAppareilsNEstPasLu)
{
    append("IMG_0001.JPG", kCamera);
    ASSERT_TRUE(QFile::resize(path("IMG_0001.JPG"), capture::WatchedFolder::kLargestCameraFile + 1));
    for (qint64 call = 0; call < capture::WatchedFolder::kStillBeforeCutShort / capture::WatchedFolder::kSecond; ++call) {
        ASSERT_FALSE(next()) << "call " << call;
        ASSERT_TRUE(folder_.waiting());
        EXPECT_EQ(folder_.waiting()->why, capture::WatchedFolder::Wait::NotWhole);
    }
    const auto candidate = next();
    ASSERT_TRUE(candidate);
    EXPECT_TRUE(candidate->givenUp());
    EXPECT_TRUE(candidate->tooLarge) << "to be set aside unread";
}

} // namespace
