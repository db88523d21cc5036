#include "common/shell.h"
#include "photographer/prices/feuille_tarif.h"
#include "photographer/shoot/choix_classe.h"
#include "tests/photographer/prices/tarifs_fixture.h"
#include "tests/support/small_disk.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>

#include <memory>
#include <optional>

using dialogs::Answer;

// The fixture bears the name of the class under test; this namespace keeps the two apart.
namespace {

class FormTarifEtab : public TarifsFixture {
protected:
    FormTarifEtab()
    {
        article(QStringLiteral("a1"), QStringLiteral("Tirage 13x18"), QStringLiteral("5"), QStringLiteral("4"));
        article(QStringLiteral("a2"), QStringLiteral("Photo d'identité"), QStringLiteral("3"), QStringLiteral("2"));
        article(QStringLiteral("a3"), QStringLiteral("Porte-clés"), QStringLiteral("6"), QStringLiteral("6"));
        pochette(QStringLiteral("P1"), QStringLiteral("Pochette 1"), QStringLiteral("5"), QStringLiteral("5"));
        pochette(QStringLiteral("P3"), QStringLiteral("Pochette 3"), QStringLiteral("12,50"), QStringLiteral("15,00"));
        incomplete(QStringLiteral("P3"), QStringLiteral("2"), QStringLiteral("P3_Pochette 3 INC - 2 article(s)"),
                   QStringLiteral("9,90"));
        incomplete(QStringLiteral("P3"), QStringLiteral("20"), QStringLiteral("P3_Pochette 3 INC - 20 article(s)"),
                   QStringLiteral("20"));
        autre_ = etablissement(QStringLiteral("Autre"));
        for (const QString& code : {etat::CodeEtabEnCours, autre_}) {
            base::db().exec(QStringLiteral("INSERT INTO RecTarifs (RecCodeEtablissement, RecNomArticles) VALUES (?, 'ancien')"),
                            {code});
            base::db().exec(QStringLiteral("INSERT INTO RecPochetteInc (CodeEtab, RecLibelleArticke) VALUES (?, 'ancien')"),
                            {code});
        }
    }

    ::FormTarifEtab& ouvrir()
    {
        ::FormTarifEtab& form = formInstance<::FormTarifEtab>();
        form.showForm();
        return form;
    }
    static void remplacer(QWidget& form, const QString& nom, const QString& texte)
    {
        controle<QLineEdit>(form, nom)->clear();
        taper(form, nom, texte);
    }
    static void cocher(QWidget& form, int rang)
    {
        QCheckBox* coche = controle<QCheckBox>(form, QStringLiteral("CheckArticle_%1").arg(rang));
        QTest::mouseClick(coche, Qt::LeftButton, {}, QPoint(8, coche->height() / 2));
    }
    // Step 1 with accepted prices for "Pochette 3".
    static void passerPochette(::FormTarifEtab& form)
    {
        taper(form, QStringLiteral("TextSaisiePrixEleve"), QStringLiteral("13"));
        remplacer(form, QStringLiteral("TextSaisiePrixRecEleve"), QStringLiteral("16"));
        cliquer(form, QStringLiteral("Bt_Suite_1_0"));
    }
    QStringList tarifsArticles(const QString& code)
    {
        return lignes(QStringLiteral("SELECT RecCdePochette, RecNomPochette, RecPochettePrixPro, RecPochettePrixPub, "
                                     "RecPochettePrixRecPro, RecPochettePrixRecPub, RecCdeArticles, RecNomArticles, "
                                     "RecArticlesPrixPro, RecArticlesPrixPub, RecArticlesPrixRecPro, "
                                     "RecArticlesPrixRecPub FROM RecTarifs WHERE RecCodeEtablissement = ? ORDER BY rowid"),
                      {code});
    }
    QStringList tarifsIncompletes(const QString& code)
    {
        return lignes(QStringLiteral("SELECT RecNbArticle, RecLibelleArticke, RecPrixPho, RecPrixPublic, "
                                     "ifnull(RecNbArticleTxt, '') FROM RecPochetteInc WHERE CodeEtab = ? ORDER BY rowid"),
                      {code});
    }

