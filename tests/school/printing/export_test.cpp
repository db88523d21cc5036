#include "common/paths.h"
#include "school/printing/form_export.h"
#include "school/printing/noms_export.h"
#include "school/data/base.h"
#include "school/data/noms_composes.h"
#include "school/printing/export_photos.h"
#include "tests/school/support/accueil_pilote.h"
#include "tests/school/support/pilote_fenetre.h"
#include "tests/school/support/school_fixture.h"
#include "tests/support/exfat_disk.h"
#include "tests/support/read_only_folder.h"
#include "tests/support/recording_shell.h"
#include "tests/support/renames_double.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/small_disk.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

using exportation::Champ;
using exportation::Motif;

TEST(NomsExport, ChaqueMotifDonneUnNomSur)
{
    const exportation::Eleve dupont{QStringLiteral("6A"), QStringLiteral("DUPONT"), QStringLiteral("Jean"),
                                    QStringLiteral("123"), QStringLiteral("N7"), QStringLiteral("7")};
    exportation::Eleve vide = dupont;
    vide.ine.clear();
    vide.numInterne.clear();
    vide.prenom.clear();
    exportation::Eleve dangereux = dupont;
    dangereux.ine = QStringLiteral("../../x");
    dangereux.nom = QStringLiteral("A\\B:C*D?E\"F<G>H|I");
    struct Cas {
        Motif motif;
        const exportation::Eleve& eleve;
        int position;
        const char* attendu;
    };
    const Cas cas[] = {
        {{Champ::INE, true, {}, Champ::Prenom}, dupont, 0, "123.jpg"},
        {{Champ::INE, true, {}, Champ::Prenom}, vide, 2, "INE inconnu_2.jpg"},
        {{Champ::NumInterne, true, {}, Champ::Prenom}, vide, 4, "Num_Interne_inconnu_4.jpg"},
        {{Champ::NumInterne, true, {}, Champ::Prenom}, dupont, 4, "N7.jpg"},
        {{Champ::Nom, false, QStringLiteral(" "), Champ::Prenom}, dupont, 0, "DUPONT Jean.jpg"},
        {{Champ::Prenom, false, QStringLiteral("."), Champ::Nom}, dupont, 0, "Jean.DUPONT.jpg"},
        {{Champ::Nom, false, QStringLiteral("_"), Champ::Prenom}, vide, 0, "DUPONT_.jpg"},
        {{Champ::INE, true, {}, Champ::Prenom}, dangereux, 0, ".._.._x.jpg"},
        {{Champ::Nom, false, QStringLiteral(";"), Champ::Nom}, dangereux, 0, "A_B_C_D_E_F_G_H_I;A_B_C_D_E_F_G_H_I.jpg"},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(exportation::nomFichier(c.motif, c.eleve, c.position), QString::fromUtf8(c.attendu)) << c.attendu;

    EXPECT_EQ(exportation::composant(QStringLiteral("..")), QString());
    EXPECT_EQ(exportation::composant(QStringLiteral(".")), QString());
    EXPECT_EQ(exportation::composant(QStringLiteral("6/A")), QStringLiteral("6_A"));

    // In one folder every name is its own, compared ignoring case.
    exportation::NomsUniques dossier{{QStringLiteral("Photos")}};
    const struct {
        const char* nom;
        const char* attribue;
    } noms[] = {
        {"photos", "photos_2"},       {"6_A", "6_A"},     {"6_a", "6_a_2"},           {"A.jpg", "A.jpg"},
        {"a.JPG", "a_2.JPG"},         {"A.jpg", "A_3.jpg"}, {"A_2.jpg", "A_2_2.jpg"},
        // An accent written as one character or as two is one name.
        {"Durand Zo\u00e9.jpg", "Durand Zo\u00e9.jpg"}, {"Durand Zoe\u0301.jpg", "Durand Zoe\u0301_2.jpg"},
        {"DURAND ZOE\u0301.jpg", "DURAND ZOE\u0301_3.jpg"},
    };
    for (const auto& n : noms)
        EXPECT_EQ(dossier.take(QString::fromUtf8(n.nom)), QString::fromUtf8(n.attribue)) << n.nom;
}

// An export the disk did not confirm, or that could not take the earlier
// one's place, is not said to be done. Unconfirmed, it never touched the
// earlier one; refused, the replacement's message alone says which stands.
TEST(MessageExport, UneExportationNonMiseEnPlaceNeSeDitPasFaite)
{
    const QString refus = QStringLiteral("Le dossier /Bureau/Exportation n'a pas pu être mis en place. Le dossier "
                                         "précédent n'a pas pu être remis à sa place : il attend sous le nom caché "
                                         "/Bureau/.Exportation.ancien, et sera remis en place au prochain essai.");
    const struct {
        exportation::Copieur::Bilan bilan;
        QString cause;
        bool intacte; // the earlier export is said to stand as it was
    } cas[] = {
        {{3, 3, 0, 0, false, {}}, QStringLiteral("n'a pas confirmé"), true},
        {{3, 3, 0, 0, true, refus}, refus, false},
    };
    for (const auto& c : cas) {
        const QString message = exportation::messageFin(c.bilan);
        EXPECT_TRUE(message.contains(c.cause)) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("Aucune photo n'a été exportée"))) << message.toStdString();
        EXPECT_FALSE(message.contains(QStringLiteral("ont été exportés"))) << message.toStdString();
        EXPECT_EQ(message.contains(QStringLiteral("est resté tel qu'il était")), c.intacte) << message.toStdString();
    }
}

