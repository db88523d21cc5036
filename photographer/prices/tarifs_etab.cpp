#include "photographer/prices/tarifs_etab.h"

#include "common/text.h"

namespace tarifs_etab {

RefusPochette refusPochette(const catalogue::Produit& pochette, const Prix& prix)
{
    if (prix.vente.isEmpty())
        return RefusPochette::VenteVide;
    if (prix.recommande.isEmpty())
        return RefusPochette::RecommandeVide;
    if (text::priceCents(prix.vente) < text::priceCents(pochette.prix))
        return RefusPochette::VenteBasse;
    if (text::priceCents(prix.recommande) < text::priceCents(pochette.prixRec))
        return RefusPochette::RecommandeBasse;
    return RefusPochette::Aucun;
}

bool articleAccepte(const catalogue::Produit& article, const Prix& prix)
{
    return refusPochette(article, prix) == RefusPochette::Aucun;
}

bool incompleteRetenue(const catalogue::PochetteIncomplete& incomplete, const QString& prix)
{
    return !prix.isEmpty() && text::priceCents(prix) > text::priceCents(incomplete.prix);
}

void remplacer(db::Database& base, const QString& codeEtab, const Liste& liste)
{
    db::Database::Transaction transaction(base);
    base.exec(QStringLiteral("DELETE FROM RecTarifs WHERE RecCodeEtablissement = ?"), {codeEtab});
    base.exec(QStringLiteral("DELETE FROM RecPochetteInc WHERE CodeEtab = ?"), {codeEtab});
    const catalogue::Produit& pochette = liste.pochette;
    for (const LigneArticle& ligne : liste.articles) {
        base.insert(QStringLiteral("INSERT INTO RecTarifs (RecCodeEtablissement, RecCdePochette, RecNomPochette, "
                                   "RecPochettePrixPro, RecPochettePrixPub, RecPochettePrixRecPro, "
                                   "RecPochettePrixRecPub, RecCdeArticles, RecNomArticles, RecArticlesPrixPro, "
                                   "RecArticlesPrixPub, RecArticlesPrixRecPro, RecArticlesPrixRecPub) "
                                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                    {codeEtab, pochette.ref, pochette.nom, pochette.prix, liste.prixPochette.vente, pochette.prixRec,
                     liste.prixPochette.recommande, ligne.article.ref, ligne.article.nom, ligne.article.prix,
                     ligne.prix.vente, ligne.article.prixRec, ligne.prix.recommande});
    }
    for (const LigneIncomplete& ligne : liste.incompletes) {
        base.insert(QStringLiteral("INSERT INTO RecPochetteInc (CodeEtab, RecNbArticle, RecLibelleArticke, "
                                   "RecPrixPho, RecPrixPublic) VALUES (?, ?, ?, ?, ?)"),
                    {codeEtab, ligne.incomplete.nbArticles, ligne.incomplete.libelle, ligne.incomplete.prix,
                     ligne.prix});
    }
    transaction.commit();
}

} // namespace tarifs_etab
