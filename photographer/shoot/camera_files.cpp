#include "photographer/shoot/camera_files.h"

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
        entries.push_back({rawPath, qint64(info.st_size),
                           qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.rawPath < b.rawPath; });
    return entries;
}

bool read(const QByteArray& rawPath, QByteArray& bytes)
{
    const int fd = ::open(rawPath.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

bool remove(const QByteArray& rawPath)
{
    return ::unlink(rawPath.constData()) == 0 || errno == ENOENT;
}

} // namespace camera_files