class Export : public ::testing::Test, protected PiloteFenetre {
protected:
    Export() : PiloteFenetre([] { return existingForm<FormExport>(); }) {}

    QString exportation() { return paths::join(ecole.sandbox().desktop(), {QStringLiteral("Exportation")}); }

    FormExport& ouvrirExport()
    {
        accueil.ouvrir();
        accueil.menu(QStringLiteral("MNU_Logiciels"))->trigger();
        FormExport* form = existingForm<FormExport>();
        EXPECT_NE(form, nullptr);
        return *form;
    }
    bool actif(const char* nom) { return controle<QWidget>(nom)->isEnabled(); }
    // Every file under the desktop, relative to it.
    QStringList bureau()
    {
        QStringList fichiers;
        QDirIterator it(ecole.sandbox().desktop(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            fichiers << it.next().mid(ecole.sandbox().desktop().size() + 1);
        fichiers.sort();
        return fichiers;
    }
    void exporter()
    {
        QTest::mouseClick(controle<QPushButton>("Command2"), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([] { return existingForm<FormExport>() == nullptr; }, 10000));
    }
    void changerIne(qint64 cle, const QString& ine)
    {
        base::db().exec(QStringLiteral("UPDATE Eleves SET INE = ? WHERE CdeEleves = ?"), {ine, cle});
    }
    // Everything on the desktop, hidden entries included, without going down.
    QStringList entreesBureau()
    {
        return QDir(ecole.sandbox().desktop()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    void exporterParIne(const QString& message)
    {
        ouvrirExport();
        choisir("ComboNom", QStringLiteral("INE"));
        dialogues.message(message);
        exporter();
    }
    // Three exports in a row, each under other identifiers: each takes the
    // place of the one before, whole, and leaves nothing aside.
    void troisExportations()
    {
        const qint64 eleve = ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("A"));
        for (const QString& ine : {QStringLiteral("111"), QStringLiteral("222"), QStringLiteral("333")}) {
            SCOPED_TRACE(ine.toStdString());
            changerIne(eleve, ine);
            exporterParIne(QStringLiteral("1 photo(s) exportée(s) sur 1 élève(s)."));
            EXPECT_EQ(bureau(), (QStringList{QStringLiteral("Exportation/6A/") + ine + QStringLiteral(".jpg"),
                                             QStringLiteral("Exportation/Photos/") + ine + QStringLiteral(".jpg")}));
            EXPECT_EQ(entreesBureau(), QStringList{QStringLiteral("Exportation")});
            EXPECT_EQ(dialogues.lastPrompt().icon, dialogs::Icon::Information);
        }
    }

    SchoolFixture ecole;
    RecordingShell shell;
    ScriptedDialogs dialogues;
    AccueilPilote accueil;
};

TEST_F(Export, ListesActiveesDansLOrdreDuNom)
{
    ouvrirExport();
    EXPECT_EQ(existingForm<FormExport>()->windowTitle(), QStringLiteral("Exportation vers autres logiciels..."));
    EXPECT_TRUE(actif("ComboNom"));
    for (const char* nom : {"ComboPonctuation", "ComboPrenom", "Command2"})
        EXPECT_FALSE(actif(nom)) << nom;
    EXPECT_TRUE(controle<QProgressBar>("ProgressBar1")->isHidden());
    EXPECT_TRUE(existingForm<FormAccueil>()->isHidden());

    choisir("ComboNom", QStringLiteral("Nom"));
    EXPECT_TRUE(actif("ComboPonctuation"));
    EXPECT_FALSE(actif("ComboPrenom"));
    choisir("ComboPonctuation", QStringLiteral("_"));
    EXPECT_TRUE(actif("ComboPrenom"));
    EXPECT_FALSE(actif("Command2"));
    choisir("ComboPrenom", QStringLiteral("Prénom"));
    EXPECT_TRUE(actif("Command2"));

    choisir("ComboNom", QStringLiteral("INE"));
    EXPECT_FALSE(actif("ComboPonctuation"));
    EXPECT_FALSE(actif("ComboPrenom"));
    EXPECT_TRUE(actif("Command2"));

    // Back to a two-part name: "Ok" waits for the separator and the second part again.
    choisir("ComboNom", QStringLiteral("Nom"));
    EXPECT_FALSE(actif("Command2"));
    EXPECT_FALSE(actif("ComboPrenom"));
    choisir("ComboPonctuation", QStringLiteral(" "));
    choisir("ComboPrenom", QStringLiteral("Nom"));
    EXPECT_TRUE(actif("Command2"));

    // Closing writes nothing and brings the main window back.
    existingForm<FormExport>()->close();
    EXPECT_EQ(existingForm<FormExport>(), nullptr);
    EXPECT_FALSE(existingForm<FormAccueil>()->isHidden());
    EXPECT_TRUE(bureau().isEmpty());
}

TEST_F(Export, ParIneChaqueClasseEtPhotosSansRienPerdre)
{
    const qint64 a = ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("A"));
    const qint64 b = ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Bravo"), QStringLiteral("B"));
    const qint64 c = ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Charlie"), QStringLiteral("C"));
    const qint64 d = ecole.ajouterEleve(QStringLiteral("5B"), QStringLiteral("Delta"), QStringLiteral("D"));
    ecole.ajouterEleve(QStringLiteral("5B"), QStringLiteral("Echo"), QStringLiteral("E"), false); // no picture
    const qint64 f = ecole.ajouterEleve(QStringLiteral("../Terminale S'"), QStringLiteral("Fox"), QStringLiteral("F"));
    ecole.ajouterEleve(QString(), QStringLiteral("SansClasse"), QStringLiteral("G"));
    // A class named like the common folder gets a folder of its own.
    const qint64 h = ecole.ajouterEleve(QStringLiteral("Photos"), QStringLiteral("Hotel"), QStringLiteral("H"));
    for (qint64 cle : {a, c, d, h})
        changerIne(cle, QString());
    changerIne(b, QStringLiteral("123"));
    changerIne(f, QStringLiteral("a/b"));
    // An earlier export, with a file the user put there, goes away whole.
    Sandbox::writeFile(exportation() + QStringLiteral("/6A/vieux.jpg"), "x");

    ouvrirExport();
    choisir("ComboNom", QStringLiteral("INE"));
    dialogues.message(QStringLiteral("6 photo(s) exportée(s) sur 7 élève(s).\n1 élève(s) sans photo."));
    exporter();

    const QString racine = QStringLiteral("Exportation/");
    EXPECT_EQ(bureau(), (QStringList{
                            racine + QStringLiteral("../Terminale S'").replace(u'/', u'_') + QStringLiteral("/a_b.jpg"),
                            racine + QStringLiteral("5B/INE inconnu_0.jpg"),
                            racine + QStringLiteral("6A/123.jpg"),
                            racine + QStringLiteral("6A/INE inconnu_0.jpg"),
                            racine + QStringLiteral("6A/INE inconnu_2.jpg"),
                            racine + QStringLiteral("Photos/123.jpg"),
                            racine + QStringLiteral("Photos/INE inconnu_0.jpg"),
                            racine + QStringLiteral("Photos/INE inconnu_0_2.jpg"),
                            racine + QStringLiteral("Photos/INE inconnu_0_3.jpg"),
                            racine + QStringLiteral("Photos/INE inconnu_2.jpg"),
                            racine + QStringLiteral("Photos/a_b.jpg"),
                            racine + QStringLiteral("Photos_2/INE inconnu_0.jpg"),
                        }));
    const auto photo = [&](const QString& chemin) {
        return SchoolFixture::lire(paths::join(ecole.sandbox().desktop(), {chemin}));
    };
    // Classes in ascending order: 5B's Delta keeps the plain name, 6A's Alpha gets the suffix.
    EXPECT_EQ(photo(racine + QStringLiteral("Photos/INE inconnu_0.jpg")), SchoolFixture::lire(ecole.cheminPhoto(d)));
    EXPECT_EQ(photo(racine + QStringLiteral("Photos/INE inconnu_0_2.jpg")), SchoolFixture::lire(ecole.cheminPhoto(a)));
    EXPECT_EQ(photo(racine + QStringLiteral("Photos/INE inconnu_0_3.jpg")), SchoolFixture::lire(ecole.cheminPhoto(h)));
    EXPECT_EQ(photo(racine + QStringLiteral("6A/INE inconnu_0.jpg")), SchoolFixture::lire(ecole.cheminPhoto(a)));
    EXPECT_EQ(photo(racine + QStringLiteral("6A/INE inconnu_2.jpg")), SchoolFixture::lire(ecole.cheminPhoto(c)));
    EXPECT_EQ(photo(racine + QStringLiteral("Photos_2/INE inconnu_0.jpg")), SchoolFixture::lire(ecole.cheminPhoto(h)));
    EXPECT_EQ(dialogues.lastPrompt().icon, dialogs::Icon::Exclamation);
    EXPECT_TRUE(dialogues.lastPrompt().text.startsWith(
        QStringLiteral("Les fichiers ont été exportés sur le bureau, à l'intérieur du dossier : Exportation")));
    EXPECT_FALSE(existingForm<FormAccueil>()->isHidden());
}

// Namesakes and classes that name one folder each keep their own file and
// folder, and the closing message counts every picture written.
TEST_F(Export, HomonymesEtClassesSemblablesGardentChacunLeurFichier)
{
    const qint64 a = ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("DUPONT"), QStringLiteral("Jean"));
    const qint64 b = ecole.ajouterEleve(QStringLiteral("5B"), QStringLiteral("DUPONT"), QStringLiteral("Jean"));
    const qint64 c = ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("DUPONT"), QStringLiteral("Jean"));
    const qint64 d = ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Dupont"), QStringLiteral("JEAN"));
    const qint64 e = ecole.ajouterEleve(QStringLiteral("6/A"), QStringLiteral("Roy"), QStringLiteral("Luc"));
    const qint64 f = ecole.ajouterEleve(QStringLiteral("6_A"), QStringLiteral("Roy"), QStringLiteral("Luc"));
    ouvrirExport();
    choisir("ComboNom", QStringLiteral("Nom"));
    choisir("ComboPonctuation", QStringLiteral(" "));
    choisir("ComboPrenom", QStringLiteral("Prénom"));
    dialogues.message(QStringLiteral("Les fichiers ont été exportés sur le bureau, à l'intérieur du dossier : "
                                     "Exportation\n\n6 photo(s) exportée(s) sur 6 élève(s)."));
    exporter();

