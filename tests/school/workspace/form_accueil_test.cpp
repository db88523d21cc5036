#include "school/workspace/form_accueil.h"

#include "common/ui/elided_label.h"
#include "common/ui/layout.h"
#include "common/paths.h"
#include "school/class_board/planche.h"
#include "school/workspace/a_propos.h"
#include "school/data/base.h"
#include "school/data/etat.h"
#include "tests/school/support/accueil_pilote.h"
#include "tests/school/support/school_fixture.h"
#include "tests/support/recording_shell.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QHelpEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>

namespace {

class AccueilEcole : public ::testing::Test, protected AccueilPilote {
protected:
    void TearDown() override { fermer(); }

    bool visible(const QString& nom) { return !controle<QWidget>(nom)->isHidden(); }

    QString compter(const QString& sql, const db::Params& params = {})
    {
        return base::db().scalar(sql, params);
    }

    SchoolFixture ecole;
    RecordingShell shell;
    ScriptedDialogs dialogues;
};

// --- Lists, boards and print menus -----------------------------------------

TEST_F(AccueilEcole, ClasseDeCinquanteAfficheeEtImprimee)
{
    ecole.nommerEtablissement(QStringLiteral("Collège Jean Moulin"));
    ecole.ajouterClasse(QStringLiteral("5B"), 2);
    ecole.ajouterClasse(QStringLiteral("6A"), 50);
    ecole.ajouterClasse(QStringLiteral("3C"), 1);
    FormAccueil& form = ouvrir();

    EXPECT_EQ(form.windowTitle(), QStringLiteral("Vizmora - Collège Jean Moulin"));
    EXPECT_EQ(etat::NomEtabEnCours, QStringLiteral("Collège Jean Moulin"));
    EXPECT_EQ(entrees(QStringLiteral("DBComboClasses")),
              (QStringList{QStringLiteral("6A"), QStringLiteral("5B"), QStringLiteral("3C")}));
    EXPECT_FALSE(controle<QPushButton>(QStringLiteral("Bt_Aficher"))->isEnabled());
    // Lists are picked from, never typed into.
    for (const char* liste : {"DBComboClasses", "DBComboGroupe"})
        EXPECT_FALSE(controle<QComboBox>(QString::fromLatin1(liste))->isEditable()) << liste;

    choisir(QStringLiteral("DBComboClasses"), QStringLiteral("6A"));
    EXPECT_TRUE(controle<QPushButton>(QStringLiteral("Bt_Aficher"))->isEnabled());
    EXPECT_FALSE(controle<QComboBox>(QStringLiteral("DBComboGroupe"))->isEnabled());
    cliquer(QStringLiteral("Bt_Aficher"));

    ASSERT_EQ(planche().nombre(), 50);
    EXPECT_TRUE(visible(QStringLiteral("Image2_49")));
    EXPECT_TRUE(visible(QStringLiteral("ImageChgClasse_49")));
    EXPECT_EQ(planche().cellule(0).nom, QStringLiteral("Nom001"));
    EXPECT_TRUE(visible(QStringLiteral("LbType")));
    EXPECT_EQ(controle<QLabel>(QStringLiteral("LbClasse"))->text(), QStringLiteral("6A"));
    EXPECT_FALSE(controle<QPushButton>(QStringLiteral("Bt_Aficher"))->isEnabled());
    EXPECT_TRUE(controle<QPushButton>(QStringLiteral("Bt_Ajout_Eleve"))->isEnabled());
    EXPECT_TRUE(controle<QComboBox>(QStringLiteral("DBComboGroupe"))->isEnabled());
    for (const char* nom : {"MNU_Imprimer", "MNU_CARTES", "MNU_Etiquettes"})
        EXPECT_TRUE(menu(QString::fromLatin1(nom))->isEnabled()) << nom;
    EXPECT_EQ(menu(QStringLiteral("MNU_Imprimer"))->text(), QStringLiteral("Imprimer Classe en cours..."));
    for (const char* nom : {"MNU_Trimestre", "MNU_Imp_Toutes_Classes", "MNU_Groupes", "MNU_Logiciels"}) {
        EXPECT_TRUE(menu(QString::fromLatin1(nom))->isVisible()) << nom;
        EXPECT_TRUE(menu(QString::fromLatin1(nom))->isEnabled()) << nom;
    }
    // The sales zone shows from the start.
    EXPECT_TRUE(visible(QStringLiteral("Bt_Vente")));

    menu(QStringLiteral("MNU_Imprimer"))->trigger();
    const QString document = paths::join(ecole.dossier(), {QStringLiteral("filetemp.html")});
    EXPECT_EQ(shell.requests(), (std::vector<RecordingShell::Request>{{QStringLiteral("print"), document},
                                                                     {QStringLiteral("open"), document}}));
    EXPECT_TRUE(SchoolFixture::lire(document).contains("Nom050"));

    // Choosing another class clears the board and the print menus.
    choisir(QStringLiteral("DBComboClasses"), QStringLiteral("5B"));
    EXPECT_EQ(planche().nombre(), 0);
    EXPECT_FALSE(etat::PlancheChargee);
    EXPECT_FALSE(menu(QStringLiteral("MNU_Imprimer"))->isEnabled());
    EXPECT_TRUE(controle<QPushButton>(QStringLiteral("Bt_Aficher"))->isEnabled());
}

TEST_F(AccueilEcole, UnDocumentNonEcritLaisseSonImpressionDesactivee)
{
    ecole.ajouterClasse(QStringLiteral("6A"), 3);
    ouvrir();
    // A folder in the way of the identity cards' file.
    const QString cartes = paths::join(ecole.dossier(), {QStringLiteral("filetempCrte.html")});
    QFile::remove(cartes);
    Sandbox::writeFile(cartes + QStringLiteral("/bloque.txt"), "x");
    dialogues.message(QStringLiteral("filetempCrte.html"));

    afficherClasse(QStringLiteral("6A"));

    EXPECT_EQ(planche().nombre(), 3);
    EXPECT_FALSE(menu(QStringLiteral("MNU_CARTES"))->isEnabled());
    EXPECT_TRUE(menu(QStringLiteral("MNU_Imprimer"))->isEnabled());
    EXPECT_TRUE(menu(QStringLiteral("MNU_Etiquettes"))->isEnabled());
}

TEST_F(AccueilEcole, LesListesDeroulantesMontrentLesNomsLongsEnEntier)
{
    const QString classe = QStringLiteral("Terminale S Section Européenne Allemand");
    const QString groupe = QStringLiteral("Atelier théâtre du jeudi après-midi");
    const QList<qint64> cles = ecole.ajouterClasse(classe, 1);
    ecole.ajouterClasse(QStringLiteral("6A"), 1);
    ecole.ajouterAuGroupe(groupe, cles[0]);
    ouvrir();
    for (const auto& [liste, nom] : {std::pair{QStringLiteral("DBComboClasses"), classe},
                                     std::pair{QStringLiteral("DBComboGroupe"), groupe}}) {
        auto* combo = controle<QComboBox>(liste);
        ASSERT_NE(combo, nullptr);
        EXPECT_GT(combo->view()->minimumWidth(), combo->view()->fontMetrics().horizontalAdvance(nom))
            << liste.toStdString();
        EXPECT_GE(combo->view()->minimumWidth(), combo->width());
    }
}

TEST_F(AccueilEcole, GroupeChoisiPuisAffiche)
{
    const auto cles = ecole.ajouterClasse(QStringLiteral("6A"), 3);
    ecole.ajouterAuGroupe(QStringLiteral("Chorale"), cles[0]);
    ecole.ajouterAuGroupe(QStringLiteral("Chorale"), cles[2]);
    ecole.ajouterAuGroupe(QStringLiteral("Atelier"), cles[1]);
    ouvrir();
    EXPECT_EQ(entrees(QStringLiteral("DBComboGroupe")), (QStringList{QStringLiteral("Atelier"), QStringLiteral("Chorale")}));
    afficherClasse(QStringLiteral("6A"));

    choisir(QStringLiteral("DBComboGroupe"), QStringLiteral("Chorale"));
    EXPECT_EQ(planche().nombre(), 0);
    EXPECT_FALSE(controle<QComboBox>(QStringLiteral("DBComboClasses"))->isEnabled());
    EXPECT_FALSE(menu(QStringLiteral("MNU_Imprimer"))->isEnabled());
    cliquer(QStringLiteral("Aff_Groupe"));

    EXPECT_EQ(planche().nombre(), 2);
    EXPECT_EQ(planche().type(), TypePlanche::Groupe);
    EXPECT_EQ(controle<QLabel>(QStringLiteral("LbType"))->text(), QStringLiteral("Groupe :"));
    EXPECT_EQ(controle<QLabel>(QStringLiteral("LbClasse"))->text(), QStringLiteral("Chorale"));
    EXPECT_EQ(menu(QStringLiteral("MNU_Imprimer"))->text(), QStringLiteral("Imprimer Groupe en cours..."));
    EXPECT_TRUE(menu(QStringLiteral("MNU_Imprimer"))->isEnabled());
    EXPECT_TRUE(controle<QComboBox>(QStringLiteral("DBComboClasses"))->isEnabled());
    EXPECT_FALSE(controle<QPushButton>(QStringLiteral("Aff_Groupe"))->isEnabled());

    // The board print prints the group; the cards and labels stay those of the class shown last.
    for (const char* nom : {"MNU_Imprimer", "MNU_CARTES", "MNU_Etiquettes"})
        menu(QString::fromLatin1(nom))->trigger();
    std::vector<RecordingShell::Request> attendues;
    for (const char* fichier : {"filetemp.html", "filetempCrte.html", "filetempEtiq.html"}) {
        const QString document = paths::join(ecole.dossier(), {QString::fromLatin1(fichier)});
        attendues.push_back({QStringLiteral("print"), document});
        attendues.push_back({QStringLiteral("open"), document});
    }
    EXPECT_EQ(shell.requests(), attendues);
    EXPECT_TRUE(SchoolFixture::lire(attendues[0].target).contains("Chorale"));
    EXPECT_TRUE(SchoolFixture::lire(attendues[2].target).contains("Nom002")); // in the class, not the group
}

// --- Adding a student --------------------------------------------------------

TEST_F(AccueilEcole, AjoutDUnEleveAvecSaPhoto)
{
    ecole.ajouterClasse(QStringLiteral("6A"), 3);
    ouvrir();
    afficherClasse(QStringLiteral("6A"));
    const QString photo = Sandbox::writeFile(ecole.sandbox().path(QStringLiteral("Zola.jpeg")), "portrait de Zola");

    cliquer(QStringLiteral("Bt_Ajout_Eleve"));
    EXPECT_TRUE(visible(QStringLiteral("TextRecupNom")));
    EXPECT_TRUE(visible(QStringLiteral("Bt_Ajout_Photo")));
    EXPECT_FALSE(controle<QPushButton>(QStringLiteral("Bt_Valide_Ajout_Eleve"))->isEnabled());
    EXPECT_FALSE(planche().isEnabled());
    EXPECT_FALSE(controle<QComboBox>(QStringLiteral("DBComboClasses"))->isEnabled());
    // A draft: nothing is stored before the picture is chosen.
    EXPECT_EQ(compter(QStringLiteral("SELECT COUNT(*) FROM Eleves")), QStringLiteral("3"));
    QTest::keyClicks(controle<QLineEdit>(QStringLiteral("TextRecupNom")), QStringLiteral("Aaron"));
    // Entered with the accent apart from its letter (pasted from a list made on
    // some systems), kept composed.
    controle<QLineEdit>(QStringLiteral("TextRecupPrenom"))->insert(QStringLiteral("E\u0301mile"));
    dialogues.openFile(photo);
    cliquer(QStringLiteral("Bt_Ajout_Photo"));

    const auto lignes = base::db().query(QStringLiteral(
        "SELECT CdeEleves, Classe, Prenom, NomPhoto, CodeEtablissement FROM Eleves WHERE Nom = 'Aaron'"));
    ASSERT_EQ(lignes.size(), 1u);
    EXPECT_EQ(lignes[0][u"Classe"], QStringLiteral("6A"));
    EXPECT_EQ(lignes[0][u"Prenom"], QStringLiteral("\u00c9mile"));
    // Its own order code, which no delivered (numeric) code can equal, also names its picture.
    EXPECT_EQ(lignes[0][u"NomPhoto"], QStringLiteral("E") + lignes[0][u"CdeEleves"]);
    EXPECT_EQ(lignes[0][u"CodeEtablissement"], lignes[0][u"NomPhoto"]);
    EXPECT_EQ(SchoolFixture::lire(
                  paths::join(ecole.dossierImages(), {lignes[0][u"NomPhoto"] + QStringLiteral(".jpg")})),
              QByteArray("portrait de Zola"));
    ASSERT_EQ(planche().nombre(), 4);
    EXPECT_EQ(planche().cellule(0).nom, QStringLiteral("Aaron"));
    EXPECT_TRUE(planche().isEnabled());
    EXPECT_TRUE(visible(QStringLiteral("Bt_Ajout_Eleve")));
    EXPECT_FALSE(visible(QStringLiteral("Bt_Valide_Ajout_Eleve")));
    EXPECT_FALSE(visible(QStringLiteral("TextRecupNom")));
}

TEST_F(AccueilEcole, AjoutSansPhotoOuSansNomNEnregistreRien)
{
    struct Cas {
        const char* nom;
        const char* prenom;
        bool fichierChoisi;
        const char* message; // nullptr when none
    };
    const char* const manquant = "Les champs Nom et Prénom de l'élève doivent être renseignés.";
    ecole.ajouterClasse(QStringLiteral("6A"), 2);
    ouvrir();
    afficherClasse(QStringLiteral("6A"));
    const QString photo = Sandbox::writeFile(ecole.sandbox().path(QStringLiteral("p.jpg")), "p");
    for (const Cas& cas : {Cas{"Zola", "Émile", false, nullptr}, Cas{"", "Émile", true, manquant},
                           Cas{"Zola", "", true, manquant},
                           // Pasted with what followed them in a list.
                           Cas{"Zola\tMartin", "Émile", true, "Le nom de l'élève contient une tabulation"},
                           Cas{"Zola", "Émile\n", true, "Le prénom de l'élève contient un saut de ligne"}}) {
        SCOPED_TRACE(std::string(cas.nom) + "/" + cas.prenom);
        cliquer(QStringLiteral("Bt_Ajout_Eleve"));
        controle<QLineEdit>(QStringLiteral("TextRecupNom"))->insert(QString::fromUtf8(cas.nom));
        controle<QLineEdit>(QStringLiteral("TextRecupPrenom"))->insert(QString::fromUtf8(cas.prenom));
        dialogues.openFile(cas.fichierChoisi ? photo : QString());
        if (cas.message)
            dialogues.message(QString::fromUtf8(cas.message));
        cliquer(QStringLiteral("Bt_Ajout_Photo"));

        EXPECT_EQ(compter(QStringLiteral("SELECT COUNT(*) FROM Eleves")), QStringLiteral("2"));
        EXPECT_EQ(QDir(ecole.dossierImages()).entryList(QDir::Files).size(), 2);
        EXPECT_EQ(planche().nombre(), 2);
        EXPECT_TRUE(planche().isEnabled());
        EXPECT_TRUE(visible(QStringLiteral("Bt_Ajout_Eleve")));
        EXPECT_FALSE(visible(QStringLiteral("TextRecupNom")));
        EXPECT_TRUE(controle<QComboBox>(QStringLiteral("DBComboClasses"))->isEnabled());
    }
}

// --- The group wizard --------------------------------------------------------

TEST_F(AccueilEcole, AssistantFormeUnGroupeDeTrois)
{
    const auto cles = ecole.ajouterClasse(QStringLiteral("6A"), 5);
    ecole.ajouterAuGroupe(QStringLiteral("Chorale"), ecole.ajouterEleve(QStringLiteral("5B"), QStringLiteral("Roy"),
                                                                        QStringLiteral("Luc")));
    ouvrir();
    afficherClasse(QStringLiteral("6A"));

    cliquer(QStringLiteral("Bt_Creer_Groupe"));
    EXPECT_EQ(planche().nombre(), 0);
    EXPECT_TRUE(visible(QStringLiteral("SaisieNomGroupe")));
    EXPECT_FALSE(controle<QComboBox>(QStringLiteral("DBComboClasses"))->isEnabled());
    EXPECT_FALSE(menu(QStringLiteral("MNU_Imprimer"))->isEnabled());

    // The name check, on the name without its outer blanks: at least three
    // characters, and no existing name whatever its case.
    auto* saisie = controle<QLineEdit>(QStringLiteral("SaisieNomGroupe"));
    struct Refus {
        const char* nom;
        const char* message;
    };
    for (const Refus& refus : {Refus{"ab", "au moins 3 caractères"}, Refus{"     ", "au moins 3 caractères"},
                               Refus{" ab  ", "au moins 3 caractères"}, Refus{"CHORALE", "existe déjà"},
                               Refus{"chorale", "existe déjà"}, Refus{"Chorale ", "existe déjà"},
                               Refus{"Latin\tGrec", "Le nom du groupe contient une tabulation"}}) {
        saisie->setText(QString::fromUtf8(refus.nom));
        dialogues.message(QString::fromUtf8(refus.message));
        cliquer(QStringLiteral("Bt_Etapes_0"));
        EXPECT_TRUE(saisie->text().isEmpty()) << refus.nom;
        EXPECT_TRUE(visible(QStringLiteral("SaisieNomGroupe"))) << refus.nom;
    }
    // Pattern characters are ordinary: "Chor*" is a new name.
    QTest::keyClicks(saisie, QStringLiteral(" Chor* "));
    QTest::keyClick(saisie, Qt::Key_Return);
    EXPECT_FALSE(visible(QStringLiteral("SaisieNomGroupe")));
    EXPECT_TRUE(visible(QStringLiteral("ImageEtape2")));
    EXPECT_TRUE(controle<QComboBox>(QStringLiteral("DBComboClasses"))->isEnabled());
    EXPECT_FALSE(controle<QComboBox>(QStringLiteral("DBComboGroupe"))->isEnabled());

    afficherClasse(QStringLiteral("6A"));
    EXPECT_EQ(controle<QLabel>(QStringLiteral("Lblisteeleves_0"))->text(), QStringLiteral("6A"));
    ASSERT_EQ(planche().nombre(), 5);
    EXPECT_FALSE(visible(QStringLiteral("ImageSuppEleve_0")));
    EXPECT_FALSE(visible(QStringLiteral("LbType")));
    for (const char* portrait : {"Image2_0", "Image2_2", "Image2_4", "Image2_2"})
        cliquer(QString::fromLatin1(portrait));

    const auto lignes = base::db().query(QStringLiteral(
        "SELECT N_Eleves, Classe, Nom FROM Goupes WHERE NomGroupe = 'Chor*' ORDER BY Nom"));
    ASSERT_EQ(lignes.size(), 3u);
    EXPECT_EQ(lignes[0][u"N_Eleves"], QString::number(cles[0]));
    EXPECT_EQ(lignes[0][u"Classe"], QStringLiteral("6A"));
    EXPECT_EQ(lignes[2][u"Nom"], QStringLiteral("Nom005"));
    EXPECT_EQ(controle<QLabel>(QStringLiteral("LbNom_2"))->palette().color(QPalette::Window), QColor(0, 255, 0));
    EXPECT_EQ(controle<QLabel>(QStringLiteral("Lblisteeleves_3"))->text(),
              QStringLiteral("Nom005 Prénom 6A"));
    EXPECT_FALSE(visible(QStringLiteral("Bt_Valide_Ajout_Eleve")));

    dialogues.message(QStringLiteral("Le groupe Chor* va être créer."));
    cliquer(QStringLiteral("Bt_Etapes_1"));
    EXPECT_EQ(dialogues.lastPrompt().icon, dialogs::Icon::Information);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(existingForm<FormAccueil>()->findChild<QLabel*>(QStringLiteral("Lblisteeleves_1")), nullptr);
    EXPECT_FALSE(visible(QStringLiteral("Lblisteeleves_0")));
    EXPECT_FALSE(etat::ModeCreationGroupe);
    EXPECT_TRUE(entrees(QStringLiteral("DBComboGroupe")).contains(QStringLiteral("Chor*")));
    EXPECT_TRUE(visible(QStringLiteral("Bt_Ajout_Eleve")));
    EXPECT_TRUE(visible(QStringLiteral("Bt_Vente")));

    choisir(QStringLiteral("DBComboGroupe"), QStringLiteral("Chor*"));
    cliquer(QStringLiteral("Aff_Groupe"));
    EXPECT_EQ(planche().nombre(), 3);
}

TEST_F(AccueilEcole, AssistantQuitteSansEleveNEcritRien)
{
    ecole.ajouterClasse(QStringLiteral("6A"), 2);
    ouvrir();
    for (bool jusquALaClasse : {false, true}) {
        SCOPED_TRACE(jusquALaClasse);
        cliquer(QStringLiteral("Bt_Creer_Groupe"));
        if (jusquALaClasse) {
            controle<QLineEdit>(QStringLiteral("SaisieNomGroupe"))->setText(QStringLiteral("Vide"));
            cliquer(QStringLiteral("Bt_Etapes_0"));
            afficherClasse(QStringLiteral("6A"));
        }
        dialogues.message(QStringLiteral("La création du groupe a été annulée."));
        cliquer(QStringLiteral("Bt_Etapes_1"));

        EXPECT_EQ(compter(QStringLiteral("SELECT COUNT(*) FROM Goupes")), QStringLiteral("0"));
        EXPECT_TRUE(entrees(QStringLiteral("DBComboGroupe")).isEmpty());
        EXPECT_FALSE(etat::ModeCreationGroupe);
        EXPECT_FALSE(visible(QStringLiteral("SaisieNomGroupe")));
        EXPECT_FALSE(visible(QStringLiteral("Lblisteeleves_0")));
        EXPECT_TRUE(controle<QPushButton>(QStringLiteral("Bt_Creer_Groupe"))->isEnabled());
    }
}

TEST_F(AccueilEcole, EnTetesDeClasseDeLaListeDeChoix)
{
    const auto cles = ecole.ajouterClasse(QStringLiteral("5B"), 2);
    ecole.ajouterClasse(QStringLiteral("6A"), 1);
    ecole.ajouterClasse(QStringLiteral("4C"), 1);
    ecole.ajouterAuGroupe(QStringLiteral("Chorale"), cles[0]);
    ouvrir();
    choisir(QStringLiteral("DBComboGroupe"), QStringLiteral("Chorale"));
    cliquer(QStringLiteral("Bt_Creer_Groupe"));
    EXPECT_FALSE(controle<QPushButton>(QStringLiteral("Aff_Groupe"))->isEnabled());
    controle<QLineEdit>(QStringLiteral("SaisieNomGroupe"))->setText(QStringLiteral("Sortie"));
    cliquer(QStringLiteral("Bt_Etapes_0"));

    // A heading with no student under it is overwritten by the next class.
    choisir(QStringLiteral("DBComboClasses"), QStringLiteral("6A"));
    choisir(QStringLiteral("DBComboClasses"), QStringLiteral("5B"));
    EXPECT_EQ(controle<QLabel>(QStringLiteral("Lblisteeleves_0"))->text(), QStringLiteral("5B"));
    cliquer(QStringLiteral("Bt_Aficher"));
    cliquer(QStringLiteral("Image2_1"));
    choisir(QStringLiteral("DBComboClasses"), QStringLiteral("4C"));

    EXPECT_EQ(controle<QLabel>(QStringLiteral("Lblisteeleves_1"))->text(), QStringLiteral("Nom002 Prénom 5B"));
    auto* titre = controle<QLabel>(QStringLiteral("Lblisteeleves_2"));
    EXPECT_EQ(titre->text(), QStringLiteral("4C"));
    EXPECT_GT(titre->y(), controle<QLabel>(QStringLiteral("Lblisteeleves_1"))->y());
    EXPECT_TRUE(visible(QStringLiteral("ImageSupp_2")));

    dialogues.message(QStringLiteral("Le groupe Sortie va être créer."));
    cliquer(QStringLiteral("Bt_Etapes_1"));
}

TEST_F(AccueilEcole, RetirerUneEntreeSupprimeSaLigneParSaCle)
{
    ecole.ajouterClasse(QStringLiteral("6A"), 3);
    ouvrir();
    cliquer(QStringLiteral("Bt_Creer_Groupe"));
    controle<QLineEdit>(QStringLiteral("SaisieNomGroupe"))->setText(QStringLiteral("Théâtre"));
    cliquer(QStringLiteral("Bt_Etapes_0"));
    afficherClasse(QStringLiteral("6A"));
    cliquer(QStringLiteral("Image2_0"));
    cliquer(QStringLiteral("Image2_1"));
    // The same student in another group keeps that row.
    base::db().insert(QStringLiteral("INSERT INTO Goupes (NomGroupe, Nom, Prenom, N_Eleves, Classe)"
                                      " SELECT 'Autre', Nom, Prenom, N_Eleves, Classe FROM Goupes WHERE CdeGroupes = 1"));

    const auto fondNom = [this](int cellule) {
        return controle<QLabel>(QStringLiteral("LbNom_%1").arg(cellule))->palette().color(QPalette::Window);
    };
    EXPECT_EQ(fondNom(0), QColor(0, 255, 0));

    cliquer(QStringLiteral("ImageSupp_1"));
    // The surname taken back gets its own colour again; the other pick stays green.
    EXPECT_EQ(fondNom(0), QColor(layout::bgr(0xC0FFFF)));
    EXPECT_EQ(fondNom(1), QColor(0, 255, 0));
    EXPECT_FALSE(visible(QStringLiteral("Lblisteeleves_1")));
    EXPECT_TRUE(visible(QStringLiteral("Lblisteeleves_2")));
    EXPECT_EQ(compter(QStringLiteral("SELECT group_concat(Nom) FROM Goupes WHERE NomGroupe = 'Théâtre'")),
              QStringLiteral("Nom002"));
    EXPECT_EQ(compter(QStringLiteral("SELECT COUNT(*) FROM Goupes WHERE NomGroupe = 'Autre'")), QStringLiteral("1"));
    // A heading has no row: its icon removes nothing.
    cliquer(QStringLiteral("ImageSupp_0"));
    EXPECT_TRUE(visible(QStringLiteral("Lblisteeleves_0")));

    cliquer(QStringLiteral("ImageSupp_2"));
    dialogues.message(QStringLiteral("La création du groupe a été annulée."));
    cliquer(QStringLiteral("Bt_Etapes_1"));
    EXPECT_EQ(compter(QStringLiteral("SELECT COUNT(*) FROM Goupes WHERE NomGroupe = 'Théâtre'")), QStringLiteral("0"));
}

TEST_F(AccueilEcole, AjoutAUnGroupeAffiche)
{
    const auto cles = ecole.ajouterClasse(QStringLiteral("6A"), 3);
    ecole.ajouterAuGroupe(QStringLiteral("Chorale"), cles[0]);
    ouvrir();
    choisir(QStringLiteral("DBComboGroupe"), QStringLiteral("Chorale"));
    cliquer(QStringLiteral("Aff_Groupe"));

    // Left before any pick.
    cliquer(QStringLiteral("Bt_Ajout_Eleve"));
    EXPECT_TRUE(visible(QStringLiteral("Bt_Valide_Ajout_Eleve")));
    dialogues.message(QStringLiteral("Ajout Annulé."));
    cliquer(QStringLiteral("Bt_Valide_Ajout_Eleve"));
    EXPECT_FALSE(etat::ModeCreationGroupe);
    EXPECT_FALSE(visible(QStringLiteral("Bt_Valide_Ajout_Eleve")));
    EXPECT_TRUE(visible(QStringLiteral("Bt_Ajout_Eleve")));
    EXPECT_EQ(compter(QStringLiteral("SELECT COUNT(*) FROM Goupes")), QStringLiteral("1"));

    choisir(QStringLiteral("DBComboGroupe"), QStringLiteral("Chorale"));
    cliquer(QStringLiteral("Aff_Groupe"));
    cliquer(QStringLiteral("Bt_Ajout_Eleve"));
    EXPECT_EQ(planche().nombre(), 0);
    afficherClasse(QStringLiteral("6A"));
    // Already a member: recognised, not written twice.
    for (const char* portrait : {"Image2_0", "Image2_1", "Image2_2"})
        cliquer(QString::fromLatin1(portrait));
    cliquer(QStringLiteral("Bt_Valide_Ajout_Eleve"));

    EXPECT_EQ(compter(QStringLiteral("SELECT COUNT(*) FROM Goupes WHERE NomGroupe = 'Chorale'")), QStringLiteral("3"));
    EXPECT_EQ(planche().type(), TypePlanche::Groupe);
    EXPECT_EQ(planche().nombre(), 3);
    EXPECT_FALSE(visible(QStringLiteral("Lblisteeleves_0")));
    EXPECT_FALSE(etat::ModeCreationGroupe);
}

// --- Moving a student --------------------------------------------------------

TEST_F(AccueilEcole, DeplacementReconstruitLaPlancheEtLesListes)
{
    ecole.ajouterClasse(QStringLiteral("6A"), 2);
    const qint64 martin = ecole.ajouterEleve(QStringLiteral("4D"), QStringLiteral("Martin"), QStringLiteral("Paul"));
    const qint64 homonyme = ecole.ajouterEleve(QStringLiteral("5B"), QStringLiteral("Martin"), QStringLiteral("Paul"));
    ouvrir();
    afficherClasse(QStringLiteral("4D"));

    cliquer(QStringLiteral("ImageChgClasse_0"));
    EXPECT_TRUE(visible(QStringLiteral("Frame2")));
    EXPECT_FALSE(visible(QStringLiteral("Bt_Vente")));
    EXPECT_FALSE(controle<QPushButton>(QStringLiteral("Bt_Ajout_Eleve"))->isEnabled());
    choisir(QStringLiteral("Combo1"), QStringLiteral("6A"));
    cliquer(QStringLiteral("Bt_ChangeClasse_0"));

    EXPECT_EQ(compter(QStringLiteral("SELECT Classe FROM Eleves WHERE CdeEleves = ?"), {martin}), QStringLiteral("6A"));
    EXPECT_EQ(compter(QStringLiteral("SELECT Classe FROM Eleves WHERE CdeEleves = ?"), {homonyme}),
              QStringLiteral("5B"));
    // The class moved out of is no longer shown, and nothing prints its empty board.
    EXPECT_EQ(planche().nombre(), 0);
    EXPECT_FALSE(entrees(QStringLiteral("DBComboClasses")).contains(QStringLiteral("4D")));
    EXPECT_FALSE(visible(QStringLiteral("LbType")));
    EXPECT_FALSE(visible(QStringLiteral("LbClasse")));
    EXPECT_FALSE(menu(QStringLiteral("MNU_Imprimer"))->isEnabled());
    EXPECT_TRUE(SchoolFixture::lire(paths::join(ecole.dossier(), {QStringLiteral("filetemp.html")})).contains("Martin"));
    EXPECT_FALSE(visible(QStringLiteral("Frame2")));
    EXPECT_TRUE(visible(QStringLiteral("Bt_Vente")));
    EXPECT_TRUE(controle<QPushButton>(QStringLiteral("Bt_Ajout_Eleve"))->isEnabled());
}

TEST_F(AccueilEcole, UnDeplacementLaisseEnSuspensEstAbandonneParUnAjout)
{
    ecole.ajouterClasse(QStringLiteral("6A"), 2);
    const qint64 martin = ecole.ajouterEleve(QStringLiteral("4D"), QStringLiteral("Martin"), QStringLiteral("Paul"));
    ouvrir();
    afficherClasse(QStringLiteral("4D"));
    cliquer(QStringLiteral("ImageChgClasse_0"));
    // The panel stays open while another class is shown, which brings "Ajouter" back.
    afficherClasse(QStringLiteral("6A"));
    cliquer(QStringLiteral("Bt_Ajout_Eleve"));

    EXPECT_FALSE(visible(QStringLiteral("Frame2")));
    EXPECT_FALSE(visible(QStringLiteral("Bt_ChangeClasse_0")));
    dialogues.openFile(QString());
    cliquer(QStringLiteral("Bt_Ajout_Photo"));
    EXPECT_FALSE(visible(QStringLiteral("Bt_ChangeClasse_0")));
    EXPECT_TRUE(controle<QPushButton>(QStringLiteral("Bt_Creer_Groupe"))->isEnabled());
    EXPECT_EQ(compter(QStringLiteral("SELECT Classe FROM Eleves WHERE CdeEleves = ?"), {martin}), QStringLiteral("4D"));
}

TEST_F(AccueilEcole, UneBaseEnLectureSeuleLeDitEnFrancaisSansRienPerdre)
{
    const qint64 martin = ecole.ajouterEleve(QStringLiteral("5B"), QStringLiteral("Martin"), QStringLiteral("Paul"));
    ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Roy"), QStringLiteral("Luc"));
    ouvrir();
    afficherClasse(QStringLiteral("5B"));
    base::db().script(QStringLiteral("PRAGMA query_only = ON"));
    cliquer(QStringLiteral("ImageChgClasse_0"));
    choisir(QStringLiteral("Combo1"), QStringLiteral("6A"));

    dialogues.message(QStringLiteral("La base %1 est en lecture seule : la modification n'a pas été enregistrée.")
                          .arg(QDir::toNativeSeparators(base::cheminBase())));
    testing::internal::CaptureStderr();
    cliquer(QStringLiteral("Bt_ChangeClasse_0"));
    const std::string detail = testing::internal::GetCapturedStderr();
    base::db().script(QStringLiteral("PRAGMA query_only = OFF"));

    EXPECT_EQ(dialogues.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_NE(detail.find("readonly"), std::string::npos) << detail;
    // The panel stays open for another try; the student is where he was.
    EXPECT_TRUE(visible(QStringLiteral("Bt_ChangeClasse_0")));
    EXPECT_EQ(compter(QStringLiteral("SELECT Classe FROM Eleves WHERE CdeEleves = ?"), {martin}), QStringLiteral("5B"));
}

TEST_F(AccueilEcole, MontrerUneAutrePlancheFermeLeDeplacementEnSuspens)
{
    const qint64 martin = ecole.ajouterEleve(QStringLiteral("5B"), QStringLiteral("Martin"), QStringLiteral("Paul"));
    ecole.ajouterAuGroupe(QStringLiteral("Chorale"), ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Roy"),
                                                                        QStringLiteral("Luc")));
    ouvrir();
    for (const auto& [autre, choix] : {std::pair{"DBComboGroupe", "Chorale"}, std::pair{"DBComboClasses", "6A"}}) {
        afficherClasse(QStringLiteral("5B"));
        cliquer(QStringLiteral("ImageChgClasse_0"));
        ASSERT_TRUE(visible(QStringLiteral("Bt_ChangeClasse_0")));
        choisir(QStringLiteral("Combo1"), QStringLiteral("6A"));

        choisir(QString::fromLatin1(autre), QString::fromLatin1(choix));
        EXPECT_FALSE(visible(QStringLiteral("Frame2"))) << autre;
        EXPECT_FALSE(visible(QStringLiteral("Bt_ChangeClasse_0"))) << autre;
        EXPECT_TRUE(visible(QStringLiteral("Bt_Vente"))) << autre;
        EXPECT_TRUE(controle<QPushButton>(QStringLiteral("Bt_Creer_Groupe"))->isEnabled()) << autre;
    }

    // The group shown after the abandoned move keeps its own heading, board and print entry.
    choisir(QStringLiteral("DBComboGroupe"), QStringLiteral("Chorale"));
    cliquer(QStringLiteral("Aff_Groupe"));
    EXPECT_EQ(controle<QLabel>(QStringLiteral("LbType"))->text(), QStringLiteral("Groupe :"));
    EXPECT_EQ(controle<QLabel>(QStringLiteral("LbClasse"))->text(), QStringLiteral("Chorale"));
    EXPECT_EQ(planche().type(), TypePlanche::Groupe);
    EXPECT_EQ(menu(QStringLiteral("MNU_Imprimer"))->text(), QStringLiteral("Imprimer Groupe en cours..."));
    EXPECT_EQ(compter(QStringLiteral("SELECT Classe FROM Eleves WHERE CdeEleves = ?"), {martin}), QStringLiteral("5B"));
}

// --- Names as the user typed them ----------------------------------------------

TEST_F(AccueilEcole, LesNomsSeLisentTelsQuelsEtUnNomTropLongFinitParDesPoints)
{
    const QString classe = QStringLiteral("<b>5B</b>");
    const QString longNom = QStringLiteral("Marie-Bernadette de la Tour d'Auvergne-Montmorency");
    const qint64 souligne = ecole.ajouterEleve(classe, QStringLiteral("<u>DUPONT</u>"), QStringLiteral("A & B"));
    ecole.ajouterEleve(classe, QStringLiteral("O'NEIL"), QStringLiteral("<img src=\"/etc/logo.png\">"));
    ecole.ajouterEleve(classe, longNom, QStringLiteral("Léa"));
    ecole.ajouterAuGroupe(QStringLiteral("Chorale"), souligne);
    ouvrir();
    afficherClasse(classe);

    EXPECT_EQ(controle<QLabel>(QStringLiteral("LbClasse"))->textFormat(), Qt::PlainText);
    ASSERT_EQ(planche().nombre(), 3);
    for (int i = 0; i < 3; ++i) {
        const CelluleEleve& eleve = planche().cellule(i);
        for (const auto& [etiquette, valeur] : {std::pair{"LbNom_%1", eleve.nom}, std::pair{"LbPrenom_%1", eleve.prenom}}) {
            auto* label = controle<ElidedLabel>(QString::fromLatin1(etiquette).arg(i));
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << etiquette << i;
            EXPECT_EQ(label->fullText(), valeur);
            // A value that does not fit is cut at its end and shown whole in the tooltip.
            const bool deborde = label->fontMetrics().horizontalAdvance(valeur) > label->contentsRect().width();
            EXPECT_EQ(label->text() != valeur, deborde) << label->text().toStdString();
            EXPECT_TRUE(deborde || valeur != longNom);
            if (label->text() != valeur) {
                EXPECT_TRUE(label->text().endsWith(QChar(0x2026))) << label->text().toStdString();
                EXPECT_TRUE(valeur.startsWith(label->text().chopped(1))) << label->text().toStdString();
                EXPECT_EQ(label->toolTip(), valeur);
            } else {
                EXPECT_TRUE(label->toolTip().isEmpty());
            }
        }
        if (eleve.nom == QStringLiteral("<u>DUPONT</u>")) {
            cliquer(QStringLiteral("ImageChgClasse_%1").arg(i));
            auto* panneau = controle<ElidedLabel>(QStringLiteral("Label1_2"));
            EXPECT_EQ(panneau->textFormat(), Qt::PlainText);
            EXPECT_EQ(panneau->fullText(), QStringLiteral("<u>DUPONT</u> A & B"));
        }
    }

    choisir(QStringLiteral("DBComboGroupe"), QStringLiteral("Chorale"));
    cliquer(QStringLiteral("Aff_Groupe"));
    auto* classeMembre = controle<ElidedLabel>(QStringLiteral("LbGPClasse_0"));
    EXPECT_EQ(classeMembre->textFormat(), Qt::PlainText);
    EXPECT_EQ(classeMembre->text(), classe);
}

TEST_F(AccueilEcole, LInfobulleDUnNomCoupeLeMontreTelQuel)
{
    const QString nom = QStringLiteral("<u>DUPONT</u> & <b>de la Tour d'Auvergne-Montmorency</b>");
    ecole.ajouterEleve(QStringLiteral("5B"), nom, QStringLiteral("Léa"));
    ouvrir();
    afficherClasse(QStringLiteral("5B"));
    auto* label = controle<ElidedLabel>(QStringLiteral("LbNom_0"));
    ASSERT_NE(label->text(), nom);

    QHelpEvent survol(QEvent::ToolTip, label->rect().center(), label->mapToGlobal(label->rect().center()));
    QCoreApplication::sendEvent(label, &survol);
    ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }));
    // The tooltip reads its text as markup whenever it looks like some.
    const QString bulle = QToolTip::text();
    QTextDocument rendu;
    if (Qt::mightBeRichText(bulle))
        rendu.setHtml(bulle);
    else
        rendu.setPlainText(bulle);
    EXPECT_EQ(rendu.toPlainText().toStdString(), nom.toStdString());
    QToolTip::hideText();
}

