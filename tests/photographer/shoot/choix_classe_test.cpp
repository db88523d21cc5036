#include "tests/photographer/shoot/seance_fixture.h"

#include "photographer/shoot/boutons_classe.h"
#include "photographer/shoot/camera_files.h"
#include "photographer/shoot/changement_classe.h"
#include "tests/support/read_only_folder.h"

#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>

#include <optional>

#include <fcntl.h>
#include <unistd.h>

using dialogs::Answer;

namespace {

struct PlaceCas {
    QStringList classes;
    int index;
    QRect attendu;
};

} // namespace

TEST(BoutonsClasse, LesPlacesSuiventLesRangeesDeLEcran)
{
    const QStringList courtes(20, QStringLiteral("6A")); // 400 twips wide, 600 apart
    const QStringList cas_vide{QStringLiteral("6A"), QString(), QStringLiteral("5B")};
    const std::vector<PlaceCas> cas{
        {{QStringLiteral("6A")}, 0, {120, 1000, 400, 495}},
        {{QStringLiteral("6A"), QStringLiteral("CM2")}, 1, {720, 1000, 600, 495}},
        // Buttons go on until one starts at 10000 or beyond; the next starts a row at 110.
        {courtes, 16, {9720, 1000, 400, 495}},
        {courtes, 17, {10320, 1000, 400, 495}},
        {courtes, 18, {110, 1550, 400, 495}},
        // A class without a name still gets a button that can be clicked.
        {cas_vide, 1, {720, 1000, 400, 495}},
    };
    for (const PlaceCas& c : cas)
        EXPECT_EQ(placerBoutonsClasse(c.classes)[std::size_t(c.index)], c.attendu)
            << c.classes.size() << " classes, button " << c.index;
}

