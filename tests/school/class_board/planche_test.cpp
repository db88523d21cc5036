#include "school/class_board/documents.h"
#include "school/class_board/planche.h"

#include "common/ui/layout.h"
#include "school/data/base.h"
#include "school/data/etat.h"
#include "tests/school/support/school_fixture.h"
#include "tests/support/golden.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QByteArray lire(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QLabel* element(Planche& planche, const char* tableau, int index)
{
    return planche.findChild<QLabel*>(QStringLiteral("%1_%2").arg(QLatin1String(tableau)).arg(index));
}

QRgb couleurAuCentre(QLabel* image)
{
    const QImage rendu = image->pixmap().toImage();
    return rendu.pixel(rendu.width() / 2, rendu.height() / 2);
}

bool procheDe(QRgb a, const QColor& b)
{
    return qAbs(qRed(a) - b.red()) < 12 && qAbs(qGreen(a) - b.green()) < 12 && qAbs(qBlue(a) - b.blue()) < 12;
}

// A class of 50: 45 plain names and five that only a French, case- and
// accent-aware order sorts right, two of them namesakes told apart by key.
class PlanchesClasse : public ::testing::Test {
protected:
    void SetUp() override
    {
        fixture.nommerEtablissement(QStringLiteral("Collège Sud"));
        etat::NomEtabEnCours = QStringLiteral("Collège Sud");
        fixture.ajouterClasse(QStringLiteral("5B"), 3);
        zola = fixture.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Zola"), QStringLiteral("Émile"));
        fixture.ajouterClasse(QStringLiteral("6A"), 45);
        martin2 = fixture.ajouterEleve(QStringLiteral("6A"), QStringLiteral("martin"), QStringLiteral("Léa"));
        arc = fixture.ajouterEleve(QStringLiteral("6A"), QStringLiteral("d'Arc & <Fils>"), QStringLiteral("Jeanne"));
        ebert = fixture.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Ébert"), QStringLiteral("Paul"));
        martin1 = fixture.ajouterEleve(QStringLiteral("6a"), QStringLiteral("Martin"), QStringLiteral("Luc"));
    }
    void TearDown() override { etat::NomEtabEnCours.clear(); }

    SchoolFixture fixture;
    qint64 zola = 0, martin1 = 0, martin2 = 0, arc = 0, ebert = 0;
};

TEST_F(PlanchesClasse, LesElevesDeLaClasseEnOrdreFrancaisPuisParCle)
{
    const std::vector<CelluleEleve> eleves = elevesDeClasse(base::db(), QStringLiteral("6A"));
    ASSERT_EQ(eleves.size(), 50u);
    QStringList noms;
    for (const CelluleEleve& e : eleves)
        noms << e.nom;
    EXPECT_EQ(noms.mid(0, 2), (QStringList{QStringLiteral("d'Arc & <Fils>"), QStringLiteral("Ébert")}));
    EXPECT_EQ(noms.mid(2, 2), (QStringList{QStringLiteral("martin"), QStringLiteral("Martin")}));
    EXPECT_EQ(eleves[2].cdeEleve, QString::number(martin2)); // the lower key first
    EXPECT_EQ(noms[4], QStringLiteral("Nom001"));
    EXPECT_EQ(noms[48], QStringLiteral("Nom045"));
    EXPECT_EQ(noms[49], QStringLiteral("Zola"));
    EXPECT_EQ(eleves[49].codePhoto, QString::number(zola));
    EXPECT_EQ(eleves[0].prenom, QStringLiteral("Jeanne"));
}

TEST_F(PlanchesClasse, CinquanteCellulesNeufParRangeeToutesAtteignables)
{
    const std::vector<CelluleEleve> eleves = elevesDeClasse(base::db(), QStringLiteral("6A"));
    Planche planche;
    EXPECT_EQ(planche.objectName(), QStringLiteral("Frame1"));
    planche.construire(TypePlanche::Classe, eleves, false);
    ASSERT_EQ(planche.nombre(), 50);
    for (int i = 0; i < 50; ++i) {
        SCOPED_TRACE(i);
        QLabel* image = element(planche, "Image2", i);
        ASSERT_NE(image, nullptr);
        EXPECT_FALSE(image->isHidden());
        EXPECT_EQ(image->pos(), layout::rect((i % 9) * 1765, (i / 9) * 2555, 0, 0).topLeft());
        EXPECT_TRUE(planche.rect().contains(image->geometry())) << "cell out of the frame";
        EXPECT_EQ(element(planche, "LbNom", i)->text(), eleves[i].nom);
        EXPECT_EQ(element(planche, "LbPrenom", i)->text(), eleves[i].prenom);
        EXPECT_EQ(element(planche, "LbNum", i)->text(), eleves[i].cdeEleve);
        EXPECT_EQ(element(planche, "LbCdImg", i)->text(), eleves[i].codePhoto);
        EXPECT_TRUE(element(planche, "LbNum", i)->isHidden());
        EXPECT_FALSE(element(planche, "ImageSuppEleve", i)->isHidden());
        EXPECT_FALSE(element(planche, "ImageChgClasse", i)->isHidden());
        EXPECT_TRUE(procheDe(couleurAuCentre(image), SchoolFixture::couleurPortrait(eleves[i].cdeEleve.toLongLong())));
    }
    EXPECT_EQ(element(planche, "Image2", 50), nullptr);
    EXPECT_EQ(element(planche, "LbGPClasse", 1), nullptr);
}

