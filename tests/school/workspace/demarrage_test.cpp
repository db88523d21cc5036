#include "school/workspace/demarrage.h"

#include "common/database.h"
#include "common/files.h"
#include "common/paths.h"
#include "common/ui/program.h"
#include "school/data/base.h"
#include "school/data/eleves.h"
#include "school/printing/export_photos.h"
#include "school/workspace/form_accueil.h"
#include "school/data/etat.h"
#include "tests/school/support/school_fixture.h"
#include "tests/support/read_only_folder.h"
#include "tests/support/sandbox.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

class DemarrageEcole : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (auto* form = existingForm<FormAccueil>())
            form->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        base::fermer();
        etat::CheminDonnees.clear();
    }

    QString donnees() const { return sandbox.path(QStringLiteral("vizmora2020")); }

    // A student stored as a package from a list with decomposed accents holds it.
    static qint64 eleveDecompose(const QString& nom, const QString& prenom, const QString& nomPhoto)
    {
        return base::db().insert(
            QStringLiteral("INSERT INTO Eleves (Classe, Nom, Prenom, NomPhoto) VALUES ('6A', ?1, ?2, ?3)"),
            {nom.normalized(QString::NormalizationForm_D), prenom.normalized(QString::NormalizationForm_D),
             nomPhoto});
    }
    static QString prenoms()
    {
        return base::db().scalar(QStringLiteral("SELECT group_concat(Prenom, ',') FROM Eleves"));
    }

    Sandbox sandbox;
};

TEST_F(DemarrageEcole, PremierDemarrageInstalleLaBaseEtLesModelesSansRienRemplacerEnsuite)
{
    ASSERT_EQ(demarrage::demarrer().erreur, QString());
    EXPECT_EQ(etat::CheminDonnees, donnees());
    for (const QString& nom : demarrage::fichiersLivres())
        EXPECT_EQ(SchoolFixture::lire(paths::join(donnees(), {nom})),
                  SchoolFixture::lire(paths::join(sandbox.programDir(), {nom})))
            << nom.toStdString();
    EXPECT_TRUE(base::db().hasTable(QStringLiteral("Goupes")));
    EXPECT_FALSE(QFileInfo::exists(paths::join(donnees(), {QStringLiteral("images")})));
    base::fermer();

    const QString modele = paths::join(donnees(), {QStringLiteral("filetemp.html")});
    Sandbox::writeFile(modele, "modifié par l'école");
    ASSERT_EQ(demarrage::demarrer().erreur, QString());
    EXPECT_EQ(SchoolFixture::lire(modele), QByteArray("modifié par l'école"));
    EXPECT_EQ(QDir(donnees()).entryList(QDir::Files).size(), 5);
}

TEST_F(DemarrageEcole, UneBaseDUneVersionAnterieureRecoitLesTablesQuiLuiManquent)
{
    const QString chemin = paths::join(donnees(), {QStringLiteral("classevizmora.idx")});
    ASSERT_TRUE(QDir().mkpath(donnees()));
    {
        db::Database ancienne(chemin);
        ancienne.script(QStringLiteral("CREATE TABLE Eleves (CdeEleves INTEGER PRIMARY KEY AUTOINCREMENT,"
                                       " Classe TEXT, Nom TEXT, Prenom TEXT, NomPhoto TEXT);"
                                       "INSERT INTO Eleves (Classe, Nom) VALUES ('6A', 'Durand');"));
    }

    ASSERT_EQ(demarrage::demarrer().erreur, QString());

    for (const char* table : {"Etablissement", "Photographe", "Goupes", "Ventes", "Tarifs", "TarifPochIncom"})
        EXPECT_TRUE(base::db().hasTable(QString::fromLatin1(table))) << table;
    EXPECT_EQ(base::db().scalar(QStringLiteral("SELECT Nom FROM Eleves")), QStringLiteral("Durand"));
}

