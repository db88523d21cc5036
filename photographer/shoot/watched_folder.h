#pragma once

#include "photographer/shoot/camera_files.h"

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace capture {

// Where the primary image of a JPEG ends: the offset just past the end-of-image
// marker that closes its last scan. The marker of a thumbnail embedded in a
// metadata segment does not count. -1 while the primary image is not whole.
qsizetype jpegImageEnd(QByteArrayView bytes);

// Whether bytes hold a whole camera file as far as its markers tell: its primary image ends the
// file. Some cameras append further images after the primary one: such a file counts as whole only
// once it has stopped growing (unchangedCalls > 0).
bool endsWhole(QByteArrayView bytes, int unchangedCalls);

// The folders inside folder, at any depth (links not followed), that hold camera files: the
// capture takes only the files of folder itself, so these are never filed.
QStringList foldersWithPictures(const QString& folder);

// The watched folder, polled once a tick.
class WatchedFolder {
public:
    static constexpr int kCallsBeforeCutShort = 10;

    struct Candidate {
        camera_files::Entry file;
        int unchangedCalls = 0; // earlier calls in a row that found the same size and date
        // Not whole after so long without a change: it was cut short or is damaged, and the filing
        // that refuses it tells the photographer, where waiting on it would hold up every later
        // picture without a word.
        bool givenUp() const { return unchangedCalls >= kCallsBeforeCutShort; }
    };

    // The camera file of folder to file next, whole or not: the oldest first (by the modification
    // time it had when first seen; files of the same instant in the camera's order, see
    // camera_order::takenBefore), so that pictures reach the students in the order they were shot;
    // a file keeps its place while it is written, so a later one is not taken before it. Hidden
    // files and temporary files are skipped; the extension test ignores case
    // (.jpg, .jpeg). nullopt when none.
    std::optional<Candidate> nextCandidate(const QString& folder);

    void forget(); // after the folder changes or the capture stops

private:
    struct Seen {
        qint64 size = 0;
        qint64 modified = 0;
        qint64 firstModified = 0; // the date it had when first seen: its place in the queue
        int unchangedCalls = 0;
        // Its capture time, read once while its size and date stay, and only when it ties.
        bool captureRead = false;
        std::optional<qint64> captured;
    };
    QString folder_;
    QHash<QByteArray, Seen> seen_; // raw path -> what the previous call saw
};

} // namespace capture
