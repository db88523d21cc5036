#pragma once

#include "photographer/shoot/moment.h"

#include <optional>

// What a camera file's EXIF data tells, read with libexif.
namespace exif {

// A moment by the camera's own clock, read as UTC.
using CaptureTime = Moment;

// When the camera took the picture in the JPEG file open for reading at fd: its DateTimeOriginal
// with SubSecTimeOriginal. Only the head of the file, where the EXIF segment lies, is read, from its
// start whatever fd's offset. nullopt when the file carries none, or none yet (a file still being
// written), or cannot be read.
std::optional<CaptureTime> captureTime(int fd);

} // namespace exif
