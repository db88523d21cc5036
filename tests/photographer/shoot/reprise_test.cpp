#include "tests/photographer/shoot/seance_fixture.h"

#include "common/files.h"
#include "photographer/shoot/camera_files.h"
#include "photographer/shoot/capture.h"
#include "photographer/shoot/journal_classement.h"
#include "photographer/data/etablissements.h"

#include "tests/support/read_only_folder.h"
#include "tests/support/small_disk.h"

#include <QDateTime>
#include <QDirIterator>

#include <optional>

#include <cstdio>

using dialogs::Answer;
using journal_classement::Classement;

namespace {

class Reprise : public SeanceFixture {
protected:
    // Every file of the student's picture under the establishment's name, and no folder of the other name.
    static void toutSous(const QString& nom, const QString& autre, const QString& cle, const QByteArray& camera)
    {
        const capture::Destinations d = capture::destinations(dossiers_etab::de(nom), QStringLiteral("6A"),
                                                              QStringLiteral("Alpha"), QStringLiteral("Anne"), cle);
        EXPECT_EQ(lire(d.archive), camera);
        EXPECT_EQ(QImage(d.picture).size(), QSize(267, 400));
        EXPECT_EQ(lire(d.lowRes), lire(d.picture));
        EXPECT_EQ(lire(d.lowRes3), lire(d.picture));
        for (const QString& dossier : dossiers_etab::de(autre).tous())
            EXPECT_FALSE(QFileInfo::exists(dossier)) << dossier.toStdString();
    }

    static QString nonClassees()
    {
        return paths::onDrive({QStringLiteral("labohd"), etat::NomEtabEnCours, QStringLiteral("non classées")});
    }

    // A file refused while `non classées` cannot take it, for the reason `cause` that `remede` clears:
    // the shoot stops and says so, the student who got nothing stays marked and the file stays
    // where it was; once lever() cleared the way, a click on the student takes the shoot up again.
    void refuseSansPouvoirLeMettreDeCote(const QString& cause, const QString& remede, const std::function<void()>& lever)
    {
        eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("Anne"));
        eleve(QStringLiteral("6A"), QStringLiteral("Bravo"), QStringLiteral("Benoît"));
        const QString camera = hot(QStringLiteral("IMG_0001.JPG"));
        // Larger than a block of the disk: a full one cannot take it.
        const QByteArray pasUnePhoto = QByteArray(64 * 1024, 'x') + "\xff\xd9";
        Sandbox::writeFile(camera, pasUnePhoto);
        ::ChoixClasse& form = marquerEleve(QStringLiteral("6A"));
        auto* timer = form.findChild<QTimer*>(QStringLiteral("TimerHot"));

        dialogues_.message(QStringLiteral("La photo « %1 » est incomplète ou n'est pas une image JPEG lisible : elle n'a pas "
                                          "été classée.\nElle n'a pas pu être mise de côté dans « %2 »%3.\nLa prise de vues "
                                          "est arrêtée : tant que cette photo reste dans le dossier de réception, les "
                                          "suivantes attendent.\n%4, ou retirez la photo « IMG_0001.JPG » du dossier de "
                                          "réception « %5 », puis cliquez sur l'élève à photographier")
                               .arg(QDir::toNativeSeparators(camera), QDir::toNativeSeparators(nonClassees()), cause,
                                    remede, QDir::toNativeSeparators(etat::DossierHot)));
        ASSERT_TRUE(classer(form, camera));
        EXPECT_TRUE(dialogues_.allAnswered());
        EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
        EXPECT_FALSE(timer->isActive());
        EXPECT_TRUE(enRouge(form, 0)) << "the student who got nothing stays marked";
        EXPECT_FALSE(enRouge(form, 1));
        EXPECT_EQ(lire(camera), pasUnePhoto) << "the file stays where it was";

