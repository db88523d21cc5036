#include "school/sales/form_carte_ident.h"

#include "common/dialogs.h"
#include "common/paths.h"
#include "school/sales/impressions_ventes.h"
#include "school/data/base.h"
#include "school/data/etat.h"
#include "tests/school/sales/tarif_exemple.h"
#include "tests/school/support/pilote_fenetre.h"
#include "tests/school/support/school_fixture.h"
#include "tests/support/recording_shell.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {

// Lists the images folder each time a message waits on the secretary: a
// power cut then leaves exactly what it lists.
class ImagesPendantLesMessages : public dialogs::Service {
public:
    ImagesPendantLesMessages(QString dossier, std::vector<QStringList>& vues) : dossier_(std::move(dossier)), vues_(vues)
    {
    }
    static ImagesPendantLesMessages& installer(const QString& dossier, std::vector<QStringList>& vues)
    {
        auto regard = std::make_unique<ImagesPendantLesMessages>(dossier, vues);
        ImagesPendantLesMessages& installe = *regard;
        installe.suivant_ = dialogs::install(std::move(regard));
        return installe;
    }
    void retirer() { dialogs::install(std::move(suivant_)); }

    dialogs::Answer message(const QString& text, const QString& title, dialogs::Icon icon,
                            dialogs::Buttons buttons) override
    {
        vues_.push_back(QDir(dossier_).entryList(QDir::Files | QDir::Hidden));
        return suivant_->message(text, title, icon, buttons);
    }
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        return suivant_->input(prompt, title, defaultText);
    }
    QString openFile(const dialogs::FileRequest& request) override { return suivant_->openFile(request); }

private:
    QString dossier_;
    std::vector<QStringList>& vues_;
    std::unique_ptr<dialogs::Service> suivant_;
};

class CarteIdentite : public ::testing::Test, protected PiloteFenetre {
protected:
    CarteIdentite() : PiloteFenetre([] { return existingForm<FormCarteIdent>(); })
    {
        exemple::remplirTarifs(base::db());
        cle = ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("DUPONT"), QStringLiteral("Léa"));
        etat::FichierImpression.clear();
    }

    void TearDown() override
    {
        if (auto* carte = existingForm<FormCarteIdent>())
            carte->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    FormCarteIdent& ouvrir()
    {
        etat::CdeEleveChoisi = QString::number(cle);
        etat::IndexPhotoChoisie = 3;
        FormCarteIdent& carte = formInstance<FormCarteIdent>();
        carte.showForm();
        return carte;
    }

    QLineEdit* zone(const char* nom) { return controle<QLineEdit>(QString::fromLatin1(nom)); }
    QCheckBox* article(int i) { return controle<QCheckBox>(QStringLiteral("CheckArticles_%1").arg(i)); }
    QLineEdit* quantite(int i) { return controle<QLineEdit>(QStringLiteral("TextQuantiteA_%1").arg(i)); }
    void bouton(int index) { cliquer(QStringLiteral("Bt_ValideIdentite_%1").arg(index)); }
    // The colour beside the caption, where nothing but the background is drawn.
    static QColor fond(QWidget* box) { return box->grab().toImage().pixelColor(box->width() - 3, box->height() / 2); }
    void cocher(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }

    QStringList eleve()
    {
        const db::Row r = base::db().query(QStringLiteral("SELECT * FROM Eleves WHERE CdeEleves = ?"), {cle}).front();
        QStringList valeurs;
        for (int i = 0; i < r.size(); ++i)
            valeurs << r.at(i);
        return valeurs;
    }
    QString lignesVentes(const QString& champs)
    {
        return base::db().scalar(
            QStringLiteral("SELECT group_concat(%1, ';') FROM (SELECT * FROM Ventes ORDER BY CdeVente)").arg(champs));
    }
    void ajouterVente()
    {
        exemple::inserer(base::db(), {exemple::ligne(QStringLiteral("2026-01-10"), QString::number(cle),
                                                      QStringLiteral("DUPONT"), QStringLiteral("Léa"),
                                                      QStringLiteral("Je garde la pochette complète"),
                                                      QStringLiteral("15,00"), QStringLiteral("10,00"),
                                                      QStringLiteral("1"))});
    }

    SchoolFixture ecole;
    RecordingShell shell;
    ScriptedDialogs dialogues;
    qint64 cle = 0;
};

