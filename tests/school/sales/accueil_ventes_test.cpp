#include "school/sales/form_carte_ident.h"
#include "school/sales/form_vente.h"
#include "school/workspace/form_accueil.h"
#include "tests/school/support/accueil_pilote.h"
#include "tests/school/support/school_fixture.h"
#include "tests/support/recording_shell.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// The two ways from the main window into the sales: a portrait of a class
// board and the "Ventes..." button.
class AccueilVentes : public ::testing::Test, protected AccueilPilote {
protected:
    AccueilVentes()
    {
        cles = ecole.ajouterClasse(QStringLiteral("6A"), 3);
        ecole.ajouterAuGroupe(QStringLiteral("Chorale"), cles[0]);
    }

    void TearDown() override { fermer(); }

    FormAccueil& accueil() { return *existingForm<FormAccueil>(); }

    SchoolFixture ecole;
    RecordingShell shell;
    ScriptedDialogs dialogues;
    QList<qint64> cles;
};

TEST_F(AccueilVentes, UnPortraitDeClasseOuvreLaCarteEtSaNouvellePhotoSAfficheSurLaPlanche)
{
    formInstance<FormAccueil>().showForm();
    choisir(QStringLiteral("DBComboClasses"), QStringLiteral("6A"));
    QTest::mouseClick(controle<QWidget>(QStringLiteral("Bt_Aficher")), Qt::LeftButton);
    QTest::mouseClick(controle<QWidget>(QStringLiteral("Image2_1")), Qt::LeftButton);

    auto* carte = existingForm<FormCarteIdent>();
    ASSERT_NE(carte, nullptr);
    EXPECT_TRUE(accueil().isHidden());
    EXPECT_EQ(carte->findChild<QLineEdit*>(QStringLiteral("TextNom"))->text(), QStringLiteral("Nom002"));

    const QString nouvelle = ecole.sandbox().path(QStringLiteral("bleue.jpg"));
    ASSERT_TRUE(SchoolFixture::ecrirePortrait(nouvelle, Qt::blue));
    dialogues.openFile(nouvelle);
    QTest::mouseClick(carte->findChild<QWidget*>(QStringLiteral("Bt_Changer")), Qt::LeftButton);
    QTest::mouseClick(carte->findChild<QWidget*>(QStringLiteral("Bt_ValideIdentite_0")), Qt::LeftButton);

    EXPECT_EQ(existingForm<FormCarteIdent>(), nullptr);
    EXPECT_FALSE(accueil().isHidden());
    EXPECT_TRUE(SchoolFixture::montreCouleur(static_cast<QLabel*>(controle<QWidget>(QStringLiteral("Image2_1"))), Qt::blue));
    // The next board reads the same file.
    QTest::mouseClick(controle<QWidget>(QStringLiteral("Bt_Aficher")), Qt::LeftButton);
    EXPECT_TRUE(SchoolFixture::montreCouleur(static_cast<QLabel*>(controle<QWidget>(QStringLiteral("Image2_1"))), Qt::blue));
}

TEST_F(AccueilVentes, UnPortraitDeGroupeNOuvreRien)
{
    formInstance<FormAccueil>().showForm();
    choisir(QStringLiteral("DBComboGroupe"), QStringLiteral("Chorale"));
    QTest::mouseClick(controle<QWidget>(QStringLiteral("Aff_Groupe")), Qt::LeftButton);
    QTest::mouseClick(controle<QWidget>(QStringLiteral("Image2_0")), Qt::LeftButton);
    EXPECT_EQ(existingForm<FormCarteIdent>(), nullptr);
    EXPECT_FALSE(accueil().isHidden());
}

TEST_F(AccueilVentes, VentesCacheLaFenetrePrincipaleJusquALaFermeture)
{
    formInstance<FormAccueil>().showForm();
    auto* bouton = static_cast<QPushButton*>(controle<QWidget>(QStringLiteral("Bt_Vente")));
    EXPECT_TRUE(bouton->isEnabled());
    QTest::mouseClick(bouton, Qt::LeftButton);
    auto* ventes = existingForm<FormVente>();
    ASSERT_NE(ventes, nullptr);
    EXPECT_FALSE(ventes->isHidden());
    EXPECT_TRUE(accueil().isHidden());
    QTest::mouseClick(ventes->findChild<QWidget*>(QStringLiteral("BtFermer")), Qt::LeftButton);
    EXPECT_EQ(existingForm<FormVente>(), nullptr);
    EXPECT_FALSE(accueil().isHidden());
}

} // namespace
