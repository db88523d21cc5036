#include "photographer/prices/catalogue.h"

namespace catalogue {

namespace {

Pochette lirePochette(const db::Row& ligne)
{
    return {ligne.at(0).toLongLong(), ligne[u"RefPochette"], ligne[u"NomPochette"], ligne[u"PrixPochetteTTC"],
            ligne[u"PrixRecPochetteTTC"]};
}

Article lireArticle(const db::Row& ligne)
{
    return {ligne.at(0).toLongLong(), ligne[u"RefArticle"], ligne[u"NomArticle"], ligne[u"PrixUnitaireTTC"],
            ligne[u"PrixUnitaireRecTTC"]};
}

std::vector<Article> lireArticles(db::Database& base, const QString& ordre)
{
    std::vector<Article> liste;
    for (const db::Row& ligne : base.query(QStringLiteral("SELECT rowid, RefArticle, NomArticle, PrixUnitaireTTC, "
                                                          "PrixUnitaireRecTTC FROM Articles ORDER BY ")
                                           + ordre))
        liste.push_back(lireArticle(ligne));
    return liste;
}

bool existe(db::Database& base, const QString& sql, const QString& valeur)
{
    return base.scalar(sql, {valeur}) != u"0";
}

} // namespace

std::vector<Pochette> pochettes(db::Database& base)
{
    std::vector<Pochette> liste;
    for (const db::Row& ligne : base.query(QStringLiteral(
             "SELECT rowid, RefPochette, NomPochette, PrixPochetteTTC, PrixRecPochetteTTC FROM Pochette ORDER BY rowid")))
        liste.push_back(lirePochette(ligne));
    return liste;
}

bool referencePochettePrise(db::Database& base, const QString& ref)
{
    return existe(base, QStringLiteral("SELECT count(*) FROM Pochette WHERE RefPochette = ? COLLATE FR"), ref);
}

void ajouterPochette(db::Database& base, const Pochette& pochette)
{
    db::Database::Transaction transaction(base);
    base.insert(QStringLiteral("INSERT INTO Pochette (RefPochette, NomPochette, PrixPochetteTTC, PrixRecPochetteTTC) "
                               "VALUES (?, ?, ?, ?)"),
                {pochette.ref, pochette.nom, pochette.prix, pochette.prixRec});
    base.insert(QStringLiteral("INSERT INTO PochetteIncomplete (NbArticlesTxt, NbArticles, LibArticle, PrixPhotographe) "
                               "VALUES (?, 'C', ?, ?)"),
                {pochette.ref, pochette.nom, pochette.prixRec});
    transaction.commit();
}

void modifierPochette(db::Database& base, const Pochette& pochette)
{
    base.exec(QStringLiteral("UPDATE Pochette SET RefPochette = ?, NomPochette = ?, PrixPochetteTTC = ?, "
                             "PrixRecPochetteTTC = ? WHERE rowid = ?"),
              {pochette.ref, pochette.nom, pochette.prix, pochette.prixRec, pochette.cle});
}

void supprimerPochette(db::Database& base, qint64 cle)
{
    base.exec(QStringLiteral("DELETE FROM Pochette WHERE rowid = ?"), {cle});
}

std::vector<PochetteIncomplete> pochettesIncompletes(db::Database& base, const QString& refPochette)
{
    std::vector<PochetteIncomplete> liste;
    for (const db::Row& ligne : base.query(QStringLiteral("SELECT CdePocInc, NbArticlesTxt, NbArticles, LibArticle, "
                                                          "PrixPhotographe FROM PochetteIncomplete "
                                                          "WHERE NbArticlesTxt = ? ORDER BY CdePocInc"),
                                           {refPochette}))
        liste.push_back({ligne.at(0).toLongLong(), ligne.at(1), ligne.at(2), ligne.at(3), ligne.at(4)});
    return liste;
}

bool nomPochetteIncompletePris(db::Database& base, const QString& nom)
{
    return existe(base, QStringLiteral("SELECT count(*) FROM PochetteIncomplete WHERE LibArticle = ? COLLATE FR"), nom);
}

void ajouterPochetteIncomplete(db::Database& base, const PochetteIncomplete& pochette)
{
    base.insert(QStringLiteral("INSERT INTO PochetteIncomplete (NbArticlesTxt, NbArticles, LibArticle, PrixPhotographe) "
                               "VALUES (?, ?, ?, ?)"),
                {pochette.refPochette, pochette.nbArticles, pochette.libelle, pochette.prix});
}

void modifierPochetteIncomplete(db::Database& base, const PochetteIncomplete& pochette)
{
    base.exec(QStringLiteral("UPDATE PochetteIncomplete SET NbArticlesTxt = ?, NbArticles = ?, LibArticle = ?, "
                             "PrixPhotographe = ? WHERE CdePocInc = ?"),
              {pochette.refPochette, pochette.nbArticles, pochette.libelle, pochette.prix, pochette.cle});
}

void supprimerPochetteIncomplete(db::Database& base, qint64 cle)
{
    base.exec(QStringLiteral("DELETE FROM PochetteIncomplete WHERE CdePocInc = ?"), {cle});
}

std::vector<Article> articles(db::Database& base)
{
    return lireArticles(base, QStringLiteral("rowid"));
}

std::vector<Article> articlesParNom(db::Database& base)
{
    return lireArticles(base, QStringLiteral("NomArticle COLLATE FR, rowid"));
}

int nombreArticles(db::Database& base)
{
    return base.scalar(QStringLiteral("SELECT count(*) FROM Articles")).toInt();
}

bool referenceArticlePrise(db::Database& base, const QString& ref)
{
    return existe(base, QStringLiteral("SELECT count(*) FROM Articles WHERE RefArticle = ? COLLATE FR"), ref);
}

void ajouterArticle(db::Database& base, const Article& article)
{
    base.insert(QStringLiteral("INSERT INTO Articles (RefArticle, NomArticle, PrixUnitaireTTC, PrixUnitaireRecTTC) "
                               "VALUES (?, ?, ?, ?)"),
                {article.ref, article.nom, article.prix, article.prixRec});
}

void modifierArticle(db::Database& base, const Article& article)
{
    base.exec(QStringLiteral("UPDATE Articles SET RefArticle = ?, NomArticle = ?, PrixUnitaireTTC = ?, "
                             "PrixUnitaireRecTTC = ? WHERE rowid = ?"),
              {article.ref, article.nom, article.prix, article.prixRec, article.cle});
}

void supprimerArticle(db::Database& base, qint64 cle)
{
    base.exec(QStringLiteral("DELETE FROM Articles WHERE rowid = ?"), {cle});
}

QString nomAutomatique(const QString& refPochette, const QString& nomPochette, const QString& nbArticles)
{
    return refPochette + u'_' + nomPochette + QStringLiteral(" INC - ") + nbArticles + QStringLiteral(" article(s)");
}

} // namespace catalogue
