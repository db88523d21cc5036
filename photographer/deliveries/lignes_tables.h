#pragma once

#include "common/database.h"

#include <QString>
#include <QStringList>

// Rows moved from one database into another. Table and column names come
// from the constants of the deliveries, never from data; the values are
// always bound.
namespace lignes_tables {

// `"a", "b", "c"` for an SQL column list.
QString colonnes(const QStringList& noms);

// Inserts each row into the table, the row's values in the order of `noms`.
void inserer(db::Database& cible, const QString& table, const QStringList& noms, const db::Rows& lignes);

// The photographer's record, the establishment and its students as the
// photographer database holds them.
inline const QStringList kPhotographe = {
    QStringLiteral("NomP"), QStringLiteral("Adresse1P"), QStringLiteral("Adresse2P"), QStringLiteral("Adresse3P"),
    QStringLiteral("CPP"), QStringLiteral("VilleP"), QStringLiteral("TelP"), QStringLiteral("FaxP"),
    QStringLiteral("Mail"), QStringLiteral("Web")};
inline const QStringList kEtablissement = {
    QStringLiteral("Nom"), QStringLiteral("Adresse"), QStringLiteral("Adresse1"), QStringLiteral("Adresse2"),
    QStringLiteral("Code Postal"), QStringLiteral("Ville"), QStringLiteral("Telephone"), QStringLiteral("Fax"),
    QStringLiteral("Portable"), QStringLiteral("Mail")};
// The resale prices of packs and articles, without the establishment key.
inline const QStringList kRecTarifs = {
    QStringLiteral("RecCdePochette"), QStringLiteral("RecNomPochette"), QStringLiteral("RecPochettePrixPro"),
    QStringLiteral("RecPochettePrixPub"), QStringLiteral("RecPochettePrixRecPro"),
    QStringLiteral("RecPochettePrixRecPub"), QStringLiteral("RecCdeArticles"), QStringLiteral("RecNomArticles"),
    QStringLiteral("RecArticlesPrixPro"), QStringLiteral("RecArticlesPrixPub"),
    QStringLiteral("RecArticlesPrixRecPro"), QStringLiteral("RecArticlesPrixRecPub")};
// The resale prices of incomplete packs, without the establishment key.
inline const QStringList kRecPochetteInc = {QStringLiteral("RecNbArticleTxt"), QStringLiteral("RecNbArticle"),
                                            QStringLiteral("RecLibelleArticke"), QStringLiteral("RecPrixPho"),
                                            QStringLiteral("RecPrixPublic")};

// `noms` with the "Rec" prefix dropped: the school's price columns.
QStringList sansPrefixeRec(const QStringList& noms);

} // namespace lignes_tables
