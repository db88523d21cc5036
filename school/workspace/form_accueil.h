#pragma once

#include "common/ui/form.h"

#include <QString>

#include <functional>

class AjoutEleve;
class AssistantGroupe;
class Bandeau;
class ColonneGauche;
class MenusAccueil;
class Planche;
class QComboBox;
class QPushButton;
class ZonePlanche;
struct DocumentsEcrits;

// The school program's main window: the left column (class and group lists,
// pick list, add-student zone, sales, class-change panel), the top band, the
// board area and the menus, each drawn by its own class; the student draft
// and the group wizard run in their own classes. The window wires the parts'
// commands and keeps the screen in step with them. Loading it starts the
// program.
class FormAccueil : public Form {
    Q_OBJECT
public:
    FormAccueil();

    // Makes it the window the screens go back to, when there is one.
    static void registerAsMainWindow();

protected:
    void onLoad() override;
    void onActivate() override;
    void onUnload() override;

private:
    // A class board built on request, or rebuilt after a student's move or
    // removal (which keeps the scroll position and rewrites the board
    // document only).
    enum class Construction { Affichage, ApresDeplacement, ApresSuppression };

    // A command whose failure is reported, the window staying usable.
    std::function<void()> commande(void (FormAccueil::*action)());
    std::function<void(int)> commande(void (FormAccueil::*action)(int));
    void relierPlanche();
    void relierColonne();
    void relierBandeau();
    void relierMenus();

    void remplirListeClasses();
    void remplirListeGroupes();
    void DBComboClasses_Choix(int index);
    void DBComboGroupe_Choix(int index);
    // A choice in a list: the board shown goes with its prints; the list's
    // "Afficher..." is the only one on, the other list waits.
    void quitterPlanche(QPushButton* afficher, QComboBox* autreListe);

    void Bt_Aficher_Click();
    void Aff_Groupe_Click();
    // reconstruction: after a removal, the menus and the scroll position stay.
    void construirePlancheGroupe(bool reconstruction);
    void construirePlancheClasse(Construction construction);
    // The board's document becomes the one its print entry prints; the entry
    // is on when it was written.
    void nommerPlanche(const DocumentsEcrits& documents);
    void montrerErreurDocuments(const DocumentsEcrits& documents);
    void viderPlanches();
    // No board left on screen: its heading goes, and "Afficher...".
    void retirerPlanche();
    // ...and nothing of it to print either, as when a class or a group with
    // no one left leaves its list.
    void retirerPlancheEtImpressions();

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

    void ImageChgClasse_Click(int index);
    void deplacementFerme();
    void abandonnerDeplacement();

    void MNU_Aide_Click();

    QString nomEtab_; // LbNomEtab

    ZonePlanche* zone_ = nullptr;
    Planche* Frame1_ = nullptr; // the board in zone_
    ColonneGauche* colonne_ = nullptr;
    Bandeau* bandeau_ = nullptr;
    MenusAccueil* menus_ = nullptr;
    AjoutEleve* ajoutEleve_ = nullptr;
    AssistantGroupe* assistant_ = nullptr;
};
