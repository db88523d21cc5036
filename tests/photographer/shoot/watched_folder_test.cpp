#include "exif_jpeg.h"
#include "photographer/shoot/capture.h"
#include "photographer/shoot/watched_folder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray jpeg(const QSize& size, int quality = 85)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(30, 90, 160));
    QPainter(&image).fillRect(0, 0, size.width() / 3, size.height() / 3, Qt::yellow);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    EXPECT_TRUE(writer.write(image));
    return bytes;
}

// A camera file as cameras write them: an EXIF segment that embeds a whole
// thumbnail JPEG, end marker included, before the primary image.
QByteArray cameraBytes()
{
    const QByteArray primary = jpeg({640, 480});
    const QByteArray payload = QByteArray("Exif\0\0", 6) + jpeg({160, 120});
    const int length = int(payload.size()) + 2;
    const QByteArray app1 = QByteArray("\xFF\xE1", 2) + char(length >> 8) + char(length & 0xFF) + payload;
    return primary.left(2) + app1 + primary.mid(2);
}

const QByteArray kCamera = cameraBytes();

// 09/03/2026 14:30:00 UTC: an even second, as a FAT drive keeps them.
const QDateTime kShot = QDateTime::fromSecsSinceEpoch(1773066600);

// The camera bytes up to the end of the embedded thumbnail.
qsizetype thumbnailEnd()
{
    return kCamera.indexOf(QByteArray("\xFF\xD9", 2)) + 2;
}

class ScrutationDossierSurveille : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

    void append(const QString& name, const QByteArray& bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Append));
        file.write(bytes);
    }

    // The file the tick would take: whole, or refused for good; "" while it is waited for.
    QString tick()
    {
        const auto candidate = folder_.nextCandidate(dir_.path());
        if (!candidate)
            return {};
        const capture::Prepared prepared = capture::prepare(*candidate, 0, destinations_);
        return prepared.state == capture::Prepared::State::NotYet ? QString() : candidate->file.path();
    }

    // The names of the files in the order they are taken, each removed once taken.
    QStringList takenInOrder()
    {
        capture::WatchedFolder folder;
        QStringList taken;
        for (auto next = folder.nextCandidate(dir_.path()); next; next = folder.nextCandidate(dir_.path())) {
            taken << next->file.name();
            EXPECT_TRUE(QFile::remove(next->file.path()));
        }
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
    capture::WatchedFolder folder_;
};

