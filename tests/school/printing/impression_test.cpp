#include "school/printing/impression.h"

#include "tests/support/recording_shell.h"
#include "tests/support/sandbox.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace {

using Request = RecordingShell::Request;

TEST(PlanchesImpression, ImprimePuisOuvreLeDocument)
{
    Sandbox sandbox;
    const QString document = Sandbox::writeFile(sandbox.path(QStringLiteral("vizmora2020/filetemp.html")), "<HTML>");
    RecordingShell shell;
    ScriptedDialogs dialogues;
    EXPECT_TRUE(imprimerDocument(document));
    EXPECT_EQ(shell.requests(), (std::vector<Request>{{QStringLiteral("print"), document}, {QStringLiteral("open"), document}}));
}

TEST(PlanchesImpression, UneImpressionAnnuleeNOuvreRien)
{
    Sandbox sandbox;
    const QString document = Sandbox::writeFile(sandbox.path(QStringLiteral("vizmora2020/filetemp.html")), "<HTML>");
    RecordingShell shell;
    ScriptedDialogs dialogues;
    shell.cancelPrinting();
    EXPECT_FALSE(imprimerDocument(document));
    EXPECT_EQ(shell.requests(), (std::vector<Request>{{QStringLiteral("print"), document}}));
    EXPECT_TRUE(dialogues.prompts().empty());
}

TEST(PlanchesImpression, SansDocumentRienNEstDemandeAuShell)
{
    Sandbox sandbox;
    RecordingShell shell;
    ScriptedDialogs dialogues;
    const QString absent = sandbox.path(QStringLiteral("vizmora2020/filetempCrte.html"));
    dialogues.message(QStringLiteral("Aucun document")).message(absent);
    EXPECT_FALSE(imprimerDocument(QString()));
    EXPECT_FALSE(imprimerDocument(absent));
    EXPECT_TRUE(shell.requests().empty());
}

} // namespace
