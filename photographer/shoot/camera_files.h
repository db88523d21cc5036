#pragma once

#include "photographer/shoot/moment.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace capture {
struct Fingerprint;
}

// The files of the watched folder as the file system names them. Cameras and
// card readers write names in any encoding: a name that is not valid UTF-8
// cannot round-trip through a QString, so every file here is reached by its
// raw bytes and only shown through QFile::decodeName.
namespace camera_files {

struct Entry {
    QByteArray rawPath;    // folder and name, as the file system holds them
    qint64 size = 0;
    Moment modified = {};  // modification time
    QString name() const;  // the name as the system shows it
    QString path() const;  // the whole path as the system shows it
    bool operator==(const Entry&) const = default;
};

// The plain files of folder (hidden ones included), in the byte order of
// their names; nothing when the folder cannot be read.
std::vector<Entry> list(const QString& folder);

// Which version of a file was read: the file itself and the moments of its last change. Nobody
// can set back a file's change time, so a file found with the same one has not been written since.
struct Version {
    qint64 device = 0, inode = 0, size = -1;
    Moment modified = {}, changed = {};
    bool known() const { return size >= 0; }
    bool operator==(const Version&) const = default;
};

// The whole file; false when it cannot be read. `version`, when given, is the one read, or unknown
// when the file changed while it was read.
bool read(const QByteArray& rawPath, QByteArray& bytes, Version* version = nullptr);

// Removes the file and syncs its folder, so that a power cut cannot bring it
// back; false when it is still there or the folder could not be synced.
bool remove(const QByteArray& rawPath);

// What became of a camera file whose bytes were kept elsewhere (filed, or set aside).
enum class Removal {
    Removed,    // it held those bytes, and its removal is on the disk
    Gone,       // nothing holds the name any more
    Other,      // the name holds other bytes: a new shot written under it; left
    Grown,      // the name holds those bytes followed by more: its writer was still at it; left
    NotRemoved, // it holds those bytes but could not be removed
    NotSynced,  // gone, but the disk did not confirm it: a power cut could bring it back
};

// Whether the bytes kept elsewhere have left the watched folder for good (or were never there).
bool leftForGood(Removal removal);

// Removes the file at rawPath only while it holds the bytes of `kept` (its size and digest): a
// camera that writes each shot under one name, or a counter started again on a new card, must not
// lose the new shot with the old one. The name must still name the very file whose bytes were
// compared, unchanged since, for it to go.
// `keptVersion`, when known, is the version whose bytes were kept: while the name still names
// it, the bytes need not be read again.
Removal removeIfHolds(const QByteArray& rawPath, const capture::Fingerprint& kept, const Version& keptVersion = {});

// Sets the file aside into folder (made when missing): under its own name, or with _2, _3... added
// when that name is taken, never over another file; a copy of these very bytes already there (a
// setting aside cut before the camera file went) serves again, so that a file is never set aside
// twice. On one file system it is linked, across file systems its bytes are written and synced;
// either way the copy is compared with the bytes, and the camera file removed only while it still
// holds them. Answers where the bytes now lie; "" when the camera file was not removed, with error
// saying why in French (a camera file that changed meanwhile stays to be taken again, beside its
// copy).
QString setAside(const QByteArray& rawPath, const QString& folder, QString& error);

// The same for the bytes the camera file held when they were read (a filing that is undone sets
// aside the bytes it had filed).
QString setAside(const QByteArray& rawPath, const QByteArray& bytes, const QString& folder, QString& error);

} // namespace camera_files
