#include "school/sales/form_vente.h"

#include "common/paths.h"
#include "common/printing.h"
#include "common/text.h"
#include "common/ui/layout.h"
#include "school/sales/impressions_ventes.h"
#include "school/data/base.h"
#include "school/data/etat.h"
#include "tests/school/sales/tarif_exemple.h"
#include "tests/school/support/pilote_fenetre.h"
#include "tests/school/support/school_fixture.h"
#include "tests/support/pdf_reader.h"
#include "tests/support/read_only_folder.h"
#include "tests/support/recording_shell.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/small_disk.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QPdfWriter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>

#include <optional>

namespace {

using exemple::ligne;

const QString kPochette = QStringLiteral("Je garde la pochette complète");
const QString kRec = QStringLiteral("Recommande pochette complète");
const QString kSup = QStringLiteral("Commande articles supplémentaires");

class Ventes : public ::testing::Test, protected PiloteFenetre {
protected:
    Ventes() : PiloteFenetre([] { return existingForm<FormVente>(); })
    {
        ecole.nommerEtablissement(QStringLiteral("Collège d'Arc"));
        etat::NomEtabEnCours = QStringLiteral("Collège d'Arc");
        etat::FichierImpression.clear();
        exemple::remplirTarifs(base::db());
    }

    void TearDown() override
    {
        fermer();
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    }

