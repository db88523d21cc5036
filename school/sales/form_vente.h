#pragma once

#include "common/ui/form.h"
#include "school/sales/ventes.h"

#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTableWidget;

// The orders list: the sales total and the establishment's gain over every
// order line, the gain of each class, the lines of a chosen date, the
// deletion of one student's order of that date, and the three printouts.
class FormVente : public Form {
    Q_OBJECT
public:
    FormVente();

protected:
    void onActivate() override;
    void onUnload() override;

private:
    void creerCadre();
    void creerMenus();
    void actualiser();
    void completerPrixVides();
    void afficherGains(const std::vector<GainClasse>& gains);
    void afficherLignes(const std::vector<LigneVente>& lignes);
    void DBComboDateCom_Click(int index);
    void Bt_Sup_Click();
    void Bt_ImpCmde_Click();
    void Mnu_Imp_Detail_Click();
    void MNU_Imp_Solde_Click();
    void reinitialiser();

    std::vector<LigneVente> lignes_; // what the grid shows
    std::vector<EleveCommande> eleves_; // the names list's entries, with the keys of their lines
    bool prixVidesSignales_ = false;  // said once that the empty prices stay empty
    bool prixRefusesSignales_ = false; // said once that a stored price is refused
    QScrollArea* zone_ = nullptr;
    QWidget* Frame1_ = nullptr;
    QLabel* LbAffVtotal_ = nullptr;
    QLabel* LbGainEtab_ = nullptr;
    std::vector<QLabel*> LBNomClasses_;
    std::vector<QLabel*> LBClasses_;
    QComboBox* DBComboDateCom_ = nullptr;
    QComboBox* DBComboNom_ = nullptr;
    QTableWidget* DBGridVentes_ = nullptr;
    QPushButton* Bt_ImpCmde_ = nullptr;
    QPushButton* Bt_Sup_ = nullptr;
};
