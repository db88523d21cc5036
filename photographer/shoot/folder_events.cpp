#include "photographer/shoot/folder_events.h"

#include <cerrno>
#include <cstring>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

constexpr uint32_t kWatched = IN_OPEN | IN_CLOSE_WRITE | IN_CLOSE_NOWRITE | IN_CREATE | IN_MODIFY | IN_MOVED_TO
                              | IN_MOVED_FROM | IN_DELETE | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

} // namespace

FolderEvents::FolderEvents(const QByteArray& folder)
{
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ >= 0 && ::inotify_add_watch(fd_, folder.constData(), kWatched) < 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

FolderEvents::~FolderEvents()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void FolderEvents::closed(const QByteArray& name, bool written)
{
    File& file = files_[name];
    // A close with no open seen is that of a writer that opened it before the watch.
    if (file.opens > 0)
        --file.opens;
    else
        file.openBefore = false;
    if (written)
        file.closedWritten = true;
}

bool FolderEvents::drain()
{
    if (fd_ < 0)
        return false;
    bool kept = true;
    // A rename within the folder comes as a pair with one cookie: the name moved in keeps what was
    // known of the one moved out, its writers included.
    QHash<uint32_t, File> moving;
    alignas(inotify_event) char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        for (ssize_t at = 0; at < got;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            const QByteArray name(buffer + at + sizeof event, qsizetype(::strnlen(buffer + at + sizeof event, event.len)));
            at += ssize_t(sizeof event + event.len);
            if (event.mask & IN_Q_OVERFLOW) {
                files_.clear();
                moving.clear();
                kept = false;
                continue;
            }
            if (event.mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) {
                // The folder itself is gone or elsewhere: its names are no longer what is watched.
                ::close(fd_);
                fd_ = -1;
                files_.clear();
                return false;
            }
            if (name.isEmpty() || (event.mask & IN_ISDIR))
                continue;
            if (event.mask & IN_OPEN)
                ++files_[name].opens;
            if (event.mask & IN_MODIFY) {
                File& file = files_[name];
                file.closedWritten = false;
                file.lastChange = ++events_;
            }
            if (event.mask & (IN_CLOSE_WRITE | IN_CLOSE_NOWRITE))
                closed(name, event.mask & IN_CLOSE_WRITE);
            if (event.mask & IN_CREATE) {
                File& file = files_[name];
                ++events_;
                file = {file.opens, false, false, events_, events_};
            }
            if (event.mask & (IN_MOVED_FROM | IN_DELETE)) {
                // A name the events told nothing of was written before the watch, and closed.
                if (event.mask & IN_MOVED_FROM)
                    moving.insert(event.cookie, files_.value(name, File{0, false, true, 0, 0}));
                files_.remove(name);
            }
            if (event.mask & IN_MOVED_TO) {
                // A rename is whole at once: what comes in was written elsewhere, and closed there
                // unless its writer moves along with it.
                File file = moving.value(event.cookie, File{0, false, true, 0, 0});
                file.lastChange = file.born = ++events_;
                files_.insert(name, file);
            }
        }
    }
    return kept;
}

void FolderEvents::heldBefore(const QSet<QByteArray>& names)
{
    for (const QByteArray& name : names) {
        // Opened since the watch began, it is counted already.
        if (File& file = files_[name]; file.opens == 0)
            file.openBefore = true;
    }
}

const FolderEvents::File* FolderEvents::of(const QByteArray& name) const
{
    const auto found = files_.constFind(name);
    return found == files_.cend() ? nullptr : &*found;
}