    void fermer()
    {
        if (auto* form = existingForm<FormVente>())
            form->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    FormVente& ouvrir()
    {
        FormVente& form = formInstance<FormVente>();
        form.showForm();
        return form;
    }

    QString texte(const QString& nom) { return controle<QLabel>(nom)->text(); }
    QString lignes(const QString& champs)
    {
        return base::db().scalar(
            QStringLiteral("SELECT group_concat(%1, ';') FROM (SELECT * FROM Ventes ORDER BY CdeVente)").arg(champs));
    }
    LigneVente dans(LigneVente l, const QString& classe)
    {
        l.classe = classe;
        return l;
    }
    // Forty students' reorders waiting for the form, and one first order: a
    // document of some kilobytes.
    void attendreRecommandes()
    {
        std::vector<LigneVente> lignesVente{ligne(QStringLiteral("2026-03-09"), QStringLiteral("1"),
                                                  QStringLiteral("PREMIER"), QStringLiteral("Léa"), kPochette,
                                                  QStringLiteral("15,00"), {}, QStringLiteral("1"))};
        for (int i = 0; i < 40; ++i) {
            LigneVente rec = ligne(QStringLiteral("2026-03-09"), QString::number(100 + i),
                                   QStringLiteral("ELEVE%1").arg(i), QStringLiteral("Zoé"), kRec,
                                   QStringLiteral("12,50"), {}, QStringLiteral("2"));
            rec.marqueRecommande = QStringLiteral("x");
            lignesVente.push_back(rec);
        }
        exemple::inserer(base::db(), lignesVente);
    }
    int rangees() { return controle<QTableWidget>(QStringLiteral("DBGridVentes"))->rowCount(); }
    QStringList document(const char* nom)
    {
        return text::fromWindows1252(SchoolFixture::lire(impressions_ventes::chemin(nom)))
            .split(QStringLiteral("\r\n"));
    }

    SchoolFixture ecole;
    RecordingShell shell;
    ScriptedDialogs dialogues;
};

TEST_F(Ventes, TotauxEtGainsAuCentimeQuelleQueSoitLaLangue)
{
    LigneVente sansPrix = ligne(QStringLiteral("2026-03-09"), QStringLiteral("5"), QStringLiteral("B"), {}, kSup, {},
                                {}, QStringLiteral("4"));
    sansPrix.articlesPrixRecPub = QStringLiteral("3,50");
    exemple::inserer(base::db(),
                     {ligne(QStringLiteral("2026-03-09"), QStringLiteral("1"), QStringLiteral("A"), {}, kPochette,
                            QStringLiteral("15,00"), QStringLiteral("10,00"), QStringLiteral("1")),
                      ligne(QStringLiteral("2026-03-10"), QStringLiteral("1"), QStringLiteral("A"), {}, kRec,
                            QStringLiteral("12,50"), QStringLiteral("8,00"), QStringLiteral("2")),
                      dans(ligne(QStringLiteral("2026-03-10"), QStringLiteral("3"), QStringLiteral("C"), {}, kPochette,
                                 QStringLiteral("1000,10"), QStringLiteral("994,85"), QStringLiteral("1")),
                           QStringLiteral("3C")),
                      dans(sansPrix, QStringLiteral("5B")),
                      dans(ligne(QStringLiteral("2026-03-10"), QStringLiteral("6"), QStringLiteral("D"), {}, kPochette,
                                 {}, QStringLiteral("2"), QStringLiteral("1")),
                           QStringLiteral("5B"))});
    for (const QLocale& langue : {QLocale(QLocale::French, QLocale::France), QLocale::c(), QLocale(QLocale::English)}) {
        QLocale::setDefault(langue);
        ouvrir();
        EXPECT_EQ(texte(QStringLiteral("LbAffVtotal")), QStringLiteral("1 040,10"));
        EXPECT_EQ(texte(QStringLiteral("LbGainEtab")), QStringLiteral("17,25"));
        const QStringList classes{QStringLiteral("3C|5,25"), QStringLiteral("5B|-2"), QStringLiteral("6A|14")};
        for (int k = 0; k < 3; ++k) {
            auto* nom = controle<QLabel>(QStringLiteral("LBNomClasses_%1").arg(k));
            EXPECT_EQ(nom->text() + u'|' + texte(QStringLiteral("LBClasses_%1").arg(k)), classes[k]);
            EXPECT_EQ(nom->y(), layout::px(1320 + 260 * k));
        }
        EXPECT_EQ(entrees(QStringLiteral("DBComboDateCom")),
                  (QStringList{QStringLiteral("2026-03-10"), QStringLiteral("2026-03-09")}));
        EXPECT_EQ(controle<QTableWidget>(QStringLiteral("DBGridVentes"))->rowCount(), 5);
        fermer();
    }
    // Empty pack prices hold "0" once the list has been shown.
    EXPECT_EQ(lignes(QStringLiteral("PochettePrixPub || '/' || PochettePrixPro")),
              QStringLiteral("15,00/10,00;12,50/8,00;1000,10/994,85;0/0;0/2"));
}

TEST_F(Ventes, UneClasseAuNomBaliseSeLitTelleQuelle)
{
    const QString classe = QStringLiteral("<u>3C</u> & <b>4D</b>");
    exemple::inserer(base::db(), {dans(ligne(QStringLiteral("2026-03-09"), QStringLiteral("1"), QStringLiteral("A"), {},
                                             kPochette, QStringLiteral("15,00"), QStringLiteral("10,00"),
                                             QStringLiteral("1")),
                                       classe)});
    ouvrir();
    auto* nom = controle<QLabel>(QStringLiteral("LBNomClasses_0"));
    EXPECT_EQ(nom->text(), classe);
    EXPECT_EQ(nom->textFormat(), Qt::PlainText);
}

TEST_F(Ventes, SupprimerUneCommandeNeToucheQueCeLleDeLEleveChoisi)
{
    exemple::inserer(base::db(),
                     {ligne(QStringLiteral("2026-03-09"), QStringLiteral("11"), QStringLiteral("DUPONT"),
                            QStringLiteral("Léa"), kPochette, QStringLiteral("15,00"), {}, QStringLiteral("1")),
                      ligne(QStringLiteral("2026-03-09"), QStringLiteral("12"), QStringLiteral("DUPONT"),
                            QStringLiteral("Max"), kPochette, QStringLiteral("15,00"), {}, QStringLiteral("1")),
                      ligne(QStringLiteral("2026-03-09"), QStringLiteral("12"), QStringLiteral("DUPONT"),
                            QStringLiteral("Max"), kRec, QStringLiteral("12,50"), {}, QStringLiteral("1")),
                      ligne(QStringLiteral("2026-02-01"), QStringLiteral("12"), QStringLiteral("DUPONT"),
                            QStringLiteral("Max"), kPochette, QStringLiteral("15,00"), {}, QStringLiteral("1")),
                      dans(ligne(QStringLiteral("2026-03-09"), QStringLiteral("13"), QStringLiteral("DUPONT"),
                                 QStringLiteral("Max"), kPochette, QStringLiteral("15,00"), {}, QStringLiteral("1")),
                           QStringLiteral("5B"))});
    ouvrir();
    auto* supprimer = controle<QPushButton>(QStringLiteral("Bt_Sup"));
    EXPECT_TRUE(supprimer->isHidden());
    EXPECT_TRUE(controle<QWidget>(QStringLiteral("DBComboNom"))->isHidden());
    EXPECT_FALSE(controle<QPushButton>(QStringLiteral("Bt_ImpCmde"))->isEnabled());

    choisir(QStringLiteral("DBComboDateCom"), QStringLiteral("2026-03-09"));
    EXPECT_EQ(controle<QTableWidget>(QStringLiteral("DBGridVentes"))->rowCount(), 4);
    // Namesakes are told apart by their class.
    EXPECT_EQ(entrees(QStringLiteral("DBComboNom")),
              (QStringList{QStringLiteral("DUPONT Léa (6A)"), QStringLiteral("DUPONT Max (5B)"),
                           QStringLiteral("DUPONT Max (6A)")}));
    EXPECT_FALSE(supprimer->isHidden());
    EXPECT_FALSE(supprimer->isEnabled());
    EXPECT_TRUE(controle<QPushButton>(QStringLiteral("Bt_ImpCmde"))->isEnabled());

    choisir(QStringLiteral("DBComboNom"), QStringLiteral("DUPONT Max (6A)"));
    dialogues.message(QStringLiteral("irréversible"), dialogs::Answer::No).message(QStringLiteral("Suppression annulée."));
    QTest::mouseClick(supprimer, Qt::LeftButton);
    EXPECT_EQ(lignes(QStringLiteral("Prenom")), QStringLiteral("Léa;Max;Max;Max;Max"));
    // The question says whose order of which day goes.
    EXPECT_TRUE(dialogues.prompts()[0].text.startsWith(QStringLiteral("Commande de DUPONT Max (6A) du 2026-03-09 :\n")))
        << dialogues.prompts()[0].text.toStdString();

    dialogues.message(QStringLiteral("irréversible"), dialogs::Answer::Yes);
    QTest::mouseClick(supprimer, Qt::LeftButton);
    EXPECT_EQ(lignes(QStringLiteral("Prenom || DateCommande || Classe")),
              QStringLiteral("Léa2026-03-096A;Max2026-02-016A;Max2026-03-095B"));
    EXPECT_EQ(dialogues.prompts()[0].icon, dialogs::Icon::Question);
    EXPECT_TRUE(supprimer->isHidden());
    EXPECT_EQ(texte(QStringLiteral("LbAffVtotal")), QStringLiteral("45,00"));
}

// A deletion that the database refuses (another program writing to it) leaves
// the order chosen: the secretary tries again without choosing it anew.
TEST_F(Ventes, UneSuppressionRefuseeGardeLaDateEtLEleveChoisis)
{
    exemple::inserer(base::db(),
                     {ligne(QStringLiteral("2026-03-09"), QStringLiteral("11"), QStringLiteral("DUPONT"),
                            QStringLiteral("Léa"), kPochette, QStringLiteral("15,00"), {}, QStringLiteral("1")),
                      ligne(QStringLiteral("2026-03-09"), QStringLiteral("12"), QStringLiteral("MARTIN"),
                            QStringLiteral("Max"), kPochette, QStringLiteral("15,00"), {}, QStringLiteral("1")),
                      ligne(QStringLiteral("2026-02-01"), QStringLiteral("12"), QStringLiteral("MARTIN"),
                            QStringLiteral("Max"), kPochette, QStringLiteral("15,00"), {}, QStringLiteral("1"))});
    ouvrir();
    choisir(QStringLiteral("DBComboDateCom"), QStringLiteral("2026-03-09"));
    choisir(QStringLiteral("DBComboNom"), QStringLiteral("MARTIN Max (6A)"));
    auto* supprimer = controle<QPushButton>(QStringLiteral("Bt_Sup"));
    {
        db::Database autre(base::cheminBase());
        db::Database::Transaction verrou(autre);
        dialogues.message(QStringLiteral("irréversible"), dialogs::Answer::Yes)
            .message(QStringLiteral("est occupée par un autre programme"));
        QTest::mouseClick(supprimer, Qt::LeftButton);
    }
    EXPECT_EQ(lignes(QStringLiteral("Nom")), QStringLiteral("DUPONT;MARTIN;MARTIN"));
    EXPECT_EQ(controle<QComboBox>(QStringLiteral("DBComboDateCom"))->currentText(), QStringLiteral("2026-03-09"));
    EXPECT_EQ(controle<QComboBox>(QStringLiteral("DBComboNom"))->currentText(), QStringLiteral("MARTIN Max (6A)"));
    EXPECT_EQ(rangees(), 2);
    ASSERT_FALSE(supprimer->isHidden());
    ASSERT_TRUE(supprimer->isEnabled());

    dialogues.message(QStringLiteral("irréversible"), dialogs::Answer::Yes);
    QTest::mouseClick(supprimer, Qt::LeftButton);
    EXPECT_EQ(lignes(QStringLiteral("Nom || DateCommande")), QStringLiteral("DUPONT2026-03-09;MARTIN2026-02-01"));
}

TEST_F(Ventes, LeBordereauListeLesRecommandesPuisEffaceLeursMarques)
{
    const qint64 cle = ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("DUPONT"), QStringLiteral("Léa"));
    LigneVente rec = ligne(QStringLiteral("2026-03-09"), QStringLiteral("999"), QStringLiteral("DUPONT"),
                           QStringLiteral("Léa"), kRec, QStringLiteral("12,50"), {}, QStringLiteral("2"));
    rec.nomPhoto = QString::number(cle);
    rec.marqueRecommande = QStringLiteral("x");
    exemple::inserer(base::db(),
                     {rec,
                      ligne(QStringLiteral("2026-03-09"), QStringLiteral("5"), QStringLiteral("O'BRIEN"),
                            QStringLiteral("Sé"), kPochette, QStringLiteral("15,00"), {}, QStringLiteral("1")),
                      ligne(QStringLiteral("2026-01-01"), QStringLiteral("5"), QStringLiteral("O'BRIEN"),
                            QStringLiteral("Sé"), kSup, QStringLiteral("3,50"), {}, QStringLiteral("1"))});
    ouvrir();
    choisir(QStringLiteral("DBComboDateCom"), QStringLiteral("2026-03-09"));
    QTest::mouseClick(controle<QPushButton>(QStringLiteral("Bt_ImpCmde")), Qt::LeftButton);

