#include "school/class_board/deplacement.h"

#include "school/data/base.h"
#include "tests/school/support/school_fixture.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

// Every row of a table as text, in key order: what a move may change.
QStringList contenu(const QString& table, const QString& cle)
{
    QStringList lignes;
    for (const db::Row& row : base::db().query(
             QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(table, cle))) {
        QStringList valeurs;
        for (int i = 0; i < row.size(); ++i)
            valeurs << row.at(i);
        lignes << valeurs.join(u'|');
    }
    return lignes;
}

QString classeDe(qint64 cdeEleve)
{
    return base::db().scalar(QStringLiteral("SELECT Classe FROM Eleves WHERE CdeEleves = ?"),
                              {cdeEleve});
}

QStringList choix(QComboBox* combo)
{
    QStringList textes;
    for (int i = 0; i < combo->count(); ++i)
        textes << combo->itemText(i);
    return textes;
}

// The left column of the main window with the panel in it.
struct Colonne {
    QWidget frame3;
    PanneauDeplacement* panneau = new PanneauDeplacement(&frame3);
    QComboBox* combo = panneau->findChild<QComboBox*>(QStringLiteral("Combo1"));
    QPushButton* bouton = frame3.findChild<QPushButton*>(QStringLiteral("Bt_ChangeClasse_0"));
    QSignalSpy deplacements{panneau, &PanneauDeplacement::eleveDeplace};
    QSignalSpy fermetures{panneau, &PanneauDeplacement::ferme};

    Colonne() { frame3.show(); }

    void choisir(const QString& classe)
    {
        const int index = combo->findText(classe);
        ASSERT_GE(index, 0) << classe.toStdString();
        combo->setCurrentIndex(index);
    }
    void valider() { QTest::mouseClick(bouton, Qt::LeftButton); }
    bool ouvert() const { return !panneau->isHidden() && !bouton->isHidden(); }
};

} // namespace

TEST(DeplacementEleve, NeDeplaceQueLaLigneDeLaCleCliqueeEtLaisseLesGroupes)
{
    SchoolFixture ecole;
    ecole.ajouterClasse(QStringLiteral("4C"), 2);
    // The namesake comes first in the table, where a look-up by name would land.
    const qint64 homonyme = ecole.ajouterEleve(QStringLiteral("5B"), QStringLiteral("Martin"), QStringLiteral("Paul"));
    const qint64 clique = ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Martin"), QStringLiteral("Paul"));
    ecole.ajouterEleve(QStringLiteral("6A"), QStringLiteral("Durand"), QStringLiteral("Léa"));
    ecole.ajouterAuGroupe(QStringLiteral("Chorale"), clique);
    const QStringList eleves = contenu(QStringLiteral("Eleves"), QStringLiteral("CdeEleves"));
    const QStringList groupes = contenu(QStringLiteral("Goupes"), QStringLiteral("CdeGroupes"));

    Colonne colonne;
    EXPECT_FALSE(colonne.ouvert());
    colonne.panneau->ouvrir(QString::number(clique), QStringLiteral("6A"));
    ASSERT_TRUE(colonne.ouvert());
    EXPECT_EQ(colonne.panneau->findChild<QLabel*>(QStringLiteral("Label1_2"))->text(),
              QStringLiteral("Martin Paul"));
    colonne.choisir(QStringLiteral("4C"));
    colonne.valider();

    EXPECT_EQ(classeDe(clique), QStringLiteral("4C"));
    EXPECT_EQ(classeDe(homonyme), QStringLiteral("5B"));
    // Only the Classe of that one row changed: key, names and photo code follow the student.
    QStringList attendu = eleves;
    for (QString& ligne : attendu)
        if (ligne.startsWith(QString::number(clique) + u'|'))
            ligne.replace(QStringLiteral("|6A|"), QStringLiteral("|4C|"));
    EXPECT_EQ(contenu(QStringLiteral("Eleves"), QStringLiteral("CdeEleves")), attendu);
    EXPECT_EQ(contenu(QStringLiteral("Goupes"), QStringLiteral("CdeGroupes")), groupes);

    EXPECT_FALSE(colonne.ouvert());
    ASSERT_EQ(colonne.deplacements.size(), 1);
    EXPECT_EQ(colonne.deplacements[0][0].toString(), QStringLiteral("6A"));
    EXPECT_EQ(colonne.deplacements[0][1].toString(), QStringLiteral("4C"));
    EXPECT_EQ(colonne.fermetures.size(), 1);
}

