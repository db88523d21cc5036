#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QProcessEnvironment;
class QTranslator;

// Whether the program may ask for windows: an X or Wayland display is named
// (DISPLAY, WAYLAND_DISPLAY), or a platform is chosen explicitly
// (QT_QPA_PLATFORM, or "-platform" among the arguments), as the tests do.
bool displayAvailable(const QProcessEnvironment& environment, const QStringList& arguments);

// The one line said when Qt gives up starting (its last word `fatal`, after
// the `notices` it gave about its platform plugins): `unreachable`, the line
// for a display that does not answer, when Qt could not reach one; else
// "Qt n'a pas pu démarrer : " and Qt's own reason (a platform plugin missing
// or a library it needs), which no other line would tell.
QString qtStartFailure(const QString& unreachable, const QStringList& notices, const QString& fatal);

// Runs one of the programs: French locale whatever the system's, Qt's own
// dialogs in French, the program's name on message boxes that have no title
// of their own, and an end when its last form is unloaded (the first form may
// unload itself at start, as after an update request). Without a display, or
// when the display named does not answer, it says so in one French line on
// the standard error output and ends with 1, before anything else; any other
// failure of Qt to start is said the same way with Qt's reason
// (qtStartFailure). Qt's own English notices that a user would read alone on
// the terminal (the platform plugins tried, the runtime folder Qt makes
// itself) are left out.
int runProgram(int argc, char** argv, const QString& name, const std::function<void()>& showFirstForm);

// Says that the program could not start (its message already shown): it
// ends with a non-zero status once its forms are unloaded.
void startFailed();

// The status runProgram ends with when no form is left: 1 after startFailed(), else 0.
int exitStatus();

// Installs Qt's French translations in the application, which owns them;
// nullptr when they were not found (the dialogs then stay in English).
QTranslator* loadFrenchTranslations();
