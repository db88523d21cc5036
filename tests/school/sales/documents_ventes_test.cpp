#include "school/sales/documents_ventes.h"

#include "tests/school/sales/tarif_exemple.h"

#include <gtest/gtest.h>

namespace {

using exemple::ligne;
namespace dv = documents_ventes;

const QString kPochette = QStringLiteral("Je garde la pochette complète");
const QString kChoix = QStringLiteral("Je conserve au choix dans la pochette");
const QString kSup = QStringLiteral("Commande articles supplémentaires");
const QString kRec = QStringLiteral("Recommande pochette complète");

dv::Entete entete()
{
    Etablissement etab;
    etab.adresse = QStringLiteral("1 rue des <Écoles>");
    etab.codePostal = QStringLiteral("75005");
    etab.ville = QStringLiteral("Paris");
    return {QStringLiteral("Collège A&B"), etab, QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7))};
}

QString photo(const LigneVente& l)
{
    return QStringLiteral("/images/") + l.nomPhoto + QStringLiteral(".jpg");
}

TEST(DocumentsVentes, BordereauGroupeParEleveEtParType)
{
    LigneVente sup = ligne({}, QStringLiteral("7"), QStringLiteral("MARTIN"), QStringLiteral("Jo"), kSup, {}, {},
                           QStringLiteral("1"));
    sup.nomPochette.clear();
    sup.nomArticles = QStringLiteral("Porte-clés \"cuir\"");
    const std::vector<LigneVente> lignes{
        ligne({}, QStringLiteral("3"), QStringLiteral("DUPONT"), QStringLiteral("Léa"), kRec, {}, {}, QStringLiteral("2")),
        ligne({}, QStringLiteral("3"), QStringLiteral("DUPONT"), QStringLiteral("Léa"), kRec, {}, {}, QStringLiteral("1")),
        ligne({}, QStringLiteral("3"), QStringLiteral("DUPONT"), QStringLiteral("Léa"), kRec, {}, {}, {}),
        ligne({}, QStringLiteral("3"), QStringLiteral("DUPONT"), QStringLiteral("Léa"), kSup, {}, {}, {}),
        sup,
    };
    const QStringList l = dv::bordereau(entete(), lignes, photo);
    const QStringList attendu{
        QStringLiteral("<HTML><HEAD><TITLE>Bordereau recommande</TITLE></HEAD>"),
        QStringLiteral("<BODY>"),
        QStringLiteral("<p><b>Bordereau imprimé le : 14:05:07 09/03/2026 Collège A&amp;B - 1 rue des &lt;Écoles&gt; - 75005 Paris</b>"),
        QStringLiteral("<p><CENTER><b>A RETOURNER PAR MAIL (CREATION PDF NECESSAIRE) OU PAR COURRIER A VOTRE PHOTOGRAPHE</b></CENTER>"),
        QStringLiteral("<p><p><table width=\"800\">"),
        QStringLiteral("<td width=\"800\" bgcolor=\"#CCCCCC\"><hr><br>"),
        QStringLiteral("<center><b>Recommande pochette complète</b></center></td></tr></table>"),
        QStringLiteral("<tr><td></td></center></td></tr></table>"),
        QStringLiteral("<table>"),
        QStringLiteral("<tr><td width=\"168\"><center><img src=\"/images/3.jpg\" width=\"95\" height=\"143\"><br>3</td>"
                       "<td width=\"637\"  valign=\"bottom\">PA Pochette A Quantité = 2</td></tr>"),
        QStringLiteral("<tr><td width=\"168\"></td><td width=\"637\">Pochette A Quantité = 1</td></tr>"),
        // The third line has no quantity and writes nothing; a new type starts a group.
        QStringLiteral("<p><p><table width=\"800\">"),
        QStringLiteral("<td width=\"800\" bgcolor=\"#CCCCCC\"><hr><br>"),
        QStringLiteral("<center><b>Commande articles supplémentaires</b></center></td></tr></table>"),
        QStringLiteral("<tr><td></td></center></td></tr></table>"),
        QStringLiteral("<table>"),
        QStringLiteral("<tr><td width=\"168\"><center><img src=\"/images/3.jpg\" width=\"95\" height=\"143\"><br>3</td>"
                       "<td width=\"637\"  valign=\"bottom\">PA Pochette A Quantité = </td></tr>"),
        QStringLiteral("<p><p><table width=\"800\">"),
        QStringLiteral("<td width=\"800\" bgcolor=\"#CCCCCC\"><hr><br>"),
        QStringLiteral("<center><b>Commande articles supplémentaires</b></center></td></tr></table>"),
        QStringLiteral("<tr><td></td></center></td></tr></table>"),
        QStringLiteral("<table>"),
        QStringLiteral("<tr><td width=\"168\"><center><img src=\"/images/7.jpg\" width=\"95\" height=\"143\"><br>7</td>"
                       "<td width=\"637\"  valign=\"bottom\">PA Porte-clés &quot;cuir&quot; Quantité = 1</td></tr>"),
        QStringLiteral("</table><table width=\"800\"><tr><td><div align=\"right\"><hr><br>Date, signature et cachet du responsable :</div></td></tr></table>"),
    };
    EXPECT_EQ(l, attendu);
}

