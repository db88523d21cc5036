#include "photographer/prices/form_tarif_etab.h"
#include "photographer/prices/form_tarifs.h"
#include "photographer/prices/catalogue.h"
#include "tests/photographer/support/photographe_fixture.h"
#include "tests/support/forms_on_screen.h"
#include "tests/support/read_only_folder.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <functional>

namespace {

using Answer = dialogs::Answer;

void cliquer(QWidget* form, const char* nom)
{
    auto* bouton = form ? form->findChild<QPushButton*>(QString::fromLatin1(nom)) : nullptr;
    ASSERT_NE(bouton, nullptr) << nom;
    QTest::mouseClick(bouton, Qt::LeftButton);
}

void declencher(QWidget* form, const char* nom)
{
    QAction* entree = nullptr;
    for (QAction* action : form->findChildren<QAction*>(QString::fromLatin1(nom)))
        entree = action;
    ASSERT_NE(entree, nullptr) << nom;
    entree->setEnabled(true);
    entree->trigger();
}

} // namespace

// Whatever way each form of Zelvantis is left, the user then quits what is
// on the screen ("Quitter" on the main window, the close box elsewhere) and
// the program ends: no form stays loaded, hidden or not.
class QuitterZelvantis : public PhotographeFixture {
protected:
    QuitterZelvantis()
    {
        base().exec(QStringLiteral("INSERT INTO Photographe (NomP) VALUES ('Studio Lumière')"));
        for (const char* ref : {"a1", "a2", "a3"})
            catalogue::ajouterArticle(base(), {0, QString::fromLatin1(ref), QStringLiteral("Tirage ") + QString::fromLatin1(ref),
                                               QStringLiteral("5"), QStringLiteral("5")});
        catalogue::ajouterPochette(base(), {0, QStringLiteral("P3"), QStringLiteral("Pochette 3"), QStringLiteral("12"),
                                            QStringLiteral("15")});
        const QString code = ajouterEtablissement(QStringLiteral("Ecole Test"));
        eleve(QStringLiteral("6A"), QStringLiteral("Martin"), QStringLiteral("Léa"), code);
        ajouterEtablissement(QStringLiteral("Ecole vide"));
        EXPECT_TRUE(paths::ensureFolder(paths::join(etat::CheminDonnees, {QStringLiteral("Ecole Test BR")})));
        liste_ = Sandbox::writeFile(sandbox_.path(QStringLiteral("ecole/liste.csv")),
                                    "NOM;PRENOM;CLASSE\r\nDURAND;Paul;6A\r\n");
    }

    Accueil& accueil() { return *existingForm<Accueil>(); }

    static void saisir(QWidget* form, const char* nom, const QString& texte)
    {
        auto* boite = form->findChild<QLineEdit*>(QString::fromLatin1(nom));
        ASSERT_NE(boite, nullptr) << nom;
        boite->setFocus();
        taper(boite, texte);
    }

