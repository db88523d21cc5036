#pragma once

#include "common/ui/form.h"
#include <QRect>
#include <QSize>
#include <QStringList>

#include <array>
#include <vector>

class PlancheEleves;
class PriseDeVue;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;

// Places of the class buttons, in twips inside the scrolled frame: each
// button as wide as 200 twips a character, 200 twips apart, a new row once a
// button starts at 10000 or beyond.
std::vector<QRect> placerBoutonsClasse(const QStringList& classes);

// "Mode Prise de vues": the photographer's working screen for one
// establishment. Class buttons, then the board of the chosen class; a left
// click on a thumbnail marks the student who gets the next picture that the
// camera drops into the watched folder.
class ChoixClasse : public Form {
    Q_OBJECT
public:
    ChoixClasse();

protected:
    void onLoad() override;
    void onActivate() override;
    void onUnload() override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void construireHaut();
    void construireDroite();
    void construireMenus();
    void connecterLivraison(QAction* entree);

    void activer();
    void disposer();
    void retirerBoutonsClasse();
    // The scrolled frame holds the class buttons and the board.
    void ajusterCadre();
    void Bt_Classe_Click(int index);
    void OptionMain_Click(int index);
    void Photo_Click(int slot);
    void Photo_MouseDown(int slot, QPoint globalPos);

    // Capture.
    void Bt_Start_Click(int index);
    void captureDemarree();
    void arreterCapture();
    void marquer(int slot);
    void finDeClasse();
    void MNU_Sans_PC_Click();

    // Roster.
    void Bt_Ajout_Click(int index);
    void MNU_AjoutEleve_Click();
    void MNU_Change_Classe_Click();
    void MNU_Sup_Eleve_Click();
    void MNU_Créer_Classe_Click();
    void MNU_Changer_Click();
    void rebatirPlanche();
    void montrerSaisie(bool visible); // the entry boxes of the add panel in place of "Ajouter"
    void fermerAjout();
    void fermerChangement();
    QString dossierEtab() const;

    // Top band.
    QWidget* FrameHaut_;
    QProgressBar* ProgressBar1_;
    std::array<QPushButton*, 2> Bt_Start_;
    std::array<QRadioButton*, 2> OptionMain_;
    QLabel* LabelNom_;
    QLabel* LabelCP_;
    QLabel* LabelImpotrMan_;

    // Right-hand panel.
    QWidget* FrameCtDroit_;
    std::array<QPushButton*, 5> Bt_Ajout_;
    QGroupBox* Frame1_;
    QGroupBox* Frame2_;
    std::array<QLabel*, 3> Label1_;
    QLineEdit* TextNom_;
    QLineEdit* TextPrenom_;
    QComboBox* Combo1_;

    // Board area.
    QScrollBar* HScroll1_;
    QScrollBar* VScroll1_;
    QWidget* FrameImages_;
    QLabel* LabelClasse_;
    std::vector<QPushButton*> Bt_Classe_;
    QStringList classes_;
    QSize etendueBoutons_; // twips
    PlancheEleves* planche_;

    PriseDeVue* prise_;

    QMenu* MNU_Export_;
    QMenu* MNU_Final_;
    QAction* MNU_AjoutEleve_;
    QAction* MNU_Changer_;
    QAction* MNU_Créer_Classe_;
    QAction* MNU_Test_Prise_vue_;
    QAction* MNU_Net_hot_;
    QAction* MNU_Sans_PC_;
    QAction* MNU_Tarif_Etab_;
    QMenu* MNU_POPUP_ELEVES_;

    bool retourPropos_ = false;
    QString cleMenu_;          // student of the thumbnail whose pop-up menu was opened
    QString cleADeplacer_;     // student shown in the class-change panel
};
