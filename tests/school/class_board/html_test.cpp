#include "school/class_board/html.h"

#include "tests/support/sandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

std::vector<html::Entree> eleves(int nombre)
{
    std::vector<html::Entree> liste;
    for (int i = 0; i < nombre; ++i)
        liste.push_back({QStringLiteral("Nom%1").arg(i), QStringLiteral("Pre%1").arg(i), QStringLiteral("6A"),
                         QStringLiteral("/d/images/%1.jpg").arg(i)});
    return liste;
}

const html::Entete kClasse{QStringLiteral("Collège Sud"), QStringLiteral("Classe :"), QStringLiteral("6A")};

QString celluleClasse(int i, bool premiere)
{
    return (premiere ? QStringLiteral("<TR><td align=") : QStringLiteral("<td align=")) +
           QStringLiteral("\"left\"valign=\"top\"width=\"116\"><img src=\"/d/images/%1.jpg\"width=\"116\"height=\"176\">"
                          "<font size=\"-1\"><br><center>Pre%1").arg(i) +
           (premiere ? QStringLiteral("<br><B>Nom%1</B>") : QStringLiteral("<br><b>Nom%1</b>")).arg(i) +
           QStringLiteral("</font></center></TD>");
}

TEST(BoardsHtmlPlanche, UneClasseDeHuitEleves)
{
    QStringList attendu{QStringLiteral("<HTML><HEAD><TITLE>Collège Sud</TITLE></HEAD>\r\n<BODY>\r\n"),
                        QStringLiteral("<B>Classe :<P>6A</B><P><TABLE>")};
    for (int i = 0; i < 8; ++i) {
        if (i == 7)
            attendu << QStringLiteral("</TR><TR>");
        attendu << celluleClasse(i, i == 0);
    }
    EXPECT_EQ(html::planche(kClasse, eleves(8), html::Forme::Classe), attendu);
}

TEST(BoardsHtmlPlanche, ChaqueEleveEstEcritUneTableParPage)
{
    const QStringList lignes = html::planche(kClasse, eleves(50), html::Forme::Classe);
    // 35 cells and four row breaks on the first page, then a new table on a
    // new page opened by a first-form cell.
    const int saut = int(lignes.indexOf(QStringLiteral("<p style=\"page-break-before: always;\">")));
    ASSERT_EQ(saut, 2 + 35 + 4 + 1);
    EXPECT_EQ(lignes[saut - 2], celluleClasse(34, false));
    EXPECT_EQ(lignes[saut - 1], QStringLiteral("</TR></TABLE>"));
    EXPECT_EQ(lignes[saut + 1], QStringLiteral("<TABLE>"));
    EXPECT_EQ(lignes[saut + 2], celluleClasse(35, true));
    EXPECT_EQ(lignes.count(QStringLiteral("</TR><TR>")), 6);
    EXPECT_EQ(lignes.last(), celluleClasse(49, false));
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(lignes.filter(QStringLiteral(">Pre%1<").arg(i)).size(), 1) << i;
}

TEST(BoardsHtmlPlanche, PlancheReconstruiteApresUnTransfert)
{
    const QStringList lignes = html::planche(kClasse, eleves(2), html::Forme::ClasseReconstruite);
    ASSERT_EQ(lignes.size(), 4);
    EXPECT_EQ(lignes[1], QStringLiteral("<B>Classe :<br>6A</B><P><TABLE>"));
    EXPECT_EQ(lignes[2], celluleClasse(0, true));
    EXPECT_EQ(lignes[3], QStringLiteral("<td align=") + celluleClasse(1, true).mid(QStringLiteral("<TR><td align=").size()));
}

TEST(BoardsHtmlPlanche, PlancheDeGroupeNommeLaClasseDeChaqueMembre)
{
    const QStringList lignes =
        html::planche({QStringLiteral("E"), QStringLiteral("Groupe :"), QStringLiteral("Chorale")}, eleves(2), html::Forme::Groupe);
    ASSERT_EQ(lignes.size(), 4);
    EXPECT_EQ(lignes[1], QStringLiteral("<B>Groupe :<br>Chorale</B><P><TABLE>"));
    EXPECT_TRUE(lignes[2].startsWith(QStringLiteral("<TR><td align=")));
    EXPECT_TRUE(lignes[3].endsWith(QStringLiteral("<br><center>6A<br>Pre1<br><B>Nom1</B></font></center></TD>")));
    EXPECT_TRUE(lignes[3].startsWith(QStringLiteral("<td align=\"left\"valign=")));
}

