#include "common/pictures.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

TEST(Images, LaTailleAjusteeGardeLesProportionsEtNAgranditJamais)
{
    const struct {
        QSize source, bound, fitted;
    } cases[] = {
        {{6000, 4000}, {400, 400}, {400, 267}},
        {{4000, 6000}, {400, 400}, {267, 400}},
        {{300, 200}, {400, 400}, {300, 200}},
        {{800, 400}, {400, 400}, {400, 200}},
        {{0, 0}, {400, 400}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pictures::fittedSize(c.source, c.bound), c.fitted) << c.source.width() << "x" << c.source.height();
}

TEST(Images, LeChargementAjusteDecodeEnTailleReduiteOuRepondNull)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.jpg"));
    QImage image(1200, 800, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(path, "JPG"));
    EXPECT_EQ(pictures::loadFitted(path, {120, 120}).size(), QSize(120, 80));

    const QString broken = dir.filePath(QStringLiteral("broken.jpg"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    EXPECT_TRUE(pictures::loadFitted(broken, {120, 120}).isNull());
    EXPECT_TRUE(pictures::loadFitted(dir.filePath(QStringLiteral("absent.jpg")), {120, 120}).isNull());
}

// One name in composed and in decomposed spelling is one name, whichever side
// holds which: files come decomposed from other systems, and the database's
// names are composed when they enter it.
TEST(Images, LaPhotoDUnEleveSeTrouveQuelleQueSoitLaFormeDeSesAccents)
{
    const QString compose = QStringLiteral("Lo\u00efc");     // Loïc
    const QString decompose = QStringLiteral("Loi\u0308c"); // i + combining diaeresis
    const struct {
        const char* quoi;
        QStringList fichiers;   // in the folder, each "Nom.Prenom.jpg" with its spelling
        QString prenom;         // as the database holds it
        QString trouve;         // the file found, "" for none
    } cas[] = {
        {"fichier décomposé, base composée", {"Le\u0301on." + decompose + ".jpg"}, compose,
         "Le\u0301on." + decompose + ".jpg"},
        {"fichier composé, base décomposée", {"L\u00e9on." + compose + ".jpg"}, decompose, "L\u00e9on." + compose + ".jpg"},
        {"les deux : celui écrit comme la base", {"L\u00e9on." + compose + ".jpg", "Le\u0301on." + decompose + ".jpg"},
         compose, "L\u00e9on." + compose + ".jpg"},
        {"un autre élève", {"L\u00e9on.Luc.jpg"}, compose, ""},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quoi);
        QTemporaryDir dir;
        for (const QString& nom : c.fichiers) {
            QFile file(dir.filePath(nom));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(nom.toUtf8());
        }
        const QString nom = c.prenom == compose ? QStringLiteral("L\u00e9on") : QStringLiteral("Le\u0301on");
        const pictures::StudentPicture photo = pictures::lookUpStudentPicture(dir.path(), "17", nom, c.prenom);
        EXPECT_EQ(photo.path, c.trouve.isEmpty() ? QString() : dir.filePath(c.trouve));
        EXPECT_EQ(photo.refused, QString());
    }
}

// A decomposed spelling brings no link or empty file in either.
TEST(Images, UnHomonymeDecomposeVideOuLienEstEcarte)
{
    QTemporaryDir dir;
    const QString vide = dir.filePath(QStringLiteral("Le\u0301on.Luc.jpg"));
    QFile file(vide);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString lien = dir.filePath(QStringLiteral("Ze\u0301lie.Luc.jpg"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/etc/hostname"), lien));

    EXPECT_EQ(pictures::lookUpStudentPicture(dir.path(), {}, QStringLiteral("L\u00e9on"), QStringLiteral("Luc")).refused,
              vide);
    const pictures::StudentPicture photo =
        pictures::lookUpStudentPicture(dir.path(), {}, QStringLiteral("Z\u00e9lie"), QStringLiteral("Luc"));
    EXPECT_EQ(photo.path, QString());
    EXPECT_EQ(photo.refused, lien);
}
