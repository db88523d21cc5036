#include "school/data/photos_en_attente.h"

#include "common/paths.h"
#include "school/data/base.h"
#include "school/data/etat.h"
#include "school/sales/fiche_eleve.h"
#include "school/workspace/demarrage.h"
#include "tests/school/support/school_fixture.h"
#include "tests/support/read_only_folder.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <functional>
#include <optional>

#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray kNouvelle = QByteArray(40 * 1024, 'n');

class PhotoCoupee : public ::testing::Test {
protected:
    PhotoCoupee() : ecole(sandbox) {}

    void TearDown() override
    {
        base::fermer();
        etat::CheminDonnees.clear();
    }

    // Runs a writer's steps up to its commit in a child process, which then
    // ends as a power cut ends it: the picture still under its temporary
    // name, no lock held on it any more. True when the child got there.
    bool couperApresValidation(const QString& cible,
                               const std::function<void(db::Database&, PhotoEnAttente&)>& jusquAuCommit)
    {
        // The child opens its own connection: one must not cross a fork.
        base::fermer();
        std::fflush(nullptr);
        const pid_t enfant = ::fork();
        if (enfant == 0) {
            db::Database base(base::cheminBase());
            // Never destroyed: the cut comes before the rename.
            auto* photo = new PhotoEnAttente(cible);
            if (!photo->ecrire(kNouvelle))
                ::_exit(1);
            jusquAuCommit(base, *photo);
            ::_exit(0);
        }
        int statut = 0;
        return ::waitpid(enfant, &statut, 0) == enfant && WIFEXITED(statut) && WEXITSTATUS(statut) == 0;
    }

