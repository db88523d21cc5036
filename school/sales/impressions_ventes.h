#pragma once

#include "common/database.h"
#include "school/sales/ventes.h"

#include <QString>

#include <vector>

// The orders form's three printouts: each is written into the program's data
// folder, named in etat::FichierImpression once written (so that "Imprimer
// classe en cours..." prints it), and handed to the printer. A file that
// cannot be written is said in a message that names it, and nothing is printed.
namespace impressions_ventes {

inline constexpr const char* kBordereau = "fileBo.html";
inline constexpr const char* kDetail = "filedetailv.html";
inline constexpr const char* kRecapitulatif = "fileRecap.html";

QString chemin(const char* nomFichier);

// Marks the lines shown for the reorder form, writes every marked line and
// clears the marks of the lines written. Returns the lines printed, for the
// grid; none (and a message) when no line waits for a reorder form.
std::vector<LigneVente> imprimerBordereau(db::Database& base, const std::vector<LigneVente>& affichees);

// Returns the lines listed, for the grid.
std::vector<LigneVente> imprimerDetail(db::Database& base);

void imprimerRecapitulatif(db::Database& base);

} // namespace impressions_ventes