    // The list each establishment has before the wizard: one row in each table.
    QStringList anciensArticles() const { return {QStringLiteral("|||||||ancien||||")}; }
    QStringList anciennesIncompletes() const { return {QStringLiteral("|ancien|||")}; }
    void garderLesAnciensTarifs()
    {
        EXPECT_EQ(tarifsArticles(etat::CodeEtabEnCours), anciensArticles());
        EXPECT_EQ(tarifsIncompletes(etat::CodeEtabEnCours), anciennesIncompletes());
    }
    // Steps 1 and 2 with one article, up to the incomplete packs' prices.
    static void allerALaDerniereEtape(::FormTarifEtab& form)
    {
        passerPochette(form);
        cocher(form, 0);
        taper(form, QStringLiteral("TextRecPrixArticle_0"), QStringLiteral("3"));
        cliquer(form, QStringLiteral("Bt_Suite_1_1"));
        for (int i = 0; i < 3; ++i)
            taper(form, QStringLiteral("TextPrixEtabPoInc_%1").arg(i), QStringLiteral("30"));
    }

    QString autre_;
};

TEST_F(FormTarifEtab, EnregistreUneFoisLesPrixVerifiesEtImprimeLaFeuille)
{
    ::FormTarifEtab& form = ouvrir();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Tarifs établissement : Ecole Test"));
    EXPECT_EQ(controle<QComboBox>(form, QStringLiteral("ComboChoixPochette"))->currentText(), QStringLiteral("Pochette 3"));
    garderLesAnciensTarifs();

    // Step 1: a price below the photographer's is refused, the reorder price follows until typed.
    dialogues_.message(QStringLiteral("Le Prix vente établissement ne peut être nul"));
    cliquer(form, QStringLiteral("Bt_Suite_1_0"));
    taper(form, QStringLiteral("TextSaisiePrixEleve"), QStringLiteral("12.49"));
    EXPECT_EQ(texte(form, QStringLiteral("TextSaisiePrixRecEleve")), QStringLiteral("12,49"));
    dialogues_.message(QStringLiteral("Le prix de vente de l'établissement est inférieur au prix de vente du photographe"));
    cliquer(form, QStringLiteral("Bt_Suite_1_0"));
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    remplacer(form, QStringLiteral("TextSaisiePrixEleve"), QStringLiteral("12,50"));
    dialogues_.message(QStringLiteral("Le prix de vente des recommandes  est inférieur au prix de vente du photographe"));
    cliquer(form, QStringLiteral("Bt_Suite_1_0"));
    remplacer(form, QStringLiteral("TextSaisiePrixRecEleve"), QStringLiteral("15"));
    cliquer(form, QStringLiteral("Bt_Suite_1_0"));
    EXPECT_FALSE(actif(form, QStringLiteral("ComboChoixPochette")));

    // Step 2: rows by article name; nothing is written while one ticked row is refused.
    EXPECT_EQ(controle<QCheckBox>(form, QStringLiteral("CheckArticle_0"))->text(), QStringLiteral("Photo d'identité"));
    EXPECT_EQ(controle<QCheckBox>(form, QStringLiteral("CheckArticle_2"))->text(), QStringLiteral("Tirage 13x18"));
    EXPECT_FALSE(actif(form, QStringLiteral("TextRecPrixArticle_1")));
    cocher(form, 2);
    taper(form, QStringLiteral("TextRecPrixArticle_2"), QStringLiteral("6"));
    cocher(form, 0);
    taper(form, QStringLiteral("TextRecPrixArticle_0"), QStringLiteral("2.5"));
    EXPECT_EQ(texte(form, QStringLiteral("TextRecPrixArtEtab_0")), QStringLiteral("2,5"));
    cocher(form, 1);
    cocher(form, 1);
    EXPECT_EQ(controle<QLabel>(form, QStringLiteral("LbNb"))->text(), QStringLiteral("2"));
    for (int essai = 0; essai < 2; ++essai) {
        dialogues_.message(QStringLiteral("Le prix de vente Etablissement est inférieur au prix photographe !!!"));
        cliquer(form, QStringLiteral("Bt_Suite_1_1"));
    }
    remplacer(form, QStringLiteral("TextRecPrixArticle_0"), QStringLiteral("3"));
    cliquer(form, QStringLiteral("Bt_Suite_1_1"));
    EXPECT_FALSE(actif(form, QStringLiteral("Bt_Suite_1_1")));

    // Step 3: an empty price stops before anything is stored; a price not above the photographer's is not kept.
    EXPECT_EQ(controle<QLabel>(form, QStringLiteral("LBPoInc_0"))->text(), QStringLiteral("Pochette 3"));
    taper(form, QStringLiteral("TextPrixEtabPoInc_0"), QStringLiteral("15"));
    taper(form, QStringLiteral("TextPrixEtabPoInc_2"), QStringLiteral("25"));
    cliquer(form, QStringLiteral("Bt_Suite_1_2"));
    garderLesAnciensTarifs();
    EXPECT_EQ(form.focusWidget(), controle(form, QStringLiteral("TextPrixEtabPoInc_1")));
    taper(form, QStringLiteral("TextPrixEtabPoInc_1"), QStringLiteral("12.5"));
    dialogues_.message(QStringLiteral("Tarifs enregistrés"));
    cliquer(form, QStringLiteral("Bt_Suite_1_2"));
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_EQ(tarifsArticles(etat::CodeEtabEnCours),
              (QStringList{QStringLiteral("P3|Pochette 3|12,50|12,50|15,00|15|a2|Photo d'identité|3|3|2|3"),
                           QStringLiteral("P3|Pochette 3|12,50|12,50|15,00|15|a1|Tirage 13x18|5|6|4|6")}));
    EXPECT_EQ(tarifsIncompletes(etat::CodeEtabEnCours),
              (QStringList{QStringLiteral("2|P3_Pochette 3 INC - 2 article(s)|9,90|12,5|"),
                           QStringLiteral("20|P3_Pochette 3 INC - 20 article(s)|20|25|")}));
    EXPECT_EQ(tarifsArticles(autre_).size(), 1);
    EXPECT_EQ(tarifsIncompletes(autre_).size(), 1);

    const QString sheet = feuille_tarif::chemin();
    EXPECT_EQ(shell_.requests(), (std::vector<RecordingShell::Request>{{QStringLiteral("print"), sheet}}));
    EXPECT_EQ(shell_.printMinimums(), std::vector<double>{feuille_tarif::kPointsImprimes});
    QFile fichier(sheet);
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    const QByteArray octets = fichier.readAll();
    EXPECT_TRUE(octets.startsWith("<HTML><HEAD><TITLE>Tarif revente \xE9tablissement</TITLE></HEAD>\r\n"));
    EXPECT_TRUE(octets.contains(">Prix de vente \xE9tablissement : 12,5 \x80</td>\r\n"));
    EXPECT_TRUE(octets.contains(">Photo d'identit\xE9</td>\r\n"));
    EXPECT_FALSE(octets.contains(">Porte-cl"));
    EXPECT_FALSE(octets.contains("\">Pochette 3</td>")); // priced at the photographer's price, so not stored
    EXPECT_EQ(octets.count("\n"), octets.count("\r\n"));
    EXPECT_TRUE(octets.endsWith("</tr></table></body><html>\r\n"));

    EXPECT_EQ(existingForm<::FormTarifEtab>(), nullptr);
    ASSERT_NE(existingForm<Accueil>(), nullptr);
    EXPECT_TRUE(existingForm<Accueil>()->isVisible());
}

// A price that is no price is refused at each step, naming its field, before
// anything is stored; what is stored and printed is the price as both
// programs write it.
TEST_F(FormTarifEtab, UnPrixQuiNEstPasUnPrixEstRefuseAChaqueEtape)
{
    ::FormTarifEtab& form = ouvrir();
    // As typed: the box keeps digits and turns every point into a comma.
    const struct {
        const char* boite;
        const char* tape;
        const char* refus;
    } etape1[] = {
        {"TextSaisiePrixEleve", "1.250,00", "Le champ 'Prix vente établissement' est refusé : « 1,250,00 » n'est pas un prix"},
        {"TextSaisiePrixEleve", "12,5,0", "Le champ 'Prix vente établissement' est refusé : « 12,5,0 » n'est pas un prix"},
        {"TextSaisiePrixEleve", "12345678901234567890", "« 12345678901234567890 » dépasse le prix le plus élevé accepté, 999 999,99 €"},
        {"TextSaisiePrixRecEleve", "16,555", "Le champ 'Prix vente recommande établissement' est refusé : « 16,555 »"},
    };
    for (const auto& c : etape1) {
        remplacer(form, QStringLiteral("TextSaisiePrixEleve"), QStringLiteral("13"));
        remplacer(form, QString::fromLatin1(c.boite), QString::fromUtf8(c.tape));
        dialogues_.message(QString::fromUtf8(c.refus));
        cliquer(form, QStringLiteral("Bt_Suite_1_0"));
        EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
        EXPECT_EQ(form.focusWidget(), controle(form, QString::fromLatin1(c.boite))) << c.tape;
        EXPECT_TRUE(actif(form, QStringLiteral("ComboChoixPochette")));
    }
    remplacer(form, QStringLiteral("TextSaisiePrixEleve"), QStringLiteral("013."));
    remplacer(form, QStringLiteral("TextSaisiePrixRecEleve"), QStringLiteral("16,5"));
    cliquer(form, QStringLiteral("Bt_Suite_1_0"));

    cocher(form, 0);
    taper(form, QStringLiteral("TextRecPrixArticle_0"), QStringLiteral("3,5,0"));
    dialogues_.message(QStringLiteral("Le champ 'Prix vente établissement' de « Photo d'identité » est refusé : "
                                      "« 3,5,0 » n'est pas un prix"));
    cliquer(form, QStringLiteral("Bt_Suite_1_1"));
    EXPECT_EQ(form.focusWidget(), controle(form, QStringLiteral("TextRecPrixArticle_0")));
    remplacer(form, QStringLiteral("TextRecPrixArticle_0"), QStringLiteral("3"));
    remplacer(form, QStringLiteral("TextRecPrixArtEtab_0"), QStringLiteral(",5,"));
    dialogues_.message(QStringLiteral("Le champ 'Prix vente recommande établissement' de « Photo d'identité » est refusé"));
    cliquer(form, QStringLiteral("Bt_Suite_1_1"));
    remplacer(form, QStringLiteral("TextRecPrixArtEtab_0"), QStringLiteral("3,"));
    cliquer(form, QStringLiteral("Bt_Suite_1_1"));

    for (int i = 0; i < 3; ++i)
        taper(form, QStringLiteral("TextPrixEtabPoInc_%1").arg(i), QStringLiteral("30"));
    remplacer(form, QStringLiteral("TextPrixEtabPoInc_1"), QStringLiteral("30,0,0"));
    dialogues_.message(QStringLiteral("Le champ 'Prix vente établissement' de « P3_Pochette 3 INC - 2 article(s) » "
                                      "est refusé : « 30,0,0 » n'est pas un prix"));
    cliquer(form, QStringLiteral("Bt_Suite_1_2"));
    EXPECT_EQ(form.focusWidget(), controle(form, QStringLiteral("TextPrixEtabPoInc_1")));
    garderLesAnciensTarifs();
    remplacer(form, QStringLiteral("TextPrixEtabPoInc_1"), QStringLiteral("30.5"));
    dialogues_.message(QStringLiteral("Tarifs enregistrés"));
    cliquer(form, QStringLiteral("Bt_Suite_1_2"));

    EXPECT_EQ(tarifsArticles(etat::CodeEtabEnCours),
              QStringList{QStringLiteral("P3|Pochette 3|12,50|13|15,00|16,5|a2|Photo d'identité|3|3|2|3")});
    EXPECT_EQ(tarifsIncompletes(etat::CodeEtabEnCours),
              (QStringList{QStringLiteral("C|Pochette 3|15,00|30|"),
                           QStringLiteral("2|P3_Pochette 3 INC - 2 article(s)|9,90|30,5|"),
                           QStringLiteral("20|P3_Pochette 3 INC - 20 article(s)|20|30|")}));
    QFile fichier(feuille_tarif::chemin());
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    const QByteArray feuille = fichier.readAll();
    EXPECT_TRUE(feuille.contains(">Prix de vente \xE9tablissement : 13 \x80<p></td>\r\n"));
    EXPECT_TRUE(feuille.contains(">Prix vente recommande \xE9tablissement : 3 \x80</td></tr>\r\n"));
    EXPECT_TRUE(feuille.contains(">Prix de vente \xE9tablissement : 30,5 \x80</td>\r\n"));
}

// A photographer's price stored before the rule (an older base, an imported
// file) cannot be compared with: the wizard says which and stores nothing.
TEST_F(FormTarifEtab, UnPrixPhotographeQuiNEstPasUnPrixArreteLAssistant)
{
    base::db().exec(QStringLiteral("UPDATE Pochette SET PrixRecPochetteTTC = '15 euros' WHERE RefPochette = 'P3'"));
    base::db().exec(QStringLiteral("UPDATE Articles SET PrixUnitaireTTC = '1.250,00' WHERE RefArticle = 'a2'"));
    ::FormTarifEtab& form = ouvrir();
    taper(form, QStringLiteral("TextSaisiePrixEleve"), QStringLiteral("13"));
    dialogues_.message(QStringLiteral("Le prix photographe de « Pochette 3 » est refusé : « 15 euros » n'est pas un prix"));
    cliquer(form, QStringLiteral("Bt_Suite_1_0"));
    EXPECT_TRUE(dialogues_.lastPrompt().text.contains(QStringLiteral("Corrigez-le dans les tarifs photographe")));
    EXPECT_TRUE(actif(form, QStringLiteral("ComboChoixPochette")));

    base::db().exec(QStringLiteral("UPDATE Pochette SET PrixRecPochetteTTC = '15,00' WHERE RefPochette = 'P3'"));
    choisir(form, QStringLiteral("ComboChoixPochette"), QStringLiteral("Pochette 1"));
    cliquer(form, QStringLiteral("Bt_Suite_1_0"));
    cocher(form, 0);
    taper(form, QStringLiteral("TextRecPrixArticle_0"), QStringLiteral("3"));
    dialogues_.message(QStringLiteral("Le prix photographe de « Photo d'identité » est refusé : « 1.250,00 »"));
    cliquer(form, QStringLiteral("Bt_Suite_1_1"));
    garderLesAnciensTarifs();
}

TEST_F(FormTarifEtab, RevenirDansLAssistantNeRecommencePas)
{
    ::FormTarifEtab& form = ouvrir();
    passerPochette(form);
    cocher(form, 1);
    taper(form, QStringLiteral("TextRecPrixArticle_1"), QStringLiteral("7"));
    cliquer(form, QStringLiteral("Bt_Suite_1_1"));

    auto* autre = new Form(QStringLiteral("Autre"));
    autre->showForm();
    form.activateFromUser();
    EXPECT_TRUE(controle(form, QStringLiteral("Bt_Suite_1_2"))->isEnabled());
    EXPECT_EQ(controle<QComboBox>(form, QStringLiteral("ComboChoixPochette"))->count(), 2);
    autre->unload();

    // A sheet that cannot be written is said; the prices stay stored.
    QDir().mkpath(feuille_tarif::chemin());
    for (int i = 0; i < 3; ++i)
        taper(form, QStringLiteral("TextPrixEtabPoInc_%1").arg(i), QStringLiteral("30"));
    dialogues_.message(QStringLiteral("Tarifs enregistrés"))
        .message(QStringLiteral("La feuille de tarifs ") + feuille_tarif::chemin());
    cliquer(form, QStringLiteral("Bt_Suite_1_2"));
    EXPECT_TRUE(shell_.requests().empty());
    EXPECT_EQ(tarifsIncompletes(etat::CodeEtabEnCours).size(), 3);
    EXPECT_EQ(tarifsArticles(etat::CodeEtabEnCours).size(), 1);
}

TEST_F(FormTarifEtab, UneLongueListeDArticlesDefile)
{
    for (int i = 0; i < 40; ++i)
        article(QStringLiteral("z%1").arg(i), QStringLiteral("Zoom %1").arg(i, 2, 10, QChar(u'0')), QStringLiteral("1"),
                QStringLiteral("1"));
    ::FormTarifEtab& form = ouvrir();
    passerPochette(form);
    QWidget* cadre = controle(form, QStringLiteral("Frame1"));
    QWidget* dernier = controle(form, QStringLiteral("CheckArticle_42"));
    EXPECT_LE(dernier->geometry().bottom(), cadre->height());
    EXPECT_GT(controle<QScrollBar>(form, QStringLiteral("VScroll1"))->maximum(), 0);
    EXPECT_EQ(controle(form, QStringLiteral("Bt_Suite_1_1"))->y(), controle(form, QStringLiteral("TextRecPrixArticle_42"))->y());
}

// The establishment always has one whole list: leaving the wizard by any
// way but "Terminer" keeps the previous one, and says so.
TEST_F(FormTarifEtab, QuitterAvantTerminerGardeLesTarifsPrecedents)
{
    const struct {
        const char* cas;
        bool derniereEtape;
        std::function<void(::FormTarifEtab&)> quitter;
    } cas[] = {
        {"case de fermeture à l'ouverture", false, [](::FormTarifEtab& form) { form.close(); }},
        {"case de fermeture à la dernière étape", true, [](::FormTarifEtab& form) { form.close(); }},
        {"Fichier > Retour à la dernière étape", true,
         [](::FormTarifEtab& form) { form.findChild<QAction*>(QStringLiteral("MNU_Retour"))->trigger(); }},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        ::FormTarifEtab& form = ouvrir();
        if (c.derniereEtape)
            allerALaDerniereEtape(form);
        dialogues_.message(QStringLiteral("Les tarifs de l'établissement Ecole Test n'ont pas été modifiés : "
                                          "l'assistant a été quitté avant « Terminer », l'établissement garde ses "
                                          "tarifs précédents."));
        c.quitter(form);
        EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Information);
        EXPECT_EQ(existingForm<::FormTarifEtab>(), nullptr);
        garderLesAnciensTarifs();
        EXPECT_TRUE(shell_.requests().empty());
        ASSERT_NE(existingForm<Accueil>(), nullptr);
        EXPECT_TRUE(existingForm<Accueil>()->isVisible());
    }
}

