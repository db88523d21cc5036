#include "photographer/shoot/camera_files.h"

#include "common/files.h"
#include "common/paths.h"
#include "photographer/data/dossiers_etab.h"
#include "photographer/shoot/capture.h"

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
        entries.push_back({rawPath, qint64(info.st_size), momentOf(info.st_mtim)});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.rawPath < b.rawPath; });
    return entries;
}

namespace {

QString shown(const QByteArray& rawPath)
{
    return QDir::toNativeSeparators(QFile::decodeName(rawPath));
}

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

// What was found, once the folder is synced: until then a file removed there could come back.
Removal confirmed(const QByteArray& rawPath, Removal found)
{
    if (files::syncFolderOf(rawPath))
        return found;
    // A folder that is gone cannot bring it back.
    return QFileInfo(QFile::decodeName(rawPath)).dir().exists() ? Removal::NotSynced : found;
}

// Puts the bytes at target, a free name: a link to the camera file while it holds them (nothing is
// copied, and a link never replaces a file), else the bytes written whole and synced, as across file
// systems. "" when target holds them, else why in French.
QString copyAside(const QByteArray& rawPath, const QByteArray& bytes, const capture::Fingerprint& kept,
                  const QString& target)
{
    const QByteArray to = QFile::encodeName(target);
    if (::linkat(AT_FDCWD, rawPath.constData(), AT_FDCWD, to.constData(), AT_SYMLINK_FOLLOW) == 0) {
        if (capture::holds(to, kept))
            return files::syncFolderOf(to) ? QString() : QStringLiteral("Son dossier n'a pas pu être écrit sur le disque.");
        // The camera file was written again since its bytes were read: they are copied instead.
        ::unlink(to.constData());
    }
    if (QString notWritten = files::writeWhole(target, bytes); !notWritten.isEmpty())
        return notWritten;
    return capture::holds(to, kept) ? QString() : QStringLiteral("Sa copie ne tient pas les mêmes octets.");
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

bool remove(const QByteArray& rawPath)
{
    return (::unlink(rawPath.constData()) == 0 || errno == ENOENT) && files::syncFolderOf(rawPath);
}

bool leftForGood(Removal removal)
{
    return removal == Removal::Removed || removal == Removal::Gone || removal == Removal::Other
        || removal == Removal::Grown;
}

Removal removeIfHolds(const QByteArray& rawPath, const capture::Fingerprint& kept, const Version& keptVersion)
{
    if (struct stat named {};
        keptVersion.known() && ::stat(rawPath.constData(), &named) == 0 && versionOf(named) == keptVersion) {
        if (::unlink(rawPath.constData()) != 0 && errno != ENOENT)
            return Removal::NotRemoved;
        return confirmed(rawPath, Removal::Removed);
    }
    const int fd = ::open(rawPath.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? confirmed(rawPath, Removal::Gone) : Removal::NotRemoved;
    struct stat before {};
    struct stat after {};
    QByteArray bytes;
    const bool wasRead = ::fstat(fd, &before) == 0 && readOpen(fd, bytes) && ::fstat(fd, &after) == 0;
    ::close(fd);
    if (!wasRead)
        return Removal::NotRemoved;
    if (!sameVersion(before, after) || capture::fingerprint(bytes) != kept)
        return confirmed(rawPath, Removal::Other);
    // The name may have been given to a new file since it was opened.
    struct stat named {};
    if (::stat(rawPath.constData(), &named) != 0)
        return errno == ENOENT ? confirmed(rawPath, Removal::Gone) : Removal::NotRemoved;
    if (!sameVersion(named, after))
        return confirmed(rawPath, Removal::Other);
    if (::unlink(rawPath.constData()) != 0 && errno != ENOENT)
        return Removal::NotRemoved;
    return confirmed(rawPath, Removal::Removed);
}

QString setAside(const QByteArray& rawPath, const QString& folder, QString& error)
{
    QByteArray bytes;
    if (!read(rawPath, bytes)) {
        error = QStringLiteral("La photo « %1 » n'a pas pu être lue : elle n'a pas été mise de côté.").arg(shown(rawPath));
        return {};
    }
    return setAside(rawPath, bytes, folder, error);
}

QString setAside(const QByteArray& rawPath, const QByteArray& bytes, const QString& folder, QString& error)
{
    const QFileInfo info(QFile::decodeName(rawPath.mid(rawPath.lastIndexOf('/') + 1)));
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    const auto failed = [&](const QString& target, const QString& why) {
        error = QStringLiteral("La photo « %1 » n'a pas pu être mise de côté dans « %2 ».")
                    .arg(shown(rawPath), QDir::toNativeSeparators(target));
        if (!why.isEmpty())
            error += u' ' + why;
        return QString();
    };
    if (!paths::ensureFolder(folder))
        return failed(folder, {});
    const capture::Fingerprint kept = capture::fingerprint(bytes);
    const QString target = dossiers_etab::nomLibre(folder, info.completeBaseName(), suffix, [&kept](const QString& taken) {
        return capture::holds(QFile::encodeName(taken), kept);
    });
    if (!dossiers_etab::pris(target)) {
        if (const QString notCopied = copyAside(rawPath, bytes, kept, target); !notCopied.isEmpty())
            return failed(target, notCopied);
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

} // namespace camera_files
