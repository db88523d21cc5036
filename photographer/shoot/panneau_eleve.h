#pragma once

#include "photographer/data/roster.h"

#include <QStringList>
#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The shooting screen's right-hand panel: "Ajout élève" (a student typed in
// for the class shown) and "Changer de classe" (the student picked on the
// board moved to another class). It checks what is typed; the screen does
// the roster change and closes the part that asked for it.
class PanneauEleve : public QWidget {
    Q_OBJECT
public:
    explicit PanneauEleve(QWidget* parent);

    // A class is shown: the add panel and its "Ajouter" button appear.
    void montrerClasse(bool visible);
    void ouvrirAjout();
    void fermerAjout();
    // Offers every class of the establishment as the destination.
    void ouvrirChangement(const roster::Eleve& eleve, const QStringList& classes);
    void fermerChangement();

Q_SIGNALS:
    void ajoutDemande();
    void ajoutValide(const QString& nom, const QString& prenom);
    void ajoutAnnule();
    void changementValide(const QString& cle, const QString& classe);
    void fermer();

private:
    void construireAjout();
    void construireChangement();
    void construireBoutons();
    void Bt_Ajout_Click(int index);
    void validerAjout();
    void validerChangement();
    void montrerSaisie(bool visible); // the entry boxes in place of "Ajouter"

    std::array<QPushButton*, 5> Bt_Ajout_;
    QGroupBox* Frame1_;
    QGroupBox* Frame2_;
    std::array<QLabel*, 3> Label1_;
    QLineEdit* TextNom_;
    QLineEdit* TextPrenom_;
    QComboBox* Combo1_;
    QString cleADeplacer_; // student shown in the class-change part
};