TEST(DocumentsVentes, TexteDeDetailSelonLeType)
{
    const struct {
        QString type, nomPochette, prix, quantite, texte;
    } cas[] = {
        {kPochette, QStringLiteral("Pochette A"), QStringLiteral("15,00"), QStringLiteral("1"),
         QStringLiteral("Commande Pochette A : 15,00 €")},
        {kChoix, QStringLiteral("Pochette A"), QStringLiteral("11,50"), QStringLiteral("1"),
         QStringLiteral("Je conserve au choix dans la pochette : 11,50 €")},
        {kRec, QStringLiteral("Pochette A"), QStringLiteral("12,50"), QStringLiteral("2"),
         QStringLiteral("Recommande Pochette A Quantité : 2 = 25 €")},
        {kRec, QStringLiteral("Pochette A"), QStringLiteral("12,50"), QStringLiteral("3"),
         QStringLiteral("Recommande Pochette A Quantité : 3 = 37,5 €")},
        // A price stored as both programs did not write it reads the same;
        // one that breaks the price rule is said, never billed.
        {kPochette, QStringLiteral("Pochette A"), QStringLiteral("12.5"), QStringLiteral("1"),
         QStringLiteral("Commande Pochette A : 12,5 €")},
        {kPochette, QStringLiteral("Pochette A"), QStringLiteral("1.250,00"), QStringLiteral("1"),
         QStringLiteral("Commande Pochette A : prix refusé « 1.250,00 »")},
        {kChoix, QStringLiteral("Pochette A"), QStringLiteral("-5"), QStringLiteral("1"),
         QStringLiteral("Je conserve au choix dans la pochette : prix refusé « -5 »")},
        {kSup, QStringLiteral("Pochette A"), QStringLiteral("abc"), QStringLiteral("2"),
         QStringLiteral("Recommande Pochette A Quantité : 2 = prix refusé « abc »")},
        // An empty pack name leaves the article's name alone, whatever the type.
        {kRec, {}, QStringLiteral("12,50"), QStringLiteral("2"), QStringLiteral("Porte-clés")},
        // Types are compared exactly; an unknown one has no text of its own.
        {QStringLiteral("je garde la pochette complète"), QStringLiteral("Pochette A"), QStringLiteral("15,00"),
         QStringLiteral("1"), {}},
    };
    for (const auto& c : cas) {
        LigneVente l = ligne({}, {}, {}, {}, c.type, c.prix, {}, c.quantite);
        l.nomPochette = c.nomPochette;
        l.nomArticles = QStringLiteral("Porte-clés");
        EXPECT_EQ(dv::texteDetail(l), c.texte) << c.type.toStdString() << " " << c.quantite.toStdString();
    }
}

