#include "photographer/shoot/hot_folder.h"

#include "common/helpers.h"
#include "tests/photographer/shoot/seance_fixture.h"

#include <QLineEdit>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The fixture bears the name of the class under test; this namespace keeps the two apart.
namespace {

using HotFolder = SeanceFixture;

TEST_F(HotFolder, RefuseCeQuiNePeutEtreLeDossierSurveille)
{
    const QString donnees = etat::CheminDonnees, archive = paths::onDrive({QStringLiteral("labohd")});
    const QStringList proteges{donnees, archive};
    const QString vide = sandbox_.path(QStringLiteral("vide")), plein = sandbox_.path(QStringLiteral("plein"));
    const QString sousDossiers = sandbox_.path(QStringLiteral("sous")), cache = sandbox_.path(QStringLiteral("cache"));
    const QString lecture = sandbox_.path(QStringLiteral("lecture"));
    ASSERT_TRUE(paths::ensureFolder(vide));
    Sandbox::writeFile(plein + QStringLiteral("/IMG_1.JPG"), "x");
    ASSERT_TRUE(paths::ensureFolder(sousDossiers + QStringLiteral("/a")));
    Sandbox::writeFile(cache + QStringLiteral("/.cache"), "x");
    ASSERT_TRUE(paths::ensureFolder(lecture));
    ::chmod(QFile::encodeName(lecture).constData(), 0555);
    ASSERT_TRUE(paths::ensureFolder(donnees + QStringLiteral("/Ecole")));
    // A camera file whose name is not valid UTF-8 counts as much as any other.
    const QString brut = sandbox_.path(QStringLiteral("brut"));
    ASSERT_TRUE(paths::ensureFolder(brut));
    ::close(::open((QFile::encodeName(brut) + "/\xC9l\xE8ve.jpg").constData(), O_WRONLY | O_CREAT, 0644));

    struct Cas {
        QString dossier;
        QString refus; // a part of the message, "" when accepted
    };
    for (const Cas& c : {Cas{vide, {}}, Cas{sousDossiers, {}}, Cas{cache, {}},
                         Cas{plein, QStringLiteral("n'est pas vide")}, Cas{brut, QStringLiteral("n'est pas vide")},
                         Cas{sandbox_.path(QStringLiteral("absent")), QStringLiteral("n'existe pas")},
                         Cas{QStringLiteral("relatif"), QStringLiteral("n'existe pas")},
                         Cas{donnees, QStringLiteral("données")},
                         Cas{donnees + QStringLiteral("/Ecole/"), QStringLiteral("données")},
                         Cas{archive, QStringLiteral("données")},
                         Cas{lecture, ::geteuid() == 0 ? QString() : QStringLiteral("écriture")}}) {
        const QString refus = dossier_hot::refus(c.dossier, proteges);
        if (c.refus.isEmpty())
            EXPECT_EQ(refus, QString()) << c.dossier.toStdString();
        else
            EXPECT_TRUE(refus.contains(c.refus)) << c.dossier.toStdString() << ": " << refus.toStdString();
    }
    ::chmod(QFile::encodeName(lecture).constData(), 0755);
    EXPECT_EQ(dossier_hot::valeur(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(dossier_hot::valeur(vide), vide + u'/');
}

TEST_F(HotFolder, OkGardeLeChoixEtUnRefusNeChangeRien)
{
    const QString avant = etat::DossierHot;
    const QString plein = sandbox_.path(QStringLiteral("plein")), vide = sandbox_.path(QStringLiteral("photos"));
    Sandbox::writeFile(plein + QStringLiteral("/a.jpg"), "x");
    ASSERT_TRUE(paths::ensureFolder(vide));

    ::HotFolder& form = formInstance<::HotFolder>();
    form.showForm();
    auto* text1 = form.findChild<QLineEdit*>(QStringLiteral("Text1"));
    EXPECT_EQ(text1->text(), avant);
    EXPECT_FALSE(form.findChild<QWidget*>(QStringLiteral("bt_ok"))->isVisible());
    QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("Bt_Parcourir")), Qt::LeftButton);
    EXPECT_TRUE(form.findChild<QWidget*>(QStringLiteral("Dir1"))->isVisible());

    text1->setText(plein);
    dialogues_.message(QStringLiteral("Le dossier choisi n'est pas vide, veuillez choisir un autre dossier."));
    QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("bt_ok")), Qt::LeftButton);
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_EQ(etat::DossierHot, avant);
    EXPECT_FALSE(LireRegistre(etat::kCleRegistre, QStringLiteral("HotFolder")).has_value());
    EXPECT_NE(existingForm<::HotFolder>(), nullptr);

    text1->setText(vide);
    QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("bt_ok")), Qt::LeftButton);
    EXPECT_EQ(etat::DossierHot, vide + u'/');
    EXPECT_EQ(LireRegistre(etat::kCleRegistre, QStringLiteral("HotFolder")), vide + u'/');
    EXPECT_EQ(existingForm<::HotFolder>(), nullptr);
}

TEST_F(HotFolder, UnChoixImpossibleAEnregistrerSertPourCetteSessionEtEstSignale)
{
    const QString vide = sandbox_.path(QStringLiteral("nouveau"));
    ASSERT_TRUE(paths::ensureFolder(vide));
    sandbox_.blockSettingsFile(QStringLiteral("ZLV.ini"));
    ::HotFolder& form = formInstance<::HotFolder>();
    form.showForm();
    form.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(vide);
    dialogues_.message(QStringLiteral("ne servira que jusqu'à la fermeture de Zelvantis"));
    QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("bt_ok")), Qt::LeftButton);
    EXPECT_TRUE(dialogues_.lastPrompt().text.contains(sandbox_.configHome() + QStringLiteral("/ZLV.ini")));
    EXPECT_EQ(etat::DossierHot, vide + u'/');
    EXPECT_EQ(existingForm<::HotFolder>(), nullptr);
}

TEST_F(HotFolder, AnnulerNeChangeRien)
{
    const QString avant = etat::DossierHot;
    ::HotFolder& form = formInstance<::HotFolder>();
    form.showForm();
    form.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(sandbox_.path(QStringLiteral("ailleurs")));
    QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("Bt_Annuler")), Qt::LeftButton);
    EXPECT_EQ(etat::DossierHot, avant);
    EXPECT_FALSE(LireRegistre(etat::kCleRegistre, QStringLiteral("HotFolder")).has_value());
    EXPECT_EQ(existingForm<::HotFolder>(), nullptr);
}

} // namespace
