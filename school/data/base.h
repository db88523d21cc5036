#pragma once

#include "common/database.h"

#include <QString>

// The school database, one connection for the whole program.
namespace base {

// CheminDonnees/classevizmora.idx.
QString cheminBase();

// The open connection; opens it (creating missing tables) on first use.
// Throws db::Error when the file cannot be opened.
db::Database& db();

void fermer();

} // namespace base