    // Classes in ascending order ("6_A" before "6/A"), students in key order:
    // the first keeps the plain name.
    const struct {
        const char* fichier;
        qint64 eleve;
    } attendus[] = {
        {"5B/DUPONT Jean.jpg", b},         {"6A/DUPONT Jean.jpg", a},         {"6A/DUPONT Jean_2.jpg", c},
        {"6A/Dupont JEAN_3.jpg", d},       {"6_A/Roy Luc.jpg", f},            {"6_A_2/Roy Luc.jpg", e},
        {"Photos/DUPONT Jean.jpg", b},     {"Photos/DUPONT Jean_2.jpg", a},   {"Photos/DUPONT Jean_3.jpg", c},
        {"Photos/Dupont JEAN_4.jpg", d},   {"Photos/Roy Luc.jpg", f},         {"Photos/Roy Luc_2.jpg", e},
    };
    QStringList fichiers;
    for (const auto& attendu : attendus) {
        fichiers << QStringLiteral("Exportation/") + QString::fromLatin1(attendu.fichier);
        EXPECT_TRUE(SchoolFixture::lire(exportation() + u'/' + QString::fromLatin1(attendu.fichier))
                    == SchoolFixture::lire(ecole.cheminPhoto(attendu.eleve)))
            << attendu.fichier;
    }
    EXPECT_EQ(bureau(), fichiers);
    EXPECT_EQ(dialogues.lastPrompt().icon, dialogs::Icon::Information);
}