TEST(DocumentsVentes, DetailParClasseSansRepeterLeTexteDUneLigneAUneAutre)
{
    LigneVente a = ligne({}, {}, QStringLiteral("DUPONT"), QStringLiteral("Léa"), kPochette, QStringLiteral("15,00"),
                         {}, QStringLiteral("1"));
    a.classe.clear();
    LigneVente b = ligne({}, {}, QStringLiteral("DURAND"), QStringLiteral("Max"), QStringLiteral("Autre"), {}, {}, {});
    b.classe = QStringLiteral("5<B>");
    LigneVente c = b;
    c.nom = QStringLiteral("DUVAL");
    const QStringList l = dv::detail(entete(), {a, b, c});
    const QStringList attendu{
        QStringLiteral("<HTML><HEAD><TITLE>DETAIL DES VENTES</TITLE></HEAD>"),
        QStringLiteral("<BODY>"),
        QStringLiteral("<p><b>DETAIL DES VENTES LE : 14:05:07 09/03/2026 Collège A&amp;B - 1 rue des &lt;Écoles&gt; - 75005 Paris</b>"),
        QStringLiteral("<p><p><table width=\"800\">"),
        QStringLiteral("<tr><td width=\"800\">DUPONT Léa : Commande Pochette A : 15,00 €<br></td></tr>"),
        QStringLiteral("<td width=\"800\" bgcolor=\"#CCCCCC\"><hr><br>"),
        QStringLiteral("<center><b>5&lt;B&gt;</b></center></td></tr></table>"),
        QStringLiteral("<tr><td width=\"800\">DURAND Max : <br></td></tr>"),
        QStringLiteral("<tr><td width=\"800\">DUVAL Max : <br></td></tr>"),
    };
    EXPECT_EQ(l, attendu);
    // No line at all: the headings alone.
    EXPECT_EQ(dv::detail(entete(), {}), attendu.mid(0, 4));
}

TEST(DocumentsVentes, RecapitulatifCompteLesPochettesEtLesArticles)
{
    Etablissement etab{QStringLiteral("Collège d'Arc"), QStringLiteral("1 rue"), {}, {}, QStringLiteral("75005"),
                       QStringLiteral("Paris"), QStringLiteral("01 02"), QStringLiteral("a@b.fr")};
    LigneVente choix1 = ligne({}, {}, {}, {}, kChoix, {}, {}, QStringLiteral("1"));
    choix1.nomArticles = QStringLiteral("Photo d'identité");
    LigneVente sup = ligne({}, {}, {}, {}, kSup, {}, {}, QStringLiteral("5"));
    sup.nomPochette.clear();
    sup.nomArticles = QStringLiteral("photo d'identité");
    const std::vector<LigneVente> lignes{
        ligne({}, {}, {}, {}, kPochette, {}, {}, QStringLiteral("1")),
        ligne({}, {}, {}, {}, kRec, {}, {}, QStringLiteral("3")), choix1, sup};
    const QStringList l = dv::recapitulatif(etab, QDate(2026, 3, 9), lignes, exemple::tarifs(), {4550, 1550});
    EXPECT_EQ(l.first(), QStringLiteral("<HTML><HEAD><TITLE>Collège d'Arc 09/03/2026</TITLE></HEAD>"));
    EXPECT_TRUE(l.contains(QStringLiteral("mailto:a@b.fr")));
    EXPECT_TRUE(l.contains(QStringLiteral("<p align=\"center\"><b> RECAPITULATIF DES VENTES AU : 09/03/2026</b></p>")));
    const qsizetype pochettes = l.indexOf(QStringLiteral("<td width=\"530\"><b>Pochettes Complètes : 2</b></td>"));
    ASSERT_GT(pochettes, 0);
    EXPECT_EQ(l[pochettes - 1], QStringLiteral("<tr><td width=\"155\">PA</td>"));
    // Articles in the table's order, each counted by pack name and by article name.
    const QStringList articles{QStringLiteral("Agrandissement 18x24 : 0"), QStringLiteral("Photo d'identité : 2"),
                               QStringLiteral("Porte-clés : 0"), QStringLiteral("Trombinoscope : 0")};
    for (qsizetype i = 0; i < articles.size(); ++i)
        EXPECT_EQ(l[pochettes + 4 + 4 * i], QStringLiteral("<td width=\"530\"><b>%1</b></td>").arg(articles[i]));
    EXPECT_EQ(l[l.size() - 2], QStringLiteral("<td width=\"103\"><center><b>30,00</b></center></td>"));
    EXPECT_EQ(l.last(), QStringLiteral("<td width=\"103\"><center><b>15,50</b></center></td></tr></table></table></body></html>"));
}

} // namespace
