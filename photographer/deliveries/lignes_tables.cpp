#include "photographer/deliveries/lignes_tables.h"

namespace lignes_tables {

QString colonnes(const QStringList& noms)
{
    QStringList quotes;
    quotes.reserve(noms.size());
    for (const QString& nom : noms)
        quotes.append(u'"' + nom + u'"');
    return quotes.join(QStringLiteral(", "));
}

void inserer(db::Database& cible, const QString& table, const QStringList& noms, const db::Rows& lignes)
{
    QStringList marques;
    for (int i = 1; i <= noms.size(); ++i)
        marques.append(QStringLiteral("?%1").arg(i));
    const QString sql = QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                            .arg(table, colonnes(noms), marques.join(QStringLiteral(", ")));
    for (const db::Row& ligne : lignes) {
        db::Params valeurs;
        valeurs.reserve(noms.size());
        for (int i = 0; i < noms.size(); ++i)
            valeurs.append(ligne.at(i));
        cible.exec(sql, valeurs);
    }
}

QStringList sansPrefixeRec(const QStringList& noms)
{
    QStringList resultat;
    for (const QString& nom : noms)
        resultat.append(nom.startsWith(QStringLiteral("Rec")) ? nom.mid(3) : nom);
    return resultat;
}

} // namespace lignes_tables
