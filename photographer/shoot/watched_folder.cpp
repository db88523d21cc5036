#include "photographer/shoot/watched_folder.h"

#include "common/wallclock.h"
#include "photographer/shoot/camera_order.h"
#include "photographer/shoot/folder_events.h"
#include "photographer/shoot/open_writers.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <cerrno>
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

// What the file at rawPath declares and holds, read now; nothing whole when it cannot be read.
Wholeness wholenessOf(const QByteArray& rawPath)
{
    const int fd = ::open(rawPath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat info {};
    const Wholeness found = ::fstat(fd, &info) == 0 ? wholeness(fd, qint64(info.st_size)) : Wholeness{};
    ::close(fd);
    return found;
}

} // namespace

struct WatchedFolder::File {
    const camera_files::Entry* entry;
    Seen* seen;
    QByteArray name;
    bool held;       // someone holds it open
    bool seenClosed; // its writer was seen to finish with it
    std::optional<std::optional<Wait>> heldBack = std::nullopt; // once asked
};

WatchedFolder::WatchedFolder() = default;
WatchedFolder::~WatchedFolder() = default;

void WatchedFolder::look(const QByteArray& rawPath, Seen& file)
{
    // Never waits: a writer's lease makes the open fail at once rather than hold up the tick.
    const int fd = ::open(rawPath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    file.busy = fd < 0 && errno == EWOULDBLOCK;
    file.unreadable = fd < 0 && (errno == EACCES || errno == EPERM);
    if (fd < 0)
        return;
    struct stat info {};
    if (::fstat(fd, &info) == 0) {
        // A copier that keeps dates sets the camera's date once the bytes are in; the change it
        // makes is dated now. A writer of its own dates its bytes as it writes them.
        const Moment modified = momentOf(info.st_mtim);
        file.keptDate = Moment{modified.seconds + kDateKeptBefore / kSecond, modified.nanoseconds} < momentOf(info.st_ctim);
        const off_t hole = ::lseek(fd, 0, SEEK_HOLE);
        file.holes = hole >= 0 && hole < info.st_size;
    }
    file.captured = exif::captureTime(fd);
    ::close(fd);
}

QSet<QByteArray> WatchedFolder::watch(const QByteArray& folder, bool cameraFiles)
{
    if (events_ && events_->watching()) {
        if (!events_->drain())
            events_->heldBefore(open_writers::inFolder(folder)); // what was open meanwhile is not known
        if (events_->watching())
            return {};
    }
    events_ = std::make_unique<FolderEvents>(folder);
    if (!events_->watching()) {
        events_.reset();
        return cameraFiles ? open_writers::inFolder(folder) : QSet<QByteArray>();
    }
    // Opened before the watch, a file's open was never told: /proc tells who holds one now.
    const QSet<QByteArray> writing = open_writers::inFolder(folder);
    events_->drain();
    events_->heldBefore(writing);
    return {};
}

std::vector<WatchedFolder::File> WatchedFolder::update(const std::vector<camera_files::Entry>& entries,
                                                       const QSet<QByteArray>& writing, qint64 now)
{
    QHash<QByteArray, Seen> seen;
    for (const camera_files::Entry& entry : entries) {
        const FolderEvents::File* told = events_ ? events_->of(nameOf(entry.rawPath)) : nullptr;
        const quint64 lastChange = told ? told->lastChange : 0;
        const quint64 born = told ? told->born : 0;
        const auto before = seen_.constFind(entry.rawPath);
        const bool same = before != seen_.cend() && before->size == entry.size && before->modified == entry.modified
                       && before->lastChange == lastChange;
        Seen file;
        if (same) {
            file = *before;
            ++file.unchangedCalls;
        } else {
            file.size = entry.size;
            file.modified = entry.modified;
            file.lastChange = lastChange;
            file.born = born;
            file.since = now;
            // The same file written on keeps its place in the queue; a new one under its name does not.
            if (before != seen_.cend() && before->born == born && (events_ || before->size <= entry.size)) {
                file.holding = before->holding;
                file.said = before->said;
            }
        }
        if (isCameraFile(entry.name()) && (!same || file.busy || file.unreadable))
            look(entry.rawPath, file);
        seen.insert(entry.rawPath, file);
    }
    // Files that left the folder are dropped: a file written again under the same name
    // must be seen afresh.
    seen_ = std::move(seen);

    std::vector<File> cameraFiles;
    for (const camera_files::Entry& entry : entries) {
        if (!isCameraFile(entry.name()))
            continue;
        Seen& file = *seen_.find(entry.rawPath);
        const QByteArray name = nameOf(entry.rawPath);
        const FolderEvents::File* told = events_ ? events_->of(name) : nullptr;
        const bool held = file.busy || (told ? told->held() : writing.contains(name));
        if (held)
            file.lastHeld = now;
        cameraFiles.push_back({&entry, &file, name, held, told && told->seenClosed()});
    }
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
        if (file.unchangedCalls == 0)
            return true;
        if (now - file.since >= kStillBeforeCutShort)
            continue;
        const QByteArray name = nameOf(entry.rawPath);
        const FolderEvents::File* told = events_ ? events_->of(name) : nullptr;
        if (told ? told->held() : writing.contains(name))
            return true;
    }
    return false;
}

