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

Moment at(qint64 nanoseconds)
{
    return {nanoseconds / kSecond, qint32(nanoseconds % kSecond)};
}

TEST(OrdreDeLAppareil, LHeureDePriseDeVuePuisLaDatePuisLeCompteurPuisLeNom)
{
    using camera_order::Shot;
    const std::optional<exif::CaptureTime> none;
    const struct {
        const char* what;
        Shot a;
        Shot b;
        bool aFirst;
    } cases[] = {
        {"the earlier date first, whatever the names", {none, at(kShot), "IMG_0002.JPG"},
         {none, at(kShot + 2 * kSecond), "IMG_0001.JPG"}, true},
        {"whole seconds in one 2-second slot are the same instant", {none, at(kShot + kSecond), "IMG_0001.JPG"},
         {none, at(kShot), "IMG_0002.JPG"}, true},
        {"the next slot is later", {none, at(kShot + 2 * kSecond), "IMG_0001.JPG"},
         {none, at(kShot + kSecond), "IMG_0002.JPG"}, false},
        {"a time with a fraction of a second stands for itself", {none, at(kShot + 500 * kMs), "IMG_0001.JPG"},
         {none, at(kShot + 400 * kMs), "IMG_0002.JPG"}, false},
        {"a slot starts on its even second", {none, at(kShot + kSecond), "B.JPG"},
         {none, at(kShot + 500 * kMs), "A.JPG"}, true},
        {"the capture time first, sub-seconds included", {at(kShot + 250 * kMs), at(kShot), "IMG_0002.JPG"},
         {at(kShot + 500 * kMs), at(kShot), "IMG_0001.JPG"}, true},
        {"the capture time before the dates a copier gave", {at(kShot + 2 * kSecond), at(kShot), "IMG_0002.JPG"},
         {at(kShot), at(kShot + 60 * kSecond), "IMG_0001.JPG"}, false},
        {"the capture time against the names of two cameras", {at(kShot + 750 * kMs), at(kShot), "DSC_0417.JPG"},
         {at(kShot + 500 * kMs), at(kShot), "IMG_9999.JPG"}, false},
        {"a capture time past 2262", {at(kShot), at(kShot), "IMG_0002.JPG"},
         {exif::CaptureTime{10413792000, 0}, at(kShot), "IMG_0001.JPG"}, true},
        {"a file date past 2262", {none, at(kShot), "IMG_0002.JPG"}, {none, Moment{10413792000, 0}, "IMG_0001.JPG"},
         true},
        {"a capture time on one side only: the counter", {at(kShot), at(kShot), "IMG_0002.JPG"},
         {none, at(kShot), "IMG_0001.JPG"}, false},
        {"a capture time on one side only: the date", {at(kShot), at(kShot + 2 * kSecond), "IMG_0001.JPG"},
         {none, at(kShot), "IMG_0002.JPG"}, false},
        {"equal capture times: the counter", {at(kShot), at(kShot), "IMG_0002.JPG"}, {at(kShot), at(kShot), "IMG_0001.JPG"}, false},
        {"the counter went round", {none, at(kShot), "IMG_9999.JPG"}, {none, at(kShot), "IMG_0001.JPG"}, true},
        {"two-digit counter went round", {none, at(kShot), "P_99.JPG"}, {none, at(kShot), "P_01.JPG"}, true},
        {"counters less than half their range apart", {none, at(kShot), "IMG_4000.JPG"},
         {none, at(kShot), "IMG_8999.JPG"}, true},
        {"counters more than half their range apart", {none, at(kShot), "IMG_9000.JPG"},
         {none, at(kShot), "IMG_3999.JPG"}, true},
        {"the prefix's case does not matter", {none, at(kShot), "img_0002.jpg"}, {none, at(kShot), "IMG_0003.JPG"}, true},
        {"other prefixes: the name", {none, at(kShot), "IMG_0001.JPG"}, {none, at(kShot), "DSC_0002.JPG"}, false},
        {"other digit counts: the name", {none, at(kShot), "IMG_10000.JPG"}, {none, at(kShot), "IMG_9999.JPG"}, true},
        {"no counter: the name", {none, at(kShot), "B.JPG"}, {none, at(kShot), "A.JPG"}, false},
        {"the same counter: the name", {none, at(kShot), "IMG_0001.jpeg"}, {none, at(kShot), "IMG_0001.JPG"}, false},
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
        std::optional<exif::CaptureTime> captured;
    } cases[] = {
        {"hundredths", shot, at(shotAt + 250 * kMs)},
        {"thousandths", exif_jpeg::withCaptureTime(plain, "2026:03:09 14:30:05", "375"), at(shotAt + 375 * kMs)},
        {"tenths padded with blanks", exif_jpeg::withCaptureTime(plain, "2026:03:09 14:30:05", "5  "),
         at(shotAt + 500 * kMs)},
        {"no sub-seconds", exif_jpeg::withCaptureTime(plain, "2026:03:09 14:30:05", ""), at(shotAt)},
        {"sub-seconds that are not digits", exif_jpeg::withCaptureTime(plain, "2026:03:09 14:30:05", "ab"), at(shotAt)},
        {"nine digits of sub-seconds", exif_jpeg::withCaptureTime(plain, "2026:03:09 14:30:05", "999999999"),
         at(shotAt + kSecond - 1)},
        {"a clock past 2262", exif_jpeg::withCaptureTime(plain, "2300:01:01 00:00:00", "5"),
         exif::CaptureTime{10413792000, 500000000}},
        {"the last moment EXIF can write", exif_jpeg::withCaptureTime(plain, "9999:12:31 23:59:59", ""),
         exif::CaptureTime{253402300799, 0}},
        {"after a JFIF segment, its date at the end of a segment that ends past 64 KiB",
         exif_jpeg::withCaptureTime(plain, "2026:03:09 14:30:05", "25", 65420, true), at(shotAt + 250 * kMs)},
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
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        file.seek(file.size()); // read from its start whatever the offset
        EXPECT_EQ(exif::captureTime(file.handle()), c.captured) << c.what;
        file.close();
    }
}

} // namespace
