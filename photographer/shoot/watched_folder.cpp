#include "photographer/shoot/watched_folder.h"

#include "photographer/shoot/camera_order.h"
#include "photographer/shoot/exif.h"

#include <QDir>
#include <QDirIterator>

#include <cstring>
#include <span>
#include <vector>

namespace capture {

namespace {

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

std::optional<WatchedFolder::Candidate> WatchedFolder::nextCandidate(const QString& folder)
{
    if (folder != folder_)
        forget();
    folder_ = folder;

    QHash<QByteArray, Seen> seen;
    std::vector<Candidate> earliest; // the files of the earliest instant
    qint64 earliestInstant = 0;
    for (const camera_files::Entry& entry : camera_files::list(folder)) {
        if (!isCameraFile(entry.name()))
            continue;
        const auto before = seen_.constFind(entry.rawPath);
        const bool known = before != seen_.cend();
        const bool same = known && before->size == entry.size && before->modified == entry.modified;
        Seen now = same ? *before : Seen{};
        if (same) {
            ++now.unchangedCalls;
        } else {
            now.size = entry.size;
            now.modified = entry.modified;
            now.firstModified = known ? before->firstModified : entry.modified;
        }
        seen.insert(entry.rawPath, now);
        const qint64 instant = camera_order::instant(now.firstModified);
        if (earliest.empty() || instant < earliestInstant) {
            earliest.clear();
            earliestInstant = instant;
        }
        if (instant == earliestInstant)
            earliest.push_back({entry, now.unchangedCalls});
    }
    // Files that left the folder are dropped: a file written again under the same name
    // must be seen afresh.
    seen_ = std::move(seen);
    if (earliest.size() < 2)
        return earliest.empty() ? std::nullopt : std::optional(earliest.front());

    // Files of the same instant go in the camera's order; a file's capture time is read only now,
    // and once while it keeps its size and date.
    const auto shot = [this](const Candidate& candidate) {
        Seen& file = seen_[candidate.file.rawPath];
        if (!file.captureRead) {
            file.captured = exif::captureTime(candidate.file.rawPath);
            file.captureRead = true;
        }
        const QByteArray& path = candidate.file.rawPath;
        return camera_order::Shot{file.firstModified, file.captured, path.mid(path.lastIndexOf('/') + 1)};
    };
    const Candidate* first = &earliest.front();
    camera_order::Shot firstShot = shot(*first);
    for (const Candidate& candidate : std::span(earliest).subspan(1)) {
        if (camera_order::Shot next = shot(candidate); camera_order::takenBefore(next, firstShot)) {
            first = &candidate;
            firstShot = std::move(next);
        }
    }
    return *first;
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
}

} // namespace capture
