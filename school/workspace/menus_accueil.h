#pragma once

#include <QObject>

class QAction;
class QMenuBar;

// The main window's menus: "Fichier" (the prints of the board shown and of
// every board, "Quitter"), "Exporter" and "?". The entries that only open a
// document or a window do so themselves; the window wires the others.
class MenusAccueil : public QObject {
public:
    MenusAccueil(QMenuBar* barre, QObject* parent);

    // No board shown: nothing of the board's to print.
    void desactiverImpression();

    QAction* MNU_Imprimer = nullptr;
    QAction* MNU_Trimestre = nullptr;
    QAction* MNU_CARTES = nullptr;
    QAction* MNU_Etiquettes = nullptr;
    QAction* MNU_Imp_Toutes_Classes = nullptr;
    QAction* MNU_Groupes = nullptr;
    QAction* MNU_Quitter = nullptr;
    QAction* MNU_Aide = nullptr;

private:
    void creerFichier(QMenuBar* barre);
    void creerAutres(QMenuBar* barre);
};
