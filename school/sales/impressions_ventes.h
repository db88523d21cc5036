#pragma once

#include "common/database.h"
#include "school/sales/ventes.h"

#include <QString>

#include <optional>
#include <vector>

// The orders form's three printouts: each is written into the program's data
// folder and handed to the printer, then named in etat::FichierImpression (so
// that "Imprimer classe en cours..." prints it). A file that cannot be written
// is said in a message that names it, and nothing is printed; a print that was
// not made (the print dialog cancelled) changes nothing.
namespace impressions_ventes {

inline constexpr const char* kBordereau = "fileBo.html";
inline constexpr const char* kDetail = "filedetailv.html";
inline constexpr const char* kRecapitulatif = "fileRecap.html";

QString chemin(const char* nomFichier);

// Marks the lines shown for the reorder form, writes every marked line and,
// once the form went to the printer, clears the marks of the lines on it.
// Returns the marked lines as they now stand, for the grid; none (and a
// message) when no line waits for a reorder form.
std::vector<LigneVente> imprimerBordereau(db::Database& base, const std::vector<LigneVente>& affichees);

// Returns the lines printed, for the grid; nullopt when nothing was printed.
std::optional<std::vector<LigneVente>> imprimerDetail(db::Database& base);

void imprimerRecapitulatif(db::Database& base);

} // namespace impressions_ventes
