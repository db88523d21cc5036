#include "common/ui/program.h"

#include "common/dialogs.h"
#include "common/ui/desktop_shell.h"
#include "common/ui/qt_dialogs.h"
#include "common/ui/form.h"
#include "common/report.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

bool& failed()
{
    static bool startFailedFlag = false;
    return startFailedFlag;
}

} // namespace

void startFailed()
{
    failed() = true;
}

int exitStatus()
{
    return failed() ? 1 : 0;
}

QTranslator* loadFrenchTranslations()
{
    // Owned by the application: it stays installed for the program's life.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && QCoreApplication::installTranslator(translator))
        return translator;
    delete translator;
    report::detail(QStringLiteral("traductions françaises de Qt introuvables dans %1")
                       .arg(QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    return nullptr;
}

int runProgram(int argc, char** argv, const QString& name, const std::function<void()>& showFirstForm)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(name);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // Without them the standard dialogs speak English, which is said on stderr only.
    loadFrenchTranslations();
    dialogs::setProgramName(name);
    dialogs::install(dialogs::makeQtService());
    shell::install(shell::makeDesktopService());
    showFirstForm();
    if (Form::loadedCount() == 0)
        return exitStatus();
    const int status = app.exec();
    return status != 0 ? status : exitStatus();
}
