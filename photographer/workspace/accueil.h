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

    QToolButton* ImageNouveau_ = nullptr;
    QToolButton* ImageOuvrir_ = nullptr;
    QToolButton* Image1_ = nullptr;
    QLabel* Label1_ = nullptr;
    GrilleEtablissements* DBGridEtab_ = nullptr;
    QPushButton* Bt_Quitter_ = nullptr;
    QProgressBar* ProgressBar1_ = nullptr;
    QAction* MNU_Ouvrir_ = nullptr;
    QAction* MNU_Sup_1_ = nullptr;
    QAction* MNU_Modif_Nom_ = nullptr;

    bool occupe_ = false; // a deletion is running
};
