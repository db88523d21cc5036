#pragma once

#include "common/database.h"

#include <QFrame>
#include <QString>

#include <optional>

class QComboBox;
class ElidedLabel;
class QPushButton;

// The student of that key as a move needs it; nullopt when no row has it.
struct EleveDeplace {
    QString nom, prenom;
};
std::optional<EleveDeplace> eleveParCle(db::Database& base, const QString& cdeEleve);

// Writes the class into the row of that key only, so that a namesake in
// another class is never moved. False when no row has the key.
bool changerClasse(db::Database& base, const QString& cdeEleve, const QString& classe);

// The class-change panel "Frame2" ("Transférer :") of the main window's left
// column, with its button "Valider" (Bt_ChangeClasse_0) standing below it in
// the same column. Both are hidden until a move icon opens the panel, and the
// panel has no cancel: it stays open, pointed at the last student asked for,
// until "Valider", or until another board is shown, which abandons it.
class PanneauDeplacement : public QFrame {
    Q_OBJECT
public:
    // colonne: the left column Frame3, which holds the panel and its button.
    explicit PanneauDeplacement(QWidget* colonne);

    // Names the student, refills the class list from the database and opens
    // it on classeActuelle. A key with no row says so and leaves the panel
    // as it was.
    void ouvrir(const QString& cdeEleve, const QString& classeActuelle);
    // Closes an open panel without moving anyone and forgets the move
    // (ferme() is emitted).
    void abandonner();

Q_SIGNALS:
    // "Valider" closed the panel: first ferme(), then, when the class picked
    // differs from the student's, eleveDeplace() once the row of that key
    // holds the new class.
    void eleveDeplace(const QString& ancienneClasse, const QString& nouvelleClasse);
    void ferme();

private:
    void Bt_ChangeClasse_Click();
    void fermer();

    ElidedLabel* eleve_;
    QComboBox* Combo1_;
    QPushButton* valider_;
    QString cdeEleve_;
    QString classeActuelle_;
};