// A picture whose copy fails is not counted as exported, and the message says so.
TEST_F(Export, UnePhotoQuiNePeutEtreCopieeEstDiteEtNonComptee)
{
    ecole.ajouterClasse(QStringLiteral("6A"), 2);
    const qint64 grande = ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Grand"), QStringLiteral("Format"));
    QImage bruit(400, 400, QImage::Format_RGB32);
    for (int y = 0; y < bruit.height(); ++y)
        for (int x = 0; x < bruit.width(); ++x)
            bruit.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * y) % 256, (x ^ y) % 256));
    ASSERT_TRUE(bruit.save(ecole.cheminPhoto(grande), "JPG", 100));
    const qint64 limite = 16 * 1024;
    ASSERT_GT(QFileInfo(ecole.cheminPhoto(grande)).size(), limite);
    ouvrirExport();
    choisir("ComboNom", QStringLiteral("N° Interne"));
    dialogues.message(QStringLiteral("\n\n2 photo(s) exportée(s) sur 3 élève(s).\n1 photo(s) n'ont pas pu être "
                                     "copiée(s)."));
    {
        const FileSizeLimit plafond(limite);
        testing::internal::CaptureStderr();
        exporter();
        testing::internal::GetCapturedStderr();
    }
    EXPECT_EQ(bureau().size(), 4);
    EXPECT_EQ(dialogues.lastPrompt().icon, dialogs::Icon::Exclamation);
}

