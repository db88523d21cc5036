#pragma once

#include "common/database.h"
#include "school/sales/tarifs.h"
#include "school/sales/ventes.h"

#include <ostream>
#include <vector>

// Failures show texts as texts.
inline void PrintTo(const QString& texte, std::ostream* flux)
{
    *flux << '"' << texte.toStdString() << '"';
}

// A school price list as a delivery fills it: one pack, four articles (one of
// them supplementary), incomplete packs of one to three articles.
namespace exemple {

// In article-name order, as the order panel reads it.
std::vector<Tarif> tarifs();
std::vector<PochetteIncomplete> incompletes();

// Writes the price list into the school database, rows out of name order.
void remplirTarifs(db::Database& base);

// An order line of a student on a date; the other fields as given.
LigneVente ligne(const QString& date, const QString& numEleves, const QString& nom, const QString& prenom,
                 const QString& type, const QString& prixPub, const QString& prixPro, const QString& quantite);

void inserer(db::Database& base, const std::vector<LigneVente>& lignes);

} // namespace exemple
