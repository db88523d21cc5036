#include "common/ui/program.h"

#include "common/dialogs.h"
#include "common/ui/desktop_shell.h"
#include "common/ui/qt_dialogs.h"
#include "common/ui/form.h"
#include "common/report.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTranslator>

#include <algorithm>
#include <cstdio>

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

bool displayAvailable(const QProcessEnvironment& environment, const QStringList& arguments)
{
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!environment.value(QString::fromLatin1(variable)).isEmpty())
            return true;
    }
    const qsizetype platform = std::max(arguments.indexOf(QStringLiteral("-platform")),
                                        arguments.indexOf(QStringLiteral("--platform")));
    return platform >= 1 && platform + 1 < arguments.size();
}

int runProgram(int argc, char** argv, const QString& name, const std::function<void()>& showFirstForm)
{
    // Checked before Qt looks for a display: without one it aborts, in English.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!displayAvailable(QProcessEnvironment::systemEnvironment(), arguments)) {
        std::fprintf(stderr, "%s\n",
                     qUtf8Printable(QStringLiteral("%1 ne peut pas démarrer sans session graphique : ni DISPLAY ni "
                                                   "WAYLAND_DISPLAY n'est défini. Démarrez-le depuis un bureau.")
                                        .arg(name)));
        return 1;
    }
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
