#include "photographer/data/deplacements.h"

#include "photographer/data/base.h"
#include "photographer/data/roster.h"

namespace deplacements {

void annoncer(const Deplacement& deplacement)
{
    db::Database& database = base::db();
    db::Database::Transaction transaction(database);
    for (const Renommage& renommage : deplacement.renommages)
        database.insert(QStringLiteral("INSERT INTO DeplacementsPhotos (CdeEleves, Classe, Origine, Destination) "
                                       "VALUES (?, ?, ?, ?)"),
                        {deplacement.cle, deplacement.classe, renommage.origine, renommage.destination});
    transaction.commit();
}

bool conclure(const QString& cle, const QString& classe)
{
    db::Database& database = base::db();
    db::Database::Transaction transaction(database);
    if (!roster::changerClasse(cle, classe))
        return false;
    database.exec(QStringLiteral("DELETE FROM DeplacementsPhotos WHERE CdeEleves = ?"), {cle});
    transaction.commit();
    return true;
}

void abandonner(const QString& cle)
{
    base::db().exec(QStringLiteral("DELETE FROM DeplacementsPhotos WHERE CdeEleves = ?"), {cle});
}

std::vector<Deplacement> enCours()
{
    std::vector<Deplacement> resultat;
    for (const db::Row& ligne : base::db().query(QStringLiteral(
             "SELECT d.CdeEleves, d.Classe, d.Origine, d.Destination, e.CodeEtablissement, e.Nom, e.Prenom "
             "FROM DeplacementsPhotos d LEFT JOIN Eleves e ON e.CdeEleves = d.CdeEleves ORDER BY d.CdeDeplacement"))) {
        if (resultat.empty() || resultat.back().cle != ligne.at(0))
            resultat.push_back({ligne.at(0), ligne.at(1), {}, ligne.at(4), ligne.at(5), ligne.at(6)});
        resultat.back().renommages.push_back({ligne.at(2), ligne.at(3)});
    }
    return resultat;
}

} // namespace deplacements
