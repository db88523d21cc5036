#pragma once

#include <QMainWindow>
#include <QPointer>

#include <functional>

// A window of one of the programs, with the life of the forms it replaces:
// loaded once when first shown, activated when the program brings it to the
// front, unloaded (destroyed) on close. A program ends when its last form is
// unloaded.
class Form : public QMainWindow {
    Q_OBJECT
public:
    explicit Form(const QString& name, QWidget* parent = nullptr);
    ~Form() override;

    // Loads the form when needed, shows it, brings it to the front and runs
    // its activation.
    void showForm();
    // Hides the form; it keeps its state.
    void hideForm();
    // Hides `previous` and shows this form in its place. When this form is
    // unloaded, `previous` is unloaded too unless it was shown again: left
    // hidden, it would keep the program running with no window.
    void showInPlaceOf(Form& previous);
    // Runs the unload handler, then destroys the form.
    void unload();

    bool isUnloaded() const { return unloaded_; }

    // Forms that are loaded and not unloaded, all programs' forms together.
    static int loadedCount();

    // Runs the activation as if the user had switched to this form from
    // another of the program's forms.
    void activateFromUser();

protected:
    virtual void onLoad() {}
    virtual void onActivate() {}
    virtual void onUnload() {}

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void activate();

    QPointer<Form> replaced_;
    bool loaded_ = false;
    bool unloaded_ = false;
    bool activating_ = false;
};

// The one instance of a form class, created on first use; after an unload
// the next call makes a new one.
namespace detail {
template <class F>
QPointer<F>& formSlot()
{
    static QPointer<F> instance;
    return instance;
}
} // namespace detail

template <class F>
F& formInstance()
{
    QPointer<F>& instance = detail::formSlot<F>();
    if (!instance || instance->isUnloaded())
        instance = new F;
    return *instance;
}

// The instance when one exists and is not unloaded, else nullptr.
template <class F>
F* existingForm()
{
    QPointer<F>& instance = detail::formSlot<F>();
    return instance && !instance->isUnloaded() ? instance.data() : nullptr;
}

// The program's main window, which the screens it opens go back to. The
// screens sit below it and never include it: the program says at start how
// to reach it, so that its libraries link as a tree.
namespace mainWindow {
// How to reach the main window: the access may create it, or give nullptr
// when there is none. An empty access reaches none.
void setAccess(std::function<Form*()> access);
// Shows the main window, when the access gives one.
void show();
// Hides the main window, when the access gives one.
void hide();
} // namespace mainWindow
