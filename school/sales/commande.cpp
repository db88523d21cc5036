#include "school/sales/commande.h"

#include "common/text.h"
#include "school/sales/montant.h"

namespace {

const QString kUn = QStringLiteral("1");
const QString kZero = QStringLiteral("0");

// A line with the student's fields and the pack fields of a price-list row.
LigneVente ligneDeBase(const FicheEleve& eleve, const QDate& jour, const Tarif& tarif)
{
    LigneVente ligne;
    ligne.dateCommande = jour.toString(QStringLiteral("yyyy-MM-dd"));
    ligne.numEleves = eleve.codeCommande;
    ligne.classe = eleve.classe;
    ligne.nom = eleve.nom;
    ligne.prenom = eleve.prenom;
    ligne.nomPhoto = eleve.nomPhoto;
    ligne.cdePochette = tarif.cdePochette;
    ligne.nomPochette = tarif.nomPochette;
    ligne.pochettePrixRecPro = tarif.pochettePrixRecPro;
    ligne.pochettePrixRecPub = tarif.pochettePrixRecPub;
    return ligne;
}

// The same line with the article fields of its row.
LigneVente ligneArticle(const FicheEleve& eleve, const QDate& jour, const Tarif& tarif)
{
    LigneVente ligne = ligneDeBase(eleve, jour, tarif);
    ligne.cdeArticles = tarif.cdeArticles;
    ligne.nomArticles = tarif.nomArticles;
    ligne.articlesPrixRecPro = tarif.articlesPrixRecPro;
    ligne.articlesPrixRecPub = tarif.articlesPrixRecPub;
    return ligne;
}

// What a line bills: its prices, its kind (the article price columns carry
// it) and its quantity.
struct Facturation {
    QString prixPro, prixPub, type, marque, quantite;
};

LigneVente facturer(LigneVente ligne, const Facturation& f)
{
    ligne.pochettePrixPro = text::priceText(f.prixPro);
    ligne.pochettePrixPub = text::priceText(f.prixPub);
    ligne.typeLigne = f.type;
    ligne.marqueRecommande = f.marque;
    ligne.quantite = f.quantite;
    return ligne;
}

const PochetteIncomplete* incompleteDe(const std::vector<PochetteIncomplete>& incompletes, qsizetype nombre)
{
    for (const PochetteIncomplete& p : incompletes)
        if (montant::quantite(p.nbArticle) == nombre)
            return &p;
    return nullptr;
}

// A reorder quantity as it is stored, or why it is refused.
struct Quantite {
    QString texte;
    QString refus;
};

Quantite quantiteValide(const QString& texte)
{
    const montant::Somme valeur = montant::quantite(texte);
    if (!valeur || *valeur > montant::kQuantiteMax)
        return {{}, QStringLiteral("La quantité ne peut pas dépasser %1.").arg(montant::chiffres(montant::kQuantiteMax))};
    if (*valeur <= 0)
        return {{}, QStringLiteral("La quantité doit être un nombre supérieur à 0.")};
    return {QString::number(*valeur), {}};
}

// The prices that enter the totals are read by the price rule, which also
// keeps them within what an order may bill, so that no sum of stored lines
// can overflow: why a line's price is refused, or "" when every one is a price.
QString refusPrix(const std::vector<LigneVente>& lignes)
{
    for (const LigneVente& ligne : lignes) {
        for (const QString& prix : {ligne.pochettePrixPub, ligne.pochettePrixPro}) {
            if (montant::centimes(prix))
                continue;
            const QString& article = !ligne.pIncLibArt.isEmpty() ? ligne.pIncLibArt
                                     : ligne.nomArticles.isEmpty() ? ligne.nomPochette
                                                                   : ligne.nomArticles;
            return QStringLiteral("« %1 » ne peut pas être commandé, son prix est refusé : %2\n"
                                  "La commande n'est pas enregistrée.")
                .arg(article, text::priceRefusal(prix));
        }
    }
    return {};
}

LignesCommande premiereCommande(const ChoixCommande& choix, const std::vector<Tarif>& tarifs,
                                const std::vector<PochetteIncomplete>& incompletes, const FicheEleve& eleve,
                                const QDate& jour)
{
    LignesCommande resultat;
    if (choix.pochette) {
        const Tarif& tarif = tarifs.front();
        resultat.lignes.push_back(facturer(ligneDeBase(eleve, jour, tarif),
                                           {tarif.pochettePrixPro, tarif.pochettePrixPub,
                                            type_ligne::PochetteComplete, kMarqueJamais, kUn}));
        return resultat;
    }
    const PochetteIncomplete* pochette = incompleteDe(incompletes, qsizetype(choix.articles.size()));
    if (!pochette)
        return {{}, QStringLiteral("Le tarif ne prévoit pas de pochette incomplète de %1 article(s) : "
                                   "la commande n'est pas enregistrée.")
                        .arg(choix.articles.size())};
    for (const ChoixCommande::Article& article : choix.articles) {
        // The first article's line bills the incomplete pack.
        const bool premiere = resultat.lignes.empty();
        LigneVente ligne = facturer(ligneArticle(eleve, jour, tarifs[size_t(article.rang)]),
                                    {premiere ? pochette->prixPho : kZero, premiere ? pochette->prixPublic : kZero,
                                     type_ligne::AuChoix, kMarqueJamais, kUn});
        if (premiere) {
            ligne.pIncompNbArt = pochette->nbArticle;
            ligne.pIncLibArt = pochette->libelle;
            ligne.pIncPPho = text::priceText(pochette->prixPho);
            ligne.pincPPub = text::priceText(pochette->prixPublic);
        }
        resultat.lignes.push_back(ligne);
    }
    return resultat;
}

LignesCommande recommande(const ChoixCommande& choix, const std::vector<Tarif>& tarifs, const FicheEleve& eleve,
                          const QDate& jour)
{
    LignesCommande resultat;
    if (choix.pochette) {
        const Quantite quantite = quantiteValide(choix.quantitePochette);
        if (!quantite.refus.isEmpty())
            return {{}, quantite.refus};
        const Tarif& tarif = tarifs.front();
        resultat.lignes.push_back(facturer(ligneDeBase(eleve, jour, tarif),
                                           {tarif.pochettePrixRecPro, tarif.pochettePrixRecPub,
                                            type_ligne::RecommandePochette, kMarqueRecommande, quantite.texte}));
        return resultat;
    }
    for (const ChoixCommande::Article& article : choix.articles) {
        const Quantite quantite = quantiteValide(article.quantite);
        if (!quantite.refus.isEmpty())
            return {{}, quantite.refus};
        const Tarif& tarif = tarifs[size_t(article.rang)];
        LigneVente ligne = facturer(ligneArticle(eleve, jour, tarif),
                                    {tarif.articlesPrixRecPro, tarif.articlesPrixRecPub, type_ligne::Supplementaires,
                                     kMarqueRecommande, quantite.texte});
        ligne.nomPochette.clear();
        resultat.lignes.push_back(ligne);
    }
    return resultat;
}

} // namespace

