#include "common/text.h"
#include "school/printing/recueils.h"
#include "school/data/base.h"
#include "school/data/etat.h"
#include "tests/school/support/accueil_pilote.h"
#include "tests/school/support/school_fixture.h"
#include "tests/support/recording_shell.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/small_disk.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using Request = RecordingShell::Request;

const QString kSautDePage = QStringLiteral("<p style=\"page-break-before: always;\">");

// The names of the cells of a document, in order ("<prénom>/<nom>").
QStringList cellules(const QString& document)
{
    static const QRegularExpression cellule(QStringLiteral("<center>(?:[^<]*<br>)?([^<]*)<br><[bB]>([^<]*)</[bB]>"));
    QStringList noms;
    for (const QRegularExpressionMatch& m : cellule.globalMatch(document))
        noms << m.captured(1) + QLatin1Char('/') + m.captured(2);
    return noms;
}

class Recueils : public ::testing::Test {
protected:
    void SetUp() override { ecole.nommerEtablissement(QStringLiteral("Lycée & Co")); }

    QString document(const char* nom)
    {
        return text::fromWindows1252(SchoolFixture::lire(ecole.dossier() + QLatin1Char('/') + QLatin1String(nom)));
    }
    QString chemin(const char* nom) { return ecole.dossier() + QLatin1Char('/') + QLatin1String(nom); }
    QStringList pages(const QString& doc, const QString& type)
    {
        static const QRegularExpression titre(QStringLiteral("<p><B>(\\w+) : ([^<]*)</B><br><TABLE>"));
        QStringList noms;
        for (const QRegularExpressionMatch& m : titre.globalMatch(doc)) {
            EXPECT_EQ(m.captured(1), type);
            noms << m.captured(2);
        }
        return noms;
    }

    SchoolFixture ecole;
    RecordingShell shell;
    ScriptedDialogs dialogues;
    AccueilPilote accueil;
};

TEST_F(Recueils, TousLesGroupesChacunSaPageEtChaqueMembre)
{
    const auto cinquante = ecole.ajouterClasse(QStringLiteral("6A"), 50);
    for (int i = 0; i < 43; ++i)
        ecole.ajouterAuGroupe(QStringLiteral("Atelier <B>"), cinquante[i]);
    ecole.ajouterAuGroupe(QStringLiteral("Zumba"), ecole.ajouterEleve(QStringLiteral("5B"), QStringLiteral("O'Neil & fils"),
                                                                      QStringLiteral("Léa")));
    accueil.ouvrir();
    accueil.afficherClasse(QStringLiteral("6A"));
    // A group made after the window opened is printed too.
    ecole.ajouterAuGroupe(QStringLiteral("Chorale"), cinquante[49]);

    accueil.menu(QStringLiteral("MNU_Groupes"))->trigger();

    EXPECT_EQ(shell.requests(), (std::vector<Request>{{QStringLiteral("print"), chemin("filetemp.html")},
                                                      {QStringLiteral("open"), chemin("filetemp.html")}}));
    EXPECT_EQ(etat::FichierImpression, chemin("filetemp.html"));
    const QString doc = document("filetemp.html");
    EXPECT_TRUE(doc.startsWith(QStringLiteral("<HTML><HEAD><TITLE>Lycée &amp; Co</TITLE></HEAD>\r\n<BODY>\r\n<p><B>Groupe : ")));
    EXPECT_EQ(pages(doc, QStringLiteral("Groupe")),
              (QStringList{QStringLiteral("Atelier &lt;B&gt;"), QStringLiteral("Chorale"), QStringLiteral("Zumba")}));
    QStringList attendus;
    for (int i = 1; i <= 43; ++i)
        attendus << QStringLiteral("Prénom 6A/Nom%1").arg(i, 3, 10, QLatin1Char('0'));
    attendus << QStringLiteral("Prénom 6A/Nom050") << QStringLiteral("Léa/O'Neil &amp; fils");
    EXPECT_EQ(cellules(doc), attendus);
    // A new page for each group, none after the last; the print ends a long group's pages where they are full.
    EXPECT_EQ(doc.count(kSautDePage), 2);
    EXPECT_TRUE(doc.endsWith(QStringLiteral("</TD>\r\n</TR></TABLE>\r\n")));
    EXPECT_EQ(doc.count(QStringLiteral("<TABLE>")), 3);

    // The board is gone from the window.
    EXPECT_EQ(accueil.planche().nombre(), 0);
    EXPECT_FALSE(etat::PlancheChargee);
    EXPECT_TRUE(accueil.controle<QLabel>(QStringLiteral("LbType"))->isHidden());
    EXPECT_FALSE(accueil.controle<QPushButton>(QStringLiteral("Bt_Aficher"))->isEnabled());
    EXPECT_FALSE(accueil.menu(QStringLiteral("MNU_Trimestre"))->isEnabled());
}

