#include "tests/photographer/support/photographe_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class FichePhotographe : public PhotographeFixture {
protected:
    ParamPhotographe& ouvrir()
    {
        base(); // a machine past its first start
        ParamPhotographe& form = formInstance<ParamPhotographe>();
        form.showForm();
        return form;
    }

    static QLineEdit* boite(ParamPhotographe& form, const char* nom)
    {
        return form.findChild<QLineEdit*>(QString::fromLatin1(nom));
    }

    static QPushButton* bouton(ParamPhotographe& form, int index)
    {
        return form.findChild<QPushButton*>(QStringLiteral("Bt_Photo_%1").arg(index));
    }

    static std::vector<bool> boutonsVisibles(ParamPhotographe& form)
    {
        return {bouton(form, 0)->isVisible(), bouton(form, 1)->isVisible(), bouton(form, 2)->isVisible()};
    }

    static db::Rows fiches()
    {
        return base().query(QStringLiteral("SELECT * FROM Photographe"));
    }
};

TEST_F(FichePhotographe, PremiereSaisieValideeEtAffichee)
{
    ParamPhotographe& form = ouvrir();
    EXPECT_TRUE(boite(form, "TextNomEntre")->isVisible());
    EXPECT_FALSE(boite(form, "TextAd3")->isVisible());
    EXPECT_FALSE(form.findChild<QLabel*>(QStringLiteral("LabelNom"))->isVisible());
    EXPECT_EQ(boutonsVisibles(form), (std::vector<bool>{false, true, false}));

    dialogues_.message(QStringLiteral("Veuillez insérer le Nom de votre entreprise"));
    QTest::mouseClick(bouton(form, 1), Qt::LeftButton);
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_TRUE(fiches().empty());

    taper(boite(form, "TextNomEntre"), QStringLiteral("Studio Lumière"));
    taper(boite(form, "TextCP"), QStringLiteral("69003"));
    taper(boite(form, "TextMail"), QStringLiteral("contact@studio.example"));
    QTest::mouseClick(bouton(form, 1), Qt::LeftButton);

    const db::Rows lignes = fiches();
    ASSERT_EQ(lignes.size(), 1u);
    EXPECT_EQ(lignes[0][u"NomP"], QStringLiteral("Studio Lumière"));
    EXPECT_EQ(lignes[0][u"CPP"], QStringLiteral("69003"));
    EXPECT_EQ(lignes[0][u"Mail"], QStringLiteral("contact@studio.example"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("LabelCP"))->text(), QStringLiteral("69003"));
    EXPECT_TRUE(form.findChild<QLabel*>(QStringLiteral("LabelCP"))->isVisible());
    EXPECT_FALSE(boite(form, "TextCP")->isVisible());
    EXPECT_EQ(boutonsVisibles(form), (std::vector<bool>{true, false, false}));

    QTest::mouseClick(bouton(form, 0), Qt::LeftButton);
    EXPECT_EQ(existingForm<ParamPhotographe>(), nullptr);
    EXPECT_TRUE(accueilAffiche());
}

TEST_F(FichePhotographe, ModifierPuisOkGardeUneSeuleFiche)
{
    base().exec(QStringLiteral("INSERT INTO Photographe (NomP, VilleP) VALUES ('Studio Lumière', 'Lyon')"));
    ParamPhotographe& form = ouvrir();
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("LabelVille"))->text(), QStringLiteral("Lyon"));
    EXPECT_EQ(boutonsVisibles(form), (std::vector<bool>{true, false, true}));

    QTest::mouseClick(bouton(form, 2), Qt::LeftButton);
    EXPECT_EQ(boutonsVisibles(form), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(boite(form, "TextVille")->text(), QStringLiteral("Lyon"));

    boite(form, "TextNomEntre")->clear();
    dialogues_.message(QStringLiteral("Veuillez insérer le Nom de votre entreprise"));
    QTest::mouseClick(bouton(form, 0), Qt::LeftButton);
    ASSERT_NE(existingForm<ParamPhotographe>(), nullptr);
    EXPECT_EQ(fiches()[0][u"NomP"], QStringLiteral("Studio Lumière"));

    taper(boite(form, "TextNomEntre"), QStringLiteral("Photo Ouest"));
    QTest::mouseClick(bouton(form, 0), Qt::LeftButton);
    const db::Rows lignes = fiches();
    ASSERT_EQ(lignes.size(), 1u);
    EXPECT_EQ(lignes[0][u"NomP"], QStringLiteral("Photo Ouest"));
    EXPECT_EQ(lignes[0][u"VilleP"], QStringLiteral("Lyon"));
    EXPECT_EQ(existingForm<ParamPhotographe>(), nullptr);
}