// Namesakes from lists that spelled the accent two ways are one name once
// the start has composed them: the second gets "_2".
TEST_F(Export, DesHomonymesEcritsDeDeuxFaconsPrennentUnSuffixe)
{
    const QString compose = QStringLiteral("Zo\u00e9");
    const qint64 a = ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Durand"), compose);
    const qint64 b = ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Durand"), QStringLiteral("Zoe\u0301"));
    ASSERT_EQ(noms_composes::composer(base::db()), 1);
    ouvrirExport();
    choisir("ComboNom", QStringLiteral("Nom"));
    choisir("ComboPonctuation", QStringLiteral(" "));
    choisir("ComboPrenom", QStringLiteral("Prénom"));
    dialogues.message(QStringLiteral("2 photo(s) exportée(s) sur 2 élève(s)."));
    exporter();

    const QString premier = QStringLiteral("Durand ") + compose + QStringLiteral(".jpg");
    const QString second = QStringLiteral("Durand ") + compose + QStringLiteral("_2.jpg");
    EXPECT_EQ(bureau(), (QStringList{QStringLiteral("Exportation/6A/") + premier,
                                     QStringLiteral("Exportation/6A/") + second,
                                     QStringLiteral("Exportation/Photos/") + premier,
                                     QStringLiteral("Exportation/Photos/") + second}));
    EXPECT_EQ(SchoolFixture::lire(exportation() + QStringLiteral("/Photos/") + second),
              SchoolFixture::lire(ecole.cheminPhoto(b)));
    EXPECT_EQ(SchoolFixture::lire(exportation() + QStringLiteral("/Photos/") + premier),
              SchoolFixture::lire(ecole.cheminPhoto(a)));
}

