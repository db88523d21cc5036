#include <QApplication>
#include <QLocale>

#include "common/dialogs.h"
#include "photographer/workspace/accueil.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Zelvantis"));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    dialogs::setProgramName(QStringLiteral("Zelvantis"));
    formInstance<Accueil>().showForm();
    if (Form::loadedCount() == 0)
        return 0;
    return app.exec();
}