    void ouvrirEtablissement(const QString& nom)
    {
        auto* table = accueil().findChild<QTableWidget*>(QStringLiteral("DBGridEtab"));
        for (int ligne = 0; ligne < table->rowCount(); ++ligne) {
            for (int colonne = 0; colonne < table->columnCount(); ++colonne) {
                if (table->item(ligne, colonne) && table->item(ligne, colonne)->text() == nom) {
                    const QPoint centre = table->visualItemRect(table->item(ligne, colonne)).center();
                    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre);
                    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centre);
                    return;
                }
            }
        }
        ADD_FAILURE() << "no establishment " << nom.toStdString();
    }
    ChoixClasse* ouvrirPriseDeVue()
    {
        dialogues_.message(QStringLiteral("Exporter le fichier établissement"), Answer::No)
            .message(QStringLiteral("Commencer ou poursuivre la prise de vue"), Answer::Yes);
        ouvrirEtablissement(QStringLiteral("Ecole Test"));
        return existingForm<ChoixClasse>();
    }
    FormTarifEtab* ouvrirAssistant()
    {
        ChoixClasse* ecran = ouvrirPriseDeVue();
        dialogues_.message(QStringLiteral("ressaisir les tarifs"), Answer::Ok);
        declencher(ecran, "MNU_Tarif_Etab");
        return existingForm<FormTarifEtab>();
    }
    // A delivery window that finds no establishment to deliver.
    Form* livraisonEnEchec(const char* entree)
    {
        ChoixClasse* ecran = ouvrirPriseDeVue();
        etat::CodeEtabEnCours.clear();
        dialogues_.message(QStringLiteral("Aucun établissement n'est ouvert"));
        declencher(ecran, entree);
        return forms_on_screen::shown();
    }
    // The exchange export cannot write its folder on the desktop. That folder is
    // made read-only itself: an earlier export may have left it there, and a
    // read-only desktop does not protect a folder already in it from its owner.
    Form* exportEnEchec()
    {
        const QString dossier = paths::join(paths::desktop(), {QStringLiteral("Operateur")});
        EXPECT_TRUE(paths::ensureFolder(dossier));
        ReadOnlyFolder lectureSeule(dossier);
        dialogues_.message(QStringLiteral("Exporter le fichier établissement"), Answer::Yes).message(QString());
        ouvrirEtablissement(QStringLiteral("Ecole Test"));
        return forms_on_screen::shown();
    }
    OuvrirEtab* ouvrirImport()
    {
        dialogues_.openFile(liste_);
        ouvrirEtablissement(QStringLiteral("Ecole vide"));
        return existingForm<OuvrirEtab>();
    }

    void quitter()
    {
        forms_on_screen::quitAll([](Form& form) {
            if (!qobject_cast<Accueil*>(&form))
                return false;
            cliquer(&form, "Bt_Quitter");
            return true;
        });
    }

    QString liste_;
};

