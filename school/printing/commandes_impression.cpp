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

// Says why a document was not written; true when it was.
bool ecrit(const QString& erreur)
{
    if (erreur.isEmpty())
        return true;
    dialogs::message(erreur, dialogs::Icon::Critical);
    return false;
}

// The document that the board print names, when a collected print takes its
// file: put back when that print is not made.
class DocumentPrecedent {
public:
    DocumentPrecedent(const QString& chemin, const QString& documentImprime) : chemin_(chemin)
    {
        QFile fichier(chemin);
        if (documentImprime == chemin && fichier.open(QIODevice::ReadOnly))
            contenu_ = fichier.readAll();
    }

    void remettre() const
    {
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
    std::optional<QByteArray> contenu_;
};

QString imprimerRecueil(const QString& cheminDonnees, const QString& documentImprime, const QStringList& lignes)
{
    const QString chemin = paths::join(cheminDonnees, {QStringLiteral("filetemp.html")});
    const DocumentPrecedent precedent(chemin, documentImprime);
    if (!ecrit(html::ecrire(chemin, lignes)))
        return {};
    if (imprimerDocument(chemin))
        return chemin;
    precedent.remettre();
    return {};
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

QString imprimerTousLesGroupes(db::Database& base, const QString& cheminDonnees, const QString& documentImprime)
{
    std::vector<recueils::Page> pages;
    for (const QString& groupe : requetes::groupes(base))
        ajouterPage(pages, cheminDonnees, groupe, membresDuGroupe(base, groupe));
    return imprimerRecueil(cheminDonnees, documentImprime,
                           recueils::tousLesTableaux(etat::NomEtabEnCours, QStringLiteral("Groupe"), pages));
}

QString imprimerToutesLesClasses(db::Database& base, const QString& cheminDonnees, const QString& documentImprime)
{
    std::vector<recueils::Page> pages;
    for (const QString& classe : requetes::classes(base))
        ajouterPage(pages, cheminDonnees, classe, elevesDeClasse(base, classe));
    return imprimerRecueil(cheminDonnees, documentImprime,
                           recueils::tousLesTableaux(etat::NomEtabEnCours, QStringLiteral("Classe"), pages));
}

QString ouvrirFicheTrimestrielle(const QString& cheminDonnees, const QString& classe,
                                 const std::vector<CelluleEleve>& eleves)
{
    const html::Entete entete{etat::NomEtabEnCours, QStringLiteral("Classe :"), classe};
    const QString chemin = paths::join(cheminDonnees, {QStringLiteral("filetemp1.html")});
    if (!ecrit(html::ecrire(chemin, recueils::ficheTrimestrielle(entete, entreesDocument(cheminDonnees, eleves)))))
        return {};
    shell::openOrReport(chemin);
    return chemin;
}

} // namespace impressions
