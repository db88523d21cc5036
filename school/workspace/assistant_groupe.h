#pragma once

#include "school/class_board/planche.h"

#include <QObject>
#include <QString>
#include <QtGlobal>

#include <vector>

class ListeChoix;
class QLabel;
class QLineEdit;
class QPushButton;

// The wizard's own controls in the main window's top band.
struct EtapesAssistant {
    QLabel* ImageEtape1 = nullptr;
    QLabel* ImageEtape2 = nullptr;
    QLabel* LabelDonnerNom = nullptr;
    QLineEdit* SaisieNomGroupe = nullptr;
    QPushButton* Valider = nullptr; // Bt_Etapes_0
    QPushButton* Termine = nullptr; // Bt_Etapes_1
};

// The group wizard and the group addition: naming a new group, picking
// students from class boards into its Goupes rows, taking picks back, and
// ending with a message. Keeps etat::ModeCreationGroupe and etat::NomGroupeValide;
// the window does the rest of the screen after each step, from what the step
// returns. Database failures propagate.
class AssistantGroupe : public QObject {
    Q_OBJECT
public:
    AssistantGroupe(const EtapesAssistant& etapes, ListeChoix& liste, Planche& planche, QObject* parent);

    // The wizard's first step: the name box.
    void demarrer();
    // "Valider": true when the typed name was taken (picks may begin), else
    // the refusal was said and the box is cleared.
    bool validerNom();
    // "Terminé": says whether the group was made and leaves the wizard.
    void terminer();

    // Picking students into etat::NomNouveauGroupe, the group on screen.
    void commencerAjout();
    bool ajoutEnCours() const { return ajout_; }
    // Ends the addition; true when a pick was kept, else "Ajout Annulé." was said.
    bool terminerAjout();

    // A class opened during the picks becomes a heading of the pick list.
    void classeOuverte(const QString& classe);
    // Puts the student of a class board cell into the group; false when
    // already a member.
    bool choisir(int index);
    // Takes back the pick of a line of the pick list.
    void retirer(int index);

private:
    void masquerEtapes();

    EtapesAssistant etapes_;
    ListeChoix& liste_;
    Planche& planche_;
    struct Choix {
        qint64 cle; // the Goupes row written
        CelluleEleve eleve;
    };

    bool ajout_ = false;
    std::vector<Choix> lignesEcrites_; // the picks under way
};
