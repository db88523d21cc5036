#pragma once

#include "school/class_board/planche.h"
#include "school/workspace/form_accueil.h"
#include "tests/school/support/pilote_fenetre.h"

#include <QAction>
#include <QString>

#include <gtest/gtest.h>

// Drives the school main window by the names of its controls, as a user
// would: opens it on the fixture's data folder and unloads every window at
// the end. Resets the board state that the program keeps between windows.
class AccueilPilote : public PiloteFenetre {
public:
    AccueilPilote();
    ~AccueilPilote();
    // Unloads every window of the program, the ones the main window opened included.
    void fermer();
    AccueilPilote(const AccueilPilote&) = delete;
    AccueilPilote& operator=(const AccueilPilote&) = delete;

    FormAccueil& ouvrir();

    QAction* menu(const QString& nom) const { return controle<QAction>(nom); }
    Planche& planche() const { return *controle<Planche>(QStringLiteral("Frame1")); }
    void afficherClasse(const QString& classe) const;
    void afficherGroupe(const QString& groupe) const;
};
