#include "tests/photographer/support/photographe_fixture.h"

#include "common/files.h"
#include "common/wallclock.h"
#include "photographer/data/dossiers_etab.h"
#include "photographer/data/etablissements.h"
#include "photographer/workspace/sauvegarde.h"
#include "tests/support/small_disk.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <csignal>
#include <cstdio>
#include <functional>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using ArretBrutal = PhotographeFixture;

// Runs the job in a child process of the test, as the program would run it,
// and lets the job kill it there with SIGKILL (a power cut for the files and
// the base). True when the child ended by that kill.
bool tuerPendant(const std::function<void()>& travail)
{
    // The child opens its own connection: one must not cross a fork.
    base::fermer();
    std::fflush(nullptr);
    const pid_t enfant = ::fork();
    if (enfant == 0) {
        travail();
        ::_exit(0);
    }
    int statut = 0;
    ::waitpid(enfant, &statut, 0);
    return WIFSIGNALED(statut) && WTERMSIG(statut) == SIGKILL;
}

void tuer()
{
    ::raise(SIGKILL);
}

QString nomEnBase(const QString& code)
{
    return base::db().scalar(QStringLiteral("SELECT Nom FROM Etablissements WHERE CdeEtablissement = ?1"), {code});
}

// Every folder of the name holds its picture; no folder of the other name is left.
void dossiersSous(const QString& nom, const QString& autre)
{
    for (const QString& dossier : dossiers_etab::de(nom).tous())
        EXPECT_TRUE(QFileInfo::exists(paths::join(dossier, {QStringLiteral("1.jpg")}))) << dossier.toStdString();
    for (const QString& dossier : dossiers_etab::de(autre).tous())
        EXPECT_FALSE(QFileInfo::exists(dossier)) << dossier.toStdString();
}

QStringList fichiers(const QString& dossier)
{
    return QDir(dossier).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

TEST_F(ArretBrutal, UnRenommageCoupeEstTermineOuAnnuleAuDemarrageSuivantEtLeDit)
{
    const QString interrompu = QStringLiteral("Le renommage de l'établissement « Ecole A » en « Ecole B », interrompu "
                                              "lors de la dernière utilisation de Zelvantis, ");
    const struct {
        const char* quand;
        int deplaces;        // folders moved when the power went
        bool dossierEtranger; // meanwhile, a folder of the new name was made by someone else
        QString compteRendu;
        QString nomFinal;
    } cas[] = {
        {"avant le premier dossier", 0, false, interrompu + QStringLiteral("a été terminé."), QStringLiteral("Ecole B")},
        {"après deux dossiers", 2, false, interrompu + QStringLiteral("a été terminé."), QStringLiteral("Ecole B")},
        {"après les quatre dossiers", 4, false, interrompu + QStringLiteral("a été terminé."), QStringLiteral("Ecole B")},
        {"après deux dossiers, un dossier étranger", 2, true,
         interrompu + QStringLiteral("a été annulé : le dossier %1 existe déjà. L'établissement garde le nom « Ecole A ».")
                          .arg(dossiers_etab::de(QStringLiteral("Ecole B")).br3),
         QStringLiteral("Ecole A")},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quand);
        const QString code = ajouterEtablissement(QStringLiteral("Ecole A"));
        for (const QString& dossier : dossiers_etab::de(QStringLiteral("Ecole A")).tous())
            Sandbox::writeFile(paths::join(dossier, {QStringLiteral("1.jpg")}), "jpeg");

        ASSERT_TRUE(tuerPendant([&] {
            static_cast<void>(etablissements::renommer(code, QStringLiteral("Ecole B"), [&](int deplaces) {
                if (deplaces == c.deplaces)
                    tuer();
            }));
        }));
        if (c.dossierEtranger) {
            ASSERT_TRUE(QDir().mkpath(dossiers_etab::de(QStringLiteral("Ecole B")).br3));
        }
        const QString ancien = QStringLiteral("Ecole A"), nouveau = QStringLiteral("Ecole B");
        EXPECT_EQ(nomEnBase(code), ancien) << "the row moved before the folders";

        dialogues_.message(c.compteRendu);
        Accueil& accueil = demarrer();
        EXPECT_TRUE(dialogues_.allAnswered());
        EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Information);
        EXPECT_EQ(nomEnBase(code), c.nomFinal);
        EXPECT_EQ(compter(QStringLiteral("SELECT count(*) FROM RenommagesEnCours")), 0);
        if (c.dossierEtranger) {
            EXPECT_TRUE(QDir(dossiers_etab::de(nouveau).br3).removeRecursively());
            dossiersSous(ancien, nouveau);
        } else {
            dossiersSous(nouveau, ancien);
        }
        // The next start has nothing left to settle, and the name can change again.
        accueil.unload();
        demarrer();
        EXPECT_EQ(etablissements::renommer(code, QStringLiteral("Ecole C")), QString());
        dossiersSous(QStringLiteral("Ecole C"), c.nomFinal);

        existingForm<Accueil>()->unload();
        base::db().exec(QStringLiteral("DELETE FROM Etablissements"));
        for (const QString& dossier : dossiers_etab::de(QStringLiteral("Ecole C")).tous())
            ASSERT_TRUE(QDir(dossier).removeRecursively());
    }
}