        lever();
        const QString misDeCote = paths::join(nonClassees(), {QStringLiteral("IMG_0001.JPG")});
        dialogues_.message(QStringLiteral("Elle a été mise de côté dans « %1 ». La prochaine photo ira à Alpha Anne.")
                               .arg(QDir::toNativeSeparators(misDeCote)));
        cliquer(form, 0);
        ASSERT_TRUE(classer(form, camera));
        EXPECT_TRUE(dialogues_.allAnswered());
        EXPECT_TRUE(timer->isActive());
        EXPECT_TRUE(enRouge(form, 0));
        EXPECT_EQ(lire(misDeCote), pasUnePhoto);
        form.unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// Where the program was killed while it filed one camera file.
enum class Arret {
    AvantLInscription,
    ApresLInscription,
    ApresLArchive,
    EntreLesRenommages, // the working picture in place, not yet the archived original
    ApresLesCopies,
    ApresLaLigne,
    PendantLeRetrait,   // the camera file under its private name, not yet compared there
    ApresLeRetrait,     // before the record is dropped
};

// Leaves on disk and in the base what a kill at that point leaves: the filing's real steps, in the
// shooting screen's order, up to it.
void classerJusquA(Arret arret, Classement c)
{
    if (arret == Arret::AvantLInscription)
        return;
    const std::vector<camera_files::Entry> fichiers = camera_files::list(etat::DossierHot);
    ASSERT_EQ(fichiers.size(), 1u);
    c.fichier = fichiers.front().rawPath;
    const capture::Prepared lu = capture::prepare({fichiers.front(), 0, false, false, {}}, c.degres, c.destinations);
    ASSERT_EQ(lu.state, capture::Prepared::State::Ready);
    c.camera = lu.camera;
    c.photo = lu.pictureDigest;
    c.originalGarde = capture::keptOriginalName(c.destinations);
    c.cle = journal_classement::inscrire(base::cheminBase(), c);
    if (arret == Arret::ApresLInscription)
        return;
    if (arret == Arret::ApresLArchive || arret == Arret::EntreLesRenommages) {
        ASSERT_TRUE(QDir().mkpath(c.destinations.replaced));
        ASSERT_TRUE(QFile::rename(c.destinations.archive, c.originalGarde));
        if (arret == Arret::ApresLArchive)
            ASSERT_TRUE(lu.archive->commit());
        else
            ASSERT_EQ(files::writeWhole(c.destinations.picture, lu.picture), QString());
        return;
    }
    ASSERT_EQ(capture::place(lu, c.destinations, c.originalGarde).error, QString());
    if (arret == Arret::ApresLesCopies)
        return;
    ASSERT_TRUE(journal_classement::terminer(c));
    if (arret == Arret::ApresLaLigne)
        return;
    if (arret == Arret::PendantLeRetrait) {
        ASSERT_EQ(::rename(c.fichier.constData(), camera_files::removalName(c.fichier).constData()), 0);
        return;
    }
    ASSERT_TRUE(camera_files::remove(c.fichier));
}

void fermer(::ChoixClasse& form)
{
    form.unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The filing of one picture for Alpha Anne of 6A in the establishment in use, as the tick records it.
Classement pourAlpha(const QString& cle)
{
    Classement c;
    c.degres = 90;
    c.cdeEleve = cle;
    c.codeEtab = etat::CodeEtabEnCours;
    c.classe = QStringLiteral("6A");
    c.nom = QStringLiteral("Alpha");
    c.prenom = QStringLiteral("Anne");
    c.destinations = capture::destinations(dossiers_etab::de(etat::NomEtabEnCours), c.classe, c.nom, c.prenom, cle);
    return c;
}

QString nomEnBase()
{
    return base::db().scalar(QStringLiteral("SELECT Nom FROM Etablissements WHERE CdeEtablissement = ?"),
                             {etat::CodeEtabEnCours});
}

TEST_F(Reprise, UnArretBrutalAChaqueEtapeDUnClassementNeDecaleAucunEleve)
{
    const QString classee = QStringLiteral("La photo IMG_0001.JPG, interrompue par un arrêt brutal, a été classée pour "
                                           "Alpha Anne (classe %1).");
    const QString retiree = QStringLiteral("La photo IMG_0001.JPG avait été classée pour Alpha Anne (classe %1) avant un "
                                           "arrêt brutal : elle a été retirée du dossier de réception");
    const struct {
        const char* quand;
        Arret arret;
        QString dit;           // what the opening of the screen says; "" for nothing
        bool autreEtablissement; // the screen is opened again on another establishment first
    } cas[] = {
        // Nothing recorded: the file waits for the student the photographer marks, as any new file.
        {"avant l'inscription", Arret::AvantLInscription, {}, false},
        {"après l'inscription", Arret::ApresLInscription, classee, true},
        {"après l'archive", Arret::ApresLArchive, classee, false},
        {"entre les renommages", Arret::EntreLesRenommages, classee, true},
        {"après la photo et ses copies", Arret::ApresLesCopies, classee, false},
        {"après la ligne et la marque", Arret::ApresLaLigne, retiree, true},
        {"pendant le retrait de la photo", Arret::PendantLeRetrait, retiree, false},
        {"après le retrait de la photo", Arret::ApresLeRetrait, {}, false},
    };
    const QString autreCode = ajouterEtablissement(QStringLiteral("Autre Ecole"));
    eleve(QStringLiteral("6A"), QStringLiteral("Zoulou"), QStringLiteral("Zoé"), autreCode);
    const QString ecole = etat::NomEtabEnCours, ecoleCode = etat::CodeEtabEnCours;
    int numero = 0;
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quand);
        const QString classe = QStringLiteral("C%1").arg(++numero);
        const QString noms[3] = {QStringLiteral("Alpha"), QStringLiteral("Bravo"), QStringLiteral("Charlie")};
        const QString prenoms[3] = {QStringLiteral("Anne"), QStringLiteral("Benoît"), QStringLiteral("Claire")};
        const QByteArray photos[3] = {jpeg({600, 400}), jpeg({660, 440}), jpeg({900, 600})};
        const QByteArray ancien = jpeg({300, 200});
        QString cles[3];
        capture::Destinations d[3];
        for (int i = 0; i < 3; ++i) {
            cles[i] = eleve(classe, noms[i], prenoms[i]);
            d[i] = capture::destinations(dossiers_etab::de(ecole), classe, noms[i], prenoms[i], cles[i]);
        }
        // An earlier shot's original, which the first filing sets aside.
        Sandbox::writeFile(d[0].archive, ancien);
        const QString cameras[3] = {hot(QStringLiteral("IMG_0001.JPG")), hot(QStringLiteral("IMG_0002.JPG")),
                                    hot(QStringLiteral("IMG_0003.JPG"))};
        Sandbox::writeFile(cameras[0], photos[0]);
        {
            // A camera whose clock runs an hour ahead: no date decides anything.
            QFile fichier(cameras[0]);
            ASSERT_TRUE(fichier.open(QIODevice::ReadWrite));
            ASSERT_TRUE(fichier.setFileTime(QDateTime::currentDateTime().addSecs(3600), QFileDevice::FileModificationTime));
        }
        Classement enCours;
        enCours.degres = 90;
        enCours.cdeEleve = cles[0];
        enCours.codeEtab = ecoleCode;
        enCours.classe = classe;
        enCours.nom = noms[0];
        enCours.prenom = prenoms[0];
        enCours.destinations = d[0];
        classerJusquA(c.arret, enCours);

        // The restart.
        if (!c.dit.isEmpty())
            dialogues_.message(c.dit.arg(classe), Answer::Ok);
        if (c.autreEtablissement) {
            etat::NomEtabEnCours = QStringLiteral("Autre Ecole");
            etat::CodeEtabEnCours = autreCode;
            ::ChoixClasse& autre = ouvrirClasse(QStringLiteral("6A"));
            EXPECT_TRUE(QTest::qWaitFor([&] { return dialogues_.allAnswered(); }, 10000));
            fermer(autre);
            etat::NomEtabEnCours = ecole;
            etat::CodeEtabEnCours = ecoleCode;
        }
        ::ChoixClasse& form = ouvrirClasse(classe);
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialogues_.allAnswered(); }, 10000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !QFile::exists(cameras[0]) || c.arret == Arret::AvantLInscription; }, 10000));
        QTest::mouseClick(controle(form, QStringLiteral("OptionMain_0")), Qt::LeftButton);
        const int premier = c.arret == Arret::AvantLInscription ? 0 : 1;
        cliquer(form, premier);
        if (premier == 0) {
            ASSERT_TRUE(classer(form, cameras[0]));
        }
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
            EXPECT_EQ(lire(d[i].lowRes3), lire(d[i].picture));
        }
        // The earlier original is kept once, never lost nor set aside twice.
        const QStringList gardes = QDir(d[0].replaced).entryList(QDir::Files);
        ASSERT_EQ(gardes.size(), 1);
        EXPECT_EQ(lire(QDir(d[0].replaced).filePath(gardes.front())), ancien);
        EXPECT_TRUE(QDir(etat::DossierHot).entryList(QDir::Files | QDir::Hidden).isEmpty());
        fermer(form);
        EXPECT_TRUE(journal_classement::restants().empty());
        QDir(d[0].replaced).removeRecursively();
        // A fresh establishment: the names' numbers go with the students.
        for (const QString& table : {QStringLiteral("Eleves"), QStringLiteral("NumerosPhotos")})
            base::db().exec(QStringLiteral("DELETE FROM %1 WHERE CodeEtablissement = ?").arg(table), {ecoleCode});
    }
}

