#pragma once

#include <QString>

// Says that a program works on a folder, for a tool that must not replace the
// folder's files under it. Each running copy holds a shared lock on a marker
// file there for as long as the object lives, so that several copies may work
// at once; the tool takes the lock exclusively (flock(1) does) and cannot
// while one runs. The kernel drops the lock when the process ends, a crash
// included, so a dead program never keeps the folder marked.
class OpenMarker {
public:
    enum class State {
        Held,     // this process marks the folder open
        Busy,     // a tool holds the folder for itself
        Failed,   // the marker could not be made or locked (see error())
    };

    // Creates the marker file when missing, then tries the lock at once.
    explicit OpenMarker(const QString& file);
    ~OpenMarker();
    OpenMarker(const OpenMarker&) = delete;
    OpenMarker& operator=(const OpenMarker&) = delete;

    State state() const { return state_; }
    const QString& fileName() const { return file_; }
    // The system's text for a Failed state.
    const QString& error() const { return error_; }

private:
    QString file_;
    int descriptor_ = -1;
    State state_ = State::Failed;
    QString error_;
};
