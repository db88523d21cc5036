#pragma once

#include "common/database.h"

#include <QString>

#include <vector>

// The photographer's price catalogue: complete packs, their incomplete packs
// and single articles. Every row is reached by its key, never by its name, so
// that two rows named alike or a name holding pattern characters can never
// make a command act on another row. Every function throws db::Error.
namespace catalogue {

// A complete pack or an article: what the catalogue sells, with its price and
// its reorder price. Neither table has a key column: the row id is the key.
struct Produit {
    qint64 cle = 0;
    QString ref, nom, prix, prixRec;
};

struct PochetteIncomplete {
    qint64 cle = 0;        // CdePocInc
    QString refPochette;   // NbArticlesTxt: the RefPochette of its complete pack
    QString nbArticles;    // a count, or "C" on the row of the complete pack itself
    QString libelle;       // LibArticle
    QString prix;          // PrixPhotographe
};

// Packs in table order.
std::vector<Produit> pochettes(db::Database& base);
// True when a pack already has this reference, whatever its letter case.
bool referencePochettePrise(db::Database& base, const QString& ref);
// Stores the pack and, in the same transaction, its "C" row.
void ajouterPochette(db::Database& base, const Produit& pochette);
void modifierPochette(db::Database& base, const Produit& pochette);
// The pack's incomplete packs stay, its "C" row among them.
void supprimerPochette(db::Database& base, qint64 cle);

// The incomplete packs of one pack, in table order.
std::vector<PochetteIncomplete> pochettesIncompletes(db::Database& base, const QString& refPochette);
// True when any incomplete pack of any pack has this name, whatever its letter case.
bool nomPochetteIncompletePris(db::Database& base, const QString& nom);
void ajouterPochetteIncomplete(db::Database& base, const PochetteIncomplete& pochette);
void modifierPochetteIncomplete(db::Database& base, const PochetteIncomplete& pochette);
void supprimerPochetteIncomplete(db::Database& base, qint64 cle);

// Articles in table order.
std::vector<Produit> articles(db::Database& base);
// Articles by name, as the resale-price wizard lists them.
std::vector<Produit> articlesParNom(db::Database& base);
int nombreArticles(db::Database& base);
bool referenceArticlePrise(db::Database& base, const QString& ref);
void ajouterArticle(db::Database& base, const Produit& article);
void modifierArticle(db::Database& base, const Produit& article);
void supprimerArticle(db::Database& base, qint64 cle);

// The name an incomplete pack gets from its pack and its number of articles.
QString nomAutomatique(const QString& refPochette, const QString& nomPochette, const QString& nbArticles);

} // namespace catalogue
