#include "school/class_board/documents.h"

#include "common/paths.h"
#include "school/data/etat.h"

std::vector<html::Entree> entreesDocument(const QString& cheminDonnees, const std::vector<CelluleEleve>& cellules)
{
    std::vector<html::Entree> resultat;
    resultat.reserve(cellules.size());
    for (const CelluleEleve& c : cellules)
        resultat.push_back({c.nom, c.prenom, c.classe, cheminPhoto(cheminDonnees, c)});
    return resultat;
}

namespace {

// Writes one document; its path when written, else "" with the message added.
QString ecrireUn(const QString& chemin, const QStringList& lignes, QString& erreur)
{
    const QString message = html::ecrire(chemin, lignes);
    if (message.isEmpty())
        return chemin;
    if (!erreur.isEmpty())
        erreur += QLatin1Char('\n');
    erreur += message;
    return {};
}

DocumentsEcrits ecrire(const QString& cheminDonnees, const html::Entete& entete,
                       const std::vector<html::Entree>& liste, html::Forme forme, bool avecCartes)
{
    DocumentsEcrits ecrits;
    ecrits.planche = ecrireUn(paths::join(cheminDonnees, {QStringLiteral("filetemp.html")}),
                              html::planche(entete, liste, forme), ecrits.erreur);
    if (!avecCartes)
        return ecrits;
    ecrits.cartes = ecrireUn(paths::join(cheminDonnees, {QStringLiteral("filetempCrte.html")}),
                             html::cartes(entete, liste), ecrits.erreur);
    ecrits.etiquettes = ecrireUn(paths::join(cheminDonnees, {QStringLiteral("filetempEtiq.html")}),
                                 html::etiquettes(entete, liste), ecrits.erreur);
    return ecrits;
}

html::Entete enteteClasse(const QString& classe)
{
    return {etat::NomEtabEnCours, QStringLiteral("Classe :"), classe};
}

} // namespace

DocumentsEcrits ecrireDocumentsClasse(const QString& cheminDonnees, const QString& classe,
                                      const std::vector<CelluleEleve>& cellules)
{
    return ecrire(cheminDonnees, enteteClasse(classe), entreesDocument(cheminDonnees, cellules), html::Forme::Classe, true);
}

DocumentsEcrits ecrirePlancheClasse(const QString& cheminDonnees, const QString& classe,
                                    const std::vector<CelluleEleve>& cellules)
{
    return ecrirePlanche(cheminDonnees, enteteClasse(classe), cellules, html::Forme::ClasseReconstruite);
}

DocumentsEcrits ecrirePlancheApresSuppression(const QString& cheminDonnees, const QString& classe,
                                              const std::vector<CelluleEleve>& cellules)
{
    return ecrirePlanche(cheminDonnees, enteteClasse(classe), cellules, html::Forme::ClasseApresSuppression);
}

DocumentsEcrits ecrirePlanche(const QString& cheminDonnees, const html::Entete& entete,
                              const std::vector<CelluleEleve>& cellules, html::Forme forme)
{
    return ecrire(cheminDonnees, entete, entreesDocument(cheminDonnees, cellules), forme, false);
}
