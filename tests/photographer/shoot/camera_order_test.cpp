#include "exif_jpeg.h"
#include "photographer/shoot/camera_order.h"
#include "photographer/shoot/exif.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

constexpr qint64 kMs = 1000000;
constexpr qint64 kSecond = 1000 * kMs;
// 09/03/2026 14:30:00 UTC, an even second.
constexpr qint64 kShot = 1773066600 * kSecond;

TEST(OrdreDeLAppareil, LesFichiersDuMemeInstantSuiventLOrdreDeLAppareil)
{
    using camera_order::Shot;
    const std::optional<qint64> none;
    const struct {
        const char* what;
        Shot a;
        Shot b;
        bool aFirst;
    } cases[] = {
        {"the earlier date first, whatever the names", {kShot, none, "IMG_0002.JPG"},
         {kShot + 2 * kSecond, none, "IMG_0001.JPG"}, true},
        {"whole seconds in one 2-second slot are the same instant", {kShot + kSecond, none, "IMG_0001.JPG"},
         {kShot, none, "IMG_0002.JPG"}, true},
        {"the next slot is later", {kShot + 2 * kSecond, none, "IMG_0001.JPG"},
         {kShot + kSecond, none, "IMG_0002.JPG"}, false},
        {"a time with a fraction of a second stands for itself", {kShot + 500 * kMs, none, "IMG_0001.JPG"},
         {kShot + 400 * kMs, none, "IMG_0002.JPG"}, false},
        {"a slot starts on its even second", {kShot + kSecond, none, "B.JPG"},
         {kShot + 500 * kMs, none, "A.JPG"}, true},
        {"the capture time first, sub-seconds included", {kShot, kShot + 250 * kMs, "IMG_0002.JPG"},
         {kShot, kShot + 500 * kMs, "IMG_0001.JPG"}, true},
        {"the capture time against the names of two cameras", {kShot, kShot + 750 * kMs, "DSC_0417.JPG"},
         {kShot, kShot + 500 * kMs, "IMG_9999.JPG"}, false},
        {"a capture time on one side only: the counter", {kShot, kShot, "IMG_0002.JPG"},
         {kShot, none, "IMG_0001.JPG"}, false},
        {"equal capture times: the counter", {kShot, kShot, "IMG_0002.JPG"}, {kShot, kShot, "IMG_0001.JPG"}, false},
        {"the counter went round", {kShot, none, "IMG_9999.JPG"}, {kShot, none, "IMG_0001.JPG"}, true},
        {"two-digit counter went round", {kShot, none, "P_99.JPG"}, {kShot, none, "P_01.JPG"}, true},
        {"counters less than half their range apart", {kShot, none, "IMG_4000.JPG"},
         {kShot, none, "IMG_8999.JPG"}, true},
        {"counters more than half their range apart", {kShot, none, "IMG_9000.JPG"},
         {kShot, none, "IMG_3999.JPG"}, true},
        {"the prefix's case does not matter", {kShot, none, "img_0002.jpg"}, {kShot, none, "IMG_0003.JPG"}, true},
        {"other prefixes: the name", {kShot, none, "IMG_0001.JPG"}, {kShot, none, "DSC_0002.JPG"}, false},
        {"other digit counts: the name", {kShot, none, "IMG_10000.JPG"}, {kShot, none, "IMG_9999.JPG"}, true},
        {"no counter: the name", {kShot, none, "B.JPG"}, {kShot, none, "A.JPG"}, false},
        {"the same counter: the name", {kShot, none, "IMG_0001.jpeg"}, {kShot, none, "IMG_0001.JPG"}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(camera_order::takenBefore(c.a, c.b), c.aFirst) << c.what;
        EXPECT_EQ(camera_order::takenBefore(c.b, c.a), !c.aFirst) << c.what << " (the other way round)";
    }
}

QByteArray plainJpeg()
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "jpeg"));
    return bytes;
}

TEST(HeureDePriseDeVue, LueDansLesDonneesExifDeLEnTete)
{
    const QByteArray plain = plainJpeg();
    ASSERT_EQ(plain.left(4), QByteArray("\xFF\xD8\xFF\xE0", 4)) << "the writer starts with a JFIF segment";
    const qint64 shotAt = kShot + 5 * kSecond; // what the camera's clock said: 09/03/2026 14:30:05
    const QByteArray shot = exif_jpeg::withCaptureTime(plain, "2026:03:09 14:30:05", "25");
    const struct {
        const char* what;
        QByteArray bytes;
        std::optional<qint64> captured;
    } cases[] = {
        {"hundredths", shot, shotAt + 250 * kMs},
        {"thousandths", exif_jpeg::withCaptureTime(plain, "2026:03:09 14:30:05", "375"), shotAt + 375 * kMs},
        {"tenths padded with blanks", exif_jpeg::withCaptureTime(plain, "2026:03:09 14:30:05", "5  "),
         shotAt + 500 * kMs},
        {"no sub-seconds", exif_jpeg::withCaptureTime(plain, "2026:03:09 14:30:05", ""), shotAt},
        {"sub-seconds that are not digits", exif_jpeg::withCaptureTime(plain, "2026:03:09 14:30:05", "ab"), shotAt},
        {"after a JFIF segment, its date at the end of a segment that ends past 64 KiB",
         exif_jpeg::withCaptureTime(plain, "2026:03:09 14:30:05", "25", 65420, true), shotAt + 250 * kMs},
        {"a date left blank by the camera", exif_jpeg::withCaptureTime(plain, "    :  :     :  :  ", ""), {}},
        {"no EXIF data", plain, {}},
        {"still being written, cut in its EXIF segment", shot.left(60), {}},
        {"empty", QByteArray(), {}},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        QFile file(dir.filePath("IMG_0001.JPG"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        EXPECT_EQ(exif::captureTime(QFile::encodeName(file.fileName())), c.captured) << c.what;
    }
    EXPECT_EQ(exif::captureTime(QFile::encodeName(dir.filePath("absent.jpg"))), std::nullopt);
}

} // namespace