std::optional<WatchedFolder::Wait> WatchedFolder::heldBack(File& file, qint64 now) const
{
    if (file.heldBack)
        return *file.heldBack;
    Seen& seen = *file.seen;
    const qint64 still = seen.stillSince();
    const bool stoodStill = !file.held && now - still >= kStillBeforeCutShort;
    const bool settled = now - still >= kSettling;
    const auto judged = [&]() -> std::optional<Wait> {
        if (file.held)
            return Wait::Written;
        if (stoodStill)
            return std::nullopt;
        if (seen.unreadable)
            return Wait::Unreadable;
        if (seen.holes || seen.size > kLargestCameraFile)
            return Wait::NotWhole;
        // A block of zeros found before the file had settled is looked for again once it has: an
        // unseen writer may have filled it in without changing the file's size or date.
        if (!seen.wholeness || (seen.wholeness->zeroBlock && settled && seen.judged - still < kSettling)) {
            seen.wholeness = wholenessOf(file.entry->rawPath);
            seen.judged = now;
        }
        if (!seen.wholeness->whole())
            return Wait::NotWhole;
        if ((seen.wholeness->zeroBlock || !file.seenClosed) && !settled)
            return Wait::NotWhole;
        return std::nullopt;
    };
    file.heldBack = judged();
    return *file.heldBack;
}

void WatchedFolder::holds(File* file, std::optional<Wait> why, std::vector<File>& files, qint64 now)
{
    for (File& other : files) {
        if (&other != file && !other.seen->said)
            other.seen->holding = 0;
    }
    if (!file)
        return;
    Seen& seen = *file->seen;
    if (seen.holding == 0)
        seen.holding = now;
    // Named that long, it has been said on screen: a file whose place is not known no longer holds
    // the others back.
    if (now - seen.holding >= kSayWaitingAfter)
        seen.said = true;
    waiting_ = Waiting{*file->entry, *why, seen.holding};
}

std::optional<WatchedFolder::Candidate> WatchedFolder::answer(std::vector<File>& files, qint64 now)
{
    // A file being written whose place is not known yet may come before any other: it holds the
    // queue, the one that has held it longest first, until it has been said.
    const auto placeKnown = [&](File& file) { return file.seen->captured || !heldBack(file, now); };
    File* unplaced = nullptr;
    File* said = nullptr;
    std::vector<File*> placed;
    for (File& file : files) {
        if (placeKnown(file))
            placed.push_back(&file);
        else if (file.seen->said)
            said = said && said->seen->holding <= file.seen->holding ? said : &file;
        else if (!unplaced || (file.seen->holding && (!unplaced->seen->holding || file.seen->holding < unplaced->seen->holding)))
            unplaced = &file;
    }
    if (unplaced) {
        holds(unplaced, heldBack(*unplaced, now), files, now);
        return std::nullopt;
    }
    if (placed.empty()) {
        holds(said, said ? heldBack(*said, now) : std::nullopt, files, now);
        return std::nullopt;
    }
    const auto shot = [](const File& file) {
        return camera_order::Shot{file.seen->captured, file.seen->modified, file.name};
    };
    File* first = placed.front();
    camera_order::Shot firstShot = shot(*first);
    for (File* file : std::span(placed).subspan(1)) {
        if (camera_order::Shot next = shot(*file); camera_order::takenBefore(next, firstShot)) {
            first = file;
            firstShot = std::move(next);
        }
    }
    if (const std::optional<Wait> why = heldBack(*first, now)) {
        holds(first, why, files, now);
        return std::nullopt;
    }
    holds(nullptr, std::nullopt, files, now);
    const Seen& seen = *first->seen;
    if (seen.keptDate && now - lastActivity_ < kQuietBeforeCopies)
        return std::nullopt;
    const bool stoodStill = now - seen.stillSince() >= kStillBeforeCutShort;
    const bool whole = seen.wholeness && seen.wholeness->whole();
    return Candidate{*first->entry, seen.unchangedCalls, stoodStill, seen.holes && !whole, seen.captured};
}

std::optional<WatchedFolder::Candidate> WatchedFolder::nextCandidate(const QString& folder)
{
    if (folder != folder_)
        forget();
    folder_ = folder;
    waiting_.reset();
    const qint64 now = wallclock::steady();
    const QByteArray rawFolder = QFile::encodeName(folder);
    // Listed before the events are read: a writer that comes back after the listing is told.
    const std::vector<camera_files::Entry> entries = camera_files::list(folder);
    const bool anyCameraFile =
        std::any_of(entries.begin(), entries.end(), [](const camera_files::Entry& entry) { return isCameraFile(entry.name()); });
    const QSet<QByteArray> writing = watch(rawFolder, anyCameraFile);
    std::vector<File> files = update(entries, writing, now);
    if (active(entries, writing, now))
        lastActivity_ = now;
    if (files.empty())
        return std::nullopt;
    return answer(files, now);
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
    events_.reset();
    seen_.clear();
    waiting_.reset();
    lastActivity_ = 0;
}

} // namespace capture
