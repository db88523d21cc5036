#include "school/workspace/nouvel_eleve.h"

#include "common/files.h"
#include "common/paths.h"
#include "school/data/base.h"
#include "tests/school/support/school_fixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>
#include <QSet>

namespace {

TEST(NouvelEleveRacine, PremiereRacineLibre)
{
    struct Cas {
        QSet<QString> prises;
        QString attendue;
    };
    const Cas cas[] = {
        {{}, QStringLiteral("E12")},
        {{QStringLiteral("E12")}, QStringLiteral("E12_1")},
        {{QStringLiteral("E12"), QStringLiteral("E12_1"), QStringLiteral("E12_2")}, QStringLiteral("E12_3")},
        {{QStringLiteral("E12_1")}, QStringLiteral("E12")},
        {{QStringLiteral("12")}, QStringLiteral("E12")},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(nouvel_eleve::racineLibre(12, [&](const QString& r) { return c.prises.contains(r); }), c.attendue);
}

TEST(NouvelEleveEnregistrement, NeRemplaceJamaisLaPhotoNiLeCodeDUnAutreEleve)
{
    SchoolFixture ecole;
    ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Durand"), QStringLiteral("Léa"));
    const qint64 autre = ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Petit"), QStringLiteral("Jean"));
    // The next key will be 3: "E3" is taken by a file, "E3_1" by another
    // student's photo code, "E3_2" by an order code, "E3_3" by an order line.
    const QString fichier3 = Sandbox::writeFile(paths::join(ecole.dossierImages(), {QStringLiteral("E3.jpg")}), "livré");
    base::db().exec(QStringLiteral("UPDATE Eleves SET NomPhoto = 'E3_1', CodeEtablissement = 'E3_2' WHERE CdeEleves = ?"),
                    {autre});
    base::db().exec(QStringLiteral("INSERT INTO Ventes (Num_Eleves) VALUES ('E3_3')"));
    const QString source = Sandbox::writeFile(ecole.sandbox().path(QStringLiteral("choisie.png")), "octets choisis");

    const auto resultat = nouvel_eleve::enregistrer(base::db(), ecole.dossier(), QStringLiteral("6A"),
                                                   QStringLiteral("Zola"), QStringLiteral("Émile"), source);

    ASSERT_EQ(resultat.erreur, QString());
    EXPECT_EQ(resultat.cle, 3);
    EXPECT_EQ(resultat.racine, QStringLiteral("E3_4"));
    const auto lignes = base::db().query(
        QStringLiteral("SELECT Classe, Nom, Prenom, NomPhoto, CodeEtablissement FROM Eleves WHERE CdeEleves = 3"));
    ASSERT_EQ(lignes.size(), 1u);
    EXPECT_EQ(lignes[0][u"Classe"], QStringLiteral("6A"));
    EXPECT_EQ(lignes[0][u"Nom"], QStringLiteral("Zola"));
    EXPECT_EQ(lignes[0][u"Prenom"], QStringLiteral("Émile"));
    EXPECT_EQ(lignes[0][u"NomPhoto"], QStringLiteral("E3_4"));
    EXPECT_EQ(lignes[0][u"CodeEtablissement"], QStringLiteral("E3_4"));
    EXPECT_EQ(SchoolFixture::lire(resultat.photo), QByteArray("octets choisis"));
    EXPECT_EQ(resultat.photo, paths::join(ecole.dossierImages(), {QStringLiteral("E3_4.jpg")}));
    EXPECT_EQ(SchoolFixture::lire(fichier3), QByteArray("livré"));
}

TEST(NouvelEleveEnregistrement, CreeLeDossierImagesManquant)
{
    SchoolFixture ecole;
    QDir(ecole.dossierImages()).removeRecursively();
    const QString source = Sandbox::writeFile(ecole.sandbox().path(QStringLiteral("p.jpg")), "p");

    const auto resultat = nouvel_eleve::enregistrer(base::db(), ecole.dossier(), QStringLiteral("5B"),
                                                   QStringLiteral("Nom"), QStringLiteral("Prénom"), source);

    EXPECT_EQ(resultat.erreur, QString());
    EXPECT_EQ(SchoolFixture::lire(resultat.photo), QByteArray("p"));
}

TEST(NouvelEleveEnregistrement, UneCopieRateeNEnregistreRien)
{
    SchoolFixture ecole;
    const QString absente = ecole.sandbox().path(QStringLiteral("disparue.jpg"));

    const auto resultat = nouvel_eleve::enregistrer(base::db(), ecole.dossier(), QStringLiteral("5B"),
                                                   QStringLiteral("Nom"), QStringLiteral("Prénom"), absente);

    EXPECT_TRUE(resultat.erreur.contains(absente));
    EXPECT_EQ(base::db().scalar(QStringLiteral("SELECT COUNT(*) FROM Eleves")), QStringLiteral("0"));
    EXPECT_TRUE(QDir(ecole.dossierImages()).entryList(QDir::Files).isEmpty());
}

// Switched off after the picture is copied, before the row is committed: the
// picture has not taken its name, the next start removes its temporary file,
// and adding the student again gives him the plain name.
TEST(NouvelEleveEnregistrement, UneCoupureAvantLaValidationNeLaissePasDePhotoDePersonne)
{
    SchoolFixture ecole;
    const QString source = Sandbox::writeFile(ecole.sandbox().path(QStringLiteral("choisie.jpg")),
                                              QByteArray(256 * 1024, 'p'));
    // A reader holds the database: the addition's commit waits on it, after the copy.
    db::Database lecteur(base::cheminBase());
    lecteur.exec(QStringLiteral("BEGIN"));
    ASSERT_EQ(lecteur.scalar(QStringLiteral("SELECT COUNT(*) FROM Eleves")), QStringLiteral("0"));
    const pid_t enfant = ::fork();
    ASSERT_GE(enfant, 0);
    if (enfant == 0) {
        db::Database base(base::cheminBase());
        (void)nouvel_eleve::enregistrer(base, ecole.dossier(), QStringLiteral("6A"), QStringLiteral("Zola"),
                                        QStringLiteral("Émile"), source);
        ::_exit(0);
    }
    const auto temporaire = [&] {
        const QFileInfoList fichiers = QDir(ecole.dossierImages()).entryInfoList(QDir::Files | QDir::Hidden);
        return fichiers.size() == 1 && fichiers.front().fileName().startsWith(QStringLiteral(".E1.jpg."))
               && fichiers.front().size() == 256 * 1024;
    };
    const bool copiee = QTest::qWaitFor(temporaire, 1500);
    ::kill(enfant, SIGKILL);
    int etat = 0;
    ASSERT_EQ(::waitpid(enfant, &etat, 0), enfant);
    lecteur.exec(QStringLiteral("COMMIT"));
    ASSERT_TRUE(copiee);
    ASSERT_TRUE(WIFSIGNALED(etat));

    EXPECT_EQ(base::db().scalar(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    EXPECT_EQ(base::db().scalar(QStringLiteral("SELECT COUNT(*) FROM Eleves")), QStringLiteral("0"));
    EXPECT_EQ(files::removeLeftoverTemporaries(ecole.dossierImages()), 1);
    const auto resultat = nouvel_eleve::enregistrer(base::db(), ecole.dossier(), QStringLiteral("6A"),
                                                   QStringLiteral("Zola"), QStringLiteral("Émile"), source);
    ASSERT_EQ(resultat.erreur, QString());
    EXPECT_EQ(resultat.racine, QStringLiteral("E1"));
    EXPECT_EQ(QDir(ecole.dossierImages()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("E1.jpg")});
}

} // namespace
