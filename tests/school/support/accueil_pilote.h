#pragma once

#include "school/class_board/planche.h"
#include "school/workspace/form_accueil.h"

#include <QAction>
#include <QString>

#include <gtest/gtest.h>

// Drives the school main window by the names of its controls, as a user
// would: opens it on the fixture's data folder and unloads every window at
// the end. Resets the board state that the program keeps between windows.
class AccueilPilote {
public:
    AccueilPilote();
    ~AccueilPilote();
    AccueilPilote(const AccueilPilote&) = delete;
    AccueilPilote& operator=(const AccueilPilote&) = delete;

    FormAccueil& ouvrir();

    template <class W>
    W* controle(const QString& nom) const
    {
        W* widget = fenetre().findChild<W*>(nom);
        EXPECT_NE(widget, nullptr) << nom.toStdString();
        return widget;
    }
    QAction* menu(const QString& nom) const { return controle<QAction>(nom); }
    Planche& planche() const { return *controle<Planche>(QStringLiteral("Frame1")); }
    QStringList entrees(const QString& liste) const;

    void cliquer(const QString& nom) const;
    // A choice in a list, as the user makes it.
    void choisir(const QString& liste, const QString& texte) const;
    void afficherClasse(const QString& classe) const;
    void afficherGroupe(const QString& groupe) const;

private:
    FormAccueil& fenetre() const;
};