TEST(FinImageJpeg, SeuleLaFinDeLImagePrincipaleCompte)
{
    const QByteArray progressive = [] {
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setProgressiveScanWrite(true);
        EXPECT_TRUE(writer.write(image));
        return bytes;
    }();
    const struct {
        const char* what;
        QByteArray bytes;
        qsizetype end;
    } cases[] = {
        {"whole camera file", kCamera, kCamera.size()},
        {"progressive, several scans", progressive, progressive.size()},
        {"cut right after the thumbnail", kCamera.left(thumbnailEnd()), -1},
        {"cut in the scan", kCamera.left(kCamera.size() - 100), -1},
        {"cut before its end marker", kCamera.chopped(2), -1},
        {"data after the end marker", kCamera + "MPF", kCamera.size()},
        {"an end marker but no scan", QByteArray("\xFF\xD8\xFF\xD9", 4), -1},
        {"not a JPEG", QByteArray("\xFF\xD8 text \xFF\xD9"), -1},
        {"empty", QByteArray(), -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(capture::jpegImageEnd(c.bytes), c.end) << c.what;
}

TEST_F(ScrutationDossierSurveille, UnePhotoEntiereEstPriseAuPremierTopQuiLaVoit)
{
    // The camera pauses right after the thumbnail: its end marker ends the file for a while.
    append("IMG_0001.JPG", kCamera.left(thumbnailEnd()));
    for (int call = 0; call < 3; ++call)
        EXPECT_EQ(tick(), QString()) << "call " << call;
    append("IMG_0001.JPG", kCamera.mid(thumbnailEnd()));
    EXPECT_EQ(tick(), path("IMG_0001.JPG")) << "no second sighting is waited for";
}

TEST_F(ScrutationDossierSurveille, UnFichierBienTermineMaisIndecodableAttendDixTopsImmobiles)
{
    // A scan of garbage, closed by a proper end marker.
    QByteArray damaged = kCamera;
    const qsizetype scan = damaged.indexOf(QByteArray("\xFF\xDA", 2));
    const qsizetype data = scan + 2 + ((uchar(damaged[scan + 2]) << 8) | uchar(damaged[scan + 3]));
    damaged = damaged.left(data) + QByteArray(6, '\x01') + QByteArray("\xFF\xD9", 2);
    append("IMG_0001.JPG", damaged);
    append("IMG_0002.JPG", kCamera);
    for (int call = 0; call < capture::WatchedFolder::kCallsBeforeCutShort; ++call)
        EXPECT_EQ(tick(), QString()) << "call " << call;
    EXPECT_EQ(tick(), path("IMG_0001.JPG")) << "returned for the filing to report it, never skipped";
}

TEST_F(ScrutationDossierSurveille, UnFichierTronqueEstAbandonneUneFoisImmobileAssezLongtemps)
{
    append("IMG_0001.JPG", kCamera.left(1500));
    append("IMG_0002.JPG", kCamera);
    for (int call = 0; call < capture::WatchedFolder::kCallsBeforeCutShort; ++call)
        EXPECT_EQ(tick(), QString()) << "call " << call;
    EXPECT_EQ(tick(), path("IMG_0001.JPG"));

    // Growing again starts the wait afresh.
    append("IMG_0001.JPG", "x");
    EXPECT_EQ(tick(), QString());
    EXPECT_EQ(tick(), QString());
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
        EXPECT_EQ(takenInOrder(), c.order);
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
    EXPECT_EQ(takenInOrder(), shot);
}

TEST_F(ScrutationDossierSurveille, HuitPhotosDansLeMemeCreneauSortentDansLOrdreDeLeurPriseDeVue)
{
    // Two cameras shooting in turn, a quarter of a second apart, into a FAT watched folder: every
    // file has the same date, and neither the names nor the counters (one goes round) tell the order.
    const QStringList shot = {"IMG_9998.JPG", "DSC_0417.JPG", "IMG_9999.JPG", "DSC_0418.JPG",
                              "IMG_0000.JPG", "DSC_0419.JPG", "IMG_0001.JPG", "DSC_0420.JPG"};
    for (int index = 0; index < shot.size(); ++index) {
        const int hundredths = 25 * index;
        const QByteArray second = "2026:03:09 14:30:0" + QByteArray::number(4 + hundredths / 100);
        append(shot[index], exif_jpeg::withCaptureTime(kCamera, second, QByteArray::number(hundredths % 100)));
        setModified(shot[index], kShot);
    }
    EXPECT_EQ(takenInOrder(), shot);
}

TEST_F(ScrutationDossierSurveille, UnFichierEnCoursDEcritureGardeSaPlaceEtNEstPasDepasse)
{
    append("IMG_0002.JPG", kCamera.left(100));
    setModified("IMG_0002.JPG", kShot);
    append("IMG_0001.JPG", kCamera);
    setModified("IMG_0001.JPG", kShot.addSecs(2));
    append("IMG_0003.JPG", kCamera);
    setModified("IMG_0003.JPG", kShot.addSecs(4));
    EXPECT_EQ(tick(), QString()) << "IMG_0002 is still being written";

    // Finished now, so dated after the others, it keeps the place it had when first seen.
    append("IMG_0002.JPG", kCamera.mid(100));
    EXPECT_EQ(tick(), path("IMG_0002.JPG"));
    QFile::remove(path("IMG_0002.JPG"));
    EXPECT_EQ(tick(), path("IMG_0001.JPG"));
    QFile::remove(path("IMG_0001.JPG"));
    EXPECT_EQ(tick(), path("IMG_0003.JPG"));
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
    EXPECT_EQ(tick(), path("IMG_0001.JPG")) << "only the folder's own files are filed";
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
        QFile file(QDir(other.path()).filePath(c.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kCamera);
        file.close();
        capture::WatchedFolder folder;
        const auto taken = folder.nextCandidate(other.path());
        EXPECT_EQ(taken ? taken->file.path() : QString(), c.taken ? file.fileName() : QString());
    }
}

TEST_F(ScrutationDossierSurveille, UnDossierNommeCommeUnePhotoEstIgnore)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("IMG_0000.JPG"));
    append("IMG_0001.JPG", kCamera);
    EXPECT_EQ(tick(), path("IMG_0001.JPG"));
}

TEST_F(ScrutationDossierSurveille, LesTopsImmobilesSontOubliesAvecLeDossier)
{
    append("IMG_0001.JPG", kCamera.left(1500));
    for (int call = 0; call < capture::WatchedFolder::kCallsBeforeCutShort; ++call)
        tick();
    QTemporaryDir other;
    folder_.nextCandidate(other.path());
    EXPECT_EQ(tick(), QString()) << "still ticks seen before the folder changed do not count";
}

} // namespace
