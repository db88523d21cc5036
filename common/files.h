#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// The one way either program writes or copies a file, and removes or replaces
// a folder. A file is written under a hidden temporary name beside its target,
// every write, flush and sync is checked and the size on the disk compared,
// and only then is it renamed over the target: the target is always the old
// file or the whole new one, never a part. (A full disk can fail the last
// flush of a small file after every write seemed to work, and QSaveFile then
// still commits, so nothing here trusts a single return.)
namespace files {

// Now: the file is synced before its rename (a single document or picture).
// Later: the caller syncs once when its batch ends (see syncFileSystem), as a
// sync per file would make a delivery of thousands of pictures crawl.
// InBuiltFolder: the file goes into a folder being built aside, which the
// caller syncs once and puts in place whole (replaceFolder); nothing reads that
// folder before, so the file is written straight under its name, and removed
// when anything fails. This spares a rename per picture in a delivery.
enum class Sync { Now, Later, InBuiltFolder };

// A file that will replace its target, in a folder that exists. Dropped without a successful commit(),
// it removes its temporary file and leaves the target as it was. Until then its
// writer holds a lock on the temporary file, so that removeLeftoverTemporaries
// in another process tells it from one that a power cut left.
class PendingFile {
public:
    explicit PendingFile(QString target, Sync sync = Sync::Now);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Each false on the first failure; error() then says which file.
    [[nodiscard]] bool write(const QByteArray& bytes);
    [[nodiscard]] bool copyFrom(const QString& source);
    [[nodiscard]] bool commit();
    // Removes the temporary file now, the target staying as it was: a caller
    // that gives up says so with nothing left behind.
    void discard();

    const QString& target() const { return target_; }
    // The temporary file that holds what was written until commit(), "" before
    // a write: a job that records it may finish the rename after a power cut
    // (takeOverTemporary).
    const QString& temporary() const { return temporary_; }
    // A French message naming the target; "" while nothing failed.
    const QString& error() const { return error_; }

private:
    bool open();
    bool finish(qint64 expectedSize);
    bool fail(const QString& technical);

    QString target_;
    Sync sync_;
    QString temporary_;
    int fd_ = -1;
    int lock_ = -1; // holds the lock on the temporary file until it is renamed or removed
    bool written_ = false;
    QString error_;
};

// Writes the bytes as the whole target. "" on success, else a French message
// naming the file (the technical detail goes to the standard error output).
[[nodiscard]] QString writeWhole(const QString& target, const QByteArray& bytes, Sync sync = Sync::Now);

// Copies source as the whole target, the same way.
[[nodiscard]] QString copyWhole(const QString& source, const QString& target, Sync sync = Sync::Now);

// Removes from folder (not its subfolders) the temporary files of PendingFile
// whose writer is gone (a power cut, a crash): those named as it names them and
// that no running writer holds locked. The number removed.
int removeLeftoverTemporaries(const QString& folder);

// What became of a PendingFile's temporary that a job had recorded as due to
// replace its target when a power cut stopped it short of the rename.
enum class Leftover {
    Placed,  // it was whole and now stands as the target
    Held,    // its writer is still at work (another running program): left to it
    Missing, // there is no such temporary (any more)
    Refused, // not a file of its own, or whole() said no: left as it is
    Failed,  // the rename or a sync failed; *error says why, in French
};
// Finishes the job of a stopped writer: the temporary is locked as its writer
// held it (so that removeLeftoverTemporaries leaves it meanwhile), checked by
// whole(), then put in place of target as putInPlace does.
Leftover takeOverTemporary(const QString& temporary, const QString& target,
                           const std::function<bool(const QString& temporary)>& whole, QString* error);

// Flushes every file written with Sync::Later on the file system holding path.
bool syncFileSystem(const QString& path);

// Syncs the folder that holds the entry at rawPath (its name as the file system
// holds it), so that a name just given or removed there survives a power cut.
bool syncFolderOf(const QByteArray& rawPath);

// Puts the file built aside at `built` (in the target's folder) in place of
// `target` in one step: built is synced, renamed over target, and the folder
// synced. "" on success, else a French message naming the target; on
// failure target is as it was.
[[nodiscard]] QString putInPlace(const QString& built, const QString& target);

// Removes a file or a folder tree. A symbolic link is removed as a link: its
// target is never entered. True when nothing is left at path.
bool removeTree(const QString& path);

// Removes as removeTree does. "" when nothing is left at path, else a French
// message that names the folder that kept something and says why (read-only,
// a disk mounted there) and what to do.
[[nodiscard]] QString removeTreeSaying(const QString& path);

// Where a folder or a file that will replace target whole is built: beside
// it, hidden (only finished work shows), under a fixed name, so that the next
// run finds and removes what a stopped one left.
QString builtAsideFor(const QString& target);

// Makes ready the folder builtAsideFor(target), empty, for a replacement of the
// folder target: it first settles a replacement that a power cut stopped (see
// replaceFolder), then removes what a stopped build left. "" or a French
// message that names what could not be removed or created; then nothing was
// changed at target.
[[nodiscard]] QString startBuildingAside(const QString& target);

// Removes the folder built aside for target when it was not put in place. While the earlier
// folder waits under its hidden name for a replacement to be finished, a folder built aside is
// taken for whole and goes in: it first leaves that name in one rename, so that a removal cut
// by a power cut can never put half of it in place of the earlier one. Where that rename fails,
// the whole folder stays, for the next run to put in place.
void dropBuiltAside(const QString& target);

// Puts the folder built aside at builtAsideFor(target), whole and on the disk,
// in place of the folder target, so that target is always the old folder or
// the new one; the old one is then removed. An earlier folder that could not
// be removed whole (a read-only folder in it) is not replaced: the message
// says which folder, and target stays as it was. "" on success, else a French
// message.
//
// Where the file system cannot exchange two names in one step (network shares,
// exFAT, NTFS), the earlier folder is first renamed to a hidden name beside it
// (".<name>.ancien"), then the new one renamed to target. A power cut between
// the two leaves both whole under those hidden names, and the next
// startBuildingAside or replaceFolder finishes the replacement: while that
// name exists, the folder built aside is whole, since nothing is built
// before it is settled. A share may do a rename and lose its reply, so after
// a failed rename what stands is told from the names found: the new folder
// in place is a replacement done (""); an earlier folder left aside with
// nothing at target is put back, and the message says whether the earlier
// folder stands at target or still waits under its hidden name.
[[nodiscard]] QString replaceFolder(const QString& target);

// Gives a file or a folder a new name on the same file system, never over an
// entry already there, and syncs the folders of both names: after a power cut
// it is under one name or the other, and once this returned a power cut cannot
// undo the move unseen. "" on success, else a French message naming both.
[[nodiscard]] QString move(const QString& from, const QString& to);

// The rename move() makes, without its syncs, for an entry named by raw bytes (a name the system
// holds that may be no valid text): never over an entry already there. false with errno set
// (EEXIST when the name is taken).
[[nodiscard]] bool renameNoReplace(const QByteArray& from, const QByteArray& to);

// The renames everything here goes through: the system's own, unless a test
// puts in their place ones that fail as a file system without renameat2's
// flags does, or that stop the program between two steps as a power cut would.
struct Renames {
    int (*withFlags)(int fromFolder, const char* from, int toFolder, const char* to, unsigned int flags);
    int (*plain)(const char* from, const char* to);
};
Renames systemRenames();
// Puts `replacement` in use; answers the renames it replaces.
Renames useRenames(Renames replacement);

} // namespace files
