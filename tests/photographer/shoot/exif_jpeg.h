#pragma once

#include <QByteArray>
#include <QSize>

// Camera files carrying the capture time that cameras record, written with libexif.
namespace exif_jpeg {

// A camera file as cameras write them: an EXIF segment that embeds a whole thumbnail JPEG, end
// marker included, before the primary image.
QByteArray cameraFile();

// A JPEG of noise, large for its size: whole 4-KiB blocks of its scan can be left unwritten.
QByteArray noise(const QSize& size);

// jpeg with an EXIF segment holding DateTimeOriginal ("yyyy:MM:dd HH:mm:ss") and, unless empty,
// SubSecTimeOriginal; with padding, the date's value comes after that many bytes of another entry.
// The segment goes right after the start of image, or after the JFIF segment when afterJfif.
QByteArray withCaptureTime(const QByteArray& jpeg, const QByteArray& dateTime, const QByteArray& subSeconds,
                           qsizetype padding = 0, bool afterJfif = false);

// jpeg followed by preview, listed in an MPF index (APP2 "MPF") right after its start of image, as
// cameras that append a preview write them. little: the index's numbers in little-endian order.
QByteArray withPreview(const QByteArray& jpeg, const QByteArray& preview, bool little = true);

} // namespace exif_jpeg
