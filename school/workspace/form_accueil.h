#pragma once

#include "common/ui/form.h"

#include <QString>

class AjoutEleve;
class AssistantGroupe;
class ListeChoix;
class PanneauTransfert;
class Planche;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
struct DocumentsEcrits;

// The school program's main window: the class and group lists, the board of
// portraits, the add-student zone, the class-change panel and the menus; the
// student draft and the group wizard run in their own classes, the window
// drawing the rest of the screen around their steps. Loading it starts the
// program.
class FormAccueil : public Form {
    Q_OBJECT
public:
    FormAccueil();

protected:
    void onLoad() override;
    void onActivate() override;
    void onUnload() override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    // A class board built on request, or rebuilt after a student's move or
    // removal (which keeps the scroll position and rewrites the board
    // document only).
    enum class Construction { Affichage, ApresTransfert, ApresSuppression };

    void creerColonneGauche();
    void creerZoneAjout(QWidget* colonne);
    void creerBandeau();
    void creerPlanche(QWidget* fond);
    void creerMenus();
    QPushButton* bouton(QWidget* parent, const QString& nom, const QString& texte, void (FormAccueil::*action)());
    QComboBox* liste(QWidget* parent, const QString& nom, int top, void (FormAccueil::*choix)(int));

    void remplirListeClasses();
    void remplirListeGroupes();
    void DBComboClasses_Choix(int index);
    void DBComboGroupe_Choix(int index);

    void Bt_Aficher_Click();
    void Aff_Groupe_Click();
    // reconstruction: after a removal, the menus and the scroll position stay.
    void construirePlancheGroupe(bool reconstruction);
    void construirePlancheClasse(Construction construction);
    void montrerErreurDocuments(const DocumentsEcrits& documents);
    void viderPlanches();
    void remettreDefilement();
    void desactiverImpression();
    void retirerPlanche();

    void ImageSuppEleve_Click(int index);
    void MNU_Trimestre_Click();
    void MNU_Imp_Toutes_Classes_Click();
    void MNU_Groupes_Click();

    void Bt_Ajout_Eleve_Click();
    void Bt_Ajout_Photo_Click();
    void Bt_Valide_Ajout_Eleve_Click();
    void fermerZoneAjout();
    void terminerAjoutGroupe();

    void Bt_Creer_Groupe_Click();
    void Bt_Etapes_Click(int index);
    void terminerAssistant();
    void Image2_Click(int index);
    void choisirEleve(int index);
    void descendreZoneAjout(int hauteur);
    void placerZonesBas();

    void ImageChgClasse_Click(int index);
    void transfertFerme();
    void abandonnerTransfert();

    void MNU_Aide_Click();

    QString nomEtab_; // LbNomEtab

    QComboBox* DBComboClasses = nullptr;
    QPushButton* Bt_Aficher = nullptr;
    QComboBox* DBComboGroupe = nullptr;
    QPushButton* Bt_Creer_Groupe = nullptr;
    QPushButton* Aff_Groupe = nullptr;
    ListeChoix* liste_ = nullptr;
    AssistantGroupe* assistant_ = nullptr;

    QFrame* Shape2 = nullptr;
    QLabel* LabelAjoutEleve = nullptr;
    QPushButton* Bt_Ajout_Eleve = nullptr;
    QPushButton* Bt_Valide_Ajout_Eleve = nullptr;
    AjoutEleve* ajoutEleve_ = nullptr;
    QFrame* Shape3 = nullptr;
    QLabel* LbCompta = nullptr;
    QPushButton* Bt_Vente = nullptr;
    PanneauTransfert* Frame2 = nullptr;

    QLabel* LbType = nullptr;
    QLabel* LbClasse = nullptr;

    QScrollArea* zonePlanche_ = nullptr;
    Planche* Frame1 = nullptr;

    QAction* MNU_Imprimer = nullptr;
    QAction* MNU_CARTES = nullptr;
    QAction* MNU_Etiquettes = nullptr;
    QAction* MNU_Trimestre = nullptr;
    QAction* MNU_Imp_Toutes_Classes = nullptr;
    QAction* MNU_Groupes = nullptr;
};