TEST_F(Recueils, ToutesLesClassesLuesAuMomentDeLImpression)
{
    ecole.ajouterClasse(QStringLiteral("5B"), 3);
    const auto vide = ecole.ajouterClasse(QStringLiteral("4C"), 2);
    ecole.ajouterEleve(QStringLiteral("Terminale S'"), QStringLiteral("<Zo>"), QStringLiteral("Ève"));
    accueil.ouvrir();
    accueil.afficherClasse(QStringLiteral("5B"));
    // Since the window opened: one class emptied by a move, one created by it.
    for (qint64 cle : vide)
        base::db().exec(QStringLiteral("UPDATE Eleves SET Classe = '3D' WHERE CdeEleves = ?"), {cle});

    accueil.menu(QStringLiteral("MNU_Imp_Toutes_Classes"))->trigger();

    const QString doc = document("filetemp.html");
    EXPECT_EQ(pages(doc, QStringLiteral("Classe")),
              (QStringList{QStringLiteral("Terminale S'"), QStringLiteral("5B"), QStringLiteral("3D")}));
    EXPECT_EQ(cellules(doc).size(), 6);
    EXPECT_TRUE(doc.contains(QStringLiteral("Ève<br><B>&lt;Zo&gt;</B>")));
    EXPECT_EQ(doc.count(kSautDePage), 2);
    EXPECT_EQ(shell.requests().size(), 2u);
    for (const char* entree : {"MNU_Imprimer", "MNU_CARTES", "MNU_Etiquettes", "MNU_Trimestre"})
        EXPECT_FALSE(accueil.menu(QString::fromLatin1(entree))->isEnabled()) << entree;
    EXPECT_EQ(accueil.planche().nombre(), 0);
}

// A collected print cancelled in the print dialog leaves the window as it
// was: the board, its prints, and the board document that they print.
TEST_F(Recueils, UneImpressionDeRecueilAnnuleeNeChangeRien)
{
    ecole.ajouterAuGroupe(QStringLiteral("Chorale"), ecole.ajouterClasse(QStringLiteral("5B"), 3)[0]);
    ecole.ajouterClasse(QStringLiteral("6A"), 2);
    accueil.ouvrir();
    accueil.afficherClasse(QStringLiteral("5B"));
    const QByteArray planche = SchoolFixture::lire(chemin("filetemp.html"));
    shell.cancelPrinting();
    for (const char* entree : {"MNU_Imp_Toutes_Classes", "MNU_Groupes"}) {
        accueil.menu(QString::fromLatin1(entree))->trigger();
        EXPECT_EQ(shell.requests().back(), (Request{QStringLiteral("print"), chemin("filetemp.html")})) << entree;
        EXPECT_EQ(accueil.planche().nombre(), 3) << entree;
        EXPECT_TRUE(etat::PlancheChargee) << entree;
        EXPECT_TRUE(accueil.controle<QLabel>(QStringLiteral("LbType"))->isVisible()) << entree;
        for (const char* menu : {"MNU_Imprimer", "MNU_CARTES", "MNU_Etiquettes", "MNU_Trimestre"})
            EXPECT_TRUE(accueil.menu(QString::fromLatin1(menu))->isEnabled()) << entree << menu;
        EXPECT_EQ(etat::FichierImpression, chemin("filetemp.html")) << entree;
        EXPECT_EQ(SchoolFixture::lire(chemin("filetemp.html")), planche) << entree;
    }
    EXPECT_EQ(shell.requests().size(), 2u); // two prints, nothing opened
    EXPECT_TRUE(dialogues.prompts().empty());
}

