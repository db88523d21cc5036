#include "photographer/shoot/watched_folder.h"

#include "common/wallclock.h"
#include "photographer/shoot/camera_order.h"
#include "photographer/shoot/open_writers.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <span>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace capture {

namespace {

// A date set this long before the file's last change was not written with the bytes: a copier kept
// it. Beyond a FAT drive's 2 seconds and a slow writer's pauses.
constexpr qint64 kDateKeptBefore = 5 * WatchedFolder::kSecond;

// Files that cameras, card readers, browsers and office programs leave while they write.
bool isTemporary(const QString& name)
{
    static const QStringList endings = {QStringLiteral(".tmp"), QStringLiteral("~"), QStringLiteral(".part"),
                                        QStringLiteral(".crdownload")};
    for (const QString& ending : endings) {
        if (name.endsWith(ending, Qt::CaseInsensitive))
            return true;
    }
    return name.startsWith(u"~$");
}

QByteArray nameOf(const QByteArray& rawPath)
{
    return rawPath.mid(rawPath.lastIndexOf('/') + 1);
}

bool isCameraFile(const QString& name)
{
    return !name.startsWith(u'.') && !isTemporary(name)
        && (name.endsWith(u".jpg", Qt::CaseInsensitive) || name.endsWith(u".jpeg", Qt::CaseInsensitive));
}

bool isStandalone(uchar marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

// The offset of the marker that ends the entropy-coded data starting at from; -1 when none yet.
qsizetype scanEnd(QByteArrayView bytes, qsizetype from)
{
    const auto* data = reinterpret_cast<const uchar*>(bytes.data());
    const qsizetype size = bytes.size();
    for (qsizetype i = from; i + 1 < size;) {
        const void* found = std::memchr(data + i, 0xFF, size_t(size - i));
        if (!found)
            return -1;
        i = static_cast<const uchar*>(found) - data;
        if (i + 1 >= size)
            return -1;
        const uchar next = data[i + 1];
        if (next != 0x00 && next != 0xFF && !isStandalone(next))
            return i;
        i += next == 0xFF ? 1 : 2;
    }
    return -1;
}

} // namespace

qsizetype jpegImageEnd(QByteArrayView bytes)
{
    const auto* data = reinterpret_cast<const uchar*>(bytes.data());
    const qsizetype size = bytes.size();
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return -1;
    qsizetype i = 2;
    bool scanned = false;
    while (i + 1 < size) {
        if (data[i] != 0xFF)
            return -1;
        const uchar marker = data[i + 1];
        if (marker == 0xFF) { // fill byte
            ++i;
            continue;
        }
        i += 2;
        if (marker == 0xD9)
            return scanned ? i : -1;
        if (isStandalone(marker))
            continue;
        if (i + 1 >= size)
            return -1;
        const qsizetype length = (qsizetype(data[i]) << 8) | data[i + 1];
        if (length < 2)
            return -1;
        i += length;
        if (marker == 0xDA) {
            scanned = true;
            i = scanEnd(bytes, i);
            if (i < 0)
                return -1;
        }
    }
    return -1;
}

bool endsWhole(QByteArrayView bytes, int unchangedCalls)
{
    const qsizetype end = jpegImageEnd(bytes);
    return end == bytes.size() || (end > 0 && unchangedCalls > 0);
}

void WatchedFolder::look(const QByteArray& rawPath, Seen& file)
{
    // Never waits: a writer's lease makes the open fail at once rather than hold up the tick.
    const int fd = ::open(rawPath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    file.busy = fd < 0 && errno == EWOULDBLOCK;
    if (fd < 0)
        return;
    struct stat info {};
    if (::fstat(fd, &info) == 0) {
        // A copier that keeps dates sets the camera's date once the bytes are in; the change it
        // makes is dated now. A writer of its own dates its bytes as it writes them.
        const qint64 modified = qint64(info.st_mtim.tv_sec) * kSecond + info.st_mtim.tv_nsec;
        const qint64 changed = qint64(info.st_ctim.tv_sec) * kSecond + info.st_ctim.tv_nsec;
        file.keptDate = modified < changed - kDateKeptBefore;
        const off_t hole = ::lseek(fd, 0, SEEK_HOLE);
        file.holes = hole >= 0 && hole < info.st_size;
    }
    file.captured = exif::captureTime(fd);
    ::close(fd);
}

std::vector<const camera_files::Entry*> WatchedFolder::update(const std::vector<camera_files::Entry>& entries,
                                                               qint64 now)
{
    std::vector<const camera_files::Entry*> cameraFiles;
    QHash<QByteArray, Seen> seen;
    for (const camera_files::Entry& entry : entries) {
        const auto before = seen_.constFind(entry.rawPath);
        const bool same = before != seen_.cend() && before->size == entry.size && before->modified == entry.modified;
        Seen file;
        if (same) {
            file = *before;
            ++file.unchangedCalls;
        } else {
            file.size = entry.size;
            file.modified = entry.modified;
            file.since = now;
        }
        if (isCameraFile(entry.name())) {
            cameraFiles.push_back(&entry);
            if (!same || file.busy)
                look(entry.rawPath, file);
        }
        seen.insert(entry.rawPath, file);
    }
    // Files that left the folder are dropped: a file written again under the same name
    // must be seen afresh.
    seen_ = std::move(seen);
    return cameraFiles;
}

bool WatchedFolder::active(const std::vector<camera_files::Entry>& entries, const QSet<QByteArray>& writing,
                           qint64 now) const
{
    // Any file of the folder that appears or changes, camera file or not (a copier's temporary),
    // tells that a drop is under way, and so does one held open for writing that changed lately
    // (one a program keeps open for minutes without a change, a log, is no drop).
    for (const camera_files::Entry& entry : entries) {
        const Seen& file = *seen_.constFind(entry.rawPath);
        if (file.unchangedCalls == 0
            || (now - file.since < kStillBeforeCutShort && writing.contains(nameOf(entry.rawPath))))
            return true;
    }
    return false;
}

std::optional<WatchedFolder::Candidate> WatchedFolder::nextCandidate(const QString& folder)
{
    if (folder != folder_)
        forget();
    folder_ = folder;
    waiting_.reset();
    const qint64 now = wallclock::steady();
    const std::vector<camera_files::Entry> entries = camera_files::list(folder);
    const std::vector<const camera_files::Entry*> cameraFiles = update(entries, now);
    const QSet<QByteArray> writing =
        cameraFiles.empty() ? QSet<QByteArray>() : open_writers::inFolder(QFile::encodeName(folder));
    if (active(entries, writing, now))
        lastActivity_ = now;
    if (cameraFiles.empty())
        return std::nullopt;

    struct File {
        const camera_files::Entry* entry;
        const Seen* seen;
        QByteArray name;
        bool held;       // someone is writing it
        bool stoodStill; // unchanged so long, with nobody writing it, that it will not change
    };
    std::vector<File> files;
    files.reserve(cameraFiles.size());
    for (const camera_files::Entry* entry : cameraFiles) {
        const Seen& file = *seen_.constFind(entry->rawPath);
        const QByteArray name = nameOf(entry->rawPath);
        const bool held = file.busy || writing.contains(name);
        const bool stoodStill = !held && now - file.since >= kStillBeforeCutShort;
        // Until it is whole, a file's date is the copier's, not the one it will end with.
        const bool writtenNow = held || (file.holes && !stoodStill) || file.unchangedCalls == 0;
        if (writtenNow && !file.captured && cameraFiles.size() > 1)
            return std::nullopt; // its place is not known yet: it may come before any other
        files.push_back({entry, &file, name, held, stoodStill});
    }
    const auto shot = [](const File& file) {
        return camera_order::Shot{file.seen->captured, file.seen->modified, file.name};
    };
    const File* first = &files.front();
    camera_order::Shot firstShot = shot(*first);
    for (const File& file : std::span(files).subspan(1)) {
        if (camera_order::Shot next = shot(file); camera_order::takenBefore(next, firstShot)) {
            first = &file;
            firstShot = std::move(next);
        }
    }
    if (first->held || (first->seen->holes && !first->stoodStill))
        return std::nullopt;
    if (first->seen->keptDate && now - lastActivity_ < kQuietBeforeCopies)
        return std::nullopt;
    return Candidate{*first->entry, first->seen->unchangedCalls, first->stoodStill, first->seen->holes};
}

QStringList foldersWithPictures(const QString& folder)
{
    QStringList found;
    QDirIterator folders(folder, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks,
                         QDirIterator::Subdirectories);
    while (folders.hasNext()) {
        const QString sub = folders.next();
        for (const camera_files::Entry& entry : camera_files::list(sub)) {
            if (isCameraFile(entry.name())) {
                found << sub;
                break;
            }
        }
    }
    found.sort();
    return found;
}

void WatchedFolder::forget()
{
    folder_.clear();
    seen_.clear();
    waiting_.reset();
    lastActivity_ = 0;
}

} // namespace capture
