#include "common/program.h"

#include "common/dialogs.h"
#include "common/form.h"

#include <QApplication>
#include <QLocale>

int runProgram(int argc, char** argv, const QString& name, const std::function<void()>& showFirstForm)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(name);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    dialogs::setProgramName(name);
    showFirstForm();
    if (Form::loadedCount() == 0)
        return 0;
    return app.exec();
}