// A power cut at the last step finds on disk what the wizard had stored
// before it: the previous list; one inside the storing finds the same, as it
// is one transaction (a failure half way shows it).
TEST_F(FormTarifEtab, UneCoupureALaDerniereEtapeLaisseLesTarifsPrecedents)
{
    ::FormTarifEtab& form = ouvrir();
    allerALaDerniereEtape(form);
    const QString copie = sandbox_.path(QStringLiteral("coupure.idx"));
    ASSERT_TRUE(QFile::copy(base::db().path(), copie));
    {
        db::Database apresCoupure(copie);
        EXPECT_EQ(apresCoupure.scalar(QStringLiteral("SELECT group_concat(RecNomArticles) FROM RecTarifs WHERE "
                                                     "RecCodeEtablissement = ?"),
                                      {etat::CodeEtabEnCours}),
                  QStringLiteral("ancien"));
        EXPECT_EQ(apresCoupure.scalar(QStringLiteral("SELECT group_concat(RecLibelleArticke) FROM RecPochetteInc "
                                                     "WHERE CodeEtab = ?"),
                                      {etat::CodeEtabEnCours}),
                  QStringLiteral("ancien"));
    }

    // The articles are in, the incomplete packs fail: nothing of it stays.
    base::db().exec(QStringLiteral("CREATE TRIGGER coupure BEFORE INSERT ON RecPochetteInc "
                                   "BEGIN SELECT RAISE(ABORT, 'coupure'); END"));
    dialogues_.message(QString());
    cliquer(form, QStringLiteral("Bt_Suite_1_2"));
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    garderLesAnciensTarifs();
    EXPECT_TRUE(shell_.requests().empty());
    ASSERT_EQ(existingForm<::FormTarifEtab>(), &form);

    base::db().exec(QStringLiteral("DROP TRIGGER coupure"));
    dialogues_.message(QStringLiteral("Tarifs enregistrés"));
    cliquer(form, QStringLiteral("Bt_Suite_1_2"));
    EXPECT_EQ(tarifsArticles(etat::CodeEtabEnCours).size(), 1);
    EXPECT_EQ(tarifsIncompletes(etat::CodeEtabEnCours).size(), 3);
    EXPECT_EQ(tarifsArticles(autre_), anciensArticles());
    EXPECT_EQ(existingForm<::FormTarifEtab>(), nullptr);
}

