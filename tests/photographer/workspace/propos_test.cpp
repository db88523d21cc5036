#include "tests/photographer/workspace/formulaires_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class AProposDe : public FormulairesAtelier {};

TEST_F(AProposDe, VersionLienEtFermeture)
{
    RecordingShell shell;
    etat::VersionLogiciel = etat::versionText();
    Propos& propos = formInstance<Propos>();
    propos.showForm();

    EXPECT_EQ(propos.windowTitle(), QStringLiteral("A propos de ..."));
    EXPECT_TRUE(propos.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(propos.findChild<QLabel*>(QStringLiteral("LabelVersion"))->text().startsWith(u"V. "));
    EXPECT_EQ(propos.findChild<QLabel*>(QStringLiteral("LabelVersion"))->text(), etat::versionText());
    EXPECT_FALSE(propos.findChild<QLabel*>(QStringLiteral("LabelCopyright"))->text().isEmpty());

    QTest::mouseClick(propos.findChild<QLabel*>(QStringLiteral("Labelweb")), Qt::LeftButton);
    EXPECT_EQ(shell.requests(), (std::vector<RecordingShell::Request>{
                                    {QStringLiteral("open"), QString::fromLatin1(shell::kMakerSite)}}));

    QTest::mouseClick(propos.findChild<QPushButton*>(QStringLiteral("Bt_Ok")), Qt::LeftButton);
    EXPECT_EQ(existingForm<Propos>(), nullptr);
    EXPECT_FALSE(accueilAffiche());
}

} // namespace
