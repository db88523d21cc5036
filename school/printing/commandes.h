#pragma once

#include "common/database.h"
#include "school/class_board/planche.h"

#include <QString>
#include <vector>

// The print commands that write their own document into the data folder,
// leave its path in etat::FichierImpression and hand it to the shell. A document
// that cannot be written is said in one message naming it, "" is left in
// etat::FichierImpression and nothing goes to the shell. The title of every
// document is etat::NomEtabEnCours.

// filetemp.html with a page for every group, read now; printed, then opened.
void imprimerTousLesGroupes(db::Database& base, const QString& cheminDonnees);

// filetemp.html with a page for every class that has students, read now, in
// the class list's order; printed, then opened.
void imprimerToutesLesClasses(db::Database& base, const QString& cheminDonnees);

// filetemp1.html, the term sheet of the class board shown; opened, not printed.
void ouvrirFicheTrimestrielle(const QString& cheminDonnees, const QString& classe,
                              const std::vector<CelluleEleve>& eleves);
