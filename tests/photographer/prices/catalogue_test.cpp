#include "photographer/prices/feuille_tarif.h"
#include "photographer/prices/tarifs_etab.h"
#include "tests/photographer/prices/tarifs_fixture.h"

using Catalogue = TarifsFixture;

TEST_F(Catalogue, LUniciteEstExacteEtIgnoreLaCasse)
{
    article(QStringLiteral("a_b"), QStringLiteral("Tirage"), QStringLiteral("5"), QStringLiteral("5"));
    pochette(QStringLiteral("P3"), QStringLiteral("Pochette l'été"), QStringLiteral("12,50"), QStringLiteral("15,00"));
    incomplete(QStringLiteral("P3"), QStringLiteral("2"), QStringLiteral("P3_x [2]*"), QStringLiteral("9"));

    struct Cas {
        bool (*test)(db::Database&, const QString&);
        const char* valeur;
        bool pris;
    };
    const Cas cas[] = {
        {catalogue::referencePochettePrise, "P3", true},
        {catalogue::referencePochettePrise, "p3", true},
        {catalogue::referencePochettePrise, "P", false},
        {catalogue::referencePochettePrise, "P3 ", false},
        {catalogue::referenceArticlePrise, "a_b", true},
        {catalogue::referenceArticlePrise, "A_B", true},
        {catalogue::referenceArticlePrise, "axb", false},
        {catalogue::referenceArticlePrise, "a%", false},
        // The "C" row carries the pack's name; the apostrophe is an ordinary character.
        {catalogue::nomPochetteIncompletePris, "pochette l'été", true},
        {catalogue::nomPochetteIncompletePris, "Pochette l'ete", false},
        {catalogue::nomPochetteIncompletePris, "P3_x [2]*", true},
        {catalogue::nomPochetteIncompletePris, "P3_x [2]", false},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(c.test(base::db(), QString::fromUtf8(c.valeur)), c.pris) << c.valeur;
}

TEST_F(Catalogue, UneNouvellePochetteEtSaLigneDePochetteCompleteSontEnregistreesEnsembleOuPasDuTout)
{
    pochette(QStringLiteral("P3"), QStringLiteral("Pochette 3"), QStringLiteral("12,50"), QStringLiteral("15,00"));
    EXPECT_EQ(lignes(QStringLiteral("SELECT NbArticlesTxt, NbArticles, LibArticle, PrixPhotographe FROM PochetteIncomplete")),
              QStringList{QStringLiteral("P3|C|Pochette 3|15,00")});

    // A base whose incomplete-pack table cannot take the row keeps no half pack.
    base::db().script(QStringLiteral("CREATE TRIGGER refus BEFORE INSERT ON PochetteIncomplete "
                                     "BEGIN SELECT RAISE(ABORT, 'refus'); END;"));
    EXPECT_THROW(pochette(QStringLiteral("P4"), QStringLiteral("Pochette 4"), QStringLiteral("1"), QStringLiteral("1")),
                 db::Error);
    EXPECT_EQ(compter(QStringLiteral("SELECT count(*) FROM Pochette")), 1);
}

TEST(NomAutomatique, SuitLaPochetteEtLeNombre)
{
    EXPECT_EQ(catalogue::nomAutomatique(QStringLiteral("P3"), QStringLiteral("Pochette 3"), QStringLiteral("20")),
              QStringLiteral("P3_Pochette 3 INC - 20 article(s)"));
    EXPECT_EQ(catalogue::nomAutomatique(QStringLiteral("P3"), QStringLiteral("Pochette 3"), QStringLiteral("C")),
              QStringLiteral("P3_Pochette 3 INC - C article(s)"));
}

TEST(PrixEtablissement, LesPrixDesPochettesSontVerifiesDansLOrdreEtLEgalitePasse)
{
    using tarifs_etab::RefusPochette;
    const catalogue::Produit p3{0, QStringLiteral("P3"), QStringLiteral("P"), QStringLiteral("12,50"),
                                 QStringLiteral("12,50")};
    struct Cas {
        const char* vente;
        const char* recommande;
        RefusPochette refus;
    };
    const Cas cas[] = {
        {"", "", RefusPochette::VenteVide},
        {"1", "", RefusPochette::RecommandeVide},
        {"12,49", "1", RefusPochette::VenteBasse},
        {"12,50", "12,49", RefusPochette::RecommandeBasse},
        {"12,50", "12,50", RefusPochette::Aucun},
        {"100", "12,5", RefusPochette::Aucun},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(tarifs_etab::refusPochette(p3, {QString::fromUtf8(c.vente), QString::fromUtf8(c.recommande)}), c.refus)
            << c.vente << " / " << c.recommande;

    // A price that breaks the price rule is refused, never read as the
    // number it starts with: typed by the photographer, or stored in the
    // catalogue, where nothing can be compared with it.
    const Cas refuses[] = {
        {"1.250,00", "13", RefusPochette::VenteInvalide},
        {"-5", "13", RefusPochette::VenteInvalide},
        {"15 euros", "13", RefusPochette::VenteInvalide},
        {"12,5,0", "13", RefusPochette::VenteInvalide},
        {"12345678901234567890", "13", RefusPochette::VenteInvalide},
        {"13", "12,5,0", RefusPochette::RecommandeInvalide},
        {"13", "1000000", RefusPochette::RecommandeInvalide},
    };
    for (const Cas& c : refuses)
        EXPECT_EQ(tarifs_etab::refusPochette(p3, {QString::fromUtf8(c.vente), QString::fromUtf8(c.recommande)}), c.refus)
            << c.vente << " / " << c.recommande;
    const catalogue::Produit ancienne{0, QStringLiteral("P4"), QStringLiteral("P"), QStringLiteral("12,50,"),
                                      QStringLiteral("12,50")};
    EXPECT_EQ(tarifs_etab::refusPochette(ancienne, {QStringLiteral("15"), QStringLiteral("15")}),
              RefusPochette::PhotographeInvalide);
    EXPECT_EQ(tarifs_etab::prixPhotographeRefuse(ancienne), QStringLiteral("12,50,"));
    EXPECT_EQ(tarifs_etab::prixPhotographeRefuse(p3), QString());
}

TEST(PrixEtablissement, ArticlesEtPochettesIncompletesFaceAuxPrixDuPhotographe)
{
    using tarifs_etab::RefusPochette;
    const catalogue::Produit a{0, QStringLiteral("a1"), QStringLiteral("A"), QStringLiteral("10"),
                               QStringLiteral("8")};
    struct CasArticle {
        const char* vente;
        const char* recommande;
        RefusPochette refus;
    };
    const CasArticle articles[] = {
        {"10", "8", RefusPochette::Aucun},          {"10,00", "8,5", RefusPochette::Aucun},
        {"9,99", "8", RefusPochette::VenteBasse},   {"10", "7,99", RefusPochette::RecommandeBasse},
        {"10", "", RefusPochette::RecommandeVide},  {"", "8", RefusPochette::VenteVide},
        {"10,,", "8", RefusPochette::VenteInvalide}, {"10", "8,0,1", RefusPochette::RecommandeInvalide},
    };
    for (const CasArticle& c : articles)
        EXPECT_EQ(tarifs_etab::refusArticle(a, {QString::fromUtf8(c.vente), QString::fromUtf8(c.recommande)}),
                  c.refus)
            << c.vente << " / " << c.recommande;

    using tarifs_etab::RefusIncomplete;
    const catalogue::PochetteIncomplete inc{1, QStringLiteral("P3"), QStringLiteral("2"), QStringLiteral("N"),
                                            QStringLiteral("9,90")};
    EXPECT_EQ(tarifs_etab::refusIncomplete(inc, QStringLiteral("9,90")), RefusIncomplete::NonRetenue);
    EXPECT_EQ(tarifs_etab::refusIncomplete(inc, QStringLiteral("5")), RefusIncomplete::NonRetenue);
    EXPECT_EQ(tarifs_etab::refusIncomplete(inc, QString()), RefusIncomplete::NonRetenue);
    EXPECT_EQ(tarifs_etab::refusIncomplete(inc, QStringLiteral("9,91")), RefusIncomplete::Retenue);
    EXPECT_EQ(tarifs_etab::refusIncomplete(inc, QStringLiteral("9,9,1")), RefusIncomplete::Invalide);
    const catalogue::PochetteIncomplete virgules{2, QStringLiteral("P3"), QStringLiteral("3"), QStringLiteral("N"),
                                                 QStringLiteral("7,5,0")};
    EXPECT_EQ(tarifs_etab::refusIncomplete(virgules, QStringLiteral("20")), RefusIncomplete::PhotographeInvalide);
}

TEST(FeuilleTarif, ListeLesPrixDansLOrdreAvecLesValeursEchappees)
{
    const feuille_tarif::Feuille feuille{
        QStringLiteral("Ecole <Jules> & Cie"),
        {QStringLiteral("Pochette \"3\""), QStringLiteral("12,5"), QStringLiteral("15")},
        {{QStringLiteral("Photo d'identité"), QStringLiteral("3"), QStringLiteral("2,5")}},
        {{QStringLiteral("P3_Pochette 3 INC - 2 article(s)"), QStringLiteral("9,9"), {}}}};
    const QStringList html = feuille_tarif::lignes(feuille, QDateTime({2026, 3, 4}, {9, 5, 7}));

    EXPECT_EQ(html.first(), QStringLiteral("<HTML><HEAD><TITLE>Tarif revente établissement</TITLE></HEAD>"));
    EXPECT_EQ(html.at(2), QStringLiteral("<p><b>Tarif revente établissement 09:05:07 04/03/2026 "
                                         "Ecole &lt;Jules&gt; &amp; Cie</b>"));
    EXPECT_EQ(html.at(8), QStringLiteral("<table width=\"800\"border = \"0\">"));
    EXPECT_EQ(html.at(9), QStringLiteral("<tr><td width=\"200\">Pochette : Pochette &quot;3&quot;<p></td>"));
    EXPECT_EQ(html.at(10), QStringLiteral("<td width=\"300\">Prix de vente établissement : 12,5 €<p></td>"));
    const QStringList suite = html.mid(16);
    EXPECT_EQ(suite, (QStringList{
                         QStringLiteral("<tr><td width=\"200\">Photo d'identité</td>"),
                         QStringLiteral("<td width=\"300\">Prix de vente établissement : 3 €</td>"),
                         QStringLiteral("<td>Prix vente recommande établissement : 2,5 €</td></tr>"),
                         QStringLiteral("</table><table width=\"800\">"),
                         QStringLiteral("<tr>"),
                         QStringLiteral("<td width=\"800\" bgcolor=\"#CCCCCC\">"),
                         QStringLiteral("<center><b>Pochette Incomplete</b></center></td></tr></table><table>"),
                         QStringLiteral("<tr><td width=\"200\">P3_Pochette 3 INC - 2 article(s)</td>"),
                         QStringLiteral("<td width=\"300\">Prix de vente établissement : 9,9 €</td>"),
                         QStringLiteral("</tr></table></body><html>"),
                     }));
}

// The sheet writes each price as Vizmora shows it, and one that breaks the
// price rule as refused, never as an amount the school would read otherwise.
TEST(FeuilleTarif, LesPrixSEcriventCommeVizmoraLesMontre)
{
    const feuille_tarif::Feuille feuille{QStringLiteral("Ecole"),
                                         {QStringLiteral("P"), QStringLiteral("013,"), QStringLiteral("12.5")},
                                         {{QStringLiteral("A"), QStringLiteral("1.250,00"), QStringLiteral(",5")}},
                                         {}};
    const QStringList html = feuille_tarif::lignes(feuille, QDateTime({2026, 3, 4}, {9, 5, 7}));
    EXPECT_EQ(html.at(10), QStringLiteral("<td width=\"300\">Prix de vente établissement : 13 €<p></td>"));
    EXPECT_EQ(html.at(11), QStringLiteral("<td width=\"300\">Prix vente recommande établissement : 12,5 €<p></td></tr></table>"));
    EXPECT_EQ(html.at(17), QStringLiteral("<td width=\"300\">Prix de vente établissement : prix refusé « 1.250,00 » "
                                          "n'est pas un prix : des chiffres, au plus une virgule suivie d'au plus "
                                          "deux décimales, sans signe, sans séparateur de milliers ni autre texte.</td>"));
    EXPECT_EQ(html.at(18), QStringLiteral("<td>Prix vente recommande établissement : 0,5 €</td></tr>"));
}
