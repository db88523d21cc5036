#include "school/workspace/form_accueil.h"

#include "school/class_board/planche.h"
#include "school/group_board/suppression.h"
#include "school/printing/commandes.h"
#include "school/workspace/ajout_eleve.h"
#include "school/workspace/ecole_base.h"
#include "school/workspace/module_var.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

// The main window's commands that remove a board's student or member and
// print the documents of every board.

void FormAccueil::ImageSuppEleve_Click(int index)
{
    if (ajoutEleve_->ouvert() || index < 0 || index >= Frame1->nombre())
        return;
    const BrancheSuppression branche = brancheSuppression(Frame1->type(), mv::ModeCreationGroupe);
    if (!supprimerCellule(ecole::db(), Frame1->cellule(index), branche))
        return;
    if (branche == BrancheSuppression::Classe) {
        construirePlancheClasse(Construction::ApresSuppression);
        remplirListeClasses();
        return;
    }
    construirePlancheGroupe(true);
    // A group without members is no longer a group.
    if (Frame1->nombre() == 0)
        remplirListeGroupes();
}

void FormAccueil::retirerPlanche()
{
    viderPlanches();
    Bt_Aficher->setEnabled(false);
    Aff_Groupe->setEnabled(false);
    LbType->hide();
    LbClasse->hide();
    MNU_Trimestre->setEnabled(false);
}

void FormAccueil::MNU_Trimestre_Click()
{
    if (!mv::PlancheChargee || Frame1->type() != TypePlanche::Classe)
        return;
    std::vector<CelluleEleve> eleves;
    for (int i = 0; i < Frame1->nombre(); ++i)
        eleves.push_back(Frame1->cellule(i));
    ouvrirFicheTrimestrielle(mv::CheminDonnees, mv::ClasseChoisie, eleves);
}

void FormAccueil::MNU_Imp_Toutes_Classes_Click()
{
    desactiverImpression();
    retirerPlanche();
    imprimerToutesLesClasses(ecole::db(), mv::CheminDonnees);
}

void FormAccueil::MNU_Groupes_Click()
{
    retirerPlanche();
    imprimerTousLesGroupes(ecole::db(), mv::CheminDonnees);
}
