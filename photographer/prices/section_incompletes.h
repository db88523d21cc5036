#pragma once

#include "photographer/prices/section_catalogue.h"

#include <vector>

class QComboBox;
class QWidget;
class SectionPochettes;

// The incomplete-pack section of the catalogue: the list of the chosen
// pack's incomplete packs, its buttons and its entry row. The chosen pack's
// reference ties it to the pack section: it selects the list, and a new or
// changed incomplete pack is stored under it and named after it.
class SectionIncompletes : public SectionCatalogue {
    Q_OBJECT
public:
    SectionIncompletes(FormTarifs& form, QWidget* cadre, const SectionPochettes& pochettes);

    QComboBox* liste() const { return CbPochettesIncompletes_; }
    // Lists the incomplete packs of the pack chosen now and chooses the last.
    void remplir();
    // An entry left open follows the pack chosen last: its reference, and
    // its name once its number of articles is typed.
    void suivrePochette();
    void reposer() override;

private:
    void construire(QWidget* cadre);
    void SaisieAjoutPochetteInc_Change(int index);

    void commencer() override;
    std::optional<Choix> choisi() const override;
    void ouvrirAjout() override;
    void modifOuverte() override;
    QString designation() const override;
    FormTarifs::Ecriture suppression(qint64 cle) const override;
    void suppressionAnnulee() override;
    void validerAjout() override;
    void validerModif() override;
    // The reference of the pack chosen now goes into the entry row.
    void lierPochette();

    const SectionPochettes& pochettes_;
    QComboBox* CbPochettesIncompletes_ = nullptr;
    std::vector<catalogue::PochetteIncomplete> incompletes_;
};
