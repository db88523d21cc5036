#include "photographer/shoot/watched_folder.h"

#include <QDir>
#include <QDirIterator>

#include <cstring>

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
    std::optional<Candidate> first;
    qint64 firstPlace = 0;
    for (const camera_files::Entry& entry : camera_files::list(folder)) {
        if (!isCameraFile(entry.name()))
            continue;
        const auto before = seen_.constFind(entry.rawPath);
        const bool known = before != seen_.cend();
        const bool same = known && before->size == entry.size && before->modified == entry.modified;
        const int unchanged = same ? before->unchangedCalls + 1 : 0;
        const qint64 place = known ? before->firstModified : entry.modified;
        seen.insert(entry.rawPath, {entry.size, entry.modified, place, unchanged});
        // The listing comes in name order: among equal places the first stays.
        if (!first || place < firstPlace) {
            first = Candidate{entry, unchanged};
            firstPlace = place;
        }
    }
    // Files that left the folder are dropped: a file written again under the same name
    // must be seen afresh.
    seen_ = std::move(seen);
    return first;
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
