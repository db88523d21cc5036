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

#include <unistd.h>

namespace {

bool& failed()
{
    static bool startFailedFlag = false;
    return startFailedFlag;
}

// Qt's own messages go on to the standard error output, but for those that are all a user of the
// program would read there, in English, about something Qt deals with itself or that the program
// says in French.
struct QtMessages {
    static inline QtMessageHandler qtOwn = nullptr;
    // While the application is made, its display is reached: the line said if it cannot be.
    static inline QString unreachable;
    // What Qt said on the way about its platform plugins, kept for the line said if none starts.
    static inline QStringList notices;

    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (!unreachable.isEmpty()) {
            // Qt ends the program after such a message, on a signal: it cannot go on without its platform.
            if (type == QtFatalMsg) {
                std::fprintf(stderr, "%s\n", qUtf8Printable(qtStartFailure(unreachable, notices, message)));
                std::fflush(stderr);
                ::_exit(1);
            }
            // The platform plugins it tried on the way, whether one started or not.
            if (context.category && QByteArrayView(context.category).startsWith("qt.qpa.")) {
                if (type != QtDebugMsg)
                    notices << message;
                return;
            }
        }
        // Qt then makes its own private runtime folder, as it should.
        if (message.startsWith(QLatin1StringView("QStandardPaths: XDG_RUNTIME_DIR not set")))
            return;
        qtOwn(type, context, message);
    }
};

// The position of the platform chosen among the arguments, or -1.
qsizetype platformArgument(const QStringList& arguments)
{
    const qsizetype platform = std::max(arguments.indexOf(QStringLiteral("-platform")),
                                        arguments.indexOf(QStringLiteral("--platform")));
    return platform >= 1 && platform + 1 < arguments.size() ? platform + 1 : -1;
}

// What the environment and the arguments named as the display, which did not answer.
QString unreachableLine(const QString& name, const QProcessEnvironment& environment, const QStringList& arguments)
{
    QStringList named;
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const QString value = environment.value(QString::fromLatin1(variable));
        if (!value.isEmpty())
            named << QString::fromLatin1(variable) + u'=' + value;
    }
    if (const qsizetype platform = platformArgument(arguments); platform > 0)
        named << QStringLiteral("-platform ") + arguments.at(platform);
    return QStringLiteral("%1 ne peut pas démarrer sans session graphique : aucun affichage ne répond (%2). "
                          "Démarrez-le depuis un bureau.")
        .arg(name, named.join(QStringLiteral(", ")));
}

} // namespace

QString qtStartFailure(const QString& unreachable, const QStringList& notices, const QString& fatal)
{
    const bool noDisplay = std::any_of(notices.cbegin(), notices.cend(), [](const QString& notice) {
        return notice.contains(QLatin1StringView("connect to display"), Qt::CaseInsensitive)
            || notice.contains(QLatin1StringView("wl_display"), Qt::CaseInsensitive);
    });
    if (noDisplay)
        return unreachable;
    QStringList reason;
    for (const QString& part : notices + QStringList{fatal}) {
        if (!part.simplified().isEmpty())
            reason << part.simplified();
    }
    return QStringLiteral("Qt n'a pas pu démarrer : ") + reason.join(QStringLiteral(" ; "));
}

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
    return platformArgument(arguments) > 0;
}

int runProgram(int argc, char** argv, const QString& name, const std::function<void()>& showFirstForm)
{
    // Checked before Qt looks for a display: without one it aborts, in English. A display named that
    // does not answer is caught as Qt gives up on it.
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
    QtMessages::unreachable = unreachableLine(name, QProcessEnvironment::systemEnvironment(), arguments);
    QtMessages::qtOwn = qInstallMessageHandler(&QtMessages::handle);
    QApplication app(argc, argv);
    QtMessages::unreachable.clear();
    QtMessages::notices.clear();
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
