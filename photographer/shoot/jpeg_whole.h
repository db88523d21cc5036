#pragma once

#include <QByteArrayView>
#include <QtGlobal>

// Whether a camera file holds every picture it declares, told by its JPEG markers alone.
namespace capture {

// Where the primary image of a JPEG ends: the offset just past the end-of-image
// marker that closes its last scan. The marker of a thumbnail embedded in a
// metadata segment does not count. -1 while the primary image is not whole.
qsizetype jpegImageEnd(QByteArrayView bytes);

// What the markers of a camera file declare, and whether it is all there.
struct Wholeness {
    // Where the last image it declares ends: its primary image, then each image its MPF index
    // (APP2 "MPF") lists after it, a preview many cameras append. -1 while one of them is missing.
    qint64 end = -1;
    // A 4-KiB block of zeros, on a 4-KiB boundary, before end: a writer that sizes its file with
    // zeros first may not have filled it in yet.
    bool zeroBlock = false;
    bool whole() const { return end > 0; }
};

Wholeness wholeness(QByteArrayView bytes);

// The same for the file open for reading at fd, size bytes long, read from its start once, a chunk
// at a time, never whole into memory, and only as far as its declared end.
Wholeness wholeness(int fd, qint64 size);

// Whether bytes hold a whole camera file as far as its markers tell: every image it declares is
// there (wholeness). Bytes after the last of them count as part of it only once it has stopped
// growing (unchangedCalls > 0): a writer may be appending an image its index does not list.
bool endsWhole(QByteArrayView bytes, int unchangedCalls);

} // namespace capture
