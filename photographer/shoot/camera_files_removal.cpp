// The camera files that leave the watched folder: removed once filed, or set aside unfiled. Other
// programs write into that folder at any moment, so a name is never trusted between two steps:
// what is compared is what leaves.
#include "photographer/shoot/camera_files.h"

#include "common/files.h"
#include "common/paths.h"
#include "photographer/data/dossiers_etab.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <functional>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace camera_files {

namespace {

using digest::Fingerprint;

QString shown(const QByteArray& rawPath)
{
    return QDir::toNativeSeparators(QFile::decodeName(rawPath));
}

QByteArray folderOf(const QByteArray& rawPath)
{
    const qsizetype slash = rawPath.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : rawPath.left(slash + 1);
}

QByteArray nameOf(const QByteArray& rawPath)
{
    return rawPath.mid(rawPath.lastIndexOf('/') + 1);
}

bool exists(const QByteArray& rawPath)
{
    struct stat entry {};
    return ::lstat(rawPath.constData(), &entry) == 0;
}

// Whether the file system sets a file's change time itself on every write, whatever a program
// does: FAT and exFAT derive it from the modification time that copiers set back, FUSE and network
// shares report what another machine or daemon says. A file system not known here does not count.
bool keepsOwnChangeTime(const QByteArray& rawPath)
{
    struct statfs fs {};
    if (::statfs(rawPath.constData(), &fs) != 0)
        return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case EXT4_SUPER_MAGIC: // ext2, ext3 and ext4 share it
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case F2FS_SUPER_MAGIC:
    case 0x2fc12fc1:       // ZFS
    case 0xca451a4e:       // bcachefs
    case 0x3153464a:       // JFS
    case REISERFS_SUPER_MAGIC:
    case RAMFS_MAGIC:
        return true;
    default:
        return false;
    }
}

// What the file open as fd holds against the bytes kept: Removed for those very bytes.
Removal compared(int fd, const Fingerprint& kept)
{
    // Only the first kept.size bytes are read: whether it holds more is its size's to say.
    if (digest::fingerprintOf(fd, kept.size) != kept)
        return Removal::Other;
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return Removal::NotRemoved;
    return now.st_size == kept.size ? Removal::Removed : Removal::Grown;
}

// rawPath with "_<n>" before its extension, as bytes: a camera name need not be valid text.
QByteArray numbered(const QByteArray& rawPath, int n)
{
    const QByteArray name = nameOf(rawPath);
    const qsizetype dot = name.lastIndexOf('.');
    const qsizetype stem = dot > 0 ? dot : name.size();
    return folderOf(rawPath) + name.left(stem) + '_' + QByteArray::number(n) + name.mid(stem);
}

// Gives the file at `from` the name rawPath, or when that is taken the first free numbered one
// beside it. false when it kept its name.
bool renameBeside(const QByteArray& from, const QByteArray& rawPath)
{
    if (files::renameNoReplace(from, rawPath))
        return files::syncFolderOf(rawPath);
    for (int n = 2; errno == EEXIST && n < 10000; ++n) {
        if (files::renameNoReplace(from, numbered(rawPath, n)))
            return files::syncFolderOf(rawPath);
    }
    return false;
}

// What was found, once the folder is synced: until then a file removed there could come back.
Removal confirmed(const QByteArray& rawPath, Removal found)
{
    if (files::syncFolderOf(rawPath))
        return found;
    // A folder that is gone cannot bring it back.
    return QFileInfo(QFile::decodeName(rawPath)).dir().exists() ? Removal::NotSynced : found;
}

// Ends a removal whose file lies under its private name `aside`: removed when it holds the bytes
// kept, else put back. `unchanged`, when known, is the version kept that the camera name still
// named when it was moved: the file is then the one kept while it has neither grown nor been
// written since (the move itself sets its change time).
Removal finish(const QByteArray& aside, const QByteArray& rawPath, const Fingerprint& kept, const Version& unchanged)
{
    const auto stillUnchanged = [&] {
        const Version now = versionOf(aside);
        return now.device == unchanged.device && now.inode == unchanged.inode && now.size == unchanged.size
            && now.modified == unchanged.modified;
    };
    Removal found = Removal::NotRemoved;
    if (unchanged.known() && stillUnchanged()) {
        found = Removal::Removed;
    } else if (const int fd = ::open(aside.constData(), O_RDONLY | O_CLOEXEC); fd >= 0) {
        found = compared(fd, kept);
        ::close(fd);
    } else if (errno == ENOENT) {
        return confirmed(rawPath, Removal::Gone);
    }
    if (found == Removal::Removed && ::unlink(aside.constData()) == 0)
        return confirmed(rawPath, Removal::Removed);
    if (found == Removal::Removed)
        found = Removal::NotRemoved;
    // Anything not removed is a picture nobody filed: it goes back where the capture sees it.
    if (!renameBeside(aside, rawPath))
        return Removal::NotRemoved;
    return found;
}

} // namespace

