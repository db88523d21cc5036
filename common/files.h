#pragma once

#include <QString>

// File operations that must never leave a half-written or lost file.
namespace files {

// Replaces target by a copy of source: the copy is written under a hidden
// name beside the target (a watched folder ignores it), made writable, then
// renamed over the target, so the target is always either the old file or a
// complete copy. False when anything failed; the old target is then intact.
bool replaceWithCopy(const QString& source, const QString& target);

} // namespace files