TEST(DeplacementEleve, SOuvreSurLaClasseDeLEleveEtLaGarderOuAbandonnerNeChangeRien)
{
    SchoolFixture ecole;
    // The student's class is not the first of the list.
    const QList<qint64> cinquieme = ecole.ajouterClasse(QStringLiteral("5B"), 2);
    ecole.ajouterClasse(QStringLiteral("6A"), 1);
    const QStringList eleves = contenu(QStringLiteral("Eleves"), QStringLiteral("CdeEleves"));

    Colonne colonne;
    // A class picked for one student is not carried over to the next one.
    colonne.panneau->ouvrir(QString::number(cinquieme[0]), QStringLiteral("5B"));
    colonne.choisir(QStringLiteral("6A"));
    colonne.panneau->ouvrir(QString::number(cinquieme[1]), QStringLiteral("5B"));
    EXPECT_EQ(colonne.combo->currentText(), QStringLiteral("5B"));
    colonne.valider();
    // Picking another class and coming back to the student's own.
    colonne.panneau->ouvrir(QString::number(cinquieme[0]), QStringLiteral("5B"));
    colonne.choisir(QStringLiteral("6A"));
    colonne.choisir(QStringLiteral("5B"));
    colonne.valider();
    // An abandoned move is forgotten, even when its hidden button is reached.
    colonne.panneau->ouvrir(QString::number(cinquieme[0]), QStringLiteral("5B"));
    colonne.choisir(QStringLiteral("6A"));
    colonne.panneau->abandonner();
    ASSERT_FALSE(colonne.ouvert());
    colonne.bouton->click();

    EXPECT_EQ(contenu(QStringLiteral("Eleves"), QStringLiteral("CdeEleves")), eleves);
    EXPECT_TRUE(colonne.deplacements.isEmpty());
    EXPECT_EQ(colonne.fermetures.size(), 3);
    EXPECT_FALSE(colonne.ouvert());
}

TEST(DeplacementEleve, LaListeDesClassesEstRelueAChaqueOuvertureEnOrdreFrancaisDecroissant)
{
    SchoolFixture ecole;
    const qint64 seul = ecole.ajouterEleve(QStringLiteral("seconde"), QStringLiteral("Petit"), QStringLiteral("Jean"));
    ecole.ajouterClasse(QStringLiteral("Terminale"), 1);
    const QList<qint64> cinquieme = ecole.ajouterClasse(QStringLiteral("5ème B"), 1);
    ecole.ajouterClasse(QStringLiteral("6ème A"), 1);

    Colonne colonne;
    colonne.panneau->ouvrir(QString::number(seul), QStringLiteral("seconde"));
    EXPECT_EQ(choix(colonne.combo), (QStringList{QStringLiteral("Terminale"), QStringLiteral("seconde"),
                                                 QStringLiteral("6ème A"), QStringLiteral("5ème B")}));
    // The last student of "seconde" leaves it; a student joins a new class.
    colonne.choisir(QStringLiteral("Terminale"));
    colonne.valider();
    ecole.ajouterEleve(QStringLiteral("CM2"), QStringLiteral("Blanc"), QStringLiteral("Zoé"));

    colonne.panneau->ouvrir(QString::number(cinquieme[0]), QStringLiteral("5ème B"));
    EXPECT_EQ(choix(colonne.combo), (QStringList{QStringLiteral("Terminale"), QStringLiteral("CM2"),
                                                 QStringLiteral("6ème A"), QStringLiteral("5ème B")}));
    EXPECT_EQ(colonne.combo->currentText(), QStringLiteral("5ème B"));
    EXPECT_FALSE(colonne.combo->isEditable());
}

TEST(DeplacementEleve, UnEleveSupprimeEntreTempsEstSignaleEtRienNEstEcrit)
{
    SchoolFixture ecole;
    const QList<qint64> eleves = ecole.ajouterClasse(QStringLiteral("6A"), 2);
    ecole.ajouterClasse(QStringLiteral("5B"), 1);
    ScriptedDialogs dialogues;
    Colonne colonne;

    // Deleted before the panel opens: it stays closed.
    base::db().exec(QStringLiteral("DELETE FROM Eleves WHERE CdeEleves = ?"), {eleves[0]});
    dialogues.message(QStringLiteral("n'est plus dans la base"));
    colonne.panneau->ouvrir(QString::number(eleves[0]), QStringLiteral("6A"));
    EXPECT_FALSE(colonne.ouvert());

    // Deleted while the panel is open: "Valider" says so instead of reporting a move.
    colonne.panneau->ouvrir(QString::number(eleves[1]), QStringLiteral("6A"));
    base::db().exec(QStringLiteral("DELETE FROM Eleves WHERE CdeEleves = ?"), {eleves[1]});
    const QStringList avant = contenu(QStringLiteral("Eleves"), QStringLiteral("CdeEleves"));
    colonne.choisir(QStringLiteral("5B"));
    dialogues.message(QStringLiteral("n'a pas été transféré"));
    colonne.valider();

    EXPECT_EQ(contenu(QStringLiteral("Eleves"), QStringLiteral("CdeEleves")), avant);
    EXPECT_TRUE(colonne.deplacements.isEmpty());
    EXPECT_FALSE(colonne.ouvert());
    EXPECT_TRUE(dialogues.allAnswered());
}