QByteArray removalName(const QByteArray& rawPath)
{
    static const QByteArray kEnding = ".en-retrait";
    // NAME_MAX bytes at most: a name too long to bear the ending is shortened, and a digest of the
    // whole keeps it its own.
    constexpr qsizetype kNameMax = 255;
    QByteArray name = nameOf(rawPath);
    if (name.size() + 1 + kEnding.size() > kNameMax)
        name = name.left(200) + '~' + digest::fingerprint(name).digest.left(16);
    return folderOf(rawPath) + '.' + name + kEnding;
}

Removal removeIfHolds(const QByteArray& rawPath, const Fingerprint& kept, const Version& keptVersion)
{
    const QByteArray aside = removalName(rawPath);
    if (exists(aside))
        return finish(aside, rawPath, kept, {});
    const Version named = versionOf(rawPath);
    if (!named.known())
        return errno == ENOENT ? confirmed(rawPath, Removal::Gone) : Removal::NotRemoved;
    const bool unchanged = keptVersion.known() && named == keptVersion && keepsOwnChangeTime(rawPath);
    // Whatever the name holds at this very moment is what is compared and removed: a shot renamed
    // over it afterwards takes the free name and stays.
    if (!files::renameNoReplace(rawPath, aside))
        return errno == ENOENT ? confirmed(rawPath, Removal::Gone) : Removal::NotRemoved;
    return finish(aside, rawPath, kept, unchanged ? keptVersion : Version{});
}

bool putBack(const QByteArray& rawPath)
{
    const QByteArray aside = removalName(rawPath);
    return !exists(aside) || renameBeside(aside, rawPath);
}

namespace {

// The message of a setting aside that failed: which file, where to, and why when known.
QString notSetAside(const QByteArray& rawPath, const QString& target, const QString& why, QString& error)
{
    error = QStringLiteral("La photo « %1 » n'a pas pu être mise de côté dans « %2 ».")
                .arg(shown(rawPath), QDir::toNativeSeparators(target));
    if (!why.isEmpty())
        error += u' ' + why;
    return {};
}

// A free name for the camera file in folder: its own, else with _2, _3...; a file there that
// `same` accepts serves instead.
QString freeName(const QByteArray& rawPath, const QString& folder, const std::function<bool(const QString&)>& same = {})
{
    const QFileInfo info(QFile::decodeName(nameOf(rawPath)));
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    return dossiers_etab::nomLibre(folder, info.completeBaseName(), suffix, same);
}

bool sameFileSystem(const QByteArray& rawPath, const QString& folder)
{
    struct stat file {};
    struct stat into {};
    return ::stat(rawPath.constData(), &file) == 0 && ::stat(QFile::encodeName(folder).constData(), &into) == 0
        && file.st_dev == into.st_dev;
}

// Renames the camera file into folder under a free name; "" when it kept its name (errno says why).
QString renamedInto(const QByteArray& rawPath, const QString& folder)
{
    // Another program may take the free name first: the next one is tried.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString target = freeName(rawPath, folder);
        const QByteArray to = QFile::encodeName(target);
        if (files::renameNoReplace(rawPath, to))
            return files::syncFolderOf(to) && files::syncFolderOf(rawPath) ? target : QString();
        if (errno != EEXIST)
            break;
    }
    return {};
}

// The name in folder for the bytes `kept`: a copy of them already there (a setting aside cut
// before the camera file went) when there is one, else a free name.
QString copyName(const QByteArray& rawPath, const Fingerprint& kept, const QString& folder)
{
    return freeName(rawPath, folder, [&kept](const QString& taken) { return digest::holds(QFile::encodeName(taken), kept); });
}