TEST_F(PlanchesClasse, LesClicsDesCellulesDonnentLeurIndex)
{
    Planche planche;
    planche.construire(TypePlanche::Classe, elevesDeClasse(base::db(), QStringLiteral("6A")), false);
    planche.show();
    QSignalSpy portrait(&planche, &Planche::portraitClique);
    QSignalSpy suppression(&planche, &Planche::suppressionDemandee);
    QSignalSpy changement(&planche, &Planche::changementClasseDemande);
    QTest::mouseClick(element(planche, "Image2", 47), Qt::LeftButton);
    QTest::mouseClick(element(planche, "ImageSuppEleve", 3), Qt::LeftButton);
    QTest::mouseClick(element(planche, "ImageChgClasse", 0), Qt::LeftButton);
    ASSERT_EQ(portrait.size(), 1);
    EXPECT_EQ(portrait[0][0].toInt(), 47);
    ASSERT_EQ(suppression.size(), 1);
    EXPECT_EQ(suppression[0][0].toInt(), 3);
    ASSERT_EQ(changement.size(), 1);
    EXPECT_EQ(changement[0][0].toInt(), 0);
    EXPECT_EQ(planche.cellule(47).cdeEleve, element(planche, "LbNum", 47)->text());
}

TEST_F(PlanchesClasse, ReconstruireNeGardeQueLesNouvellesCellules)
{
    Planche planche;
    planche.construire(TypePlanche::Classe, elevesDeClasse(base::db(), QStringLiteral("6A")), false);
    // A pick marks a surname; cell 0 outlives the board and must not keep the mark.
    layout::setBackground(element(planche, "LbNom", 0), 0x00FF00);
    // A rebuild started from a cell's own click, as after a deletion.
    QObject::connect(&planche, &Planche::suppressionDemandee, &planche, [&planche] {
        planche.construire(TypePlanche::Classe, elevesDeClasse(base::db(), QStringLiteral("5B")), true);
    });
    planche.show();
    QTest::mouseClick(element(planche, "ImageSuppEleve", 20), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(planche.nombre(), 3);
    EXPECT_EQ(element(planche, "Image2", 3), nullptr);
    EXPECT_EQ(element(planche, "LbNom", 20), nullptr);
    EXPECT_EQ(element(planche, "LbNom", 2)->text(), QStringLiteral("Nom003"));
    // Pick mode: no icon on any cell.
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(element(planche, "ImageSuppEleve", i)->isHidden()) << i;
        EXPECT_TRUE(element(planche, "ImageChgClasse", i)->isHidden()) << i;
    }
    EXPECT_EQ(planche.size(), layout::rect(0, 0, 15855, 12855).size());
    EXPECT_EQ(element(planche, "LbNom", 0)->palette().color(QPalette::Window).rgb(), layout::bgr(0xC0FFFF));
}

TEST_F(PlanchesClasse, UneClasseVideNeMontreAucuneCellule)
{
    Planche planche;
    planche.construire(TypePlanche::Classe, elevesDeClasse(base::db(), QStringLiteral("6A")), false);
    planche.construire(TypePlanche::Classe, elevesDeClasse(base::db(), QStringLiteral("Inconnue")), false);
    EXPECT_EQ(planche.nombre(), 0);
    for (const char* tableau : {"Image2", "LbNom", "LbPrenom", "ImageSuppEleve", "ImageChgClasse", "LbGPClasse"})
        EXPECT_TRUE(element(planche, tableau, 0)->isHidden()) << tableau;
    EXPECT_TRUE(element(planche, "Image2", 0)->pixmap().isNull());

    const DocumentsEcrits docs = ecrireDocumentsClasse(fixture.dossier(), QStringLiteral("Inconnue"), {});
    EXPECT_EQ(docs.erreur, QString());
    EXPECT_EQ(lire(docs.planche), QByteArray("<HTML><HEAD><TITLE>Coll\xE8ge Sud</TITLE></HEAD>\r\n<BODY>\r\n\r\n"
                                             "<B>Classe :<P>Inconnue</B><P><TABLE>\r\n"));
    EXPECT_FALSE(lire(docs.cartes).contains("<img"));
    EXPECT_FALSE(lire(docs.etiquettes).contains("<img"));
}

