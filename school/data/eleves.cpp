#include "school/data/eleves.h"

#include "common/paths.h"
#include "common/pictures.h"

// A group board cell is a Goupes row: N_Eleves names the member's picture and
// is the key the member's removal looks for; the row key removes the row itself.
std::vector<CelluleEleve> membresDuGroupe(db::Database& base, const QString& groupe)
{
    std::vector<CelluleEleve> membres;
    const db::Rows lignes = base.query(
        QStringLiteral("SELECT CdeGroupes, N_Eleves, Classe, Nom, Prenom FROM Goupes WHERE NomGroupe = ?1 COLLATE FR "
                       "ORDER BY Nom COLLATE FR, CdeGroupes"),
        {groupe});
    membres.reserve(lignes.size());
    for (const db::Row& l : lignes)
        membres.push_back({l[u"N_Eleves"], l[u"Nom"], l[u"Prenom"], l[u"N_Eleves"], l[u"Classe"], l[u"CdeGroupes"]});
    return membres;
}

std::vector<CelluleEleve> elevesDeClasse(db::Database& base, const QString& classe)
{
    std::vector<CelluleEleve> eleves;
    const db::Rows lignes = base.query(
        QStringLiteral("SELECT CdeEleves, Nom, Prenom, NomPhoto, Classe FROM Eleves WHERE Classe = ?1 COLLATE FR "
                       "ORDER BY Nom COLLATE FR, CdeEleves"),
        {classe});
    eleves.reserve(lignes.size());
    for (const db::Row& l : lignes)
        eleves.push_back({l[u"CdeEleves"], l[u"Nom"], l[u"Prenom"], l[u"NomPhoto"], l[u"Classe"], {}});
    return eleves;
}

QString cheminPhoto(const QString& cheminDonnees, const CelluleEleve& cellule)
{
    return pictures::findStudentPicture(paths::join(cheminDonnees, {QStringLiteral("images")}), cellule.codePhoto,
                                        cellule.nom, cellule.prenom);
}
