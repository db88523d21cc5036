#include "school/data/noms_composes.h"

#include "common/text.h"

#include <QStringList>

namespace noms_composes {

namespace {

struct Table {
    QString nom;
    QStringList colonnes;
};

// Where the school database holds names, classes and groups.
const Table kTables[] = {
    {QStringLiteral("Eleves"), {QStringLiteral("Classe"), QStringLiteral("Nom"), QStringLiteral("Prenom")}},
    {QStringLiteral("Goupes"),
     {QStringLiteral("NomGroupe"), QStringLiteral("Classe"), QStringLiteral("Nom"), QStringLiteral("Prenom")}},
    {QStringLiteral("Ventes"), {QStringLiteral("Classe"), QStringLiteral("Nom"), QStringLiteral("Prenom")}},
};

struct Changement {
    const Table* table;
    QString rowid;
    db::Params valeurs; // composed, in the order of the table's columns
};

std::vector<Changement> aComposer(db::Database& base)
{
    std::vector<Changement> changements;
    for (const Table& table : kTables) {
        const db::Rows lignes = base.query(
            QStringLiteral("SELECT rowid, \"%1\" FROM \"%2\"").arg(table.colonnes.join(QStringLiteral("\", \"")),
                                                                  table.nom));
        for (const db::Row& ligne : lignes) {
            Changement changement{&table, ligne.at(0), {}};
            bool different = false;
            for (int i = 1; i < ligne.size(); ++i) {
                const QString compose = text::composed(ligne.at(i));
                different = different || compose != ligne.at(i);
                changement.valeurs.append(compose);
            }
            if (different)
                changements.push_back(std::move(changement));
        }
    }
    return changements;
}

} // namespace

int composer(db::Database& base)
{
    // Read first without a lock: most starts find nothing to change.
    if (aComposer(base).empty())
        return 0;
    db::Database::Transaction transaction(base);
    // Read again under the lock: another Vizmora may have done it meanwhile.
    const std::vector<Changement> changements = aComposer(base);
    for (const Changement& changement : changements) {
        QStringList affectations;
        for (int i = 0; i < changement.table->colonnes.size(); ++i)
            affectations << QStringLiteral("\"%1\" = ?%2").arg(changement.table->colonnes[i]).arg(i + 1);
        db::Params valeurs = changement.valeurs;
        valeurs.append(changement.rowid.toLongLong());
        base.exec(QStringLiteral("UPDATE \"%1\" SET %2 WHERE rowid = ?%3")
                      .arg(changement.table->nom, affectations.join(QStringLiteral(", ")))
                      .arg(valeurs.size()),
                  valeurs);
    }
    transaction.commit();
    return int(changements.size());
}

} // namespace noms_composes