TEST_F(FormTarifEtab, LEcranDePriseDeVueDemandeAvantDOuvrirLAssistant)
{
    ChoixClasse& ecran = formInstance<ChoixClasse>();
    QAction* entree = ecran.findChild<QAction*>(QStringLiteral("MNU_Tarif_Etab"));
    ASSERT_NE(entree, nullptr);
    EXPECT_TRUE(entree->isVisible());
    EXPECT_FALSE(entree->isEnabled()); // until the photographer goes back to the choice of a class
    entree->setEnabled(true);

    dialogues_.message(QStringLiteral("ATTENTION !!! Etes vous sûr de vouloir ressaisir les tarifs"), Answer::Cancel);
    entree->trigger();
    EXPECT_EQ(existingForm<::FormTarifEtab>(), nullptr);
    EXPECT_EQ(tarifsArticles(etat::CodeEtabEnCours).size(), 1);

    dialogues_.message(QStringLiteral("Au moindre doute, cliquez sur le bouton : ANNULER"), Answer::Ok);
    entree->trigger();
    EXPECT_EQ(dialogues_.lastPrompt().title, QStringLiteral("ATTENTION !!! Ressaisie des tarifs établissement..."));
    EXPECT_EQ(dialogues_.lastPrompt().buttons, dialogs::Buttons::OkCancel);
    ASSERT_NE(existingForm<::FormTarifEtab>(), nullptr);
    EXPECT_TRUE(existingForm<::FormTarifEtab>()->isVisible());
    EXPECT_FALSE(ecran.isVisible());
    garderLesAnciensTarifs();
    ecran.unload();
}