TEST_F(ArretBrutal, UneSauvegardeCoupeeNeLaissePasDeFichierIncompletSousLeNomDUneSauvegarde)
{
    {
        db::Database& lignes = base();
        db::Database::Transaction transaction(lignes);
        const QString code = QString::number(
            lignes.insert(QStringLiteral("INSERT INTO Etablissements (Nom) VALUES ('Lycée des six mille')")));
        for (int i = 0; i < 6000; ++i)
            lignes.exec(QStringLiteral("INSERT INTO Eleves (CodeEtablissement, Classe, Nom, Prenom, INE) "
                                     "VALUES (?1, ?2, ?3, ?4, ?5)"),
                      {code, QStringLiteral("C%1").arg(i % 40), QStringLiteral("Nom%1").arg(i),
                       QStringLiteral("Prénom%1").arg(i), QStringLiteral("%1AB").arg(100000000 + i)});
        transaction.commit();
    }
    const QString dossier = sauvegarde::dossier();
    // Kills at times spread over the copies of a child that takes backup after backup.
    for (int essai = 0; essai < 6; ++essai) {
        SCOPED_TRACE(essai);
        base::fermer();
        std::fflush(nullptr);
        const pid_t enfant = ::fork();
        if (enfant == 0) {
            for (int i = 0;; ++i)
                static_cast<void>(sauvegarde::sauvegarder(wallclock::now().addSecs(i % 3)));
        }
        ::usleep(useconds_t(2000 + QRandomGenerator::global()->bounded(40000)));
        ::kill(enfant, SIGKILL);
        int statut = 0;
        ::waitpid(enfant, &statut, 0);
        ASSERT_TRUE(WIFSIGNALED(statut));

        for (const QString& nom : fichiers(dossier)) {
            if (!nom.startsWith(QStringLiteral("Sauvegarde_")))
                continue;
            // Copied alone, as one restores a backup.
            const QString seule = paths::join(sandbox_.root(), {QStringLiteral("restauree.idx")});
            QFile::remove(seule);
            ASSERT_TRUE(QFile::copy(paths::join(dossier, {nom}), seule));
            db::Database copie(seule);
            EXPECT_EQ(copie.scalar(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok")) << nom.toStdString();
            EXPECT_EQ(copie.scalar(QStringLiteral("SELECT count(*) FROM Eleves")), QStringLiteral("6000"));
        }
        // The next start removes what the cut copy left.
        sauvegarde::retirerInterrompues();
        for (const QString& nom : fichiers(dossier))
            EXPECT_TRUE(nom.startsWith(QStringLiteral("Sauvegarde_")) && nom.endsWith(QStringLiteral(".idx")))
                << nom.toStdString();
    }
}

TEST_F(ArretBrutal, LesRestesDUneSauvegardeCoupeeSontRetiresAuDemarrage)
{
    const QString dossier = sauvegarde::dossier();
    const QString entiere = paths::join(dossier, {QStringLiteral("Sauvegarde_08032026_101010.idx")});
    const QString coupee = paths::join(dossier, {QStringLiteral("Sauvegarde_09032026_101010.idx")});
    const QString travail = db::Database::backupWorkName(paths::join(dossier, {QStringLiteral("Sauvegarde_09032026_111111.idx")}));
    Sandbox::writeFile(entiere, "entière");
    // A copy that an earlier build wrote in place, cut with its journal beside it.
    Sandbox::writeFile(coupee, QByteArray(73728, 'x'));
    Sandbox::writeFile(coupee + QStringLiteral("-journal"), "journal");
    Sandbox::writeFile(travail, QByteArray(4096, 'x'));
    Sandbox::writeFile(travail + QStringLiteral("-journal"), "journal");
    demarrer();
    EXPECT_EQ(fichiers(dossier), QStringList{QFileInfo(entiere).fileName()});
}

TEST_F(ArretBrutal, UneSauvegardeSurUnDisquePleinLeDitEtNeLaisseRien)
{
    const QString dossier = sauvegarde::dossier();
    SmallDisk disque(dossier, 256 * 1024);
    if (!disque.active())
        GTEST_SKIP() << "a small file system needs root";
    {
        db::Database& lignes = base();
        db::Database::Transaction transaction(lignes);
        for (int i = 0; i < 3000; ++i)
            lignes.exec(QStringLiteral("INSERT INTO Eleves (Nom, Prenom) VALUES (?1, ?2)"),
                      {QStringLiteral("Nom%1").arg(i), QString(40, u'é')});
        transaction.commit();
    }
    const QDateTime maintenant = wallclock::now();
    const QString message = sauvegarde::sauvegarder(maintenant);
    EXPECT_TRUE(message.contains(QStringLiteral("Le disque est plein."))) << message.toStdString();
    EXPECT_TRUE(message.contains(QFileInfo(sauvegarde::nomSauvegarde(maintenant)).fileName())) << message.toStdString();
    EXPECT_EQ(fichiers(dossier), QStringList());
}

TEST_F(ArretBrutal, ViderLaBaseCoupeeApresLeVidageNeLArchivePasUneSecondeFois)
{
    const struct {
        const char* quand;
        bool demandeEffacee; // the request was cleared before the power went
    } cas[] = {{"avant l'effacement de la demande", false}, {"après l'effacement de la demande", true}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quand);
        const QString dossier = paths::dataDir();
        for (const QString& nom : QDir(dossier).entryList({QStringLiteral("zlvsyst*.old")}, QDir::Files))
            ASSERT_TRUE(QFile::remove(paths::join(dossier, {nom})));
        ajouterEtablissement(QStringLiteral("Ecole A"));
        reglage(QStringLiteral("NewBase"), QStringLiteral("1"));

        ASSERT_TRUE(tuerPendant([&] {
            if (!demarrage::archiverEtVider(wallclock::now()).isEmpty())
                return;
            if (c.demandeEffacee && !demarrage::ecrireArchivageDemande(false).isEmpty())
                return;
            tuer();
        }));
        const QStringList archives = QDir(dossier).entryList({QStringLiteral("zlvsyst*.old")}, QDir::Files);
        ASSERT_EQ(archives.size(), 1);

        // No question: the base in place is the emptied one.
        if (!c.demandeEffacee)
            dialogues_.message(QStringLiteral("La base de donnée a été archivée dans %1 et vidée au démarrage "
                                              "précédent, qui s'est interrompu avant sa fin.")
                                   .arg(paths::join(dossier, {archives.front()})));
        Accueil& accueil = demarrer();
        EXPECT_TRUE(dialogues_.allAnswered());
        EXPECT_EQ(QDir(dossier).entryList({QStringLiteral("zlvsyst*.old")}, QDir::Files), archives);
        EXPECT_EQ(reglageLu(QStringLiteral("NewBase")), QStringLiteral("0"));
        EXPECT_EQ(compter(QStringLiteral("SELECT count(*) FROM Etablissements")), 0);
        EXPECT_EQ(compter(QStringLiteral("SELECT count(*) FROM BaseVidee")), 0);
        {
            db::Database archive(paths::join(dossier, {archives.front()}));
            EXPECT_EQ(archive.scalar(QStringLiteral("SELECT Nom FROM Etablissements")), QStringLiteral("Ecole A"));
        }
        // A later request is asked again, as any.
        accueil.unload();
        reglage(QStringLiteral("NewBase"), QStringLiteral("1"));
        dialogues_.message(QStringLiteral("archivée et vidée ENTIEREMENT MAINTENANT"), dialogs::Answer::Cancel);
        demarrer();
        EXPECT_TRUE(dialogues_.allAnswered());
        existingForm<Accueil>()->unload();
    }
}

TEST_F(ArretBrutal, ViderLaBaseCoupeeAvantLeVidageLeRedemandeSansRienPerdre)
{
    ajouterEtablissement(QStringLiteral("Ecole A"));
    reglage(QStringLiteral("NewBase"), QStringLiteral("1"));
    const QString dossier = paths::dataDir();
    // The archive is written, the base not yet replaced.
    ASSERT_TRUE(tuerPendant([&] {
        if (files::copyWhole(base::cheminBase(), demarrage::nomArchive(dossier, wallclock::now())).isEmpty())
            tuer();
    }));

    dialogues_.message(QStringLiteral("archivée et vidée ENTIEREMENT MAINTENANT"), dialogs::Answer::Ok);
    demarrer();
    EXPECT_TRUE(dialogues_.allAnswered());
    EXPECT_EQ(compter(QStringLiteral("SELECT count(*) FROM Etablissements")), 0);
    EXPECT_EQ(reglageLu(QStringLiteral("NewBase")), QStringLiteral("0"));
    // Each archive holds the base as it was: nothing of it is lost.
    const QStringList archives = QDir(dossier).entryList({QStringLiteral("zlvsyst*.old")}, QDir::Files);
    ASSERT_EQ(archives.size(), 2);
    for (const QString& nom : archives) {
        db::Database archive(paths::join(dossier, {nom}));
        EXPECT_EQ(archive.scalar(QStringLiteral("SELECT Nom FROM Etablissements")), QStringLiteral("Ecole A")) << nom.toStdString();
    }
}