TEST_F(CarteIdentite, AfficheLaFicheEtLaPhotoDeLEleve)
{
    ouvrir();
    EXPECT_EQ(existingForm<FormCarteIdent>()->windowTitle(), QStringLiteral("Carte Identité"));
    EXPECT_EQ(zone("TextNom")->text(), QStringLiteral("DUPONT"));
    EXPECT_EQ(zone("TextPrenom")->text(), QStringLiteral("Léa"));
    EXPECT_EQ(zone("TextINE")->text(), QStringLiteral("INE%1").arg(cle, 6, 10, QLatin1Char('0')));
    EXPECT_FALSE(zone("TextClasse")->isEnabled());
    EXPECT_TRUE(SchoolFixture::montreCouleur(controle<QLabel>(QStringLiteral("ImageIdentite")),
                                             SchoolFixture::couleurPortrait(cle)));
    EXPECT_TRUE(controle<QWidget>(QStringLiteral("CheckPochette"))->isHidden());
}

TEST_F(CarteIdentite, AnnulerEtLaCaseDeFermetureNeStockentRien)
{
    for (const bool parLaCase : {false, true}) {
        const QStringList avant = eleve();
        ouvrir();
        zone("TextNom")->setText(QStringLiteral("DURAND"));
        bouton(2);
        cocher(controle<QCheckBox>(QStringLiteral("CheckPochette")));
        if (parLaCase)
            existingForm<FormCarteIdent>()->close();
        else
            bouton(1);
        EXPECT_EQ(existingForm<FormCarteIdent>(), nullptr);
        EXPECT_EQ(eleve(), avant) << parLaCase;
        EXPECT_EQ(lignesVentes(QStringLiteral("Nom")), QString()) << parLaCase;
    }
}

TEST_F(CarteIdentite, ValiderStockeLaFicheEtLaPremiereCommandeEnsemble)
{
    ouvrir();
    zone("TextNom")->setText(QStringLiteral("DUPONT-MARTIN"));
    zone("TextRegime")->setText(QStringLiteral("Demi-pension"));
    bouton(2);
    EXPECT_EQ(controle<QLabel>(QStringLiteral("LbCommande"))->text(), QStringLiteral("Commande"));
    EXPECT_EQ(controle<QCheckBox>(QStringLiteral("CheckPochette"))->text(), QStringLiteral("Pochette A :   15,00 € TTC"));
    EXPECT_EQ(article(1)->text(), QStringLiteral("Photo d'identité :   2,00 € TTC"));
    cocher(article(0));
    cocher(article(1));
    cocher(article(3));
    bouton(0);

    EXPECT_EQ(existingForm<FormCarteIdent>(), nullptr);
    const QStringList fiche = eleve();
    EXPECT_EQ(fiche[1], QString::number(cle)); // the order code, filled from the key
    EXPECT_EQ(fiche[3], QStringLiteral("DUPONT-MARTIN"));
    EXPECT_EQ(fiche[6], QStringLiteral("Demi-pension"));
    EXPECT_EQ(lignesVentes(QStringLiteral("Num_Eleves || '|' || Nom || '|' || NomArticles || '|' || PochettePrixPub")),
              QStringLiteral("%1|DUPONT-MARTIN|Agrandissement 18x24|11,50;%1|DUPONT-MARTIN|Photo d'identité|0;"
                             "%1|DUPONT-MARTIN|Trombinoscope|0")
                  .arg(cle));
}