// The fixture bears the name of the class under test; this namespace keeps the two apart.
namespace {

using ChoixClasse = SeanceFixture;

TEST_F(ChoixClasse, PhotographieUneClasseDepuisLeDossierSurveilleDansLOrdre)
{
    const QString martin = eleve(QStringLiteral("6A"), QStringLiteral("Martin"), QStringLiteral("Paul"));
    const QString bernard = eleve(QStringLiteral("6A"), QStringLiteral("Bernard"), QStringLiteral("Léa"));
    const QString durand = eleve(QStringLiteral("6A"), QStringLiteral("Durand"), QStringLiteral("Tom"));
    eleve(QStringLiteral("5B"), QStringLiteral("Autre"), QStringLiteral("Zoé"));

    ::ChoixClasse& form = ouvrirClasse(QStringLiteral("6A"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Mode Prise de vues - 6A"));
    EXPECT_EQ(controle<QLabel>(form, QStringLiteral("LabelClasse"))->text(), QStringLiteral("Classe : 6A - 3 élèves"));
    QTest::mouseClick(controle(form, QStringLiteral("OptionMain_0")), Qt::LeftButton);
    EXPECT_EQ(etat::SensPriseDeVue, QStringLiteral("TeteGauche"));
    EXPECT_FALSE(menu(form, QStringLiteral("MNU_Export"))->isEnabled());
    cliquer(form, 0);
    EXPECT_TRUE(form.findChild<QTimer*>(QStringLiteral("TimerHot"))->isActive());
    EXPECT_TRUE(enRouge(form, 0));

    const QByteArray premiere = jpeg(), deuxieme = jpeg({660, 440}), troisieme = jpeg({900, 600});
    Sandbox::writeFile(hot(QStringLiteral("IMG_0001.JPG")), premiere);
    ASSERT_TRUE(classer(form, hot(QStringLiteral("IMG_0001.JPG"))));
    EXPECT_TRUE(enRouge(form, 1));
    EXPECT_FALSE(enRouge(form, 0));

    // A file still being written is left until it is whole.
    const QString moitie = hot(QStringLiteral("IMG_0002.jpg"));
    Sandbox::writeFile(moitie, deuxieme.left(deuxieme.size() / 2));
    QSignalSpy classements(&prise(form), &PriseDeVue::avancement);
    for (int i = 0; i < 3; ++i)
        prise(form).TimerHot_Timer();
    EXPECT_TRUE(classements.isEmpty()) << "a filing started on a half-written file";
    EXPECT_TRUE(QFile::exists(moitie));
    EXPECT_FALSE(QFile::exists(paths::join(dossierEtab(), {durand + QStringLiteral(".jpg")})));
    {
        QFile fin(moitie);
        ASSERT_TRUE(fin.open(QIODevice::Append));
        fin.write(deuxieme.mid(deuxieme.size() / 2));
    }
    ASSERT_TRUE(classer(form, moitie));

    dialogues_.message(QStringLiteral("Fin"));
    Sandbox::writeFile(hot(QStringLiteral("IMG_0003.jpeg")), troisieme);
    ASSERT_TRUE(classer(form, hot(QStringLiteral("IMG_0003.jpeg"))));

    struct Attendu {
        QString cle, nom, prenom, camera;
        QByteArray octets;
    };
    for (const Attendu& a : {Attendu{bernard, QStringLiteral("Bernard"), QStringLiteral("Léa"), QStringLiteral("IMG_0001.JPG"), premiere},
                             Attendu{durand, QStringLiteral("Durand"), QStringLiteral("Tom"), QStringLiteral("IMG_0002.jpg"), deuxieme},
                             Attendu{martin, QStringLiteral("Martin"), QStringLiteral("Paul"), QStringLiteral("IMG_0003.jpeg"), troisieme}}) {
        SCOPED_TRACE(a.nom.toStdString());
        const QImage image(paths::join(dossierEtab(), {a.cle + QStringLiteral(".jpg")}));
        ASSERT_FALSE(image.isNull());
        // Turned clockwise: the red top-left corner of the camera picture is now top-right.
        EXPECT_EQ(image.size(), QSize(267, 400));
        EXPECT_GT(qRed(image.pixel(image.width() - 20, 20)), 200);
        EXPECT_LT(qGreen(image.pixel(image.width() - 20, 20)), 80);
        EXPECT_GT(qGreen(image.pixel(20, 20)), 200);
        EXPECT_EQ(lire(paths::onDrive({QStringLiteral("labohd"), etat::NomEtabEnCours,
                                       QStringLiteral("6Axsepx%1xsepx%2xsepx.jpg").arg(a.nom, a.prenom)})),
                  a.octets);
        const QString copie = QStringLiteral("%1 %2.jpg").arg(a.nom, a.prenom);
        EXPECT_TRUE(QFile::exists(paths::join(etat::CheminDonnees, {etat::NomEtabEnCours + QStringLiteral(" BR"), copie})));
        EXPECT_TRUE(QFile::exists(
            paths::join(etat::CheminDonnees, {etat::NomEtabEnCours + QStringLiteral(" BR3"), QStringLiteral("6A"), copie})));
        EXPECT_EQ(colonne(a.cle, QStringLiteral("NomPhoto")), a.camera);
    }
    EXPECT_TRUE(QDir(etat::DossierHot).entryList(QDir::Files | QDir::Hidden).isEmpty());
    for (int slot = 0; slot < 3; ++slot)
        EXPECT_FALSE(controle<Vignette>(form, QStringLiteral("Photo_%1").arg(slot))->image().isNull()) << slot;

    // The end of the class stops and disarms everything, as Stop does.
    EXPECT_FALSE(form.findChild<QTimer*>(QStringLiteral("TimerHot"))->isActive());
    EXPECT_FALSE(controle<QRadioButton>(form, QStringLiteral("OptionMain_0"))->isChecked());
    EXPECT_FALSE(controle<QPushButton>(form, QStringLiteral("Bt_Start_1"))->isEnabled());
    EXPECT_TRUE(menu(form, QStringLiteral("MNU_Export"))->isEnabled());
    EXPECT_TRUE(menu(form, QStringLiteral("MNU_Net_hot"))->isEnabled());
    EXPECT_FALSE(menu(form, QStringLiteral("MNU_Test_Prise_vue"))->isEnabled());
    for (int slot = 0; slot < 3; ++slot)
        EXPECT_FALSE(enRouge(form, slot)) << slot;
}

TEST_F(ChoixClasse, UnFichierQuiNEstPasUnePhotoEntiereNEstJamaisClasse)
{
    const QString cle = eleve(QStringLiteral("6A"), QStringLiteral("Bernard"), QStringLiteral("Léa"));
    ::ChoixClasse& form = ouvrirClasse(QStringLiteral("6A"));
    QTest::mouseClick(controle(form, QStringLiteral("OptionMain_1")), Qt::LeftButton);
    cliquer(form, 0);
    const QString picture = paths::join(dossierEtab(), {cle + QStringLiteral(".jpg")});
    auto* timer = form.findChild<QTimer*>(QStringLiteral("TimerHot"));

    const QString nonClassees = paths::onDrive({QStringLiteral("labohd"), etat::NomEtabEnCours, QStringLiteral("non classées")});

    // Cut short: it lacks its end marker, so it is waited for a while, then
    // told and set aside, and the capture goes on.
    const QByteArray entier = jpeg();
    const QString coupe = hot(QStringLiteral("A_coupe.jpg"));
    Sandbox::writeFile(coupe, entier.left(entier.size() * 2 / 3));
    QSignalSpy classements(&prise(form), &PriseDeVue::avancement);
    for (int i = 0; i < 5; ++i)
        prise(form).TimerHot_Timer();
    EXPECT_TRUE(classements.isEmpty()) << "a filing started on a file cut short";
    EXPECT_FALSE(QFile::exists(picture));
    EXPECT_TRUE(timer->isActive());
    dialogues_.message(QStringLiteral("A_coupe.jpg"));
    ASSERT_TRUE(classer(form, coupe));

    // Whole but not a picture: the same.
    const QString faux = hot(QStringLiteral("B_faux.jpg"));
    Sandbox::writeFile(faux, QByteArray("ceci n'est pas une photo\xff\xd9"));
    dialogues_.message(QStringLiteral("B_faux.jpg"));
    ASSERT_TRUE(classer(form, faux));
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Exclamation);
    EXPECT_TRUE(dialogues_.lastPrompt().text.contains(QDir::toNativeSeparators(nonClassees)));
    EXPECT_EQ(lire(paths::join(nonClassees, {QStringLiteral("B_faux.jpg")})), QByteArray("ceci n'est pas une photo\xff\xd9"));
    EXPECT_TRUE(QFileInfo::exists(paths::join(nonClassees, {QStringLiteral("A_coupe.jpg")})));
    EXPECT_FALSE(QFile::exists(picture));
    EXPECT_EQ(colonne(cle, QStringLiteral("NomPhoto")), QString());
    EXPECT_TRUE(enRouge(form, 0));
    EXPECT_TRUE(QDir(paths::onDrive({QStringLiteral("labohd"), etat::NomEtabEnCours}))
                    .entryList(QDir::Files).isEmpty());
}

TEST_F(ChoixClasse, LaQuestionDeRemplacementVientAvantTouteEcriture)
{
    for (const Answer reponse : {Answer::No, Answer::Yes}) {
        SCOPED_TRACE(reponse == Answer::No ? "Non" : "Oui");
        const QString cle = eleve(QStringLiteral("6A"), QStringLiteral("Bernard"), QStringLiteral("Léa"));
        base::db().exec(QStringLiteral("UPDATE Eleves SET NomPhoto = 'ANCIENNE.JPG' WHERE CdeEleves = ?"), {cle.toLongLong()});
        const capture::Destinations d =
            capture::destinations(dossiers_etab::de(etat::NomEtabEnCours), QStringLiteral("6A"),
                                  QStringLiteral("Bernard"), QStringLiteral("Léa"), cle);
        const QByteArray ancienne = jpeg({300, 300});
        for (const QString& fichier : {d.archive, d.picture, d.lowRes, d.lowRes3})
            Sandbox::writeFile(fichier, ancienne);

        ::ChoixClasse& form = marquerEleve(QStringLiteral("6A"));
        const QString camera = hot(QStringLiteral("IMG_0100.JPG"));
        const QByteArray nouvelle = jpeg();
        Sandbox::writeFile(camera, nouvelle);
        const QString miseDeCote = paths::join(d.unfiled, {QStringLiteral("IMG_0100.JPG")});
        dialogues_.message(QStringLiteral("Souhaitez vous remplacer l'image existante ?"), reponse);
        if (reponse == Answer::Yes)
            dialogues_.message(QStringLiteral("Fin"));
        else
            dialogues_.message(QStringLiteral("n'a pas remplacé celle de Bernard Léa : elle n'a pas été classée. Elle a été "
                                              "mise de côté dans « %1 ». La prochaine photo ira à Bernard Léa.")
                                   .arg(QDir::toNativeSeparators(miseDeCote)));
        ASSERT_TRUE(classer(form, camera));

        if (reponse == Answer::No) {
            for (const QString& fichier : {d.archive, d.picture, d.lowRes, d.lowRes3})
                EXPECT_EQ(lire(fichier), ancienne) << fichier.toStdString();
            EXPECT_EQ(colonne(cle, QStringLiteral("NomPhoto")), QStringLiteral("ANCIENNE.JPG"));
            // Nothing is lost, and nobody else can get it: it left the watched folder.
            EXPECT_EQ(lire(miseDeCote), nouvelle);
            EXPECT_FALSE(QFile::exists(camera));
            EXPECT_TRUE(form.findChild<QTimer*>(QStringLiteral("TimerHot"))->isActive());
            EXPECT_TRUE(enRouge(form, 0));
        } else {
            EXPECT_EQ(lire(d.archive), nouvelle);
            EXPECT_EQ(QImage(d.picture).size(), QSize(267, 400));
            EXPECT_EQ(colonne(cle, QStringLiteral("NomPhoto")), QStringLiteral("IMG_0100.JPG"));
            EXPECT_FALSE(QFile::exists(camera));
        }
        form.unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // A fresh establishment: the names' numbers go with the students.
        base::db().exec(QStringLiteral("DELETE FROM Eleves"));
        base::db().exec(QStringLiteral("DELETE FROM NumerosPhotos"));
        QFile::remove(camera);
    }
}

TEST_F(ChoixClasse, UneNouvellePriseRefuseeNEstJamaisDonneeAUnAutreEleve)
{
    // Both students were photographed already; the archive cannot set anything aside.
    const QString noms[2] = {QStringLiteral("Alpha"), QStringLiteral("Bravo")};
    const QString prenoms[2] = {QStringLiteral("Anne"), QStringLiteral("Benoît")};
    const QByteArray anciennes[2] = {jpeg({300, 300}), jpeg({330, 330})};
    QString cles[2];
    capture::Destinations d[2];
    for (int i = 0; i < 2; ++i) {
        cles[i] = eleve(QStringLiteral("6A"), noms[i], prenoms[i]);
        base::db().exec(QStringLiteral("UPDATE Eleves SET NomPhoto = 'ANCIENNE.JPG' WHERE CdeEleves = ?"),
                        {cles[i].toLongLong()});
        d[i] = capture::destinations(dossiers_etab::de(etat::NomEtabEnCours), QStringLiteral("6A"), noms[i], prenoms[i],
                                     cles[i]);
        for (const QString& fichier : {d[i].archive, d[i].picture, d[i].lowRes, d[i].lowRes3})
            Sandbox::writeFile(fichier, anciennes[i]);
    }
    ASSERT_TRUE(QDir().mkpath(d[0].unfiled));
    std::optional<ReadOnlyFolder> bloque(std::in_place, d[0].unfiled);
    ASSERT_TRUE(bloque->active());
    const QString camera = hot(QStringLiteral("IMG_0100.JPG"));
    const QByteArray nouvelle = jpeg();
    const QString nonClassees = QDir::toNativeSeparators(d[0].unfiled);
    const QString arret = QStringLiteral("La photo « %1 » n'a pas remplacé celle de Alpha Anne : elle n'a pas été classée.\n"
                                         "Elle n'a pas pu être mise de côté dans « %2 » : le dossier « %2 » est en lecture "
                                         "seule.\nLa prise de vues est arrêtée")
                              .arg(QDir::toNativeSeparators(camera), nonClassees);

    ::ChoixClasse& form = marquerEleve(QStringLiteral("6A"), 0);
    auto* timer = form.findChild<QTimer*>(QStringLiteral("TimerHot"));
    Sandbox::writeFile(camera, nouvelle);
    dialogues_.message(QStringLiteral("Souhaitez vous remplacer l'image existante ?"), Answer::No).message(arret);
    ASSERT_TRUE(classer(form, camera));
    EXPECT_TRUE(dialogues_.allAnswered());
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_FALSE(timer->isActive());
    EXPECT_TRUE(enRouge(form, 0)) << "the student who got nothing stays marked";
    EXPECT_EQ(lire(camera), nouvelle);

    // Another photographed student marked: the declined picture is never offered to them.
    dialogues_.message(arret);
    cliquer(form, 1);
    ASSERT_TRUE(classer(form, camera));
    EXPECT_TRUE(dialogues_.allAnswered());
    EXPECT_TRUE(enRouge(form, 1));

    // Once the archive takes it, it is set aside and the shoot goes on.
    bloque.reset();
    dialogues_.message(QStringLiteral("n'a pas remplacé celle de Alpha Anne : elle n'a pas été classée. Elle a été mise de "
                                      "côté dans « %1 ». La prochaine photo ira à Bravo Benoît.")
                           .arg(QDir::toNativeSeparators(paths::join(d[0].unfiled, {QStringLiteral("IMG_0100.JPG")}))));
    cliquer(form, 1);
    ASSERT_TRUE(classer(form, camera));
    EXPECT_TRUE(dialogues_.allAnswered());
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(lire(paths::join(d[0].unfiled, {QStringLiteral("IMG_0100.JPG")})), nouvelle);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(noms[i].toStdString());
        for (const QString& fichier : {d[i].archive, d[i].picture, d[i].lowRes, d[i].lowRes3})
            EXPECT_EQ(lire(fichier), anciennes[i]) << fichier.toStdString();
        EXPECT_EQ(colonne(cles[i], QStringLiteral("NomPhoto")), QStringLiteral("ANCIENNE.JPG"));
    }
}

// DUPONT Émile of 5C, and two of 5D (one typed "Dupont Emile" with the accent as
// a second character): each keeps his own picture in every folder, under names
// that the first one's files never change, and no question can lose one of them.
TEST_F(ChoixClasse, DesHomonymesGardentChacunSaPhotoPartout)
{
    const QString emile = QStringLiteral("Émile");
    struct {
        QString classe, nom, prenom, cle;
        const char* camera;
        QSize taille;
        const char* lowRes;
        const char* archive;
    } eleves[] = {
        {QStringLiteral("5C"), QStringLiteral("DUPONT"), emile, {}, "IMG_0001.JPG", {600, 400}, "DUPONT Émile.jpg",
         "5CxsepxDUPONTxsepxÉmilexsepx.jpg"},
        {QStringLiteral("5D"), QStringLiteral("DUPONT"), emile, {}, "IMG_0002.JPG", {900, 600}, "DUPONT Émile_2.jpg",
         "5DxsepxDUPONTxsepxÉmilexsepx_2.jpg"},
        {QStringLiteral("5D"), QStringLiteral("Dupont"), QStringLiteral("E\u0301mile"), {}, "IMG_0003.JPG", {300, 200},
         "Dupont E\u0301mile_3.jpg", "5DxsepxDupontxsepxE\u0301milexsepx_3.jpg"},
    };
    for (auto& e : eleves)
        e.cle = eleve(e.classe, e.nom, e.prenom);

    for (const QString& classe : {QStringLiteral("5C"), QStringLiteral("5D")}) {
        ::ChoixClasse& form = marquerEleve(classe);
        for (const auto& e : eleves) {
            if (e.classe != classe)
                continue;
            Sandbox::writeFile(hot(QString::fromLatin1(e.camera)), jpeg(e.taille));
            if (&e == &eleves[0] || &e == &eleves[2])
                dialogues_.message(QStringLiteral("Fin"));
            ASSERT_TRUE(classer(form, hot(QString::fromLatin1(e.camera))));
        }
        form.unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_TRUE(dialogues_.allAnswered());

    const QString br = dossierEtab() + QStringLiteral(" BR");
    const QString archive = paths::onDrive({QStringLiteral("labohd"), etat::NomEtabEnCours});
    QSet<QByteArray> photos;
    for (const auto& e : eleves) {
        SCOPED_TRACE(e.camera);
        const QByteArray travail = lire(paths::join(dossierEtab(), {e.cle + QStringLiteral(".jpg")}));
        photos.insert(travail);
        EXPECT_EQ(lire(paths::join(br, {QString::fromUtf8(e.lowRes)})), travail);
        EXPECT_EQ(lire(paths::join(dossierEtab() + QStringLiteral(" BR3"), {e.classe, QString::fromUtf8(e.lowRes)})),
                  travail);
        EXPECT_EQ(lire(paths::join(archive, {QString::fromUtf8(e.archive)})), jpeg(e.taille));
        EXPECT_EQ(colonne(e.cle, QStringLiteral("NomPhoto")), QString::fromLatin1(e.camera));
    }
    EXPECT_EQ(photos.size(), 3);
    EXPECT_EQ(QDir(br).entryList(QDir::Files).size(), 3);
    EXPECT_FALSE(QFileInfo::exists(paths::join(archive, {QStringLiteral("remplacées")})));
}

// The earlier of two photographed namesakes leaves the school: the other keeps
// his number, so a new shot replaces his own picture, never the one the deleted
// student left under the plain names, and a class move takes his own files.
TEST_F(ChoixClasse, UnHomonymeGardeSonNumeroQuandLePremierEstSupprime)
{
    const QString emile = QStringLiteral("Émile");
    eleve(QStringLiteral("5C"), QStringLiteral("DUPONT"), emile);
    const QString second = eleve(QStringLiteral("5D"), QStringLiteral("DUPONT"), emile);
    const QByteArray premiere = jpeg({600, 400}), deuxieme = jpeg({900, 600}), nouvelle = jpeg({300, 200});
    const auto photographier = [&](const QString& classe, const char* camera, const QByteArray& photo) {
        ::ChoixClasse& form = marquerEleve(classe);
        Sandbox::writeFile(hot(QString::fromLatin1(camera)), photo);
        ASSERT_TRUE(classer(form, hot(QString::fromLatin1(camera))));
        form.unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    dialogues_.message(QStringLiteral("Fin"));
    photographier(QStringLiteral("5C"), "IMG_0001.JPG", premiere);
    dialogues_.message(QStringLiteral("Fin"));
    photographier(QStringLiteral("5D"), "IMG_0002.JPG", deuxieme);

    ::ChoixClasse& form = ouvrirClasse(QStringLiteral("5C"));
    cliquer(form, 0, Qt::RightButton);
    dialogues_.message(QStringLiteral("sera supprimé définitivement"));
    menu(form, QStringLiteral("MNU_Sup_Eleve"))->trigger();
    form.unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    dialogues_.message(QStringLiteral("Souhaitez vous remplacer l'image existante ?"), Answer::Yes);
    dialogues_.message(QStringLiteral("Fin"));
    photographier(QStringLiteral("5D"), "IMG_0003.JPG", nouvelle);
    EXPECT_TRUE(dialogues_.allAnswered());
    const QString archive = paths::onDrive({QStringLiteral("labohd"), etat::NomEtabEnCours});
    const QString br = dossierEtab() + QStringLiteral(" BR");
    EXPECT_EQ(lire(paths::join(archive, {QStringLiteral("5CxsepxDUPONTxsepxÉmilexsepx.jpg")})), premiere);
    EXPECT_EQ(lire(paths::join(archive, {QStringLiteral("5DxsepxDUPONTxsepxÉmilexsepx_2.jpg")})), nouvelle);
    const QByteArray travail = lire(paths::join(dossierEtab(), {second + QStringLiteral(".jpg")}));
    EXPECT_EQ(lire(paths::join(br, {QStringLiteral("DUPONT Émile_2.jpg")})), travail);
    EXPECT_NE(lire(paths::join(br, {QStringLiteral("DUPONT Émile.jpg")})), travail);

    const roster::Eleve deplace{second, QStringLiteral("5D"), QStringLiteral("DUPONT"), emile, {}};
    const changement_classe::Issue issue = changement_classe::deplacer(deplace, QStringLiteral("5D"), QStringLiteral("5E"));
    EXPECT_EQ(issue.refus, QString());
    EXPECT_EQ(lire(paths::join(archive, {QStringLiteral("5ExsepxDUPONTxsepxÉmilexsepx_2.jpg")})), nouvelle);
    EXPECT_EQ(lire(paths::join(dossierEtab() + QStringLiteral(" BR3"), {QStringLiteral("5E"), QStringLiteral("DUPONT Émile_2.jpg")})),
              travail);
    EXPECT_FALSE(QFileInfo::exists(paths::join(archive, {QStringLiteral("5DxsepxDUPONTxsepxÉmilexsepx_2.jpg")})));
}

TEST_F(ChoixClasse, SeulUnClicGaucheAvecUnePositionDeMainMarqueLEleveSuivant)
{
    for (const char* nom : {"Alpha", "Bravo", "Charlie"})
        eleve(QStringLiteral("6A"), QString::fromLatin1(nom), QStringLiteral("X"));
    ::ChoixClasse& form = ouvrirClasse(QStringLiteral("6A"));
    auto* timer = form.findChild<QTimer*>(QStringLiteral("TimerHot"));

    dialogues_.message(QStringLiteral("Vous devez préciser si vous shootez MAIN DROITE EN BAS ou MAIN DROITE EN HAUT"));
    cliquer(form, 1);
    EXPECT_FALSE(enRouge(form, 1));
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(menu(form, QStringLiteral("MNU_Test_Prise_vue"))->isEnabled());

    QTest::mouseClick(controle(form, QStringLiteral("OptionMain_0")), Qt::LeftButton);
    cliquer(form, 1);
    EXPECT_TRUE(enRouge(form, 1));
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(menu(form, QStringLiteral("MNU_Test_Prise_vue"))->isEnabled());
    EXPECT_FALSE(menu(form, QStringLiteral("MNU_Net_hot"))->isEnabled());

    // A right click opens the student menu and leaves the mark where it is.
    cliquer(form, 2, Qt::RightButton);
    EXPECT_TRUE(controle<QMenu>(form, QStringLiteral("MNU_POPUP_ELEVES"))->isVisible());
    controle<QMenu>(form, QStringLiteral("MNU_POPUP_ELEVES"))->hide();
    EXPECT_TRUE(enRouge(form, 1));
    EXPECT_FALSE(enRouge(form, 2));

    // Stop leaves no student marked and gives the menus back.
    QTest::mouseClick(controle(form, QStringLiteral("Bt_Start_1")), Qt::LeftButton);
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(enRouge(form, 1));
    EXPECT_TRUE(menu(form, QStringLiteral("MNU_Export"))->isEnabled());
    EXPECT_TRUE(menu(form, QStringLiteral("MNU_Final"))->isEnabled());
}

TEST_F(ChoixClasse, UnTopClasseLaPhotoDeLElevePrisAuDepart)
{
    const QString alpha = eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("X"));
    const QString bravo = eleve(QStringLiteral("6A"), QStringLiteral("Bravo"), QStringLiteral("X"));
    eleve(QStringLiteral("6A"), QStringLiteral("Charlie"), QStringLiteral("X"));
    ::ChoixClasse& form = marquerEleve(QStringLiteral("6A"));
    const QString camera = hot(QStringLiteral("IMG_0300.JPG"));
    unTour(form); // the watched folder is watched before the picture lands
    Sandbox::writeFile(camera, jpeg());
    prise(form).TimerHot_Timer(); // the watched folder is looked at off the window's thread
    cliquer(form, 2);             // the photographer moves the mark meanwhile
    ASSERT_TRUE(classer(form, camera));
    EXPECT_TRUE(QFile::exists(paths::join(dossierEtab(), {alpha + QStringLiteral(".jpg")})));
    EXPECT_EQ(colonne(alpha, QStringLiteral("NomPhoto")), QStringLiteral("IMG_0300.JPG"));
    EXPECT_EQ(colonne(bravo, QStringLiteral("NomPhoto")), QString());
    // The mark stays where the photographer put it.
    EXPECT_TRUE(enRouge(form, 2));
    EXPECT_FALSE(enRouge(form, 1));
}

TEST_F(ChoixClasse, LaPhotoDEssaiVaDansLeDossierSurveilleEnService)
{
    eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("X"));
    etat::DossierHot = paths::onDrive({QStringLiteral("camera")}) + u'/';
    ASSERT_TRUE(paths::ensureFolder(etat::DossierHot));
    ::ChoixClasse& form = marquerEleve(QStringLiteral("6A"));
    QTest::mouseClick(controle(form, QStringLiteral("Bt_Start_1")), Qt::LeftButton);
    EXPECT_FALSE(menu(form, QStringLiteral("MNU_Test_Prise_vue"))->isEnabled());
    cliquer(form, 0);

    menu(form, QStringLiteral("MNU_Test_Prise_vue"))->trigger();
    EXPECT_EQ(lire(hot(QStringLiteral("test.jpg"))), lire(paths::join(sandbox_.programDir(), {QStringLiteral("test.jpg")})));
    EXPECT_FALSE(lire(hot(QStringLiteral("test.jpg"))).isEmpty());
    EXPECT_EQ(QDir(etat::DossierHot).entryList(QDir::Files).size(), 1);
    EXPECT_TRUE(form.findChild<QTimer*>(QStringLiteral("TimerHot"))->isActive());

    QFile::remove(paths::join(sandbox_.programDir(), {QStringLiteral("test.jpg")}));
    dialogues_.message(QStringLiteral("test.jpg"));
    menu(form, QStringLiteral("MNU_Test_Prise_vue"))->trigger();
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
}

TEST_F(ChoixClasse, PurgeEtNettoyageNeSupprimentQueLeursFichiers)
{
    ::ChoixClasse& form = formInstance<::ChoixClasse>();
    form.showForm();
    auto remplir = [] {
        for (const char* nom : {"IMG_1.JPG", "IMG_2.jpg.tmp", "note.txt"})
            Sandbox::writeFile(hot(QString::fromLatin1(nom)), "x");
        ASSERT_TRUE(paths::ensureFolder(hot(QStringLiteral("sous-dossier"))));
    };
    auto contenu = [] { return QDir(etat::DossierHot).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name); };

