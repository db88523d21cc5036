#include "tests/photographer/support/photographe_fixture.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kJeanne = QStringLiteral("Collège Jeanne d'Arc");

class NouvelEtablissement : public PhotographeFixture {
protected:
    FormNouvEtab& ouvrir()
    {
        base(); // a machine past its first start
        FormNouvEtab& form = formInstance<FormNouvEtab>();
        form.showForm();
        return form;
    }

    static QLineEdit* boite(FormNouvEtab& form, const char* nom)
    {
        return form.findChild<QLineEdit*>(QString::fromLatin1(nom));
    }

    static void valider(FormNouvEtab& form)
    {
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Bt_Valide")), Qt::LeftButton);
    }

    static QString dossierDonnees(const QString& nom) { return paths::join(etat::CheminDonnees, {nom}); }
    static QString dossierArchive(const QString& nom) { return paths::onDrive({QStringLiteral("labohd"), nom}); }

    static int nombreEtablissements()
    {
        return base().scalar(QStringLiteral("SELECT count(*) FROM Etablissements")).toInt();
    }
};

TEST_F(NouvelEtablissement, CreeLaLigneEtLesDeuxDossiers)
{
    FormNouvEtab& form = ouvrir();
    boite(form, "TextNom")->setText(kJeanne);
    taper(boite(form, "TextCP"), QStringLiteral("69005"));
    taper(boite(form, "TextAd"), QStringLiteral("2 rue de l'Église"));
    taper(boite(form, "TextVille"), QStringLiteral("Lyon"));
    taper(boite(form, "TextTel"), QStringLiteral("04 78 00 00 00"));
    taper(boite(form, "TextPrt"), QStringLiteral("06 00 00 00 00"));
    taper(boite(form, "TextMail"), QStringLiteral("ce.0690000@ac-lyon.example"));
    valider(form);

    const db::Rows lignes = base().query(QStringLiteral("SELECT * FROM Etablissements"));
    ASSERT_EQ(lignes.size(), 1u);
    EXPECT_EQ(lignes[0][u"Nom"], kJeanne);
    EXPECT_EQ(lignes[0][u"Code Postal"], QStringLiteral("69005"));
    EXPECT_EQ(lignes[0][u"Adresse"], QStringLiteral("2 rue de l'Église"));
    EXPECT_EQ(lignes[0][u"Telephone"], QStringLiteral("04 78 00 00 00"));
    EXPECT_EQ(lignes[0][u"Portable"], QStringLiteral("06 00 00 00 00"));
    EXPECT_EQ(lignes[0][u"Mail"], QStringLiteral("ce.0690000@ac-lyon.example"));
    EXPECT_EQ(lignes[0][u"Fax"], QString());
    EXPECT_TRUE(QFileInfo(dossierDonnees(kJeanne)).isDir());
    EXPECT_TRUE(QFileInfo(dossierArchive(kJeanne)).isDir());
    EXPECT_EQ(existingForm<FormNouvEtab>(), nullptr);
    EXPECT_TRUE(accueilAffiche());
}

TEST_F(NouvelEtablissement, SaisiesRefuseesDansLOrdre)
{
    ajouterEtablissement(kJeanne);
    struct Cas {
        QString nom, cp, message;
    };
    const Cas cas[] = {
        {"", "", "Veuillez saisir le nom de l'établissement"},
        {"Ecole", "", "Veuillez saisir le Code Postal de l'établissement"},
        {"   ", "69005", "Le nom de l'établissement ne peut pas être vide."},
        // Pasted from a list, with the line end that followed it.
        {"Ecole fin\n", "69005",
         "Le nom de l'établissement contient un saut de ligne, qui ne peut pas figurer dans un nom de fichier ou de "
         "dossier : retirez-le."},
        {"COLLÈGE JEANNE D'ARC", "69005", "L'établissement en cours de création existe déjà."},
    };
    FormNouvEtab& form = ouvrir();
    for (const Cas& c : cas) {
        boite(form, "TextNom")->setText(c.nom);
        boite(form, "TextCP")->setText(c.cp);
        dialogues_.message(c.message);
        valider(form);
    }
    EXPECT_EQ(dialogues_.prompts()[0].title, QStringLiteral("Saisie manquante..."));
    EXPECT_EQ(dialogues_.prompts()[4].icon, dialogs::Icon::Information);
    EXPECT_EQ(nombreEtablissements(), 1);
    EXPECT_FALSE(QFileInfo::exists(dossierArchive(QStringLiteral("COLLÈGE JEANNE D'ARC"))));
    EXPECT_FALSE(QFileInfo::exists(dossierArchive(QStringLiteral("Ecole fin\n"))));
    EXPECT_FALSE(QFileInfo::exists(dossierDonnees(QStringLiteral("Ecole fin\n"))));
    ASSERT_NE(existingForm<FormNouvEtab>(), nullptr);
    EXPECT_EQ(boite(form, "TextNom")->text(), QStringLiteral("COLLÈGE JEANNE D'ARC"));
}