// Each stored article row carries the pack to the school: without a ticked
// article the wizard does not go on, and stores nothing.
TEST_F(FormTarifEtab, IlFautAuMoinsUnArticlePourContinuer)
{
    ::FormTarifEtab& form = ouvrir();
    passerPochette(form);
    cocher(form, 1);
    cocher(form, 1);
    dialogues_.message(QStringLiteral("Cochez au moins un article : sans article, l'école ne recevrait pas les tarifs "
                                      "de l'établissement."));
    cliquer(form, QStringLiteral("Bt_Suite_1_1"));
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_EQ(form.focusWidget(), controle(form, QStringLiteral("CheckArticle_0")));
    EXPECT_TRUE(actif(form, QStringLiteral("Bt_Suite_1_1")));
    EXPECT_FALSE(controle(form, QStringLiteral("Bt_Suite_1_2"))->isVisible());
    EXPECT_TRUE(shell_.requests().empty());
}

// Names are shown and printed as they were typed, "&" included.
TEST_F(FormTarifEtab, LesNomsAvecUneEsperluetteSAffichentCommeSaisis)
{
    article(QStringLiteral("a4"), QStringLiteral("Zèbre & Cie"), QStringLiteral("2"), QStringLiteral("2"));
    incomplete(QStringLiteral("P3"), QStringLiteral("3"), QStringLiteral("Trio & co"), QStringLiteral("1"));
    ::FormTarifEtab& form = ouvrir();
    passerPochette(form);
    QCheckBox* zebre = controle<QCheckBox>(form, QStringLiteral("CheckArticle_3"));
    EXPECT_TRUE(zebre->shortcut().isEmpty());
    EXPECT_EQ(zebre->text().replace(QStringLiteral("&&"), QStringLiteral("&")), QString::fromUtf8("Zèbre & Cie"));
    cocher(form, 3);
    taper(form, QStringLiteral("TextRecPrixArticle_3"), QStringLiteral("2"));
    cliquer(form, QStringLiteral("Bt_Suite_1_1"));
    EXPECT_EQ(controle<QLabel>(form, QStringLiteral("LBPoInc_3"))->text(), QStringLiteral("Trio & co"));
    for (int i = 0; i < 4; ++i)
        taper(form, QStringLiteral("TextPrixEtabPoInc_%1").arg(i), QStringLiteral("30"));
    dialogues_.message(QStringLiteral("Tarifs enregistrés"));
    cliquer(form, QStringLiteral("Bt_Suite_1_2"));
    QFile fichier(feuille_tarif::chemin());
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    const QByteArray octets = fichier.readAll();
    EXPECT_TRUE(octets.contains(">Z\xE8" "bre &amp; Cie</td>"));
    EXPECT_TRUE(octets.contains(">Trio &amp; co</td>"));
}