    remplir();
    menu(form, QStringLiteral("MNU_Net_hot"))->trigger();
    EXPECT_EQ(contenu(), QStringList({QStringLiteral("IMG_1.JPG"), QStringLiteral("note.txt"), QStringLiteral("sous-dossier")}));

    const QString question = QStringLiteral("ATTENTION, toutes les photos en attente dans le hotfolder seront supprimées");
    dialogues_.message(question, Answer::Cancel);
    menu(form, QStringLiteral("MNU_Purge_Hot"))->trigger();
    EXPECT_EQ(contenu().size(), 3);
    EXPECT_EQ(dialogues_.lastPrompt().title, QStringLiteral("Purge du Hotfolder"));

    dialogues_.message(question, Answer::Ok);
    menu(form, QStringLiteral("MNU_Purge_Hot"))->trigger();
    EXPECT_EQ(contenu(), QStringList({QStringLiteral("sous-dossier")}));

    // Files that cannot be removed are named.
    remplir();
    const ReadOnlyFolder lectureSeule(etat::DossierHot);
    if (!lectureSeule.active())
        return;
    dialogues_.message(QStringLiteral("Ces fichiers n'ont pas pu être supprimés du dossier"));
    menu(form, QStringLiteral("MNU_Net_hot"))->trigger();
    EXPECT_TRUE(dialogues_.lastPrompt().text.endsWith(QStringLiteral(":\nIMG_2.jpg.tmp")));
    dialogues_.message(question, Answer::Ok).message(QStringLiteral("IMG_1.JPG\nIMG_2.jpg.tmp\nnote.txt"));
    menu(form, QStringLiteral("MNU_Purge_Hot"))->trigger();
}

