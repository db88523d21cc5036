#pragma once

#include "school/sales/fiche_eleve.h"
#include "school/sales/tarifs.h"
#include "school/sales/ventes.h"

#include <QDate>
#include <QString>

#include <vector>

// A first order or a reorder, decided by the lines the student already has.
enum class ModeCommande { Commande, Recommande };

// What the order panel has ticked: row indexes into the price list in
// article-name order, with the quantities as typed.
struct ChoixCommande {
    struct Article {
        int rang = 0;
        QString quantite;
    };
    bool pochette = false;
    QString quantitePochette;
    std::vector<Article> articles;
};

struct [[nodiscard]] LignesCommande {
    std::vector<LigneVente> lignes;
    QString refus; // "" or the French reason why nothing can be stored
};

// The price of a row of the price list that breaks the price rule in this
// mode, for its pack or for its article, or "" when the row can be ordered:
// the prices a first order or a reorder shows and bills.
QString prixRefuse(ModeCommande mode, const Tarif& tarif, bool pochette);

// Turns the panel's choices into order lines. The pack and the articles
// exclude each other; the pack wins. Nothing ticked gives no line.
LignesCommande lignesCommande(ModeCommande mode, const ChoixCommande& choix, const std::vector<Tarif>& tarifs,
                              const std::vector<PochetteIncomplete>& incompletes, const FicheEleve& eleve,
                              const QDate& jour);
