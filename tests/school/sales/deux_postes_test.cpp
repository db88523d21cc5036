// Two Vizmora on one school folder: this program's windows, and another
// program's connection writing into the same database meanwhile.

#include "school/sales/fiche_eleve.h"
#include "school/sales/form_carte_ident.h"
#include "school/sales/form_vente.h"

#include "school/data/base.h"
#include "school/data/etat.h"
#include "tests/school/sales/tarif_exemple.h"
#include "tests/school/support/pilote_fenetre.h"
#include "tests/school/support/school_fixture.h"
#include "tests/support/recording_shell.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <functional>

namespace {

const QString kPochette = QStringLiteral("Je garde la pochette complète");
const QString kSup = QStringLiteral("Commande articles supplémentaires");

FicheEleve fiche(const QString& nom, const QString& regime)
{
    return {7, QStringLiteral("7"), QStringLiteral("6A"), nom, QStringLiteral("Léa"), QStringLiteral("01/09/2014"),
            regime, QStringLiteral("INE7"), QStringLiteral("N7"), QStringLiteral("7")};
}

// Each case: the record at the card's opening, on the card, and as stored
// now, with the answers given so far; the record to write and the fields left to ask about.
TEST(FusionFiche, ChaqueCoteGardeCeQuIlAChange)
{
    const FicheEleve ouverture = fiche(QStringLiteral("NOM10"), {});
    struct Cas {
        const char* quoi;
        FicheEleve saisie, actuelle;
        std::vector<ConflitFiche> reponses;
        QString nom, regime;
        QStringList aTrancher;
    };
    const QString interne = QStringLiteral("Interne");
    const QString demi = QStringLiteral("Demi-pension");
    const ConflitFiche oui{QStringLiteral("Régime"), interne, demi, true};
    const ConflitFiche non{QStringLiteral("Régime"), interne, demi, false};
    const std::vector<Cas> cas = {
        {"rien de change", ouverture, ouverture, {}, "NOM10", {}, {}},
        {"la carte seule", fiche("NOM10", demi), ouverture, {}, "NOM10", demi, {}},
        {"l'autre poste seul", ouverture, fiche("NOM10", interne), {}, "NOM10", interne, {}},
        {"chacun son champ", fiche("DURAND", {}), fiche("NOM10", interne), {}, "DURAND", interne, {}},
        {"la meme valeur des deux cotes", fiche("NOM10", interne), fiche("NOM10", interne), {}, "NOM10", interne, {}},
        {"le meme champ, sans reponse", fiche("DURAND", demi), fiche("NOM10", interne), {}, "DURAND", interne,
         {QStringLiteral("Régime|Interne|Demi-pension")}},
        {"Oui garde la carte", fiche("NOM10", demi), fiche("NOM10", interne), {oui}, "NOM10", demi, {}},
        {"Non garde l'autre poste", fiche("NOM10", demi), fiche("NOM10", interne), {non}, "NOM10", interne, {}},
        {"changé encore après la réponse", fiche("NOM10", demi), fiche("NOM10", QStringLiteral("Externe")), {oui},
         "NOM10", QStringLiteral("Externe"), {QStringLiteral("Régime|Externe|Demi-pension")}},
    };
    for (const Cas& c : cas) {
        const FusionFiche fusion = fiche_eleve::fusionner(ouverture, c.saisie, c.actuelle, c.reponses);
        EXPECT_EQ(fusion.aEcrire.nom, c.nom) << c.quoi;
        EXPECT_EQ(fusion.aEcrire.regime, c.regime) << c.quoi;
        QStringList aTrancher;
        for (const ConflitFiche& conflit : fusion.aTrancher)
            aTrancher << conflit.champ + u'|' + conflit.autre + u'|' + conflit.saisie;
        EXPECT_EQ(aTrancher, c.aTrancher) << c.quoi;
    }
}

class DeuxPostes : public ::testing::Test {
protected:
    DeuxPostes()
    {
        exemple::remplirTarifs(base::db());
        cle = ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("NOM10"), QStringLiteral("Léa"));
        etat::FichierImpression.clear();
    }

