#include "common/files.h"
#include "common/files_internal.h"

#include "common/report.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace internal {

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

void logFailure(const QString& path, const QString& step, int error)
{
    report::detail(shown(path) + QStringLiteral(" : ") + step + QStringLiteral(" : ")
                   + QString::fromLocal8Bit(std::strerror(error)));
}

QString reason(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral(" Le disque est plein.");
    case EFBIG:
        return QStringLiteral(" Le fichier dépasse la taille permise.");
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral(" Le dossier est en lecture seule.");
    default:
        return {};
    }
}

} // namespace internal

using namespace internal;

namespace {

// A file-size limit would otherwise end the program with SIGXFSZ instead of
// failing the write that crossed it.
void ignoreFileSizeSignal()
{
    static const bool ignored = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    (void)ignored;
}

bool writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t done = ::write(fd, data, static_cast<size_t>(size));
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (done == 0) {
            errno = ENOSPC;
            return false;
        }
        data += done;
        size -= done;
    }
    return true;
}

bool copyAll(int from, int to, qint64 size)
{
    // copy_file_range lets the kernel move the bytes (or share them, on file
    // systems that can); plain reads and writes serve where it cannot.
    qint64 left = size;
    while (left > 0) {
        const ssize_t done = ::copy_file_range(from, nullptr, to, nullptr, static_cast<size_t>(left), 0);
        if (done > 0) {
            left -= done;
            continue;
        }
        if (done == 0)
            break;
        if (errno == EINTR)
            continue;
        if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP)
            return false;
        break;
    }
    static constexpr qint64 kBlock = 1 << 20;
    QByteArray buffer(static_cast<qsizetype>(kBlock), Qt::Uninitialized);
    while (left > 0) {
        const ssize_t got = ::read(from, buffer.data(), static_cast<size_t>(std::min(left, kBlock)));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (got == 0)
                errno = EIO; // the source shrank while it was copied
            return false;
        }
        if (!writeAll(to, buffer.constData(), got))
            return false;
        left -= got;
    }
    return true;
}

bool syncFolderOf(const QString& path)
{
    return files::syncFolderOf(encoded(QFileInfo(path).absoluteFilePath()));
}

// The temporary name PendingFile gives its target: hidden, then mkostemp's six letters or digits.
QString temporaryPattern(const QString& target)
{
    const QFileInfo info(target);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX");
}

bool isTemporaryName(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^\\..+\\.[A-Za-z0-9]{6}$"));
    return pattern.match(name).hasMatch();
}

bool lockExclusive(int fd, bool wait)
{
    while (::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

// Whether path still names the file open as fd: a cleaner may have removed
// the name before the lock was taken.
bool stillNamed(const QByteArray& path, int fd)
{
    struct stat named {};
    struct stat open {};
    return ::lstat(path.constData(), &named) == 0 && ::fstat(fd, &open) == 0 && named.st_dev == open.st_dev
        && named.st_ino == open.st_ino;
}

} // namespace

PendingFile::PendingFile(QString target, Sync sync) : target_(std::move(target)), sync_(sync) {}

PendingFile::~PendingFile()
{
    discard();
}

void PendingFile::discard()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    // Removed before the lock goes, so that no cleaner finds it unlocked.
    if (!temporary_.isEmpty())
        ::unlink(encoded(temporary_).constData());
    temporary_.clear();
    if (lock_ >= 0)
        ::close(lock_);
    lock_ = -1;
    written_ = false;
}

bool PendingFile::fail(const QString& technical)
{
    const int error = errno;
    report::detail(shown(target_) + QStringLiteral(" : ") + technical + QStringLiteral(" : ")
                   + QString::fromLocal8Bit(std::strerror(error)));
    error_ = QStringLiteral("Le fichier %1 n'a pas pu être écrit.").arg(shown(target_)) + reason(error);
    return false;
}

bool PendingFile::open()
{
    ignoreFileSizeSignal();
    if (fd_ >= 0 || written_) {
        errno = EINVAL;
        return fail(QStringLiteral("already written"));
    }
    if (sync_ == Sync::InBuiltFolder) {
        fd_ = ::open(encoded(target_).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd_ < 0)
            return fail(QStringLiteral("open"));
        temporary_ = target_;
        return true;
    }
    // Hidden, so that a watched folder or a listing never takes it for a picture.
    for (int attempt = 1;; ++attempt) {
        QByteArray name = encoded(temporaryPattern(target_));
        fd_ = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd_ < 0)
            return fail(QStringLiteral("mkostemp"));
        temporary_ = QFile::decodeName(name);
        // Waits only while a cleaner that listed the name decides about it. On
        // a file system without locks no cleaner can lock it either.
        if (!lockExclusive(fd_, true) || stillNamed(name, fd_))
            break;
        ::close(fd_);
        fd_ = -1;
        temporary_.clear();
        if (attempt == 3) {
            errno = EAGAIN;
            return fail(QStringLiteral("temporary file removed by a cleaner"));
        }
    }
    // The lock lives on this duplicate until the name is renamed or removed,
    // beyond the close of fd_ that finish() checks.
    lock_ = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    if (lock_ < 0)
        return fail(QStringLiteral("dup"));
    // mkostemp makes the file private; the target is an ordinary document.
    if (::fchmod(fd_, 0644) != 0)
        return fail(QStringLiteral("fchmod"));
    return true;
}