// What a power cut left in images/ half way to a picture's name goes at the
// next start; the pictures and a portrait another Vizmora is writing stay.
TEST_F(DemarrageEcole, LesFichiersTemporairesLaissesParUneCoupureDisparaissent)
{
    const QString images = paths::join(donnees(), {QStringLiteral("images")});
    for (const char* nom : {".19.jpg.Ab12Cd", ".E41.jpg.x9Y8z7", "19.jpg", "E41.jpg"})
        Sandbox::writeFile(paths::join(images, {QString::fromLatin1(nom)}), "photo");
    files::PendingFile enCours(paths::join(images, {QStringLiteral("13.jpg")}));
    ASSERT_TRUE(enCours.write("portrait"));

    ASSERT_EQ(demarrage::demarrer().erreur, QString());

    const QStringList restants = QDir(images).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    ASSERT_EQ(restants.size(), 3);
    EXPECT_TRUE(restants[0].startsWith(QStringLiteral(".13.jpg.")));
    EXPECT_EQ(restants.mid(1), (QStringList{QStringLiteral("19.jpg"), QStringLiteral("E41.jpg")}));
    ASSERT_TRUE(enCours.commit());
}

// A package made from a list with decomposed accents holds two spellings of
// one name: the start keeps the composed one everywhere, in one go.
TEST_F(DemarrageEcole, LesNomsSontGardesSousLeurFormeComposee)
{
    ASSERT_EQ(demarrage::demarrer().erreur, QString());
    const QString decompose = QStringLiteral("Zoe\u0301");
    const QString compose = QStringLiteral("Zo\u00e9");
    base::db().exec(QStringLiteral("INSERT INTO Eleves (Classe, Nom, Prenom) VALUES (?1, 'Durand', ?2)"),
                    {QStringLiteral("6e\u0300"), decompose});
    base::db().exec(QStringLiteral("INSERT INTO Goupes (NomGroupe, Nom, Prenom) VALUES (?1, 'Durand', ?1)"),
                    {decompose});
    base::db().exec(QStringLiteral("INSERT INTO Ventes (Classe, Nom, Prenom) VALUES ('6A', ?1, 'Durand')"),
                    {decompose});
    base::fermer();

    ASSERT_EQ(demarrage::demarrer().erreur, QString());

    EXPECT_EQ(base::db().scalar(QStringLiteral("SELECT Classe || Prenom FROM Eleves")),
              QStringLiteral("6\u00e8") + compose);
    EXPECT_EQ(base::db().scalar(QStringLiteral("SELECT NomGroupe || Prenom FROM Goupes")), compose + compose);
    EXPECT_EQ(base::db().scalar(QStringLiteral("SELECT Nom FROM Ventes")), compose);
}

TEST_F(DemarrageEcole, FichierLivreAbsentArreteLeProgrammeEnLeNommant)
{
    QFile::remove(paths::join(sandbox.programDir(), {QStringLiteral("filetempCrte.html")}));
    ScriptedDialogs dialogues;
    dialogues.message(QStringLiteral("filetempCrte.html"));

    formInstance<FormAccueil>().showForm();

    EXPECT_EQ(existingForm<FormAccueil>(), nullptr);
    EXPECT_EQ(Form::loadedCount(), 0);
    EXPECT_EQ(exitStatus(), 1);
    EXPECT_EQ(dialogues.lastPrompt().icon, dialogs::Icon::Critical);
    // Nothing half copied is left for the next start to take as installed.
    EXPECT_FALSE(QFileInfo::exists(paths::join(donnees(), {QStringLiteral("filetempCrte.html")})));
    EXPECT_TRUE(QDir(donnees()).entryList({QStringLiteral("*.copie")}, QDir::Files).isEmpty());
}

TEST_F(DemarrageEcole, BaseIlisibleArreteLeProgrammeEnLaNommant)
{
    Sandbox::writeFile(paths::join(donnees(), {QStringLiteral("classevizmora.idx")}),
                       QByteArray(4096, 'x'));
    ScriptedDialogs dialogues;
    dialogues.message(QStringLiteral("classevizmora.idx n'est pas une base de données."));

    formInstance<FormAccueil>().showForm();

    EXPECT_EQ(existingForm<FormAccueil>(), nullptr);
    EXPECT_FALSE(dialogues.lastPrompt().text.contains(QStringLiteral("file is not a database")));
    EXPECT_EQ(exitStatus(), 1);
}

