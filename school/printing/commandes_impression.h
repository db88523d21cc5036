#pragma once

#include "common/database.h"
#include "school/class_board/planche.h"

#include <QString>
#include <vector>

// The print commands that write their own document into the data folder and
// hand it to the shell. Each answers with its document's path once it was
// printed (or, for the term sheet, written and opened), for the board print
// to print it from then on; "" when not, and then everything is as it was: a
// document that cannot be written is said in one message naming it and
// nothing goes to the shell, and a print cancelled or refused puts back the
// board document whose file it took (documentImprime: the document that the
// board print names now). The title of every document is etat::NomEtabEnCours.
namespace impressions {

// filetemp.html with a page for every group, read now; printed, then opened.
[[nodiscard]] QString imprimerTousLesGroupes(db::Database& base, const QString& cheminDonnees,
                                             const QString& documentImprime);

// filetemp.html with a page for every class that has students, read now, in
// the class list's order; printed, then opened.
[[nodiscard]] QString imprimerToutesLesClasses(db::Database& base, const QString& cheminDonnees,
                                               const QString& documentImprime);

// filetemp1.html, the term sheet of the class board shown; opened, not printed.
[[nodiscard]] QString ouvrirFicheTrimestrielle(const QString& cheminDonnees, const QString& classe,
                                               const std::vector<CelluleEleve>& eleves);

} // namespace impressions
