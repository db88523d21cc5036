#pragma once

#include <QByteArray>

// The one digest of a file's bytes, for both programs: what tells one file from another whatever
// its name and dates (a camera file filed, a picture waiting for its place). Stored in their
// databases, so a change of algorithm must keep the rows written before readable.
namespace digest {

// BLAKE2b-256: nobody forges these files, so the fastest sound digest serves (twice as fast as
// SHA-256 here, and the capture takes one of every shot). Sha256 only reads back what Vizmora
// stored before both programs shared this digest.
enum class Algorithm { Blake2b256, Sha256 };

// A file's size and the digest of its bytes, in hexadecimal.
struct Fingerprint {
    qint64 size = -1; // -1: the file could not be read
    QByteArray digest;
    bool known() const { return size >= 0; }
    bool operator==(const Fingerprint&) const = default;
};

Fingerprint fingerprint(const QByteArray& bytes, Algorithm algorithm = Algorithm::Blake2b256);

// The file open as fd from its start, read in chunks: a file of any size takes little memory.
// At most `limit` bytes are read when limit >= 0 (the start of a file that may have grown).
// Unknown when a read fails.
Fingerprint fingerprintOf(int fd, qint64 limit = -1, Algorithm algorithm = Algorithm::Blake2b256);

// The file at rawPath (its name as the file system holds it); unknown when it cannot be read.
Fingerprint fingerprintOf(const QByteArray& rawPath, Algorithm algorithm = Algorithm::Blake2b256);

// Whether the file at rawPath holds exactly those bytes; one of another size is not read.
bool holds(const QByteArray& rawPath, const Fingerprint& expected, Algorithm algorithm = Algorithm::Blake2b256);

} // namespace digest