TEST_F(Reprise, UnClassementPourUnEleveQuiNEstPlusLaEstDefaitEtLaPhotoMiseDeCoteUneFois)
{
    const struct {
        const char* quand;
        bool dejaCopiee; // a settling cut after its copy, before the camera file went
        bool enRetrait;  // cut while the camera file lay under its private name
        const char* classe;
    } cas[] = {{"first settling", false, false, "6A"},
               {"settling again after a cut", true, false, "6B"},
               {"settling again after a cut during the removal", true, true, "6C"}};
    for (const auto& r : cas) {
        SCOPED_TRACE(r.quand);
        const QString classe = QString::fromLatin1(r.classe);
        const QString cle = eleve(classe, QStringLiteral("Alpha"), QStringLiteral("Anne"));
        const QString suivant = eleve(classe, QStringLiteral("Bravo"), QStringLiteral("Benoît"));
        const capture::Destinations d = capture::destinations(dossiers_etab::de(etat::NomEtabEnCours), classe,
                                                              QStringLiteral("Alpha"), QStringLiteral("Anne"), cle);
        const QByteArray ancien = jpeg({300, 200});
        Sandbox::writeFile(d.archive, ancien);
        Sandbox::writeFile(hot(QStringLiteral("IMG_0001.JPG")), jpeg());
        Classement c;
        c.degres = 90;
        c.cdeEleve = cle;
        c.codeEtab = etat::CodeEtabEnCours;
        c.classe = classe;
        c.nom = QStringLiteral("Alpha");
        c.prenom = QStringLiteral("Anne");
        c.destinations = d;
        classerJusquA(Arret::EntreLesRenommages, c);
        ASSERT_TRUE(roster::supprimerEleve(cle));
        if (r.dejaCopiee)
            Sandbox::writeFile(paths::join(d.unfiled, {QStringLiteral("IMG_0001.JPG")}), jpeg());
        if (r.enRetrait) {
            const QByteArray camera = QFile::encodeName(hot(QStringLiteral("IMG_0001.JPG")));
            ASSERT_EQ(::rename(camera.constData(), camera_files::removalName(camera).constData()), 0);
        }

        dialogues_.message(QStringLiteral("La photo IMG_0001.JPG, interrompue par un arrêt brutal, devait être classée pour "
                                          "Alpha Anne (classe %1), qui n'est plus dans la base.\nSon classement a été "
                                          "annulé. La photo a été mise de côté dans")
                               .arg(classe));
        ::ChoixClasse& form = ouvrirClasse(classe);
        ASSERT_TRUE(QTest::qWaitFor([&] { return dialogues_.allAnswered(); }, 10000));

        EXPECT_EQ(lire(d.archive), ancien) << "the original it had set aside is back";
        EXPECT_FALSE(QFileInfo::exists(d.picture));
        EXPECT_EQ(QDir(d.unfiled).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("IMG_0001.JPG")});
        EXPECT_EQ(lire(paths::join(d.unfiled, {QStringLiteral("IMG_0001.JPG")})), jpeg());
        EXPECT_FALSE(QFile::exists(hot(QStringLiteral("IMG_0001.JPG"))));
        EXPECT_TRUE(journal_classement::restants().empty());
        EXPECT_EQ(colonne(suivant, QStringLiteral("NomPhoto")), QString());
        fermer(form);
        QDir(d.unfiled).removeRecursively();
    }
}

