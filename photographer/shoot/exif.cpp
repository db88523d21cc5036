#include "photographer/shoot/exif.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>

#include <libexif/exif-data.h>
#include <libexif/exif-loader.h>

#include <algorithm>
#include <cerrno>
#include <memory>

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

// "yyyy:MM:dd HH:mm:ss" and its fraction of a second ("25" is a quarter).
std::optional<CaptureTime> moment(const QByteArray& dateTime, const QByteArray& subSeconds)
{
    if (dateTime.size() != 19 || dateTime[10] != ' ')
        return std::nullopt;
    const QDate date = QDate::fromString(QString::fromLatin1(dateTime.left(10)), u"yyyy:MM:dd");
    const QTime time = QTime::fromString(QString::fromLatin1(dateTime.mid(11)), u"HH:mm:ss");
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    const qint64 days = date.toJulianDay() - QDate(1970, 1, 1).toJulianDay();
    CaptureTime result{days * 86400 + time.msecsSinceStartOfDay() / 1000, 0};
    const QByteArray fraction = subSeconds.left(9);
    if (!fraction.isEmpty() && std::all_of(fraction.begin(), fraction.end(), [](char c) { return c >= '0' && c <= '9'; }))
        result.nanoseconds = fraction.leftJustified(9, '0').toInt();
    return result;
}

} // namespace

std::optional<CaptureTime> captureTime(int fd)
{
    const std::unique_ptr<ExifLoader, LoaderUnref> loader(exif_loader_new());
    QByteArray chunk(kChunk, Qt::Uninitialized);
    for (qsizetype read = 0; read < kMostRead;) {
        const ssize_t got = ::pread(fd, chunk.data(), size_t(kChunk), off_t(read));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        read += got;
        if (!exif_loader_write(loader.get(), reinterpret_cast<unsigned char*>(chunk.data()), unsigned(got)))
            break;
    }
    const std::unique_ptr<ExifData, DataUnref> data(exif_loader_get_data(loader.get()));
    if (!data)
        return std::nullopt;
    return moment(text(data.get(), EXIF_TAG_DATE_TIME_ORIGINAL), text(data.get(), EXIF_TAG_SUB_SEC_TIME_ORIGINAL));
}

} // namespace exif
