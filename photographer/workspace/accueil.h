#pragma once

#include "common/ui/form.h"

#include <optional>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class GrilleEtablissements;
class QToolButton;

// The photographer's main window: the list of establishments, the current
// establishment, and the commands that lead to the rest of the program.
class Accueil : public Form {
    Q_OBJECT
public:
    Accueil();

    // Makes it the window the screens go back to, created when needed.
    static void registerAsMainWindow();

protected:
    void onLoad() override;
    void onActivate() override;
    void onUnload() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void construireMenus();
    void construireFenetre();
    void activerCommandesEtablissement(bool actif);
    bool traiterArchivageDemande();

    void DBGridEtab_Click();
    void DBGridEtab_DblClick();
    void MNU_Import_Click();
    void MNU_Nouveau_Click();
    void MNU_Sup_1_Click();
    void MNU_Sauvegarde_Click();
    void MNU_Videbase_Click();
    void MNU_Modif_Nom_Click();
    void MNU_CSV_Click();
    void Bt_Quitter_Click();
    void Mnu_maj_Click();
    void Mnu_Photographe_Click();
    void MNU_App_Pho_Click();
    void MNU_Propos_Click();
    // Whether the photographer's record is filled in; nullopt when the base failed (said).
    std::optional<bool> ficheRenseignee();

    QToolButton* ImageNouveau = nullptr;
    QToolButton* ImageOuvrir = nullptr;
    QToolButton* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    GrilleEtablissements* DBGridEtab = nullptr;
    QPushButton* Bt_Quitter = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QAction* MNU_Ouvrir = nullptr;
    QAction* MNU_Sup_1 = nullptr;
    QAction* MNU_Modif_Nom = nullptr;

    bool occupe_ = false; // a deletion is running
};