TEST_F(Reprise, UnFichierRefuseEstMisDeCoteEtLaPriseDeVueContinue)
{
    const QString premier = eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("Anne"));
    const QString second = eleve(QStringLiteral("6A"), QStringLiteral("Bravo"), QStringLiteral("Benoît"));
    const QString nonClassees = paths::onDrive({QStringLiteral("labohd"), etat::NomEtabEnCours, QStringLiteral("non classées")});
    // A file of that name was set aside before: it is never overwritten.
    Sandbox::writeFile(paths::join(nonClassees, {QStringLiteral("IMG_0001.JPG")}), "plus ancien");
    Sandbox::writeFile(hot(QStringLiteral("IMG_0001.JPG")), QByteArray());
    ::ChoixClasse& form = marquerEleve(QStringLiteral("6A"));

    dialogues_.message(QStringLiteral("est vide : elle n'a pas été classée. Elle a été mise de côté dans « %1 ». La prochaine "
                                      "photo ira à Alpha Anne.")
                           .arg(QDir::toNativeSeparators(paths::join(nonClassees, {QStringLiteral("IMG_0001_2.JPG")}))));
    ASSERT_TRUE(classer(form, hot(QStringLiteral("IMG_0001.JPG"))));
    EXPECT_TRUE(dialogues_.allAnswered());
    EXPECT_TRUE(form.findChild<QTimer*>(QStringLiteral("TimerHot"))->isActive());
    EXPECT_TRUE(enRouge(form, 0)) << "the student who got nothing is still marked";
    const QByteArray photos[2] = {jpeg({600, 400}), jpeg({660, 440})};
    Sandbox::writeFile(hot(QStringLiteral("IMG_0002.JPG")), photos[0]);
    ASSERT_TRUE(classer(form, hot(QStringLiteral("IMG_0002.JPG"))));
    dialogues_.message(QStringLiteral("Fin"));
    Sandbox::writeFile(hot(QStringLiteral("IMG_0003.JPG")), photos[1]);
    ASSERT_TRUE(classer(form, hot(QStringLiteral("IMG_0003.JPG"))));

    EXPECT_EQ(colonne(premier, QStringLiteral("NomPhoto")), QStringLiteral("IMG_0002.JPG"));
    EXPECT_EQ(colonne(second, QStringLiteral("NomPhoto")), QStringLiteral("IMG_0003.JPG"));
    EXPECT_EQ(lire(paths::join(nonClassees, {QStringLiteral("IMG_0001.JPG")})), "plus ancien");
    EXPECT_TRUE(QFileInfo::exists(paths::join(nonClassees, {QStringLiteral("IMG_0001_2.JPG")})));
    fermer(form);
}

