#include "school/class_board/planche.h"
#include "school/group_board/planche_groupe.h"

#include "school/data/base.h"
#include "school/data/etat.h"
#include "tests/school/support/school_fixture.h"
#include "tests/support/golden.h"

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
class PlanchesGroupe : public ::testing::Test {
protected:
    void SetUp() override
    {
        etat::NomEtabEnCours = QStringLiteral("École & Cie");
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
    void TearDown() override { etat::NomEtabEnCours.clear(); }

    SchoolFixture fixture;
    qint64 ligneBob = 0, cleBob = 0, cleAbel = 0;
};

TEST_F(PlanchesGroupe, LesMembresDuGroupeEnOrdreFrancais)
{
    const std::vector<CelluleEleve> membres = membresDuGroupe(base::db(), QStringLiteral("Chorale"));
    ASSERT_EQ(membres.size(), 3u);
    EXPECT_EQ(membres[0].nom, QStringLiteral("abel <&>"));
    EXPECT_EQ(membres[1].nom, QStringLiteral("Bob"));
    EXPECT_EQ(membres[2].nom, QStringLiteral("Éve"));
    EXPECT_EQ(membres[1].classe, QStringLiteral("6A"));
    EXPECT_EQ(membres[1].cdeEleve, QString::number(cleBob));  // N_Eleves
    EXPECT_EQ(membres[1].codePhoto, QString::number(cleBob)); // pictures are named by N_Eleves
    EXPECT_EQ(membres[1].cdeGroupes, QString::number(ligneBob));
}

TEST_F(PlanchesGroupe, LaPlancheDuGroupeMontreLaClasseDeChaqueMembre)
{
    Planche planche;
    planche.construire(TypePlanche::Classe, elevesDeClasse(base::db(), QStringLiteral("4C")), false);
    planche.construire(TypePlanche::Groupe, membresDuGroupe(base::db(), QStringLiteral("Chorale")), false);
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
    planche.construire(TypePlanche::Classe, elevesDeClasse(base::db(), QStringLiteral("5B")), false);
    EXPECT_TRUE(element(planche, "LbGPClasse", 0)->isHidden());
    EXPECT_EQ(element(planche, "LbGPClasse", 1), nullptr);
    EXPECT_FALSE(element(planche, "ImageChgClasse", 1)->isHidden());
}

TEST_F(PlanchesGroupe, LeDocumentDuGroupeRemplaceLaPlancheSeule)
{
    const DocumentsEcrits docs = planche_groupe::ecrireDocument(fixture.dossier(), QStringLiteral("Chorale"),
                                                                membresDuGroupe(base::db(), QStringLiteral("Chorale")));
    EXPECT_EQ(docs.erreur, QString());
    EXPECT_EQ(docs.planche, fixture.dossier() + QStringLiteral("/filetemp.html"));
    EXPECT_EQ(docs.cartes, QString());

    QFile f(docs.planche);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    // The sandbox's folder changes from run to run: the expected copy names it {DOSSIER}.
    expectGolden(f.readAll().replace(fixture.dossier().toUtf8(), "{DOSSIER}"),
                 QStringLiteral("school/group_board/golden/groupe_planche.html"));
}

} // namespace