TEST_F(QuitterZelvantis, ChaqueSortieDeChaqueFormeLaisseLeProgrammeFinir)
{
    using Parcours = std::function<void()>;
    const struct {
        const char* sortie;
        Parcours parcours;
    } cas[] = {
        {"Accueil, Quitter", [this] { cliquer(&accueil(), "Bt_Quitter"); }},
        {"Accueil, Fichier > Quitter", [this] { declencher(&accueil(), "MNU_Quitter"); }},
        {"Accueil, case de fermeture", [this] { accueil().close(); }},
        {"Accueil, mise à jour", [this] { declencher(&accueil(), "Mnu_maj"); }},
        {"Photographe, Ok",
         [this] {
             declencher(&accueil(), "Mnu_Photographe");
             cliquer(existingForm<ParamPhotographe>(), "Bt_Photo_0");
         }},
        {"Photographe, case de fermeture",
         [this] {
             declencher(&accueil(), "Mnu_Photographe");
             existingForm<ParamPhotographe>()->close();
         }},
        {"Nouvel établissement, Valider",
         [this] {
             declencher(&accueil(), "MNU_Nouveau");
             saisir(existingForm<FormNouvEtab>(), "TextNom", QStringLiteral("Ecole Neuve"));
             saisir(existingForm<FormNouvEtab>(), "TextCP", QStringLiteral("69005"));
             cliquer(existingForm<FormNouvEtab>(), "Bt_Valide");
         }},
        {"Nouvel établissement, Annuler",
         [this] {
             declencher(&accueil(), "MNU_Nouveau");
             cliquer(existingForm<FormNouvEtab>(), "Bt_Annuler");
         }},
        {"Nouvel établissement, case de fermeture",
         [this] {
             declencher(&accueil(), "MNU_Nouveau");
             existingForm<FormNouvEtab>()->close();
         }},
        {"Dossier surveillé, Ok",
         [this] {
             declencher(&accueil(), "MNU_App_Pho");
             cliquer(existingForm<HotFolder>(), "bt_ok");
         }},
        {"Dossier surveillé, Annuler",
         [this] {
             declencher(&accueil(), "MNU_App_Pho");
             cliquer(existingForm<HotFolder>(), "Bt_Annuler");
         }},
        {"A propos, Ok",
         [this] {
             declencher(&accueil(), "MNU_Propos");
             cliquer(existingForm<Propos>(), "Bt_Ok");
         }},
        {"A propos, laissé ouvert", [this] { declencher(&accueil(), "MNU_Propos"); }},
        {"Tarifs photographe, Retour",
         [this] {
             declencher(&accueil(), "MNU_TarifsG");
             cliquer(existingForm<FormTarifs>(), "Bt_retour");
         }},
        {"Tarifs photographe, case de fermeture",
         [this] {
             declencher(&accueil(), "MNU_TarifsG");
             existingForm<FormTarifs>()->close();
         }},
        {"Import des élèves, fichier refusé",
         [this] {
             dialogues_.openFile(QString()).message(QStringLiteral("annulée"));
             ouvrirEtablissement(QStringLiteral("Ecole vide"));
         }},
        {"Import des élèves, Annuler", [this] { cliquer(ouvrirImport(), "Bt_Charge_1"); }},
        {"Import des élèves, Fichier > Fermer", [this] { declencher(ouvrirImport(), "Mnu_Fermer"); }},
        {"Import des élèves, case de fermeture", [this] { ouvrirImport()->close(); }},
        {"Prise de vue, Fermer", [this] { cliquer(ouvrirPriseDeVue(), "Bt_Quitter_2"); }},
        {"Prise de vue, case de fermeture", [this] { ouvrirPriseDeVue()->close(); }},
        {"Tarifs établissement, Terminer",
         [this] {
             FormTarifEtab* assistant = ouvrirAssistant();
             saisir(assistant, "TextSaisiePrixEleve", QStringLiteral("20"));
             cliquer(assistant, "Bt_Suite_1_0");
             QCheckBox* coche = assistant->findChild<QCheckBox*>(QStringLiteral("CheckArticle_0"));
             QTest::mouseClick(coche, Qt::LeftButton, {}, QPoint(8, coche->height() / 2));
             saisir(assistant, "TextRecPrixArticle_0", QStringLiteral("6"));
             cliquer(assistant, "Bt_Suite_1_1");
             saisir(assistant, "TextPrixEtabPoInc_0", QStringLiteral("20"));
             dialogues_.message(QStringLiteral("Tarifs enregistrés"));
             cliquer(assistant, "Bt_Suite_1_2");
         }},
        {"Tarifs établissement, Fichier > Retour",
         [this] {
             FormTarifEtab* assistant = ouvrirAssistant();
             dialogues_.message(QStringLiteral("n'ont pas été modifiés"));
             declencher(assistant, "MNU_Retour");
         }},
        {"Tarifs établissement, case de fermeture",
         [this] {
             FormTarifEtab* assistant = ouvrirAssistant();
             dialogues_.message(QStringLiteral("n'ont pas été modifiés"));
             assistant->close();
         }},
        {"Paquet de l'école en échec, Ok",
         [this] { cliquer(livraisonEnEchec("MNU_avecVizmora"), "Command1"); }},
        {"Paquet de l'école en échec, case de fermeture",
         [this] { livraisonEnEchec("MNU_avecVizmora")->close(); }},
        {"Jeu de photos en échec, Ok", [this] { cliquer(livraisonEnEchec("MNU_HD1"), "Command1"); }},
        {"Jeu de photos en échec, case de fermeture",
         [this] { livraisonEnEchec("MNU_HD2")->close(); }},
        {"Jeu de photos livré",
         [this] {
             ChoixClasse* ecran = ouvrirPriseDeVue();
             dialogues_.message(QStringLiteral("Transfert terminé."));
             declencher(ecran, "MNU_Photos_Nom_prenom");
         }},
        {"Export de l'établissement livré",
         [this] {
             dialogues_.message(QStringLiteral("Exporter le fichier établissement"), Answer::Yes)
                 .message(QStringLiteral("Exportation terminée"));
             ouvrirEtablissement(QStringLiteral("Ecole Test"));
         }},
        {"Export de l'établissement en échec, Ok", [this] { cliquer(exportEnEchec(), "Command1"); }},
        {"Export de l'établissement en échec, case de fermeture",
         [this] {
             Form* echec = exportEnEchec();
             ASSERT_NE(echec, nullptr);
             echec->close();
         }},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.sortie);
        demarrer();
        c.parcours();
        quitter();
        EXPECT_EQ(Form::loadedCount(), 0) << forms_on_screen::loaded().join(u',').toStdString();
        EXPECT_TRUE(dialogues_.allAnswered());
        toutFermer();
        decharger<FormTarifs, FormTarifEtab>();
    }
}
