#include "tests/photographer/shoot/seance_fixture.h"

#include "tests/photographer/shoot/exif_jpeg.h"
#include "tests/support/read_only_folder.h"

#include <QDir>
#include <QScrollArea>

namespace {

using dialogs::Answer;

class PriseDeVueSuivie : public SeanceFixture {
protected:
    // A camera file shot at 14:30 and `secondes`.
    static QByteArray prise(int secondes)
    {
        return exif_jpeg::withCaptureTime(jpeg(), QByteArray("2026:03:09 14:30:") + QByteArray::number(secondes).rightJustified(2, '0'),
                                          "");
    }

    static QString nonClassees()
    {
        return paths::join(paths::onDrive({QStringLiteral("labohd")}), {etat::NomEtabEnCours, QStringLiteral("non classées")});
    }

    static QStringList fichiersHot() { return QDir(etat::DossierHot).entryList(QDir::Files); }
    using SeanceFixture::prise;
};

TEST_F(PriseDeVueSuivie, SurUneBaseEnLectureSeuleLaPriseNeCommencePasEtRienNEstPris)
{
    const QString alpha = eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("Anne"));
    const QString camera = hot(QStringLiteral("IMG_0001.JPG"));
    Sandbox::writeFile(camera, prise(5));
    {
        base::fermer();
        ReadOnlyFolder lectureSeule(base::cheminBase());
        if (!lectureSeule.active())
            GTEST_SKIP() << "the database could not be made read-only";
        ::ChoixClasse& form = ouvrirClasse(QStringLiteral("6A"));
        QTest::mouseClick(controle(form, QStringLiteral("OptionMain_0")), Qt::LeftButton);
        dialogues_.message(QStringLiteral("est en lecture seule : la prise de vues ne peut pas commencer"));
        cliquer(form, 0);
        EXPECT_TRUE(dialogues_.allAnswered());
        EXPECT_EQ(dialogues_.prompts().size(), 1u) << "said once";
        EXPECT_FALSE(form.findChild<QTimer*>(QStringLiteral("TimerHot"))->isActive());
        EXPECT_FALSE(enRouge(form, 0)) << "nobody is marked for a shoot that did not start";
        prise(form).TimerHot_Timer();
        EXPECT_FALSE(prise(form).tourEnCours());
        EXPECT_EQ(lire(camera), prise(5)) << "the camera file is neither taken nor refused";
        EXPECT_FALSE(QFileInfo::exists(nonClassees()));
        dialogues_.message(QStringLiteral("Zelvantis montre ses données, mais ne peut rien y enregistrer"));
        form.unload();
        base::fermer();
    }
    // Writable again, after a restart: the file waits for the student the photographer marks.
    const QString bravo = eleve(QStringLiteral("6A"), QStringLiteral("Bravo"), QStringLiteral("Bob"));
    eleve(QStringLiteral("6A"), QStringLiteral("Charlie"), QStringLiteral("Chloé"));
    ::ChoixClasse& form = marquerEleve(QStringLiteral("6A"), 1);
    EXPECT_TRUE(form.findChild<QTimer*>(QStringLiteral("TimerHot"))->isActive());
    ASSERT_TRUE(classer(form, camera));
    EXPECT_EQ(colonne(bravo, QStringLiteral("NomPhoto")), QStringLiteral("IMG_0001.JPG"));
    EXPECT_EQ(colonne(alpha, QStringLiteral("NomPhoto")), QString());
}

TEST_F(PriseDeVueSuivie, UnePhotoPriseAvantUneAutreDejaClasseeEstDemandee)
{
    const QString alpha = eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("Anne"));
    const QString bravo = eleve(QStringLiteral("6A"), QStringLiteral("Bravo"), QStringLiteral("Bob"));
    eleve(QStringLiteral("6A"), QStringLiteral("Charlie"), QStringLiteral("Chloé"));
    ::ChoixClasse& form = marquerEleve(QStringLiteral("6A"));
    Sandbox::writeFile(hot(QStringLiteral("IMG_0002.JPG")), prise(20));
    ASSERT_TRUE(classer(form, hot(QStringLiteral("IMG_0002.JPG"))));
    EXPECT_EQ(colonne(alpha, QStringLiteral("NomPhoto")), QStringLiteral("IMG_0002.JPG"));

    // Declined: set aside, said where, and the student marked waits for the next one.
    const QString avant = hot(QStringLiteral("IMG_0001.JPG"));
    Sandbox::writeFile(avant, prise(10));
    dialogues_.message(QStringLiteral("La photo « IMG_0001.JPG » a été prise avant des photos déjà classées, celles "
                                      "de : Alpha Anne."),
                       Answer::No)
        .message(QStringLiteral("La photo « IMG_0001.JPG » n'a pas été classée. Elle a été mise de côté dans « %1")
                     .arg(QDir::toNativeSeparators(nonClassees())));
    ASSERT_TRUE(classer(form, avant));
    EXPECT_TRUE(dialogues_.allAnswered());
    EXPECT_TRUE(dialogues_.prompts()[0].text.contains(QStringLiteral("pour Bravo Bob ?")));
    EXPECT_EQ(dialogues_.prompts()[0].buttons, dialogs::Buttons::YesNo);
    EXPECT_EQ(lire(paths::join(nonClassees(), {QStringLiteral("IMG_0001.JPG")})), prise(10));
    EXPECT_EQ(colonne(bravo, QStringLiteral("NomPhoto")), QString());
    EXPECT_TRUE(enRouge(form, 1));

    // Accepted: filed for the student marked, as any other.
    const QString aussi = hot(QStringLiteral("IMG_0003.JPG"));
    Sandbox::writeFile(aussi, prise(15));
    dialogues_.message(QStringLiteral("La photo « IMG_0003.JPG » a été prise avant"), Answer::Yes);
    ASSERT_TRUE(classer(form, aussi));
    EXPECT_TRUE(dialogues_.allAnswered());
    EXPECT_EQ(colonne(bravo, QStringLiteral("NomPhoto")), QStringLiteral("IMG_0003.JPG"));
    EXPECT_TRUE(enRouge(form, 2));
}

