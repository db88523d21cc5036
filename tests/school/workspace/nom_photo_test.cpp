#include "common/database.h"
#include "common/paths.h"
#include "school/data/base.h"
#include "school/data/etat.h"
#include "tests/school/support/accueil_pilote.h"
#include "tests/school/support/school_fixture.h"
#include "tests/support/sandbox.h"

#include <QDir>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

// A school database made before Eleves.NomPhoto: its delivered pictures are
// filed under the order code, which it holds in CodeEtablissement.
TEST(NomPhotoAncienneBase, LaColonneAjouteeAuDemarrageRetrouveLesPortraits)
{
    Sandbox sandbox;
    const QString donnees = sandbox.path(QStringLiteral("vizmora2020"));
    const QString images = paths::join(donnees, {QStringLiteral("images")});
    ASSERT_TRUE(QDir().mkpath(images));
    {
        db::Database ancienne(paths::join(donnees, {QStringLiteral("classevizmora.idx")}));
        ancienne.script(QStringLiteral(
            "CREATE TABLE Eleves (CdeEleves INTEGER PRIMARY KEY AUTOINCREMENT, CodeEtablissement TEXT,"
            " Classe TEXT, Nom TEXT, Prenom TEXT, Naissance TEXT, Regime TEXT, INE TEXT, NumInterne TEXT);"
            "INSERT INTO Eleves (CodeEtablissement, Classe, Nom, Prenom) VALUES"
            " ('41', '6A', 'Durand', 'Paul'), ('', '6A', 'Martin', 'Léa'), ('43', '6A', 'Petit', 'Noé');"));
    }
    // Durand under its code; Martin, without one, under its names; Petit has none.
    ASSERT_TRUE(SchoolFixture::ecrirePortrait(paths::join(images, {QStringLiteral("41.jpg")}), Qt::red));
    ASSERT_TRUE(SchoolFixture::ecrirePortrait(paths::join(images, {QStringLiteral("Martin.Léa.jpg")}), Qt::green));

    {
        AccueilPilote accueil;
        accueil.ouvrir();
        ASSERT_NE(existingForm<FormAccueil>(), nullptr);
        accueil.afficherClasse(QStringLiteral("6A"));
        const auto portrait = [&](int i) { return accueil.controle<QLabel>(QStringLiteral("Image2_%1").arg(i)); };
        EXPECT_TRUE(SchoolFixture::montreCouleur(portrait(0), Qt::red));
        EXPECT_TRUE(SchoolFixture::montreCouleur(portrait(1), Qt::green));
        EXPECT_TRUE(portrait(2)->pixmap().isNull());
    }
    const auto nomsPhotos = [] {
        QStringList noms;
        for (const db::Row& eleve :
             base::db().query(QStringLiteral("SELECT ifnull(NomPhoto, 'NULL') FROM Eleves ORDER BY CdeEleves")))
            noms << eleve.at(0);
        return noms;
    };
    EXPECT_EQ(nomsPhotos(), (QStringList{QStringLiteral("41"), QString(), QStringLiteral("43")}));

    // Filled once, when the column comes: an order code changed later on the
    // student's card leaves the picture's name alone.
    base::db().exec(QStringLiteral("UPDATE Eleves SET CodeEtablissement = '99' WHERE Nom = 'Durand'"));
    base::fermer();
    EXPECT_EQ(nomsPhotos(), (QStringList{QStringLiteral("41"), QString(), QStringLiteral("43")}));

    base::fermer();
    etat::CheminDonnees.clear();
}

} // namespace
