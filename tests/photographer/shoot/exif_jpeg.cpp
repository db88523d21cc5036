#include "exif_jpeg.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <libexif/exif-data.h>

#include <cstdlib>
#include <cstring>

namespace exif_jpeg {

namespace {

void add(ExifData* data, ExifTag tag, ExifFormat format, const QByteArray& value)
{
    ExifEntry* entry = exif_entry_new();
    ExifMem* mem = exif_mem_new_default();
    entry->tag = tag;
    entry->format = format;
    entry->components = static_cast<unsigned long>(value.size());
    entry->size = static_cast<unsigned int>(value.size());
    entry->data = static_cast<unsigned char*>(exif_mem_alloc(mem, entry->size));
    std::memcpy(entry->data, value.constData(), size_t(value.size()));
    exif_mem_unref(mem);
    exif_content_add_entry(data->ifd[EXIF_IFD_EXIF], entry);
    exif_entry_unref(entry);
}

} // namespace

QByteArray withCaptureTime(const QByteArray& jpeg, const QByteArray& dateTime, const QByteArray& subSeconds,
                           qsizetype padding, bool afterJfif)
{
    ExifData* data = exif_data_new();
    exif_data_set_byte_order(data, EXIF_BYTE_ORDER_INTEL);
    // The entries are saved in the order of their tags, this one before the date.
    if (padding > 0)
        add(data, EXIF_TAG_OECF, EXIF_FORMAT_UNDEFINED, QByteArray(padding, 'x'));
    add(data, EXIF_TAG_DATE_TIME_ORIGINAL, EXIF_FORMAT_ASCII, dateTime + '\0');
    if (!subSeconds.isEmpty())
        add(data, EXIF_TAG_SUB_SEC_TIME_ORIGINAL, EXIF_FORMAT_ASCII, subSeconds + '\0');
    unsigned char* bytes = nullptr;
    unsigned int size = 0;
    exif_data_save_data(data, &bytes, &size);
    const QByteArray payload(reinterpret_cast<const char*>(bytes), qsizetype(size));
    std::free(bytes);
    exif_data_unref(data);

    const qsizetype length = payload.size() + 2;
    const QByteArray app1 = QByteArray("\xFF\xE1", 2) + char(length >> 8) + char(length & 0xFF) + payload;
    // The JFIF segment that the JPEG writer puts first: its length follows its marker.
    const qsizetype at = afterJfif ? 4 + ((uchar(jpeg[4]) << 8) | uchar(jpeg[5])) : 2;
    return jpeg.left(at) + app1 + jpeg.mid(at);
}

namespace {

QByteArray encoded(const QImage& image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.write(image);
    return bytes;
}

QByteArray plain(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(30, 90, 160));
    QPainter(&image).fillRect(0, 0, size.width() / 3, size.height() / 3, Qt::yellow);
    return encoded(image, 85);
}

} // namespace

QByteArray cameraFile()
{
    const QByteArray primary = plain({640, 480});
    const QByteArray payload = QByteArray("Exif\0\0", 6) + plain({160, 120});
    const int length = int(payload.size()) + 2;
    const QByteArray app1 = QByteArray("\xFF\xE1", 2) + char(length >> 8) + char(length & 0xFF) + payload;
    return primary.left(2) + app1 + primary.mid(2);
}

QByteArray noise(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * y) % 256, (x ^ y) % 256));
    return encoded(image, 95);
}

QByteArray withPreview(const QByteArray& jpeg, const QByteArray& preview, bool little)
{
    const auto number = [little](quint32 value, int bytes) {
        QByteArray out;
        for (int byte = 0; byte < bytes; ++byte)
            out += char((value >> (8 * (little ? byte : bytes - 1 - byte))) & 0xFF);
        return out;
    };
    // The TIFF-like header, one directory holding the MP entries, then the two entries.
    constexpr int kEntries = 8 + 2 + 12 + 4;
    constexpr int kSegment = 2 + 4 + kEntries + 2 * 16; // its length field counts itself
    constexpr int kTiffStart = 2 + 4 + 4;               // SOI, marker and length, "MPF\0"
    const qsizetype primary = jpeg.size() + 2 + kSegment;
    QByteArray tiff = little ? QByteArray("II*\0", 4) : QByteArray("MM\0*", 4);
    tiff += number(8, 4) + number(1, 2);
    tiff += number(0xB002, 2) + number(7, 2) + number(32, 4) + number(kEntries, 4) + number(0, 4);
    tiff += number(0x030000, 4) + number(quint32(primary), 4) + number(0, 4) + number(0, 4);
    tiff += number(0x010001, 4) + number(quint32(preview.size()), 4) + number(quint32(primary - kTiffStart), 4)
          + number(0, 4);
    const QByteArray segment = QByteArray("\xFF\xE2", 2) + char(kSegment >> 8) + char(kSegment & 0xFF)
                             + QByteArray("MPF\0", 4) + tiff;
    return jpeg.left(2) + segment + jpeg.mid(2) + preview;
}

} // namespace exif_jpeg