TEST_F(Reprise, UnRefusQueNonClasseesEnLectureSeuleNePeutPrendreArreteLaPriseDeVueEtLeDit)
{
    ASSERT_TRUE(QDir().mkpath(nonClassees()));
    std::optional<ReadOnlyFolder> lectureSeule(std::in_place, nonClassees());
    ASSERT_TRUE(lectureSeule->active());
    refuseSansPouvoirLeMettreDeCote(
        QStringLiteral(" : le dossier « %1 » est en lecture seule").arg(QDir::toNativeSeparators(nonClassees())),
        QStringLiteral("Rendez ce dossier accessible en écriture"), [&] { lectureSeule.reset(); });
}

TEST_F(Reprise, UnRefusQueNonClasseesSurUnDisquePleinNePeutPrendreArreteLaPriseDeVueEtLeDit)
{
    std::optional<SmallDisk> disque(std::in_place, nonClassees(), 1024 * 1024);
    if (!disque->active())
        GTEST_SKIP() << "a full disk needs root";
    disque->fillLeaving(0);
    refuseSansPouvoirLeMettreDeCote(
        QStringLiteral(" : le disque qui porte « %1 » est plein").arg(QDir::toNativeSeparators(nonClassees())),
        QStringLiteral("Libérez de la place sur ce disque"), [&] { disque.reset(); });
}

