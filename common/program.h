#pragma once

#include <QString>

#include <functional>

// Runs one of the programs: French locale whatever the system's, the
// program's name on message boxes that have no title of their own, and an
// end when its last form is unloaded (the first form may unload itself at
// start, as after an update request).
int runProgram(int argc, char** argv, const QString& name, const std::function<void()>& showFirstForm);
