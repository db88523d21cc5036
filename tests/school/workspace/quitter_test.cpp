#include "school/printing/form_export.h"
#include "school/sales/form_carte_ident.h"
#include "school/sales/form_vente.h"
#include "school/workspace/a_propos.h"
#include "school/workspace/form_accueil.h"
#include "tests/school/support/accueil_pilote.h"
#include "tests/school/support/school_fixture.h"
#include "tests/support/forms_on_screen.h"
#include "tests/support/recording_shell.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QTest>

#include <functional>

namespace {

void appuyer(QWidget* form, const char* nom)
{
    auto* bouton = form ? form->findChild<QWidget*>(QString::fromLatin1(nom)) : nullptr;
    ASSERT_NE(bouton, nullptr) << nom;
    QTest::mouseClick(bouton, Qt::LeftButton);
}

// Whatever way each form of Vizmora is left, the user then quits what is on
// the screen (Fichier > Quitter on the main window, the close box elsewhere)
// and the program ends: no form stays loaded, hidden or not.
class QuitterVizmora : public ::testing::Test, protected AccueilPilote {
protected:
    QuitterVizmora() { ecole.ajouterClasse(QStringLiteral("6A"), 2); }

    FormAccueil& accueil() { return *existingForm<FormAccueil>(); }

    FormCarteIdent* ouvrirCarte()
    {
        afficherClasse(QStringLiteral("6A"));
        cliquer(QStringLiteral("Image2_0"));
        return existingForm<FormCarteIdent>();
    }
    FormExport* ouvrirExport()
    {
        menu(QStringLiteral("MNU_Logiciels"))->trigger();
        return existingForm<FormExport>();
    }

    void quitter()
    {
        forms_on_screen::quitAll([this](Form& form) {
            if (!qobject_cast<FormAccueil*>(&form))
                return false;
            menu(QStringLiteral("MNU_Quitter"))->trigger();
            return true;
        });
    }

    SchoolFixture ecole;
    RecordingShell shell;
    ScriptedDialogs dialogues;
};

TEST_F(QuitterVizmora, ChaqueSortieDeChaqueFormeLaisseLeProgrammeFinir)
{
    const struct {
        const char* sortie;
        std::function<void()> parcours;
    } cas[] = {
        {"Accueil, Fichier > Quitter", [this] { menu(QStringLiteral("MNU_Quitter"))->trigger(); }},
        {"Accueil, case de fermeture", [this] { accueil().close(); }},
        {"Accueil, mise à jour", [this] { menu(QStringLiteral("MNU_Aide"))->trigger(); }},
        {"A propos, Ok",
         [this] {
             menu(QStringLiteral("Mnu_Propos"))->trigger();
             appuyer(existingForm<APropos>(), "Bt_Ok");
         }},
        {"A propos, laissé ouvert", [this] { menu(QStringLiteral("Mnu_Propos"))->trigger(); }},
        {"Ventes, Fermer",
         [this] {
             cliquer(QStringLiteral("Bt_Vente"));
             appuyer(existingForm<FormVente>(), "BtFermer");
         }},
        {"Ventes, case de fermeture",
         [this] {
             cliquer(QStringLiteral("Bt_Vente"));
             existingForm<FormVente>()->close();
         }},
        {"Carte d'identité, Valider", [this] { appuyer(ouvrirCarte(), "Bt_ValideIdentite_0"); }},
        {"Carte d'identité, Annuler", [this] { appuyer(ouvrirCarte(), "Bt_ValideIdentite_1"); }},
        {"Carte d'identité, case de fermeture", [this] { ouvrirCarte()->close(); }},
        {"Export, case de fermeture", [this] { ouvrirExport()->close(); }},
        {"Export, terminé",
         [this] {
             dialogues.message(QString());
             ouvrirExport();
             const PiloteFenetre exportation([] { return existingForm<FormExport>(); });
             exportation.choisir(QStringLiteral("ComboNom"), QStringLiteral("INE"));
             exportation.cliquer(QStringLiteral("Command2"));
             ASSERT_TRUE(QTest::qWaitFor([] { return existingForm<FormExport>() == nullptr; }, 10000));
         }},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.sortie);
        ouvrir();
        c.parcours();
        quitter();
        EXPECT_EQ(Form::loadedCount(), 0) << forms_on_screen::loaded().join(u',').toStdString();
        EXPECT_TRUE(dialogues.allAnswered());
        fermer();
    }
}

} // namespace
