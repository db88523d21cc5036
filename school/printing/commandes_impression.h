#pragma once

#include "common/database.h"
#include "school/class_board/planche.h"

#include <QString>
#include <vector>

// The print commands that write their own document into the data folder,
// leave its path in etat::FichierImpression and hand it to the shell. Each
// answers whether its document was printed (or, for the term sheet, written);
// when not, everything is as it was: a document that cannot be written is
// said in one message naming it and nothing goes to the shell, and a print
// cancelled or refused puts the board document back. The title of every
// document is etat::NomEtabEnCours.
namespace impressions {

// filetemp.html with a page for every group, read now; printed, then opened.
[[nodiscard]] bool imprimerTousLesGroupes(db::Database& base, const QString& cheminDonnees);

// filetemp.html with a page for every class that has students, read now, in
// the class list's order; printed, then opened.
[[nodiscard]] bool imprimerToutesLesClasses(db::Database& base, const QString& cheminDonnees);

// filetemp1.html, the term sheet of the class board shown; opened, not printed.
[[nodiscard]] bool ouvrirFicheTrimestrielle(const QString& cheminDonnees, const QString& classe,
                                            const std::vector<CelluleEleve>& eleves);

} // namespace impressions
