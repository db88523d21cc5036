#pragma once

#include "school/class_board/html.h"
#include "school/class_board/planche.h"

#include <QString>
#include <vector>

// The board documents of the data folder. Each writer replaces its files
// whole and answers with what it wrote; the print entries that print them are
// told by the caller. The title of every document is etat::NomEtabEnCours.
struct DocumentsEcrits {
    QString planche, cartes, etiquettes; // paths of the files written, "" when not written
    QString erreur; // "" or one French message per unwritten file (one per line), each naming it
};

// filetemp.html, filetempCrte.html and filetempEtiq.html of a class.
DocumentsEcrits ecrireDocumentsClasse(const QString& cheminDonnees, const QString& classe,
                                      const std::vector<CelluleEleve>& cellules);
// filetemp.html alone, in its rebuilt form, for a class board rebuilt after a move.
DocumentsEcrits ecrirePlancheClasse(const QString& cheminDonnees, const QString& classe,
                                    const std::vector<CelluleEleve>& cellules);
// filetemp.html alone, in its form after a removal, for a class board rebuilt
// after one of its students was deleted.
DocumentsEcrits ecrirePlancheApresSuppression(const QString& cheminDonnees, const QString& classe,
                                              const std::vector<CelluleEleve>& cellules);
// filetemp.html alone, of any board: its heading (establishment, "Classe :"
// or "Groupe :" and the board's name) and its cells in the board's form.
DocumentsEcrits ecrirePlanche(const QString& cheminDonnees, const html::Entete& entete,
                              const std::vector<CelluleEleve>& cellules, html::Forme forme);

// The cells as the documents show them, each with its picture path.
std::vector<html::Entree> entreesDocument(const QString& cheminDonnees, const std::vector<CelluleEleve>& cellules);
