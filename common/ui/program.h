#pragma once

#include <QString>

#include <functional>

class QTranslator;

// Runs one of the programs: French locale whatever the system's, Qt's own
// dialogs in French, the program's name on message boxes that have no title
// of their own, and an end when its last form is unloaded (the first form may
// unload itself at start, as after an update request).
int runProgram(int argc, char** argv, const QString& name, const std::function<void()>& showFirstForm);

// Says that the program could not start (its message already shown): it
// ends with a non-zero status once its forms are unloaded.
void startFailed();

// The status runProgram ends with when no form is left: 1 after startFailed(), else 0.
int exitStatus();

// Installs Qt's French translations in the application, which owns them;
// nullptr when they were not found (the dialogs then stay in English).
QTranslator* loadFrenchTranslations();