    QString enAttente(const QString& champ)
    {
        return base::db().scalar(QStringLiteral("SELECT group_concat(%1) FROM PhotosEnAttente").arg(champ));
    }
    QStringList fichiers() { return QDir(ecole.dossierImages()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    Sandbox sandbox;
    SchoolFixture ecole;
};

// Cut between the commit that made the picture the student's and its rename,
// for a new student and for a new portrait on the identity card: the next
// start puts the picture in place when its temporary is whole, and otherwise
// names the student and the picture. Either way it knows from the record and
// the temporary, and nothing is left to settle after it.
TEST_F(PhotoCoupee, LeDemarrageSuivantMetLaPhotoEnPlaceOuNommeLEleve)
{
    const struct {
        const char* quoi;
        std::function<void(const QString& temporaire, const QString& photo)> ensuite;
        bool enPlace;
    } apres[] = {
        {"rien de plus", [](const QString&, const QString&) {}, true},
        {"renommée, la note restée",
         [](const QString& temporaire, const QString& photo) {
             QFile::remove(photo);
             ASSERT_TRUE(QFile::rename(temporaire, photo));
         },
         true},
        // An earlier Vizmora wrote the digest of its pictures as SHA-256.
        {"noté par une version d'avant",
         [](const QString& temporaire, const QString&) {
             base::db().exec(QStringLiteral("UPDATE PhotosEnAttente SET Empreinte = ?"),
                             {QString::fromLatin1(QCryptographicHash::hash(SchoolFixture::lire(temporaire),
                                                                           QCryptographicHash::Sha256)
                                                      .toHex())});
         },
         true},
        {"temporaire tronqué", [](const QString& temporaire, const QString&) { QFile(temporaire).resize(1000); },
         false},
        {"temporaire disparu", [](const QString& temporaire, const QString&) { QFile::remove(temporaire); }, false},
    };
    for (const bool nouvelEleve : {true, false}) {
        for (const auto& c : apres) {
            SCOPED_TRACE(std::string(nouvelEleve ? "nouvel élève, " : "nouveau portrait, ") + c.quoi);
            base::db().exec(QStringLiteral("DELETE FROM Eleves"));
            for (const QString& fichier : fichiers())
                QFile::remove(paths::join(ecole.dossierImages(), {fichier}));
            qint64 cle = 0;
            QString photo;
            QByteArray avant;
            if (nouvelEleve) {
                cle = base::db().insert(QStringLiteral("INSERT INTO Eleves (Classe) VALUES ('6A')")) + 1;
                base::db().exec(QStringLiteral("DELETE FROM Eleves"));
                photo = paths::join(ecole.dossierImages(), {QStringLiteral("E%1.jpg").arg(cle)});
                ASSERT_TRUE(couperApresValidation(photo, [&](db::Database& base, PhotoEnAttente& attente) {
                    db::Database::Transaction transaction(base);
                    if (base.insert(QStringLiteral("INSERT INTO Eleves (Classe, Nom, Prenom, NomPhoto,"
                                                   " CodeEtablissement) VALUES ('6A', 'Zola', 'Émile', ?1, ?1)"),
                                    {QStringLiteral("E%1").arg(cle)})
                        != cle)
                        ::_exit(2);
                    attente.noter(base, cle);
                    transaction.commit();
                }));
            } else {
                cle = ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Zola"), QStringLiteral("Émile"));
                photo = ecole.cheminPhoto(cle);
                avant = SchoolFixture::lire(photo);
                ASSERT_TRUE(couperApresValidation(photo, [&](db::Database& base, PhotoEnAttente& attente) {
                    const FicheEleve ouverture = *fiche_eleve::lire(base, QString::number(cle));
                    FicheEleve saisie = ouverture;
                    saisie.regime = QStringLiteral("Interne");
                    if (fiche_eleve::enregistrer(base, ouverture, saisie, {}, [&](db::Database& dans) {
                            attente.noter(dans, cle);
                        }) != fiche_eleve::Enregistrement::Enregistre)
                        ::_exit(1);
                }));
                EXPECT_EQ(base::db().scalar(QStringLiteral("SELECT Regime FROM Eleves")), QStringLiteral("Interne"));
            }
            EXPECT_EQ(SchoolFixture::lire(photo), avant) << "cut before the rename";
            const QString temporaire = paths::join(ecole.dossierImages(), {enAttente(QStringLiteral("Temporaire"))});
            ASSERT_TRUE(QFile::exists(temporaire));
            c.ensuite(temporaire, photo);
            base::fermer();

            const demarrage::Depart depart = demarrage::demarrer();

            ASSERT_EQ(depart.erreur, QString());
            if (c.enPlace) {
                EXPECT_EQ(depart.avis, QStringList());
                EXPECT_EQ(SchoolFixture::lire(photo), kNouvelle);
            } else {
                ASSERT_EQ(depart.avis.size(), 1);
                EXPECT_EQ(depart.avis[0],
                          QStringLiteral("La photo %1 de Zola Émile (6A) n'a pas pu être mise en place lors de la "
                                         "dernière utilisation de Vizmora : choisissez-la de nouveau sur sa carte "
                                         "(« Changer... »).")
                              .arg(QDir::toNativeSeparators(photo)));
                EXPECT_EQ(SchoolFixture::lire(photo), avant);
            }
            EXPECT_EQ(enAttente(QStringLiteral("CdeAttente")), QString());
            EXPECT_EQ(fichiers(), avant.isEmpty() && !c.enPlace ? QStringList() : QStringList{QFileInfo(photo).fileName()});
        }
    }
}

// Another Vizmora that starts while this one puts a portrait in place leaves
// it to this one, record and temporary alike.
TEST_F(PhotoCoupee, UnePhotoEnCoursSurUnAutrePosteLuiEstLaissee)
{
    const qint64 cle = ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Zola"), QStringLiteral("Émile"));
    PhotoEnAttente photo(ecole.cheminPhoto(cle));
    ASSERT_TRUE(photo.ecrire(kNouvelle));
    {
        db::Database::Transaction transaction(base::db());
        photo.noter(base::db(), cle);
        transaction.commit();
    }

    const demarrage::Depart depart = demarrage::demarrer();

    EXPECT_EQ(depart.avis, QStringList());
    EXPECT_NE(enAttente(QStringLiteral("CdeAttente")), QString());
    EXPECT_EQ(fichiers().size(), 2);
    ASSERT_TRUE(photo.mettreEnPlace(base::db()));
    EXPECT_EQ(SchoolFixture::lire(ecole.cheminPhoto(cle)), kNouvelle);
    EXPECT_EQ(enAttente(QStringLiteral("CdeAttente")), QString());
    EXPECT_EQ(fichiers().size(), 1);
}

// A whole picture that cannot take its place now (the images folder read
// only, a folder in the way) keeps waiting, said at each start, its temporary
// kept, until a start puts it in place.
TEST_F(PhotoCoupee, UnePhotoQuiNePeutPrendreSaPlaceAttendLeDemarrageSuivant)
{
    for (const bool lectureSeule : {true, false}) {
        SCOPED_TRACE(lectureSeule ? "dossier en lecture seule" : "un dossier sous son nom");
        base::db().exec(QStringLiteral("DELETE FROM Eleves"));
        const qint64 cle = ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Zola"), QStringLiteral("Émile"));
        const QString photo = ecole.cheminPhoto(cle);
        ASSERT_TRUE(couperApresValidation(photo, [&](db::Database& base, PhotoEnAttente& attente) {
            db::Database::Transaction transaction(base);
            attente.noter(base, cle);
            transaction.commit();
        }));
        std::optional<ReadOnlyFolder> protegee;
        if (lectureSeule) {
            protegee.emplace(ecole.dossierImages());
            if (!protegee->active())
                continue;
        } else {
            ASSERT_TRUE(QFile::remove(photo));
            Sandbox::writeFile(paths::join(photo, {QStringLiteral("dedans")}), "x");
        }

        const demarrage::Depart depart = demarrage::demarrer();

        ASSERT_EQ(depart.avis.size(), 1);
        EXPECT_TRUE(depart.avis[0].startsWith(QStringLiteral(
            "La nouvelle photo de Zola Émile (6A) attend encore de prendre sa place ; elle la prendra à un prochain "
            "démarrage de Vizmora.\nLe fichier %1 n'a pas pu être mis en place.")
                                                  .arg(QDir::toNativeSeparators(photo))))
            << depart.avis[0].toStdString();
        EXPECT_NE(enAttente(QStringLiteral("CdeAttente")), QString());
        EXPECT_TRUE(QFile::exists(paths::join(ecole.dossierImages(), {enAttente(QStringLiteral("Temporaire"))})));
        base::fermer();
        protegee.reset();
        QDir(photo).removeRecursively();

        EXPECT_EQ(demarrage::demarrer().avis, QStringList());
        EXPECT_EQ(SchoolFixture::lire(photo), kNouvelle);
        EXPECT_EQ(enAttente(QStringLiteral("CdeAttente")), QString());
        base::fermer();
    }
}

} // namespace
