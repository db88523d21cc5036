#pragma once

#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// The shooting screen's menu bar and the pop-up menu of a thumbnail. The
// screen connects the entries and enables them as the shoot goes.
class MenusPriseDeVue {
public:
    MenusPriseDeVue(QMenuBar* barre, QWidget* ecran);

    QAction* MNU_AjoutEleve;
    QAction* MNU_Changer;
    QAction* MNU_Créer_Classe;
    QMenu* MNU_Export;
    QMenu* MNU_Final;
    std::vector<QAction*> livraisons; // each named after its delivery
    QAction* MNU_Test_Prise_vue;
    QAction* MNU_Net_hot;
    QAction* MNU_Purge_Hot;
    QAction* MNU_Sans_PC;
    QAction* MNU_Tarif_Etab;
    QAction* MNU_Propos;
    QMenu* MNU_POPUP_ELEVES;
    QAction* MNU_Change_Classe;
    QAction* MNU_Sup_Eleve;

private:
    void construireClasses(QMenuBar* barre);
    void construireExportations(QMenuBar* barre);
    void construireOutils(QMenuBar* barre);
    void construireAide(QMenuBar* barre);
    void construirePopup(QWidget* ecran);
};
