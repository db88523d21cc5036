#pragma once

#include "common/database.h"
#include "school/class_board/planche.h"

// The delete icon of a board cell: on a class board it deletes the student,
// on a group board it takes the member out of the group shown. Both act on
// the key the cell carries, never on a name.
enum class BrancheSuppression {
    Aucune, // a class board while the group wizard picks: nothing may be deleted
    Classe, // the student's Eleves row
    Groupe, // the member's Goupes row
};

BrancheSuppression brancheSuppression(TypePlanche planche, bool modeCreationGroupe);

// Asks "Suppression ?", then deletes the row of the cell for its branch.
// False when the user said no (nothing changed); true when the board must be
// rebuilt, also when the row had already gone, which is said in a message.
bool supprimerCellule(db::Database& base, const CelluleEleve& cellule, BrancheSuppression branche);