// The bytes `kept` put at target by `write` (unless they are there already) and compared there,
// then the camera file removed while it still holds them.
QString copiedInto(const QByteArray& rawPath, const Fingerprint& kept, const QString& target,
                   const std::function<QString(const QString& target)>& write, QString& error)
{
    if (!dossiers_etab::pris(target)) {
        if (const QString notWritten = write(target); !notWritten.isEmpty())
            return notSetAside(rawPath, target, notWritten, error);
        if (!digest::holds(QFile::encodeName(target), kept))
            return notSetAside(rawPath, target, QStringLiteral("Sa copie ne tient pas les mêmes octets."), error);
    }
    switch (removeIfHolds(rawPath, kept)) {
    case Removal::Removed:
    case Removal::Gone:
        return target;
    case Removal::Other:
    case Removal::Grown:
        error = QStringLiteral("La photo « %1 » a changé pendant sa mise de côté : elle reste dans le dossier de "
                               "réception pour être reprise, et la copie faite avant est gardée dans « %2 ».")
                    .arg(shown(rawPath), QDir::toNativeSeparators(target));
        return {};
    case Removal::NotRemoved:
    case Removal::NotSynced:
        break;
    }
    error = QStringLiteral("La photo « %1 » a été copiée dans « %2 », mais elle n'a pas pu être retirée du dossier de "
                           "réception.")
                .arg(shown(rawPath), QDir::toNativeSeparators(target));
    return {};
}

QString unreadable(const QByteArray& rawPath, QString& error)
{
    error = QStringLiteral("La photo « %1 » n'a pas pu être lue : elle n'a pas été mise de côté.").arg(shown(rawPath));
    return {};
}

} // namespace

QString setAside(const QByteArray& rawPath, const QString& folder, QString& error)
{
    if (!paths::ensureFolder(folder))
        return notSetAside(rawPath, folder, {}, error);
    if (sameFileSystem(rawPath, folder)) {
        if (QString target = renamedInto(rawPath, folder); !target.isEmpty())
            return target;
        // A folder mounted twice shares its device but not its renames: then it is copied.
        if (errno != EXDEV)
            return notSetAside(rawPath, folder, {}, error);
    }
    const int fd = ::open(rawPath.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return unreadable(rawPath, error);
    const Fingerprint kept = digest::fingerprintOf(fd);
    // Copied from the very file fingerprinted, whatever takes its name meanwhile; its name need
    // not be valid text either.
    const QString source = QStringLiteral("/proc/self/fd/%1").arg(fd);
    const QString target = kept.known() ? copiedInto(rawPath, kept, copyName(rawPath, kept, folder),
                                                     [&source](const QString& to) { return files::copyWhole(source, to); },
                                                     error)
                                        : unreadable(rawPath, error);
    ::close(fd);
    return target;
}

QString setAside(const QByteArray& rawPath, const QByteArray& bytes, const QString& folder, QString& error)
{
    if (!paths::ensureFolder(folder))
        return notSetAside(rawPath, folder, {}, error);
    const Fingerprint kept = digest::fingerprint(bytes);
    const auto written = [&bytes](const QString& to) { return files::writeWhole(to, bytes); };
    // A copy already there serves again: only the camera file is left to go.
    if (const QString copy = copyName(rawPath, kept, folder); dossiers_etab::pris(copy) || !sameFileSystem(rawPath, folder))
        return copiedInto(rawPath, kept, copy, written, error);
    const QString moved = renamedInto(rawPath, folder);
    if (moved.isEmpty())
        return errno == EXDEV ? copiedInto(rawPath, kept, copyName(rawPath, kept, folder), written, error)
                              : notSetAside(rawPath, folder, {}, error);
    // A new shot renamed over the camera file since its bytes were read went in their place: it
    // stays set aside, and those bytes are written beside it.
    const int fd = ::open(QFile::encodeName(moved).constData(), O_RDONLY | O_CLOEXEC);
    const bool theirs = fd >= 0 && digest::fingerprintOf(fd, kept.size) == kept;
    if (fd >= 0)
        ::close(fd);
    if (theirs)
        return moved;
    const QString beside = freeName(rawPath, folder);
    if (const QString notWritten = written(beside); !notWritten.isEmpty())
        return notSetAside(rawPath, beside, notWritten, error);
    return beside;
}

} // namespace camera_files
