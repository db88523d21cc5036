#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMenuBar;

// The main window's menus: "Fichier" (the prints of the board shown and of
// every board, "Quitter"), "Exporter" and "?". The entries that only open a
// document or a window do so themselves; the window wires the others, and
// names the documents that the print entries print as it writes them.
class MenusAccueil : public QObject {
public:
    MenusAccueil(QMenuBar* barre, QObject* parent);

    // No board shown: nothing of the board's to print.
    void desactiverImpression();

    // The document that "Imprimer ... en cours..." prints from now on:
    // etat::FichierImpression, which the sales printouts name too.
    void nommerDocument(const QString& chemin);
    // The cards and labels of the class shown last ("" for one not written),
    // their entries on for those written.
    void nommerCartes(const QString& cartes, const QString& etiquettes);
    // The cards and labels entries on again, for those written.
    void activerCartes();

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

    QString fichierCartes_;
    QString fichierEtiquettes_;
};