QString prixRefuse(ModeCommande mode, const Tarif& tarif, bool pochette)
{
    const bool recommande = mode == ModeCommande::Recommande;
    const std::vector<QString> prix =
        pochette ? (recommande ? std::vector{tarif.pochettePrixRecPub, tarif.pochettePrixRecPro}
                               : std::vector{tarif.pochettePrixPub, tarif.pochettePrixPro})
                 : (recommande ? std::vector{tarif.articlesPrixRecPub, tarif.articlesPrixRecPro}
                               : std::vector{tarif.articlesPrixPub});
    for (const QString& p : prix)
        if (!montant::centimes(p))
            return p;
    return {};
}

LignesCommande lignesCommande(ModeCommande mode, const ChoixCommande& choix, const std::vector<Tarif>& tarifs,
                              const std::vector<PochetteIncomplete>& incompletes, const FicheEleve& eleve,
                              const QDate& jour)
{
    if (tarifs.empty() || (!choix.pochette && choix.articles.empty()))
        return {};
    LignesCommande resultat = mode == ModeCommande::Commande
                                  ? premiereCommande(choix, tarifs, incompletes, eleve, jour)
                                  : recommande(choix, tarifs, eleve, jour);
    if (resultat.refus.isEmpty())
        resultat.refus = refusPrix(resultat.lignes);
    if (!resultat.refus.isEmpty())
        resultat.lignes.clear();
    return resultat;
}
