#include "photographer/shoot/camera_files.h"

#include "common/files.h"
#include "common/paths.h"
#include "photographer/data/dossiers_etab.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    return (::unlink(rawPath.constData()) == 0 || errno == ENOENT) && files::syncFolderOf(rawPath);
}

QString moveAside(const QByteArray& rawPath, const QString& folder, QString& error)
{
    const QString name = QFile::decodeName(rawPath.mid(rawPath.lastIndexOf('/') + 1));
    const QFileInfo info(name);
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    const auto failed = [&](const QString& target) {
        error = QStringLiteral("La photo « %1 » n'a pas pu être mise de côté dans « %2 ».")
                    .arg(QDir::toNativeSeparators(QFile::decodeName(rawPath)), QDir::toNativeSeparators(target));
        return QString();
    };
    if (!paths::ensureFolder(folder))
        return failed(folder);
    const QString target = dossiers_etab::nomLibre(folder, info.completeBaseName(), suffix);
    // A link never replaces a file already there; across file systems the bytes are copied whole.
    if (::link(rawPath.constData(), QFile::encodeName(target).constData()) != 0) {
        QByteArray bytes;
        if (!read(rawPath, bytes) || !files::writeWhole(target, bytes).isEmpty())
            return failed(target);
    } else if (!files::syncFolderOf(QFile::encodeName(target))) {
        return failed(target);
    }
    if (!remove(rawPath))
        return failed(target);
    return target;
}

} // namespace camera_files