// The new export is built in a hidden folder beside the earlier one and takes
// its place whole: while it is copied (a power cut would stop it there) the
// earlier export is still on the desktop, whole, and the next export removes
// what a stopped one left.
TEST_F(Export, UneExportationInterrompueLaisseLAncienneEntiere)
{
    ecole.ajouterClasse(QStringLiteral("6A"), 120);
    Sandbox::writeFile(exportation() + QStringLiteral("/Photos/ancienne.jpg"), "ancienne");
    Sandbox::writeFile(ecole.sandbox().desktop() + QStringLiteral("/.Exportation.partiel/Photos/coupee.jpg"), "x");
    FormExport& form = ouvrirExport();
    choisir("ComboNom", QStringLiteral("N° Interne"));
    QStringList pendant;
    QObject::connect(form.findChild<exportation::Copieur*>(), &exportation::Copieur::progression, &form, [&](int pourcent) {
        if (pourcent < 100 && pendant.isEmpty())
            pendant = bureau();
    });
    dialogues.message(QStringLiteral("120 photo(s) exportée(s) sur 120 élève(s)."));
    exporter();

    ASSERT_GT(pendant.size(), 1);
    EXPECT_EQ(pendant.filter(QRegularExpression(QStringLiteral("^Exportation/"))),
              QStringList{QStringLiteral("Exportation/Photos/ancienne.jpg")});
    EXPECT_FALSE(pendant.contains(QStringLiteral(".Exportation.partiel/Photos/coupee.jpg")));
    const QStringList apres = bureau();
    EXPECT_EQ(apres.size(), 240);
    EXPECT_EQ(apres.filter(QRegularExpression(QStringLiteral("^Exportation/"))).size(), 240);
}

TEST_F(Export, PendantLaCopieOkEtListesAttendentEtLaFermetureAussi)
{
    ecole.ajouterClasse(QStringLiteral("6A"), 120);
    ouvrirExport();
    choisir("ComboNom", QStringLiteral("N° Interne"));
    dialogues.message(QStringLiteral("Les fichiers ont été exportés"));
    QTest::mouseClick(controle<QPushButton>("Command2"), Qt::LeftButton);

    // The copies run in steps: the window answers meanwhile, and waits.
    ASSERT_NE(existingForm<FormExport>(), nullptr);
    for (const char* nom : {"ComboNom", "ComboPonctuation", "ComboPrenom", "Command2"})
        EXPECT_FALSE(actif(nom)) << nom;
    EXPECT_FALSE(controle<QProgressBar>("ProgressBar1")->isHidden());
    existingForm<FormExport>()->close();
    EXPECT_NE(existingForm<FormExport>(), nullptr);
    EXPECT_TRUE(dialogues.prompts().empty());

    ASSERT_TRUE(QTest::qWaitFor([] { return existingForm<FormExport>() == nullptr; }, 10000));
    EXPECT_EQ(bureau().size(), 240);
    EXPECT_EQ(dialogues.prompts().size(), 1u);
}

TEST_F(Export, UnLienALaPlaceDuDossierNEstPasSuivi)
{
    ecole.ajouterClasse(QStringLiteral("6A"), 1);
    const QString ailleurs = Sandbox::writeFile(ecole.sandbox().path(QStringLiteral("ailleurs/precieux.jpg")), "x");
    ASSERT_TRUE(QFile::link(ecole.sandbox().path(QStringLiteral("ailleurs")), exportation()));
    ouvrirExport();
    choisir("ComboNom", QStringLiteral("INE"));
    dialogues.message(QStringLiteral("Les fichiers ont été exportés"));
    exporter();
    EXPECT_TRUE(QFileInfo::exists(ailleurs));
    EXPECT_FALSE(QFileInfo(exportation()).isSymLink());
    EXPECT_EQ(bureau().size(), 2);
}