TEST_F(Reprise, UneClasseOuverteAvantLaFinDuReglementMontreLaPhotoReglee)
{
    const QString alpha = eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("Anne"));
    const QString bravo = eleve(QStringLiteral("6A"), QStringLiteral("Bravo"), QStringLiteral("Benoît"));
    Sandbox::writeFile(hot(QStringLiteral("IMG_0001.JPG")), jpeg());
    const Classement c = pourAlpha(alpha);
    classerJusquA(Arret::ApresLInscription, c);

    dialogues_.message(QStringLiteral("a été classée pour Alpha Anne (classe 6A)."));
    ::ChoixClasse& form = ouvrirClasse(QStringLiteral("6A"));
    const auto photo = [&](int slot) { return controle<Vignette>(form, QStringLiteral("Photo_%1").arg(slot)); };
    ASSERT_TRUE(photo(0)->image().isNull()) << "the class was read before the settling ended";
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogues_.allAnswered(); }, 10000));
    EXPECT_FALSE(photo(0)->image().isNull());
    EXPECT_TRUE(photo(1)->image().isNull());

    // The photographer marks the first student the board shows without a picture.
    QTest::mouseClick(controle(form, QStringLiteral("OptionMain_0")), Qt::LeftButton);
    cliquer(form, photo(0)->image().isNull() ? 0 : 1);
    Sandbox::writeFile(hot(QStringLiteral("IMG_0002.JPG")), jpeg({660, 440}));
    dialogues_.message(QStringLiteral("Fin"));
    ASSERT_TRUE(classer(form, hot(QStringLiteral("IMG_0002.JPG"))));
    EXPECT_TRUE(dialogues_.allAnswered());
    EXPECT_EQ(colonne(alpha, QStringLiteral("NomPhoto")), QStringLiteral("IMG_0001.JPG"));
    EXPECT_EQ(colonne(bravo, QStringLiteral("NomPhoto")), QStringLiteral("IMG_0002.JPG"));
    fermer(form);
}

TEST_F(Reprise, UneClasseChangeePendantLeDecodageLaisseLaPhotoAuProchainEleveMarque)
{
    const QString premier = eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("Anne"));
    const QString autre = eleve(QStringLiteral("6B"), QStringLiteral("Bravo"), QStringLiteral("Benoît"));
    eleve(QStringLiteral("6B"), QStringLiteral("Charlie"), QStringLiteral("Claire"));
    ::ChoixClasse& form = marquerEleve(QStringLiteral("6A"));
    Sandbox::writeFile(hot(QStringLiteral("IMG_0001.JPG")), jpeg());
    // The tick reads and decodes the file off the window's thread; before its answer comes, another
    // class is chosen and the capture started again there.
    prise(form).TimerHot_Timer();
    menu(form, QStringLiteral("MNU_Changer"))->trigger();
    ouvrirClasse(QStringLiteral("6B"));
    QTest::mouseClick(controle(form, QStringLiteral("OptionMain_0")), Qt::LeftButton);
    cliquer(form, 0);

    ASSERT_TRUE(classer(form, hot(QStringLiteral("IMG_0001.JPG"))));
    EXPECT_TRUE(form.findChild<QTimer*>(QStringLiteral("TimerHot"))->isActive()) << "the capture goes on";
    EXPECT_TRUE(enRouge(form, 1));
    EXPECT_EQ(colonne(premier, QStringLiteral("NomPhoto")), QString());
    EXPECT_EQ(colonne(autre, QStringLiteral("NomPhoto")), QStringLiteral("IMG_0001.JPG"));
    fermer(form);
}

