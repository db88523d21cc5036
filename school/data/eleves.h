#pragma once

#include "common/database.h"

#include <QString>

#include <vector>

// One cell of a board: what the cell shows and the keys its handlers need.
struct CelluleEleve {
    QString cdeEleve;   // LbNum: the student's CdeEleves (class board) or N_Eleves (group board)
    QString nom, prenom;
    QString codePhoto;  // LbCdImg: NomPhoto on a class board, N_Eleves on a group board
    QString classe;     // LbGPClasse on a group board
    QString cdeGroupes; // group board: the Goupes row key
};

// The students of a class, in French surname order, ties by key.
std::vector<CelluleEleve> elevesDeClasse(db::Database& base, const QString& classe);
// The members of a group (its Goupes rows), in French surname order, ties by key.
std::vector<CelluleEleve> membresDuGroupe(db::Database& base, const QString& groupe);

// The cell's picture in the images folder, by the rule both programs share
// (photo code, then surname and first name); "" when the student has none.
QString cheminPhoto(const QString& cheminDonnees, const CelluleEleve& cellule);