TEST_F(ChoixClasse, LImportManuelClasseLesPhotosSansLesTourner)
{
    const QString cle = eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("X"));
    ::ChoixClasse& form = ouvrirClasse(QStringLiteral("6A"));
    menu(form, QStringLiteral("MNU_Sans_PC"))->trigger();
    EXPECT_TRUE(prise(form).importManuel());
    EXPECT_TRUE(controle(form, QStringLiteral("LabelImpotrMan"))->isVisible());
    EXPECT_FALSE(controle(form, QStringLiteral("OptionMain_0"))->isEnabled());
    ASSERT_EQ(shell_.requests().size(), 1u);
    EXPECT_EQ(shell_.requests()[0].target, etat::DossierHot);

    cliquer(form, 0);
    const QString camera = hot(QStringLiteral("scan.jpg"));
    Sandbox::writeFile(camera, jpeg());
    dialogues_.message(QStringLiteral("Fin"));
    ASSERT_TRUE(classer(form, camera));
    EXPECT_EQ(QImage(paths::join(dossierEtab(), {cle + QStringLiteral(".jpg")})).size(), QSize(400, 267));
    // The end of the class leaves the manual import.
    EXPECT_FALSE(prise(form).importManuel());
    EXPECT_FALSE(controle(form, QStringLiteral("LabelImpotrMan"))->isVisible());
}

