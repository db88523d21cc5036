#pragma once

#include "common/database.h"

// Names, classes and groups kept in one spelling, composed (NFC), whatever
// system typed or listed them.
namespace noms_composes {

// Rewrites in composed form, in one transaction, every name, class and group
// of the school database stored otherwise (a package made from a list with
// decomposed accents, an earlier version). Writes nothing when all are
// composed. The number of rows changed; throws db::Error.
int composer(db::Database& base);

} // namespace noms_composes
