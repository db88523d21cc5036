#include "photographer/data/roster.h"

#include "photographer/data/base.h"
#include "photographer/data/noms_photos.h"

namespace roster {

QVariant cleParam(const QString& cle)
{
    bool ok = false;
    const qint64 value = cle.toLongLong(&ok);
    return ok ? QVariant(value) : QVariant(qint64(-1));
}

namespace {

std::vector<Eleve> lire(const db::Rows& rows)
{
    std::vector<Eleve> result;
    result.reserve(rows.size());
    for (const db::Row& row : rows)
        result.push_back({row[u"CdeEleves"], row[u"Classe"], row[u"Nom"], row[u"Prenom"], row[u"NomPhoto"]});
    return result;
}

std::vector<noms_photos::Eleve> elevesProvisoires()
{
    std::vector<noms_photos::Eleve> eleves;
    for (int i = 1; i <= 10; ++i)
        eleves.push_back({QStringLiteral("Nom%1").arg(i), QStringLiteral("Prénom%1").arg(i)});
    return eleves;
}

} // namespace

std::optional<Etablissement> etablissement(const QString& cdeEtablissement)
{
    const db::Rows rows = base::db().query(
        QStringLiteral("SELECT Nom, \"Code Postal\" FROM Etablissements WHERE CdeEtablissement = ?"),
        {cleParam(cdeEtablissement)});
    if (rows.empty())
        return std::nullopt;
    return Etablissement{rows.front()[u"Nom"], rows.front()[u"Code Postal"]};
}

std::optional<Eleve> eleve(const QString& cle)
{
    std::vector<Eleve> trouve = lire(base::db().query(
        QStringLiteral("SELECT CdeEleves, Classe, Nom, Prenom, NomPhoto FROM Eleves WHERE CdeEleves = ?"),
        {cleParam(cle)}));
    if (trouve.empty())
        return std::nullopt;
    return trouve.front();
}

QStringList classes(const QString& codeEtab)
{
    const db::Rows rows = base::db().query(
        // With MIN() in the result, each class is spelt as its first student has it.
        QStringLiteral("SELECT IFNULL(Classe, '') AS Classe, MIN(CdeEleves) AS Premier FROM Eleves "
                       "WHERE CodeEtablissement = ? GROUP BY IFNULL(Classe, '') COLLATE FR "
                       "ORDER BY IFNULL(Classe, '') COLLATE FR, Premier"),
        {codeEtab});
    QStringList result;
    for (const db::Row& row : rows)
        result << row[u"Classe"];
    return result;
}

std::vector<Eleve> eleves(const QString& codeEtab, const QString& classe)
{
    return lire(base::db().query(
        QStringLiteral("SELECT CdeEleves, Classe, Nom, Prenom, NomPhoto FROM Eleves "
                       "WHERE CodeEtablissement = ? AND IFNULL(Classe, '') = ? COLLATE FR "
                       "ORDER BY Nom COLLATE FR, CdeEleves"),
        {codeEtab, classe}));
}

std::vector<Eleve> tous(const QString& codeEtab)
{
    return lire(base::db().query(
        QStringLiteral("SELECT CdeEleves, Classe, Nom, Prenom, NomPhoto FROM Eleves WHERE CodeEtablissement = ? "
                       "ORDER BY CdeEleves"),
        {codeEtab}));
}

QHash<QString, int> numeros(const QString& codeEtab)
{
    db::Database& base = base::db();
    QHash<QString, int> donnes;
    std::vector<noms_photos::NumeroDonne> pris;
    for (const db::Row& row : base.query(
             QStringLiteral("SELECT CdeEleves, Nom, Prenom, Numero FROM NumerosPhotos WHERE CodeEtablissement = ?"),
             {codeEtab})) {
        donnes.insert(row[u"CdeEleves"], row[u"Numero"].toInt());
        pris.push_back({row[u"Nom"], row[u"Prenom"], row[u"Numero"].toInt()});
    }
    QHash<QString, int> resultat;
    std::vector<Eleve> sansNumero;
    for (Eleve& eleve : tous(codeEtab)) {
        if (const auto donne = donnes.constFind(eleve.cle); donne != donnes.constEnd())
            resultat.insert(eleve.cle, *donne);
        else
            sansNumero.push_back(std::move(eleve));
    }
    if (sansNumero.empty())
        return resultat;

    std::vector<noms_photos::Porteur> porteurs;
    for (const Eleve& eleve : sansNumero)
        porteurs.push_back({eleve.cle, eleve.nom, eleve.prenom});
    const QHash<QString, int> nouveaux = noms_photos::numeros(std::move(porteurs), pris);
    if (!base.readOnly()) {
        db::Database::Transaction transaction(base);
        for (const Eleve& eleve : sansNumero)
            base.exec(QStringLiteral("INSERT INTO NumerosPhotos (CdeEleves, CodeEtablissement, Nom, Prenom, Numero) "
                                     "VALUES (?, ?, ?, ?, ?)"),
                      {cleParam(eleve.cle), codeEtab, eleve.nom, eleve.prenom, QString::number(nouveaux.value(eleve.cle, 1))});
        transaction.commit();
    }
    resultat.insert(nouveaux);
    return resultat;
}

int numero(const QString& codeEtab, const QString& cle)
{
    // The filing asks for one student's number: once given, it is one row away.
    const db::Rows donne =
        base::db().query(QStringLiteral("SELECT Numero FROM NumerosPhotos WHERE CdeEleves = ?"), {cleParam(cle)});
    if (!donne.empty())
        return donne.front().at(0).toInt();
    return numeros(codeEtab).value(cle, 1);
}

QString ajouterEleve(const QString& codeEtab, const QString& classe, const QString& nom,
                     const QString& prenom)
{
    return QString::number(base::db().insert(
        QStringLiteral("INSERT INTO Eleves (CodeEtablissement, Classe, Nom, Prenom) VALUES (?, ?, ?, ?)"),
        {codeEtab, classe, nom, prenom}));
}

bool changerClasse(const QString& cle, const QString& classe)
{
    return base::db().exec(QStringLiteral("UPDATE Eleves SET Classe = ? WHERE CdeEleves = ?"),
                           {classe, cleParam(cle)}) > 0;
}

bool supprimerEleve(const QString& cle)
{
    return base::db().exec(QStringLiteral("DELETE FROM Eleves WHERE CdeEleves = ?"), {cleParam(cle)}) > 0;
}

bool enregistrerNomPhoto(const QString& cle, const QString& nomPhoto)
{
    return base::db().exec(QStringLiteral("UPDATE Eleves SET NomPhoto = ? WHERE CdeEleves = ?"),
                           {nomPhoto, cleParam(cle)}) > 0;
}

void creerClasse(const QString& codeEtab, const QString& classe)
{
    db::Database& database = base::db();
    db::Database::Transaction transaction(database);
    for (const noms_photos::Eleve& eleve : elevesProvisoires())
        database.insert(QStringLiteral("INSERT INTO Eleves (CodeEtablissement, Classe, Nom, Prenom) VALUES (?, ?, ?, ?)"),
                        {codeEtab, classe, eleve.nom, eleve.prenom});
    transaction.commit();
}

QString refusNomsClasse(const QString& codeEtab, const QString& classe)
{
    std::vector<noms_photos::Eleve> tous = elevesProvisoires();
    for (const Eleve& eleve : eleves(codeEtab, classe))
        tous.push_back({eleve.nom, eleve.prenom});
    const std::optional<noms_photos::Depassement> depasse = noms_photos::plusLongQuiDepasse(classe, tous);
    if (!depasse)
        return {};
    return QStringLiteral("Le nom de la classe « %1 » est trop long pour nommer les photos de ses élèves : avec le nom "
                          "et le prénom de %2 %3, %4. La classe n'a pas été créée.")
        .arg(classe, depasse->eleve.nom, depasse->eleve.prenom, depasse->longueur.limite());
}

} // namespace roster
