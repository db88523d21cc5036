#include "photographer/prices/tarifs_etab.h"

#include "common/text.h"

namespace tarifs_etab {

QString prixPhotographeRefuse(const catalogue::Produit& produit)
{
    for (const QString& prix : {produit.prix, produit.prixRec})
        if (!text::priceCents(prix))
            return prix;
    return {};
}

RefusPochette refusPochette(const catalogue::Produit& pochette, const Prix& prix)
{
    if (prix.vente.isEmpty())
        return RefusPochette::VenteVide;
    if (prix.recommande.isEmpty())
        return RefusPochette::RecommandeVide;
    const std::optional<qint64> vente = text::priceCents(prix.vente);
    const std::optional<qint64> recommande = text::priceCents(prix.recommande);
    if (!vente)
        return RefusPochette::VenteInvalide;
    if (!recommande)
        return RefusPochette::RecommandeInvalide;
    const std::optional<qint64> photographe = text::priceCents(pochette.prix);
    const std::optional<qint64> photographeRec = text::priceCents(pochette.prixRec);
    if (!photographe || !photographeRec)
        return RefusPochette::PhotographeInvalide;
    if (*vente < *photographe)
        return RefusPochette::VenteBasse;
    if (*recommande < *photographeRec)
        return RefusPochette::RecommandeBasse;
    return RefusPochette::Aucun;
}

RefusPochette refusArticle(const catalogue::Produit& article, const Prix& prix)
{
    return refusPochette(article, prix);
}

RefusIncomplete refusIncomplete(const catalogue::PochetteIncomplete& incomplete, const QString& prix)
{
    if (prix.isEmpty())
        return RefusIncomplete::NonRetenue;
    const std::optional<qint64> etablissement = text::priceCents(prix);
    if (!etablissement)
        return RefusIncomplete::Invalide;
    const std::optional<qint64> photographe = text::priceCents(incomplete.prix);
    if (!photographe)
        return RefusIncomplete::PhotographeInvalide;
    return *etablissement > *photographe ? RefusIncomplete::Retenue : RefusIncomplete::NonRetenue;
}

void remplacer(db::Database& base, const QString& codeEtab, const Liste& liste)
{
    db::Database::Transaction transaction(base);
    base.exec(QStringLiteral("DELETE FROM RecTarifs WHERE RecCodeEtablissement = ?"), {codeEtab});
    base.exec(QStringLiteral("DELETE FROM RecPochetteInc WHERE CodeEtab = ?"), {codeEtab});
    const catalogue::Produit& pochette = liste.pochette;
    const auto p = [](const QString& prix) { return text::priceText(prix); };
    for (const LigneArticle& ligne : liste.articles) {
        base.insert(QStringLiteral("INSERT INTO RecTarifs (RecCodeEtablissement, RecCdePochette, RecNomPochette, "
                                   "RecPochettePrixPro, RecPochettePrixPub, RecPochettePrixRecPro, "
                                   "RecPochettePrixRecPub, RecCdeArticles, RecNomArticles, RecArticlesPrixPro, "
                                   "RecArticlesPrixPub, RecArticlesPrixRecPro, RecArticlesPrixRecPub) "
                                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                    {codeEtab, pochette.ref, pochette.nom, p(pochette.prix), p(liste.prixPochette.vente),
                     p(pochette.prixRec), p(liste.prixPochette.recommande), ligne.article.ref, ligne.article.nom,
                     p(ligne.article.prix), p(ligne.prix.vente), p(ligne.article.prixRec), p(ligne.prix.recommande)});
    }
    for (const LigneIncomplete& ligne : liste.incompletes) {
        base.insert(QStringLiteral("INSERT INTO RecPochetteInc (CodeEtab, RecNbArticle, RecLibelleArticke, "
                                   "RecPrixPho, RecPrixPublic) VALUES (?, ?, ?, ?, ?)"),
                    {codeEtab, ligne.incomplete.nbArticles, ligne.incomplete.libelle, p(ligne.incomplete.prix),
                     p(ligne.prix)});
    }
    transaction.commit();
}

} // namespace tarifs_etab
