#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>

// What the kernel tells of the files of one folder (inotify): every open and close by any process of
// any user on this machine, and every write. A writer on another machine (a share mounted from
// it) leaves no trace here. Holds no Qt object tied to a thread: it is drained by whoever asks,
// one call at a time.
class FolderEvents {
public:
    // What the events told of one name of the folder.
    struct File {
        int opens = 0;              // opens not closed yet
        bool openBefore = false;    // held open for writing since before the watch, by the /proc look-up
        bool closedWritten = false; // a writer closed it, and nothing wrote into it since
        quint64 lastChange = 0;     // the event that last wrote, created or moved it in: equal, not changed since
        quint64 born = 0;           // the event that created it or moved it in: equal, the same file
        bool held() const { return opens > 0 || openBefore; }
        // Its writer was seen to finish with it: nobody holds it open and the last one wrote it.
        bool seenClosed() const { return closedWritten && !held(); }
    };

    // Starts watching folder; watching() tells whether the kernel granted it (it may refuse over its
    // limits on watches or instances).
    explicit FolderEvents(const QByteArray& folder);
    ~FolderEvents();
    FolderEvents(const FolderEvents&) = delete;
    FolderEvents& operator=(const FolderEvents&) = delete;

    bool watching() const { return fd_ >= 0; }

    // Reads what happened since the last call, without waiting. Answers false when the events were
    // lost (the kernel's queue overflowed, or the folder itself went away): what is known of the
    // files starts afresh.
    bool drain();

    // The files held open for writing when the watch started or was lost, as the /proc look-up
    // found them: held until their writer is seen to close them.
    void heldBefore(const QSet<QByteArray>& names);

    // What the events told of that name; nullptr when they told nothing.
    const File* of(const QByteArray& name) const;

private:
    void closed(const QByteArray& name, bool written);

    int fd_ = -1;
    QHash<QByteArray, File> files_;
    quint64 events_ = 0; // counts the changes, for lastChange
};
