#include "common/ui/layout.h"
#include "school/data/base.h"
#include "school/sales/form_carte_ident.h"
#include "school/sales/form_vente.h"
#include "school/workspace/form_accueil.h"
#include "tests/school/sales/tarif_exemple.h"
#include "tests/school/support/accueil_pilote.h"
#include "tests/school/support/school_fixture.h"
#include "tests/support/recording_shell.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QTest>

namespace {

// The screen of the test run, then a small laptop's and a wide one's.
QList<QRect> zones(const QWidget& fenetre)
{
    return {fenetre.screen()->availableGeometry(), QRect(0, 0, 1024, 768), QRect(0, 0, 1366, 768)};
}

QString texte(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Brings a control into view through every scrolled area it sits in; true
// when it then shows whole in each of them and in its window.
bool amenerEnVue(QWidget& fenetre, QWidget& controle)
{
    return QTest::qWaitFor([&fenetre, &controle] {
        bool entier = fenetre.rect().contains(QRect(controle.mapTo(&fenetre, QPoint(0, 0)), controle.size()));
        for (QWidget* parent = controle.parentWidget(); parent && parent != &fenetre; parent = parent->parentWidget())
            if (auto* zone = qobject_cast<QScrollArea*>(parent)) {
                const QRect place(controle.mapTo(zone->widget(), QPoint(0, 0)), controle.size());
                // Half the size and a pixel each side: the margins count from the centre.
                zone->ensureVisible(place.center().x(), place.center().y(), place.width() / 2 + 1,
                                    place.height() / 2 + 1);
                const QRect vue(controle.mapTo(zone->viewport(), QPoint(0, 0)), controle.size());
                entier = entier && zone->viewport()->rect().contains(vue);
            }
        return entier;
    });
}

// The window, as the program placed it and then fitted on each screen, lies
// within the screen's available area, its menus above what scrolls and each
// named control within reach.
void verifierAccessible(QMainWindow& fenetre, const QStringList& controles)
{
    const QList<QRect> aVerifier = zones(fenetre);
    for (const QRect& zone : aVerifier) {
        if (zone != aVerifier.front())
            layout::fitInto(fenetre, zone, true);
        const std::string ou = (fenetre.objectName() + u' ' + texte(zone)).toStdString();
        EXPECT_TRUE(zone.contains(fenetre.frameGeometry())) << ou << " : " << texte(fenetre.frameGeometry()).toStdString();
        if (QWidget* menus = fenetre.menuWidget()) {
            EXPECT_EQ(menus->parentWidget(), &fenetre) << ou;
            EXPECT_TRUE(amenerEnVue(fenetre, *menus)) << ou;
        }
        for (const QString& nom : controles) {
            auto* controle = fenetre.findChild<QWidget*>(nom);
            ASSERT_NE(controle, nullptr) << nom.toStdString();
            EXPECT_TRUE(amenerEnVue(fenetre, *controle)) << ou << ' ' << nom.toStdString();
        }
    }
}

class PetitEcran : public ::testing::Test, protected AccueilPilote {
protected:
    PetitEcran()
    {
        exemple::remplirTarifs(base::db());
        ecole.ajouterClasse(QStringLiteral("6A"), 40);
        exemple::inserer(base::db(), {exemple::ligne(QStringLiteral("10/12/2026"), QStringLiteral("1"),
                                                      QStringLiteral("Nom001"), QStringLiteral("Prénom 6A"),
                                                      QStringLiteral("Je garde la pochette complète"),
                                                      QStringLiteral("15,00"), QStringLiteral("10,00"),
                                                      QStringLiteral("1"))});
    }

    void TearDown() override { fermer(); }

    SchoolFixture ecole;
    RecordingShell shell;
    ScriptedDialogs dialogues;
};

} // namespace

TEST_F(PetitEcran, LesQuatreFenetresTiennentSurLEcranEtToutYResteAccessible)
{
    FormAccueil& accueil = ouvrir();
    afficherClasse(QStringLiteral("6A"));
    verifierAccessible(accueil, {QStringLiteral("Image2_39"), QStringLiteral("ImageSuppEleve_39"),
                                 QStringLiteral("Bt_Vente"), QStringLiteral("Bt_Aficher")});

    QTest::mouseClick(controle<QWidget>(QStringLiteral("Image2_0")), Qt::LeftButton);
    FormCarteIdent* carte = existingForm<FormCarteIdent>();
    ASSERT_NE(carte, nullptr);
    QTest::mouseClick(carte->findChild<QWidget*>(QStringLiteral("Bt_ValideIdentite_2")), Qt::LeftButton);
    verifierAccessible(*carte, {QStringLiteral("TextNumInterne"), QStringLiteral("CheckArticles_3"),
                                QStringLiteral("Bt_ValideIdentite_0"), QStringLiteral("Bt_ValideIdentite_1")});
    QTest::mouseClick(carte->findChild<QWidget*>(QStringLiteral("Bt_ValideIdentite_1")), Qt::LeftButton);

    ASSERT_TRUE(QTest::qWaitFor([] { return existingForm<FormCarteIdent>() == nullptr; }));
    cliquer(QStringLiteral("Bt_Vente"));
    FormVente* ventes = existingForm<FormVente>();
    ASSERT_NE(ventes, nullptr);
    verifierAccessible(*ventes, {QStringLiteral("LabelSolde"), QStringLiteral("LbAffVtotal"),
                                 QStringLiteral("LbGainEtab"), QStringLiteral("DBGridVentes"),
                                 QStringLiteral("Bt_ImpCmde"), QStringLiteral("BtFermer")});
}
