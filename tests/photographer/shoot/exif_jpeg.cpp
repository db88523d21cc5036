#include "exif_jpeg.h"

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

} // namespace exif_jpeg
