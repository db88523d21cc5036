#include "tests/photographer/support/photographe_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

class AProposDe : public PhotographeFixture {};

TEST_F(AProposDe, VersionLienEtFermeture)
{
    etat::VersionLogiciel = etat::versionText();
    etat::MentionCopyright = QStringLiteral("Copyright © Studio");
    Propos& propos = formInstance<Propos>();
    propos.showForm();

    EXPECT_EQ(propos.windowTitle(), QStringLiteral("A propos de ..."));
    EXPECT_TRUE(propos.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^V\\. \\d+\\.\\d+ R\\d+$"))
                    .match(propos.findChild<QLabel*>(QStringLiteral("LabelVersion"))->text())
                    .hasMatch());
    EXPECT_EQ(propos.findChild<QLabel*>(QStringLiteral("LabelCopyright"))->text(), etat::MentionCopyright);

    QTest::mouseClick(propos.findChild<QLabel*>(QStringLiteral("Labelweb")), Qt::LeftButton);
    EXPECT_EQ(shell_.requests(), (std::vector<RecordingShell::Request>{
                                    {QStringLiteral("open"), QStringLiteral("https://mises-a-jour.example")}}));

    QTest::mouseClick(propos.findChild<QPushButton*>(QStringLiteral("Bt_Ok")), Qt::LeftButton);
    EXPECT_EQ(existingForm<Propos>(), nullptr);
    EXPECT_FALSE(accueilAffiche());
}

} // namespace
