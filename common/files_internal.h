#pragma once

#include "common/files.h"

#include <QByteArray>
#include <QString>

// What the two halves of files (writing files, giving names) share; nothing
// outside them includes this.
namespace files::internal {

QByteArray encoded(const QString& path);
QString shown(const QString& path);

// What the user can do about it, when the system said why; "" otherwise.
QString reason(int error);

// Sends what failed, at which step and the system's reason to the standard error output.
void logFailure(const QString& path, const QString& step, int error);

const Renames& renames();

} // namespace files::internal
