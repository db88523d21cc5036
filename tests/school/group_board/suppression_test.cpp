#include "school/class_board/html.h"
#include "school/data/base.h"
#include "school/data/etat.h"
#include "tests/school/support/accueil_pilote.h"
#include "tests/school/support/school_fixture.h"
#include "tests/support/recording_shell.h"
#include "tests/support/scripted_dialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <functional>

namespace {

using dialogs::Answer;

const QString kQuestion = QStringLiteral("Voulez vous effacer cet élève de la base de donnée ?");

class Suppression : public ::testing::Test {
protected:
    void SetUp() override
    {
        etat::NomEtabEnCours.clear();
        ecole.nommerEtablissement(QStringLiteral("Lycée <Sud>"));
    }

    QString compter(const QString& sql, const db::Params& params = {})
    {
        return base::db().scalar(sql, params);
    }
    // Every row of both tables, whole, to tell that nothing but one row changed.
    QStringList empreinte()
    {
        QStringList lignes;
        for (const char* table : {"Eleves", "Goupes"})
            for (const db::Row& r : base::db().query(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(QLatin1String(table)))) {
                QString ligne = QString::fromLatin1(table);
                for (int i = 0; i < r.size(); ++i)
                    ligne += QLatin1Char('|') + r.at(i);
                lignes << ligne;
            }
        return lignes;
    }
    static QStringList sans(QStringList lignes, const char* table, qint64 cle)
    {
        const qsizetype retirees = lignes.removeIf([&](const QString& l) {
            return l.startsWith(QString::fromLatin1(table) + QLatin1Char('|') + QString::number(cle) + QLatin1Char('|'));
        });
        EXPECT_EQ(retirees, 1);
        return lignes;
    }
    QStringList nomsDeLaPlanche()
    {
        QStringList noms;
        for (int i = 0; i < accueil.planche().nombre(); ++i)
            noms << accueil.planche().cellule(i).nom;
        return noms;
    }
    void supprimer(int index, Answer reponse)
    {
        dialogues.message(kQuestion, reponse);
        accueil.cliquer(QStringLiteral("ImageSuppEleve_%1").arg(index));
    }
    QByteArray planche() { return SchoolFixture::lire(ecole.dossier() + QStringLiteral("/filetemp.html")); }

