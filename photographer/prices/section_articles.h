#pragma once

#include "photographer/prices/section_catalogue.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

// The article section of the catalogue: the list of articles, its buttons,
// the entry row and the supplementary-article box.
class SectionArticles : public SectionCatalogue {
    Q_OBJECT
public:
    SectionArticles(FormTarifs& form, QWidget* cadre);

    // Fills the list and chooses its last article.
    void remplir(std::vector<catalogue::Produit> articles);
    // The label, the list and the buttons of articles.
    void desactiverZone();
    void reposer() override;
    bool vide() const { return articles_.empty(); }

private:
    void construire(QWidget* cadre);
    void CheckArtSup_Click(bool coche);
    void SaisieAjoutArticles_Change(int index);

    void commencer() override;
    std::optional<Choix> choisi() const override;
    void sansChoix() override;
    void ouvrirAjout() override;
    void modifOuverte() override;
    QString designation() const override;
    FormTarifs::Ecriture suppression(qint64 cle) const override;
    void suppressionAnnulee() override;
    void validerAjout() override;
    void validerModif() override;
    void annuler(bool apresModif) override;
    // The entry row as an article; false when a box is empty (said).
    bool lireSaisie(catalogue::Produit& article);

    QLabel* LbTarifArticle_ = nullptr;
    QComboBox* ComboArticles_ = nullptr;
    QLineEdit* TextRefArticle_ = nullptr;
    QCheckBox* CheckArtSup_ = nullptr;

    std::vector<catalogue::Produit> articles_;
};