// A name typed with a control character is refused before anything is
// stored; one stored so before the rule existed does not stop the card.
TEST_F(CarteIdentite, UnNomTapeAvecUnCaractereDeControleEstRefuse)
{
    const struct {
        const char* cas;
        QString nomStocke, nom, prenom;
        const char* refus; // "" when the card stores
    } cas[] = {
        {"tabulation dans le nom", QStringLiteral("DUPONT"), QStringLiteral("DU\tPONT"), QStringLiteral("Léa"),
         "Le nom de l'élève contient une tabulation, qui ne peut pas figurer dans un nom de fichier ou de dossier : "
         "retirez-le."},
        {"saut de ligne dans le prénom", QStringLiteral("DUPONT"), QStringLiteral("DUPONT"),
         QStringLiteral("Lé\u2028a"), "Le prénom de l'élève contient un saut de ligne"},
        {"nom stocké avant la règle", QStringLiteral("DU\tPONT"), QStringLiteral("DU\tPONT"), QStringLiteral("Léa"),
         ""},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        base::db().exec(QStringLiteral("UPDATE Eleves SET Nom = ?, Regime = '' WHERE CdeEleves = ?"), {c.nomStocke, cle});
        const QStringList avant = eleve();
        ouvrir();
        zone("TextNom")->setText(c.nom);
        zone("TextPrenom")->setText(c.prenom);
        zone("TextRegime")->setText(QStringLiteral("Demi-pension"));
        if (*c.refus != 0)
            dialogues.message(QString::fromUtf8(c.refus));
        bouton(0);
        if (*c.refus != 0) {
            EXPECT_EQ(eleve(), avant);
            EXPECT_EQ(dialogues.lastPrompt().icon, dialogs::Icon::Critical);
            ASSERT_NE(existingForm<FormCarteIdent>(), nullptr);
            bouton(1);
        } else {
            EXPECT_EQ(eleve()[3], c.nomStocke);
            EXPECT_EQ(eleve()[6], QStringLiteral("Demi-pension"));
        }
        EXPECT_EQ(existingForm<FormCarteIdent>(), nullptr);
    }
}

TEST_F(CarteIdentite, PremiereCommandeSansArticleSupplementaire)
{
    ouvrir();
    bouton(2);
    EXPECT_TRUE(controle<QWidget>(QStringLiteral("Bt_ValideIdentite_2"))->isHidden());
    // The supplementary article keeps its place, hidden; quantities are not asked.
    EXPECT_TRUE(article(2)->isHidden());
    EXPECT_FALSE(article(3)->isHidden());
    EXPECT_EQ(article(3)->y() - article(1)->y(), 2 * (article(1)->y() - article(0)->y()));
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(quantite(i)->isHidden()) << i;
    EXPECT_GT(controle<QWidget>(QStringLiteral("Bt_ValideIdentite_0"))->y(), article(3)->y());

    // Three articles and no incomplete pack of three: said, nothing stored, the card stays.
    for (int i : {0, 1, 3})
        cocher(article(i));
    base::db().exec(QStringLiteral("DELETE FROM TarifPochIncom WHERE NbArticle = '3'"));
    dialogues.message(QStringLiteral("pochette incomplète de 3"));
    bouton(0);
    EXPECT_NE(existingForm<FormCarteIdent>(), nullptr);
    EXPECT_EQ(lignesVentes(QStringLiteral("Nom")), QString());
}

