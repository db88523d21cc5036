#pragma once

#include <QByteArray>

// Camera files carrying the capture time that cameras record, written with libexif.
namespace exif_jpeg {

// jpeg with an EXIF segment holding DateTimeOriginal ("yyyy:MM:dd HH:mm:ss") and, unless empty,
// SubSecTimeOriginal; with padding, the date's value comes after that many bytes of another entry.
// The segment goes right after the start of image, or after the JFIF segment when afterJfif.
QByteArray withCaptureTime(const QByteArray& jpeg, const QByteArray& dateTime, const QByteArray& subSeconds,
                           qsizetype padding = 0, bool afterJfif = false);

} // namespace exif_jpeg
