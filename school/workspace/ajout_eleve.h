#pragma once

#include <QObject>
#include <QString>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The boxes of a student being typed, in the add-student zone.
struct SaisieEleve {
    QLabel* LbAjNom = nullptr;
    QLineEdit* TextRecupNom = nullptr;
    QLabel* LbAjoutPrenom = nullptr;
    QLineEdit* TextRecupPrenom = nullptr;
    QLabel* LbAjoutPhoto = nullptr;
    QPushButton* Bt_Ajout_Photo = nullptr;
};

// The draft of a student added to the class shown: its name boxes, the
// choice of its picture and its storing. Nothing is stored before the
// picture is chosen; the window closes its zone between asking for the
// picture and storing, so that any message shows over the closed zone.
class AjoutEleve : public QObject {
    Q_OBJECT
public:
    AjoutEleve(const SaisieEleve& saisie, QObject* parent);

    // Shows the empty boxes above the zone, the name box taking the focus.
    void ouvrir();
    bool ouvert() const { return ouvert_; }
    // Hides the boxes; what was typed stays readable for enregistrer().
    void fermer();

    // "Parcourir...": the chosen picture, "" when the dialog was cancelled.
    QString demanderPhoto() const;
    // Stores the typed student with the picture into etat::ClasseChoisie; true
    // when stored. No picture (the dialog was cancelled) drops the draft
    // silently; a missing name or a failed store is said in a message.
    bool enregistrer(const QString& fichierPhoto) const;

private:
    std::array<QWidget*, 6> boites() const;

    SaisieEleve saisie_;
    bool ouvert_ = false;
};
