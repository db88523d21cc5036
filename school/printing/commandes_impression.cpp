#include "school/printing/commandes_impression.h"

#include "common/dialogs.h"
#include "common/files.h"
#include "common/paths.h"
#include "common/shell.h"
#include "school/class_board/documents.h"
#include "school/printing/impression.h"
#include "school/printing/recueils.h"
#include "school/data/etat.h"
#include "school/data/requetes.h"

#include <QFile>

#include <optional>

namespace impressions {

namespace {

// Writes the document and names it in etat::FichierImpression; false, with
// nothing changed, after saying why it was not written.
bool ecrireDocument(const QString& chemin, const QStringList& lignes)
{
    const QString erreur = html::ecrire(chemin, lignes);
    if (!erreur.isEmpty()) {
        dialogs::message(erreur, dialogs::Icon::Critical);
        return false;
    }
    etat::FichierImpression = chemin;
    return true;
}

// The document that the board print named before a collected print took its
// file, to put back when that print is not made.
class DocumentPrecedent {
public:
    explicit DocumentPrecedent(const QString& chemin) : chemin_(chemin)
    {
        QFile fichier(chemin);
        if (fichierImpression_ == chemin && fichier.open(QIODevice::ReadOnly))
            contenu_ = fichier.readAll();
    }

    void remettre() const
    {
        if (fichierImpression_ != chemin_) {
            etat::FichierImpression = fichierImpression_;
            return;
        }
        // Unread or not put back, the file holds the collected document whole,
        // which the board print then prints.
        if (!contenu_)
            return;
        const QString erreur = files::writeWhole(chemin_, *contenu_);
        if (!erreur.isEmpty())
            dialogs::message(erreur, dialogs::Icon::Critical);
    }

private:
    QString chemin_;
    QString fichierImpression_ = etat::FichierImpression;
    std::optional<QByteArray> contenu_;
};

bool imprimerRecueil(const QString& cheminDonnees, const QStringList& lignes)
{
    const QString chemin = paths::join(cheminDonnees, {QStringLiteral("filetemp.html")});
    const DocumentPrecedent precedent(chemin);
    if (!ecrireDocument(chemin, lignes))
        return false;
    if (imprimerDocument(chemin))
        return true;
    precedent.remettre();
    return false;
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

bool imprimerTousLesGroupes(db::Database& base, const QString& cheminDonnees)
{
    std::vector<recueils::Page> pages;
    for (const QString& groupe : requetes::groupes(base))
        ajouterPage(pages, cheminDonnees, groupe, membresDuGroupe(base, groupe));
    return imprimerRecueil(cheminDonnees,
                           recueils::tousLesTableaux(etat::NomEtabEnCours, QStringLiteral("Groupe"), pages));
}

bool imprimerToutesLesClasses(db::Database& base, const QString& cheminDonnees)
{
    std::vector<recueils::Page> pages;
    for (const QString& classe : requetes::classes(base))
        ajouterPage(pages, cheminDonnees, classe, elevesDeClasse(base, classe));
    return imprimerRecueil(cheminDonnees,
                           recueils::tousLesTableaux(etat::NomEtabEnCours, QStringLiteral("Classe"), pages));
}

bool ouvrirFicheTrimestrielle(const QString& cheminDonnees, const QString& classe,
                              const std::vector<CelluleEleve>& eleves)
{
    const html::Entete entete{etat::NomEtabEnCours, QStringLiteral("Classe :"), classe};
    const QString chemin = paths::join(cheminDonnees, {QStringLiteral("filetemp1.html")});
    if (!ecrireDocument(chemin, recueils::ficheTrimestrielle(entete, entreesDocument(cheminDonnees, eleves))))
        return false;
    shell::openOrReport(chemin);
    return true;
}

} // namespace impressions