TEST_F(NouvelEtablissement, DossiersExistants)
{
    // An empty folder left behind is reused.
    ASSERT_TRUE(paths::ensureFolder(dossierArchive(QStringLiteral("Ecole Vide"))));
    // One that holds pictures of someone else is not.
    Sandbox::writeFile(paths::join(dossierDonnees(QStringLiteral("Ecole Pleine")), {QStringLiteral("12.jpg")}), "x");
    // Nor one whose copies kept pictures of a former establishment.
    Sandbox::writeFile(paths::join(dossierDonnees(QStringLiteral("Ecole Ancienne BR")), {QStringLiteral("7.jpg")}),
                       "x");
    // A file where the folder should be cannot become one.
    Sandbox::writeFile(dossierArchive(QStringLiteral("Ecole Bloquee")), "x");
    Sandbox::writeFile(dossierDonnees(QStringLiteral("Ecole Coincee")), "x");

    struct Cas {
        QString nom;
        QString message; // empty: created
    };
    const Cas cas[] = {
        {"Ecole Vide", ""},
        {"Ecole Pleine", "Le dossier " + QDir::toNativeSeparators(dossierDonnees("Ecole Pleine"))
                             + " existe déjà et contient des fichiers."},
        {"Ecole Ancienne", "Le dossier " + QDir::toNativeSeparators(dossierDonnees("Ecole Ancienne BR"))
                               + " existe déjà et contient des fichiers."},
        {"Ecole Bloquee", "Le dossier " + QDir::toNativeSeparators(dossierArchive("Ecole Bloquee"))
                              + " n'a pas pu être créé"},
        {"Ecole Coincee", "Le dossier " + QDir::toNativeSeparators(dossierDonnees("Ecole Coincee"))
                              + " n'a pas pu être créé"},
    };
    for (const Cas& c : cas) {
        FormNouvEtab& form = ouvrir();
        boite(form, "TextNom")->setText(c.nom);
        boite(form, "TextCP")->setText(QStringLiteral("69005"));
        if (!c.message.isEmpty())
            dialogues_.message(c.message);
        valider(form);
        EXPECT_EQ(existingForm<FormNouvEtab>() == nullptr, c.message.isEmpty()) << c.nom.toStdString();
        decharger<FormNouvEtab>();
    }
    EXPECT_EQ(base().scalar(QStringLiteral("SELECT group_concat(Nom) FROM Etablissements")),
              QStringLiteral("Ecole Vide"));
    EXPECT_FALSE(QFileInfo::exists(dossierArchive(QStringLiteral("Ecole Pleine"))));
    EXPECT_FALSE(QFileInfo::exists(dossierDonnees(QStringLiteral("Ecole Ancienne"))));
    EXPECT_FALSE(QFileInfo::exists(dossierArchive(QStringLiteral("Ecole Coincee")))) << "a refused creation leaves no folder";
}

TEST_F(NouvelEtablissement, UnNomDontUnDossierEstCeluiDUnAutreOuTropLongEstRefuse)
{
    base().exec(QStringLiteral("INSERT INTO Etablissements (Nom) VALUES ('Ecole d''Art/Design'), ('Lycée')"));
    const struct {
        QString nom, message;
    } cas[] = {
        {QStringLiteral("ECOLE D'ART_design"), QStringLiteral("qui est celui de l'établissement « Ecole d'Art/Design »")},
        {QStringLiteral("Lycée BR"), QStringLiteral("qui est celui de l'établissement « Lycée »")},
        {QStringLiteral("Lycée BR3"), QStringLiteral("qui est celui de l'établissement « Lycée »")},
        {QString(252, u'A'), QStringLiteral("il peut compter au plus 251 caractères (il en compte 252)")},
    };
    FormNouvEtab& form = ouvrir();
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom.left(20).toStdString());
        boite(form, "TextNom")->setText(c.nom);
        boite(form, "TextCP")->setText(QStringLiteral("69005"));
        dialogues_.message(c.message);
        valider(form);

        EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
        EXPECT_EQ(nombreEtablissements(), 2);
        EXPECT_FALSE(QFileInfo::exists(dossierArchive(c.nom)));
        EXPECT_FALSE(QFileInfo::exists(dossierDonnees(c.nom)));
    }
}

TEST_F(NouvelEtablissement, FiltresDeSaisieEtAnnulation)
{
    FormNouvEtab& form = ouvrir();
    taper(boite(form, "TextNom"), QStringLiteral("Saint-Exupéry d'Ô.ç 2"));
    EXPECT_EQ(boite(form, "TextNom")->text(), QStringLiteral("SaintExupéry dç 2"));
    // Pasted text meets the same filter.
    boite(form, "TextNom")->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("Ecole d'Art/Design"));
    QTest::keyClick(boite(form, "TextNom"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(boite(form, "TextNom")->text(), QStringLiteral("Ecole dArtDesign"));
    taper(boite(form, "TextCP"), QStringLiteral("69a. 005"));
    QTest::keyClick(boite(form, "TextCP"), Qt::Key_Backspace);
    EXPECT_EQ(boite(form, "TextCP")->text(), QStringLiteral("6900"));

    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Bt_Annuler")), Qt::LeftButton);
    EXPECT_EQ(existingForm<FormNouvEtab>(), nullptr);
    EXPECT_EQ(nombreEtablissements(), 0);
    EXPECT_TRUE(accueilAffiche());
}

} // namespace
