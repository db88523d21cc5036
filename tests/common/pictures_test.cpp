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
