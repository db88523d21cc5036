#include "photographer/shoot/exif.h"

#include <QDate>
#include <QFile>
#include <QTime>

#include <libexif/exif-data.h>
#include <libexif/exif-loader.h>

#include <algorithm>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace exif {

namespace {

// An EXIF segment holds at most 64 KiB, and what comes before it in a camera file is small: the
// loader is fed the head of the file a chunk at a time until it has the whole segment.
constexpr qsizetype kChunk = 64 * 1024;
constexpr qsizetype kMostRead = 2 * kChunk;

struct LoaderUnref {
    void operator()(ExifLoader* loader) const { exif_loader_unref(loader); }
};
struct DataUnref {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

// The text of an ASCII entry of the EXIF sub-directory, up to its first NUL, trimmed.
QByteArray text(ExifData* data, ExifTag tag)
{
    const ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_EXIF], tag);
    if (!entry || entry->format != EXIF_FORMAT_ASCII || !entry->data)
        return {};
    QByteArray raw(reinterpret_cast<const char*>(entry->data), qsizetype(entry->size));
    if (const qsizetype end = raw.indexOf('\0'); end >= 0)
        raw.truncate(end);
    return raw.trimmed();
}

// "yyyy:MM:dd HH:mm:ss" and its fraction of a second ("25" is a quarter), in nanoseconds.
std::optional<qint64> nanoseconds(const QByteArray& dateTime, const QByteArray& subSeconds)
{
    if (dateTime.size() != 19 || dateTime[10] != ' ')
        return std::nullopt;
    const QDate date = QDate::fromString(QString::fromLatin1(dateTime.left(10)), u"yyyy:MM:dd");
    const QTime time = QTime::fromString(QString::fromLatin1(dateTime.mid(11)), u"HH:mm:ss");
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    const qint64 days = date.toJulianDay() - QDate(1970, 1, 1).toJulianDay();
    qint64 result = (days * 86400 + time.msecsSinceStartOfDay() / 1000) * 1000000000;
    const QByteArray fraction = subSeconds.left(9);
    if (!fraction.isEmpty() && std::all_of(fraction.begin(), fraction.end(), [](char c) { return c >= '0' && c <= '9'; }))
        result += fraction.leftJustified(9, '0').toLongLong();
    return result;
}

} // namespace

std::optional<qint64> captureTime(const QByteArray& rawPath)
{
    const int fd = ::open(rawPath.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    const std::unique_ptr<ExifLoader, LoaderUnref> loader(exif_loader_new());
    QByteArray chunk(kChunk, Qt::Uninitialized);
    for (qsizetype read = 0; read < kMostRead;) {
        const qint64 got = file.read(chunk.data(), kChunk);
        if (got <= 0)
            break;
        read += got;
        if (!exif_loader_write(loader.get(), reinterpret_cast<unsigned char*>(chunk.data()), unsigned(got)))
            break;
    }
    const std::unique_ptr<ExifData, DataUnref> data(exif_loader_get_data(loader.get()));
    if (!data)
        return std::nullopt;
    return nanoseconds(text(data.get(), EXIF_TAG_DATE_TIME_ORIGINAL), text(data.get(), EXIF_TAG_SUB_SEC_TIME_ORIGINAL));
}

} // namespace exif