TEST_F(FormTarifEtab, TabParcourtChaqueLignePuisSonBouton)
{
    ::FormTarifEtab& form = ouvrir();
    const auto suivant = [&form](const char* attendu) {
        QTest::keyClick(form.focusWidget(), Qt::Key_Tab);
        ASSERT_NE(form.focusWidget(), nullptr);
        EXPECT_EQ(form.focusWidget()->objectName(), QString::fromLatin1(attendu));
    };
    passerPochette(form);
    for (int i = 0; i < 3; ++i)
        cocher(form, i);
    controle(form, QStringLiteral("CheckArticle_1"))->setFocus();
    for (const char* nom : {"TextRecPrixArticle_1", "TextRecPrixArtEtab_1", "CheckArticle_2", "TextRecPrixArticle_2",
                            "TextRecPrixArtEtab_2", "Bt_Suite_1_1"})
        suivant(nom);
    for (int i = 0; i < 3; ++i)
        taper(form, QStringLiteral("TextRecPrixArticle_%1").arg(i), QStringLiteral("9"));
    cliquer(form, QStringLiteral("Bt_Suite_1_1"));
    controle(form, QStringLiteral("TextPrixEtabPoInc_1"))->setFocus();
    for (const char* nom : {"TextPrixEtabPoInc_2", "Bt_Suite_1_2"})
        suivant(nom);
}

