#pragma once

#include "photographer/shoot/camera_files.h"

#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <optional>

namespace capture {

// Where the primary image of a JPEG ends: the offset just past the end-of-image
// marker that closes its last scan. The marker of a thumbnail embedded in a
// metadata segment does not count. -1 while the primary image is not whole.
qsizetype jpegImageEnd(QByteArrayView bytes);

// The watched folder, polled once a tick.
class WatchedFolder {
public:
    // The first camera file of folder, in name order, that is ready to be filed; nullopt when none
    // is yet. Hidden files, temporary files and files already filed are skipped; the extension
    // test ignores case (.jpg, .jpeg). A file is taken at the first call that sees its primary
    // image end the file and decode, so a picture is filed as soon as the camera finished it.
    // While the first camera file is still being written a later one is not taken before it, so
    // that pictures reach the students in the order they were shot. A file whose size and date
    // have not moved for kCallsBeforeCutShort calls without being whole is returned all the same:
    // it was cut short or is damaged, and the filing that refuses it tells the photographer,
    // where waiting on it would hold up every later picture without a word.
    std::optional<camera_files::Entry> nextCompleteFile(const QString& folder);

    // The file was filed: it is never offered again, even when it cannot be removed from the folder.
    static void markFiled(const camera_files::Entry& file);

    void forget(); // after the folder changes or the capture stops

    static constexpr int kCallsBeforeCutShort = 10;

private:
    struct Seen {
        qint64 size;
        qint64 modified;
        int unchangedCalls; // calls in a row that found this size and date
    };
    QString folder_;
    QHash<QByteArray, Seen> seen_; // raw path -> what the previous call saw
};

} // namespace capture
