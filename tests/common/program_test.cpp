#include "common/ui/program.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
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

} // namespace