// The sheet is printed only when written whole, and a print that did not
// happen is said: the user knows where the sheet is.
TEST_F(FormTarifEtab, UneFeuilleNonEcriteOuNonImprimeeEstSignalee)
{
    class RefusImpression final : public shell::Service {
    public:
        bool open(const QString&) override { return true; }
        bool print(const QString&, double) override { return false; }
    };
    const struct {
        const char* cas;
        bool disquePlein;
        const char* message;
        dialogs::Icon icone;
    } cas[] = {
        {"impression non faite", false, "n'a pas été imprimée. Les tarifs restent enregistrés.",
         dialogs::Icon::Exclamation},
        {"disque plein", true, "n'a pas pu être écrite. Les tarifs restent enregistrés.", dialogs::Icon::Critical},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        ::FormTarifEtab& form = ouvrir();
        allerALaDerniereEtape(form);

        const QString dossier = QFileInfo(feuille_tarif::chemin()).path();
        std::optional<SmallDisk> disque;
        std::unique_ptr<shell::Service> shellAvant;
        if (c.disquePlein) {
            disque.emplace(dossier, 64 * 1024);
            if (!disque->active())
                GTEST_SKIP() << "a small file system needs root";
            disque->fillLeaving(0);
            // Down to its last byte: a small sheet fits in what fillLeaving leaves.
            QFile reste(dossier + QStringLiteral("/.reste"));
            reste.open(QIODevice::WriteOnly);
            while (reste.write(QByteArray(256, 'x')) == 256 && reste.flush()) {
            }
        } else {
            shellAvant = shell::install(std::make_unique<RefusImpression>());
        }
        dialogues_.message(QStringLiteral("Tarifs enregistrés"))
            .message(QStringLiteral("La feuille de tarifs ") + feuille_tarif::chemin() + u' ' + QString::fromUtf8(c.message));
        cliquer(form, QStringLiteral("Bt_Suite_1_2"));
        EXPECT_EQ(dialogues_.lastPrompt().icon, c.icone);
        if (shellAvant)
            shell::install(std::move(shellAvant));
        EXPECT_TRUE(shell_.requests().empty());
        EXPECT_EQ(tarifsIncompletes(etat::CodeEtabEnCours).size(), 3);
        EXPECT_EQ(tarifsArticles(etat::CodeEtabEnCours).size(), 1);
    }
}

} // namespace