    SchoolFixture ecole;
    RecordingShell shell;
    ScriptedDialogs dialogues;
    AccueilPilote accueil;
};

TEST_F(Suppression, UnEleveDeClasseEstEffaceParSaCleEtLaPlancheSeResserre)
{
    const QString classe = QStringLiteral("Terminale S'");
    const qint64 amelie = ecole.ajouterEleve(classe, QStringLiteral("Ab & Co"), QStringLiteral("Amélie"));
    const qint64 bruno = ecole.ajouterEleve(classe, QStringLiteral("B'rien"), QStringLiteral("Bruno"));
    const qint64 carl = ecole.ajouterEleve(classe, QStringLiteral("C<d>"), QStringLiteral("Carl"), false);
    // A namesake of Bruno's in another class, and Bruno in a group: neither is touched.
    const qint64 homonyme = ecole.ajouterEleve(QStringLiteral("2A"), QStringLiteral("B'rien"), QStringLiteral("Bruno"));
    ecole.ajouterAuGroupe(QStringLiteral("Chorale"), bruno);
    accueil.ouvrir();
    accueil.afficherClasse(classe);
    const QByteArray cartes = SchoolFixture::lire(ecole.dossier() + QStringLiteral("/filetempCrte.html"));

    supprimer(1, Answer::No);
    EXPECT_EQ(compter(QStringLiteral("SELECT COUNT(*) FROM Eleves")), QStringLiteral("4"));
    EXPECT_EQ(accueil.planche().nombre(), 3);

    const QStringList avant = empreinte();
    supprimer(1, Answer::Yes);
    EXPECT_EQ(dialogues.lastPrompt().title, QStringLiteral("Suppression ?"));
    EXPECT_EQ(dialogues.lastPrompt().icon, dialogs::Icon::Question);
    EXPECT_EQ(dialogues.lastPrompt().buttons, dialogs::Buttons::YesNo);
    EXPECT_EQ(compter(QStringLiteral("SELECT COUNT(*) FROM Eleves WHERE CdeEleves = ?"), {bruno}), QStringLiteral("0"));
    EXPECT_EQ(empreinte(), sans(avant, "Eleves", bruno));
    EXPECT_EQ(compter(QStringLiteral("SELECT COUNT(*) FROM Eleves WHERE CdeEleves = ?"), {homonyme}), QStringLiteral("1"));

    EXPECT_EQ(nomsDeLaPlanche(), (QStringList{QStringLiteral("Ab & Co"), QStringLiteral("C<d>")}));
    EXPECT_EQ(accueil.controle<QLabel>(QStringLiteral("LbNum_1"))->text(), QString::number(carl));
    EXPECT_EQ(accueil.controle<QLabel>(QStringLiteral("LbNom_1"))->text(), QStringLiteral("C<d>"));
    EXPECT_TRUE(accueil.menu(QStringLiteral("MNU_Imprimer"))->isEnabled());
    EXPECT_TRUE(accueil.controle<QComboBox>(QStringLiteral("DBComboClasses"))->isEnabled());

    // The board document is rewritten in its after-removal form; the cards stay as the display wrote them.
    const QByteArray images = (ecole.dossierImages() + QLatin1Char('/')).toUtf8();
    EXPECT_EQ(planche(),
              "<HTML><HEAD><TITLE>Lyc\xE9" "e &lt;Sud&gt;</TITLE></HEAD>\r\n<BODY>\r\n\r\n"
              "<B>Classe :<br>Terminale S'</B><P><TABLE>\r\n"
              "<TR><td align=\"left\"valign=\"top\"width=\"116\"><img src=\"" + images + QByteArray::number(amelie) +
              ".jpg\"width=\"116\"height=\"176\"><font size=\"-1\"><br><center>Terminale S'<br>Am\xE9lie<br><B>Ab &amp; Co</B>"
              "</font></center></TD>\r\n"
              // No picture: the cell keeps its picture's place, naming no file.
              "<td align=\"left\"valign=\"top\"width=\"116\"><img src=\"\"width=\"116\""
              "height=\"176\"><font size=\"-1\"><br><center>Carl<br><B>C&lt;d&gt;</B></font></center></TD>\r\n");
    EXPECT_EQ(etat::FichierImpression, ecole.dossier() + QStringLiteral("/filetemp.html"));
    EXPECT_EQ(SchoolFixture::lire(ecole.dossier() + QStringLiteral("/filetempCrte.html")), cartes);
    EXPECT_TRUE(shell.requests().empty());
}

TEST_F(Suppression, UnEleveDejaEffaceEstSignaleEtLaPlancheMiseAJour)
{
    const auto cles = ecole.ajouterClasse(QStringLiteral("6A"), 3);
    accueil.ouvrir();
    accueil.afficherClasse(QStringLiteral("6A"));
    base::db().exec(QStringLiteral("DELETE FROM Eleves WHERE CdeEleves = ?"), {cles[0]});

    dialogues.message(kQuestion, Answer::Yes).message(QStringLiteral("n'est plus dans la base"));
    accueil.cliquer(QStringLiteral("ImageSuppEleve_0"));
    EXPECT_EQ(compter(QStringLiteral("SELECT COUNT(*) FROM Eleves")), QStringLiteral("2"));
    EXPECT_EQ(nomsDeLaPlanche(), (QStringList{QStringLiteral("Nom002"), QStringLiteral("Nom003")}));
}

// A class or a group with no one left leaves its list, and its board goes
// with its heading and its prints: no empty board is written or printed.
TEST_F(Suppression, LeDernierEleveEffaceLaPlancheQuitteLEcranAvecSaListe)
{
    ecole.ajouterAuGroupe(QStringLiteral("Chorale"), ecole.ajouterClasse(QStringLiteral("6A"), 1)[0]);
    ecole.ajouterClasse(QStringLiteral("5B"), 1);
    accueil.ouvrir();
    const struct {
        const char* planche;
        std::function<void()> afficher;
        const char* liste;
        QStringList reste;
    } cas[] = {
        {"group", [&] { accueil.afficherGroupe(QStringLiteral("Chorale")); }, "DBComboGroupe", {}},
        {"class", [&] { accueil.afficherClasse(QStringLiteral("6A")); }, "DBComboClasses", {QStringLiteral("5B")}},
    };
    for (const auto& c : cas) {
        c.afficher();
        ASSERT_TRUE(accueil.menu(QStringLiteral("MNU_Imprimer"))->isEnabled()) << c.planche;
        const QByteArray document = planche();
        supprimer(0, Answer::Yes);
        EXPECT_EQ(accueil.planche().nombre(), 0) << c.planche;
        EXPECT_EQ(accueil.entrees(QString::fromLatin1(c.liste)), c.reste) << c.planche;
        for (const char* nom : {"LbType", "LbClasse"})
            EXPECT_TRUE(accueil.controle<QLabel>(QString::fromLatin1(nom))->isHidden()) << c.planche << nom;
        for (const char* nom : {"MNU_Imprimer", "MNU_CARTES", "MNU_Etiquettes", "MNU_Trimestre"})
            EXPECT_FALSE(accueil.menu(QString::fromLatin1(nom))->isEnabled()) << c.planche << nom;
        EXPECT_EQ(planche(), document) << c.planche;
    }
    EXPECT_TRUE(shell.requests().empty());
}

TEST_F(Suppression, PendantLAssistantUnClicSurUneClasseNEffaceRien)
{
    const auto cles = ecole.ajouterClasse(QStringLiteral("6A"), 2);
    // A membership whose key equals a student key: the class cell must never reach it.
    ecole.ajouterAuGroupe(QStringLiteral("Chorale"), cles[0]);
    accueil.ouvrir();
    accueil.cliquer(QStringLiteral("Bt_Creer_Groupe"));
    accueil.choisir(QStringLiteral("DBComboClasses"), QStringLiteral("6A"));
    accueil.cliquer(QStringLiteral("Bt_Aficher"));
    ASSERT_EQ(accueil.planche().nombre(), 2);
    ASSERT_TRUE(etat::ModeCreationGroupe);

    const QStringList avant = empreinte();
    Q_EMIT accueil.planche().suppressionDemandee(0); // no question: nothing can be deleted here
    EXPECT_EQ(empreinte(), avant);
    EXPECT_EQ(accueil.planche().nombre(), 2);
}

TEST_F(Suppression, UnMembreQuitteLeGroupeAfficheSeulement)
{
    const auto cles = ecole.ajouterClasse(QStringLiteral("6A"), 3);
    const qint64 ligne0 = ecole.ajouterAuGroupe(QStringLiteral("Chorale"), cles[0]);
    ecole.ajouterAuGroupe(QStringLiteral("Chorale"), cles[1]);
    ecole.ajouterAuGroupe(QStringLiteral("Chorale"), cles[2]);
    const qint64 autreGroupe = ecole.ajouterAuGroupe(QStringLiteral("Atelier"), cles[0]);
    accueil.ouvrir();
    accueil.afficherGroupe(QStringLiteral("Chorale"));

    const QStringList avant = empreinte();
    supprimer(0, Answer::Yes);
    EXPECT_EQ(empreinte(), sans(avant, "Goupes", ligne0));
    EXPECT_EQ(compter(QStringLiteral("SELECT COUNT(*) FROM Goupes WHERE CdeGroupes = ?"), {autreGroupe}), QStringLiteral("1"));
    EXPECT_EQ(compter(QStringLiteral("SELECT COUNT(*) FROM Eleves")), QStringLiteral("3"));

    EXPECT_EQ(accueil.planche().type(), TypePlanche::Groupe);
    EXPECT_EQ(nomsDeLaPlanche(), (QStringList{QStringLiteral("Nom002"), QStringLiteral("Nom003")}));
    EXPECT_EQ(accueil.menu(QStringLiteral("MNU_Imprimer"))->text(), QStringLiteral("Imprimer Groupe en cours..."));
    EXPECT_FALSE(accueil.controle<QPushButton>(QStringLiteral("Aff_Groupe"))->isEnabled());
    const QByteArray document = planche();
    EXPECT_TRUE(document.contains("<B>Groupe :<br>Chorale</B>"));
    EXPECT_EQ(document.count("<td align="), 2);
    EXPECT_FALSE(document.contains("Nom001"));

    // Twice more: the group loses its last member and leaves the list.
    supprimer(0, Answer::Yes);
    supprimer(0, Answer::Yes);
    EXPECT_EQ(accueil.planche().nombre(), 0);
    EXPECT_EQ(accueil.entrees(QStringLiteral("DBComboGroupe")), QStringList{QStringLiteral("Atelier")});
    EXPECT_EQ(compter(QStringLiteral("SELECT COUNT(*) FROM Eleves")), QStringLiteral("3"));
}

// Scrolled to the end of a board of 50, a removal in the last row leaves the
// view where it was, on a class board as on a group board.
TEST_F(Suppression, LaPlancheGardeSonDefilement)
{
    for (const qint64 cle : ecole.ajouterClasse(QStringLiteral("6A"), 50))
        ecole.ajouterAuGroupe(QStringLiteral("Chorale"), cle);
    accueil.ouvrir();
    const struct {
        const char* planche;
        std::function<void()> afficher;
    } cas[] = {
        {"class", [&] { accueil.afficherClasse(QStringLiteral("6A")); }},
        {"group", [&] { accueil.afficherGroupe(QStringLiteral("Chorale")); }},
    };
    for (const auto& c : cas) {
        c.afficher();
        QScrollBar* vertical = accueil.controle<QScrollBar>(QStringLiteral("VScroll1"));
        ASSERT_GT(vertical->maximum(), 0) << c.planche;
        vertical->setValue(vertical->maximum());
        const int fin = vertical->value();
        supprimer(accueil.planche().nombre() - 2, Answer::Yes);
        EXPECT_EQ(vertical->value(), fin) << c.planche;
        EXPECT_EQ(accueil.planche().nombre(), 49) << c.planche;
    }
}

// After a removal, the board document names the class in its first cell and
// shows the surnames from its fifth row on plain.
TEST(PlancheApresSuppression, FormeDesCellulesParRangee)
{
    std::vector<html::Entree> entrees;
    for (int i = 0; i < 37; ++i)
        entrees.push_back({QStringLiteral("N%1").arg(i), QStringLiteral("P%1").arg(i), QStringLiteral("6A"),
                           QStringLiteral("p%1.jpg").arg(i)});
    const QStringList lignes = html::planche({QStringLiteral("É"), QStringLiteral("Classe :"), QStringLiteral("6A")},
                                             entrees, html::Forme::ClasseApresSuppression);
    const auto cellule = [&](int i) {
        for (const QString& l : lignes)
            if (l.contains(QStringLiteral("p%1.jpg\"").arg(i)))
                return l.mid(l.indexOf(QStringLiteral("<center>")) + 8);
        return QString();
    };
    struct Cas {
        int index;
        const char* texte;
    };
    for (const Cas& c : {Cas{0, "6A<br>P0<br><B>N0</B></font></center></TD>"}, Cas{1, "P1<br><B>N1</B></font></center></TD>"},
                         Cas{27, "P27<br><B>N27</B></font></center></TD>"},
                         Cas{28, "P28<br>N28<br></B></font></center></TD>"},
                         Cas{34, "P34<br>N34<br></B></font></center></TD>"},
                         Cas{35, "P35<br>N35<br></B></font></center></TD>"},
                         Cas{36, "P36<br>N36<br></B></font></center></TD>"}})
        EXPECT_EQ(cellule(c.index), QString::fromLatin1(c.texte)) << c.index;
    EXPECT_EQ(lignes[1], QStringLiteral("<B>Classe :<br>6A</B><P><TABLE>"));
    // One table: the print ends the pages where they are full.
    EXPECT_EQ(lignes.count(QStringLiteral("<p style=\"page-break-before: always;\">")), 0);
    EXPECT_EQ(lignes.filter(QStringLiteral("TABLE")).size(), 1);
}

} // namespace