// Only a picture of its own with content is exported and counted as such: a
// link would bring a file from elsewhere onto the desktop under a student's
// name, and an empty file is no photo. Either is counted among the pictures
// that could not be copied.
TEST_F(Export, SeulesLesVraiesPhotosSontCopieesEtComptees)
{
    enum Issue { Exportee, Echec, SansPhoto };
    const QString ailleurs = ecole.sandbox().path(QStringLiteral("ailleurs.jpg"));
    ASSERT_TRUE(SchoolFixture::ecrirePortrait(ailleurs, Qt::red));
    const auto png = [](const QString& chemin) {
        QImage image(30, 40, QImage::Format_RGB32);
        image.fill(Qt::blue);
        return image.save(chemin, "PNG");
    };
    const auto parNom = [&](const QString& nom) {
        return paths::join(ecole.dossierImages(), {nom + QStringLiteral(".X.jpg")});
    };
    struct Cas {
        const char* nom;
        // Prepares images/ for the student whose file under the key is chemin;
        // answers the file expected on the desktop, "" for none.
        std::function<QString(const QString& chemin)> preparer;
        Issue issue;
    };
    const Cas cas[] = {
        {"bonne", [](const QString& c) { EXPECT_TRUE(SchoolFixture::ecrirePortrait(c, Qt::green)); return c; },
         Exportee},
        {"lien", [&](const QString& c) { EXPECT_TRUE(QFile::link(ailleurs, c)); return QString(); }, Echec},
        {"vide", [](const QString& c) { Sandbox::writeFile(c, {}); return QString(); }, Echec},
        {"dossier", [](const QString& c) { EXPECT_TRUE(QDir().mkdir(c)); return QString(); }, Echec},
        // The school may file any picture under the name: it is copied as it is.
        {"png", [&](const QString& c) { EXPECT_TRUE(png(c)); return c; }, Exportee},
        {"pngSeul", [&](const QString& c) { EXPECT_TRUE(png(c.chopped(3) + QStringLiteral("png"))); return QString(); },
         SansPhoto},
        // Passed over, the file under the key leaves the name to be tried.
        {"videPuisNom",
         [&](const QString& c) {
             Sandbox::writeFile(c, {});
             EXPECT_TRUE(SchoolFixture::ecrirePortrait(parNom(QStringLiteral("videPuisNom")), Qt::yellow));
             return parNom(QStringLiteral("videPuisNom"));
         },
         Exportee},
        {"illisible",
         [](const QString& c) {
             EXPECT_TRUE(SchoolFixture::ecrirePortrait(c, Qt::cyan));
             EXPECT_TRUE(QFile::setPermissions(c, {}));
             return QString();
         },
         Echec},
    };
    QStringList attendus;
    QHash<QString, QString> sources; // exported file name -> the picture it must hold
    QStringList nonCopiees;
    for (const Cas& c : cas) {
        const QString nom = QString::fromLatin1(c.nom);
        const qint64 cle = ecole.ajouterEleve(QStringLiteral("6A"), nom, QStringLiteral("X"), false);
        changerIne(cle, nom);
        QString source = c.preparer(ecole.cheminPhoto(cle));
        Issue issue = c.issue;
        // Root reads a file whatever its permissions: then it is a picture like any other.
        if (nom == u"illisible" && QFile(ecole.cheminPhoto(cle)).open(QIODevice::ReadOnly)) {
            issue = Exportee;
            source = ecole.cheminPhoto(cle);
        }
        if (issue == Exportee) {
            for (const QString& dossier : {QStringLiteral("6A"), QStringLiteral("Photos")}) {
                const QString fichier = dossier + u'/' + nom + QStringLiteral(".jpg");
                sources[fichier] = source;
                attendus << QStringLiteral("Exportation/") + fichier;
            }
        }
        if (issue == Echec)
            nonCopiees << ecole.cheminPhoto(cle);
    }
    attendus.sort();

    ouvrirExport();
    choisir("ComboNom", QStringLiteral("INE"));
    dialogues.message(QStringLiteral("\n\n%1 photo(s) exportée(s) sur %2 élève(s).\n1 élève(s) sans photo.\n"
                                     "%3 photo(s) n'ont pas pu être copiée(s).")
                          .arg(sources.size() / 2)
                          .arg(std::size(cas))
                          .arg(nonCopiees.size()));
    testing::internal::CaptureStderr();
    exporter();
    const std::string detail = testing::internal::GetCapturedStderr();

    EXPECT_EQ(bureau(), attendus);
    for (auto it = sources.cbegin(); it != sources.cend(); ++it)
        EXPECT_EQ(SchoolFixture::lire(exportation() + u'/' + it.key()), SchoolFixture::lire(it.value()))
            << it.key().toStdString();
    EXPECT_EQ(dialogues.lastPrompt().icon, dialogs::Icon::Exclamation);
    // The user reads counts; which files were not copied goes to the error output.
    for (const QString& chemin : nonCopiees)
        EXPECT_NE(detail.find(chemin.toStdString()), std::string::npos) << chemin.toStdString() << detail;
}

} // namespace

