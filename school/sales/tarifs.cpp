#include "school/sales/tarifs.h"

namespace tarifs {

namespace {

std::vector<Tarif> lire(db::Database& base, const QString& ordre)
{
    std::vector<Tarif> liste;
    for (const db::Row& r : base.query(QStringLiteral("SELECT * FROM Tarifs ORDER BY ") + ordre))
        liste.push_back({r[u"CdePochette"], r[u"NomPochette"], r[u"PochettePrixPro"], r[u"PochettePrixPub"],
                         r[u"PochettePrixRecPro"], r[u"PochettePrixRecPub"], r[u"CdeArticles"], r[u"NomArticles"],
                         r[u"ArticlesPrixPro"], r[u"ArticlesPrixPub"], r[u"ArticlesPrixRecPro"],
                         r[u"ArticlesPrixRecPub"]});
    return liste;
}

} // namespace

std::vector<Tarif> parNom(db::Database& base)
{
    return lire(base, QStringLiteral("NomArticles COLLATE FR, CdeTarifs"));
}

std::vector<Tarif> parCle(db::Database& base)
{
    return lire(base, QStringLiteral("CdeTarifs"));
}

std::vector<PochetteIncomplete> incompletes(db::Database& base)
{
    std::vector<PochetteIncomplete> liste;
    for (const db::Row& r : base.query(QStringLiteral("SELECT * FROM TarifPochIncom ORDER BY rowid")))
        liste.push_back({r[u"NbArticle"], r[u"LibelleArticke"], r[u"PrixPho"], r[u"PrixPublic"]});
    return liste;
}

bool estSupplementaire(const Tarif& tarif)
{
    return tarif.cdeArticles.startsWith(QStringLiteral("sup"), Qt::CaseSensitive);
}

} // namespace tarifs