// The manual import belongs to the screen that turned it on: the next screen
// asks for the hand position again, and never files pictures unturned under
// a band that does not say so.
TEST_F(ChoixClasse, UnImportManuelFinitAvecSonEcran)
{
    eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("X"));
    ::ChoixClasse& premier = ouvrirClasse(QStringLiteral("6A"));
    menu(premier, QStringLiteral("MNU_Sans_PC"))->trigger();
    premier.unload();

    ::ChoixClasse& suivant = ouvrirClasse(QStringLiteral("6A"));
    EXPECT_FALSE(prise(suivant).importManuel());
    EXPECT_FALSE(controle(suivant, QStringLiteral("LabelImpotrMan"))->isVisible());
    dialogues_.message(
        QStringLiteral("Vous devez préciser si vous shootez MAIN DROITE EN BAS ou MAIN DROITE EN HAUT"));
    cliquer(suivant, 0);
    EXPECT_FALSE(prise(suivant).enCours());
}

TEST_F(ChoixClasse, LAProposLaisseLaPriseDeVueEnLEtat)
{
    eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("X"));
    ::ChoixClasse& form = marquerEleve(QStringLiteral("6A"));
    menu(form, QStringLiteral("MNU_Propos"))->trigger();
    ASSERT_NE(existingForm<Propos>(), nullptr);
    // The photographer goes back and forth between the two windows, then closes the box.
    for (int allerRetour = 0; allerRetour < 2; ++allerRetour) {
        form.activateFromUser();
        existingForm<Propos>()->activateFromUser();
    }
    existingForm<Propos>()->unload();
    form.activateFromUser();
    EXPECT_TRUE(form.findChild<QTimer*>(QStringLiteral("TimerHot"))->isActive());
    EXPECT_TRUE(enRouge(form, 0));
    EXPECT_FALSE(controle(form, QStringLiteral("Bt_Classe_0"))->isVisible());
}

