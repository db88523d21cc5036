#pragma once

#include "common/database.h"

#include <QString>

#include <vector>

// One row of the school's price list: an article, with the complete pack it belongs to.
struct Tarif {
    QString cdePochette, nomPochette, pochettePrixPro, pochettePrixPub, pochettePrixRecPro, pochettePrixRecPub;
    QString cdeArticles, nomArticles, articlesPrixPro, articlesPrixPub, articlesPrixRecPro, articlesPrixRecPub;
};

// The price of a pack of which the family keeps only some articles.
struct PochetteIncomplete {
    QString nbArticle, libelle, prixPho, prixPublic;
};

namespace tarifs {

// In article-name order, as the order panel lists them.
std::vector<Tarif> parNom(db::Database& base);
// In the table's own order, as the sales summary counts them.
std::vector<Tarif> parCle(db::Database& base);
std::vector<PochetteIncomplete> incompletes(db::Database& base);

// A supplementary article: its code begins with "sup", case included.
bool estSupplementaire(const Tarif& tarif);

} // namespace tarifs
