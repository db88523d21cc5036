#pragma once

#include "common/ui/form.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QStringList>
#include <QTest>

#include <functional>

// The program's forms as the user sees them, for the tests that walk its windows.
namespace forms_on_screen {

// The forms still loaded, by name, a hidden one marked " (cachée)".
inline QStringList loaded()
{
    QStringList names;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<Form*>(window); form && !form->isUnloaded())
            names << form->objectName() + (form->isVisible() ? QString() : QStringLiteral(" (cachée)"));
    return names;
}

// A loaded form on the screen, or nullptr.
inline Form* shown()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<Form*>(window); form && !form->isUnloaded() && form->isVisible())
            return form;
    return nullptr;
}

// The user quits what is on the screen, one form at a time, until nothing
// shows: `quitMain` quits the main window the program's own way and answers
// true; any other form is closed with its close box. True once every form
// is unloaded.
inline bool quitAll(const std::function<bool(Form&)>& quitMain)
{
    for (int round = 0; round < 10; ++round) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Form* form = shown();
        if (!form)
            break;
        if (!quitMain(*form))
            form->close();
    }
    // A form may unload on a later turn of the event loop than its quit.
    const bool unloaded = QTest::qWaitFor([] { return Form::loadedCount() == 0; }, 5000);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return unloaded;
}

} // namespace forms_on_screen
