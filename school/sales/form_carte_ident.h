#pragma once

#include "common/ui/form.h"
#include "school/sales/fiche_eleve.h"
#include "school/sales/tarifs.h"

#include <QImage>

#include <optional>
#include <vector>

class PanneauCommande;
class PhotoEnAttente;
class QLabel;
class QLineEdit;
class QPushButton;

// The student's identity card, opened from a portrait of the class board
// (etat::CdeEleveChoisi, etat::IndexPhotoChoisie): the record, the picture and,
// below them, the order panel. Only "Valider" stores; "Annuler" and the close
// box leave everything as it was.
class FormCarteIdent : public Form {
    Q_OBJECT
public:
    FormCarteIdent();

Q_SIGNALS:
    // The board cell of that index must read its picture again.
    void photoRemplacee(int index);

protected:
    void onLoad() override;
    void onActivate() override;
    void onUnload() override;

private:
    QLineEdit* entree(const QString& nom, int indexLibelle, const QString& libelle, int labelLeft, int labelTop,
                      int left, int top, int width);
    bool chargerEleve();
    void afficherPhoto();
    void Bt_Changer_Click();
    void Bt_ValideIdentite_Click(int index);
    void valider();
    void ouvrirPanneau();
    FicheEleve ficheSaisie() const;
    static QString cheminPhoto(const FicheEleve& fiche);
    // Writes the new portrait under a temporary name beside its place; false, said, when it cannot.
    bool preparerPhoto(PhotoEnAttente& photo) const;

    std::optional<FicheEleve> fiche_;
    std::vector<Tarif> tarifs_;
    bool charge_ = false;
    QImage nouvellePhoto_; // chosen by "Changer...", written by "Valider"

    QLabel* ImageIdentite_ = nullptr;
    QLineEdit* TextNom_ = nullptr;
    QLineEdit* TextPrenom_ = nullptr;
    QLineEdit* TextNaissance_ = nullptr;
    QLineEdit* TextClasse_ = nullptr;
    QLineEdit* TextRegime_ = nullptr;
    QLineEdit* TextINE_ = nullptr;
    QLineEdit* TextNumInterne_ = nullptr;
    QPushButton* Bt_Valider_ = nullptr;
    QPushButton* Bt_Annuler_ = nullptr;
    QPushButton* Bt_VentePhotos_ = nullptr;
    PanneauCommande* panneau_ = nullptr;
    bool panneauOuvert_ = false;
};
