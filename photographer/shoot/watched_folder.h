#pragma once

#include "photographer/shoot/camera_files.h"
#include "photographer/shoot/exif.h"
#include "photographer/shoot/jpeg_whole.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

class FolderEvents;

namespace capture {

// The folders inside folder, at any depth (links not followed), that hold camera files: the
// capture takes only the files of folder itself, so these are never filed.
QStringList foldersWithPictures(const QString& folder);

// The watched folder, polled once a tick. It watches the folder's events (FolderEvents) from its
// first call: every open and close of its files by any program of this machine. A file someone holds
// open is not taken; one whose writer was seen to close it is taken at the first call that finds it
// whole; one whose writer nobody can see (a share mounted from another machine, files written before
// the watch began) must also stand still for kSettling first. Files already held open for writing
// when the watch begins are found once under /proc (open_writers). Where the kernel grants no watch,
// /proc is read at each call instead, and every file stands still for kSettling.
class WatchedFolder {
public:
    static constexpr qint64 kSecond = 1000000000;
    // A writer on a network share or a camera's Wi-Fi may stall for a minute and then go on: a file
    // is given up on only when it has not changed for much longer, and nobody holds it open for
    // writing.
    static constexpr qint64 kStillBeforeCutShort = 3 * 60 * kSecond;
    // A copy that keeps the camera's dates (a card, an archive) brings a batch, each file written
    // in whatever order the copier picks: the batch waits until the folder has been quiet for this
    // long, so that every shot is there before the first is filed. A slow card reader pauses for
    // seconds between files.
    static constexpr qint64 kQuietBeforeCopies = 10 * kSecond;
    // How long a whole file must stand unchanged when its writer cannot be seen to finish with it,
    // or when it holds a block of zeros a writer may yet fill in: longer than a network writer's
    // usual pause, short of kSayWaitingAfter so that the wait need not be said.
    static constexpr qint64 kSettling = 3 * kSecond;
    // Larger than any camera writes: such a file is never read, and set aside once given up on.
    static constexpr qint64 kLargestCameraFile = qint64(512) * 1024 * 1024;

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
        // When the camera took it, where its EXIF data says so: a shot taken before one already
        // filed may have reached the wrong student.
        std::optional<exif::CaptureTime> captured = std::nullopt;
    };

    // A camera file holds the queue for this long before the shooting screen says which and why.
    static constexpr qint64 kSayWaitingAfter = 4 * kSecond;
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
    // order they were shot. A file someone is still writing (held open, or with holes) is never
    // answered; a file is answered whole (every image it declares there: wholeness) or given up on
    // (unchanged for kStillBeforeCutShort, nobody holding it). A file with a capture time keeps its
    // place while it is written; one whose place is not known yet (no capture time, not whole) holds
    // the others back until it has held the queue for kSayWaitingAfter. A batch copied with its
    // dates kept waits for the folder to be quiet. Hidden files and temporary files are skipped;
    // the extension test ignores case (.jpg, .jpeg). Reads the files it must judge, never waits
    // for a writer: to be called off the window's thread, one call at a time.
    std::optional<Candidate> nextCandidate(const QString& folder);

    // After a call to nextCandidate that answered nothing: the camera file that holds the queue,
    // and why; nullopt when none does (an empty folder, a copied batch waiting for the folder to
    // be quiet).
    std::optional<Waiting> waiting() const { return waiting_; }

    WatchedFolder();
    ~WatchedFolder();
    WatchedFolder(const WatchedFolder&) = delete;
    WatchedFolder& operator=(const WatchedFolder&) = delete;

    void forget(); // after the folder changes or the capture stops

private:
    // What the previous call saw of one file of the folder, camera file or not.
    struct Seen {
        qint64 size = 0;
        Moment modified;
        quint64 lastChange = 0; // FolderEvents::File::lastChange
        quint64 born = 0;       // FolderEvents::File::born
        qint64 since = 0; // wallclock::steady() when it was first seen with this size, date and change
        qint64 lastHeld = 0; // the last call that found it held open
        // Standing still counts from when its writer let it go.
        qint64 stillSince() const { return std::max(since, lastHeld); }
        int unchangedCalls = 0;
        // For camera files, looked at again whenever its size or date change.
        bool holes = false;
        bool keptDate = false;   // its date was set well before its last change: a copy that keeps dates
        bool busy = false;       // it cannot be opened without waiting for its writer
        bool unreadable = false; // its permissions forbid reading it
        std::optional<exif::CaptureTime> captured;
        // Read only when it matters, once for each version.
        std::optional<Wholeness> wholeness;
        qint64 judged = 0; // wallclock::steady() when wholeness was read
        // Holding the queue: since when (0 while not), and whether it has held it for
        // kSayWaitingAfter, said on screen by then.
        qint64 holding = 0;
        bool said = false;
    };
    struct File; // one camera file as this call sees it
    static void look(const QByteArray& rawPath, Seen& file);
    // The events of the folder since the previous call; the /proc look-up only when the watch
    // begins, or where no watch can be had (then answers the files held open for writing).
    QSet<QByteArray> watch(const QByteArray& folder, bool cameraFiles);
    // Notes what the folder holds now; answers its camera files.
    std::vector<File> update(const std::vector<camera_files::Entry>& entries, const QSet<QByteArray>& writing,
                             qint64 now);
    // Whether a drop is under way, after update.
    bool active(const std::vector<camera_files::Entry>& entries, const QSet<QByteArray>& writing, qint64 now) const;
    // Why file may not be answered now; nullopt when it may.
    std::optional<Wait> heldBack(File& file, qint64 now) const;
    std::optional<Candidate> answer(std::vector<File>& files, qint64 now);
    // Notes that file holds the queue (nullptr: none does).
    void holds(File* file, std::optional<Wait> why, std::vector<File>& files, qint64 now);

    QString folder_;
    std::unique_ptr<FolderEvents> events_;
    QHash<QByteArray, Seen> seen_; // raw path -> what the previous call saw
    std::optional<Waiting> waiting_;
    qint64 lastActivity_ = 0;      // wallclock::steady() when a call last saw a file appear, change or held open
};

} // namespace capture