TEST_F(Reprise, DesPhotosDansUnSousDossierSontSignaleesUneFois)
{
    eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("Anne"));
    const QString carte = paths::join(etat::DossierHot, {QStringLiteral("DCIM"), QStringLiteral("100CANON")});
    Sandbox::writeFile(paths::join(carte, {QStringLiteral("IMG_0001.JPG")}), jpeg());
    ::ChoixClasse& form = marquerEleve(QStringLiteral("6A"));

    dialogues_.message(QStringLiteral("Le dossier %1 contient des photos qui ne seront pas classées")
                           .arg(QDir::toNativeSeparators(carte)));
    for (int i = 0; i < 3; ++i)
        unTour(form);
    EXPECT_TRUE(dialogues_.allAnswered());
    EXPECT_EQ(dialogues_.prompts().size(), 1u) << "told once";
    EXPECT_TRUE(form.findChild<QTimer*>(QStringLiteral("TimerHot"))->isActive());
    fermer(form);
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

    ::ChoixClasse& form = marquerEleve(QStringLiteral("6A"));
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

// A filing a power cut stopped holds the paths of the establishment's folders: the rename waits
// until the opening of the shooting screen has finished it, then takes every file along.
TEST_F(Reprise, UnClassementCoupeEstTermineAvantQueLEtablissementChangeDeNom)
{
    const QString cle = eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("Anne"));
    const QByteArray camera = jpeg();
    Sandbox::writeFile(hot(QStringLiteral("IMG_0001.JPG")), camera);
    classerJusquA(Arret::ApresLesCopies, pourAlpha(cle));

    EXPECT_EQ(etablissements::renommer(etat::CodeEtabEnCours, QStringLiteral("Ecole Neuve")),
              QStringLiteral("L'établissement « Ecole Test » n'a pas été renommé : le classement d'une photo de Alpha "
                             "Anne (classe 6A), interrompu par un arrêt brutal, n'est pas terminé. Ouvrez la prise de "
                             "vues de cet établissement, qui le terminera, puis renommez-le."));
    EXPECT_EQ(nomEnBase(), QStringLiteral("Ecole Test"));

    dialogues_.message(QStringLiteral("La photo IMG_0001.JPG, interrompue par un arrêt brutal, a été classée pour "
                                      "Alpha Anne (classe 6A)."));
    ::ChoixClasse& form = ouvrirClasse(QStringLiteral("6A"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialogues_.allAnswered(); }, 10000));
    fermer(form);
    ASSERT_EQ(etablissements::renommer(etat::CodeEtabEnCours, QStringLiteral("Ecole Neuve")), QString());
    toutSous(QStringLiteral("Ecole Neuve"), QStringLiteral("Ecole Test"), cle, camera);
    EXPECT_EQ(colonne(cle, QStringLiteral("NomPhoto")), QStringLiteral("IMG_0001.JPG"));
}

