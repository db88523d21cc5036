#include "school/workspace/demarrage.h"

#include "common/open_marker.h"
#include "common/paths.h"
#include "school/data/base.h"
#include "school/data/etat.h"
#include "tests/support/sandbox.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// What setup.exe does while it installs a package: the marker taken for
// itself, on a descriptor of its own (flock -x).
class InstallationDePaquet {
public:
    explicit InstallationDePaquet(const QString& marque)
        : descripteur_(::open(QFile::encodeName(marque).constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666))
    {
    }
    ~InstallationDePaquet()
    {
        if (descripteur_ >= 0)
            ::close(descripteur_);
    }
    InstallationDePaquet(const InstallationDePaquet&) = delete;
    InstallationDePaquet& operator=(const InstallationDePaquet&) = delete;

    bool commencer() { return descripteur_ >= 0 && ::flock(descripteur_, LOCK_EX | LOCK_NB) == 0; }
    void finir() { ::flock(descripteur_, LOCK_UN); }

private:
    int descripteur_;
};

TEST(MarqueOuvert, VizmoraEtLInstallationDUnPaquetNeTravaillentJamaisEnsembleSurLeDossier)
{
    Sandbox sandbox;
    const QString dossier = sandbox.path(QStringLiteral("vizmora2020"));
    ASSERT_TRUE(QDir().mkpath(dossier));
    const QString marque = paths::join(dossier, {demarrage::nomMarqueOuvert()});

    InstallationDePaquet setup(marque);
    ASSERT_TRUE(setup.commencer());
    EXPECT_EQ(demarrage::demarrer().erreur,
              QStringLiteral("Un paquet est en cours d'installation dans le dossier « %1 ».\n"
                             "Relancez Vizmora une fois l'installation terminée.")
                  .arg(dossier));
    EXPECT_EQ(QDir(dossier).entryList(QDir::Files), QStringList());
    setup.finir();

    ASSERT_EQ(demarrage::demarrer().erreur, QString());
    // A second Vizmora may open the folder; no installation can start.
    EXPECT_EQ(OpenMarker(marque).state(), OpenMarker::State::Held);
    EXPECT_FALSE(setup.commencer());

    base::fermer();
    etat::CheminDonnees.clear();
}

// An installation stopped between its pictures and its database: the next
// run of setup.exe finishes it, and until then Vizmora shows nothing mixed.
TEST(MarqueOuvert, VizmoraNeDemarrePasSurUneInstallationInterrompue)
{
    Sandbox sandbox;
    const QString dossier = sandbox.path(QStringLiteral("vizmora2020"));
    const QString due = paths::join(dossier, {QStringLiteral(".paquet.pret_01022026_101010")});
    ASSERT_TRUE(QDir().mkpath(due));
    EXPECT_EQ(demarrage::demarrer().erreur,
              QStringLiteral("L'installation d'un paquet dans le dossier « %1 » a été interrompue.\n"
                             "Relancez setup.exe depuis le paquet pour l'achever, puis relancez Vizmora.")
                  .arg(dossier));
    EXPECT_FALSE(QFileInfo::exists(paths::join(dossier, {QStringLiteral("classevizmora.idx")})));

    ASSERT_TRUE(QDir(due).removeRecursively());
    EXPECT_EQ(demarrage::demarrer().erreur, QString());
    base::fermer();
    etat::CheminDonnees.clear();
}

} // namespace
