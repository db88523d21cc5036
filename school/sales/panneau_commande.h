#pragma once

#include "school/sales/commande.h"
#include "school/sales/tarifs.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;

// The order panel under the identity card: the complete pack and one row per
// article of the price list, ticked for a first order or with quantities for
// a reorder. The pack and the articles exclude each other.
class PanneauCommande : public QWidget {
    Q_OBJECT
public:
    // Covers the card from `haut` (twips) down; controls keep the card's design places.
    PanneauCommande(QWidget* carte, int haut);

    void construire(ModeCommande mode, const std::vector<Tarif>& tarifs);
    ModeCommande mode() const { return mode_; }
    ChoixCommande choix() const;
    // Top of the last article row on the card (twips), row 0 when the list has none.
    int hautDerniereLigne() const;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    struct Ligne {
        QCheckBox* article = nullptr;
        QLineEdit* quantite = nullptr;
        bool commandable = true; // no price it bills is refused
    };
    Ligne creerLigne(int rang);
    QLineEdit* creerQuantite(const QString& nom, int left, int top);
    void CheckPochette_Click(bool coche);
    void CheckArticles_Click(int rang, bool coche);

    int haut_;
    ModeCommande mode_ = ModeCommande::Commande;
    QLabel* LbCommande_ = nullptr;
    QCheckBox* CheckPochette_ = nullptr;
    QLineEdit* TextQuantiteP_ = nullptr;
    std::vector<Ligne> lignes_;
};
