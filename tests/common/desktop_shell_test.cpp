#include "common/ui/desktop_shell.h"

#include "common/shell.h"
#include "tests/support/sandbox.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

namespace {

// The environment of a machine with no program to open documents or addresses, for the life of the object.
class SansLanceur {
public:
    explicit SansLanceur(const QString& dossierVide)
        : path_(qgetenv("PATH")), browser_(qgetenv("BROWSER")), defaultBrowser_(qgetenv("DEFAULT_BROWSER"))
    {
        qputenv("PATH", QFile::encodeName(dossierVide));
        qunsetenv("BROWSER");
        qunsetenv("DEFAULT_BROWSER");
    }
    ~SansLanceur()
    {
        qputenv("PATH", path_);
        restore("BROWSER", browser_);
        restore("DEFAULT_BROWSER", defaultBrowser_);
    }
    SansLanceur(const SansLanceur&) = delete;
    SansLanceur& operator=(const SansLanceur&) = delete;

private:
    static void restore(const char* name, const QByteArray& value)
    {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    QByteArray path_, browser_, defaultBrowser_;
};

} // namespace

// Without a program to open them, a document and the update address are not
// said opened: the user reads where they are in French, and the terminal gets
// the program's own detail line, not Qt's English one.
TEST(Bureau, SansProgrammePourOuvrirLUtilisateurLeLitEnFrancaisEtRienDAnglaisNeSAffiche)
{
    QTemporaryDir vide;
    const QString document = Sandbox::writeFile(vide.filePath(QStringLiteral("fileTarif.html")), "<html></html>");
    const SansLanceur sansLanceur(vide.path());
    ScriptedDialogs dialogues;
    std::unique_ptr<shell::Service> precedent = shell::install(shell::makeDesktopService());
    for (const QString& cible : {document, shell::updateAddress(QStringLiteral("/telechargements/maj_zelvantis.exe"))}) {
        SCOPED_TRACE(cible.toStdString());
        dialogues.message(QStringLiteral("Aucun programme de cette machine n'a pu ouvrir « %1 » : ouvrez-le vous-même.")
                              .arg(QDir::toNativeSeparators(cible)));
        testing::internal::CaptureStderr();
        const bool ouvert = shell::openOrReport(cible);
        const QString dit = QString::fromStdString(testing::internal::GetCapturedStderr());

        EXPECT_FALSE(ouvert);
        EXPECT_TRUE(dialogues.allAnswered());
        EXPECT_EQ(dit.toStdString(),
                  QStringLiteral("%1: ouverture impossible : %2\n").arg(QCoreApplication::applicationName(), cible).toStdString());
    }
    shell::install(std::move(precedent));
}
