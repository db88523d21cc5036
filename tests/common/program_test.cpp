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

} // namespace
