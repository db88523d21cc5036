#pragma once

#include "common/ui/form.h"
#include "photographer/prices/catalogue.h"
#include "photographer/prices/tarifs_etab.h"

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The current establishment's resale prices, in three steps: one pack and its
// two prices, the ticked articles, then the pack's incomplete packs. The new
// list replaces the stored one whole at "Terminer"; until then the
// establishment keeps its previous list, and leaving earlier says so.
class FormTarifEtab : public Form {
    Q_OBJECT
public:
    FormTarifEtab();

protected:
    void onLoad() override;
    void onActivate() override;
    void onUnload() override;

private:
    struct RangArticle {
        catalogue::Produit article;
        QCheckBox* coche;
        QLineEdit* prix;
        QLineEdit* prixRec;
    };
    struct RangIncomplete {
        catalogue::PochetteIncomplete incomplete;
        QLabel* nom;
        QLineEdit* prix;
    };

    void construire();
    void Bt_Suite_1_Click(int index);
    void CheckArticle_Click(std::size_t rang, bool coche);
    void validerPochette();
    void validerArticles();
    void terminer();
    void montrerArticles();
    void montrerIncompletes();
    void imprimerFeuille();
    // Why a stored photographer's price stops the wizard: it cannot be compared with.
    static QString prixPhotographeRefuse(const QString& nom, const QString& prix);
    static QString prixPhotographeRefuse(const catalogue::Produit& produit);
    // Shows a refusal and puts the focus in the box.
    void refuser(QLineEdit* boite, const QString& message);
    QLineEdit* boitePrix(int gauche, int haut, int largeur, const QString& nom);
    void agrandirCadre(int hauteur);

    QWidget* Frame1_ = nullptr;
    QComboBox* ComboChoixPochette_ = nullptr;
    QLineEdit* TextSaisiePrixEleve_ = nullptr;
    QLineEdit* TextSaisiePrixRecEleve_ = nullptr;
    std::array<QLabel*, 4> Label4_{};
    std::array<QPushButton*, 3> Bt_Suite_1_{};
    QLabel* Label1_ = nullptr;
    QLabel* Label2_ = nullptr;
    QLabel* LbNbArticleSel_ = nullptr;
    QLabel* LbNb_ = nullptr;
    QLabel* LabelPochetteIncomplete_ = nullptr;

    std::vector<catalogue::Produit> pochettes_;
    tarifs_etab::Liste liste_; // filled step by step, stored at the last one
    std::vector<RangArticle> articles_;
    std::vector<RangIncomplete> incompletes_;
    int nbCoches_ = 0;
    int hautSuite_ = 0; // top of the articles' "Suivant >>", in twips
    bool active_ = false;
    bool enregistree_ = false;
};

// The shooting screen's "Ressaisir les tarifs établissement...": asks first,
// then hides the shooting screen and opens the wizard.
void ressaisirTarifsEtablissement(Form& ecranPrise);
