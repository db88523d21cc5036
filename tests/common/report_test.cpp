#include "common/report.h"

#include "common/database.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace {

TEST(Signalement, UnEchecMontreLeTexteFrancaisEtNeJournaliseQueLeDetail)
{
    ScriptedDialogs dialogues;
    dialogues.message(QStringLiteral("La base /d/x.idx est en lecture seule"));
    testing::internal::CaptureStderr();
    const bool ran = report::attempt([] {
        throw db::Error(QStringLiteral("La base /d/x.idx est en lecture seule : la modification n'a pas été enregistrée."),
                        QStringLiteral("attempt to write a readonly database (INSERT INTO Eleves)"));
    });
    const std::string logged = testing::internal::GetCapturedStderr();

    EXPECT_FALSE(ran);
    EXPECT_EQ(dialogues.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_FALSE(dialogues.lastPrompt().text.contains(QStringLiteral("readonly")));
    EXPECT_NE(logged.find("attempt to write a readonly database (INSERT INTO Eleves)"), std::string::npos) << logged;
}

TEST(Signalement, UneActionQuiAboutitNeDitRien)
{
    ScriptedDialogs dialogues;
    int runs = 0;
    EXPECT_TRUE(report::attempt([&runs] { ++runs; }));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(dialogues.prompts().empty());
}

} // namespace
