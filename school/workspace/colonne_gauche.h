#pragma once

#include "school/workspace/ajout_eleve.h"

#include <QFrame>

class ListeChoix;
class PanneauDeplacement;
class QComboBox;
class QLabel;
class QPushButton;

// The main window's left column "Frame3", top to bottom: the class list, the
// group list, the pick list, the add-student zone (with the boxes of a
// student being typed), the sales zone and the class-change panel. It draws
// its controls and moves its lower zones; the window wires their commands.
class ColonneGauche : public QFrame {
public:
    explicit ColonneGauche(QWidget* fond);

    // The add-student zone grows over the sales zone while a student is
    // typed, and comes back to rest after.
    void agrandirZoneAjout();
    void reposerZoneAjout();
    // The zones under the pick list move down by a line added to it (pixels).
    void descendreZones(int hauteur);
    // After a list was filled: its drop-down shows the longest class or
    // group name whole, wider than the column when it must be.
    static void elargirListe(QComboBox* liste);
    // Back under a one-line pick list, all shown, "Ajouter" waiting for a board.
    void placerZonesBas();

    QComboBox* DBComboClasses = nullptr;
    QPushButton* Bt_Aficher = nullptr;
    QPushButton* Bt_Creer_Groupe = nullptr;
    QComboBox* DBComboGroupe = nullptr;
    QPushButton* Aff_Groupe = nullptr;
    ListeChoix* liste = nullptr;

    QFrame* Shape2 = nullptr;
    QLabel* LabelAjoutEleve = nullptr;
    QPushButton* Bt_Ajout_Eleve = nullptr;
    QPushButton* Bt_Valide_Ajout_Eleve = nullptr;
    SaisieEleve saisie;

    QFrame* Shape3 = nullptr;
    QLabel* LbCompta = nullptr;
    QPushButton* Bt_Vente = nullptr;
    PanneauDeplacement* Frame2 = nullptr;

private:
    void creerListes();
    void creerZoneAjout();
    void creerSaisie();
    void creerZoneVente();
};
