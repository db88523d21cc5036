#include "photographer/shoot/planche_eleves.h"

#include "tests/photographer/shoot/seance_fixture.h"

TEST(PlancheGeometrie, DixPlacesParRangeeSixRangees)
{
    struct Cas {
        int slot;
        QPoint photo;
    };
    for (const Cas& c : {Cas{0, {120, 315}}, Cas{1, {1500, 315}}, Cas{9, {12700, 315}}, Cas{10, {100, 3035}},
                         Cas{11, {1500, 3035}}, Cas{49, {12700, 11195}}, Cas{50, {100, 13915}},
                         Cas{59, {12700, 13915}}, Cas{60, {14100, 13915}}}) {
        EXPECT_EQ(planche::rectPhoto(c.slot), QRect(c.photo, QSize(1300, 1962))) << c.slot;
        EXPECT_EQ(planche::rectPrenom(c.slot), QRect(c.photo.x(), c.photo.y() + 1962, 1245, 250)) << c.slot;
        EXPECT_EQ(planche::rectNom(c.slot), QRect(c.photo.x(), c.photo.y() + 2220, 1245, 250)) << c.slot;
    }
}

TEST(PlancheGeometrie, PhotoParCleSinonParNom)
{
    Sandbox sandbox;
    const QString dossier = sandbox.path(QStringLiteral("Ecole"));
    const roster::Eleve eleve{QStringLiteral("12"), QStringLiteral("6A"), QStringLiteral("Petit"), QStringLiteral("Léa"), {}};
    EXPECT_EQ(planche::cheminPhoto(dossier, eleve), QString());
    const QString parNom = Sandbox::writeFile(dossier + QStringLiteral("/Petit.Léa.jpg"), "x");
    EXPECT_EQ(planche::cheminPhoto(dossier, eleve), parNom);
    const QString parCle = Sandbox::writeFile(dossier + QStringLiteral("/12.jpg"), "x");
    EXPECT_EQ(planche::cheminPhoto(dossier, eleve), parCle);
    // A folder of that name is no picture.
    ASSERT_TRUE(paths::ensureFolder(dossier + QStringLiteral("/13.jpg")));
    EXPECT_EQ(planche::cheminPhoto(dossier, {QStringLiteral("13"), {}, QStringLiteral("X"), QStringLiteral("Y"), {}}),
              QString());
}

// The fixture bears the name of the class under test; this namespace keeps the two apart.
namespace {

using PlancheEleves = SeanceFixture;

TEST_F(PlancheEleves, LaReconstructionNeLaisseAucunePlaceDeLaClassePrecedente)
{
    QStringList cles;
    for (int i = 0; i < 12; ++i)
        cles << eleve(QStringLiteral("6A"), QStringLiteral("Nom%1").arg(QChar(u'A' + i)), QStringLiteral("P%1").arg(i));
    eleve(QStringLiteral("5B"), QStringLiteral("Seul"), QStringLiteral("Sam"));
    Sandbox::writeFile(paths::join(dossierEtab(), {cles[1] + QStringLiteral(".jpg")}), jpeg());

    ChoixClasse& form = ouvrirClasse(QStringLiteral("6A"));
    EXPECT_NE(form.findChild<QWidget*>(QStringLiteral("Photo_11")), nullptr);
    EXPECT_EQ(controle<QLabel>(form, QStringLiteral("LabelRecupNom_10"))->text(), QStringLiteral("NomK"));
    EXPECT_EQ(controle<QLabel>(form, QStringLiteral("LabelRecupNom_10"))->geometry().topLeft(),
              layout::rect(100, 3035 + 2220, 1, 1).topLeft());
    EXPECT_FALSE(controle<Vignette>(form, QStringLiteral("Photo_1"))->image().isNull());
    EXPECT_TRUE(controle<Vignette>(form, QStringLiteral("Photo_2"))->image().isNull());
    EXPECT_EQ(controle<Vignette>(form, QStringLiteral("Photo_0"))->focusPolicy(), Qt::NoFocus);

    menu(form, QStringLiteral("MNU_Changer"))->trigger();
    ouvrirClasse(QStringLiteral("5B"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form.findChild<QWidget*>(QStringLiteral("Photo_1")), nullptr);
    EXPECT_EQ(controle<QLabel>(form, QStringLiteral("LabelRecupNom_0"))->text(), QStringLiteral("Seul"));
    EXPECT_TRUE(controle<Vignette>(form, QStringLiteral("Photo_0"))->image().isNull());
}

TEST_F(PlancheEleves, UneClasseVideNeMontreAucuneVignette)
{
    // A class is chosen, then its only student moves away: the board is empty.
    const QString seul = eleve(QStringLiteral("6A"), QStringLiteral("Seul"), QStringLiteral("Sam"));
    eleve(QStringLiteral("5B"), QStringLiteral("Autre"), QStringLiteral("Al"));
    ChoixClasse& form = ouvrirClasse(QStringLiteral("6A"));
    cliquer(form, 0, Qt::RightButton);
    menu(form, QStringLiteral("MNU_Change_Classe"))->trigger();
    auto* combo = controle<QComboBox>(form, QStringLiteral("Combo1"));
    combo->setCurrentIndex(0);
    Q_EMIT combo->activated(0);
    QTest::mouseClick(controle(form, QStringLiteral("Bt_Ajout_4")), Qt::LeftButton);
    EXPECT_EQ(colonne(seul, QStringLiteral("Classe")), QStringLiteral("5B"));
    EXPECT_FALSE(controle(form, QStringLiteral("Photo_0"))->isVisible());
    EXPECT_EQ(controle<QLabel>(form, QStringLiteral("LabelClasse"))->text(), QStringLiteral("Classe : 6A - 0 élèves"));
}

} // namespace
