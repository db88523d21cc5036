#include "school/sales/form_carte_ident.h"
#include "school/sales/form_vente.h"
#include "school/data/base.h"
#include "school/data/etat.h"
#include "school/workspace/nouvel_eleve.h"
#include "tests/school/sales/tarif_exemple.h"
#include "tests/school/support/pilote_fenetre.h"
#include "tests/school/support/school_fixture.h"
#include "tests/support/recording_shell.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QTest>

#include <utility>

namespace {

// A delivered school numbers its students 1, 2, 3 while their order codes are
// the photographer's keys, which can be anything: here the next school key, 4,
// is a delivered student's order code.
class EleveAjoute : public ::testing::Test, protected PiloteFenetre {
protected:
    EleveAjoute()
        : PiloteFenetre([]() -> QWidget* {
              if (auto* carte = existingForm<FormCarteIdent>())
                  return carte;
              return existingForm<FormVente>();
          })
    {
        exemple::remplirTarifs(base::db());
        const std::pair<const char*, const char*> livres[] = {{"ARNAUD", "2"}, {"DUPONT", "4"}, {"MOREL", "7"}};
        for (const auto& [nom, code] : livres)
            base::db().insert(QStringLiteral("INSERT INTO Eleves (Classe, Nom, Prenom, NomPhoto, CodeEtablissement)"
                                             " VALUES ('6A', ?1, 'Léa', ?2, ?2)"),
                              {QString::fromLatin1(nom), QString::fromLatin1(code)});
    }

    void TearDown() override
    {
        for (Form* form : std::initializer_list<Form*>{existingForm<FormCarteIdent>(), existingForm<FormVente>()})
            if (form)
                form->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Opens the student's card and orders the complete pack; answers what the panel offered.
    QString commanderLaPochette(qint64 cdeEleve)
    {
        etat::CdeEleveChoisi = QString::number(cdeEleve);
        formInstance<FormCarteIdent>().showForm();
        cliquer(QStringLiteral("Bt_ValideIdentite_2"));
        const QString mode = controle<QLabel>(QStringLiteral("LbCommande"))->text();
        auto* pochette = controle<QCheckBox>(QStringLiteral("CheckPochette"));
        QTest::mouseClick(pochette, Qt::LeftButton, {}, QPoint(8, pochette->height() / 2));
        cliquer(QStringLiteral("Bt_ValideIdentite_0"));
        return mode;
    }

    QString lignes()
    {
        return base::db().scalar(
            QStringLiteral("SELECT group_concat(Num_Eleves || ' ' || Nom, ';') FROM (SELECT * FROM Ventes ORDER BY CdeVente)"));
    }

    SchoolFixture ecole;
    RecordingShell shell;
    ScriptedDialogs dialogues;
};

TEST_F(EleveAjoute, SesCommandesNeSeMelentJamaisACellesDUnEleveLivre)
{
    const QString photo = Sandbox::writeFile(ecole.sandbox().path(QStringLiteral("zola.jpg")), "portrait");
    const nouvel_eleve::Resultat zola = nouvel_eleve::enregistrer(
        base::db(), ecole.dossier(), QStringLiteral("6A"), QStringLiteral("ZOLA"), QStringLiteral("Émile"), photo);
    ASSERT_EQ(zola.erreur, QString());
    ASSERT_EQ(zola.cle, 4);

    EXPECT_EQ(commanderLaPochette(2), QStringLiteral("Commande"));
    // The delivered student's order is no order of the new student's.
    EXPECT_EQ(commanderLaPochette(zola.cle), QStringLiteral("Commande"));
    EXPECT_EQ(lignes(), QStringLiteral("4 DUPONT;%1 ZOLA").arg(zola.racine));

    formInstance<FormVente>().showForm();
    const QString date = base::db().scalar(QStringLiteral("SELECT DateCommande FROM Ventes LIMIT 1"));
    choisir(QStringLiteral("DBComboDateCom"), date);
    EXPECT_EQ(entrees(QStringLiteral("DBComboNom")),
              (QStringList{QStringLiteral("DUPONT Léa (6A)"), QStringLiteral("ZOLA Émile (6A)")}));
    choisir(QStringLiteral("DBComboNom"), QStringLiteral("ZOLA Émile (6A)"));
    dialogues.message(QStringLiteral("irréversible"), dialogs::Answer::Yes);
    cliquer(QStringLiteral("Bt_Sup"));
    EXPECT_EQ(lignes(), QStringLiteral("4 DUPONT"));
}

} // namespace
