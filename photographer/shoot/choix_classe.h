#pragma once

#include "common/ui/form.h"
#include "photographer/shoot/menus_prise_de_vue.h"

#include <QSize>
#include <QStringList>

#include <memory>

class BandeauPrise;
class BoutonsClasse;
class PanneauEleve;
class PlancheEleves;
class PriseDeVue;
class QLabel;
class QScrollArea;

// "Mode Prise de vues": the photographer's working screen for one
// establishment. A top band (the establishment, the shooting direction,
// Start/Stop), a scrolled frame with the class buttons then the board of the
// chosen class, and the student panel on the right. A left click on a
// thumbnail marks the student who gets the next picture that the camera
// drops into the watched folder.
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
    void construireCadre();
    void connecterPrise();
    void connecterPanneau();
    void connecterMenus();

    void activer();
    void disposer();
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
    void finDeClasse(const QStringList& originauxGardes);
    void MNU_Sans_PC_Click();
    // LbAttente says which camera file the capture waits for; hidden when none.
    void direAttente(const QString& ligne);

    // Roster.
    void ouvrirAjout();
    void ajouterEleve(const QString& nom, const QString& prenom);
    void changerClasse(const QString& cle, const QString& classe);
    void fermerAjout();
    void MNU_Change_Classe_Click();
    void MNU_Sup_Eleve_Click();
    void MNU_Créer_Classe_Click();
    void MNU_Changer_Click();
    void rebatirPlanche();
    // The board read again after a settling changed pictures or classes behind it; the mark stays.
    void relireClasse();

    BandeauPrise* bandeau_;
    PanneauEleve* panneau_;

    // Scrolled frame.
    QScrollArea* zoneImages_;
    QWidget* FrameImages_;
    QLabel* LabelClasse_;
    BoutonsClasse* boutons_;
    QStringList classes_;
    QSize etendueBoutons_; // twips
    PlancheEleves* planche_;

    QLabel* LbAttente_;
    PriseDeVue* prise_;
    std::unique_ptr<MenusPriseDeVue> menus_;

    bool retourPropos_ = false;
    QString cleMenu_; // student of the thumbnail whose pop-up menu was opened
};
