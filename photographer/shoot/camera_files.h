#pragma once

#include "common/digest.h"
#include "photographer/shoot/moment.h"

#include <QByteArray>
#include <QString>

#include <vector>

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

// The version the name now names; unknown when nothing is there.
Version versionOf(const QByteArray& rawPath);

// Removes the file and syncs its folder, so that a power cut cannot bring it
// back; false when it is still there or the folder could not be synced.
bool remove(const QByteArray& rawPath);

// What became of a camera file whose bytes were kept elsewhere (filed, or set aside).
enum class Removal {
    Removed,    // it held those bytes, and its removal is on the disk
    Gone,       // nothing holds the name any more
    Other,      // the name holds other bytes: a new shot written under it; left
    Grown,      // the name holds those bytes followed by more: its writer was still at it; left
    NotRemoved, // it could not be read or removed: it stays
    NotSynced,  // gone, but the disk did not confirm it: a power cut could bring it back
};

// Whether the bytes kept elsewhere have left the watched folder for good (or were never there).
bool leftForGood(Removal removal);

// The private name a removal gives the camera file at rawPath while it compares it with the bytes
// kept: in the same folder, hidden (the watched folder skips it), unlike any temporary a start
// removes, and fixed by the camera name alone, so that whoever settles a removal cut short knows
// exactly where its file is.
QByteArray removalName(const QByteArray& rawPath);

// Removes the file at rawPath only while it holds the bytes of `kept`: a camera that writes each
// shot under one name, a counter started again on a new card, a tool that renames a new shot over
// the name at any moment, must not lose the new shot with the old one. The file is first moved to
// its removalName, compared there, and only that name is removed; anything else goes back under
// the camera name, or beside it when a new shot took that meanwhile (then it is a shot of its own).
// A removal that a power cut stopped half way (its private name still there) is finished first.
// `keptVersion`, when known, is the version whose bytes were kept: while the name still names it,
// on a file system that keeps its own change time, the bytes need not be read again.
Removal removeIfHolds(const QByteArray& rawPath, const digest::Fingerprint& kept, const Version& keptVersion = {});

// Puts back what a removal cut short left under the private name of rawPath, whatever it holds,
// as removeIfHolds puts back a file it leaves (a filing not done yet still needs its camera file).
// false when it is still under its private name.
bool putBack(const QByteArray& rawPath);

// Sets the file aside into folder (made when missing): under its own name, or with _2, _3... added
// when that name is taken, never over another file. On the watched folder's own file system it is
// renamed, unread, whatever its size: a writer still at it goes on writing into the file set aside.
// Across file systems its bytes are copied in chunks (a file of any size, read twice, never whole
// in memory) and synced, a copy of these very bytes already there (a setting aside cut before the
// camera file went) serving again, and the camera file is removed only while it still holds them.
// Answers where the bytes now lie; "" when the camera file was not removed, with error saying why
// in French (a camera file that changed meanwhile stays to be taken again, beside its copy).
QString setAside(const QByteArray& rawPath, const QString& folder, QString& error);

// The same for the bytes the camera file held when they were read (a filing that is undone sets
// aside the bytes it had filed): should the camera file hold others once moved, those bytes are
// written beside it, so that both are kept.
QString setAside(const QByteArray& rawPath, const QByteArray& bytes, const QString& folder, QString& error);

} // namespace camera_files