TEST_F(ChoixClasse, LesBoutonsDeClassePartentDUnCoupEtReviennentUneFoisParClasse)
{
    for (const char* classe : {"6A", "6B", "5C"})
        eleve(QString::fromLatin1(classe), QStringLiteral("Seul"), QStringLiteral("Sam"));
    ::ChoixClasse& form = formInstance<::ChoixClasse>();
    form.showForm();
    QPushButton* choisi = controle<QPushButton>(form, QStringLiteral("Bt_Classe_1"));
    ASSERT_EQ(choisi->text(), QStringLiteral("6A"));

    // Before the event loop deletes them, no button is left to see or to find by name.
    QTest::mouseClick(choisi, Qt::LeftButton);
    for (QPushButton* bouton : form.findChildren<QPushButton*>()) {
        if (bouton->objectName().startsWith(QStringLiteral("Bt_Classe_"))) {
            EXPECT_FALSE(bouton->isVisible()) << bouton->objectName().toStdString();
        }
    }
    EXPECT_EQ(form.findChild<QPushButton*>(QStringLiteral("Bt_Classe_2")), nullptr);

    menu(form, QStringLiteral("MNU_Changer"))->trigger();
    const QStringList attendues{QStringLiteral("5C"), QStringLiteral("6A"), QStringLiteral("6B")};
    for (int i = 0; i < attendues.size(); ++i) {
        const auto boutons = form.findChildren<QPushButton*>(QStringLiteral("Bt_Classe_%1").arg(i));
        ASSERT_EQ(boutons.size(), 1) << i;
        EXPECT_TRUE(boutons.front()->isVisible()) << i;
        EXPECT_EQ(boutons.front()->text(), attendues[i]);
    }
}

