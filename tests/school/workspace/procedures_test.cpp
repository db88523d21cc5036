#include "school/data/procedures.h"

#include "tests/support/sandbox.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

TEST(ProceduresEcole, SupprimerDossierRetireTouteLArborescenceMemeCachee)
{
    Sandbox sandbox;
    const QString dossier = sandbox.path(QStringLiteral("Exportation"));
    Sandbox::writeFile(dossier + QStringLiteral("/a.jpg"), "a");
    Sandbox::writeFile(dossier + QStringLiteral("/b.jpg"), "b");
    Sandbox::writeFile(dossier + QStringLiteral("/.cache"), "c");
    Sandbox::writeFile(dossier + QStringLiteral("/6A/c.jpg"), "c");
    ASSERT_TRUE(QDir().mkpath(dossier + QStringLiteral("/6A/vide")));

    EXPECT_TRUE(SupprimerDossier(dossier + u'/'));
    EXPECT_FALSE(QFileInfo::exists(dossier));
}

TEST(ProceduresEcole, SupprimerDossierNeSuitJamaisUnLienSymbolique)
{
    Sandbox sandbox;
    const QString dehors = Sandbox::writeFile(sandbox.path(QStringLiteral("Garder/precieux.jpg")), "x");
    const QString dossier = sandbox.path(QStringLiteral("Exportation"));
    ASSERT_TRUE(QDir().mkpath(dossier));
    ASSERT_TRUE(QFile::link(sandbox.path(QStringLiteral("Garder")), dossier + QStringLiteral("/lienDossier")));
    ASSERT_TRUE(QFile::link(dehors, dossier + QStringLiteral("/lienFichier.jpg")));
    ASSERT_TRUE(QFile::link(sandbox.path(QStringLiteral("absent")), dossier + QStringLiteral("/lienCasse")));

    EXPECT_TRUE(SupprimerDossier(dossier));
    EXPECT_FALSE(QFileInfo::exists(dossier));
    EXPECT_TRUE(QFileInfo::exists(dehors));

    // A link given as the folder itself: the link goes, its target stays.
    const QString lien = sandbox.path(QStringLiteral("lien"));
    ASSERT_TRUE(QFile::link(sandbox.path(QStringLiteral("Garder")), lien));
    EXPECT_TRUE(SupprimerDossier(lien + u'/'));
    EXPECT_FALSE(QFileInfo(lien).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(dehors));
}

TEST(ProceduresEcole, SupprimerDossierRepondFauxSurUnCheminAbsentOuUnFichier)
{
    Sandbox sandbox;
    EXPECT_FALSE(SupprimerDossier(sandbox.path(QStringLiteral("absent"))));
    const QString fichier = Sandbox::writeFile(sandbox.path(QStringLiteral("f.txt")), "f");
    EXPECT_FALSE(SupprimerDossier(fichier));
    EXPECT_TRUE(QFileInfo::exists(fichier));
}

} // namespace
