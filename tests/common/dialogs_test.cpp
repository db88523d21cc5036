#include "common/dialogs.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

TEST(Dialogues, LeScriptRepondDansLOrdreEtEnregistreChaqueQuestion)
{
    dialogs::setProgramName(QStringLiteral("Zelvantis"));
    ScriptedDialogs script;
    script.message(QStringLiteral("supprimer"), dialogs::Answer::Cancel)
        .input(QStringLiteral("séparateur"), QStringLiteral(","))
        .openFile(QStringLiteral("/tmp/liste.csv"));
    EXPECT_EQ(dialogs::message(QStringLiteral("Voulez vous supprimer ?\n\rSûr ?"), dialogs::Icon::Question,
                               dialogs::Buttons::OkCancel),
              dialogs::Answer::Cancel);
    EXPECT_EQ(dialogs::input(QStringLiteral("Le séparateur :"), QStringLiteral("Csv")), QStringLiteral(","));
    EXPECT_EQ(dialogs::openFile({QStringLiteral("Choisir"), {}, {}}), QStringLiteral("/tmp/liste.csv"));
    ASSERT_EQ(script.prompts().size(), 3u);
    EXPECT_EQ(script.prompts()[0].text, QStringLiteral("Voulez vous supprimer ?\nSûr ?"));
    EXPECT_EQ(script.prompts()[0].title, QStringLiteral("Zelvantis"));
    EXPECT_EQ(script.prompts()[1].title, QStringLiteral("Csv"));
    EXPECT_TRUE(script.allAnswered());
}

TEST(Dialogues, LesSautsDeLigneDeToutesSortesNEnFontQuUn)
{
    EXPECT_EQ(dialogs::normalizeLineBreaks(QStringLiteral("a\n\rb\r\nc\nd\re")), QStringLiteral("a\nb\nc\nd\ne"));
}

TEST(Dialogues, UneQuestionInattendueFaitEchouerLeTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs script;
            EXPECT_EQ(dialogs::message(QStringLiteral("Effacer ?"), dialogs::Icon::Question, dialogs::Buttons::YesNo),
                      dialogs::Answer::No);
        },
        "unexpected message box: Effacer ?");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs script;
            script.message(QStringLiteral("Fin"));
        },
        "never came: Fin");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs script;
            script.message(QStringLiteral("Fin"));
            dialogs::message(QStringLiteral("Début"));
        },
        "containing \"Fin\"");
}
