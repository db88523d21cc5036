#include "common/ui/form.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>

namespace {

class Counting : public Form {
public:
    explicit Counting(const QString& name = QStringLiteral("Counting")) : Form(name) {}
    int loads = 0, activations = 0, unloads = 0;

protected:
    void onLoad() override { ++loads; }
    void onActivate() override { ++activations; }
    void onUnload() override { ++unloads; }
};

class Other : public Counting {
public:
    Other() : Counting(QStringLiteral("Other")) {}
};

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

TEST(Formulaires, ChargementUneFoisActivationAChaqueAffichageDechargementDetruit)
{
    const int before = Form::loadedCount();
    Counting& form = formInstance<Counting>();
    EXPECT_EQ(&form, &formInstance<Counting>());
    form.showForm();
    form.hideForm();
    form.showForm();
    EXPECT_EQ(form.loads, 1);
    EXPECT_EQ(form.activations, 2);
    EXPECT_EQ(Form::loadedCount(), before + 1);
    form.unload();
    EXPECT_EQ(form.unloads, 1);
    EXPECT_EQ(Form::loadedCount(), before);
    EXPECT_EQ(existingForm<Counting>(), nullptr);
    flushDeletes();
    Counting& again = formInstance<Counting>();
    EXPECT_EQ(again.loads, 0);
    again.unload();
    flushDeletes();
}

TEST(Formulaires, ActivationParLUtilisateurSeulementEnVenantDUnAutreFormulaire)
{
    Counting& first = formInstance<Counting>();
    Other& second = formInstance<Other>();
    first.showForm();
    EXPECT_EQ(first.activations, 1);
    // Coming back from a message box or another program: no activation.
    first.activateFromUser();
    EXPECT_EQ(first.activations, 1);
    second.showForm();
    first.activateFromUser();
    EXPECT_EQ(first.activations, 2);
    // The form that was in front is gone: the one left is activated.
    second.unload();
    flushDeletes();
    first.activateFromUser();
    EXPECT_EQ(first.activations, 2);
    first.unload();
    flushDeletes();
}

TEST(Formulaires, LaCaseDeFermetureDecharge)
{
    Counting& form = formInstance<Counting>();
    form.showForm();
    form.close();
    EXPECT_EQ(form.unloads, 1);
    EXPECT_TRUE(form.isUnloaded());
    flushDeletes();
}

TEST(Formulaires, LesEcransReviennentALaFenetrePrincipaleEnregistreeParLeProgramme)
{
    // Nothing registered, or nothing to reach: going back does nothing.
    mainWindow::setAccess({});
    mainWindow::show();
    mainWindow::hide();
    mainWindow::setAccess([]() -> Form* { return existingForm<Counting>(); });
    mainWindow::show();
    EXPECT_EQ(existingForm<Counting>(), nullptr);

    mainWindow::setAccess([]() -> Form* { return &formInstance<Counting>(); });
    mainWindow::show();
    Counting* main = existingForm<Counting>();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->activations, 1);
    mainWindow::hide();
    EXPECT_FALSE(main->isVisible());
    EXPECT_FALSE(main->isUnloaded());
    main->unload();
    flushDeletes();
    mainWindow::setAccess({});
}
