#include "tests/photographer/support/photographe_fixture.h"

#include <QAction>
#include <QTableWidget>
#include <QtTest/QTest>

#include <functional>

namespace {

template <class F>
bool visible()
{
    const F* form = existingForm<F>();
    return form && form->isVisible();
}

void ouvrirLigne(Accueil& accueil, int ligne)
{
    auto* table = accueil.findChild<QTableWidget*>(QStringLiteral("DBGridEtab"));
    const QPoint centre = table->visualItemRect(table->item(ligne, 1)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centre);
}

} // namespace

class AccueilNavigation : public PhotographeFixture {
protected:
    void renseignerPhotographe()
    {
        base().exec(QStringLiteral("INSERT INTO Photographe (NomP) VALUES ('Studio Lumière')"));
    }
    void declencher(Accueil& accueil, const char* entree)
    {
        accueil.findChild<QAction*>(QString::fromLatin1(entree))->trigger();
    }
};

TEST_F(AccueilNavigation, LesCommandesMontrentLeursFormulaires)
{
    renseignerPhotographe();
    const struct {
        const char* entree;
        std::function<bool()> montre;
        bool accueilReste;
    } cas[] = {
        {"Mnu_Photographe", visible<ParamPhotographe>, false},
        {"MNU_Nouveau", visible<FormNouvEtab>, false},
        {"MNU_App_Pho", visible<HotFolder>, true},
        {"MNU_Propos", visible<Propos>, true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.entree);
        Accueil& accueil = demarrer();
        declencher(accueil, c.entree);
        EXPECT_TRUE(c.montre());
        EXPECT_EQ(accueil.isVisible(), c.accueilReste);
        toutFermer();
    }
}

TEST_F(AccueilNavigation, SansFichePhotographeOnVaALaFiche)
{
    ajouterEtablissement(QStringLiteral("Ecole A"));
    Accueil& accueil = demarrer();
    dialogues_.message(QStringLiteral("Vous devez remplir la fiche photographe maintenant"));
    declencher(accueil, "MNU_Nouveau");
    EXPECT_TRUE(visible<ParamPhotographe>());
    EXPECT_FALSE(visible<FormNouvEtab>());
    EXPECT_FALSE(accueil.isVisible());
    toutFermer();

    dialogues_.message(QStringLiteral("Vous devez renseigner la fiche photographe pour continuer"));
    ouvrirLigne(demarrer(), 0);
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_TRUE(visible<ParamPhotographe>());
    EXPECT_EQ(existingForm<Accueil>(), nullptr);
}

TEST_F(AccueilNavigation, OuvrirMeneALImportOuALaPriseDeVue)
{
    renseignerPhotographe();
    ajouterEtablissement(QStringLiteral("Ecole sans élèves"));
    const QString avecEleves = ajouterEtablissement(QStringLiteral("Ecole avec élèves"));
    eleve(QStringLiteral("6A"), QStringLiteral("Martin"), QString(), avecEleves);

    // An empty area of the list opens nothing.
    Accueil& accueil = demarrer();
    auto* table = accueil.findChild<QTableWidget*>(QStringLiteral("DBGridEtab"));
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, table->viewport()->rect().bottomRight() - QPoint(5, 5));
    EXPECT_TRUE(accueil.isVisible());

    // The import asks for the school's list at once; cancelled, it says so.
    dialogues_.openFile(QString()).message(QStringLiteral("Opération annulée"));
    ouvrirLigne(accueil, 0);
    ASSERT_GE(dialogues_.prompts().size(), 1u);
    EXPECT_EQ(dialogues_.prompts().front().kind, ScriptedDialogs::Kind::OpenFile);
    toutFermer();

    dialogues_.message(QStringLiteral("Exporter le fichier établissement vers le bureau"), dialogs::Answer::No)
        .message(QStringLiteral("Commencer ou poursuivre la prise de vue maintenant ?"), dialogs::Answer::No);
    Accueil& retour = demarrer();
    ouvrirLigne(retour, 1);
    EXPECT_EQ(dialogues_.lastPrompt().title, QStringLiteral("Continuer ?"));
    EXPECT_TRUE(retour.isVisible());
    EXPECT_FALSE(visible<ChoixClasse>());
    EXPECT_EQ(etat::NomEtabEnCours, QStringLiteral("Ecole avec élèves"));

    dialogues_.message(QStringLiteral("Exporter le fichier établissement vers le bureau"), dialogs::Answer::No)
        .message(QStringLiteral("Commencer ou poursuivre la prise de vue maintenant ?"), dialogs::Answer::Yes);
    declencher(retour, "MNU_Ouvrir");
    EXPECT_TRUE(visible<ChoixClasse>());
    EXPECT_FALSE(retour.isVisible());
    EXPECT_EQ(etat::CodeEtabEnCours, avecEleves);
}
