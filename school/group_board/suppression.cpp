#include "school/group_board/suppression.h"

#include "common/dialogs.h"
#include "school/data/requetes.h"

BrancheSuppression brancheSuppression(TypePlanche planche, bool modeCreationGroupe)
{
    if (planche == TypePlanche::Groupe)
        return BrancheSuppression::Groupe;
    // A class cell carries a student key, which must never be looked for
    // among the memberships of a group.
    return modeCreationGroupe ? BrancheSuppression::Aucune : BrancheSuppression::Classe;
}

bool supprimerCellule(db::Database& base, const CelluleEleve& cellule, BrancheSuppression branche)
{
    if (branche == BrancheSuppression::Aucune)
        return false;
    if (dialogs::message(QStringLiteral("Voulez vous effacer cet élève de la base de donnée ?"),
                         dialogs::Icon::Question, dialogs::Buttons::YesNo,
                         QStringLiteral("Suppression ?")) != dialogs::Answer::Yes)
        return false;

    const bool supprime =
        branche == BrancheSuppression::Classe
            ? base.exec(QStringLiteral("DELETE FROM Eleves WHERE CdeEleves = ?"), {cellule.cdeEleve}) > 0
            : requetes::retirerDuGroupe(base, cellule.cdeGroupes.toLongLong());
    if (!supprime)
        dialogs::message(QStringLiteral("%1 %2 n'est plus dans la base de données : la planche est mise à jour.")
                             .arg(cellule.prenom, cellule.nom),
                         dialogs::Icon::Information);
    return true;
}
