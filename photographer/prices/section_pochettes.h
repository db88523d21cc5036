#pragma once

#include "photographer/prices/catalogue.h"
#include "photographer/prices/ligne_saisie.h"

#include <QObject>

#include <array>
#include <optional>
#include <vector>

class FormTarifs;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

// The complete-pack and incomplete-pack sections of the catalogue: the pack
// list, the list of the chosen pack's incomplete packs, their buttons and
// entry rows. The chosen pack's reference ties the two together.
class SectionPochettes : public QObject {
    Q_OBJECT
public:
    SectionPochettes(FormTarifs& form, QWidget* cadre);

    // Fills the pack list and chooses its last pack.
    void remplir(std::vector<catalogue::Pochette> pochettes);
    // The label, the list and the buttons of packs.
    void desactiverZone();
    // All six buttons of the two sections.
    void activerBoutons(bool actif);
    // Lists and buttons back in their idle state.
    void reposer();

private:
    void construire(QWidget* cadre);
    void ComboPochette_Change();
    void Bt_Ajout_Pochette_Click(int index);
    void Bt_ValideAjoutPochette_Click(int index);
    void Bt_ValideModifPochette_Click(int index);
    void Bt_Ajout_PochetteInc_Click(int index);
    void Bt_ValideAjoutPochetteInc_Click(int index);
    void Bt_ValideModifPochetteInc_Click(int index);
    void SaisieAjoutPochetteInc_Change(int index);

    void ouvrirAjoutPochette();
    void ouvrirModifPochette();
    void supprimerPochette();
    void ouvrirAjoutIncomplete();
    void ouvrirModifIncomplete();
    void supprimerIncomplete();
    void annulerPochette(bool vider);
    void annulerIncomplete(bool vider);

    const catalogue::Pochette* pochetteChoisie() const;
    const catalogue::PochetteIncomplete* incompleteChoisie() const;
    void remplirIncompletes();
    // Shows the refusal and puts the focus in the box.
    void refuser(QWidget* boite, const QString& message);

    FormTarifs& form_;
    QLabel* LbTarifPochette = nullptr;
    QComboBox* ComboPochette = nullptr;
    std::array<QPushButton*, 3> Bt_Ajout_Pochette{};
    std::optional<LigneSaisie> pochette_;
    QComboBox* CbPochettesIncompletes = nullptr;
    std::array<QPushButton*, 3> Bt_Ajout_PochetteInc{};
    std::optional<LigneSaisie> incomplete_;

    std::vector<catalogue::Pochette> pochettes_;
    std::vector<catalogue::PochetteIncomplete> incompletes_;
    // The rows that the change under way acts on, fixed when it starts.
    catalogue::Pochette pochetteModifiee_;
    qint64 incompleteModifiee_ = 0;
};
