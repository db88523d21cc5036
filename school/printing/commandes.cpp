#include "school/printing/commandes.h"

#include "common/dialogs.h"
#include "common/paths.h"
#include "common/shell.h"
#include "school/class_board/documents.h"
#include "school/class_board/transfert.h"
#include "school/printing/impression.h"
#include "school/printing/recueils.h"
#include "school/data/etat.h"
#include "school/data/requetes.h"

namespace {

// Writes the document; its path, or "" after saying why it was not written.
QString ecrireDocument(const QString& cheminDonnees, const QString& nomFichier, const QStringList& lignes)
{
    const QString chemin = paths::join(cheminDonnees, {nomFichier});
    const QString erreur = html::ecrire(chemin, lignes);
    etat::FichierImpression = erreur.isEmpty() ? chemin : QString();
    if (!erreur.isEmpty())
        dialogs::message(erreur, dialogs::Icon::Critical);
    return etat::FichierImpression;
}

void imprimerPuisOuvrir(const QString& chemin)
{
    if (!chemin.isEmpty())
        imprimerDocument(chemin);
}

// Boards that have no one left (a class emptied since its name was listed)
// get no page.
void ajouterPage(std::vector<recueils::Page>& pages, const QString& cheminDonnees, const QString& nom,
                 const std::vector<CelluleEleve>& cellules)
{
    if (!cellules.empty())
        pages.push_back({nom, entreesDocument(cheminDonnees, cellules)});
}

} // namespace

void imprimerTousLesGroupes(db::Database& base, const QString& cheminDonnees)
{
    std::vector<recueils::Page> pages;
    for (const QString& groupe : requetes::groupes(base))
        ajouterPage(pages, cheminDonnees, groupe, membresDuGroupe(base, groupe));
    imprimerPuisOuvrir(ecrireDocument(cheminDonnees, QStringLiteral("filetemp.html"),
                                      recueils::tousLesTableaux(etat::NomEtabEnCours, QStringLiteral("Groupe"), pages)));
}

void imprimerToutesLesClasses(db::Database& base, const QString& cheminDonnees)
{
    std::vector<recueils::Page> pages;
    for (const QString& classe : requetes::classes(base))
        ajouterPage(pages, cheminDonnees, classe, elevesDeClasse(base, classe));
    imprimerPuisOuvrir(ecrireDocument(cheminDonnees, QStringLiteral("filetemp.html"),
                                      recueils::tousLesTableaux(etat::NomEtabEnCours, QStringLiteral("Classe"), pages)));
}

void ouvrirFicheTrimestrielle(const QString& cheminDonnees, const QString& classe,
                              const std::vector<CelluleEleve>& eleves)
{
    const html::Entete entete{etat::NomEtabEnCours, QStringLiteral("Classe :"), classe};
    const QString chemin = ecrireDocument(cheminDonnees, QStringLiteral("filetemp1.html"),
                                          recueils::ficheTrimestrielle(entete, entreesDocument(cheminDonnees, eleves)));
    if (!chemin.isEmpty())
        shell::openOrReport(chemin);
}
