#include "exif_jpeg.h"
#include "photographer/shoot/jpeg_whole.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QByteArray kCamera = exif_jpeg::cameraFile();

// The camera bytes up to the end of the embedded thumbnail.
qsizetype thumbnailEnd()
{
    return kCamera.indexOf(QByteArray("\xFF\xD9", 2)) + 2;
}

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


// What the markers of a file declare and hold, told the same from its bytes and from the file
// itself, read a window at a time.
TEST(FinImageJpeg, ToutesLesImagesDeclareesSontLaEtSansBlocDeZeros)
{
    constexpr qint64 kBlock = 4096;
    const QByteArray preview = exif_jpeg::noise({320, 240});
    const QByteArray withPreview = exif_jpeg::withPreview(kCamera, preview);
    const qsizetype primary = withPreview.size() - preview.size();
    // Larger than a window: its scan crosses several.
    const QByteArray large = exif_jpeg::noise({2200, 1400});
    ASSERT_GT(large.size(), 3 * 1024 * 1024);
    const auto zeroed = [](QByteArray bytes, qint64 block) {
        bytes.replace(qsizetype(block * kBlock), qsizetype(kBlock), QByteArray(kBlock, '\0'));
        return bytes;
    };
    const struct {
        const char* what;
        QByteArray bytes;
        qint64 end;
        bool zeroBlock;
    } cases[] = {
        {"one image", kCamera, kCamera.size(), false},
        {"a preview listed in its MPF index", withPreview, withPreview.size(), false},
        {"an MPF index in big-endian order", exif_jpeg::withPreview(kCamera, preview, false), withPreview.size(), false},
        {"cut right after its primary image", withPreview.left(primary), -1, false},
        {"cut in its preview", withPreview.chopped(100), -1, false},
        {"its preview not begun where the index says", withPreview.left(primary) + QByteArray(preview.size(), 'x'), -1,
         false},
        {"bytes after the last image", withPreview + "trailer", withPreview.size(), false},
        {"a block of zeros in its scan", zeroed(large, large.size() / kBlock / 2), large.size(), true},
        {"a block of zeros in its preview", zeroed(withPreview, primary / kBlock + 2), withPreview.size(), true},
        {"zeros after its end", large + QByteArray(3 * kBlock, '\0'), large.size(), false},
        {"large and whole", large, large.size(), false},
        {"large and cut", large.chopped(2), -1, false},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const capture::Wholeness fromBytes = capture::wholeness(c.bytes);
        EXPECT_EQ(fromBytes.end, c.end);
        EXPECT_EQ(fromBytes.zeroBlock, c.zeroBlock);

        QFile file(dir.filePath("IMG_0001.JPG"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(c.bytes), c.bytes.size());
        file.close();
        const int fd = ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        const capture::Wholeness fromFile = capture::wholeness(fd, c.bytes.size());
        ::close(fd);
        EXPECT_EQ(fromFile.end, c.end);
        EXPECT_EQ(fromFile.zeroBlock, c.zeroBlock);
    }
    // Bytes past the last image may be an image being appended: they count once it has stopped growing.
    EXPECT_FALSE(capture::endsWhole(withPreview + "trailer", 0));
    EXPECT_TRUE(capture::endsWhole(withPreview + "trailer", 1));
    EXPECT_FALSE(capture::endsWhole(withPreview.left(primary), 1)) << "its preview is missing, however long it stands";
}

} // namespace