TEST_F(CarteIdentite, RecommandeAvecQuantitesEtExclusions)
{
    ajouterVente();
    base::db().exec(QStringLiteral("UPDATE Eleves SET CodeEtablissement = ? WHERE CdeEleves = ?"),
                     {QString::number(cle), cle});
    ouvrir();
    bouton(2);
    EXPECT_EQ(controle<QLabel>(QStringLiteral("LbCommande"))->text(), QStringLiteral("Recommande"));
    EXPECT_EQ(controle<QCheckBox>(QStringLiteral("CheckPochette"))->text(), QStringLiteral("Pochette A :   12,50 € TTC"));
    EXPECT_EQ(article(2)->text(), QStringLiteral("Porte-clés :   3,50 € TTC"));
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(article(i)->isHidden()) << i;
        EXPECT_FALSE(quantite(i)->isHidden()) << i;
        EXPECT_FALSE(quantite(i)->isEnabled()) << i;
    }

    cocher(article(2));
    EXPECT_EQ(fond(article(2)), QColor(255, 255, 128));
    EXPECT_TRUE(quantite(2)->isEnabled());
    EXPECT_TRUE(QTest::qWaitFor([&] { return quantite(2)->hasFocus(); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return quantite(2)->selectedText() == QStringLiteral("1"); }, 5000))
        << quantite(2)->selectedText().toStdString();
    QTest::keyClicks(quantite(2), QStringLiteral("a-,.3"));
    EXPECT_EQ(quantite(2)->text(), QStringLiteral("3"));
    cocher(article(0));

    auto* pochette = controle<QCheckBox>(QStringLiteral("CheckPochette"));
    cocher(pochette);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(article(i)->isChecked()) << i;
        EXPECT_FALSE(article(i)->isEnabled()) << i;
        EXPECT_EQ(fond(article(i)), QColor(Qt::white)) << i;
        EXPECT_EQ(quantite(i)->text(), i == 0 || i == 2 ? QStringLiteral("1") : QString()) << i;
    }
    cocher(pochette);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(article(i)->isEnabled()) << i;
        EXPECT_EQ(quantite(i)->text(), QStringLiteral("1")) << i;
    }
    EXPECT_EQ(zone("TextQuantiteP_0")->text(), QString());

    cocher(pochette);
    auto* qp = zone("TextQuantiteP_0");
    EXPECT_TRUE(QTest::qWaitFor([&] { return qp->hasFocus(); }, 5000));
    qp->setText(QStringLiteral("0"));
    dialogues.message(QStringLiteral("supérieur à 0"));
    QTest::keyClick(qp, Qt::Key_Return);
    EXPECT_NE(existingForm<FormCarteIdent>(), nullptr);
    qp->setText(QStringLiteral("2"));
    QTest::keyClick(qp, Qt::Key_Return); // Enter presses "Valider"
    EXPECT_EQ(existingForm<FormCarteIdent>(), nullptr);
    EXPECT_EQ(lignesVentes(QStringLiteral("ArticlesPrixPro || '|' || ArticlesPrixPub || '|' || Quantite")),
              QStringLiteral("Je garde la pochette complète||1;Recommande pochette complète|x|2"));
}

// A quantity no order can hold is refused with its limit: the card stays
// open and nothing is stored until the quantity is one an order may bill.
TEST_F(CarteIdentite, UneQuantiteAbsurdeEstRefuseeAvecSaLimite)
{
    ajouterVente();
    ouvrir();
    bouton(2);
    ASSERT_EQ(controle<QLabel>(QStringLiteral("LbCommande"))->text(), QStringLiteral("Recommande"));
    cocher(article(2));
    EXPECT_TRUE(QTest::qWaitFor([&] { return quantite(2)->selectedText() == QStringLiteral("1"); }, 5000));
    QTest::keyClicks(quantite(2), QStringLiteral("999999999"));
    dialogues.message(QStringLiteral("La quantité ne peut pas dépasser 9 999."));
    QTest::keyClick(quantite(2), Qt::Key_Return);
    EXPECT_NE(existingForm<FormCarteIdent>(), nullptr);
    EXPECT_EQ(dialogues.lastPrompt().icon, dialogs::Icon::Exclamation);
    EXPECT_EQ(lignesVentes(QStringLiteral("Quantite")), QStringLiteral("1"));
    quantite(2)->setText(QStringLiteral("9999"));
    QTest::keyClick(quantite(2), Qt::Key_Return);
    EXPECT_EQ(existingForm<FormCarteIdent>(), nullptr);
    EXPECT_EQ(lignesVentes(QStringLiteral("Quantite")), QStringLiteral("1;9999"));
}

