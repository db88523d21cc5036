#pragma once

#include <QByteArray>

#include <optional>

// What a camera file's EXIF data tells, read with libexif.
namespace exif {

// When the camera took the picture in the JPEG file rawPath, by the camera's own clock read as UTC,
// in nanoseconds since 1970: its DateTimeOriginal with SubSecTimeOriginal. Only the head of the file,
// where the EXIF segment lies, is read. nullopt when the file carries none, or none yet (a file still
// being written), or cannot be read.
std::optional<qint64> captureTime(const QByteArray& rawPath);

} // namespace exif