// What a copy that failed leaves: taken for an empty school, the program would
// show no class and not say why.
TEST_F(DemarrageEcole, BaseVideArreteLeProgrammeEnLaNommantSansYToucher)
{
    const QString chemin = paths::join(donnees(), {QStringLiteral("classevizmora.idx")});
    Sandbox::writeFile(chemin, QByteArray());
    ScriptedDialogs dialogues;
    dialogues.message(chemin + QStringLiteral(" est vide : ce n'est pas une base de données."));

    formInstance<FormAccueil>().showForm();

    EXPECT_EQ(existingForm<FormAccueil>(), nullptr);
    EXPECT_EQ(dialogues.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_EQ(exitStatus(), 1);
    EXPECT_TRUE(QFileInfo(chemin).isFile());
    EXPECT_EQ(QFileInfo(chemin).size(), 0);
}

// Composing the stored names is housekeeping: a database that takes no
// change now still opens on its data, said once when it takes none at all,
// and its names are composed at a later start.
TEST_F(DemarrageEcole, UneBaseEnLectureSeuleOuOccupeeOuvreSurSesDonnees)
{
    const QString decompose = QStringLiteral("Zoe\u0301");
    const QString compose = QStringLiteral("Zo\u00e9");
    for (const bool lectureSeule : {true, false}) {
        SCOPED_TRACE(lectureSeule ? "lecture seule" : "occupée plus longtemps que l'attente permise");
        ASSERT_EQ(demarrage::demarrer().erreur, QString());
        base::db().exec(QStringLiteral("DELETE FROM Eleves"));
        eleveDecompose(QStringLiteral("Durand"), compose, QStringLiteral("1"));
        base::fermer();
        std::optional<ReadOnlyFolder> protegee;
        std::optional<db::Database> autre;
        std::optional<db::Database::Transaction> verrou;
        if (lectureSeule) {
            protegee.emplace(donnees());
            if (!protegee->active())
                continue;
        } else {
            autre.emplace(base::cheminBase());
            verrou.emplace(*autre);
        }
        ScriptedDialogs dialogues;
        if (lectureSeule)
            dialogues.message(QStringLiteral("est en lecture seule : Vizmora montre les classes, les groupes et les "
                                             "commandes, mais rien ne pourra y être enregistré (ni élève ajouté"));

        formInstance<FormAccueil>().showForm();

        ASSERT_NE(existingForm<FormAccueil>(), nullptr);
        EXPECT_EQ(existingForm<FormAccueil>()->findChild<QComboBox*>(QStringLiteral("DBComboClasses"))->itemText(0),
                  QStringLiteral("6A"));
        EXPECT_EQ(dialogues.prompts().size(), lectureSeule ? 1u : 0u);
        EXPECT_EQ(prenoms(), decompose);
        existingForm<FormAccueil>()->unload();
        verrou.reset();
        protegee.reset();

        ASSERT_EQ(demarrage::demarrer().erreur, QString());
        EXPECT_EQ(prenoms(), compose);
        base::fermer();
    }
}

// Composing a name never detaches the portrait filed under it: the file keeps
// its decomposed name, and the board and the export still find it.
TEST_F(DemarrageEcole, UnPortraitAuNomDecomposeResteTrouveApresLaComposition)
{
    ASSERT_EQ(demarrage::demarrer().erreur, QString());
    const QString images = paths::join(donnees(), {QStringLiteral("images")});
    ASSERT_TRUE(QDir().mkpath(images));
    for (const char* code : {"1", "2"}) {
        eleveDecompose(QStringLiteral("Martin"), QString::fromLatin1(code), QString::fromLatin1(code));
        ASSERT_TRUE(SchoolFixture::ecrirePortrait(paths::join(images, {QString::fromLatin1(code) + ".jpg"}), Qt::red));
    }
    // Filed by name only: its code names no file.
    eleveDecompose(QStringLiteral("Lef\u00e8vre"), QStringLiteral("Chlo\u00e9"), QStringLiteral("3"));
    ASSERT_TRUE(SchoolFixture::ecrirePortrait(paths::join(images, {QStringLiteral("Lefe\u0300vre.Chloe\u0301.jpg")}),
                                              Qt::blue));
    base::fermer();

    ASSERT_EQ(demarrage::demarrer().erreur, QString());

    ASSERT_EQ(base::db().scalar(QStringLiteral("SELECT Nom || '.' || Prenom FROM Eleves WHERE NomPhoto = '3'")),
              QStringLiteral("Lef\u00e8vre.Chlo\u00e9"));
    for (const CelluleEleve& eleve : elevesDeClasse(base::db(), QStringLiteral("6A")))
        EXPECT_NE(cheminPhoto(donnees(), eleve), QString()) << eleve.nom.toStdString();
    const exportation::Plan plan = exportation::planifier(base::db(), images, {});
    ASSERT_EQ(plan.copies.size(), 3u);
    for (const exportation::Copie& copie : plan.copies)
        EXPECT_NE(copie.source, QString());
}

} // namespace