TEST_F(FichePhotographe, FicheSansNomCompleteeSansSecondeLigne)
{
    base().exec(QStringLiteral("INSERT INTO Photographe (NomP, VilleP) VALUES ('', 'Lyon')"));
    ParamPhotographe& form = ouvrir();
    EXPECT_EQ(boutonsVisibles(form), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(boite(form, "TextVille")->text(), QStringLiteral("Lyon"));

    taper(boite(form, "TextNomEntre"), QStringLiteral("Studio"));
    QTest::mouseClick(bouton(form, 1), Qt::LeftButton);
    const db::Rows lignes = fiches();
    ASSERT_EQ(lignes.size(), 1u);
    EXPECT_EQ(lignes[0][u"NomP"], QStringLiteral("Studio"));
    EXPECT_EQ(lignes[0][u"VilleP"], QStringLiteral("Lyon"));
}

TEST_F(FichePhotographe, RetourDeLAProposGardeLaSaisie)
{
    ParamPhotographe& form = ouvrir();
    taper(boite(form, "TextNomEntre"), QStringLiteral("Studio"));

    form.findChild<QAction*>(QStringLiteral("MNU_Propos"))->trigger();
    ASSERT_NE(existingForm<Propos>(), nullptr);
    EXPECT_TRUE(form.isVisible());
    form.activateFromUser();
    EXPECT_EQ(boite(form, "TextNomEntre")->text(), QStringLiteral("Studio"));
    EXPECT_EQ(boutonsVisibles(form), (std::vector<bool>{false, true, false}));

    // Closing without "Valider" stores nothing.
    form.close();
    EXPECT_TRUE(fiches().empty());
    EXPECT_TRUE(accueilAffiche());
}

TEST_F(FichePhotographe, FiltresDeSaisie)
{
    struct Cas {
        const char* boite;
        QString frappe;
        QString attendu;
    };
    const Cas cas[] = {
        {"TextNomEntre", QStringLiteral("Dupont, L'Été çô"), QStringLiteral("Dupont Lté çô")},
        {"TextAd1", QStringLiteral("rue François-Ier"), QStringLiteral("rue Franois-Ier")},
        {"TextAd2", QStringLiteral("rue François"), QStringLiteral("rue François")},
        {"TextCP", QStringLiteral("69 00a3"), QStringLiteral("69003")},
        {"TextTel", QStringLiteral("04.72 1x"), QStringLiteral("04.72 1")},
        {"TextMail", QStringLiteral("a.b@c-d_e!é"), QStringLiteral("a.b@c-d_e")},
        {"TextWeb", QStringLiteral("www.ex/ç@é"), QStringLiteral("www.ex/ç")},
    };
    ParamPhotographe& form = ouvrir();
    for (const Cas& c : cas) {
        taper(boite(form, c.boite), c.frappe);
        EXPECT_EQ(boite(form, c.boite)->text(), c.attendu) << c.boite;
    }
    QTest::keyClick(boite(form, "TextCP"), Qt::Key_Backspace);
    EXPECT_EQ(boite(form, "TextCP")->text(), QStringLiteral("6900"));
}

} // namespace