TEST_F(PriseDeVueSuivie, UneCarteVideeDUnCoupSeClasseSansAttendreLaSeconde)
{
    std::vector<QString> cles;
    for (const QString& nom : {QStringLiteral("Alpha"), QStringLiteral("Bravo"), QStringLiteral("Charlie"),
                              QStringLiteral("Delta")})
        cles.push_back(eleve(QStringLiteral("6A"), nom, QStringLiteral("X")));
    ::ChoixClasse& form = marquerEleve(QStringLiteral("6A"));
    // Only the filings themselves may bring the next tick.
    form.findChild<QTimer*>(QStringLiteral("TimerHot"))->setInterval(3600 * 1000);
    unTour(form); // the folder is watched before the card is dumped: its copier is seen closing each file
    for (int i = 1; i <= 3; ++i)
        Sandbox::writeFile(hot(QStringLiteral("IMG_000%1.JPG").arg(i)), prise(i));
    prise(form).TimerHot_Timer();
    EXPECT_TRUE(QTest::qWaitFor([&] { return fichiersHot().isEmpty(); }, 10000)) << fichiersHot().join(u' ').toStdString();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(colonne(cles[std::size_t(i)], QStringLiteral("NomPhoto")), QStringLiteral("IMG_000%1.JPG").arg(i + 1));
    EXPECT_TRUE(enRouge(form, 3));
}

TEST_F(PriseDeVueSuivie, LaLigneDAttenteSePlaceAuDessusDeLaPlancheEtPartALArret)
{
    eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("Anne"));
    ::ChoixClasse& form = marquerEleve(QStringLiteral("6A"));
    auto* ligne = controle<QLabel>(form, QStringLiteral("LbAttente"));
    auto* planche = controle<QScrollArea>(form, QStringLiteral("ZoneImages"));
    const int hautPlanche = planche->y();
    EXPECT_TRUE(ligne->isHidden());

    const QString texte = QStringLiteral("La photo « IMG_0001.JPG » n'est pas encore complète : la prise de vues l'attend.");
    Q_EMIT prise(form).attente(texte);
    EXPECT_FALSE(ligne->isHidden());
    EXPECT_EQ(ligne->text(), texte);
    EXPECT_EQ(ligne->y(), hautPlanche);
    EXPECT_EQ(planche->y(), ligne->geometry().bottom() + 1) << "the board moves down under the line";
    EXPECT_GE(ligne->height(), ligne->heightForWidth(ligne->width()));

    QTest::mouseClick(controle(form, QStringLiteral("Bt_Start_1")), Qt::LeftButton);
    EXPECT_TRUE(ligne->isHidden()) << "a stopped capture waits for nothing";
    EXPECT_EQ(planche->y(), hautPlanche);
}

} // namespace

namespace {

TEST_F(PriseDeVueSuivie, UnFichierQuiGranditApresSonClassementEstClasseDeNouveauPourLeMemeEleve)
{
    const QString alpha = eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("Anne"));
    const QString bravo = eleve(QStringLiteral("6A"), QStringLiteral("Bravo"), QStringLiteral("Bob"));
    eleve(QStringLiteral("6A"), QStringLiteral("Charlie"), QStringLiteral("Chloé"));
    ::ChoixClasse& form = marquerEleve(QStringLiteral("6A"));
    // The writer goes on once the picture was read, as a camera that appends its preview after a pause.
    const QString camera = hot(QStringLiteral("IMG_0001.JPG"));
    const QByteArray principale = prise(5), apercu = jpeg({160, 120});
    Sandbox::writeFile(camera, principale);
    QObject::connect(&prise(form), &PriseDeVue::avancement, &form, [&](int valeur, bool) {
        if (valeur == 4 && lire(camera) == principale) {
            QFile suite(camera);
            ASSERT_TRUE(suite.open(QIODevice::Append));
            suite.write(apercu);
        }
    });
    dialogues_.message(QStringLiteral("La photo « IMG_0001.JPG » était encore en cours d'écriture quand elle a été "
                                      "classée pour Alpha Anne : elle sera classée de nouveau pour Alpha Anne"));
    ASSERT_TRUE(classer(form, camera));
    EXPECT_TRUE(dialogues_.allAnswered()) << "said once, and no replacement question";
    const dossiers_etab::Dossiers etab = dossiers_etab::de(etat::NomEtabEnCours);
    EXPECT_EQ(lire(capture::destinations(etab, QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("Anne"),
                                         alpha).archive),
              principale + apercu)
        << "the whole picture replaces the cut one";
    EXPECT_EQ(QDir(capture::destinations(etab, {}, {}, {}, {}).replaced).entryList(QDir::Files), QStringList())
        << "the cut one is no original";
    EXPECT_EQ(colonne(bravo, QStringLiteral("NomPhoto")), QString()) << "never for the next student";
    EXPECT_TRUE(enRouge(form, 1));
}

} // namespace