TEST_F(ChoixClasse, SeuleUnePlanchePlusGrandeQueLaFenetreDefile)
{
    eleve(QStringLiteral("5B"), QStringLiteral("Seul"), QStringLiteral("Sam"));
    for (int i = 0; i < 35; ++i)
        eleve(QStringLiteral("6A"), QStringLiteral("Nom%1").arg(i), QStringLiteral("Prénom%1").arg(i));
    ::ChoixClasse& form = ouvrirClasse(QStringLiteral("5B"));
    EXPECT_EQ(controle<QScrollBar>(form, QStringLiteral("VScroll1"))->maximum(), 0);

    menu(form, QStringLiteral("MNU_Changer"))->trigger();
    ouvrirClasse(QStringLiteral("6A"));
    auto* defilement = controle<QScrollBar>(form, QStringLiteral("VScroll1"));
    EXPECT_GT(defilement->maximum(), 0);
    // The last row can be brought into view.
    defilement->setValue(defilement->maximum());
    QWidget* dernier = controle(form, QStringLiteral("LabelRecupNom_34"));
    QWidget* zone = controle(form, QStringLiteral("ZoneImages"));
    const QRect vu(dernier->mapTo(zone, QPoint(0, 0)), dernier->size());
    EXPECT_TRUE(QRect(QPoint(0, 0), zone->size()).contains(vu)) << vu.y();
}

