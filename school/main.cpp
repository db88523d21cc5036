#include <QApplication>
#include <QLocale>

#include "common/dialogs.h"
#include "school/workspace/form_accueil.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Vizmora"));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    dialogs::setProgramName(QStringLiteral("Vizmora"));
    formInstance<FormAccueil>().showForm();
    if (Form::loadedCount() == 0)
        return 0;
    return app.exec();
}
