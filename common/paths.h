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

// Whether the name gives a folder of its own: not "", ".", ".." nor blanks
// only. A name stored before control characters were refused still reaches
// its folders through this, so that it can be renamed with its pictures.
bool namesFolder(const QString& name);

// The one rule for a name typed or imported that becomes a path component
// (establishment, class, group): empty when it may, else a French message that
// says why, naming the field (`field` is its subject in the sentence: "Le nom
// de l'établissement", "La classe"). It refuses what namesFolder refuses, and
// any control character (see controlRefusal).
[[nodiscard]] QString componentRefusal(const QString& name, const QString& field = QStringLiteral("Le nom"));

// The part of that rule for a surname or a first name, which always enters a
// file name with other text: no control character (line break, tab, NUL, DEL,
// C1, line and paragraph separators). A name holding one cannot be told from
// another on the screen, and a file or folder named with it upsets the tools
// that read the deliveries. "" when there is none.
[[nodiscard]] QString controlRefusal(const QString& name, const QString& field);

// Creates a folder and its parents; true when it exists afterwards.
bool ensureFolder(const QString& path);

} // namespace paths