// A stored price that breaks the price rule (an older package, an edited
// base) is never billed as the number it starts with: its row says why it
// cannot be ordered and cannot be ticked, and an order that would bill one
// is refused with the reason.
TEST_F(CarteIdentite, UnPrixStockeQuiNEstPasUnPrixNeSeCommandePas)
{
    base::db().exec(QStringLiteral("UPDATE Tarifs SET PochettePrixPub = '1.250,00'"));
    base::db().exec(QStringLiteral("UPDATE Tarifs SET ArticlesPrixPub = '-5' WHERE CdeArticles = 'ID'"));
    base::db().exec(QStringLiteral("UPDATE TarifPochIncom SET PrixPublic = '9,0,0' WHERE NbArticle = '2'"));
    // A price written otherwise shows as the price sheet writes it.
    base::db().exec(QStringLiteral("UPDATE Tarifs SET ArticlesPrixPub = ' 03.5' WHERE CdeArticles = 'TR'"));
    ouvrir();
    bouton(2);
    auto* pochette = controle<QCheckBox>(QStringLiteral("CheckPochette"));
    EXPECT_EQ(pochette->text(), QStringLiteral("Pochette A :   ne peut pas être commandé, prix refusé « 1.250,00 »"));
    EXPECT_FALSE(pochette->isEnabled());
    EXPECT_TRUE(pochette->toolTip().contains(QStringLiteral("n'est pas un prix")));
    EXPECT_EQ(article(1)->text(), QStringLiteral("Photo d'identité :   ne peut pas être commandé, prix refusé « -5 »"));
    EXPECT_FALSE(article(1)->isEnabled());
    EXPECT_EQ(article(0)->text(), QStringLiteral("Agrandissement 18x24 :   5,00 € TTC"));
    EXPECT_EQ(article(3)->text(), QStringLiteral("Trombinoscope :   3,5 € TTC"));

    cocher(article(0));
    cocher(article(3));
    dialogues.message(QStringLiteral("« Deux photos » ne peut pas être commandé, son prix est refusé : « 9,0,0 » "
                                     "n'est pas un prix"));
    bouton(0);
    EXPECT_NE(existingForm<FormCarteIdent>(), nullptr);
    EXPECT_EQ(lignesVentes(QStringLiteral("Nom")), QString());
}

// On a reorder, unticking the pack frees the articles but one whose price is
// refused stays locked.
TEST_F(CarteIdentite, UnArticleAuPrixRefuseResteBloqueQuandLaPochetteSeDecoche)
{
    ajouterVente();
    base::db().exec(QStringLiteral("UPDATE Tarifs SET ArticlesPrixRecPub = '15 euros' WHERE CdeArticles = 'sup1'"));
    ouvrir();
    bouton(2);
    ASSERT_EQ(controle<QLabel>(QStringLiteral("LbCommande"))->text(), QStringLiteral("Recommande"));
    EXPECT_FALSE(article(2)->isEnabled());
    auto* pochette = controle<QCheckBox>(QStringLiteral("CheckPochette"));
    cocher(pochette);
    cocher(pochette);
    EXPECT_TRUE(article(0)->isEnabled());
    EXPECT_FALSE(article(2)->isEnabled());
    EXPECT_EQ(article(2)->text(), QStringLiteral("Porte-clés :   ne peut pas être commandé, prix refusé « 15 euros »"));
}

TEST_F(CarteIdentite, UnTarifVideNeMontreAucuneLigne)
{
    base::db().exec(QStringLiteral("DELETE FROM Tarifs"));
    ouvrir();
    bouton(2);
    EXPECT_TRUE(controle<QWidget>(QStringLiteral("CheckPochette"))->isHidden());
    EXPECT_EQ(existingForm<FormCarteIdent>()->findChild<QCheckBox*>(QStringLiteral("CheckArticles_0")), nullptr);
    bouton(0);
    EXPECT_EQ(existingForm<FormCarteIdent>(), nullptr);
}

TEST_F(CarteIdentite, ChangerRefuseUnFichierQuiNEstPasUneImage)
{
    const QString texte = Sandbox::writeFile(ecole.sandbox().path(QStringLiteral("notes.jpg")), "pas une image");
    const QByteArray avant = SchoolFixture::lire(ecole.cheminPhoto(cle));
    ouvrir();
    dialogues.openFile(texte).message(QStringLiteral("n'est pas une image"));
    cliquer(QStringLiteral("Bt_Changer"));
    bouton(0);
    EXPECT_EQ(SchoolFixture::lire(ecole.cheminPhoto(cle)), avant);
}

