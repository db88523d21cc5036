#pragma once

#include <QRect>
#include <QSize>

// Where the controls of a board cell stand inside the board frame, in twips,
// and how the board documents cut their cells into rows and tables.
namespace geometrie {

inline constexpr int kCellulesParRangee = 9;           // on screen
inline constexpr int kCellulesParLigneDocument = 7;    // board document

// Design size of the frame; it grows beyond it to hold every row of cells.
inline constexpr QSize kTailleCadre{15855, 12855};

struct Cadres {
    QRect image, nom, prenom, suppression, changement, num, codeImage, classe;
};

// The controls of cell index. Cell 0 keeps its design places; the first cell
// of every further row takes cell 0's Lefts for its labels and icons, the
// others sit 50 twips inside their picture.
Cadres cellule(int index);

// The frame size that holds cells 0 to nombre - 1.
QSize tailleCadre(int nombre);

// Board documents: what opens before the cell of this index. A board is one
// table; its printed pages end where a page is full, between its rows.
enum class Ouverture {
    Table,  // the first cell of the document
    Ligne,  // a new row of the table
    Aucune, // the cell follows on the same row
};
Ouverture ouvertureDocument(int index);

} // namespace geometrie
