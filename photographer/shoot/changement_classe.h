#pragma once

#include "photographer/data/roster.h"

#include <QString>
#include <QStringList>

// A student moved to another class during the shoot. The files that bear the
// class in their name (the archived original, the copy in the class tree)
// take the new class with the row, so that the lab sets and the class tree
// say what the package and the boards say. The working picture and the " BR"
// copy do not depend on the class. The renames are recorded before the first
// one and the record is dropped with the row's change: a move that a power
// cut stopped is settled by reprendre(), never guessed.
namespace changement_classe {

struct [[nodiscard]] Issue {
    QString refus;      // "" when the student moved; else a French message, and nothing was changed
    bool disparu = false; // no student has that key any more
    QStringList gardes; // files that stood in the way of the new names, set aside
};

// Moves the student of the establishment in use from the class `depuis`, as
// the board spells it (it named the files the capture wrote), to `vers`.
// Refused when the names would not fit in the picture files, or when a file
// of a namesake of the new class already bears the new name. Throws db::Error
// with nothing changed (the renames undone).
Issue deplacer(const roster::Eleve& eleve, const QString& depuis, const QString& vers);

// Settles every move that a power cut interrupted, in any establishment: it is
// completed for the student it was meant for when each file is under one of
// its two names, else undone. Answers one French line for each move settled
// or still left.
QStringList reprendre();

} // namespace changement_classe
