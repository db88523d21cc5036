#include "common/ui/program.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTranslator>

namespace {

TEST(Programme, LesDialoguesDeQtParlentFrancais)
{
    QTranslator* french = loadFrenchTranslations();
    ASSERT_NE(french, nullptr) << "qtbase_fr.qm is missing: install qt6-translations-l10n";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Voir dans :"));
    QCoreApplication::removeTranslator(french);
    delete french;
}

TEST(Programme, IlFautUnAffichageOuUnePlateformeChoisie)
{
    const struct {
        const char* cas;
        std::vector<std::pair<const char*, const char*>> variables;
        QStringList arguments;
        bool affichage;
    } cas[] = {
        {"rien", {}, {QStringLiteral("zelvantis")}, false},
        {"variables vides", {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}},
         {QStringLiteral("zelvantis")}, false},
        {"X", {{"DISPLAY", ":0"}}, {QStringLiteral("zelvantis")}, true},
        {"Wayland", {{"WAYLAND_DISPLAY", "wayland-0"}}, {QStringLiteral("vizmora")}, true},
        {"plateforme choisie", {{"QT_QPA_PLATFORM", "offscreen"}}, {QStringLiteral("vizmora")}, true},
        {"plateforme en argument", {}, {QStringLiteral("vizmora"), QStringLiteral("-platform"), QStringLiteral("vnc")}, true},
        {"argument sans plateforme", {}, {QStringLiteral("vizmora"), QStringLiteral("-platform")}, false},
    };
    for (const auto& c : cas) {
        QProcessEnvironment environnement;
        environnement.insert(QStringLiteral("HOME"), QStringLiteral("/home/photographe"));
        for (const auto& [nom, valeur] : c.variables)
            environnement.insert(QString::fromLatin1(nom), QString::fromLatin1(valeur));
        EXPECT_EQ(displayAvailable(environnement, c.arguments), c.affichage) << c.cas;
    }
}

// A display that does not answer keeps its own line; any other failure of Qt
// to start keeps Qt's reason, on one line.
TEST(Programme, UnEchecDeQtAuDemarrageGardeSaRaison)
{
    const QString unreachable = QStringLiteral("Zelvantis ne peut pas démarrer sans session graphique : aucun affichage "
                                               "ne répond (DISPLAY=:79). Démarrez-le depuis un bureau.");
    const QString fatal = QStringLiteral("This application failed to start because no Qt platform plugin could be "
                                         "initialized. Reinstalling the application may fix this problem.\n\nAvailable "
                                         "platform plugins are: minimal, offscreen, xcb.\n");
    const struct {
        const char* cas;
        QStringList notices;
        QString said;
    } cas[] = {
        {"X ne répond pas",
         {QStringLiteral("could not connect to display :79"),
          QStringLiteral("Could not load the Qt platform plugin \"xcb\" in \"\" even though it was found.")},
         unreachable},
        {"Wayland ne répond pas", {QStringLiteral("Failed to create wl_display (No such file or directory)")}, unreachable},
        {"plateforme absente", {QStringLiteral("Could not find the Qt platform plugin \"nosuch\" in \"\"")},
         QStringLiteral("Qt n'a pas pu démarrer : Could not find the Qt platform plugin \"nosuch\" in \"\" ; This "
                        "application failed to start because no Qt platform plugin could be initialized. Reinstalling "
                        "the application may fix this problem. Available platform plugins are: minimal, offscreen, "
                        "xcb.")},
        {"bibliothèque absente",
         {QStringLiteral("From 6.5.0, xcb-cursor0 or libxcb-cursor0 is needed to load the Qt xcb platform plugin.")},
         QStringLiteral("Qt n'a pas pu démarrer : From 6.5.0, xcb-cursor0 or libxcb-cursor0 is needed to load the Qt "
                        "xcb platform plugin. ; This application failed to start because no Qt platform plugin could "
                        "be initialized. Reinstalling the application may fix this problem. Available platform "
                        "plugins are: minimal, offscreen, xcb.")},
    };
    for (const auto& c : cas)
        EXPECT_EQ(qtStartFailure(unreachable, c.notices, fatal), c.said) << c.cas;
    EXPECT_EQ(qtStartFailure(unreachable, {}, QStringLiteral("QXcbIntegration: Cannot create platform OpenGL context")),
              QStringLiteral("Qt n'a pas pu démarrer : QXcbIntegration: Cannot create platform OpenGL context"));
}

} // namespace
