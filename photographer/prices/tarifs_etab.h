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

enum class RefusPochette {
    Aucun,
    VenteVide,
    RecommandeVide,
    VenteInvalide,      // the typed price breaks the price rule
    RecommandeInvalide,
    PhotographeInvalide, // a stored photographer's price breaks it: nothing to compare with
    VenteBasse,
    RecommandeBasse
};

// Why the establishment's pack prices are refused, checked in this order; a
// price equal to the photographer's passes.
RefusPochette refusPochette(const catalogue::Produit& pochette, const Prix& prix);

// A ticked article is checked as a pack is: both prices typed, prices that
// the price rule reads, neither below the photographer's.
RefusPochette refusArticle(const catalogue::Produit& article, const Prix& prix);

// The stored photographer's price of the product that breaks the price
// rule, or "" when both are prices.
QString prixPhotographeRefuse(const catalogue::Produit& produit);

enum class RefusIncomplete { Retenue, NonRetenue, Invalide, PhotographeInvalide };

// An incomplete pack is stored only when priced strictly above the
// photographer's price; a typed or a stored price that breaks the price rule
// is refused, an empty one is not retained.
RefusIncomplete refusIncomplete(const catalogue::PochetteIncomplete& incomplete, const QString& prix);

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
// pack; one RecPochetteInc row per incomplete pack. Every price is stored
// as text::priceText writes it, the form the price sheet shows.
void remplacer(db::Database& base, const QString& codeEtab, const Liste& liste);

} // namespace tarifs_etab
