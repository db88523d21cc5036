#pragma once

#include "photographer/prices/catalogue.h"
#include "photographer/prices/ligne_saisie.h"

#include <QObject>

#include <array>
#include <optional>
#include <vector>

class FormTarifs;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The article section of the catalogue: the list of articles, its buttons,
// the entry row and the supplementary-article box.
class SectionArticles : public QObject {
    Q_OBJECT
public:
    SectionArticles(FormTarifs& form, QWidget* cadre);

    // Fills the list and chooses its last article.
    void remplir(std::vector<catalogue::Article> articles);
    // The label, the list and the buttons of articles.
    void desactiverZone();
    void activerBoutons(bool actif);
    void reposer();
    bool vide() const { return articles_.empty(); }

private:
    void construire(QWidget* cadre);
    void Bt_Ajout_Articles_Click(int index);
    void Bt_ValideAjoutArticles_Click(int index);
    void Bt_ValidModifArticles_Click(int index);
    void CheckArtSup_Click(bool coche);
    void SaisieAjoutArticles_Change(int index);

    void ouvrirAjout();
    void ouvrirModif();
    void supprimer();
    void annuler();
    // The entry row as an article; false when a box is empty (said).
    bool lireSaisie(catalogue::Article& article);
    const catalogue::Article* articleChoisi() const;

    FormTarifs& form_;
    QLabel* LbTarifArticle = nullptr;
    QComboBox* ComboArticles = nullptr;
    std::array<QPushButton*, 3> Bt_Ajout_Articles{};
    std::optional<LigneSaisie> ligne_;
    QLineEdit* TextRefArticle = nullptr;
    QCheckBox* CheckArtSup = nullptr;

    std::vector<catalogue::Article> articles_;
    qint64 articleModifie_ = 0; // fixed when the change starts
};