TEST_F(ChoixClasse, FermerRevientALaFenetrePrincipale)
{
    ::ChoixClasse& form = formInstance<::ChoixClasse>();
    form.showForm();
    EXPECT_EQ(controle<QLabel>(form, QStringLiteral("LabelNom"))->text(), QStringLiteral("Ecole Test"));
    QTest::mouseClick(controle(form, QStringLiteral("Bt_Quitter_2")), Qt::LeftButton);
    EXPECT_EQ(existingForm<::ChoixClasse>(), nullptr);
    ASSERT_NE(existingForm<Accueil>(), nullptr);
    EXPECT_TRUE(existingForm<Accueil>()->isVisible());
}

TEST_F(ChoixClasse, UnePositionDeMainChoisieAvantRearmeLEcran)
{
    etat::SensPriseDeVue = QStringLiteral("TeteDroite");
    ::ChoixClasse& form = formInstance<::ChoixClasse>();
    form.showForm();
    EXPECT_TRUE(controle<QRadioButton>(form, QStringLiteral("OptionMain_1"))->isChecked());
    EXPECT_TRUE(prise(form).prete());
    EXPECT_FALSE(menu(form, QStringLiteral("MNU_Export"))->isEnabled());
    EXPECT_FALSE(menu(form, QStringLiteral("MNU_AjoutEleve"))->isEnabled());
}

TEST_F(ChoixClasse, UnePriseNeCommenceJamaisSurUnDossierSurveilleQuElleNePeutVider)
{
    eleve(QStringLiteral("6A"), QStringLiteral("Bernard"), QStringLiteral("Léa"));
    const ReadOnlyFolder lectureSeule(etat::DossierHot);
    if (!lectureSeule.active())
        GTEST_SKIP() << "the watched folder cannot be made read-only";

    ::ChoixClasse& form = ouvrirClasse(QStringLiteral("6A"));
    QTest::mouseClick(controle(form, QStringLiteral("OptionMain_0")), Qt::LeftButton);
    dialogues_.message(QStringLiteral("n'est pas accessible en écriture : la prise de vues ne peut pas commencer"));
    cliquer(form, 0);

    EXPECT_FALSE(form.findChild<QTimer*>(QStringLiteral("TimerHot"))->isActive());
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
}

TEST_F(ChoixClasse, UnFichierDAppareilNommeDansUnAutreEncodageEstClasseSousLeNomAffiche)
{
    const QString cle = eleve(QStringLiteral("6A"), QStringLiteral("Bernard"), QStringLiteral("Léa"));
    const QByteArray brut = QFile::encodeName(etat::DossierHot) + "\xC9l\xE8ve.jpg"; // Latin-1, not UTF-8
    {
        const QByteArray octets = jpeg();
        const int fd = ::open(brut.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, octets.constData(), size_t(octets.size())), ssize_t(octets.size()));
        ::close(fd);
    }
    ::ChoixClasse& form = ouvrirClasse(QStringLiteral("6A"));
    dialogues_.message(QStringLiteral("Fin"));
    QTest::mouseClick(controle(form, QStringLiteral("OptionMain_0")), Qt::LeftButton);
    cliquer(form, 0);

    ASSERT_TRUE(QTest::qWaitFor([&] {
        prise(form).TimerHot_Timer();
        return camera_files::list(etat::DossierHot).empty();
    }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !colonne(cle, QStringLiteral("NomPhoto")).isEmpty(); }, 10000));
    EXPECT_EQ(colonne(cle, QStringLiteral("NomPhoto")), QFile::decodeName("\xC9l\xE8ve.jpg"));
    EXPECT_FALSE(QImage(paths::join(dossierEtab(), {cle + QStringLiteral(".jpg")})).isNull());
}

} // namespace
