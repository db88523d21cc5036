#pragma once

#include "photographer/shoot/camera_files.h"
#include "photographer/shoot/exif.h"

#include <QByteArrayView>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

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
    static constexpr qint64 kSecond = 1000000000;
    // A writer on a network share or a camera's Wi-Fi may stall for a minute and then go on: a file
    // is given up on only when it has not changed for much longer, and nobody holds it open for
    // writing.
    static constexpr qint64 kStillBeforeCutShort = 3 * 60 * kSecond;
    // A copy that keeps the camera's dates (a card, an archive) brings a batch, each file written
    // in whatever order the copier picks: the batch waits until the folder has been quiet for this
    // long, so that every shot is there before the first is filed.
    static constexpr qint64 kQuietBeforeCopies = 3 * kSecond;

    struct Candidate {
        camera_files::Entry file;
        int unchangedCalls = 0; // earlier calls in a row that found the same size and date
        // Unchanged for kStillBeforeCutShort with no writer holding it open: when it is not whole,
        // it was cut short or is damaged, and the filing that refuses it tells the photographer.
        bool stoodStill = false;
        bool givenUp() const { return stoodStill; }
        // It has holes, bytes never written that read as zeros: not whole, whatever its markers
        // say. Such a file is answered only once given up on.
        bool holes = false;
    };

    // A camera file holds the queue for this long before the shooting screen says which and why.
    static constexpr qint64 kSayWaitingAfter = 5 * kSecond;
    // Why a camera file holds the queue.
    enum class Wait {
        Written,    // a program holds it open for writing
        NotWhole,   // not a whole picture yet
        Unreadable, // it cannot be read (its permissions)
    };
    struct Waiting {
        camera_files::Entry file;
        Wait why = Wait::NotWhole;
        qint64 since = 0; // wallclock::steady() when it began to hold the queue
    };

    // The camera file of folder to file next, whole or not, or nullopt when none may be filed yet.
    // Files go in the camera's order (camera_order::takenBefore: its capture time, then the date
    // the file ends with, then its counter and name), so that pictures reach the students in the
    // order they were shot. A file someone is still writing (held open for writing, or with holes)
    // is never answered; while a file is being written and its place is not known yet (no capture
    // time read, and no final date), no other is answered, as it may come first; a batch copied
    // with its dates kept waits for the folder to be quiet. Hidden files and temporary files are
    // skipped; the extension test ignores case (.jpg, .jpeg).
    std::optional<Candidate> nextCandidate(const QString& folder);

    // After a call to nextCandidate that answered nothing: the camera file that holds the queue,
    // and why; nullopt when none does (an empty folder, a copied batch waiting for the folder to
    // be quiet).
    std::optional<Waiting> waiting() const { return waiting_; }

    void forget(); // after the folder changes or the capture stops

private:
    // What the previous call saw of one file of the folder, camera file or not.
    struct Seen {
        qint64 size = 0;
        qint64 modified = 0;
        qint64 since = 0; // wallclock::steady() when it was first seen with this size and date
        int unchangedCalls = 0;
        // For camera files, looked at again whenever its size or date change.
        bool holes = false;
        bool keptDate = false; // its date was set well before its last change: a copy that keeps dates
        bool busy = false;     // it cannot be opened without waiting for its writer
        std::optional<exif::CaptureTime> captured;
    };
    static void look(const QByteArray& rawPath, Seen& file);
    // Notes what the folder holds now; answers its camera files.
    std::vector<const camera_files::Entry*> update(const std::vector<camera_files::Entry>& entries, qint64 now);
    // Whether a drop is under way, after update: writing names the files held open for writing.
    bool active(const std::vector<camera_files::Entry>& entries, const QSet<QByteArray>& writing, qint64 now) const;

    QString folder_;
    QHash<QByteArray, Seen> seen_; // raw path -> what the previous call saw
    std::optional<Waiting> waiting_;
    qint64 lastActivity_ = 0;      // wallclock::steady() when a call last saw a file appear, change or held open
};

} // namespace capture