TEST_F(CarteIdentite, LaNouvellePhotoPrendLeNomQueLesPlanchesLisent)
{
    const QString nouvelle = ecole.sandbox().path(QStringLiteral("nouvelle.png"));
    QImage rouge(60, 80, QImage::Format_RGB32);
    rouge.fill(Qt::red);
    ASSERT_TRUE(rouge.save(nouvelle, "PNG"));
    FormCarteIdent& carte = ouvrir();
    QSignalSpy photo(&carte, &FormCarteIdent::photoRemplacee);
    dialogues.openFile(nouvelle);
    cliquer(QStringLiteral("Bt_Changer"));
    EXPECT_TRUE(SchoolFixture::montreCouleur(controle<QLabel>(QStringLiteral("ImageIdentite")), Qt::red));
    bouton(0);

    // Re-encoded as JPEG under the photo code; no name-based copy appears.
    const QByteArray ecrit = SchoolFixture::lire(ecole.cheminPhoto(cle));
    EXPECT_TRUE(ecrit.startsWith("\xFF\xD8"));
    QLabel apercu;
    apercu.setPixmap(QPixmap(ecole.cheminPhoto(cle)));
    EXPECT_TRUE(SchoolFixture::montreCouleur(&apercu, Qt::red));
    EXPECT_FALSE(QFile::exists(paths::join(ecole.dossierImages(), {QStringLiteral("DUPONT.Léa.jpg")})));
    // In place: nothing is left for the next start to finish.
    EXPECT_EQ(base::db().scalar(QStringLiteral("SELECT count(*) FROM PhotosEnAttente")), QStringLiteral("0"));
    ASSERT_EQ(photo.count(), 1);
    EXPECT_EQ(photo.at(0).at(0).toInt(), 3);
}

TEST_F(CarteIdentite, UneFicheRefuseeGardeLAnciennePhoto)
{
    const QString nouvelle = ecole.sandbox().path(QStringLiteral("nouvelle.jpg"));
    ASSERT_TRUE(SchoolFixture::ecrirePortrait(nouvelle, Qt::red));
    const QByteArray avant = SchoolFixture::lire(ecole.cheminPhoto(cle));
    FormCarteIdent& carte = ouvrir();
    QSignalSpy photo(&carte, &FormCarteIdent::photoRemplacee);
    dialogues.openFile(nouvelle);
    cliquer(QStringLiteral("Bt_Changer"));
    zone("TextNom")->setText(QStringLiteral("DURAND"));
    {
        // Another program holds the database for writing.
        db::Database autre(base::cheminBase());
        db::Database::Transaction verrou(autre);
        dialogues.message(QStringLiteral("la modification n'a pas été enregistrée"));
        bouton(0);
    }

    EXPECT_EQ(SchoolFixture::lire(ecole.cheminPhoto(cle)), avant);
    EXPECT_EQ(QDir(ecole.dossierImages()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("%1.jpg").arg(cle)});
    EXPECT_EQ(photo.count(), 0);
    EXPECT_EQ(eleve()[3], QStringLiteral("DUPONT"));
    // The card stays open with what was typed, for another try.
    EXPECT_NE(existingForm<FormCarteIdent>(), nullptr);
    EXPECT_EQ(zone("TextNom")->text(), QStringLiteral("DURAND"));
}

