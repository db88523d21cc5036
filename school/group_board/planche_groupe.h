#pragma once

#include "common/database.h"
#include "school/class_board/documents.h"
#include "school/class_board/planche.h"

#include <QString>

#include <optional>
#include <vector>

// The group board: the members of a group, each with its class, on the board
// frame, and the group's document.
namespace planche_groupe {

// Shows the group's members, read now, on the board (its icons hidden in pick
// mode) and writes the group's document. nullopt, the board left as it was,
// when the group has no one. Database failures propagate.
std::optional<DocumentsEcrits> construire(Planche& planche, db::Database& base, const QString& cheminDonnees,
                                          const QString& groupe, bool modeChoix);

// filetemp.html of a group, headed "Groupe :" and the group's name.
DocumentsEcrits ecrireDocument(const QString& cheminDonnees, const QString& groupe,
                               const std::vector<CelluleEleve>& membres);

} // namespace planche_groupe
