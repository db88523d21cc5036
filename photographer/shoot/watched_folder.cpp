#include "photographer/shoot/watched_folder.h"

#include "common/paths.h"

#include <QDir>
#include <QFile>

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

bool endsWithMarker(const QString& path, qint64 size)
{
    QFile file(path);
    if (size < 2 || !file.open(QIODevice::ReadOnly) || !file.seek(size - 2))
        return false;
    return endsWithJpegEndMarker(file.read(2));
}

} // namespace

bool endsWithJpegEndMarker(QByteArrayView bytes)
{
    return bytes.endsWith(QByteArrayView("\xFF\xD9", 2));
}

QString WatchedFolder::nextCompleteFile(const QString& folder)
{
    if (folder != folder_)
        forget();
    folder_ = folder;

    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    QHash<QString, Seen> seen;
    QString first;
    bool firstComplete = false;
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if (!isCameraFile(name))
            continue;
        const qint64 size = entry.size();
        const auto before = seen_.constFind(name);
        const int unchanged = before != seen_.cend() && before->size == size ? before->unchangedCalls + 1 : 0;
        seen.insert(name, {size, unchanged});
        if (!first.isEmpty())
            continue;
        first = paths::join(folder, {name});
        firstComplete = unchanged > 0 && (unchanged >= kCallsBeforeCutShort || endsWithMarker(first, size));
    }
    // Files that left the folder are dropped: a file written again under the same name
    // must be seen stable afresh.
    seen_ = std::move(seen);
    return firstComplete ? first : QString();
}

void WatchedFolder::forget()
{
    folder_.clear();
    seen_.clear();
}

} // namespace capture