bool PendingFile::finish(qint64 expectedSize)
{
    if (sync_ == Sync::Now && ::fsync(fd_) != 0)
        return fail(QStringLiteral("fsync"));
    struct stat written {};
    if (::fstat(fd_, &written) != 0)
        return fail(QStringLiteral("fstat"));
    if (written.st_size != expectedSize) {
        errno = ENOSPC;
        return fail(QStringLiteral("%1 bytes on disk, %2 expected").arg(written.st_size).arg(expectedSize));
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return fail(QStringLiteral("close"));
    written_ = true;
    return true;
}

bool PendingFile::write(const QByteArray& bytes)
{
    if (!open())
        return false;
    if (!writeAll(fd_, bytes.constData(), bytes.size()))
        return fail(QStringLiteral("write"));
    return finish(bytes.size());
}

bool PendingFile::copyFrom(const QString& source)
{
    const int from = ::open(encoded(source).constData(), O_RDONLY | O_CLOEXEC);
    struct stat read {};
    if (from < 0 || ::fstat(from, &read) != 0 || !S_ISREG(read.st_mode)) {
        const int error = errno;
        if (from >= 0)
            ::close(from);
        report::detail(shown(source) + QStringLiteral(" : ") + QString::fromLocal8Bit(std::strerror(error)));
        error_ = QStringLiteral("Le fichier %1 n'a pas pu être lu.").arg(shown(source));
        return false;
    }
    const bool copied = open() && (copyAll(from, fd_, read.st_size) || fail(QStringLiteral("copy from ") + source))
        && finish(read.st_size);
    ::close(from);
    return copied;
}

bool PendingFile::commit()
{
    if (!written_) {
        if (error_.isEmpty()) {
            errno = EINVAL;
            fail(QStringLiteral("nothing written"));
        }
        return false;
    }
    if (sync_ == Sync::InBuiltFolder) {
        temporary_.clear();
        return true;
    }
    // rename(2) replaces the target in one step; QFile::rename would refuse to.
    if (renames().plain(encoded(temporary_).constData(), encoded(target_).constData()) != 0)
        return fail(QStringLiteral("rename"));
    temporary_.clear();
    ::close(lock_);
    lock_ = -1;
    if (sync_ == Sync::Now && !syncFolderOf(target_))
        return fail(QStringLiteral("fsync of its folder"));
    return true;
}

QString writeWhole(const QString& target, const QByteArray& bytes, Sync sync)
{
    PendingFile file(target, sync);
    return file.write(bytes) && file.commit() ? QString() : file.error();
}

QString copyWhole(const QString& source, const QString& target, Sync sync)
{
    PendingFile file(target, sync);
    return file.copyFrom(source) && file.commit() ? QString() : file.error();
}

int removeLeftoverTemporaries(const QString& folder)
{
    int removed = 0;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        if (!isTemporaryName(entry.fileName()))
            continue;
        const QByteArray path = encoded(entry.absoluteFilePath());
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat found {};
        // Locked: its writer is at work. Renamed meanwhile: it is a finished file now.
        if (::fstat(fd, &found) == 0 && S_ISREG(found.st_mode) && lockExclusive(fd, false) && stillNamed(path, fd)) {
            if (::unlink(path.constData()) == 0)
                ++removed;
            else
                logFailure(entry.absoluteFilePath(), QStringLiteral("unlink"), errno);
        }
        ::close(fd);
    }
    return removed;
}

Leftover takeOverTemporary(const QString& temporary, const QString& target,
                           const std::function<bool(const QString& temporary)>& whole, QString* error)
{
    const QByteArray path = encoded(temporary);
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Leftover::Missing : Leftover::Refused;
    struct stat found {};
    Leftover result = Leftover::Placed;
    if (::fstat(fd, &found) != 0 || !S_ISREG(found.st_mode))
        result = Leftover::Refused;
    else if (!lockExclusive(fd, false))
        result = Leftover::Held;
    // Renamed or removed by another program while the lock was taken.
    else if (!stillNamed(path, fd))
        result = Leftover::Missing;
    else if (!whole(temporary))
        result = Leftover::Refused;
    else if (const QString placed = putInPlace(temporary, target); !placed.isEmpty()) {
        if (error)
            *error = placed;
        result = Leftover::Failed;
    }
    ::close(fd);
    return result;
}

QString putInPlace(const QString& built, const QString& target)
{
    const QByteArray from = encoded(built);
    QString step = QStringLiteral("open");
    const int fd = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
    bool done = fd >= 0;
    if (done) {
        step = QStringLiteral("fsync");
        done = ::fsync(fd) == 0;
        const int error = errno;
        ::close(fd);
        errno = error;
    }
    if (done) {
        step = QStringLiteral("rename");
        done = renames().plain(from.constData(), encoded(target).constData()) == 0;
    }
    if (done) {
        step = QStringLiteral("fsync of its folder");
        done = syncFolderOf(target);
    }
    if (done)
        return {};
    const int error = errno;
    logFailure(target, step, error);
    return QStringLiteral("Le fichier %1 n'a pas pu être mis en place.").arg(shown(target)) + reason(error);
}

bool syncFolderOf(const QByteArray& rawPath)
{
    const qsizetype slash = rawPath.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : rawPath.left(slash);
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

bool syncFileSystem(const QString& path)
{
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::syncfs(fd) == 0;
    ::close(fd);
    if (!synced)
        logFailure(path, QStringLiteral("syncfs"), errno);
    return synced;
}

} // namespace files
