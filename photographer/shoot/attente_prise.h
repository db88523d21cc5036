#pragma once

#include "photographer/shoot/watched_folder.h"

#include <QByteArray>
#include <QString>

#include <optional>

// What the shooting screen says of a camera file that holds the queue: a line while it waits for
// it, and, once a program has kept it open for writing for minutes, a box that says what to do.
class AttentePrise {
public:
    struct Dire {
        QString ligne; // the line of the screen; "" when nothing holds the queue long enough to say so
        QString boite; // "" but once for a file held open too long
    };

    // After a tick that answered nothing: attente is the file that holds the queue, if any.
    Dire apres(const std::optional<capture::WatchedFolder::Waiting>& attente, qint64 maintenant);
    // The capture stopped: a file still held when it starts again is said afresh.
    void oublier();

    // The line for a file that holds the queue, by why it does.
    static QString ligne(const capture::WatchedFolder::Waiting& attente);

private:
    QByteArray ditEnBoite_; // the file whose writer was already said in a box
};
