#include "school/sales/impressions_ventes.h"

#include "common/dialogs.h"
#include "common/paths.h"
#include "common/shell.h"
#include "common/wallclock.h"
#include "school/class_board/html.h"
#include "school/class_board/planche.h"
#include "school/sales/documents_ventes.h"
#include "school/sales/tarifs.h"
#include "school/data/etat.h"

#include <QDateTime>

namespace impressions_ventes {

namespace {

// True once the document is written and handed to the printer; only then
// does the print entry name it. A file that cannot be written is said; a
// print the user cancelled changes nothing.
bool ecrireEtImprimer(const char* nomFichier, const QStringList& lignes)
{
    const QString fichier = chemin(nomFichier);
    const QString erreur = html::ecrire(fichier, lignes);
    if (!erreur.isEmpty()) {
        dialogs::message(erreur, dialogs::Icon::Critical);
        return false;
    }
    if (!shell::service().print(fichier))
        return false;
    etat::FichierImpression = fichier;
    return true;
}

documents_ventes::Entete entete(db::Database& base)
{
    return {etat::NomEtabEnCours, ventes::etablissement(base), wallclock::now()};
}

// The board's rule: the picture named by the photo code, else by the names.
QString photo(const LigneVente& ligne)
{
    CelluleEleve eleve;
    eleve.nom = ligne.nom;
    eleve.prenom = ligne.prenom;
    eleve.codePhoto = ligne.nomPhoto;
    return cheminPhoto(etat::CheminDonnees, eleve);
}

} // namespace

QString chemin(const char* nomFichier)
{
    return paths::join(paths::dataDir(), {QString::fromLatin1(nomFichier)});
}

std::vector<LigneVente> imprimerBordereau(db::Database& base, const std::vector<LigneVente>& affichees)
{
    ventes::marquer(base, affichees);
    const std::vector<LigneVente> lignes = ventes::marquees(base);
    if (lignes.empty()) {
        dialogs::message(QStringLiteral("Aucune recommande à imprimer."), dialogs::Icon::Information);
        return lignes;
    }
    // The marks are consumed only once the form went to the printer, so a
    // failed write or a cancelled print leaves every line waiting for the next attempt.
    if (!ecrireEtImprimer(kBordereau, documents_ventes::bordereau(entete(base), lignes, photo)))
        return lignes;
    ventes::effacerMarques(base, lignes);
    std::vector<LigneVente> imprimees = lignes;
    for (LigneVente& ligne : imprimees)
        ligne.marqueRecommande.clear();
    return imprimees;
}

std::optional<std::vector<LigneVente>> imprimerDetail(db::Database& base)
{
    std::vector<LigneVente> lignes = ventes::pourDetail(base);
    if (!ecrireEtImprimer(kDetail, documents_ventes::detail(entete(base), lignes)))
        return std::nullopt;
    return lignes;
}

void imprimerRecapitulatif(db::Database& base)
{
    const std::vector<LigneVente> lignes = ventes::toutes(base);
    ecrireEtImprimer(kRecapitulatif,
                     documents_ventes::recapitulatif(ventes::etablissement(base), wallclock::today(), lignes,
                                                     tarifs::parCle(base), ventes::totaux(lignes)));
}

} // namespace impressions_ventes
