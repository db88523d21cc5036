#include "tests/photographer/prices/tarifs_fixture.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>

#include <functional>
#include <tuple>
#include <utility>
#include <vector>

using dialogs::Answer;

namespace {

const QString kTrois = QString::fromUtf8(kTroisArticles);

QString vide(const char* legende)
{
    return QStringLiteral("Le champs    '") + QString::fromUtf8(legende) + QStringLiteral("'  ne peut être vide!");
}

// The fixture bears the name of the class under test; this namespace keeps the two apart.
class FormTarifs : public TarifsFixture {
protected:
    void ajouterArticle(const QString& ref, const QString& nom, const QString& prix)
    {
        cliquer(tarifs(), QStringLiteral("Bt_Ajout_Articles_0"));
        taper(tarifs(), QStringLiteral("SaisieAjoutArticles_0"), ref);
        taper(tarifs(), QStringLiteral("SaisieAjoutArticles_1"), nom);
        taper(tarifs(), QStringLiteral("SaisieAjoutArticles_2"), prix);
        cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutArticles_0"));
    }
    void troisArticles()
    {
        article(QStringLiteral("a1"), QStringLiteral("Tirage 13x18"), QStringLiteral("5"), QStringLiteral("5"));
        article(QStringLiteral("a2"), QStringLiteral("Tirage 18x24"), QStringLiteral("8"), QStringLiteral("8"));
        article(QStringLiteral("a3"), QStringLiteral("Porte-clés"), QStringLiteral("6"), QStringLiteral("6"));
    }
    QStringList pochettes()
    {
        return lignes(QStringLiteral("SELECT RefPochette, NomPochette, PrixPochetteTTC, PrixRecPochetteTTC "
                                     "FROM Pochette ORDER BY rowid"));
    }
    QStringList incompletes()
    {
        return lignes(QStringLiteral("SELECT NbArticlesTxt, NbArticles, LibArticle, PrixPhotographe "
                                     "FROM PochetteIncomplete ORDER BY CdePocInc"));
    }
    QStringList articles()
    {
        return lignes(QStringLiteral("SELECT RefArticle, NomArticle, PrixUnitaireTTC, PrixUnitaireRecTTC "
                                     "FROM Articles ORDER BY rowid"));
    }
};

TEST_F(FormTarifs, LeCatalogueSeConstruitAvecSesCasesDansLOrdre)
{
    ouvrirTarifs();
    for (const char* nom : {"Bt_Ajout_Pochette_1", "Bt_Ajout_Pochette_2", "Bt_Ajout_Articles_1",
                            "Bt_Ajout_Articles_2", "Bt_Ajout_PochetteInc_0", "Bt_Ajout_PochetteInc_1"})
        EXPECT_FALSE(actif(tarifs(), QString::fromLatin1(nom))) << nom;

    // Articles: the window reloads after each, warning while fewer than three exist.
    dialogues_.message(kTrois).message(kTrois);
    ajouterArticle(QStringLiteral("a1"), QStringLiteral("Tirage 13x18"), QStringLiteral("5"));
    ajouterArticle(QStringLiteral("a2"), QStringLiteral("Tirage 18x24"), QStringLiteral("8.5"));
    ajouterArticle(QStringLiteral("a3"), QStringLiteral("Porte-clés"), QStringLiteral("6"));
    EXPECT_EQ(articles(), (QStringList{QStringLiteral("a1|Tirage 13x18|5|5"), QStringLiteral("a2|Tirage 18x24|8,5|8,5"),
                                       QStringLiteral("a3|Porte-clés|6|6")}));
    EXPECT_EQ(controle<QComboBox>(tarifs(), QStringLiteral("ComboArticles"))->currentText(), QStringLiteral("Porte-clés"));

    cliquer(tarifs(), QStringLiteral("Bt_Ajout_Articles_0"));
    dialogues_.message(vide("Référence Article")).message(vide("Nom Pochette"))
        .message(QStringLiteral("Cette référence article existe déjà !"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutArticles_0"));
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_0"), QStringLiteral("A1"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutArticles_0"));
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_1"), QStringLiteral("Autre"));
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_2"), QStringLiteral("1"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutArticles_0"));
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutArticles_1"));
    EXPECT_EQ(articles().size(), 3);

    // A pack: empty boxes are named in order, the reorder price follows the price until typed over.
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_Pochette_0"));
    EXPECT_FALSE(actif(tarifs(), QStringLiteral("Bt_retour")));
    dialogues_.message(vide("Référence Pochette")).message(vide("Nom Pochette")).message(vide("Prix Pochette TTC"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutPochette_0"));
    taper(tarifs(), QStringLiteral("SaisieAjoutPochette_0"), QStringLiteral("P-3é"));
    EXPECT_EQ(texte(tarifs(), QStringLiteral("SaisieAjoutPochette_0")), QStringLiteral("P3"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutPochette_0"));
    taper(tarifs(), QStringLiteral("SaisieAjoutPochette_1"), QStringLiteral("Pochette 3"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutPochette_0"));
    taper(tarifs(), QStringLiteral("SaisieAjoutPochette_2"), QStringLiteral("12.5a0"));
    EXPECT_EQ(texte(tarifs(), QStringLiteral("SaisieAjoutPochette_2")), QStringLiteral("12,50"));
    EXPECT_EQ(texte(tarifs(), QStringLiteral("SaisieAjoutPochette_3")), QStringLiteral("12,50"));
    controle<QLineEdit>(tarifs(), QStringLiteral("SaisieAjoutPochette_3"))->clear();
    taper(tarifs(), QStringLiteral("SaisieAjoutPochette_3"), QStringLiteral("15.00"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutPochette_0"));
    EXPECT_EQ(pochettes(), QStringList{QStringLiteral("P3|Pochette 3|12,50|15,00")});
    EXPECT_EQ(incompletes(), QStringList{QStringLiteral("P3|C|Pochette 3|15,00")});

    cliquer(tarifs(), QStringLiteral("Bt_Ajout_Pochette_0"));
    taper(tarifs(), QStringLiteral("SaisieAjoutPochette_0"), QStringLiteral("p3"));
    taper(tarifs(), QStringLiteral("SaisieAjoutPochette_1"), QStringLiteral("Autre"));
    taper(tarifs(), QStringLiteral("SaisieAjoutPochette_2"), QStringLiteral("1"));
    dialogues_.message(QStringLiteral("Cette référence pochette existe déjà !"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutPochette_0"));
    EXPECT_TRUE(actif(tarifs(), QStringLiteral("Bt_retour")));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutPochette_1"));
    EXPECT_EQ(pochettes().size(), 1);

    // Incomplete packs of the chosen pack, named from it and their count.
    EXPECT_EQ(controle<QComboBox>(tarifs(), QStringLiteral("CbPochettesIncompletes"))->currentText(),
              QStringLiteral("Pochette 3"));
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_PochetteInc_0"));
    dialogues_.message(QStringLiteral("Le champ Nb Articles ne peut rester vide"))
        .message(QStringLiteral("Le champ Prix TTC ne peut rester vide"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutPochetteInc_0"));
    taper(tarifs(), QStringLiteral("SaisieAjoutPochetteInc_3"), QStringLiteral("2x"));
    EXPECT_EQ(texte(tarifs(), QStringLiteral("SaisieAjoutPochetteInc_1")), QStringLiteral("P3_Pochette 3 INC - 2 article(s)"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutPochetteInc_0"));
    taper(tarifs(), QStringLiteral("SaisieAjoutPochetteInc_2"), QStringLiteral("9.9"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutPochetteInc_0"));
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_PochetteInc_0"));
    taper(tarifs(), QStringLiteral("SaisieAjoutPochetteInc_3"), QStringLiteral("20"));
    taper(tarifs(), QStringLiteral("SaisieAjoutPochetteInc_2"), QStringLiteral("15"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutPochetteInc_0"));
    EXPECT_EQ(incompletes(), (QStringList{QStringLiteral("P3|C|Pochette 3|15,00"),
                                          QStringLiteral("P3|2|P3_Pochette 3 INC - 2 article(s)|9,9"),
                                          QStringLiteral("P3|20|P3_Pochette 3 INC - 20 article(s)|15")}));

    cliquer(tarifs(), QStringLiteral("Bt_Ajout_PochetteInc_0"));
    taper(tarifs(), QStringLiteral("SaisieAjoutPochetteInc_3"), QStringLiteral("2"));
    taper(tarifs(), QStringLiteral("SaisieAjoutPochetteInc_2"), QStringLiteral("1"));
    dialogues_.message(QStringLiteral("Ce nom de pochette existe déjà !"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutPochetteInc_0"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutPochetteInc_1"));

    // Deletions act only after OK.
    choisir(tarifs(), QStringLiteral("CbPochettesIncompletes"), QStringLiteral("P3_Pochette 3 INC - 2 article(s)"));
    const QString question =
        QStringLiteral("Vous allez supprimer définitivement le type de pochette : 'P3_Pochette 3 INC - 2 article(s)' ?");
    dialogues_.message(question, Answer::Cancel);
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_PochetteInc_2"));
    EXPECT_EQ(dialogues_.lastPrompt().buttons, dialogs::Buttons::OkCancel);
    EXPECT_EQ(incompletes().size(), 3);
    choisir(tarifs(), QStringLiteral("CbPochettesIncompletes"), QStringLiteral("P3_Pochette 3 INC - 2 article(s)"));
    dialogues_.message(question, Answer::Ok);
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_PochetteInc_2"));
    EXPECT_EQ(incompletes().size(), 2);

    dialogues_.message(QStringLiteral("Vous allez supprimer définitivement le type de pochette : 'Pochette 3' ?"));
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_Pochette_2"));
    EXPECT_TRUE(pochettes().isEmpty());
    EXPECT_EQ(incompletes().size(), 2); // the pack's incomplete packs stay
    EXPECT_EQ(controle<QComboBox>(tarifs(), QStringLiteral("ComboPochette"))->count(), 0);
}

TEST_F(FormTarifs, LesCommandesAgissentSurLaLigneChoisieQuelQueSoitSonNom)
{
    article(QStringLiteral("a_b"), QStringLiteral("Photo d'identité"), QStringLiteral("4"), QStringLiteral("3"));
    article(QStringLiteral("axb"), QStringLiteral("Photo d'identité"), QStringLiteral("5"), QStringLiteral("4"));
    article(QStringLiteral("a3"), QStringLiteral("Photo [*]?#"), QStringLiteral("6"), QStringLiteral("6"));
    article(QStringLiteral("a4"), QStringLiteral("Poster"), QStringLiteral("7"), QStringLiteral("7"));
    pochette(QStringLiteral("P1"), QStringLiteral("Pochette l'été"), QStringLiteral("10"), QStringLiteral("11"));
    pochette(QStringLiteral("P2"), QStringLiteral("Pochette l'été"), QStringLiteral("20"), QStringLiteral("21"));
    incomplete(QStringLiteral("P2"), QStringLiteral("2"), QStringLiteral("P2_x"), QStringLiteral("9"));
    base::db().exec(QStringLiteral("INSERT INTO Pochette (RefPochette, NomPochette) VALUES ('P9', 'Sans variante')"));
    ouvrirTarifs();

    // The pack without incomplete packs offers nothing to change or delete among them.
    EXPECT_EQ(controle<QComboBox>(tarifs(), QStringLiteral("ComboPochette"))->currentText(), QStringLiteral("Sans variante"));
    EXPECT_EQ(controle<QComboBox>(tarifs(), QStringLiteral("CbPochettesIncompletes"))->count(), 0);
    EXPECT_TRUE(actif(tarifs(), QStringLiteral("Bt_Ajout_PochetteInc_0")));
    EXPECT_FALSE(actif(tarifs(), QStringLiteral("Bt_Ajout_PochetteInc_1")));
    EXPECT_FALSE(actif(tarifs(), QStringLiteral("Bt_Ajout_PochetteInc_2")));

    // The second of two packs named alike is changed, and only it; its list follows it.
    choisir(tarifs(), QStringLiteral("ComboPochette"), QStringLiteral("Pochette l'été"), 1);
    EXPECT_EQ(controle<QComboBox>(tarifs(), QStringLiteral("CbPochettesIncompletes"))->count(), 2);
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_Pochette_1"));
    EXPECT_EQ(texte(tarifs(), QStringLiteral("SaisieAjoutPochette_2")), QStringLiteral("20"));
    EXPECT_EQ(texte(tarifs(), QStringLiteral("SaisieAjoutPochette_3")), QStringLiteral("21"));
    taper(tarifs(), QStringLiteral("SaisieAjoutPochette_1"), QStringLiteral(" 2"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideModifPochette_0"));
    EXPECT_EQ(lignes(QStringLiteral("SELECT RefPochette, NomPochette, PrixPochetteTTC FROM Pochette ORDER BY rowid")),
              (QStringList{QStringLiteral("P1|Pochette l'été|10"), QStringLiteral("P2|Pochette l'été 2|20"),
                           QStringLiteral("P9|Sans variante|")}));
    // Its "C" row keeps the name it was given.
    EXPECT_EQ(compter(QStringLiteral("SELECT count(*) FROM PochetteIncomplete WHERE LibArticle = ?"),
                      {QStringLiteral("Pochette l'été")}),
              2);

    // The first of two articles named alike is deleted, and only it.
    choisir(tarifs(), QStringLiteral("ComboArticles"), QStringLiteral("Photo d'identité"), 0);
    dialogues_.message(QStringLiteral("Vous allez supprimer définitivement l'article : 'Photo d'identité' ?"));
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_Articles_2"));
    EXPECT_EQ(lignes(QStringLiteral("SELECT RefArticle FROM Articles ORDER BY rowid")),
              (QStringList{QStringLiteral("axb"), QStringLiteral("a3"), QStringLiteral("a4")}));

    // A name full of pattern characters is changed in its own row.
    choisir(tarifs(), QStringLiteral("ComboArticles"), QStringLiteral("Photo [*]?#"));
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_Articles_1"));
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_3"), QStringLiteral("5"));
    cliquer(tarifs(), QStringLiteral("Bt_ValidModifArticles_0"));
    EXPECT_EQ(articles(), (QStringList{QStringLiteral("axb|Photo d'identité|5|4"), QStringLiteral("a3|Photo [*]?#|6|65"),
                                       QStringLiteral("a4|Poster|7|7")}));

    // An incomplete pack holding an apostrophe is deleted by its key.
    choisir(tarifs(), QStringLiteral("ComboPochette"), QStringLiteral("Pochette l'été"), 0);
    choisir(tarifs(), QStringLiteral("CbPochettesIncompletes"), QStringLiteral("Pochette l'été"));
    dialogues_.message(QStringLiteral("'Pochette l'été' ?"));
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_PochetteInc_2"));
    EXPECT_EQ(incompletes(), (QStringList{QStringLiteral("P2|C|Pochette l'été|21"), QStringLiteral("P2|2|P2_x|9")}));
}

// A change the base refuses is said in the base's own words; nothing is
// stored and the entry stays open to try again.
TEST_F(FormTarifs, UneModificationRefuseeParLaBaseEstSignaleeEtLaSaisieResteOuverte)
{
    troisArticles();
    ouvrirTarifs();
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_Articles_0"));
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_0"), QStringLiteral("a4"));
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_1"), QStringLiteral("Cadre"));
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_2"), QStringLiteral("9"));
    {
        db::Database autreProgramme(base::cheminBase());
        db::Database::Transaction ecriture(autreProgramme);
        dialogues_.message(QStringLiteral("La base %1 est occupée par un autre programme : la modification n'a pas été "
                                          "enregistrée.")
                               .arg(QDir::toNativeSeparators(base::cheminBase())));
        cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutArticles_0"));
        EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    }
    EXPECT_EQ(articles().size(), 3);
    EXPECT_TRUE(controle(tarifs(), QStringLiteral("SaisieAjoutArticles_0"))->isVisible());
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutArticles_0"));
    EXPECT_EQ(articles().last(), QStringLiteral("a4|Cadre|9|9"));
}

TEST_F(FormTarifs, UnePochetteIncompleteSuitLaPochetteChoisiePendantSaSaisie)
{
    troisArticles();
    pochette(QStringLiteral("P3"), QStringLiteral("Pochette 3"), QStringLiteral("12"), QStringLiteral("15"));
    pochette(QStringLiteral("P4"), QStringLiteral("Pochette 4"), QStringLiteral("20"), QStringLiteral("20"));
    ouvrirTarifs();

    // The pack list stays usable while an incomplete pack is entered: the row goes
    // to the pack chosen last, and so does its name.
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_PochetteInc_0"));
    taper(tarifs(), QStringLiteral("SaisieAjoutPochetteInc_3"), QStringLiteral("3"));
    choisir(tarifs(), QStringLiteral("ComboPochette"), QStringLiteral("Pochette 3"));
    EXPECT_EQ(texte(tarifs(), QStringLiteral("SaisieAjoutPochetteInc_1")), QStringLiteral("P3_Pochette 3 INC - 3 article(s)"));
    taper(tarifs(), QStringLiteral("SaisieAjoutPochetteInc_2"), QStringLiteral("11"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutPochetteInc_0"));

    // A choice made before the count is typed names it after that pack too.
    choisir(tarifs(), QStringLiteral("ComboPochette"), QStringLiteral("Pochette 4"));
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_PochetteInc_0"));
    choisir(tarifs(), QStringLiteral("ComboPochette"), QStringLiteral("Pochette 3"));
    taper(tarifs(), QStringLiteral("SaisieAjoutPochetteInc_3"), QStringLiteral("2"));
    taper(tarifs(), QStringLiteral("SaisieAjoutPochetteInc_2"), QStringLiteral("9"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutPochetteInc_0"));
    EXPECT_EQ(incompletes(), (QStringList{QStringLiteral("P3|C|Pochette 3|15"), QStringLiteral("P4|C|Pochette 4|20"),
                                          QStringLiteral("P3|3|P3_Pochette 3 INC - 3 article(s)|11"),
                                          QStringLiteral("P3|2|P3_Pochette 3 INC - 2 article(s)|9")}));

    // A change moves the incomplete pack to the pack chosen meanwhile, under that pack's name.
    choisir(tarifs(), QStringLiteral("ComboPochette"), QStringLiteral("Pochette 3"));
    choisir(tarifs(), QStringLiteral("CbPochettesIncompletes"), QStringLiteral("P3_Pochette 3 INC - 2 article(s)"));
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_PochetteInc_1"));
    choisir(tarifs(), QStringLiteral("ComboPochette"), QStringLiteral("Pochette 4"));
    EXPECT_EQ(texte(tarifs(), QStringLiteral("SaisieAjoutPochetteInc_1")), QStringLiteral("P4_Pochette 4 INC - 2 article(s)"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideModifPochetteInc_0"));
    EXPECT_EQ(incompletes().last(), QStringLiteral("P4|2|P4_Pochette 4 INC - 2 article(s)|9"));
}

TEST_F(FormTarifs, LArticleGardeLePrixDeRecommandeSaisi)
{
    troisArticles();
    ouvrirTarifs();
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_Articles_0"));
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_0"), QStringLiteral("a9"));
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_1"), QStringLiteral("Agrandissement"));
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_2"), QStringLiteral("10"));
    EXPECT_EQ(texte(tarifs(), QStringLiteral("SaisieAjoutArticles_3")), QStringLiteral("10"));
    controle<QLineEdit>(tarifs(), QStringLiteral("SaisieAjoutArticles_3"))->clear();
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_3"), QStringLiteral("8"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutArticles_0"));
    EXPECT_EQ(articles().last(), QStringLiteral("a9|Agrandissement|10|8"));

    // A change shows the reference where it cannot be typed over.
    choisir(tarifs(), QStringLiteral("ComboArticles"), QStringLiteral("Agrandissement"));
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_Articles_1"));
    QLineEdit* reference = controle<QLineEdit>(tarifs(), QStringLiteral("TextRefArticle"));
    EXPECT_TRUE(reference->isVisible());
    EXPECT_FALSE(reference->isEnabled());
    EXPECT_EQ(reference->text(), QStringLiteral("a9"));
    EXPECT_FALSE(actif(tarifs(), QStringLiteral("ComboPochette")));
    EXPECT_EQ(texte(tarifs(), QStringLiteral("SaisieAjoutArticles_3")), QStringLiteral("8"));
    controle<QLineEdit>(tarifs(), QStringLiteral("SaisieAjoutArticles_2"))->clear();
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_2"), QStringLiteral("12"));
    controle<QLineEdit>(tarifs(), QStringLiteral("SaisieAjoutArticles_3"))->clear();
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_3"), QStringLiteral("9.5"));
    cliquer(tarifs(), QStringLiteral("Bt_ValidModifArticles_0"));
    EXPECT_EQ(articles().last(), QStringLiteral("a9|Agrandissement|12|9,5"));
}

TEST_F(FormTarifs, PrefixesEtLimiteDeNomDesArticlesSupplementaires)
{
    troisArticles();
    ouvrirTarifs();
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_Articles_0"));
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_0"), QStringLiteral("ab12"));
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_1"), QStringLiteral("Tirage"));
    QCheckBox* sup = controle<QCheckBox>(tarifs(), QStringLiteral("CheckArtSup"));
    QTest::mouseClick(sup, Qt::LeftButton);
    EXPECT_EQ(texte(tarifs(), QStringLiteral("SaisieAjoutArticles_0")), QStringLiteral("sup_ab12"));
    EXPECT_EQ(texte(tarifs(), QStringLiteral("SaisieAjoutArticles_1")), QStringLiteral("S_Tirage"));
    QTest::mouseClick(sup, Qt::LeftButton);
    EXPECT_EQ(texte(tarifs(), QStringLiteral("SaisieAjoutArticles_0")), QStringLiteral("ab12"));
    EXPECT_EQ(texte(tarifs(), QStringLiteral("SaisieAjoutArticles_1")), QStringLiteral("Tirage"));

    QLineEdit* nom = controle<QLineEdit>(tarifs(), QStringLiteral("SaisieAjoutArticles_1"));
    nom->setText(QString(44, u'n'));
    dialogues_.message(QStringLiteral("Nom d'article trop long. Pas plus de 45 caractères."));
    QTest::mouseClick(sup, Qt::LeftButton);
    EXPECT_EQ(nom->text(), QStringLiteral("S_") + QString(43, u'n'));
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_2"), QStringLiteral("3"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutArticles_0"));
    EXPECT_EQ(articles().last(), QStringLiteral("sup_ab12|S_") + QString(43, u'n') + QStringLiteral("|3|3"));
}

TEST_F(FormTarifs, QuitterDemandeTroisArticles)
{
    article(QStringLiteral("a1"), QStringLiteral("Un"), QStringLiteral("1"), QStringLiteral("1"));
    article(QStringLiteral("a2"), QStringLiteral("Deux"), QStringLiteral("1"), QStringLiteral("1"));
    ouvrirTarifs();
    dialogues_.message(kTrois);
    cliquer(tarifs(), QStringLiteral("Bt_retour"));
    EXPECT_TRUE(tarifs().isVisible());
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);

    // The close box only warns, and brings no other window.
    dialogues_.message(kTrois);
    tarifs().close();
    EXPECT_EQ(existingForm<::FormTarifs>(), nullptr);
    EXPECT_EQ(existingForm<Accueil>(), nullptr);

    article(QStringLiteral("a3"), QStringLiteral("Trois"), QStringLiteral("1"), QStringLiteral("1"));
    ouvrirTarifs();
    cliquer(tarifs(), QStringLiteral("Bt_retour"));
    EXPECT_EQ(existingForm<::FormTarifs>(), nullptr);
    ASSERT_NE(existingForm<Accueil>(), nullptr);
    EXPECT_TRUE(existingForm<Accueil>()->isVisible());
}

TEST_F(FormTarifs, LeMenuDeLaFenetrePrincipaleOuvreLeCatalogue)
{
    troisArticles();
    Accueil& accueil = formInstance<Accueil>();
    accueil.showForm();
    QAction* entree = accueil.findChild<QAction*>(QStringLiteral("MNU_TarifsG"));
    ASSERT_NE(entree, nullptr);
    EXPECT_TRUE(entree->isVisible());
    EXPECT_TRUE(entree->isEnabled());
    EXPECT_EQ(entree->text(), QStringLiteral("Tarifs Photographe..."));
    entree->trigger();
    EXPECT_EQ(existingForm<Accueil>(), nullptr);
    ASSERT_NE(existingForm<::FormTarifs>(), nullptr);
    EXPECT_TRUE(tarifs().isVisible());
    EXPECT_EQ(controle<QComboBox>(tarifs(), QStringLiteral("ComboArticles"))->count(), 3);

    // Typing in a list changes nothing.
    QComboBox* liste = controle<QComboBox>(tarifs(), QStringLiteral("ComboArticles"));
    const int avant = liste->currentIndex();
    taper(tarifs(), QStringLiteral("ComboArticles"), QStringLiteral("T"));
    EXPECT_EQ(liste->currentIndex(), avant);
}

// A price pasted with its label or unit is kept as the price alone, in its box,
// in the box that follows it and in the stored row.
TEST_F(FormTarifs, LesPrixCollesSontEnregistresCommeIlsSEcrivent)
{
    troisArticles();
    ouvrirTarifs();
    const struct {
        const char* ouvrir;
        std::vector<std::pair<const char*, const char*>> saisies; // box, text typed (or pasted when it starts with "coller:")
        const char* valider;
        std::function<QString()> stocke;
        const char* attendu;
    } cas[] = {
        {"Bt_Ajout_Articles_0",
         {{"SaisieAjoutArticles_0", "a9"}, {"SaisieAjoutArticles_1", "Agrandissement"}, {"SaisieAjoutArticles_2", "coller:8"}},
         "Bt_ValideAjoutArticles_0", [this] { return articles().last(); }, "a9|Agrandissement|8|8"},
        {"Bt_Ajout_Pochette_0",
         {{"SaisieAjoutPochette_0", "P5"}, {"SaisieAjoutPochette_1", "Pochette 5"}, {"SaisieAjoutPochette_2", "coller:12.50"}},
         "Bt_ValideAjoutPochette_0", [this] { return pochettes().last(); }, "P5|Pochette 5|12,50|12,50"},
        {"Bt_Ajout_PochetteInc_0", {{"SaisieAjoutPochetteInc_3", "2"}, {"SaisieAjoutPochetteInc_2", "coller: 9.9 "}},
         "Bt_ValideAjoutPochetteInc_0", [this] { return incompletes().last(); }, "P5|2|P5_Pochette 5 INC - 2 article(s)|9,9"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.ouvrir);
        cliquer(tarifs(), QString::fromLatin1(c.ouvrir));
        for (const auto& [boite, saisie] : c.saisies) {
            const QString texte = QString::fromUtf8(saisie);
            if (texte.startsWith(QStringLiteral("coller:"))) {
                QGuiApplication::clipboard()->setText(texte.mid(7));
                controle<QLineEdit>(tarifs(), QString::fromLatin1(boite))->paste();
            } else {
                taper(tarifs(), QString::fromLatin1(boite), texte);
            }
        }
        cliquer(tarifs(), QString::fromLatin1(c.valider));
        EXPECT_EQ(c.stocke(), QString::fromUtf8(c.attendu));
    }
}

// A price that is no price is refused at "Valider", naming its field; the
// entry stays open and nothing is stored. What is stored is the price as
// both programs write it: "12," is 12.
TEST_F(FormTarifs, UnPrixQuiNEstPasUnPrixEstRefuseAvantDEtreEnregistre)
{
    troisArticles();
    ouvrirTarifs();
    const struct {
        const char* ouvrir;
        std::vector<std::pair<const char*, const char*>> debut; // box, text typed
        const char* valider;
        // Box, text typed (or pasted when it starts with "coller:") in place of its own, and the refusal, "" for
        // a correction.
        std::vector<std::tuple<const char*, const char*, const char*>> essais;
        std::function<QStringList()> stockes;
        QStringList attendus;
    } cas[] = {
        {"Bt_Ajout_Articles_0",
         {{"SaisieAjoutArticles_0", "a9"}, {"SaisieAjoutArticles_1", "Agrandissement"}},
         "Bt_ValideAjoutArticles_0",
         {{"SaisieAjoutArticles_2", "12,5,0", "Le champ 'Prix Article TTC' est refusé : « 12,5,0 » n'est pas un prix"},
          {"SaisieAjoutArticles_2", "coller:-5", "Le champ 'Prix Article TTC' est refusé : « -5 » n'est pas un prix"},
          {"SaisieAjoutArticles_2", "coller:15 euros", "Le champ 'Prix Article TTC' est refusé : « 15 euros » n'est pas un prix"},
          {"SaisieAjoutArticles_2", "12.", ""}},
         [this] { return articles(); },
         {QStringLiteral("a1|Tirage 13x18|5|5"), QStringLiteral("a2|Tirage 18x24|8|8"),
          QStringLiteral("a3|Porte-clés|6|6"), QStringLiteral("a9|Agrandissement|12|12")}},
        {"Bt_Ajout_Pochette_0",
         {{"SaisieAjoutPochette_0", "P5"}, {"SaisieAjoutPochette_1", "Pochette 5"}},
         "Bt_ValideAjoutPochette_0",
         {{"SaisieAjoutPochette_2", "1.250,00", "Le champ 'Prix Pochette TTC' est refusé : « 1,250,00 » n'est pas un prix"},
          {"SaisieAjoutPochette_2", "8", ""},
          {"SaisieAjoutPochette_3", "12345678901234567890",
           "Le champ 'Prix Recommande TTC' est refusé : « 12345678901234567890 » dépasse le prix le plus élevé accepté"},
          {"SaisieAjoutPochette_3", ".5", ""}},
         [this] { return pochettes() + incompletes(); },
         {QStringLiteral("P5|Pochette 5|8|0,5"), QStringLiteral("P5|C|Pochette 5|0,5")}},
        {"Bt_Ajout_PochetteInc_0",
         {{"SaisieAjoutPochetteInc_3", "2"}},
         "Bt_ValideAjoutPochetteInc_0",
         {{"SaisieAjoutPochetteInc_2", "9,9,9", "Le champ 'Prix TTC' est refusé : « 9,9,9 » n'est pas un prix"},
          {"SaisieAjoutPochetteInc_2", "9.90", ""}},
         [this] { return incompletes(); },
         {QStringLiteral("P5|C|Pochette 5|0,5"), QStringLiteral("P5|2|P5_Pochette 5 INC - 2 article(s)|9,90")}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.ouvrir);
        cliquer(tarifs(), QString::fromLatin1(c.ouvrir));
        for (const auto& [boite, saisie] : c.debut)
            taper(tarifs(), QString::fromLatin1(boite), QString::fromUtf8(saisie));
        const QStringList avant = c.stockes();
        for (const auto& [boite, saisie, refus] : c.essais) {
            controle<QLineEdit>(tarifs(), QString::fromLatin1(boite))->clear();
            if (const QString texte = QString::fromUtf8(saisie); texte.startsWith(QStringLiteral("coller:"))) {
                QGuiApplication::clipboard()->setText(texte.mid(7));
                controle<QLineEdit>(tarifs(), QString::fromLatin1(boite))->paste();
            } else {
                taper(tarifs(), QString::fromLatin1(boite), texte);
            }
            // A correction is only typed: "Valider" then stores and reloads.
            if (!*refus)
                continue;
            dialogues_.message(QString::fromUtf8(refus));
            cliquer(tarifs(), QString::fromLatin1(c.valider));
            EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
            EXPECT_EQ(tarifs().focusWidget(), controle(tarifs(), QString::fromLatin1(boite)));
            EXPECT_EQ(c.stockes(), avant);
        }
        cliquer(tarifs(), QString::fromLatin1(c.valider));
        EXPECT_EQ(c.stockes(), c.attendus);
    }
}

// Typing after the automatic name of an incomplete pack adds the keys typed,
// and leaves the name's own characters as they are.
TEST_F(FormTarifs, LeNomAutomatiqueSeModifieSansEtreAbime)
{
    troisArticles();
    pochette(QStringLiteral("P3"), QStringLiteral("Pochette l'été"), QStringLiteral("12"), QStringLiteral("15"));
    incomplete(QStringLiteral("P3"), QStringLiteral("2"), QStringLiteral("ancien"), QStringLiteral("9"));
    ouvrirTarifs();
    choisir(tarifs(), QStringLiteral("CbPochettesIncompletes"), QStringLiteral("ancien"));
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_PochetteInc_1"));
    EXPECT_EQ(texte(tarifs(), QStringLiteral("SaisieAjoutPochetteInc_1")), QStringLiteral("P3_Pochette l'été INC - 2 article(s)"));
    QLineEdit* nom = controle<QLineEdit>(tarifs(), QStringLiteral("SaisieAjoutPochetteInc_1"));
    nom->end(false);
    taper(tarifs(), QStringLiteral("SaisieAjoutPochetteInc_1"), QStringLiteral(" X_"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideModifPochetteInc_0"));
    EXPECT_EQ(incompletes().last(), QStringLiteral("P3|2|P3_Pochette l'été INC - 2 article(s) X|9"));
}

TEST_F(FormTarifs, UnePochetteNEstNiModifieeNiSupprimeeTantQuAucunArticleNExiste)
{
    pochette(QStringLiteral("P3"), QStringLiteral("Pochette 3"), QStringLiteral("12"), QStringLiteral("15"));
    ouvrirTarifs();
    EXPECT_EQ(controle<QComboBox>(tarifs(), QStringLiteral("ComboPochette"))->currentText(), QStringLiteral("Pochette 3"));
    for (const char* nom : {"Bt_Ajout_Pochette_1", "Bt_Ajout_Pochette_2", "Bt_Ajout_Articles_1", "Bt_Ajout_Articles_2"})
        EXPECT_FALSE(actif(tarifs(), QString::fromLatin1(nom))) << nom;
    EXPECT_TRUE(actif(tarifs(), QStringLiteral("Bt_Ajout_Pochette_0")));
    EXPECT_TRUE(actif(tarifs(), QStringLiteral("Bt_Ajout_Articles_0")));

    // An abandoned operation leaves them so.
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_Articles_0"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutArticles_1"));
    EXPECT_FALSE(actif(tarifs(), QStringLiteral("Bt_Ajout_Pochette_1")));

    dialogues_.message(kTrois);
    cliquer(tarifs(), QStringLiteral("Bt_Ajout_Articles_0"));
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_0"), QStringLiteral("a1"));
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_1"), QStringLiteral("Tirage"));
    taper(tarifs(), QStringLiteral("SaisieAjoutArticles_2"), QStringLiteral("5"));
    cliquer(tarifs(), QStringLiteral("Bt_ValideAjoutArticles_0"));
    EXPECT_TRUE(actif(tarifs(), QStringLiteral("Bt_Ajout_Pochette_1")));
    EXPECT_TRUE(actif(tarifs(), QStringLiteral("Bt_Ajout_Pochette_2")));
}

// Tab goes through each entry row as it shows on the screen, left to right,
// then to its "Valider".
TEST_F(FormTarifs, TabSuitChaqueLigneDeSaisieDeGaucheADroite)
{
    troisArticles();
    pochette(QStringLiteral("P3"), QStringLiteral("Pochette 3"), QStringLiteral("12"), QStringLiteral("15"));
    ouvrirTarifs();
    const struct {
        const char* ouvrir;
        const char* annuler;
        std::vector<const char*> ordre; // from the box that has the focus
    } cas[] = {
        {"Bt_Ajout_Pochette_0", "Bt_ValideAjoutPochette_1",
         {"SaisieAjoutPochette_0", "SaisieAjoutPochette_1", "SaisieAjoutPochette_2", "SaisieAjoutPochette_3",
          "Bt_ValideAjoutPochette_0", "Bt_ValideAjoutPochette_1"}},
        {"Bt_Ajout_PochetteInc_0", "Bt_ValideAjoutPochetteInc_1",
         {"SaisieAjoutPochetteInc_3", "SaisieAjoutPochetteInc_1", "SaisieAjoutPochetteInc_2", "Bt_ValideAjoutPochetteInc_0",
          "Bt_ValideAjoutPochetteInc_1"}},
        {"Bt_Ajout_Articles_0", "Bt_ValideAjoutArticles_1",
         {"SaisieAjoutArticles_0", "SaisieAjoutArticles_1", "SaisieAjoutArticles_2", "SaisieAjoutArticles_3",
          "Bt_ValideAjoutArticles_0", "Bt_ValideAjoutArticles_1"}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.ouvrir);
        cliquer(tarifs(), QString::fromLatin1(c.ouvrir));
        for (std::size_t i = 0; i < c.ordre.size(); ++i) {
            ASSERT_NE(tarifs().focusWidget(), nullptr);
            EXPECT_EQ(tarifs().focusWidget()->objectName(), QString::fromLatin1(c.ordre[i]));
            QTest::keyClick(tarifs().focusWidget(), Qt::Key_Tab);
        }
        cliquer(tarifs(), QString::fromLatin1(c.annuler));
    }
}

} // namespace
