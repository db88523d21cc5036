#include "school/data/requetes.h"

#include "school/data/eleves.h"

namespace requetes {

QStringList colonne(db::Database& base, const QString& sql, const db::Params& params)
{
    QStringList valeurs;
    for (const db::Row& ligne : base.query(sql, params))
        valeurs << ligne.at(0);
    return valeurs;
}

QStringList classes(db::Database& base)
{
    return colonne(base, QStringLiteral("SELECT DISTINCT Classe COLLATE FR FROM Eleves ORDER BY 1 DESC"));
}

QStringList groupes(db::Database& base)
{
    return colonne(base, QStringLiteral("SELECT NomGroupe FROM Goupes GROUP BY NomGroupe COLLATE FR"
                                        " ORDER BY NomGroupe COLLATE FR, MIN(CdeGroupes)"));
}

QString nomEtablissement(db::Database& base)
{
    return base.scalar(QStringLiteral("SELECT Nom FROM Etablissement ORDER BY CdeEtablissement LIMIT 1"));
}

bool groupeExiste(db::Database& base, const QString& nomGroupe)
{
    return !base.query(QStringLiteral("SELECT 1 FROM Goupes WHERE NomGroupe = ? COLLATE FR LIMIT 1"),
                       {nomGroupe})
                .empty();
}

std::optional<qint64> ajouterAuGroupe(db::Database& base, const QString& nomGroupe,
                                      const CelluleEleve& eleve, const QString& classe)
{
    const bool present = !base.query(
        QStringLiteral("SELECT 1 FROM Goupes WHERE NomGroupe = ? COLLATE FR AND N_Eleves = ?"
                       " AND Nom = ? COLLATE FR AND Prenom = ? COLLATE FR AND Classe = ? COLLATE FR LIMIT 1"),
        {nomGroupe, eleve.codePhoto, eleve.nom, eleve.prenom, classe}).empty();
    if (present)
        return std::nullopt;
    return base.insert(
        QStringLiteral("INSERT INTO Goupes (NomGroupe, Nom, Prenom, N_Eleves, Classe) VALUES (?, ?, ?, ?, ?)"),
        {nomGroupe, eleve.nom, eleve.prenom, eleve.codePhoto, classe});
}

bool retirerDuGroupe(db::Database& base, qint64 cdeGroupes)
{
    return base.exec(QStringLiteral("DELETE FROM Goupes WHERE CdeGroupes = ?"), {cdeGroupes}) > 0;
}

} // namespace requetes
