#pragma once

#include "common/ui/form.h"

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

// The photographer's record, the single row of Photographe: shown as labels,
// edited in boxes at the same places.
class ParamPhotographe : public Form {
    Q_OBJECT
public:
    ParamPhotographe();

protected:
    void onActivate() override;
    void onUnload() override;
    void showEvent(QShowEvent* event) override;

private:
    struct Champ {
        QString colonne;
        QLineEdit* saisie;
        QLabel* affichage;
        bool montre;
    };

    void Bt_Photo_Click(int index);
    void MNU_Propos_Click();

    void lireFiche();
    bool enregistrerFiche();
    bool nomRenseigne();
    void afficherSaisie(bool saisie);

    std::vector<Champ> champs_;
    QLineEdit* TextNomEntre_; // the company's name, which the record cannot go without
    QPushButton* Bt_Photo_[3];
    bool modeAChoisir_ = true;
    bool enSaisie_ = false;
};