// --- Menus and the end of the program ----------------------------------------

TEST_F(AccueilEcole, FermerLaFenetreFermeAussiLaBoiteAPropos)
{
    ouvrir();
    menu(QStringLiteral("Mnu_Propos"))->trigger();
    APropos* aPropos = existingForm<APropos>();
    ASSERT_NE(aPropos, nullptr);
    EXPECT_EQ(aPropos->findChild<QLabel*>(QStringLiteral("LabelVersion"))->text(), etat::VersionLogiciel);
    EXPECT_TRUE(etat::VersionLogiciel.startsWith(QStringLiteral("Version ")));
    QTest::mouseClick(aPropos->findChild<QWidget*>(QStringLiteral("Label10")), Qt::LeftButton);
    EXPECT_EQ(shell.requests().back().target, APropos::adresseSite());

    existingForm<FormAccueil>()->close();
    EXPECT_EQ(existingForm<APropos>(), nullptr);
    EXPECT_EQ(Form::loadedCount(), 0);
}

TEST_F(AccueilEcole, MiseAJourOuvreLAdresseEtTermine)
{
    ouvrir();
    menu(QStringLiteral("MNU_Aide"))->trigger();
    EXPECT_EQ(existingForm<FormAccueil>(), nullptr);
    ASSERT_EQ(shell.requests().size(), 1u);
    EXPECT_EQ(shell.requests()[0].target, QStringLiteral("https://mises-a-jour.example/telechargement/majVizmora.exe"));
}

} // namespace