// A base where the establishment changed its name after the power cut, by a rename that never
// looked at the journal: the filing goes under the folders of the name it has now when the
// rename took them along, and is never written blindly under the former name.
TEST_F(Reprise, UnClassementDontLEtablissementAChangeDeNomNEcritJamaisSousLAncienNom)
{
    enum class Renommage { DossiersEmportes, DossiersRestes, EnCours };
    const QString ancien = QStringLiteral("Ecole Test"), nouveau = QStringLiteral("Ecole Neuve");
    const QString photo = QStringLiteral("La photo IMG_0001.JPG, interrompue par un arrêt brutal, ");
    const struct {
        const char* cas;
        Renommage renommage;
        QString dit;
    } cas[] = {
        {"les dossiers ont suivi le nouveau nom", Renommage::DossiersEmportes,
         photo + QStringLiteral("a été classée pour Alpha Anne (classe 6A).")},
        {"les dossiers ont gardé l'ancien nom", Renommage::DossiersRestes,
         photo + QStringLiteral("devait être classée pour Alpha Anne (classe 6A), mais ses fichiers sont dans « %1 », "
                                "qui n'est pas un dossier de l'établissement « Ecole Neuve » sous son nom actuel : elle "
                                "n'a pas été classée, et ce que son classement avait déjà écrit est resté où il était. "
                                "La photo a été mise de côté dans « %2 ».")
                     .arg(dossiers_etab::de(ancien).archive,
                          paths::join(dossiers_etab::de(nouveau).archive,
                                      {QStringLiteral("non classées"), QStringLiteral("IMG_0001.JPG")}))},
        {"le renommage n'est pas terminé", Renommage::EnCours,
         photo + QStringLiteral("devait être classée pour Alpha Anne (classe 6A), mais le renommage de "
                                "l'établissement « Ecole Test » en « Ecole Neuve » n'est pas terminé : il le sera au "
                                "prochain démarrage de Zelvantis. Elle sera classée ensuite.")},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        etat::NomEtabEnCours = ancien;
        const QString cle = eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("Anne"));
        const QByteArray camera = jpeg();
        const QString fichier = hot(QStringLiteral("IMG_0001.JPG"));
        Sandbox::writeFile(fichier, camera);
        const Classement enregistre = pourAlpha(cle);
        classerJusquA(Arret::ApresLesCopies, enregistre);
        if (c.renommage == Renommage::EnCours)
            base::db().exec(QStringLiteral("INSERT INTO RenommagesEnCours (CdeEtablissement, AncienNom, NouveauNom, "
                                           "Dossiers) VALUES (?, ?, ?, '0123')"),
                            {etat::CodeEtabEnCours, ancien, nouveau});
        else
            renommerSansRegarderLesTravaux(nouveau, c.renommage == Renommage::DossiersEmportes);

        dialogues_.message(c.dit);
        ::ChoixClasse& form = ouvrirClasse(QStringLiteral("6A"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialogues_.allAnswered(); }, 10000));
        fermer(form);
        switch (c.renommage) {
        case Renommage::DossiersEmportes:
            toutSous(nouveau, ancien, cle, camera);
            EXPECT_EQ(colonne(cle, QStringLiteral("NomPhoto")), QStringLiteral("IMG_0001.JPG"));
            EXPECT_TRUE(journal_classement::restants().empty());
            break;
        case Renommage::DossiersRestes: {
            // What the cut filing had put in place stays as it was; nothing else is made.
            const capture::Destinations& d = enregistre.destinations;
            EXPECT_EQ(lire(d.archive), camera);
            EXPECT_TRUE(QFileInfo::exists(d.picture));
            const dossiers_etab::Dossiers neufs = dossiers_etab::de(nouveau);
            for (const QString& dossier : {neufs.donnees, neufs.br, neufs.br3})
                EXPECT_FALSE(QFileInfo::exists(dossier)) << dossier.toStdString();
            const QString misDeCote =
                paths::join(neufs.archive, {QStringLiteral("non classées"), QStringLiteral("IMG_0001.JPG")});
            QStringList ecrits;
            for (QDirIterator i(neufs.archive, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); i.hasNext();)
                ecrits << i.next();
            EXPECT_EQ(ecrits, QStringList{misDeCote});
            EXPECT_EQ(lire(misDeCote), camera);
            EXPECT_FALSE(QFileInfo::exists(fichier));
            EXPECT_EQ(colonne(cle, QStringLiteral("NomPhoto")), QString());
            EXPECT_TRUE(journal_classement::restants().empty());
            for (const QString& dossier : dossiers_etab::de(ancien).tous())
                QDir(dossier).removeRecursively();
            QDir(neufs.archive).removeRecursively();
            break;
        }
        case Renommage::EnCours:
            // Nothing moves while the folders are split between two names: the next start settles the rename.
            EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
            EXPECT_EQ(lire(fichier), camera);
            EXPECT_EQ(journal_classement::restants().size(), 1u);
            EXPECT_EQ(colonne(cle, QStringLiteral("NomPhoto")), QString());
            break;
        }
        base::db().exec(QStringLiteral("DELETE FROM Eleves"));
        base::db().exec(QStringLiteral("UPDATE Etablissements SET Nom = ?"), {ancien});
        for (const QString& dossier : dossiers_etab::de(nouveau).tous())
            QDir(dossier).removeRecursively();
    }
}

} // namespace
