#pragma once

#include "common/ui/clickable_label.h"
#include "common/ui/control_array.h"
#include "common/ui/elided_label.h"
#include "school/data/eleves.h"

#include <QLabel>

#include <QWidget>

#include <vector>

enum class TypePlanche { Classe, Groupe };

// The board frame "Frame1": one cell of portrait, names and icons per student.
// After construire() its size holds every cell (never smaller than its
// design size), so the main window's scroll bars can reach each of them.
// Pictures are read from etat::CheminDonnees.
class Planche : public QWidget {
    Q_OBJECT
public:
    explicit Planche(QWidget* parent = nullptr);

    // Clears, then builds one cell per student; in pick mode the icons are hidden.
    void construire(TypePlanche type, const std::vector<CelluleEleve>& cellules, bool modeChoix);
    // Removes every cell above 0 and hides cell 0.
    void vider();
    int nombre() const;
    TypePlanche type() const;
    const CelluleEleve& cellule(int index) const;
    // Reads the cell's picture again (after its file changed).
    void rechargerPortrait(int index);
    // Paints the surname of the student's cells on a class board green while
    // picked into a group, back to its own colour when the pick is taken back.
    // The student is known by photo code, names and class.
    void marquerChoisi(const CelluleEleve& eleve, bool choisi);

Q_SIGNALS:
    void portraitClique(int index);          // Image2_Click
    void suppressionDemandee(int index);     // ImageSuppEleve_Click
    void changementClasseDemande(int index); // ImageChgClasse_Click

private:
    // Element 0 holds every array of both kinds of board; a loaded element
    // only the arrays that its board uses.
    void creerCellule(int index);
    void creerNoms(bool avecClasse);
    void creerIcones(int index, bool avecChangement);
    void placer(int index);
    void remplir(int index, bool modeChoix);
    // vider() without the frame's new size.
    void retirerCellules();
    void ajusterTaille();

    TypePlanche type_ = TypePlanche::Classe;
    std::vector<CelluleEleve> donnees_;
    // One array per control of a cell; element 0 of each always exists.
    ControlArray<ClickableLabel> images_;
    ControlArray<ElidedLabel> noms_;
    ControlArray<ElidedLabel> prenoms_;
    ControlArray<ElidedLabel> classes_;
    ControlArray<ClickableLabel> suppressions_;
    ControlArray<ClickableLabel> changements_;
    ControlArray<QLabel> nums_;
    ControlArray<QLabel> codesImage_;
};
