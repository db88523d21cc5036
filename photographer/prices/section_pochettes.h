#pragma once

#include "photographer/prices/section_catalogue.h"

#include <vector>

class QComboBox;
class QLabel;
class QWidget;
class SectionIncompletes;

// The complete-pack section of the catalogue: the pack list, its buttons and
// its entry row. It holds the incomplete-pack section below it, which lists
// and takes the chosen pack's incomplete packs.
class SectionPochettes : public SectionCatalogue {
    Q_OBJECT
public:
    SectionPochettes(FormTarifs& form, QWidget* cadre);

    // Fills the pack list and chooses its last pack.
    void remplir(std::vector<catalogue::Produit> pochettes);
    // The label, the list and the buttons of packs.
    void desactiverZone();
    // The buttons of both sections.
    void activerBoutons(bool actif) override;
    // Both sections back in their idle state.
    void reposer() override;

    const catalogue::Produit* pochetteChoisie() const;
    // The pack list's caption of the chosen pack, "" when none.
    QString nomChoisi() const;

private:
    void construire(QWidget* cadre);
    void ComboPochette_Change();

    void commencer() override;
    std::optional<Choix> choisi() const override;
    void ouvrirAjout() override;
    void modifOuverte() override;
    QString designation() const override;
    FormTarifs::Ecriture suppression(qint64 cle) const override;
    void suppressionAnnulee() override;
    void validerAjout() override;
    void validerModif() override;

    QLabel* LbTarifPochette_ = nullptr;
    QComboBox* ComboPochette_ = nullptr;
    SectionIncompletes* incompletes_ = nullptr;

    std::vector<catalogue::Produit> pochettes_;
};