// On a desktop that cannot exchange two names (a network home folder, an
// exFAT or NTFS disk), every export still replaces the one before. The first
// comes after a power cut that stopped a replacement between its two renames:
// the earlier export set aside, the whole new one beside it.
TEST_F(Export, SansEchangeDeNomsChaqueExportationRemplaceLaPrecedente)
{
    const QString bureau = ecole.sandbox().desktop();
    Sandbox::writeFile(bureau + QStringLiteral("/.Exportation.ancien/Photos/avant.jpg"), "avant");
    Sandbox::writeFile(bureau + QStringLiteral("/.Exportation.partiel/Photos/apres.jpg"), "après");
    const WithoutRenameFlags sansOptions;
    troisExportations();
}

TEST_F(Export, SurUnDisqueExfatChaqueExportationRemplaceLaPrecedente)
{
    const ExfatDisk disque(ecole.sandbox().desktop(), ecole.sandbox().path(QStringLiteral("bureau.img")));
    if (!disque.active())
        GTEST_SKIP() << "an exFAT file system needs root, a loop device and exfat-fuse";
    troisExportations();
}

// A share that sets the earlier export aside, loses the reply, then refuses
// to put it back: the message says where the earlier export waits, never that
// it stands as it was, and the next export puts things right.
TEST_F(Export, UnePrecedenteResteeCacheeEstDiteEtRemiseAuProchainEssai)
{
    ecole.ajouterClasse(QStringLiteral("6A"), 1);
    exporterParIne(QStringLiteral("1 photo(s) exportée(s) sur 1 élève(s)."));
    const QStringList avant = bureau();
    {
        // The copies are written in the folder built aside: the only renames are the earlier export's.
        using Reply = ShareRenames::Reply;
        const ShareRenames partage({{1, Reply::Lost}, {2, Reply::Refused}});
        testing::internal::CaptureStderr();
        exporterParIne(QStringLiteral("il attend sous le nom caché ") + ecole.sandbox().desktop()
                       + QStringLiteral("/.Exportation.ancien"));
        testing::internal::GetCapturedStderr();
    }
    const QString texte = dialogues.lastPrompt().text;
    EXPECT_TRUE(texte.contains(QStringLiteral("Aucune photo n'a été exportée"))) << texte.toStdString();
    EXPECT_FALSE(texte.contains(QStringLiteral("tel qu'il était"))) << texte.toStdString();
    EXPECT_EQ(entreesBureau(), QStringList{QStringLiteral(".Exportation.ancien")});

    exporterParIne(QStringLiteral("1 photo(s) exportée(s) sur 1 élève(s)."));
    EXPECT_EQ(bureau(), avant);
    EXPECT_EQ(entreesBureau(), QStringList{QStringLiteral("Exportation")});
}

// An earlier export that cannot be removed whole is not replaced: the message
// names the read-only folder and says that nothing was exported, and nothing
// is left aside to refuse the next export for another reason.
TEST_F(Export, UneAncienneExportationEnLectureSeuleEstDiteEtNeBloqueRien)
{
    ecole.ajouterClasse(QStringLiteral("6A"), 2);
    exporterParIne(QStringLiteral("2 photo(s) exportée(s) sur 2 élève(s)."));
    const QStringList avant = bureau();
    const QString photos = paths::join(exportation(), {QStringLiteral("Photos")});
    {
        const ReadOnlyFolder lectureSeule(photos);
        ASSERT_TRUE(lectureSeule.active());
        for (int fois = 1; fois <= 2; ++fois) {
            SCOPED_TRACE(fois);
            exporterParIne(photos + QStringLiteral(" est en lecture seule"));
            const QString texte = dialogues.lastPrompt().text;
            EXPECT_TRUE(texte.contains(QStringLiteral("Aucune photo n'a été exportée"))) << texte.toStdString();
            EXPECT_FALSE(texte.contains(QStringLiteral("ont été exportés"))) << texte.toStdString();
            EXPECT_EQ(dialogues.lastPrompt().icon, dialogs::Icon::Exclamation);
            EXPECT_EQ(bureau(), avant);
            EXPECT_EQ(entreesBureau(), QStringList{QStringLiteral("Exportation")});
        }
    }
    ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Nouveau"), QStringLiteral("N"));
    exporterParIne(QStringLiteral("3 photo(s) exportée(s) sur 3 élève(s)."));
    EXPECT_EQ(bureau().size(), 6);
    EXPECT_EQ(entreesBureau(), QStringList{QStringLiteral("Exportation")});
}
