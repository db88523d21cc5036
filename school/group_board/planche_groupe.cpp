#include "school/group_board/planche_groupe.h"

#include "school/data/eleves.h"
#include "school/data/etat.h"

namespace planche_groupe {

std::optional<DocumentsEcrits> construire(Planche& planche, db::Database& base, const QString& cheminDonnees,
                                          const QString& groupe, bool modeChoix)
{
    const std::vector<CelluleEleve> membres = membresDuGroupe(base, groupe);
    if (membres.empty())
        return std::nullopt;
    planche.construire(TypePlanche::Groupe, membres, modeChoix);
    return ecrireDocument(cheminDonnees, groupe, membres);
}

DocumentsEcrits ecrireDocument(const QString& cheminDonnees, const QString& groupe,
                               const std::vector<CelluleEleve>& membres)
{
    return ecrirePlanche(cheminDonnees, {etat::NomEtabEnCours, QStringLiteral("Groupe :"), groupe}, membres,
                         html::Forme::Groupe);
}

} // namespace planche_groupe
