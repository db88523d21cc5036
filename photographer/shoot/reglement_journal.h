#pragma once

#include "photographer/shoot/journal_classement.h"

#include <QString>

#include <functional>

class QObject;

// Settles one filing that the journal still holds, as a crash left it: a filing not done is
// completed for the student it was meant for (every step writes whole, so doing one again is
// harmless), or undone whole when it cannot be (the student left the base, no copy of the camera's
// bytes is left, a file cannot be written) and the camera file set aside; a filing done has its
// camera file removed from the watched folder while it still holds the bytes filed (a new shot
// under that name stays for the capture). The record is then dropped.
namespace reglement_journal {

struct Issue {
    QString message;   // what the photographer is told, in French; "" when nothing is worth saying
    bool regle = true; // the record was dropped; false: it stays, and message says why
};

// The decoding and writing run on a worker thread; done runs on context's thread (not if context
// died: the record then stays for the next settling).
void regler(QObject* context, const journal_classement::Classement& classement,
            std::function<void(const Issue&)> done);

} // namespace reglement_journal
