#include "photographer/prices/catalogue.h"

namespace catalogue {

namespace {

// The two tables of products, each with its own column names, in the order
// of Produit. Table and column names are constants, never data.
struct TableProduits {
    QString table, ref, nom, prix, prixRec;

    QString colonnes() const { return QStringList{ref, nom, prix, prixRec}.join(QStringLiteral(", ")); }
};

const TableProduits kPochettes{QStringLiteral("Pochette"), QStringLiteral("RefPochette"), QStringLiteral("NomPochette"),
                               QStringLiteral("PrixPochetteTTC"), QStringLiteral("PrixRecPochetteTTC")};
const TableProduits kArticles{QStringLiteral("Articles"), QStringLiteral("RefArticle"), QStringLiteral("NomArticle"),
                              QStringLiteral("PrixUnitaireTTC"), QStringLiteral("PrixUnitaireRecTTC")};

std::vector<Produit> lire(db::Database& base, const TableProduits& table, const QString& ordre)
{
    std::vector<Produit> liste;
    for (const db::Row& ligne :
         base.query(QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY %3").arg(table.colonnes(), table.table, ordre)))
        liste.push_back({ligne.at(0).toLongLong(), ligne.at(1), ligne.at(2), ligne.at(3), ligne.at(4)});
    return liste;
}

bool existe(db::Database& base, const QString& sql, const QString& valeur)
{
    return base.scalar(sql, {valeur}) != u"0";
}

bool referencePrise(db::Database& base, const TableProduits& table, const QString& ref)
{
    return existe(base, QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = ? COLLATE FR").arg(table.table, table.ref),
                  ref);
}

void ajouter(db::Database& base, const TableProduits& table, const Produit& produit)
{
    base.insert(QStringLiteral("INSERT INTO %1 (%2) VALUES (?, ?, ?, ?)").arg(table.table, table.colonnes()),
                {produit.ref, produit.nom, produit.prix, produit.prixRec});
}

void modifier(db::Database& base, const TableProduits& table, const Produit& produit)
{
    base.exec(QStringLiteral("UPDATE %1 SET %2 = ?, %3 = ?, %4 = ?, %5 = ? WHERE rowid = ?")
                  .arg(table.table, table.ref, table.nom, table.prix, table.prixRec),
              {produit.ref, produit.nom, produit.prix, produit.prixRec, produit.cle});
}

void supprimer(db::Database& base, const TableProduits& table, qint64 cle)
{
    base.exec(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(table.table), {cle});
}

} // namespace

std::vector<Produit> pochettes(db::Database& base)
{
    return lire(base, kPochettes, QStringLiteral("rowid"));
}

bool referencePochettePrise(db::Database& base, const QString& ref)
{
    return referencePrise(base, kPochettes, ref);
}

void ajouterPochette(db::Database& base, const Produit& pochette)
{
    db::Database::Transaction transaction(base);
    ajouter(base, kPochettes, pochette);
    base.insert(QStringLiteral("INSERT INTO PochetteIncomplete (NbArticlesTxt, NbArticles, LibArticle, PrixPhotographe) "
                               "VALUES (?, 'C', ?, ?)"),
                {pochette.ref, pochette.nom, pochette.prixRec});
    transaction.commit();
}

void modifierPochette(db::Database& base, const Produit& pochette)
{
    modifier(base, kPochettes, pochette);
}

void supprimerPochette(db::Database& base, qint64 cle)
{
    supprimer(base, kPochettes, cle);
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

std::vector<Produit> articles(db::Database& base)
{
    return lire(base, kArticles, QStringLiteral("rowid"));
}

std::vector<Produit> articlesParNom(db::Database& base)
{
    return lire(base, kArticles, QStringLiteral("NomArticle COLLATE FR, rowid"));
}

int nombreArticles(db::Database& base)
{
    return base.scalar(QStringLiteral("SELECT count(*) FROM Articles")).toInt();
}

bool referenceArticlePrise(db::Database& base, const QString& ref)
{
    return referencePrise(base, kArticles, ref);
}

void ajouterArticle(db::Database& base, const Produit& article)
{
    ajouter(base, kArticles, article);
}

void modifierArticle(db::Database& base, const Produit& article)
{
    modifier(base, kArticles, article);
}

void supprimerArticle(db::Database& base, qint64 cle)
{
    supprimer(base, kArticles, cle);
}

QString nomAutomatique(const QString& refPochette, const QString& nomPochette, const QString& nbArticles)
{
    return refPochette + u'_' + nomPochette + QStringLiteral(" INC - ") + nbArticles + QStringLiteral(" article(s)");
}

} // namespace catalogue