TEST(BoardsHtmlCartes, UneCarteEtSonCadre)
{
    const QStringList lignes = html::cartes(kClasse, eleves(1));
    const QStringList attendu{
        QStringLiteral("<HTML><HEAD><TITLE>Collège Sud</TITLE>"),
        QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\"><style type=\"text/css\">\n\r"
                       ".CadreGauche { border-color: #333399; border-style: solid; border-top-width: 1px; border-right-width: 0px; border-bottom-width: 1px; border-left-width: 1px } "
                       ".CadreDroite { border-color: #333399; border-style: solid; border-top-width: 1px; border-right-width: 1px; border-bottom-width: 1px; border-left-width: 0px } "
                       "BR.page { page-break-after: always } </style></HEAD>\r\n<BODY>\r\n"),
        QStringLiteral("<B>Classe : 6A</B><P><TABLE width=\"650\">"),
        QStringLiteral("<TR><td class=\"CadreGauche\" width=\"117\" valign=\"top\"><br>&nbsp;&nbsp;<img src=\"/d/images/0.jpg\"width=\"95\"><br>&nbsp;</td>"),
        QStringLiteral("<td class=\"CadreDroite\" width=\"175\"><b><font size=\"2\"><b>Collège Sud<br>6A</b><p><b>Nom : Nom0</font></b><br>"
                       "<font size=\"2\"><b>Prénom : Pre0</b><p>Date de naissance : <br>Régime : <br>N° INE : </font></TD>"),
        QStringLiteral("</TR></TABLE></BODY></HTML>")};
    EXPECT_EQ(lignes, attendu);
}

TEST(BoardsHtmlCartes, DeuxParRangeeEtUnSautAvantChaqueDouzieme)
{
    const QStringList lignes = html::cartes(kClasse, eleves(62));
    const QString saut = QStringLiteral("</TABLE><BR class=page><TABLE width=\"650\">");
    EXPECT_EQ(lignes.count(saut), 5); // before cards 12, 24, 36, 48 and 60
    for (int carte : {12, 24, 36, 48, 60}) {
        const int ligne = int(lignes.indexOf(QRegularExpression(QStringLiteral(".*images/%1\\.jpg.*").arg(carte))));
        ASSERT_GT(ligne, 0) << carte;
        EXPECT_EQ(lignes[ligne - 1], saut) << carte;
        EXPECT_TRUE(lignes[ligne].startsWith(QStringLiteral("<TR><td class=\"CadreGauche\""))) << carte;
    }
    // An odd card closes its row; an even count ends on a closed row.
    EXPECT_TRUE(lignes[lignes.size() - 2].endsWith(QStringLiteral("</TD></tr>")));
    EXPECT_EQ(lignes.last(), QStringLiteral("</TR></TABLE></BODY></HTML>"));
    for (int i = 0; i < 62; ++i)
        EXPECT_EQ(lignes.filter(QStringLiteral("Nom : Nom%1<").arg(i)).size(), 1) << i;
}

TEST(BoardsHtmlEtiquettes, CinqPuisSixParRangeeSansLimite)
{
    const QStringList lignes = html::etiquettes(kClasse, eleves(50));
    EXPECT_EQ(lignes[0], QStringLiteral("<HTML><HEAD><TITLE>Collège Sud - 6A</TITLE>"));
    EXPECT_FALSE(lignes[1].contains(QStringLiteral("CadreDroite")));
    EXPECT_EQ(lignes[2], QStringLiteral("<TABLE width=\"650\">"));
    const QString c = QStringLiteral("<td class=\"CadreGauche\" width=\"169\" valign=\"top\"><img src=\"/d/images/%1.jpg\"width=\"167\"></td>");
    EXPECT_EQ(lignes[3], QStringLiteral("<TR>") + c.arg(0));
    for (int i = 1; i < 50; ++i) {
        const bool nouvelleRangee = i >= 5 && (i - 5) % 6 == 0;
        EXPECT_EQ(lignes[3 + i], (nouvelleRangee ? QStringLiteral("</tr><tr>") : QString()) + c.arg(i)) << i;
    }
    EXPECT_EQ(lignes.size(), 3 + 50 + 1);
    EXPECT_EQ(lignes.last(), QStringLiteral("</TR></TABLE></BODY></HTML>"));
    EXPECT_TRUE(lignes.filter(QStringLiteral("class=page")).isEmpty());
}

