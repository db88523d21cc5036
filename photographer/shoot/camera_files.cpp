#include "photographer/shoot/camera_files.h"

#include "common/files.h"

#include <QFile>

#include <algorithm>
#include <cerrno>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace camera_files {

QString Entry::name() const
{
    return QFile::decodeName(rawPath.mid(rawPath.lastIndexOf('/') + 1));
}

QString Entry::path() const
{
    return QFile::decodeName(rawPath);
}

std::vector<Entry> list(const QString& folder)
{
    std::vector<Entry> entries;
    QByteArray base = QFile::encodeName(folder);
    if (!base.endsWith('/'))
        base += '/';
    DIR* dir = ::opendir(base.constData());
    if (!dir)
        return entries;
    while (const dirent* item = ::readdir(dir)) {
        const QByteArray rawPath = base + item->d_name;
        struct stat info {};
        if (::stat(rawPath.constData(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        entries.push_back({rawPath, qint64(info.st_size), momentOf(info.st_mtim)});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.rawPath < b.rawPath; });
    return entries;
}

namespace {

// The whole file open as fd, which stays open.
bool readOpen(int fd, QByteArray& bytes)
{
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

Version versionOf(const struct stat& info)
{
    return {qint64(info.st_dev), qint64(info.st_ino), qint64(info.st_size), momentOf(info.st_mtim),
            momentOf(info.st_ctim)};
}

// The same file, not written since.
bool sameVersion(const struct stat& a, const struct stat& b)
{
    return versionOf(a) == versionOf(b);
}

} // namespace

bool read(const QByteArray& rawPath, QByteArray& bytes, Version* version)
{
    const int fd = ::open(rawPath.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat before {};
    struct stat after {};
    const bool statted = version && ::fstat(fd, &before) == 0;
    const bool done = readOpen(fd, bytes);
    if (version)
        *version = statted && ::fstat(fd, &after) == 0 && sameVersion(before, after) ? versionOf(after) : Version{};
    ::close(fd);
    return done;
}

Version versionOf(const QByteArray& rawPath)
{
    struct stat info {};
    return ::stat(rawPath.constData(), &info) == 0 ? versionOf(info) : Version{};
}

bool remove(const QByteArray& rawPath)
{
    return (::unlink(rawPath.constData()) == 0 || errno == ENOENT) && files::syncFolderOf(rawPath);
}

bool leftForGood(Removal removal)
{
    return removal == Removal::Removed || removal == Removal::Gone || removal == Removal::Other
        || removal == Removal::Grown;
}

} // namespace camera_files