TEST_F(PlanchesClasse, PortraitIlliscibleOuAbsentDonneLImageVide)
{
    std::vector<CelluleEleve> eleves = elevesDeClasse(base::db(), QStringLiteral("6A"));
    Planche planche;
    planche.construire(TypePlanche::Classe, eleves, false);
    ASSERT_FALSE(element(planche, "Image2", 0)->pixmap().isNull());

    // Cell 0: a file that is not a picture; cell 1: no file under the code
    // but one under Nom.Prenom; cell 2: no file at all.
    Sandbox::writeFile(fixture.cheminPhoto(arc), "pas une image");
    QFile::remove(fixture.cheminPhoto(ebert));
    const QString parNom = fixture.dossierImages() + QStringLiteral("/Ébert.Paul.jpg");
    ASSERT_TRUE(SchoolFixture::ecrirePortrait(parNom, Qt::red));
    QFile::remove(fixture.cheminPhoto(martin2));
    planche.construire(TypePlanche::Classe, eleves, false);

    EXPECT_TRUE(element(planche, "Image2", 0)->pixmap().isNull());
    EXPECT_FALSE(element(planche, "Image2", 0)->isHidden());
    EXPECT_TRUE(procheDe(couleurAuCentre(element(planche, "Image2", 1)), Qt::red));
    EXPECT_TRUE(element(planche, "Image2", 2)->pixmap().isNull());
    EXPECT_EQ(cheminPhoto(fixture.dossier(), eleves[1]), parNom);
    EXPECT_EQ(cheminPhoto(fixture.dossier(), eleves[2]), QString());

    // A new picture for one cell is read again on request.
    ASSERT_TRUE(SchoolFixture::ecrirePortrait(fixture.cheminPhoto(martin2), Qt::blue));
    planche.rechargerPortrait(2);
    EXPECT_TRUE(procheDe(couleurAuCentre(element(planche, "Image2", 2)), Qt::blue));
}

TEST_F(PlanchesClasse, LesTroisDocumentsTiennentLesCinquanteEleves)
{
    const std::vector<CelluleEleve> eleves = elevesDeClasse(base::db(), QStringLiteral("6A"));
    // An older, longer document is replaced, not appended to.
    Sandbox::writeFile(fixture.dossier() + QStringLiteral("/filetemp.html"), QByteArray(100000, 'x'));
    const DocumentsEcrits docs = ecrireDocumentsClasse(fixture.dossier(), QStringLiteral("6A"), eleves);
    EXPECT_EQ(docs.erreur, QString());
    EXPECT_EQ(docs.planche, fixture.dossier() + QStringLiteral("/filetemp.html"));
    EXPECT_EQ(docs.cartes, fixture.dossier() + QStringLiteral("/filetempCrte.html"));
    EXPECT_EQ(docs.etiquettes, fixture.dossier() + QStringLiteral("/filetempEtiq.html"));

    // The sandbox's folder changes from run to run: the expected copies name it {DOSSIER}.
    const auto modele = [&](const QString& chemin) {
        return lire(chemin).replace(fixture.dossier().toUtf8(), "{DOSSIER}");
    };
    expectGolden(modele(docs.planche), QStringLiteral("school/class_board/golden/classe_planche.html"));
    expectGolden(modele(docs.cartes), QStringLiteral("school/class_board/golden/classe_cartes.html"));
    expectGolden(modele(docs.etiquettes), QStringLiteral("school/class_board/golden/classe_etiquettes.html"));
    const QByteArray cartes = lire(docs.cartes);

    // A rebuild of the board alone leaves the cards and labels as they were.
    const std::vector<CelluleEleve> deux(eleves.begin(), eleves.begin() + 2);
    const DocumentsEcrits seul = ecrirePlancheClasse(fixture.dossier(), QStringLiteral("6A"), deux);
    EXPECT_EQ(seul.cartes, QString());
    EXPECT_EQ(lire(docs.planche).count("<img"), 2);
    EXPECT_EQ(lire(docs.cartes), cartes);
}

TEST_F(PlanchesClasse, UnDocumentQuiNePeutEtreEcritDonneUnSeulMessageQuiLeNomme)
{
    const QString cartes = fixture.dossier() + QStringLiteral("/filetempCrte.html");
    ASSERT_TRUE(QDir().mkpath(cartes)); // a folder where the document goes
    const DocumentsEcrits docs =
        ecrireDocumentsClasse(fixture.dossier(), QStringLiteral("6A"), elevesDeClasse(base::db(), QStringLiteral("6A")));
    EXPECT_EQ(docs.erreur.count(QLatin1Char('\n')), 0);
    EXPECT_TRUE(docs.erreur.contains(cartes)) << docs.erreur.toStdString();
    EXPECT_EQ(docs.cartes, QString());
    EXPECT_FALSE(docs.planche.isEmpty());
    EXPECT_FALSE(docs.etiquettes.isEmpty());

    // No data folder at all: one message per document.
    const DocumentsEcrits aucun = ecrireDocumentsClasse(fixture.dossier() + QStringLiteral("/absent"),
                                                        QStringLiteral("6A"), {});
    const QStringList messages = aucun.erreur.split(QLatin1Char('\n'));
    ASSERT_EQ(messages.size(), 3);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("absent/filetemp.html")));
    EXPECT_TRUE(messages[1].contains(QStringLiteral("absent/filetempCrte.html")));
    EXPECT_TRUE(messages[2].contains(QStringLiteral("absent/filetempEtiq.html")));
    EXPECT_EQ(aucun.planche, QString());
}

} // namespace
