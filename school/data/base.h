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

// Whether the file and its folder accept changes: SQLite writes its journal
// beside the file, so a folder that takes no file takes no change either. A
// read-only mount answers false for every user, root included.
bool ecrivable();

} // namespace base
