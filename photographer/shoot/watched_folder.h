#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>

namespace capture {

// True when the bytes end with the JPEG end-of-image marker FF D9: a camera file still being
// written, or cut short, does not.
bool endsWithJpegEndMarker(QByteArrayView bytes);

// The watched folder, polled once a tick.
class WatchedFolder {
public:
    // The first camera file of folder, in name order, that is complete: same size as at the previous
    // call, ends with the JPEG end marker (FF D9). Folders, hidden files and temporary files are skipped;
    // the extension test ignores case (.jpg, .jpeg). "" when none is ready yet.
    // Returns the file's full path. While the first camera file is still being written, a later one
    // is not taken before it, so that pictures reach the students in the order they were shot.
    // A file whose size has not moved for kCallsBeforeCutShort calls without reaching its end marker
    // is returned all the same: it was cut short, and the filing that refuses it tells the
    // photographer, where waiting on it would hold up every later picture without a word.
    QString nextCompleteFile(const QString& folder);
    void forget(); // after the folder changes or the capture stops

    static constexpr int kCallsBeforeCutShort = 10;

private:
    struct Seen {
        qint64 size;
        int unchangedCalls; // calls in a row that found this size
    };
    QString folder_;
    QHash<QString, Seen> seen_; // file name -> what the previous call saw
};

} // namespace capture