// A portrait chosen for a record that cannot be stored (another secretary
// deleted the student, the database is busy) is written under a temporary
// name first: it is gone before the message waits, so that switching off
// then leaves nothing behind.
TEST_F(CarteIdentite, UnePhotoNonEnregistreeNeLaisseAucunFichierPendantLeMessage)
{
    const QString nouvelle = ecole.sandbox().path(QStringLiteral("nouvelle.jpg"));
    ASSERT_TRUE(SchoolFixture::ecrirePortrait(nouvelle, Qt::red));
    const QByteArray avant = SchoolFixture::lire(ecole.cheminPhoto(cle));
    const QStringList seule{QStringLiteral("%1.jpg").arg(cle)};
    for (const bool supprime : {false, true}) {
        ouvrir();
        dialogues.openFile(nouvelle);
        cliquer(QStringLiteral("Bt_Changer"));
        std::vector<QStringList> vues;
        ImagesPendantLesMessages& regard = ImagesPendantLesMessages::installer(ecole.dossierImages(), vues);
        if (supprime) {
            base::db().exec(QStringLiteral("DELETE FROM Eleves WHERE CdeEleves = ?"), {cle});
            dialogues.message(QStringLiteral("n'existe plus"));
            bouton(0);
        } else {
            db::Database autre(base::cheminBase());
            db::Database::Transaction verrou(autre);
            dialogues.message(QStringLiteral("la modification n'a pas été enregistrée"));
            bouton(0);
            existingForm<FormCarteIdent>()->unload();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        regard.retirer();
        ASSERT_EQ(vues.size(), 1u) << supprime;
        EXPECT_EQ(vues.front(), seule) << supprime;
        EXPECT_EQ(QDir(ecole.dossierImages()).entryList(QDir::Files | QDir::Hidden), seule) << supprime;
        EXPECT_EQ(SchoolFixture::lire(ecole.cheminPhoto(cle)), avant);
    }
}

// A phone held upright stores its pixels on their side and says so in the
// EXIF orientation (6: turn a quarter clockwise).
TEST_F(CarteIdentite, UnePhotoDeTelephoneEstEnregistreeDebout)
{
    QImage couchee(80, 60, QImage::Format_RGB32);
    couchee.fill(Qt::blue);
    for (int y = 0; y < couchee.height(); ++y)
        for (int x = 0; x < couchee.width() / 2; ++x)
            couchee.setPixelColor(x, y, Qt::red);
    QByteArray jpeg;
    QBuffer tampon(&jpeg);
    ASSERT_TRUE(tampon.open(QIODevice::WriteOnly) && couchee.save(&tampon, "JPG", 95));
    // After the start of image: an APP1 segment holding one EXIF entry, orientation = 6.
    jpeg.insert(2, QByteArray("\xFF\xE1\x00\x22" "Exif\0\0" "MM\x00\x2A\x00\x00\x00\x08"
                              "\x00\x01" "\x01\x12\x00\x03\x00\x00\x00\x01\x00\x06\x00\x00" "\x00\x00\x00\x00",
                              36));
    const QString telephone = Sandbox::writeFile(ecole.sandbox().path(QStringLiteral("telephone.jpg")), jpeg);
    ASSERT_EQ(QImageReader(telephone).transformation(), QImageIOHandler::TransformationRotate90);

    ouvrir();
    dialogues.openFile(telephone);
    cliquer(QStringLiteral("Bt_Changer"));
    bouton(0);

    QImageReader lecteur(ecole.cheminPhoto(cle));
    lecteur.setAutoTransform(false);
    const QImage ecrite = lecteur.read();
    ASSERT_EQ(ecrite.size(), QSize(60, 80));
    // The left half, red, is now the top.
    QLabel haut, bas;
    haut.setPixmap(QPixmap::fromImage(ecrite.copy(0, 0, 60, 30)));
    bas.setPixmap(QPixmap::fromImage(ecrite.copy(0, 50, 60, 30)));
    EXPECT_TRUE(SchoolFixture::montreCouleur(&haut, Qt::red));
    EXPECT_TRUE(SchoolFixture::montreCouleur(&bas, Qt::blue));
}

TEST_F(CarteIdentite, ValiderRetireLeBordereauSansQueLImpressionLeDesigne)
{
    const QString bordereau = impressions_ventes::chemin(impressions_ventes::kBordereau);
    Sandbox::writeFile(bordereau, "<HTML>");
    etat::FichierImpression = bordereau;
    ouvrir();
    bouton(0);
    EXPECT_FALSE(QFile::exists(bordereau));
    EXPECT_EQ(etat::FichierImpression, QString());
}

TEST_F(CarteIdentite, UnEleveSupprimeEntreTempsFermeLaCarte)
{
    ouvrir();
    bouton(2);
    cocher(controle<QCheckBox>(QStringLiteral("CheckPochette")));
    base::db().exec(QStringLiteral("DELETE FROM Eleves WHERE CdeEleves = ?"), {cle});
    dialogues.message(QStringLiteral("n'existe plus"));
    bouton(0);
    EXPECT_EQ(existingForm<FormCarteIdent>(), nullptr);
    EXPECT_EQ(lignesVentes(QStringLiteral("Nom")), QString());

    // Opened on a student that is gone: said, and the card goes.
    dialogues.message(QStringLiteral("n'existe plus"));
    ouvrir();
    EXPECT_TRUE(QTest::qWaitFor([] { return existingForm<FormCarteIdent>() == nullptr; }, 5000));
}

} // namespace
