#include "school/workspace/form_accueil.h"

#include "school/class_board/planche.h"
#include "school/group_board/suppression.h"
#include "school/printing/commandes_impression.h"
#include "school/workspace/ajout_eleve.h"
#include "school/workspace/bandeau.h"
#include "school/workspace/colonne_gauche.h"
#include "school/workspace/menus_accueil.h"
#include "school/data/base.h"
#include "school/data/etat.h"

#include <QPushButton>

// The main window's commands that remove a board's student or member and
// print the documents of every board.

void FormAccueil::ImageSuppEleve_Click(int index)
{
    if (ajoutEleve_->ouvert() || index < 0 || index >= Frame1_->nombre())
        return;
    const BrancheSuppression branche = brancheSuppression(Frame1_->type(), etat::ModeCreationGroupe);
    if (!supprimerCellule(base::db(), Frame1_->cellule(index), branche))
        return;
    if (branche == BrancheSuppression::Classe) {
        construirePlancheClasse(Construction::ApresSuppression);
        remplirListeClasses();
        return;
    }
    construirePlancheGroupe(true);
    // A group without members is no longer a group.
    if (Frame1_->nombre() == 0)
        remplirListeGroupes();
}

void FormAccueil::retirerPlanche()
{
    viderPlanches();
    colonne_->Bt_Aficher->setEnabled(false);
    colonne_->Aff_Groupe->setEnabled(false);
    bandeau_->cacherTitre();
    menus_->MNU_Trimestre->setEnabled(false);
}

void FormAccueil::retirerPlancheEtImpressions()
{
    menus_->desactiverImpression();
    retirerPlanche();
}

void FormAccueil::MNU_Trimestre_Click()
{
    if (!etat::PlancheChargee || Frame1_->type() != TypePlanche::Classe)
        return;
    std::vector<CelluleEleve> eleves;
    for (int i = 0; i < Frame1_->nombre(); ++i)
        eleves.push_back(Frame1_->cellule(i));
    // The board print prints the last document written: now the sheet.
    const QString fiche = impressions::ouvrirFicheTrimestrielle(etat::CheminDonnees, etat::ClasseChoisie, eleves);
    if (fiche.isEmpty())
        return;
    menus_->nommerDocument(fiche);
    menus_->MNU_Imprimer->setEnabled(true);
}

// A collected print that was not made leaves the board on screen.

void FormAccueil::MNU_Imp_Toutes_Classes_Click()
{
    const QString recueil =
        impressions::imprimerToutesLesClasses(base::db(), etat::CheminDonnees, etat::FichierImpression);
    if (recueil.isEmpty())
        return;
    menus_->nommerDocument(recueil);
    retirerPlancheEtImpressions();
}

void FormAccueil::MNU_Groupes_Click()
{
    const QString recueil =
        impressions::imprimerTousLesGroupes(base::db(), etat::CheminDonnees, etat::FichierImpression);
    if (recueil.isEmpty())
        return;
    menus_->nommerDocument(recueil);
    retirerPlanche();
}
