#include "school/sales/commande.h"

#include "tests/school/sales/tarif_exemple.h"

#include <gtest/gtest.h>

namespace {

class Commande : public ::testing::Test {
protected:
    LignesCommande ecrire(ModeCommande mode, const ChoixCommande& choix)
    {
        return lignesCommande(mode, choix, exemple::tarifs(), exemple::incompletes(), eleve, jour);
    }

    FicheEleve eleve{42, QStringLiteral("1042"), QStringLiteral("6A"), QStringLiteral("DUPONT"),
                     QStringLiteral("Léa"), {}, {}, {}, {}, QStringLiteral("P0042")};
    QDate jour{2026, 3, 9};
};

// What every line of an order carries about the student and the day.
void verifierEleve(const LigneVente& l)
{
    EXPECT_EQ(l.dateCommande, QStringLiteral("2026-03-09"));
    EXPECT_EQ(l.numEleves, QStringLiteral("1042"));
    EXPECT_EQ(l.classe, QStringLiteral("6A"));
    EXPECT_EQ(l.nom, QStringLiteral("DUPONT"));
    EXPECT_EQ(l.prenom, QStringLiteral("Léa"));
    EXPECT_EQ(l.nomPhoto, QStringLiteral("P0042"));
}

TEST_F(Commande, PremiereCommandeDeLaPochette)
{
    ChoixCommande choix;
    choix.pochette = true;
    // A ticked article cannot go with the pack: the pack wins.
    choix.articles = {{0, QStringLiteral("1")}};
    const LignesCommande c = ecrire(ModeCommande::Commande, choix);
    ASSERT_TRUE(c.refus.isEmpty());
    ASSERT_EQ(c.lignes.size(), 1u);
    const LigneVente& l = c.lignes[0];
    verifierEleve(l);
    EXPECT_EQ(l.typeLigne, QStringLiteral("Je garde la pochette complète"));
    EXPECT_EQ(l.marqueRecommande, QStringLiteral(" "));
    EXPECT_EQ(l.cdePochette, QStringLiteral("PA"));
    EXPECT_EQ(l.nomPochette, QStringLiteral("Pochette A"));
    EXPECT_EQ(l.pochettePrixPro, QStringLiteral("10,00"));
    EXPECT_EQ(l.pochettePrixPub, QStringLiteral("15,00"));
    EXPECT_EQ(l.quantite, QStringLiteral("1"));
    // The pack line names no article, so the summary counts it once, as a pack.
    EXPECT_TRUE(l.nomArticles.isEmpty());
    const Totaux t = ventes::totaux(c.lignes);
    EXPECT_EQ(t.total, 1500);
    EXPECT_EQ(t.gain, 500);
}

TEST_F(Commande, TroisArticlesAuPrixDeLaPochetteIncomplete)
{
    ChoixCommande choix;
    choix.articles = {{0, QStringLiteral("1")}, {1, QStringLiteral("1")}, {3, QStringLiteral("1")}};
    const LignesCommande c = ecrire(ModeCommande::Commande, choix);
    ASSERT_TRUE(c.refus.isEmpty());
    ASSERT_EQ(c.lignes.size(), 3u);
    const QStringList articles{QStringLiteral("Agrandissement 18x24"), QStringLiteral("Photo d'identité"),
                               QStringLiteral("Trombinoscope")};
    for (size_t i = 0; i < 3; ++i) {
        const LigneVente& l = c.lignes[i];
        verifierEleve(l);
        EXPECT_EQ(l.typeLigne, QStringLiteral("Je conserve au choix dans la pochette"));
        EXPECT_EQ(l.marqueRecommande, QStringLiteral(" "));
        EXPECT_EQ(l.nomArticles, articles[qsizetype(i)]);
        EXPECT_EQ(l.nomPochette, QStringLiteral("Pochette A"));
        EXPECT_EQ(l.quantite, QStringLiteral("1"));
        EXPECT_EQ(l.pochettePrixPub, i == 0 ? QStringLiteral("11,50") : QStringLiteral("0"));
        EXPECT_EQ(l.pochettePrixPro, i == 0 ? QStringLiteral("7,50") : QStringLiteral("0"));
    }
    EXPECT_EQ(c.lignes[0].pIncompNbArt, QStringLiteral("3"));
    EXPECT_EQ(c.lignes[0].pIncLibArt, QStringLiteral("Trois photos"));
    EXPECT_EQ(c.lignes[0].pIncPPho, QStringLiteral("7,50"));
    EXPECT_EQ(c.lignes[0].pincPPub, QStringLiteral("11,50"));
    // The pack's price is counted once, however many articles it holds.
    EXPECT_EQ(ventes::totaux(c.lignes).total, 1150);
}

TEST_F(Commande, SansPochetteIncompleteDeCetteTailleRienNEstEcrit)
{
    ChoixCommande choix;
    choix.articles = {{0, {}}, {1, {}}, {2, {}}, {3, {}}};
    const LignesCommande c = ecrire(ModeCommande::Commande, choix);
    EXPECT_TRUE(c.lignes.empty());
    EXPECT_TRUE(c.refus.contains(QStringLiteral("pochette incomplète de 4"))) << c.refus.toStdString();
}

TEST_F(Commande, RecommandeDeDeuxPochettesEtDUnArticle)
{
    ChoixCommande pochettes;
    pochettes.pochette = true;
    pochettes.quantitePochette = QStringLiteral("2");
    const LignesCommande p = ecrire(ModeCommande::Recommande, pochettes);
    ASSERT_EQ(p.lignes.size(), 1u);
    verifierEleve(p.lignes[0]);
    EXPECT_EQ(p.lignes[0].typeLigne, QStringLiteral("Recommande pochette complète"));
    EXPECT_EQ(p.lignes[0].marqueRecommande, QStringLiteral("x"));
    EXPECT_EQ(p.lignes[0].nomPochette, QStringLiteral("Pochette A"));
    EXPECT_EQ(p.lignes[0].pochettePrixPro, QStringLiteral("8,00"));
    EXPECT_EQ(p.lignes[0].pochettePrixPub, QStringLiteral("12,50"));
    EXPECT_EQ(p.lignes[0].quantite, QStringLiteral("2"));

    ChoixCommande article;
    article.articles = {{2, QStringLiteral("3")}};
    const LignesCommande a = ecrire(ModeCommande::Recommande, article);
    ASSERT_EQ(a.lignes.size(), 1u);
    verifierEleve(a.lignes[0]);
    EXPECT_EQ(a.lignes[0].typeLigne, QStringLiteral("Commande articles supplémentaires"));
    EXPECT_EQ(a.lignes[0].marqueRecommande, QStringLiteral("x"));
    EXPECT_TRUE(a.lignes[0].nomPochette.isEmpty());
    EXPECT_EQ(a.lignes[0].nomArticles, QStringLiteral("Porte-clés"));
    EXPECT_EQ(a.lignes[0].cdeArticles, QStringLiteral("sup1"));
    EXPECT_EQ(a.lignes[0].pochettePrixPro, QStringLiteral("2,00"));
    EXPECT_EQ(a.lignes[0].pochettePrixPub, QStringLiteral("3,50"));
    EXPECT_EQ(a.lignes[0].quantite, QStringLiteral("3"));

    std::vector<LigneVente> toutes = p.lignes;
    toutes.insert(toutes.end(), a.lignes.begin(), a.lignes.end());
    const Totaux t = ventes::totaux(toutes);
    EXPECT_EQ(t.total, 2 * 1250 + 3 * 350);
    EXPECT_EQ(t.gain, 2 * 450 + 3 * 150);
}

TEST_F(Commande, UneQuantiteNulleOuVideEstRefusee)
{
    for (const char* quantite : {"", "0", " ", "00"}) {
        ChoixCommande pochette;
        pochette.pochette = true;
        pochette.quantitePochette = QString::fromLatin1(quantite);
        ChoixCommande articles;
        articles.articles = {{0, QStringLiteral("2")}, {1, QString::fromLatin1(quantite)}};
        for (const ChoixCommande& choix : {pochette, articles}) {
            const LignesCommande c = ecrire(ModeCommande::Recommande, choix);
            EXPECT_TRUE(c.lignes.empty()) << quantite;
            EXPECT_FALSE(c.refus.isEmpty()) << quantite;
        }
    }
}

// What no order can hold is refused, naming the limit or the price rule, so
// that no sum of stored lines can wrap round or bill a misread price; the
// limits themselves are accepted.
TEST_F(Commande, UnPrixOuUneQuantiteHorsBornesEstRefuse)
{
    const struct {
        ModeCommande mode;
        bool pochette;
        const char* prix;
        const char* quantite;
        const char* refus; // "" when the order is stored
    } cas[] = {
        {ModeCommande::Recommande, false, "999999,99", "9999", ""},
        {ModeCommande::Recommande, true, "999999,99", "9 999", ""},
        {ModeCommande::Recommande, false, "3,50", "10000", "La quantité ne peut pas dépasser 9 999."},
        {ModeCommande::Recommande, true, "12,50", "999999999", "La quantité ne peut pas dépasser 9 999."},
        {ModeCommande::Recommande, false, "3,50", "99999999999999999999", "La quantité ne peut pas dépasser 9 999."},
        {ModeCommande::Recommande, false, "1000000", "1", "« 1000000 » dépasse le prix le plus élevé accepté, 999 999,99 €"},
        {ModeCommande::Recommande, true, "999999999999999", "1", "dépasse le prix le plus élevé accepté"},
        {ModeCommande::Commande, true, "1000000,00", "1",
         "« Pochette A » ne peut pas être commandé, son prix est refusé : « 1000000,00 » dépasse"},
        {ModeCommande::Commande, true, "99999999999999999999", "1", "dépasse le prix le plus élevé accepté"},
        // A stored price that is no price is refused, never read as the number it starts with.
        {ModeCommande::Commande, true, "-1000000,00", "1", "« -1000000,00 » n'est pas un prix"},
        {ModeCommande::Commande, true, "1.250,00", "1", "« 1.250,00 » n'est pas un prix"},
        {ModeCommande::Commande, true, "-5", "1", "« -5 » n'est pas un prix"},
        {ModeCommande::Recommande, true, "15 euros", "1", "« 15 euros » n'est pas un prix"},
        {ModeCommande::Recommande, false, "12,5,0", "2", "« 12,5,0 » n'est pas un prix"},
    };
    for (const auto& c : cas) {
        std::vector<Tarif> tarifs = exemple::tarifs();
        const QString prix = QString::fromUtf8(c.prix);
        tarifs.front().pochettePrixPub = prix;
        tarifs.front().pochettePrixRecPro = prix;
        tarifs.front().articlesPrixRecPub = prix;
        ChoixCommande choix;
        choix.pochette = c.pochette;
        choix.quantitePochette = QString::fromUtf8(c.quantite);
        if (!c.pochette)
            choix.articles = {{0, QString::fromUtf8(c.quantite)}};
        const LignesCommande l = lignesCommande(c.mode, choix, tarifs, exemple::incompletes(), eleve, jour);
        const QString refus = QString::fromUtf8(c.refus);
        const std::string quoi = std::string(c.prix) + " x " + c.quantite;
        if (refus.isEmpty()) {
            EXPECT_EQ(l.refus, QString()) << quoi;
            EXPECT_EQ(l.lignes.size(), 1u) << quoi;
        } else {
            EXPECT_TRUE(l.refus.contains(refus)) << quoi << ": " << l.refus.toStdString();
            EXPECT_TRUE(l.lignes.empty()) << quoi;
        }
    }
}

TEST_F(Commande, RienDeCocheOuTarifVideNeDonneAucuneLigne)
{
    EXPECT_TRUE(ecrire(ModeCommande::Commande, {}).lignes.empty());
    ChoixCommande choix;
    choix.pochette = true;
    const LignesCommande c = lignesCommande(ModeCommande::Commande, choix, {}, {}, eleve, jour);
    EXPECT_TRUE(c.lignes.empty());
    EXPECT_TRUE(c.refus.isEmpty());
}

} // namespace
