#pragma once

#include "photographer/shoot/exif.h"

#include <QByteArray>

#include <optional>

// The order in which the camera files of the watched folder are filed: the order the pictures were
// shot in, so that each one reaches the student it was taken for.
namespace camera_order {

// What tells one camera file's place from another's.
struct Shot {
    std::optional<exif::CaptureTime> captured; // when the camera took it, by the camera's clock
    Moment modified;                           // its modification time once whole
    QByteArray name;                           // its name as the file system holds it
};

// The instant a modification time stands for, as far as its file system can tell. A time in whole
// seconds comes from a FAT drive (2 seconds apart) or from a tool that keeps the camera's date
// (whole seconds): it stands for its whole 2-second slot, which starts on the even second at or
// before it, so that files written in the same slot by either come out equal (two files a second
// apart then go in the camera's order, the order they were shot in anyway). A time with a fraction
// of a second is this computer's own and stands for itself.
Moment instant(const Moment& modified);

// Whether a is filed before b: the camera's capture time where both files carry it, as it tells
// the order of the shots whatever the copier did to the files' dates; then the earlier instant;
// then the counter that ends the name (IMG_0042: same prefix and as many digits) allowing for it
// going round (IMG_9999 before IMG_0001: counters further apart than half their range went round,
// so the smaller comes after); then the name. The order holds pair by pair: among files of which
// only some carry a capture time it need not be transitive, so it serves to pick the next file,
// never to sort.
bool takenBefore(const Shot& a, const Shot& b);

} // namespace camera_order
