#include "common/files.h"
#include "common/files_internal.h"

#include "common/report.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

using namespace internal;

namespace {

// The entry that kept a tree from being removed, and the system's reason.
struct Stayed {
    QByteArray folder; // the folder to act on; empty when nothing stayed
    int error = 0;

    explicit operator bool() const { return !folder.isEmpty(); }
};

QByteArray parentOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

// nftw's callbacks take no state of their own.
thread_local Stayed walkStayed;
thread_local dev_t walkDevice = 0;

int removeEntry(const char* path, const struct stat*, int type, struct FTW*)
{
    if (type == FTW_DNR) {
        walkStayed = {path, EACCES};
        return 1;
    }
    if ((type == FTW_DP ? ::rmdir(path) : ::unlink(path)) == 0 || errno == ENOENT)
        return 0;
    // A disk mounted on a folder keeps the folder itself; anything else is
    // kept by the folder that holds it, which refuses to let go of its names.
    const int error = errno;
    walkStayed = {error == EBUSY ? QByteArray(path) : parentOf(path), error};
    return 1;
}

Stayed removeAt(const QByteArray& path)
{
    struct stat entry {};
    if (::lstat(path.constData(), &entry) != 0)
        return errno == ENOENT ? Stayed{} : Stayed{parentOf(path), errno};
    if (!S_ISDIR(entry.st_mode))
        return ::unlink(path.constData()) == 0 ? Stayed{} : Stayed{parentOf(path), errno};
    walkStayed = {};
    // FTW_PHYS: a link inside is removed as a link; FTW_DEPTH: a folder after its content.
    if (::nftw(path.constData(), removeEntry, 16, FTW_PHYS | FTW_DEPTH) != 0 && !walkStayed)
        walkStayed = {path, errno};
    return walkStayed;
}

// A folder of the tree that would refuse to be emptied: one that the program
// may not write, and a disk mounted inside.
int checkEntry(const char* path, const struct stat* entry, int type, struct FTW* where)
{
    if (type == FTW_DNR) {
        walkStayed = {path, EACCES};
        return 1;
    }
    if (type != FTW_D)
        return 0;
    if (where->level == 0)
        walkDevice = entry->st_dev;
    else if (entry->st_dev != walkDevice) {
        walkStayed = {path, EBUSY};
        return 1;
    }
    if (::faccessat(AT_FDCWD, path, W_OK | X_OK, AT_EACCESS) != 0) {
        walkStayed = {path, errno};
        return 1;
    }
    return 0;
}

Stayed firstObstacle(const QByteArray& path)
{
    walkStayed = {};
    if (::nftw(path.constData(), checkEntry, 16, FTW_PHYS) != 0 && !walkStayed)
        walkStayed = {path, errno};
    return walkStayed;
}

// Why the folder keeps what is in it, and what to do, in French.
QString obstacle(const Stayed& stayed)
{
    const QString folder = shown(QFile::decodeName(stayed.folder));
    switch (stayed.error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("le dossier %1 est en lecture seule. Rendez-le modifiable, puis recommencez.").arg(folder);
    case EBUSY:
        return QStringLiteral("un disque est monté sur le dossier %1. Démontez-le, puis recommencez.").arg(folder);
    default:
        return QStringLiteral("le dossier %1 n'a pas pu être vidé. Supprimez-le vous-même, puis recommencez.")
            .arg(folder);
    }
}

bool exists(const QByteArray& path)
{
    struct stat entry {};
    return ::lstat(path.constData(), &entry) == 0;
}

// A hidden name beside target, ending with `ending`.
QString hiddenBeside(const QString& target, const QString& ending)
{
    const QFileInfo info(target);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + ending;
}

// Where replaceFolder keeps the earlier folder between its two renames.
QString setAsideFor(const QString& target)
{
    return hiddenBeside(target, QStringLiteral(".ancien"));
}

QString notPutInPlace(const QString& target, const QString& step, int error)
{
    logFailure(target, step, error);
    return QStringLiteral("Le dossier %1 n'a pas pu être mis en place.").arg(shown(target)) + reason(error);
}

// Renames within one folder and syncs it, so that the order of two renames
// is the order the disk keeps after a power cut.
bool renameInFolder(const QString& from, const QString& to)
{
    const QByteArray target = encoded(to);
    return renames().plain(encoded(from).constData(), target.constData()) == 0 && syncFolderOf(target);
}

// Finishes a replacement that a power cut stopped between its two renames,
// from the names on the disk alone.
QString settle(const QString& target)
{
    const QString earlier = setAsideFor(target);
    if (!exists(encoded(earlier)))
        return {};
    if (!exists(encoded(target))) {
        // The earlier folder was set aside only once the new one was whole on
        // the disk, and no build starts before this settles: the new one goes
        // in. Without it, the earlier one goes back.
        const QString built = builtAsideFor(target);
        const QString back = exists(encoded(built)) ? built : earlier;
        // A reply lost on a share: the names found say whether it was done.
        if (!renameInFolder(back, target) && (exists(encoded(back)) || !exists(encoded(target))))
            return notPutInPlace(target, QStringLiteral("rename of ") + back, errno);
    }
    return removeTreeSaying(earlier);
}

bool unsupported(int error)
{
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// What stands at target once a rename of the two-step replacement failed,
// told from the names found: a share may do a rename and lose its reply, so
// the call's answer alone says nothing. The new folder in place is a
// replacement done; an earlier folder left aside with nothing at target goes
// back. "" when the new folder is in place, else a French message that says
// which one is.
QString afterFailedRename(const QString& built, const QString& target, const QString& step, int error)
{
    const QString notPlaced = notPutInPlace(target, step, error);
    const QString earlier = setAsideFor(target);
    if (exists(encoded(target)) && !exists(encoded(built))) {
        if (!syncFolderOf(encoded(target)))
            logFailure(target, QStringLiteral("fsync of its folder"), errno);
        if (!removeTree(earlier))
            logFailure(earlier, QStringLiteral("removal of the earlier folder"), errno);
        return {};
    }
    if (exists(encoded(earlier)) && !exists(encoded(target))) {
        // Whatever this answers, the names found next say where the earlier folder is.
        if (!renameInFolder(earlier, target))
            logFailure(earlier, QStringLiteral("rename back"), errno);
    }
    if (!exists(encoded(earlier)))
        return notPlaced + (exists(encoded(target)) ? QStringLiteral(" Le dossier précédent est resté en place.") : QString());
    return notPlaced
        + QStringLiteral(" Le dossier précédent n'a pas pu être remis à sa place : il attend sous le nom caché %1, et "
                         "sera remis en place au prochain essai.")
              .arg(shown(earlier));
}

// Without an exchange of names: the earlier folder aside, the new one in,
// the earlier one removed. See replaceFolder for a power cut in between.
QString replaceInTwoSteps(const QString& built, const QString& target)
{
    const QString earlier = setAsideFor(target);
    if (!renameInFolder(target, earlier))
        return afterFailedRename(built, target, QStringLiteral("rename aside"), errno);
    if (!renameInFolder(built, target))
        return afterFailedRename(built, target, QStringLiteral("rename"), errno);
    if (!removeTree(earlier))
        logFailure(earlier, QStringLiteral("removal of the earlier folder"), errno);
    return {};
}

int systemRenameWithFlags(int fromFolder, const char* from, int toFolder, const char* to, unsigned int flags)
{
    return ::renameat2(fromFolder, from, toFolder, to, flags);
}

Renames& installedRenames()
{
    static Renames installed = systemRenames();
    return installed;
}

} // namespace

namespace internal {

const Renames& renames()
{
    return installedRenames();
}

} // namespace internal

Renames systemRenames()
{
    return {systemRenameWithFlags, ::rename};
}

Renames useRenames(Renames replacement)
{
    return std::exchange(installedRenames(), replacement);
}

bool removeTree(const QString& path)
{
    return !removeAt(encoded(path));
}

QString removeTreeSaying(const QString& path)
{
    const Stayed stayed = removeAt(encoded(path));
    if (!stayed)
        return {};
    logFailure(QFile::decodeName(stayed.folder), QStringLiteral("removal"), stayed.error);
    return QStringLiteral("Le dossier %1 n'a pas pu être supprimé entièrement : ").arg(shown(path)) + obstacle(stayed);
}

QString builtAsideFor(const QString& target)
{
    return hiddenBeside(target, QStringLiteral(".partiel"));
}

// Where a folder built aside goes to be removed (dropBuiltAside): a name that no settling reads.
QString droppedFor(const QString& target)
{
    return hiddenBeside(target, QStringLiteral(".abandon"));
}

void dropBuiltAside(const QString& target)
{
    const QString built = builtAsideFor(target);
    QString removed = built;
    if (exists(encoded(setAsideFor(target)))) {
        removed = droppedFor(target);
        if (!removeTree(removed) || !renameInFolder(built, removed)) {
            logFailure(built, QStringLiteral("rename before its removal"), errno);
            return;
        }
    }
    if (!removeTree(removed))
        logFailure(removed, QStringLiteral("removal"), errno);
}

QString startBuildingAside(const QString& target)
{
    if (QString unsettled = settle(target); !unsettled.isEmpty())
        return unsettled;
    const QString built = builtAsideFor(target);
    for (const QString& left : {droppedFor(target), built}) {
        if (QString stayed = removeTreeSaying(left); !stayed.isEmpty())
            return stayed;
    }
    if (!QDir().mkpath(built)) {
        logFailure(built, QStringLiteral("mkdir"), errno);
        return QStringLiteral("Le dossier %1 n'a pas pu être créé.").arg(shown(built)) + reason(errno);
    }
    return {};
}

QString replaceFolder(const QString& target)
{
    if (QString unsettled = settle(target); !unsettled.isEmpty())
        return unsettled;
    const QString built = builtAsideFor(target);
    const QByteArray from = encoded(built);
    const QByteArray to = encoded(target);
    if (!exists(to))
        return renameInFolder(built, target) ? QString() : afterFailedRename(built, target, QStringLiteral("rename"), errno);
    // Checked before anything moves: an earlier folder left half removed
    // would be neither the old delivery nor the new one.
    if (const Stayed stayed = firstObstacle(to)) {
        logFailure(QFile::decodeName(stayed.folder), QStringLiteral("earlier folder not removable"), stayed.error);
        return QStringLiteral("Le dossier %1 n'a pas pu être remplacé : ").arg(shown(target)) + obstacle(stayed);
    }
    // Exchanging the two names leaves no moment without a whole folder at target.
    if (renames().withFlags(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE) != 0) {
        if (unsupported(errno))
            return replaceInTwoSteps(built, target);
        return notPutInPlace(target, QStringLiteral("renameat2"), errno);
    }
    if (!syncFolderOf(to))
        logFailure(target, QStringLiteral("fsync of its folder"), errno);
    if (!removeTree(built))
        logFailure(built, QStringLiteral("removal of the earlier folder"), errno);
    return {};
}

bool renameNoReplace(const QByteArray& from, const QByteArray& to)
{
    if (renames().withFlags(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (!unsupported(errno))
        return false;
    // The file system cannot refuse a taken name in the rename itself
    // (network shares, exFAT), and refuses links too: the name is asked
    // first. Nothing of ours can take it between the question and the
    // rename: a second copy of the program on the same data ends at its start
    // (its lock file), and the program does one thing at a time. Where
    // another program gives names too (the watched folder), the moment
    // between them is all it could slip into.
    if (exists(to)) {
        errno = EEXIST;
        return false;
    }
    return renames().plain(from.constData(), to.constData()) == 0;
}

QString move(const QString& from, const QString& to)
{
    const QString what = QFileInfo(from).isDir() ? QStringLiteral("Le dossier") : QStringLiteral("Le fichier");
    const QByteArray source = encoded(from);
    const QByteArray target = encoded(to);
    const bool oneFolder = QFileInfo(from).absolutePath() == QFileInfo(to).absolutePath();
    if (!renameNoReplace(source, target) || !syncFolderOf(target) || (!oneFolder && !syncFolderOf(source))) {
        const int error = errno;
        logFailure(from + QStringLiteral(" -> ") + to, QStringLiteral("rename"), error);
        return QStringLiteral("%1 %2 n'a pas pu être renommé en %3.%4").arg(what, shown(from), shown(to), reason(error));
    }
    return {};
}

} // namespace files