    const QString fichier = impressions_ventes::chemin(impressions_ventes::kBordereau);
    ASSERT_EQ(shell.requests().size(), 1u);
    EXPECT_EQ(shell.requests()[0], (RecordingShell::Request{QStringLiteral("print"), fichier}));
    EXPECT_EQ(etat::FichierImpression, fichier);
    const QStringList doc = document(impressions_ventes::kBordereau);
    // The picture is the one the board shows: by photo code, not by order code.
    EXPECT_TRUE(doc.join(u'\n').contains(QStringLiteral("<img src=\"%1\"").arg(ecole.cheminPhoto(cle))));
    EXPECT_EQ(doc.filter(QStringLiteral("Quantité =")).size(), 1);
    EXPECT_EQ(lignes(QStringLiteral("'[' || ArticlesPrixPub || ']'")), QStringLiteral("[];[ ];[]"));
    EXPECT_EQ(controle<QTableWidget>(QStringLiteral("DBGridVentes"))->rowCount(), 1);

    // A date with first orders only: nothing to send, nothing printed.
    base::db().exec(QStringLiteral("DELETE FROM Ventes WHERE ArticlesPrixPro = ?"), {kRec});
    choisir(QStringLiteral("DBComboDateCom"), QStringLiteral("2026-03-09"));
    dialogues.message(QStringLiteral("Aucune recommande à imprimer."));
    QTest::mouseClick(controle<QPushButton>(QStringLiteral("Bt_ImpCmde")), Qt::LeftButton);
    EXPECT_EQ(shell.requests().size(), 1u);
}

TEST_F(Ventes, UnBordereauQuiNePeutEtreEcritNeConsommeAucuneRecommande)
{
    attendreRecommandes();
    ouvrir();
    choisir(QStringLiteral("DBComboDateCom"), QStringLiteral("2026-03-09"));
    SmallDisk disque(paths::dataDir(), 64 * 1024);
    if (!disque.active())
        GTEST_SKIP() << "a small file system needs root";
    disque.fillLeaving(0);

    dialogues.message(QStringLiteral("fileBo.html n'a pas pu être écrit. Le disque est plein."));
    cliquer(QStringLiteral("Bt_ImpCmde"));

    EXPECT_EQ(dialogues.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_TRUE(shell.requests().empty());
    EXPECT_EQ(etat::FichierImpression, QString());
    EXPECT_EQ(lignes(QStringLiteral("ArticlesPrixPub")).count(u'x'), 40);
}

TEST_F(Ventes, UneImpressionAnnuleeNeChangeRien)
{
    attendreRecommandes();
    ouvrir();
    choisir(QStringLiteral("DBComboDateCom"), QStringLiteral("2026-03-09"));
    shell.cancelPrinting();

    // The reorder form: its lines keep their marks for the next form.
    cliquer(QStringLiteral("Bt_ImpCmde"));
    const QString fichier = impressions_ventes::chemin(impressions_ventes::kBordereau);
    EXPECT_EQ(shell.requests(), (std::vector<RecordingShell::Request>{{QStringLiteral("print"), fichier}}));
    EXPECT_EQ(lignes(QStringLiteral("ArticlesPrixPub")).count(u'x'), 40);
    EXPECT_EQ(etat::FichierImpression, QString());
    EXPECT_EQ(rangees(), 40);

    // The detail and the summary: the grid and the print entry stay as they were.
    controle<QAction>(QStringLiteral("Mnu_Imp_Detail"))->trigger();
    controle<QAction>(QStringLiteral("MNU_Imp_Solde"))->trigger();
    EXPECT_EQ(shell.requests().size(), 3u);
    EXPECT_EQ(rangees(), 40);
    EXPECT_EQ(etat::FichierImpression, QString());
}

TEST_F(Ventes, UneBaseQuiNePeutEtreEcriteMontreQuandMemeLesCommandes)
{
    exemple::inserer(base::db(), {ligne(QStringLiteral("2026-03-09"), QStringLiteral("1"), QStringLiteral("DUPONT"),
                                        QStringLiteral("Léa"), kPochette, QStringLiteral("15,00"),
                                        QStringLiteral("10,00"), QStringLiteral("1")),
                                  ligne(QStringLiteral("2026-03-10"), QStringLiteral("2"), QStringLiteral("MARTIN"),
                                        QStringLiteral("Zoé"), kPochette, {}, {}, QStringLiteral("1"))});
    for (const bool lectureSeule : {false, true}) {
        SCOPED_TRACE(lectureSeule ? "lecture seule" : "occupée");
        std::optional<db::Database> autre;
        std::optional<db::Database::Transaction> verrou;
        std::optional<ReadOnlyFolder> protegee;
        if (lectureSeule) {
            base::fermer();
            protegee.emplace(ecole.dossier());
            if (!protegee->active())
                continue;
        } else {
            autre.emplace(base::cheminBase());
            verrou.emplace(*autre);
        }
        dialogues.message(QStringLiteral("Les prix vides des commandes n'ont pas pu être complétés par 0"));
        ouvrir();
        EXPECT_TRUE(dialogues.lastPrompt().text.contains(base::cheminBase()));
        EXPECT_EQ(rangees(), 2);
        EXPECT_EQ(entrees(QStringLiteral("DBComboDateCom")),
                  (QStringList{QStringLiteral("2026-03-10"), QStringLiteral("2026-03-09")}));
        EXPECT_EQ(texte(QStringLiteral("LbAffVtotal")), QStringLiteral("15,00"));
        EXPECT_EQ(texte(QStringLiteral("LBNomClasses_0")), QStringLiteral("6A"));
        // Said once: coming back to the list says nothing more.
        existingForm<FormVente>()->activateFromUser();
        EXPECT_EQ(rangees(), 2);
        fermer();
        base::fermer();
    }
    EXPECT_EQ(lignes(QStringLiteral("'[' || PochettePrixPub || ']'")), QStringLiteral("[15,00];[]"));
}

TEST_F(Ventes, DetailEtRecapitulatifSontEcritsEnWindows1252PuisImprimes)
{
    LigneVente choix = ligne(QStringLiteral("2026-03-09"), QStringLiteral("5"), QStringLiteral("MARTIN"),
                             QStringLiteral("Zoé"), QStringLiteral("Je conserve au choix dans la pochette"),
                             QStringLiteral("11,50"), QStringLiteral("7,50"), QStringLiteral("1"));
    choix.nomArticles = QStringLiteral("Photo d'identité");
    exemple::inserer(base::db(), {ligne(QStringLiteral("2026-03-09"), QStringLiteral("1"), QStringLiteral("DUPONT"),
                                         QStringLiteral("Léa"), kRec, QStringLiteral("12,50"), QStringLiteral("8,00"),
                                         QStringLiteral("3")),
                                   choix});
    ouvrir();
    controle<QAction>(QStringLiteral("Mnu_Imp_Detail"))->trigger();
    const QString detail = impressions_ventes::chemin(impressions_ventes::kDetail);
    EXPECT_EQ(etat::FichierImpression, detail);
    const QByteArray octets = SchoolFixture::lire(detail);
    EXPECT_TRUE(octets.contains("DUPONT L\xE9" "a : Recommande Pochette A Quantit\xE9 : 3 = 37,5 \x80<br></td></tr>\r\n"));
    EXPECT_TRUE(octets.contains("MARTIN Zo\xE9 : Je conserve au choix dans la pochette : 11,50 \x80"));

    controle<QAction>(QStringLiteral("MNU_Imp_Solde"))->trigger();
    const QString recap = impressions_ventes::chemin(impressions_ventes::kRecapitulatif);
    EXPECT_EQ(etat::FichierImpression, recap);
    const QStringList doc = document(impressions_ventes::kRecapitulatif);
    EXPECT_TRUE(doc.contains(QStringLiteral("<td width=\"530\"><b>Pochettes Complètes : 1</b></td>")));
    EXPECT_TRUE(doc.contains(QStringLiteral("<td width=\"530\"><b>Photo d'identité : 1</b></td>")));
    // 3 x 12,50 + 11,50 sold; 3 x 8,00 + 7,50 to the photographer.
    EXPECT_TRUE(doc.contains(QStringLiteral("<td width=\"103\"><center><b>31,50</b></center></td>")));
    EXPECT_TRUE(doc.contains(
        QStringLiteral("<td width=\"103\"><center><b>17,50</b></center></td></tr></table></table></body></html>")));
    EXPECT_EQ(shell.requests(), (std::vector<RecordingShell::Request>{{QStringLiteral("print"), detail},
                                                                       {QStringLiteral("print"), recap}}));
}

// A stored line of absurd price and quantity, as an older version or an
// edit of the database may leave, wraps no total round and bills no misread
// price: the secretary is told which order, every amount it enters says it
// cannot be computed, on screen, in the documents and on paper, and the
// amounts it does not enter stay exact.
TEST_F(Ventes, UneLigneAbsurdeNeDonneAucunTotalFaux)
{
    exemple::inserer(base::db(),
                     {ligne(QStringLiteral("2026-03-09"), QStringLiteral("1"), QStringLiteral("DUPONT"),
                            QStringLiteral("Léa"), kRec, QStringLiteral("99999"), QStringLiteral("0"),
                            QStringLiteral("999999999999")),
                      dans(ligne(QStringLiteral("2026-03-09"), QStringLiteral("2"), QStringLiteral("MARTIN"),
                                 QStringLiteral("Zoé"), kPochette, QStringLiteral("1.250,00"),
                                 QStringLiteral("0,00"), QStringLiteral("1")),
                           QStringLiteral("3C")),
                      dans(ligne(QStringLiteral("2026-03-09"), QStringLiteral("3"), QStringLiteral("PETIT"),
                                 QStringLiteral("Jo"), kPochette, QStringLiteral("15,00"),
                                 QStringLiteral("10,00"), QStringLiteral("1")),
                           QStringLiteral("5B"))});
    dialogues.message(QStringLiteral("La commande de MARTIN Zoé (3C) du 2026-03-09 porte un prix refusé : "
                                     "« 1.250,00 » n'est pas un prix"));
    ouvrir();
    EXPECT_EQ(dialogues.prompts().size(), 1u);
    for (const char* total : {"LbAffVtotal", "LbGainEtab"}) {
        auto* label = controle<QLabel>(QString::fromLatin1(total));
        EXPECT_EQ(label->text(), QStringLiteral("incalculable")) << total;
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width()) << total;
    }
    const QStringList classes{QStringLiteral("3C|incalculable"), QStringLiteral("5B|5"),
                              QStringLiteral("6A|incalculable")};
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(texte(QStringLiteral("LBNomClasses_%1").arg(k)) + u'|' + texte(QStringLiteral("LBClasses_%1").arg(k)),
                  classes[k]);

    controle<QAction>(QStringLiteral("Mnu_Imp_Detail"))->trigger();
    const QStringList detail = document(impressions_ventes::kDetail);
    EXPECT_TRUE(detail.contains(QStringLiteral("<tr><td width=\"800\">DUPONT Léa : Recommande Pochette A Quantité :"
                                               " 999999999999 = incalculable<br></td></tr>")));
    EXPECT_TRUE(detail.contains(QStringLiteral("<tr><td width=\"800\">MARTIN Zoé : Commande Pochette A : "
                                               "prix refusé « 1.250,00 »<br></td></tr>")));
    controle<QAction>(QStringLiteral("MNU_Imp_Solde"))->trigger();
    const QString recap = impressions_ventes::chemin(impressions_ventes::kRecapitulatif);
    const QStringList doc = document(impressions_ventes::kRecapitulatif);
    EXPECT_TRUE(doc.contains(QStringLiteral("<td width=\"103\"><center><b>incalculable</b></center></td>")));
    EXPECT_TRUE(doc.contains(QStringLiteral(
        "<td width=\"103\"><center><b>incalculable</b></center></td></tr></table></table></body></html>")));

    const QString pdf = recap + QStringLiteral(".pdf");
    {
        QPdfWriter imprimante(pdf);
        printing::useDocumentPage(imprimante);
        ASSERT_EQ(printing::printHtmlFile(recap, imprimante), QString());
    }
    const QString papier = pdf_reader::pageText(pdf, 1);
    EXPECT_EQ(papier.count(QStringLiteral("incalculable")), 2) << papier.toStdString();
    // Nothing on paper is an amount: no decimal comma after a digit.
    EXPECT_FALSE(papier.contains(QRegularExpression(QStringLiteral("\\d,\\d")))) << papier.toStdString();
}

TEST_F(Ventes, SansAucuneLigneLesDocumentsNOntQueLeursTitres)
{
    ouvrir();
    EXPECT_EQ(texte(QStringLiteral("LbAffVtotal")), QStringLiteral("0,00"));
    EXPECT_EQ(texte(QStringLiteral("LBNomClasses_0")), QString());
    controle<QAction>(QStringLiteral("Mnu_Imp_Detail"))->trigger();
    EXPECT_EQ(document(impressions_ventes::kDetail).size(), 5); // four lines and the final line end
    controle<QAction>(QStringLiteral("MNU_Imp_Solde"))->trigger();
    EXPECT_TRUE(document(impressions_ventes::kRecapitulatif).contains(QStringLiteral("<td width=\"530\"><b>Pochettes Complètes : 0</b></td>")));
    EXPECT_EQ(shell.requests().size(), 2u);
}

} // namespace
