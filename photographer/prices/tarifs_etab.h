#pragma once

#include "common/database.h"
#include "photographer/prices/catalogue.h"

#include <QString>

#include <vector>

// An establishment's resale prices: the checks against the photographer's
// prices and the rows of RecTarifs and RecPochetteInc. The writers throw db::Error.
namespace tarifs_etab {

// A price as the establishment sells it, sale and reorder.
struct Prix {
    QString vente, recommande;
};

enum class RefusPochette { Aucun, VenteVide, RecommandeVide, VenteBasse, RecommandeBasse };

// Why the establishment's pack prices are refused, checked in this order; a
// price equal to the photographer's passes.
RefusPochette refusPochette(const catalogue::Produit& pochette, const Prix& prix);

// A ticked article is accepted on the checks of a pack: both prices typed,
// neither below the photographer's.
bool articleAccepte(const catalogue::Produit& article, const Prix& prix);

// An incomplete pack is stored only when priced strictly above the photographer's price.
bool incompleteRetenue(const catalogue::PochetteIncomplete& incomplete, const QString& prix);

struct LigneArticle {
    catalogue::Produit article;
    Prix prix;
};

struct LigneIncomplete {
    catalogue::PochetteIncomplete incomplete;
    QString prix;
};

// The establishment's whole list: the pack with its prices, the ticked
// articles, the incomplete packs priced above the photographer's price.
struct Liste {
    catalogue::Produit pochette;
    Prix prixPochette;
    std::vector<LigneArticle> articles;
    std::vector<LigneIncomplete> incompletes;
};

// Puts the list in place of the establishment's stored resale prices, both
// tables, in one transaction: a failure or a power cut at any point leaves
// the previous list whole. One RecTarifs row per article, each carrying the
// pack; one RecPochetteInc row per incomplete pack.
void remplacer(db::Database& base, const QString& codeEtab, const Liste& liste);

} // namespace tarifs_etab
