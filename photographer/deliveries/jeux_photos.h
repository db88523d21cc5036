#pragma once

#include "photographer/deliveries/livraison.h"

#include <QString>

#include <vector>

// The renamed photo sets: one establishment's pictures copied into a desktop
// folder under the names a lab, a burning tool or the school expects. Each
// set is one row of a table of rules; one delivery runs them all.
namespace jeux_photos {

enum class Source {
    BasseResolution, // " BR": "Nom Prenom.jpg"
    Classes,         // " BR3": one sub-folder per class, copied as a tree
    Archive,         // labohd: "ClassexsepxNomxsepxPrenomxsepx.jpg"
};

struct Regle {
    QString forme;    // the window that delivers the set
    QString titre;    // its caption
    QString entree;   // the shooting screen's menu entry; "" for none
    Source source;
    bool labo;        // written under "labo" rather than "A Graver"
    QString suffixe;  // added to the establishment's name for the destination folder
    // The new name of a listed file; "" when the name does not fit the rule
    // (the file is then left out).
    QString (*renommer)(const QString& nom);
    // The new set replaces the earlier folder; else it adds to the earlier
    // folder's files (the two lab sets share their folder and both name forms stay).
    bool remplacer;
};

// Every set, one row each.
const std::vector<Regle>& regles();

// The rule of a menu entry; nullptr when none.
const Regle* regleDEntree(const QString& entree);

// The renaming functions of the rules.
QString nomPrenom(const QString& nom);       // "DUPONT Jean_Pierre.jpg" -> "DUPONT Jean-Pierre.jpg"
QString nomPointPrenom(const QString& nom);  // -> "DUPONT.Jean-Pierre.jpg"
QString nomTiretPrenom(const QString& nom);  // -> "DUPONT_Jean-Pierre.jpg"
QString memeNom(const QString& nom);
QString classeNomPrenom(const QString& nom); // "3AxsepxDUPONTxsepxJeanxsepx.jpg" -> "3A_DUPONT_Jean.jpg"
QString nomPrenomClasse(const QString& nom); // -> "DUPONT Jean 3A.jpg"
QString sansPoints(const QString& nom);      // "DUPONT.Jean.jpg" -> "DUPONT Jean.jpg"

// Writes the set of the establishment: every photographed student's picture (one the
// package would carry), and the other files of the source folder. The end message counts
// the photographed students whose file the source folder lacks.
livraison::Issue livrer(const Regle& regle, const QString& codeEtab, const QString& nomEtab,
                        const livraison::Avancement& avancement);

} // namespace jeux_photos
