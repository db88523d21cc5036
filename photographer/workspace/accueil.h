#pragma once

#include "common/ui/form.h"

#include <optional>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QToolButton;

// The photographer's main window: the list of establishments, the current
// establishment, and the commands that lead to the rest of the program.
class Accueil : public Form {
    Q_OBJECT
public:
    Accueil();

protected:
    void onLoad() override;
    void onActivate() override;
    void onUnload() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void construireMenus();
    void construireFenetre();
    void rafraichirListe();
    void activerCommandesEtablissement(bool actif);
    bool traiterArchivageDemande();

    void DBGridEtab_Click();
    void DBGridEtab_DblClick();
    void DBGridEtab_RowColChange();
    // A cell of the list was edited: the name renames (once the warning was answered OK; `confirme`
    // when the rename command's was), the postal code is stored.
    void DBGridEtab_AfterColUpdate(const QString& code, int colonne, const QString& texte, bool confirme);
    void MNU_Import_Click();
    void MNU_Nouveau_Click();
    void MNU_Sup_1_Click();
    void MNU_Sauvegarde_Click();
    void MNU_Videbase_Click();
    void MNU_Modif_Nom_Click();
    // The rename warning, answered OK.
    bool renommageConfirme();
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
    QTableWidget* DBGridEtab = nullptr;
    QPushButton* Bt_Quitter = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QAction* MNU_Ouvrir = nullptr;
    QAction* MNU_Sup_1 = nullptr;
    QAction* MNU_Modif_Nom = nullptr;

    bool occupe_ = false; // a deletion is running
    bool renommageConfirme_ = false; // the rename command's warning was answered OK for the edit under way
};
