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
             "SELECT CdeEleves, Classe, Origine, Destination FROM DeplacementsPhotos ORDER BY CdeDeplacement"))) {
        if (resultat.empty() || resultat.back().cle != ligne[u"CdeEleves"])
            resultat.push_back({ligne[u"CdeEleves"], ligne[u"Classe"], {}});
        resultat.back().renommages.push_back({ligne[u"Origine"], ligne[u"Destination"]});
    }
    return resultat;
}

} // namespace deplacements
