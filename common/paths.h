#pragma once

#include <QString>
#include <QStringList>

// Where things live. Every path of both programs is built here from
// components, so that a name typed by a user can never climb out of its
// folder and no code pastes separators.
namespace paths {

// The folder that stands for the Windows drive root: SCHOOLPHOTO_ROOT, else home.
QString driveRoot();

// The user's desktop, created when missing.
QString desktop();

// The folder of the running executable (the shipped files live there).
QString programDir();

// Where the program writes its own files (backups, archives, documents,
// work copies): the application data folder, created when missing. Never the
// program folder, which a rebuild or a fresh install replaces.
QString dataDir();

// Lets tests place the shipped files in a folder of their own.
void setProgramDirForTests(const QString& folder);

// base followed by each component, joined with one separator.
QString join(const QString& base, const QStringList& components);

// A path under the drive root.
QString onDrive(const QStringList& components);

// A user-typed name made into one path component: "/" and NUL become "_".
QString component(const QString& name);

// Empty when the name can be a folder name, else a French message that says why.
[[nodiscard]] QString componentRefusal(const QString& name);

// Creates a folder and its parents; true when it exists afterwards.
bool ensureFolder(const QString& path);

} // namespace paths
