#pragma once

#include "common/database.h"
#include "school/sales/montant.h"

#include <QString>
#include <QStringList>

#include <vector>

// One row of Ventes: an order line, every field as text.
struct LigneVente {
    qint64 cdeVente = 0;
    QString dateCommande, numEleves, classe, nom, prenom, nomPhoto;
    QString cdePochette, nomPochette, pochettePrixPro, pochettePrixPub, pochettePrixRecPro, pochettePrixRecPub;
    QString cdeArticles, nomArticles;
    QString typeLigne;        // column ArticlesPrixPro: one of type_ligne
    QString marqueRecommande; // column ArticlesPrixPub: the reorder mark, "x", " " or ""
    QString articlesPrixRecPro, articlesPrixRecPub;
    QString pIncompNbArt, pIncLibArt, pIncPPho, pincPPub, quantite;
};

// The four line types, compared exactly.
namespace type_ligne {
inline const QString PochetteComplete = QStringLiteral("Je garde la pochette complète");
inline const QString AuChoix = QStringLiteral("Je conserve au choix dans la pochette");
inline const QString Supplementaires = QStringLiteral("Commande articles supplémentaires");
inline const QString RecommandePochette = QStringLiteral("Recommande pochette complète");
} // namespace type_ligne

// The reorder mark of a line waiting for the next reorder form, and of a line that never goes on it.
inline const QString kMarqueRecommande = QStringLiteral("x");
inline const QString kMarqueJamais = QStringLiteral(" ");

// The one establishment row, as the documents head it.
struct Etablissement {
    QString nom, adresse, adresse1, adresse2, codePostal, ville, telephone, mail;
};

// A student who ordered on a date: an entry of the names list, with the keys
// of the lines shown for that student, which are exactly what a deletion removes.
struct EleveCommande {
    QString numEleves, nom, prenom, classe;
    std::vector<qint64> cles;
};

struct GainClasse {
    QString classe;
    montant::Somme gain = 0;
};

struct Totaux {
    montant::Somme total = 0;
    montant::Somme gain = 0;
};

// The order lines in the database. Every value is bound, never pasted into SQL.
namespace ventes {

// The 18 grid columns: caption and field, in the grid's order.
struct Colonne {
    const char* titre;
    QString LigneVente::*champ;
};
const std::vector<Colonne>& colonnesGrille();

std::vector<LigneVente> toutes(db::Database& base);
std::vector<LigneVente> duJour(db::Database& base, const QString& date);
std::vector<LigneVente> marquees(db::Database& base);
// By class, then photo name, then pack name descending, as the detail lists them.
std::vector<LigneVente> pourDetail(db::Database& base);
bool existeEleve(db::Database& base, const QString& numEleves);

// The order dates, newest first.
QStringList dates(db::Database& base);
// The students of the lines (one per order code), in surname, first-name then
// class order, each with the keys of its lines.
std::vector<EleveCommande> eleves(const std::vector<LigneVente>& lignes);

// Removes the lines of these keys as one change; returns how many were still
// there (a line another program removed meanwhile is not counted).
int supprimer(db::Database& base, const std::vector<qint64>& cles);
// Empty pack prices are stored as "0", as the orders list always left them;
// nothing is written when no price is empty.
void remplirPrixVides(db::Database& base);

// Marks the lines for the reorder form: "x" for the two reorder types, " "
// for the two first-order types, other types unchanged.
void marquer(db::Database& base, const std::vector<LigneVente>& lignes);
// Clears the "x" of the lines printed on a reorder form.
void effacerMarques(db::Database& base, const std::vector<LigneVente>& lignes);

// Adds the lines; the caller holds the transaction that makes them one change.
void inserer(db::Database& base, const std::vector<LigneVente>& lignes);

Etablissement etablissement(db::Database& base);

// Sales total and establishment gain over the pack prices, in cents;
// nothing for a sum that overflowed.
Totaux totaux(const std::vector<LigneVente>& lignes);
// Why the totals cannot be computed from stored prices, in French: the
// first line whose pack price breaks the price rule; "" when there is none.
QString prixRefuses(const std::vector<LigneVente>& lignes);
// The gain of each class, classes in French order (case-insensitive).
std::vector<GainClasse> gainsParClasse(const std::vector<LigneVente>& lignes);

} // namespace ventes
