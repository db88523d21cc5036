#include "school/class_board/documents.h"
#include "school/class_board/planche.h"

#include "school/workspace/ecole_base.h"
#include "school/workspace/module_var.h"
#include "tests/school/support/school_fixture.h"

#include <QFile>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

QLabel* element(Planche& planche, const char* tableau, int index)
{
    return planche.findChild<QLabel*>(QStringLiteral("%1_%2").arg(QLatin1String(tableau)).arg(index));
}

// A group gathered across three classes, a namesake of one member left out,
// and a second group that must not leak in.
class BoardsGroupe : public ::testing::Test {
protected:
    void SetUp() override
    {
        mv::NomEtabEnCours = QStringLiteral("École & Cie");
        const qint64 bob = fixture.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Bob"), QStringLiteral("Ana"));
        fixture.ajouterEleve(QStringLiteral("5B"), QStringLiteral("Bob"), QStringLiteral("Ana")); // namesake, not in the group
        const qint64 eve = fixture.ajouterEleve(QStringLiteral("5B"), QStringLiteral("Éve"), QStringLiteral("Lou"), false);
        const qint64 abel = fixture.ajouterEleve(QStringLiteral("4C"), QStringLiteral("abel <&>"), QStringLiteral("Max"));
        const qint64 autre = fixture.ajouterEleve(QStringLiteral("4C"), QStringLiteral("Autre"), QStringLiteral("Zoé"));
        ligneBob = fixture.ajouterAuGroupe(QStringLiteral("Chorale"), bob);
        fixture.ajouterAuGroupe(QStringLiteral("Chorale"), eve);
        fixture.ajouterAuGroupe(QStringLiteral("chorale"), abel);
        fixture.ajouterAuGroupe(QStringLiteral("Théâtre"), autre);
        cleBob = bob;
        cleAbel = abel;
    }
    void TearDown() override { mv::NomEtabEnCours.clear(); }

    SchoolFixture fixture;
    qint64 ligneBob = 0, cleBob = 0, cleAbel = 0;
};

TEST_F(BoardsGroupe, LesMembresDuGroupeEnOrdreFrancais)
{
    const std::vector<CelluleEleve> membres = membresDuGroupe(ecole::db(), QStringLiteral("Chorale"));
    ASSERT_EQ(membres.size(), 3u);
    EXPECT_EQ(membres[0].nom, QStringLiteral("abel <&>"));
    EXPECT_EQ(membres[1].nom, QStringLiteral("Bob"));
    EXPECT_EQ(membres[2].nom, QStringLiteral("Éve"));
    EXPECT_EQ(membres[1].classe, QStringLiteral("6A"));
    EXPECT_EQ(membres[1].cdeEleve, QString::number(cleBob));  // N_Eleves
    EXPECT_EQ(membres[1].codePhoto, QString::number(cleBob)); // pictures are named by N_Eleves
    EXPECT_EQ(membres[1].cdeGroupes, QString::number(ligneBob));
}

TEST_F(BoardsGroupe, LaPlancheDuGroupeMontreLaClasseDeChaqueMembre)
{
    Planche planche;
    planche.construire(TypePlanche::Classe, elevesDeClasse(ecole::db(), QStringLiteral("4C")), false);
    planche.construire(TypePlanche::Groupe, membresDuGroupe(ecole::db(), QStringLiteral("Chorale")), false);
    EXPECT_EQ(planche.type(), TypePlanche::Groupe);
    ASSERT_EQ(planche.nombre(), 3);
    const QStringList classes{QStringLiteral("4C"), QStringLiteral("6A"), QStringLiteral("5B")};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        ASSERT_NE(element(planche, "LbGPClasse", i), nullptr);
        EXPECT_EQ(element(planche, "LbGPClasse", i)->text(), classes[i]);
        EXPECT_FALSE(element(planche, "LbGPClasse", i)->isHidden());
        EXPECT_FALSE(element(planche, "ImageSuppEleve", i)->isHidden());
        EXPECT_EQ(element(planche, "LbNum", i)->text(), planche.cellule(i).cdeEleve);
    }
    // A group cell never carries the class board's move icon or photo code.
    EXPECT_TRUE(element(planche, "ImageChgClasse", 0)->isHidden());
    EXPECT_EQ(element(planche, "ImageChgClasse", 1), nullptr);
    EXPECT_EQ(element(planche, "LbCdImg", 1), nullptr);
    EXPECT_FALSE(element(planche, "Image2", 1)->pixmap().isNull());
    EXPECT_TRUE(element(planche, "Image2", 2)->pixmap().isNull()); // Éve has no picture

    // Back to a class board: the group's class labels are gone.
    planche.construire(TypePlanche::Classe, elevesDeClasse(ecole::db(), QStringLiteral("5B")), false);
    EXPECT_TRUE(element(planche, "LbGPClasse", 0)->isHidden());
    EXPECT_EQ(element(planche, "LbGPClasse", 1), nullptr);
    EXPECT_FALSE(element(planche, "ImageChgClasse", 1)->isHidden());
}

TEST_F(BoardsGroupe, LeDocumentDuGroupeRemplaceLaPlancheSeule)
{
    mv::FichierCartes = QStringLiteral("cartes de la dernière classe");
    const DocumentsEcrits docs = ecrireDocumentGroupe(fixture.dossier(), QStringLiteral("Chorale"),
                                                      membresDuGroupe(ecole::db(), QStringLiteral("Chorale")));
    EXPECT_EQ(docs.erreur, QString());
    EXPECT_EQ(mv::FichierImpression, fixture.dossier() + QStringLiteral("/filetemp.html"));
    EXPECT_EQ(mv::FichierCartes, QStringLiteral("cartes de la dernière classe"));
    mv::FichierCartes.clear();

    QFile f(docs.planche);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray page = f.readAll();
    const QByteArray images = (fixture.dossierImages() + QLatin1Char('/')).toUtf8();
    EXPECT_EQ(page,
              "<HTML><HEAD><TITLE>\xC9" "cole &amp; Cie</TITLE></HEAD>\r\n<BODY>\r\n\r\n"
              "<B>Groupe :<br>Chorale</B><P><TABLE>\r\n"
              "<TR><td align=\"left\"valign=\"top\"width=\"116\"><img src=\"" + images + QByteArray::number(cleAbel) + ".jpg\"width=\"116\"height=\"176\">"
              "<font size=\"-1\"><br><center>4C<br>Max<br><B>abel &lt;&amp;&gt;</B></font></center></TD>\r\n"
              "<td align=\"left\"valign=\"top\"width=\"116\"><img src=\"" + images + QByteArray::number(cleBob) + ".jpg\"width=\"116\"height=\"176\">"
              "<font size=\"-1\"><br><center>6A<br>Ana<br><B>Bob</B></font></center></TD>\r\n"
              // No picture: the cell keeps its picture's place, naming no file.
              "<td align=\"left\"valign=\"top\"width=\"116\"><img src=\"\"width=\"116\"height=\"176\">"
              "<font size=\"-1\"><br><center>5B<br>Lou<br><B>\xC9ve</B></font></center></TD>\r\n");
}

} // namespace
