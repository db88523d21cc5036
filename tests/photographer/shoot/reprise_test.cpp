#include "tests/photographer/shoot/seance_fixture.h"

#include "photographer/shoot/camera_files.h"
#include "photographer/shoot/capture.h"

#include <QDateTime>

using dialogs::Answer;

namespace {

using Reprise = SeanceFixture;

// How far the filing of one camera file had gone when the program was killed.
enum class Arret { AvantLArchive, ApresLArchive, ApresLaPhoto, ApresLaLigne };

// Leaves on disk and in the base what a kill at that point leaves: the real filing steps, up to it.
void classerJusquA(Arret arret, const QString& cle, const capture::Destinations& d, const QString& nomCamera)
{
    if (arret == Arret::AvantLArchive)
        return;
    const std::vector<camera_files::Entry> fichiers = camera_files::list(etat::DossierHot);
    ASSERT_EQ(fichiers.size(), 1u);
    const capture::Prepared lu = capture::prepare({fichiers.front(), 0}, 90, d, {});
    ASSERT_EQ(lu.state, capture::Prepared::State::Ready);
    if (arret == Arret::ApresLArchive) {
        ASSERT_TRUE(lu.archive->commit());
        return;
    }
    ASSERT_EQ(capture::place(lu, d).error, QString());
    if (arret == Arret::ApresLaLigne) {
        ASSERT_TRUE(roster::enregistrerNomPhoto(cle, nomCamera));
    }
}

TEST_F(Reprise, UnArretBrutalPendantUnClassementNeDecaleAucunEleve)
{
    const struct {
        const char* quand;
        Arret arret;
        int marque; // the student the photographer marks after the restart
    } cas[] = {
        // Not recorded for the student: filed again, to the student marked.
        {"avant la copie d'archive", Arret::AvantLArchive, 0},
        {"après la copie d'archive", Arret::ApresLArchive, 0},
        {"après la photo et ses copies", Arret::ApresLaPhoto, 0},
        // Filed and recorded: the photographer goes on with the next student.
        {"après la ligne de l'élève", Arret::ApresLaLigne, 1},
    };
    int numero = 0;
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quand);
        const QString classe = QStringLiteral("C%1").arg(++numero);
        const QString noms[3] = {QStringLiteral("Alpha"), QStringLiteral("Bravo"), QStringLiteral("Charlie")};
        const QString prenoms[3] = {QStringLiteral("Anne"), QStringLiteral("Benoît"), QStringLiteral("Claire")};
        const QByteArray photos[3] = {jpeg({600, 400}), jpeg({660, 440}), jpeg({900, 600})};
        QString cles[3];
        capture::Destinations d[3];
        for (int i = 0; i < 3; ++i) {
            cles[i] = eleve(classe, noms[i], prenoms[i]);
            d[i] = capture::destinations(dossiers_etab::de(etat::NomEtabEnCours), classe, noms[i], prenoms[i], cles[i]);
        }
        const QString cameras[3] = {hot(QStringLiteral("IMG_0001.JPG")), hot(QStringLiteral("IMG_0002.JPG")),
                                    hot(QStringLiteral("IMG_0003.JPG"))};
        Sandbox::writeFile(cameras[0], photos[0]);
        classerJusquA(c.arret, cles[0], d[0], QStringLiteral("IMG_0001.JPG"));

        // The restart: the leftover camera file is there before the capture first looks.
        ::ChoixClasse& form = ouvrirClasse(classe);
        QTest::mouseClick(controle(form, QStringLiteral("OptionMain_0")), Qt::LeftButton);
        cliquer(form, c.marque);
        if (c.arret == Arret::ApresLaPhoto)
            dialogues_.message(QStringLiteral("Souhaitez vous remplacer l'image existante ?"), Answer::Yes);
        if (c.arret == Arret::ApresLaLigne)
            dialogues_.message(QStringLiteral("IMG_0001.JPG avait déjà été classée pour Alpha Anne (classe %1) : elle a "
                                              "été retirée du dossier de réception")
                                   .arg(classe));
        ASSERT_TRUE(classer(form, cameras[0]));
        EXPECT_TRUE(form.findChild<QTimer*>(QStringLiteral("TimerHot"))->isActive());
        for (int i = 1; i < 3; ++i) {
            if (i == 2)
                dialogues_.message(QStringLiteral("Fin"));
            Sandbox::writeFile(cameras[i], photos[i]);
            ASSERT_TRUE(classer(form, cameras[i]));
        }

        EXPECT_TRUE(dialogues_.allAnswered());
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(noms[i].toStdString());
            EXPECT_EQ(lire(d[i].archive), photos[i]);
            EXPECT_EQ(colonne(cles[i], QStringLiteral("NomPhoto")), QFileInfo(cameras[i]).fileName());
            EXPECT_EQ(QImage(d[i].picture).size(), QSize(267, 400));
            EXPECT_EQ(lire(d[i].lowRes), lire(d[i].picture));
        }
        EXPECT_TRUE(QDir(etat::DossierHot).entryList(QDir::Files | QDir::Hidden).isEmpty());

        form.unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        base::db().exec(QStringLiteral("DELETE FROM Eleves"));
    }
}

TEST_F(Reprise, DeuxPhotosArriveesEnsembleVontDansLOrdreDeLaPriseDeVue)
{
    const QString premier = eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("Anne"));
    const QString second = eleve(QStringLiteral("6A"), QStringLiteral("Bravo"), QStringLiteral("Benoît"));
    // The camera's counter went round between the two shots.
    const QDateTime prise(QDate(2026, 3, 9), QTime(14, 30, 5));
    const struct {
        QString nom;
        QByteArray octets;
        QDateTime date;
    } photos[] = {{QStringLiteral("IMG_0001.JPG"), jpeg({660, 440}), prise.addSecs(1)},
                  {QStringLiteral("IMG_9999.JPG"), jpeg({600, 400}), prise}};
    for (const auto& photo : photos) {
        Sandbox::writeFile(hot(photo.nom), photo.octets);
        QFile fichier(hot(photo.nom));
        ASSERT_TRUE(fichier.open(QIODevice::ReadWrite));
        ASSERT_TRUE(fichier.setFileTime(photo.date, QFileDevice::FileModificationTime));
    }

    ::ChoixClasse& form = ouvrirClasse(QStringLiteral("6A"));
    QTest::mouseClick(controle(form, QStringLiteral("OptionMain_0")), Qt::LeftButton);
    cliquer(form, 0);
    ASSERT_TRUE(classer(form, hot(QStringLiteral("IMG_9999.JPG"))));
    EXPECT_TRUE(QFile::exists(hot(QStringLiteral("IMG_0001.JPG"))));
    dialogues_.message(QStringLiteral("Fin"));
    ASSERT_TRUE(classer(form, hot(QStringLiteral("IMG_0001.JPG"))));

    EXPECT_EQ(colonne(premier, QStringLiteral("NomPhoto")), QStringLiteral("IMG_9999.JPG"));
    EXPECT_EQ(colonne(second, QStringLiteral("NomPhoto")), QStringLiteral("IMG_0001.JPG"));
    EXPECT_EQ(lire(paths::onDrive({QStringLiteral("labohd"), etat::NomEtabEnCours,
                                   QStringLiteral("6AxsepxAlphaxsepxAnnexsepx.jpg")})),
              photos[1].octets);
}

} // namespace
