#pragma once

#include "common/database.h"

#include <QString>

// The photographer database, one connection for the whole program.
namespace base {

// The database file: CheminDonnees/zlvsyst.idx.
QString cheminBase();

// The open connection; opens it (creating missing tables) on first use. A
// file that can only be read opens as a copy in memory, up to date, that
// refuses every change (readOnly()). Throws db::Error when the file cannot be
// opened.
db::Database& db();

// Closes the connection, before the file is copied over or replaced.
void fermer();

// The schema of the photographer database, as SQL: the tables of the
// templates and the records of jobs in progress, which only this file holds.
QString schema();

} // namespace base
