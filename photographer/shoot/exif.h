#pragma once

#include <QtGlobal>

#include <compare>
#include <optional>

// What a camera file's EXIF data tells, read with libexif.
namespace exif {

// A moment by the camera's own clock, read as UTC. Whole seconds and their fraction are kept apart:
// nanoseconds since 1970 in 64 bits end in 2262, and a camera whose clock says 2300 or 9999 must
// still sort where its date says.
struct CaptureTime {
    qint64 seconds = 0;      // since 1970
    qint32 nanoseconds = 0;  // 0 to 999 999 999
    auto operator<=>(const CaptureTime&) const = default;
};

// When the camera took the picture in the JPEG file open for reading at fd: its DateTimeOriginal
// with SubSecTimeOriginal. Only the head of the file, where the EXIF segment lies, is read, from its
// start whatever fd's offset. nullopt when the file carries none, or none yet (a file still being
// written), or cannot be read.
std::optional<CaptureTime> captureTime(int fd);

} // namespace exif