TEST(BoardsHtml, ChaqueValeurEstEchappee)
{
    const html::Entete entete{QStringLiteral("A & B <École>"), QStringLiteral("Classe :"), QStringLiteral("6\"A\"")};
    const std::vector<html::Entree> liste{{QStringLiteral("d'Arc & <Fils>"), QStringLiteral("%1 Jeanne"),
                                          QStringLiteral("<b>"), QStringLiteral("/d/images/a&b\".jpg")}};
    for (const QStringList& lignes : {html::planche(entete, liste, html::Forme::Groupe), html::cartes(entete, liste), html::etiquettes(entete, liste)}) {
        const QString tout = lignes.join(QLatin1Char('\n'));
        EXPECT_TRUE(tout.contains(QStringLiteral("/d/images/a&amp;b&quot;.jpg"))) << tout.toStdString();
        EXPECT_FALSE(tout.contains(QStringLiteral("<Fils>")));
        EXPECT_FALSE(tout.contains(QStringLiteral("<École>")));
        EXPECT_FALSE(tout.contains(QStringLiteral("6\"A\"")));
        EXPECT_FALSE(tout.contains(QStringLiteral("<b><br>")));
    }
    const QString cartes = html::cartes(entete, liste).join(QLatin1Char('\n'));
    EXPECT_TRUE(cartes.contains(QStringLiteral("Nom : d'Arc &amp; &lt;Fils&gt;</font>")));
    EXPECT_TRUE(cartes.contains(QStringLiteral("Prénom : %1 Jeanne</b>")));
    EXPECT_TRUE(cartes.contains(QStringLiteral("<TITLE>A &amp; B &lt;École&gt;</TITLE>")));
}

TEST(BoardsHtml, UneClasseVideNEcritQueLEntete)
{
    const std::vector<html::Entree> aucun;
    EXPECT_EQ(html::planche(kClasse, aucun, html::Forme::Classe).size(), 2);
    const QStringList cartes = html::cartes(kClasse, aucun);
    EXPECT_EQ(cartes.size(), 3);
    EXPECT_TRUE(cartes.last().endsWith(QStringLiteral("<TABLE width=\"650\">")));
    const QStringList etiquettes = html::etiquettes(kClasse, aucun);
    EXPECT_EQ(etiquettes.size(), 3);
    EXPECT_EQ(etiquettes.last(), QStringLiteral("<TABLE width=\"650\">"));
}

TEST(BoardsHtmlEcriture, Windows1252EnCrLfRemplaceLeFichier)
{
    Sandbox sandbox;
    const QString chemin = Sandbox::writeFile(sandbox.path(QStringLiteral("doc.html")), QByteArray(5000, 'x'));
    ASSERT_EQ(html::ecrire(chemin, {QStringLiteral("Prénom"), QStringLiteral("Łukasz")}), QString());
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("Pr\xE9nom\r\n&#321;ukasz\r\n"));
}

TEST(BoardsHtmlEcriture, UnFichierQuiNePeutEtreEcritDonneUnMessageQuiLeNomme)
{
    // A folder standing where the document goes cannot be replaced, whatever
    // the rights of the user running the tests.
    Sandbox sandbox;
    const QString chemin = sandbox.path(QStringLiteral("doc.html"));
    ASSERT_TRUE(QDir().mkpath(chemin));
    const QString message = html::ecrire(chemin, {QStringLiteral("x")});
    EXPECT_TRUE(message.contains(chemin)) << message.toStdString();
    EXPECT_TRUE(QFileInfo(chemin).isDir());
}

} // namespace