TEST_F(Recueils, UnDocumentQuiNePeutSEcrireNeVaPasAuShell)
{
    ecole.ajouterClasse(QStringLiteral("5B"), 2);
    accueil.ouvrir();
    accueil.choisir(QStringLiteral("DBComboClasses"), QStringLiteral("5B"));
    // A folder in the way of the document.
    QFile::remove(chemin("filetemp.html"));
    Sandbox::writeFile(chemin("filetemp.html") + QStringLiteral("/bloque.txt"), "x");

    dialogues.message(QStringLiteral("filetemp.html"));
    accueil.menu(QStringLiteral("MNU_Imp_Toutes_Classes"))->trigger();
    EXPECT_EQ(dialogues.prompts().size(), 1u);
    EXPECT_EQ(dialogues.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_TRUE(shell.requests().empty());
    EXPECT_EQ(etat::FichierImpression, QString());
}

// On a full disk no document of the boards is reported written: each
// command names its file in a French message, prints and opens nothing, and
// leaves the file that was there whole.
TEST(RecueilsDisquePlein, ChaqueDocumentNonEcritEstDitEtRienNeVaAuShell)
{
    Sandbox sandbox;
    SmallDisk disque(sandbox.path(QStringLiteral("vizmora2020")), 4 << 20);
    if (!disque.active())
        GTEST_SKIP() << "a small disk needs the tests to run as root";
    SchoolFixture ecole(sandbox);
    ecole.ajouterClasse(QStringLiteral("5B"), 3);
    RecordingShell shell;
    ScriptedDialogs dialogues;
    AccueilPilote accueil;
    accueil.ouvrir();
    const auto chemin = [&](const char* nom) { return ecole.dossier() + QLatin1Char('/') + QLatin1String(nom); };
    // The start-up put the document templates there: each rewrite would free
    // the page it takes, so the last page goes too.
    disque.fillLeaving(0);
    Sandbox::writeFile(chemin(".derniere-page"), QByteArray(4096, 'x'));
    std::map<std::string, QByteArray> modeles;
    for (const char* nom : {"filetemp.html", "filetempCrte.html", "filetempEtiq.html", "filetemp1.html"})
        modeles[nom] = SchoolFixture::lire(chemin(nom));

    dialogues.message(chemin("filetemp.html"));
    accueil.afficherClasse(QStringLiteral("5B"));
    const QStringList messages = dialogues.lastPrompt().text.split(u'\n');
    ASSERT_EQ(messages.size(), 3);
    for (const QString& message : messages)
        EXPECT_TRUE(message.contains(QStringLiteral("Le disque est plein."))) << message.toStdString();
    EXPECT_TRUE(messages[1].contains(chemin("filetempCrte.html")));
    EXPECT_TRUE(messages[2].contains(chemin("filetempEtiq.html")));
    for (const char* entree : {"MNU_Imprimer", "MNU_CARTES", "MNU_Etiquettes"})
        EXPECT_FALSE(accueil.menu(QString::fromLatin1(entree))->isEnabled()) << entree;

    dialogues.message(chemin("filetemp.html"));
    accueil.menu(QStringLiteral("MNU_Imp_Toutes_Classes"))->trigger();
    EXPECT_EQ(accueil.planche().nombre(), 3);
    dialogues.message(chemin("filetemp1.html"));
    accueil.menu(QStringLiteral("MNU_Trimestre"))->trigger();
    EXPECT_FALSE(accueil.menu(QStringLiteral("MNU_Imprimer"))->isEnabled());

    EXPECT_EQ(dialogues.prompts().size(), 3u);
    EXPECT_EQ(dialogues.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_TRUE(shell.requests().empty());
    EXPECT_EQ(etat::FichierImpression, QString());
    // The templates are still whole.
    for (const char* nom : {"filetemp.html", "filetempCrte.html", "filetempEtiq.html", "filetemp1.html"})
        EXPECT_EQ(SchoolFixture::lire(chemin(nom)), modeles[nom]) << nom;
}

TEST_F(Recueils, FicheTrimestrielleDeLaClasseAfficheeSeulement)
{
    const auto cles = ecole.ajouterClasse(QStringLiteral("6A"), 50);
    ecole.ajouterAuGroupe(QStringLiteral("Chorale"), cles[0]);
    // Without its coded picture, a student is shown by its name picture.
    QFile::remove(ecole.cheminPhoto(cles[1]));
    ASSERT_TRUE(SchoolFixture::ecrirePortrait(ecole.dossierImages() + QStringLiteral("/Nom002.Prénom 6A.jpg"), Qt::red));
    accueil.ouvrir();
    EXPECT_FALSE(accueil.menu(QStringLiteral("MNU_Trimestre"))->isEnabled());
    accueil.afficherClasse(QStringLiteral("6A"));
    ASSERT_TRUE(accueil.menu(QStringLiteral("MNU_Trimestre"))->isEnabled());

    accueil.menu(QStringLiteral("MNU_Trimestre"))->trigger();

    EXPECT_EQ(shell.requests(), (std::vector<Request>{{QStringLiteral("open"), chemin("filetemp1.html")}}));
    EXPECT_EQ(etat::FichierImpression, chemin("filetemp1.html"));
    const QString fiche = document("filetemp1.html");
    const QStringList lignes = fiche.split(QStringLiteral("\r\n"));
    EXPECT_EQ(lignes[3], QStringLiteral("<B>Feuille Trimestrielle<br>Classe : 6A</B><br><TABLE width= 750  border= 1 >"));
    EXPECT_EQ(fiche.count(QStringLiteral("<td width=\"182\">&nbsp;</td><td width=\"182\">&nbsp;</td>"
                                          "<td width=\"182\">&nbsp;</td>")),
              50);
    EXPECT_EQ(cellules(fiche).size(), 50);
    EXPECT_EQ(cellules(fiche).last(), QStringLiteral("Prénom 6A/Nom050"));
    EXPECT_TRUE(fiche.contains(QStringLiteral("/images/Nom002.Prénom 6A.jpg\"")));
    EXPECT_EQ(fiche.count(QStringLiteral("\r\n</TR><TR>\r\n")), 7); // before rows 7, 14, ... 49
    EXPECT_TRUE(fiche.endsWith(QStringLiteral("</TR></TABLE>\r\n")));

    // A group board offers no term sheet.
    accueil.afficherGroupe(QStringLiteral("Chorale"));
    EXPECT_FALSE(accueil.menu(QStringLiteral("MNU_Trimestre"))->isEnabled());
}

TEST(FicheTrimestrielle, UneClasseVideDonneLEnTeteSeul)
{
    const QStringList lignes = recueils::ficheTrimestrielle({QStringLiteral("É"), QStringLiteral("Classe :"), QStringLiteral("6A")}, {});
    ASSERT_EQ(lignes.size(), 4);
    EXPECT_TRUE(lignes[2].startsWith(QStringLiteral("<TR><td align=\"left\"valign=\"top\"width=\"116\">&nbsp;</TD>")));
    EXPECT_EQ(lignes[3], QStringLiteral("</TR></TABLE>"));
}

} // namespace