    void TearDown() override
    {
        if (auto* carte = existingForm<FormCarteIdent>())
            carte->unload();
        if (auto* liste = existingForm<FormVente>())
            liste->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The card of NOM10, as a click on the portrait opens it.
    void ouvrirCarte()
    {
        etat::CdeEleveChoisi = QString::number(cle);
        etat::IndexPhotoChoisie = 0;
        formInstance<FormCarteIdent>().showForm();
    }
    // The order panel with the complete pack ticked.
    void cocherPochette()
    {
        carte.cliquer(QStringLiteral("Bt_ValideIdentite_2"));
        auto* pochette = carte.controle<QCheckBox>(QStringLiteral("CheckPochette"));
        QTest::mouseClick(pochette, Qt::LeftButton, {}, QPoint(8, pochette->height() / 2));
        ASSERT_TRUE(pochette->isChecked());
    }
    void valider() { carte.cliquer(QStringLiteral("Bt_ValideIdentite_0")); }

    QString eleve(const char* champ)
    {
        return base::db().scalar(QStringLiteral("SELECT %1 FROM Eleves WHERE CdeEleves = ?").arg(QLatin1String(champ)),
                                 {cle});
    }
    QString lignes(const QString& champs)
    {
        return base::db().scalar(
            QStringLiteral("SELECT group_concat(%1, ';') FROM (SELECT * FROM Ventes ORDER BY CdeVente)").arg(champs));
    }

    SchoolFixture ecole;
    RecordingShell shell;
    ScriptedDialogs dialogues;
    // The other Vizmora, on the same file.
    db::Database autrePoste{base::cheminBase()};
    PiloteFenetre carte{[] { return existingForm<FormCarteIdent>(); }};
    PiloteFenetre liste{[] { return existingForm<FormVente>(); }};
    qint64 cle = 0;
};

TEST_F(DeuxPostes, UneCarteOuverteAvantUnChangementDeClasseCommandeDansLaNouvelleEtGardeLeRegimeDeLAutre)
{
    ouvrirCarte();
    autrePoste.exec(QStringLiteral("UPDATE Eleves SET Classe = '5B', Regime = 'Interne', Nom = 'NOM-DIX'"
                                   " WHERE CdeEleves = ?"),
                    {cle});
    carte.controle<QLineEdit>(QStringLiteral("TextINE"))->setText(QStringLiteral("INE-CARTE"));
    cocherPochette();
    valider();

    EXPECT_EQ(existingForm<FormCarteIdent>(), nullptr);
    EXPECT_EQ(eleve("Regime"), QStringLiteral("Interne"));
    EXPECT_EQ(eleve("Classe"), QStringLiteral("5B"));
    EXPECT_EQ(eleve("INE"), QStringLiteral("INE-CARTE"));
    EXPECT_EQ(eleve("CodeEtablissement"), QString::number(cle));
    // The line is counted where the pupil is, under the name he has now.
    EXPECT_EQ(lignes(QStringLiteral("Classe || '|' || Nom || '|' || Num_Eleves || '|' || ArticlesPrixPro")),
              QStringLiteral("5B|NOM-DIX|%1|%2").arg(cle).arg(kPochette));
}

TEST_F(DeuxPostes, UnMemeChampChangeDesDeuxCotesEstDemande)
{
    for (const dialogs::Answer reponse : {dialogs::Answer::No, dialogs::Answer::Yes}) {
        base::db().exec(QStringLiteral("UPDATE Eleves SET Regime = 'Externe', NumInterne = 'N1' WHERE CdeEleves = ?"),
                        {cle});
        ouvrirCarte();
        autrePoste.exec(QStringLiteral("UPDATE Eleves SET Regime = 'Interne', INE = 'INE-AUTRE' WHERE CdeEleves = ?"),
                        {cle});
        carte.controle<QLineEdit>(QStringLiteral("TextRegime"))->setText(QStringLiteral("Demi-pension"));
        carte.controle<QLineEdit>(QStringLiteral("TextNumInterne"))->setText(QStringLiteral("N2"));
        dialogues.message(QStringLiteral("La fiche de NOM10 Léa a été modifiée sur un autre poste"), reponse);
        valider();

        const bool oui = reponse == dialogs::Answer::Yes;
        ASSERT_EQ(existingForm<FormCarteIdent>(), nullptr) << oui;
        const ScriptedDialogs::Prompt& question = dialogues.lastPrompt();
        EXPECT_TRUE(question.text.contains(
            QStringLiteral("Régime : « Interne » sur l'autre poste, « Demi-pension » sur cette fiche.")))
            << question.text.toStdString();
        EXPECT_EQ(question.buttons, dialogs::Buttons::YesNo);
        EXPECT_EQ(eleve("Regime"), oui ? QStringLiteral("Demi-pension") : QStringLiteral("Interne")) << oui;
        // Whatever the answer, a change made on one side only is kept.
        EXPECT_EQ(eleve("INE"), QStringLiteral("INE-AUTRE")) << oui;
        EXPECT_EQ(eleve("NumInterne"), QStringLiteral("N2")) << oui;
    }
}

// A message box that runs something before it answers.
class QuestionPendantLaquelle : public dialogs::Service {
public:
    explicit QuestionPendantLaquelle(std::function<dialogs::Answer(const QString&)> repondre)
        : repondre_(std::move(repondre))
    {
    }
    dialogs::Answer message(const QString& text, const QString&, dialogs::Icon, dialogs::Buttons) override
    {
        questions.push_back(text);
        return repondre_(text);
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString openFile(const dialogs::FileRequest&) override { return {}; }

    QStringList questions;

private:
    std::function<dialogs::Answer(const QString&)> repondre_;
};

// The question does not hold the database: the other secretary can still
// write while it is open, and a value changed again meanwhile is asked about again.
TEST_F(DeuxPostes, LaQuestionNeBloquePasLAutrePosteEtUnNouveauChangementEstRedemande)
{
    const FicheEleve ouverture = *fiche_eleve::lire(base::db(), QString::number(cle));
    FicheEleve saisie = ouverture;
    saisie.regime = QStringLiteral("Demi-pension");
    autrePoste.exec(QStringLiteral("UPDATE Eleves SET Regime = 'Interne' WHERE CdeEleves = ?"), {cle});

    auto question = std::make_unique<QuestionPendantLaquelle>([&](const QString& texte) {
        if (texte.contains(QStringLiteral("« Interne »"))) {
            autrePoste.exec(QStringLiteral("UPDATE Eleves SET Regime = 'Pensionnaire' WHERE CdeEleves = ?"), {cle});
            return dialogs::Answer::Yes;
        }
        return dialogs::Answer::No;
    });
    QuestionPendantLaquelle* questions = question.get();
    std::unique_ptr<dialogs::Service> scripte = dialogs::install(std::move(question));
    const fiche_eleve::Enregistrement issue = fiche_eleve::enregistrer(
        base::db(), ouverture, saisie,
        {exemple::ligne(QStringLiteral("2026-03-09"), {}, {}, {}, kPochette, QStringLiteral("15,00"),
                        QStringLiteral("10,00"), QStringLiteral("1"))});
    const QStringList posees = questions->questions;
    dialogs::install(std::move(scripte));

    EXPECT_EQ(issue, fiche_eleve::Enregistrement::Enregistre);
    ASSERT_EQ(posees.size(), 2);
    EXPECT_TRUE(posees[1].contains(QStringLiteral("« Pensionnaire »"))) << posees[1].toStdString();
    EXPECT_EQ(eleve("Regime"), QStringLiteral("Pensionnaire"));
    EXPECT_EQ(lignes(QStringLiteral("Nom || '|' || Classe")), QStringLiteral("NOM10|6A"));
}

// The list shows NOM11's order of the day, then the other secretary adds a
// line to it or removes some of its lines: "Supprimer..." removes exactly
// the lines shown and says which were already gone.
TEST_F(DeuxPostes, SupprimerNeRetireQueLesLignesMontrees)
{
    struct Cas {
        int retireesAilleurs;
        QString message; // "" when nothing is said
    };
    const std::vector<Cas> cas = {
        {0, {}},
        {1, QStringLiteral("Commande de NOM11 Max (6A) du 2026-03-09 : 1 ligne sur 2 avait déjà été supprimée ;"
                           " l'autre vient de l'être.")},
        {2, QStringLiteral("Cette commande a déjà été supprimée (Commande de NOM11 Max (6A) du 2026-03-09).")},
    };
    for (const Cas& c : cas) {
        base::db().exec(QStringLiteral("DELETE FROM Ventes"));
        exemple::inserer(base::db(),
                         {exemple::ligne(QStringLiteral("2026-03-09"), QStringLiteral("11"), QStringLiteral("NOM11"),
                                         QStringLiteral("Max"), kPochette, QStringLiteral("15,00"),
                                         QStringLiteral("10,00"), QStringLiteral("1")),
                          exemple::ligne(QStringLiteral("2026-03-09"), QStringLiteral("11"), QStringLiteral("NOM11"),
                                         QStringLiteral("Max"), kSup, QStringLiteral("4,00"), QStringLiteral("2,00"),
                                         QStringLiteral("1"))});
        formInstance<FormVente>().showForm();
        liste.choisir(QStringLiteral("DBComboDateCom"), QStringLiteral("2026-03-09"));
        liste.choisir(QStringLiteral("DBComboNom"), QStringLiteral("NOM11 Max (6A)"));

        // Meanwhile on the other computer: an enlargement for NOM11, and lines removed.
        LigneVente agrandissement =
            exemple::ligne(QStringLiteral("2026-03-09"), QStringLiteral("11"), QStringLiteral("NOM11"),
                           QStringLiteral("Max"), kSup, QStringLiteral("11,50"), QStringLiteral("6,00"),
                           QStringLiteral("1"));
        agrandissement.nomArticles = QStringLiteral("Agrandissement 18x24");
        exemple::inserer(autrePoste, {agrandissement});
        autrePoste.exec(QStringLiteral("DELETE FROM Ventes WHERE CdeVente IN"
                                       " (SELECT CdeVente FROM Ventes ORDER BY CdeVente LIMIT ?)"),
                        {c.retireesAilleurs});

        dialogues.message(QStringLiteral("irréversible"), dialogs::Answer::Yes);
        if (!c.message.isEmpty())
            dialogues.message(c.message);
        liste.cliquer(QStringLiteral("Bt_Sup"));

        EXPECT_TRUE(dialogues.allAnswered()) << c.retireesAilleurs;
        if (!c.message.isEmpty()) {
            EXPECT_EQ(dialogues.lastPrompt().text, c.message);
            EXPECT_EQ(dialogues.lastPrompt().icon, dialogs::Icon::Exclamation);
        }
        EXPECT_EQ(lignes(QStringLiteral("NomArticles")), QStringLiteral("Agrandissement 18x24")) << c.retireesAilleurs;
        // The list is read again: it shows the line left.
        EXPECT_EQ(liste.controle<QTableWidget>(QStringLiteral("DBGridVentes"))->rowCount(), 1) << c.retireesAilleurs;
        existingForm<FormVente>()->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace
