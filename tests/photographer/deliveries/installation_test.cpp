#include "tests/photographer/deliveries/livraison_fixture.h"

#include "common/pictures.h"
#include "photographer/deliveries/paquet_ecole.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

struct Execution {
    int code = -1;
    QString sortie;
};

// Runs "sh setup.exe" from the package folder, as the school does.
Execution installer(const QString& paquet, const QString& racine, const QString& chemin)
{
    QProcess processus;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SCHOOLPHOTO_ROOT"), racine);
    env.insert(QStringLiteral("PATH"), chemin);
    processus.setProcessEnvironment(env);
    processus.setWorkingDirectory(paquet);
    processus.start(QStringLiteral("/bin/sh"), {QStringLiteral("setup.exe")});
    if (!processus.waitForFinished(30000))
        return {};
    return {processus.exitCode(), QString::fromUtf8(processus.readAllStandardOutput() + processus.readAllStandardError())};
}

} // namespace

class Installation : public LivraisonFixture {};

TEST_F(Installation, SetupRemetLePaquetALEcoleEtGardeSonAncienneBase)
{
    const QString cle = eleve(QStringLiteral("6A"), QStringLiteral("DUPONT"), QStringLiteral("Jean"), QStringLiteral("123456789AB"));
    photo(dossiers_etab::de(etat::NomEtabEnCours).donnees, cle + QStringLiteral(".jpg"));
    ASSERT_TRUE(paquet_ecole::livrer(etat::CodeEtabEnCours, [](int) {}).reussie);
    const QString paquet = bureau(QStringLiteral("A Graver/") + etat::NomEtabEnCours);
    const QString ecole = paths::join(sandbox_.root(), {QStringLiteral("vizmora2020")});
    const QString ancienne = Sandbox::writeFile(paths::join(ecole, {QStringLiteral("classevizmora.idx")}), "ancienne base");

    // A stand-in for the school program, found on the PATH, that says where it ran.
    const QString outils = paths::join(sandbox_.root(), {QStringLiteral("outils")});
    const QString vizmora = Sandbox::writeFile(paths::join(outils, {QStringLiteral("vizmora")}),
                                               "#!/bin/sh\necho \"vizmora demarre dans $SCHOOLPHOTO_ROOT\"\n");
    QFile::setPermissions(vizmora, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const Execution avec = installer(paquet, sandbox_.root(), outils + QStringLiteral(":/usr/bin:/bin"));
    EXPECT_EQ(avec.code, 0) << avec.sortie.toStdString();
    EXPECT_TRUE(avec.sortie.contains(QStringLiteral("vizmora demarre dans ") + sandbox_.root())) << avec.sortie.toStdString();
    EXPECT_EQ(lire(ancienne), lire(paths::join(paquet, {QStringLiteral("classevizmora.idx")})));
    const QStringList gardees = QDir(ecole).entryList({QStringLiteral("classevizmora_*.idx")}, QDir::Files);
    ASSERT_EQ(gardees.size(), 1);
    EXPECT_EQ(lire(paths::join(ecole, {gardees[0]})), QByteArray("ancienne base"));

    // The school finds the delivered student's picture by its order code.
    db::Database base(paths::join(ecole, {QStringLiteral("classevizmora.idx")}));
    const db::Rows eleves = base.query(QStringLiteral("SELECT NomPhoto, Nom, Prenom, Classe FROM Eleves"));
    ASSERT_EQ(eleves.size(), 1u);
    EXPECT_EQ(eleves[0].at(3), QStringLiteral("6A"));
    EXPECT_FALSE(pictures::findStudentPicture(paths::join(ecole, {QStringLiteral("images")}), eleves[0].at(0),
                                              eleves[0].at(1), eleves[0].at(2))
                     .isEmpty());

    // Without the program on the PATH, the script says how to start it.
    const Execution sans = installer(paquet, sandbox_.root(), QStringLiteral("/usr/bin:/bin"));
    EXPECT_EQ(sans.code, 0) << sans.sortie.toStdString();
    EXPECT_TRUE(sans.sortie.contains(QStringLiteral("Le programme Vizmora n'a pas été trouvé"))) << sans.sortie.toStdString();
}
