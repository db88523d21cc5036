// Two Vizmora on one school folder: this program's windows, and another
// program's connection writing into the same database meanwhile.

#include "school/sales/form_vente.h"

#include "school/data/base.h"
#include "school/data/etat.h"
#include "tests/school/sales/tarif_exemple.h"
#include "tests/school/support/pilote_fenetre.h"
#include "tests/school/support/school_fixture.h"
#include "tests/support/recording_shell.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

const QString kPochette = QStringLiteral("Je garde la pochette complète");
const QString kSup = QStringLiteral("Commande articles supplémentaires");

class DeuxPostes : public ::testing::Test {
protected:
    DeuxPostes() { etat::FichierImpression.clear(); }

    void TearDown() override
    {
        if (auto* liste = existingForm<FormVente>())
            liste->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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
    PiloteFenetre liste{[] { return existingForm<FormVente>(); }};
};

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
