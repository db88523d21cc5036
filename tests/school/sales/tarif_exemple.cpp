#include "tests/school/sales/tarif_exemple.h"

namespace exemple {

namespace {

Tarif article(const char* code, const char* nom, const char* pro, const char* pub, const char* recPro,
              const char* recPub)
{
    return {QStringLiteral("PA"), QStringLiteral("Pochette A"), QStringLiteral("10,00"), QStringLiteral("15,00"),
            QStringLiteral("8,00"), QStringLiteral("12,50"), QString::fromUtf8(code), QString::fromUtf8(nom),
            QString::fromUtf8(pro), QString::fromUtf8(pub), QString::fromUtf8(recPro), QString::fromUtf8(recPub)};
}

} // namespace

std::vector<Tarif> tarifs()
{
    return {article("AG", "Agrandissement 18x24", "3,00", "5,00", "2,50", "4,00"),
            article("ID", "Photo d'identité", "1,00", "2,00", "1,00", "1,50"),
            article("sup1", "Porte-clés", "2,00", "4,00", "2,00", "3,50"),
            article("TR", "Trombinoscope", "2,00", "3,00", "1,50", "2,50")};
}

std::vector<PochetteIncomplete> incompletes()
{
    return {{QStringLiteral("1"), QStringLiteral("Une photo"), QStringLiteral("4,00"), QStringLiteral("6,00")},
            {QStringLiteral("2"), QStringLiteral("Deux photos"), QStringLiteral("6,00"), QStringLiteral("9,00")},
            {QStringLiteral("3"), QStringLiteral("Trois photos"), QStringLiteral("7,50"), QStringLiteral("11,50")}};
}

void remplirTarifs(db::Database& base)
{
    const std::vector<Tarif> liste = tarifs();
    for (const size_t i : {3, 0, 2, 1}) {
        const Tarif& t = liste[i];
        base.insert(QStringLiteral("INSERT INTO Tarifs (CdePochette, NomPochette, PochettePrixPro, PochettePrixPub,"
                                   " PochettePrixRecPro, PochettePrixRecPub, CdeArticles, NomArticles, ArticlesPrixPro,"
                                   " ArticlesPrixPub, ArticlesPrixRecPro, ArticlesPrixRecPub)"
                                   " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                    {t.cdePochette, t.nomPochette, t.pochettePrixPro, t.pochettePrixPub, t.pochettePrixRecPro,
                     t.pochettePrixRecPub, t.cdeArticles, t.nomArticles, t.articlesPrixPro, t.articlesPrixPub,
                     t.articlesPrixRecPro, t.articlesPrixRecPub});
    }
    for (const PochetteIncomplete& p : incompletes())
        base.insert(QStringLiteral("INSERT INTO TarifPochIncom (NbArticle, LibelleArticke, PrixPho, PrixPublic)"
                                   " VALUES (?, ?, ?, ?)"),
                    {p.nbArticle, p.libelle, p.prixPho, p.prixPublic});
}

LigneVente ligne(const QString& date, const QString& numEleves, const QString& nom, const QString& prenom,
                 const QString& type, const QString& prixPub, const QString& prixPro, const QString& quantite)
{
    LigneVente l;
    l.dateCommande = date;
    l.numEleves = numEleves;
    l.nom = nom;
    l.prenom = prenom;
    l.nomPhoto = numEleves;
    l.classe = QStringLiteral("6A");
    l.nomPochette = QStringLiteral("Pochette A");
    l.cdePochette = QStringLiteral("PA");
    l.typeLigne = type;
    l.pochettePrixPub = prixPub;
    l.pochettePrixPro = prixPro;
    l.quantite = quantite;
    return l;
}

void inserer(db::Database& base, const std::vector<LigneVente>& lignes)
{
    db::Database::Transaction transaction(base);
    ventes::inserer(base, lignes);
    transaction.commit();
}

} // namespace exemple
