#include "common/ui/form.h"

#include "common/ui/layout.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QSet>
#include <QTimer>

#include <utility>

namespace {

QSet<Form*>& loadedForms()
{
    static QSet<Form*> forms;
    return forms;
}

// The form the program last brought to the front or the user last switched
// to. Dialogs and other programs never become it, so coming back from them
// is not an activation.
QPointer<Form>& lastActive()
{
    static QPointer<Form> form;
    return form;
}

std::function<Form*()>& mainWindowAccess()
{
    static std::function<Form*()> access;
    return access;
}

Form* reachMainWindow()
{
    return mainWindowAccess() ? mainWindowAccess()() : nullptr;
}

void quitWhenNoFormRemains()
{
    if (!loadedForms().isEmpty())
        return;
    QTimer::singleShot(0, qApp, [] {
        if (loadedForms().isEmpty())
            QCoreApplication::quit();
    });
}

} // namespace

Form::Form(const QString& name, QWidget* parent) : QMainWindow(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

Form::~Form()
{
    if (loadedForms().remove(this))
        quitWhenNoFormRemains();
}

int Form::loadedCount()
{
    return int(loadedForms().size());
}

void Form::showForm()
{
    if (unloaded_)
        return;
    if (!loaded_) {
        loaded_ = true;
        loadedForms().insert(this);
        onLoad();
        if (unloaded_)
            return;
    }
    show();
    layout::keepOnScreen(*this);
    raise();
    activateWindow();
    activate();
}

void Form::hideForm()
{
    hide();
}

void Form::showInPlaceOf(Form& previous)
{
    replaced_ = &previous;
    previous.hideForm();
    showForm();
}

void Form::unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    if (loaded_)
        onUnload();
    if (replaced_ && replaced_->isHidden())
        replaced_->unload();
    hide();
    if (lastActive() == this)
        lastActive() = nullptr;
    loadedForms().remove(this);
    deleteLater();
    quitWhenNoFormRemains();
}

void Form::activateFromUser()
{
    if (lastActive() != this)
        activate();
}

void Form::activate()
{
    if (activating_ || unloaded_)
        return;
    lastActive() = this;
    activating_ = true;
    onActivate();
    activating_ = false;
}

bool Form::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && loaded_ && !unloaded_ && isVisible())
        activateFromUser();
    return QMainWindow::event(event);
}

void Form::closeEvent(QCloseEvent* event)
{
    event->ignore();
    unload();
}

void mainWindow::setAccess(std::function<Form*()> access)
{
    mainWindowAccess() = std::move(access);
}

void mainWindow::show()
{
    if (Form* form = reachMainWindow())
        form->showForm();
}

void mainWindow::hide()
{
    if (Form* form = reachMainWindow())
        form->hideForm();
}
