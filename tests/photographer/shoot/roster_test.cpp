#include "photographer/data/noms_photos.h"
#include "photographer/data/roster.h"

#include "tests/photographer/shoot/seance_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>

using dialogs::Answer;

namespace {

QStringList noms(const std::vector<roster::Eleve>& eleves)
{
    QStringList result;
    for (const roster::Eleve& e : eleves)
        result << e.nom;
    return result;
}

} // namespace

using Roster = SeanceFixture;

TEST_F(Roster, ClassesEtElevesLusDansLOrdreFrancais)
{
    const QString autreEtab = QStringLiteral("999");
    for (const auto& [classe, nom] : {std::pair{"6A", "Fabre"}, std::pair{"6a", "Émile"}, std::pair{"5B", "Dupont"},
                                      std::pair{"6A", "dupont"}, std::pair{"", "Sansclasse"}})
        eleve(QString::fromUtf8(classe), QString::fromUtf8(nom), QStringLiteral("X"));
    eleve(QStringLiteral("4C"), QStringLiteral("Ailleurs"), QStringLiteral("X"), autreEtab);

    // "6A" and "6a" are one class; a student without a class is reachable too.
    EXPECT_EQ(roster::classes(etat::CodeEtabEnCours), QStringList({QString(), QStringLiteral("5B"), QStringLiteral("6A")}));
    EXPECT_EQ(noms(roster::eleves(etat::CodeEtabEnCours, QStringLiteral("6A"))),
              QStringList({QStringLiteral("dupont"), QStringLiteral("Émile"), QStringLiteral("Fabre")}));
    EXPECT_EQ(noms(roster::eleves(etat::CodeEtabEnCours, QString())), QStringList({QStringLiteral("Sansclasse")}));
}

TEST_F(Roster, LesModificationsPassentParLaCleSeulement)
{
    const QString autreEtab = QStringLiteral("999");
    const QString ici = eleve(QStringLiteral("6A"), QStringLiteral("Petit"), QStringLiteral("Jean"));
    const QString ailleurs = eleve(QStringLiteral("6A"), QStringLiteral("Petit"), QStringLiteral("Jean"), autreEtab);

    EXPECT_TRUE(roster::changerClasse(ici, QStringLiteral("5B")));
    EXPECT_EQ(colonne(ici, QStringLiteral("Classe")), QStringLiteral("5B"));
    EXPECT_EQ(colonne(ailleurs, QStringLiteral("Classe")), QStringLiteral("6A"));
    EXPECT_TRUE(roster::enregistrerNomPhoto(ici, QStringLiteral("IMG_1.JPG")));
    EXPECT_EQ(colonne(ailleurs, QStringLiteral("NomPhoto")), QString());
    // A namesake of another establishment takes no number from this one.
    EXPECT_EQ(roster::numero(autreEtab, ailleurs), 1);
    EXPECT_TRUE(roster::supprimerEleve(ici));
    EXPECT_FALSE(roster::supprimerEleve(ici));
    EXPECT_FALSE(roster::changerClasse(QStringLiteral("1%"), QStringLiteral("5B")));
    EXPECT_EQ(base::db().scalar(QStringLiteral("SELECT COUNT(*) FROM Eleves")), QStringLiteral("1"));

    const QString nouveau = roster::ajouterEleve(etat::CodeEtabEnCours, QStringLiteral("6A"), QStringLiteral("Neuf"), QStringLiteral("Léo"));
    EXPECT_EQ(colonne(nouveau, QStringLiteral("CodeEtablissement")), etat::CodeEtabEnCours);
    // A deleted key is never given again: picture files are named by keys.
    EXPECT_GT(nouveau.toLongLong(), ailleurs.toLongLong());
}

TEST_F(Roster, AjoutDUnEleveALEcran)
{
    eleve(QStringLiteral("6A"), QStringLiteral("Martin"), QStringLiteral("Paul"));
    ChoixClasse& form = marquerEleve(QStringLiteral("6A"));
    QTest::mouseClick(controle(form, QStringLiteral("Bt_Ajout_0")), Qt::LeftButton);
    EXPECT_FALSE(form.findChild<QTimer*>(QStringLiteral("TimerHot"))->isActive());
    EXPECT_FALSE(enRouge(form, 0));

    dialogues_.message(QStringLiteral("veuillez saisir un Nom...")).message(QStringLiteral("veuillez saisir un Prénom..."));
    QTest::mouseClick(controle(form, QStringLiteral("Bt_Ajout_1")), Qt::LeftButton);
    EXPECT_EQ(base::db().scalar(QStringLiteral("SELECT COUNT(*) FROM Eleves")), QStringLiteral("1"));

    // Only letters, digits, hyphen and blank reach the name: it names files.
    auto* textNom = controle<QLineEdit>(form, QStringLiteral("TextNom"));
    QTest::keyClicks(textNom, QStringLiteral("Ab/'l-1"));
    textNom->insert(QStringLiteral("é"));
    textNom->insert(QStringLiteral("a/b")); // pasted text is checked too
    EXPECT_EQ(textNom->text(), QStringLiteral("Abl-1é"));

    // A name too long for the student's picture files is refused before any row exists.
    textNom->setText(QString(300, u'A'));
    controle<QLineEdit>(form, QStringLiteral("TextPrenom"))->setText(QStringLiteral("Zoé"));
    dialogues_.message(QStringLiteral("Le nom et le prénom sont trop longs pour nommer les photos de l'élève : avec la "
                                      "classe, ils peuvent compter au plus %1 caractères (ils en comptent 305).")
                           .arg(noms_photos::octetsPermis()));
    QTest::mouseClick(controle(form, QStringLiteral("Bt_Ajout_1")), Qt::LeftButton);
    EXPECT_EQ(base::db().scalar(QStringLiteral("SELECT COUNT(*) FROM Eleves")), QStringLiteral("1"));
    EXPECT_TRUE(textNom->isVisible());

    // Whatever reaches the boxes, a control character never enters a name.
    const struct {
        QString nom, prenom, refus;
    } controles[] = {
        {QStringLiteral("Du\tpont"), QStringLiteral("Zoé"),
         QStringLiteral("Le nom de l'élève contient une tabulation, qui ne peut pas figurer dans un nom de fichier ou "
                        "de dossier : retirez-le.")},
        {QStringLiteral("Abel"), QStringLiteral("Zo\u2028é"),
         QStringLiteral("Le prénom de l'élève contient un saut de ligne, qui ne peut pas figurer dans un nom de "
                        "fichier ou de dossier : retirez-le.")},
    };
    for (const auto& c : controles) {
        SCOPED_TRACE(c.refus.toStdString());
        textNom->setText(c.nom);
        controle<QLineEdit>(form, QStringLiteral("TextPrenom"))->setText(c.prenom);
        dialogues_.message(c.refus);
        QTest::mouseClick(controle(form, QStringLiteral("Bt_Ajout_1")), Qt::LeftButton);
        EXPECT_EQ(base::db().scalar(QStringLiteral("SELECT COUNT(*) FROM Eleves")), QStringLiteral("1"));
        EXPECT_TRUE(textNom->isVisible());
    }

    controle<QLineEdit>(form, QStringLiteral("TextNom"))->setText(QStringLiteral("Abel"));
    controle<QLineEdit>(form, QStringLiteral("TextPrenom"))->setText(QStringLiteral("Zoé"));
    QTest::mouseClick(controle(form, QStringLiteral("Bt_Ajout_1")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(base::db().scalar(QStringLiteral("SELECT CodeEtablissement || '|' || Classe FROM Eleves WHERE Nom = 'Abel'")),
              etat::CodeEtabEnCours + QStringLiteral("|6A"));
    EXPECT_EQ(controle<QLabel>(form, QStringLiteral("LabelRecupNom_0"))->text(), QStringLiteral("Abel"));
    EXPECT_EQ(controle<QLabel>(form, QStringLiteral("LabelClasse"))->text(), QStringLiteral("Classe : 6A - 2 élèves"));
    EXPECT_FALSE(controle(form, QStringLiteral("TextNom"))->isVisible());
    EXPECT_TRUE(controle(form, QStringLiteral("Bt_Ajout_0"))->isVisible());
    EXPECT_TRUE(menu(form, QStringLiteral("MNU_AjoutEleve"))->isEnabled());
}

TEST_F(Roster, DeplacementEtSuppressionDeLEleveCliqueADroite)
{
    const QString alpha = eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("Anne"));
    const QString bravo = eleve(QStringLiteral("6A"), QStringLiteral("Bravo"), QStringLiteral("Bob"));
    eleve(QStringLiteral("6A"), QStringLiteral("Charlie"), QStringLiteral("Cid"));
    const QString homonyme = eleve(QStringLiteral("6A"), QStringLiteral("Bravo"), QStringLiteral("Bob"), QStringLiteral("999"));
    eleve(QStringLiteral("5B"), QStringLiteral("Delta"), QStringLiteral("Dan"));
    ChoixClasse& form = marquerEleve(QStringLiteral("6A"));

    // Move the second student; the list offers this establishment's classes, refilled now.
    eleve(QStringLiteral("3E"), QStringLiteral("Echo"), QStringLiteral("Eve"));
    cliquer(form, 1, Qt::RightButton);
    menu(form, QStringLiteral("MNU_Change_Classe"))->trigger();
    auto* combo = controle<QComboBox>(form, QStringLiteral("Combo1"));
    EXPECT_EQ(controle<QLabel>(form, QStringLiteral("Label1_2"))->text(), QStringLiteral("Bravo Bob"));
    QStringList offertes;
    for (int i = 0; i < combo->count(); ++i)
        offertes << combo->itemText(i);
    EXPECT_EQ(offertes, QStringList({QStringLiteral("3E"), QStringLiteral("5B"), QStringLiteral("6A")}));
    EXPECT_FALSE(controle(form, QStringLiteral("Bt_Ajout_4"))->isEnabled());
    controle(form, QStringLiteral("Bt_Ajout_4"))->setEnabled(true);
    dialogues_.message(QStringLiteral("Vous devez choisir une classe de destination avec la liste déroulante"));
    QTest::mouseClick(controle(form, QStringLiteral("Bt_Ajout_4")), Qt::LeftButton);
    EXPECT_EQ(colonne(bravo, QStringLiteral("Classe")), QStringLiteral("6A"));

    combo->setCurrentIndex(1);
    Q_EMIT combo->activated(1);
    EXPECT_TRUE(controle(form, QStringLiteral("Bt_Ajout_4"))->isEnabled());
    QTest::mouseClick(controle(form, QStringLiteral("Bt_Ajout_4")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(colonne(bravo, QStringLiteral("Classe")), QStringLiteral("5B"));
    EXPECT_EQ(colonne(homonyme, QStringLiteral("Classe")), QStringLiteral("6A"));
    EXPECT_EQ(controle<QLabel>(form, QStringLiteral("LabelRecupNom_1"))->text(), QStringLiteral("Charlie"));
    EXPECT_FALSE(controle(form, QStringLiteral("Frame2"))->isVisible());
    // A roster change stops the capture and clears the mark.
    EXPECT_FALSE(form.findChild<QTimer*>(QStringLiteral("TimerHot"))->isActive());
    EXPECT_FALSE(enRouge(form, 0));

    // Delete the first student: Cancel keeps it, OK removes that row only.
    const QString question = QStringLiteral("l'élève : Anne Alpha sera supprimé définitivement...");
    cliquer(form, 0, Qt::RightButton);
    dialogues_.message(question, Answer::Cancel);
    menu(form, QStringLiteral("MNU_Sup_Eleve"))->trigger();
    EXPECT_EQ(colonne(alpha, QStringLiteral("Nom")), QStringLiteral("Alpha"));
    EXPECT_EQ(dialogues_.lastPrompt().title, QStringLiteral("Suppression d'un élève..."));
    dialogues_.message(question, Answer::Ok);
    menu(form, QStringLiteral("MNU_Sup_Eleve"))->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(colonne(alpha, QStringLiteral("Nom")), QString());
    EXPECT_EQ(controle<QLabel>(form, QStringLiteral("LabelClasse"))->text(), QStringLiteral("Classe : 6A - 1 élèves"));
    EXPECT_EQ(form.findChild<QWidget*>(QStringLiteral("Photo_1")), nullptr);
}

TEST_F(Roster, UnEleveSupprimeEntreTempsEstSignaleEtLaPlancheRelue)
{
    const QString alpha = eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("Anne"));
    const QString bravo = eleve(QStringLiteral("6A"), QStringLiteral("Bravo"), QStringLiteral("Bob"));
    eleve(QStringLiteral("5B"), QStringLiteral("Delta"), QStringLiteral("Dan"));
    ChoixClasse& form = ouvrirClasse(QStringLiteral("6A"));
    const QString disparu = QStringLiteral("Cet élève n'est plus dans la base");

    // Another program removes the student while the move panel is open.
    cliquer(form, 1, Qt::RightButton);
    menu(form, QStringLiteral("MNU_Change_Classe"))->trigger();
    auto* combo = controle<QComboBox>(form, QStringLiteral("Combo1"));
    combo->setCurrentIndex(0);
    Q_EMIT combo->activated(0);
    base().exec(QStringLiteral("DELETE FROM Eleves WHERE CdeEleves = ?"), {bravo.toLongLong()});
    dialogues_.message(disparu);
    QTest::mouseClick(controle(form, QStringLiteral("Bt_Ajout_4")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialogues_.allAnswered());
    EXPECT_EQ(form.findChild<QWidget*>(QStringLiteral("Photo_1")), nullptr);

    cliquer(form, 0, Qt::RightButton);
    base().exec(QStringLiteral("DELETE FROM Eleves WHERE CdeEleves = ?"), {alpha.toLongLong()});
    dialogues_.message(QStringLiteral("sera supprimé définitivement"));
    dialogues_.message(disparu);
    menu(form, QStringLiteral("MNU_Sup_Eleve"))->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialogues_.allAnswered());
    EXPECT_EQ(controle<QLabel>(form, QStringLiteral("LabelClasse"))->text(), QStringLiteral("Classe : 6A - 0 élèves"));
}

TEST_F(Roster, CreationDUneClasseEtRetourAuxClasses)
{
    eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("Anne"));
    ChoixClasse& form = formInstance<ChoixClasse>();
    form.showForm();
    const QString invite = QStringLiteral("Saisissez le nom de la classe à créer :");

    dialogues_.input(invite, std::nullopt);
    menu(form, QStringLiteral("MNU_Créer_Classe"))->trigger();
    dialogues_.input(invite, QStringLiteral("..")).message(QStringLiteral(".."));
    menu(form, QStringLiteral("MNU_Créer_Classe"))->trigger();
    EXPECT_EQ(base::db().scalar(QStringLiteral("SELECT COUNT(*) FROM Eleves")), QStringLiteral("1"));

    dialogues_.input(invite, QStringLiteral("6B"));
    menu(form, QStringLiteral("MNU_Créer_Classe"))->trigger();
    EXPECT_EQ(base::db().scalar(QStringLiteral("SELECT group_concat(Nom || '/' || Prenom, ',') FROM "
                                               "(SELECT Nom, Prenom FROM Eleves WHERE Classe = '6B' AND "
                                               "CodeEtablissement = ? ORDER BY CdeEleves)"),
                                {etat::CodeEtabEnCours}),
              QStringLiteral("Nom1/Prénom1,Nom2/Prénom2,Nom3/Prénom3,Nom4/Prénom4,Nom5/Prénom5,Nom6/Prénom6,"
                             "Nom7/Prénom7,Nom8/Prénom8,Nom9/Prénom9,Nom10/Prénom10"));
    EXPECT_EQ(controle<QPushButton>(form, QStringLiteral("Bt_Classe_1"))->text(), QStringLiteral("6B"));

    ouvrirClasse(QStringLiteral("6B"));
    EXPECT_FALSE(menu(form, QStringLiteral("MNU_Créer_Classe"))->isEnabled());
    EXPECT_EQ(controle<QLabel>(form, QStringLiteral("LabelRecupNom_9"))->text(), QStringLiteral("Nom9"));
    // Both panels are open when the photographer goes back to the classes:
    // neither may stay, as it would write into the class no longer shown.
    QTest::mouseClick(controle(form, QStringLiteral("Bt_Ajout_0")), Qt::LeftButton);
    cliquer(form, 0, Qt::RightButton);
    menu(form, QStringLiteral("MNU_Change_Classe"))->trigger();
    controle<QMenu>(form, QStringLiteral("MNU_POPUP_ELEVES"))->hide();
    menu(form, QStringLiteral("MNU_Changer"))->trigger();
    for (const char* nom : {"Bt_Ajout_1", "Bt_Ajout_2", "Bt_Ajout_3", "Bt_Ajout_4", "Frame2", "TextNom"})
        EXPECT_FALSE(controle(form, QString::fromLatin1(nom))->isVisible()) << nom;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Choix Classe..."));
    EXPECT_TRUE(controle(form, QStringLiteral("Bt_Classe_0"))->isVisible());
    EXPECT_FALSE(controle(form, QStringLiteral("Photo_0"))->isVisible());
    EXPECT_FALSE(controle(form, QStringLiteral("LabelClasse"))->isVisible());
    EXPECT_FALSE(controle(form, QStringLiteral("OptionMain_0"))->isVisible());
    EXPECT_FALSE(menu(form, QStringLiteral("MNU_Changer"))->isEnabled());
    EXPECT_TRUE(menu(form, QStringLiteral("MNU_Créer_Classe"))->isEnabled());
}

// A class is refused when any of its students, the ten placeholders or those
// already in it, would have names too long for their picture files with it.
TEST_F(Roster, UneClasseTropLonguePourLesPhotosDeSesElevesEstRefusee)
{
    const qsizetype place = noms_photos::octetsPermis();
    // A student of an earlier list, from before names were checked.
    const QString longue(300, u'N');
    eleve(QStringLiteral("6A"), longue, QStringLiteral("Zoé"));
    ChoixClasse& form = formInstance<ChoixClasse>();
    form.showForm();
    // "Nom10" and "Prénom10" take 14 bytes of UTF-8 for 13 characters.
    const struct {
        const char* cas;
        QString classe;
        QString refus; // "" when created
    } cas[] = {
        {"230 caractères", QString(230, u'C'),
         QStringLiteral("avec le nom et le prénom de Nom10 Prénom10, ils peuvent compter au plus %1 caractères (ils en "
                        "comptent 243)").arg(place)},
        {"tout juste", QString(place - 14, u'C'), {}},
        {"un octet de trop", QString(place - 13, u'C'),
         QStringLiteral("avec le nom et le prénom de Nom10 Prénom10, ils peuvent compter au plus %1 caractères (ils "
                        "en comptent %2)").arg(place - 1).arg(place)},
        {"classe dont un élève déborde déjà", QStringLiteral("6A"),
         QStringLiteral("avec le nom et le prénom de %1 Zoé, ils peuvent compter au plus %2 caractères (ils en "
                        "comptent 305)").arg(longue).arg(place)},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        const QString avant = base::db().scalar(QStringLiteral("SELECT COUNT(*) FROM Eleves"));
        dialogues_.input(QStringLiteral("Saisissez le nom de la classe à créer :"), c.classe);
        if (!c.refus.isEmpty())
            dialogues_.message(QStringLiteral("Le nom de la classe « %1 » est trop long pour nommer les photos de ses "
                                              "élèves : ").arg(c.classe) + c.refus
                               + QStringLiteral(". La classe n'a pas été créée."));
        menu(form, QStringLiteral("MNU_Créer_Classe"))->trigger();
        EXPECT_TRUE(dialogues_.allAnswered());
        EXPECT_EQ(base::db().scalar(QStringLiteral("SELECT COUNT(*) FROM Eleves")).toInt(),
                  avant.toInt() + (c.refus.isEmpty() ? 10 : 0));
    }
}

TEST_F(Roster, UnEleveNeChangePasPourUneClasseOuSesNomsNeTiennentPas)
{
    const QString longue(160, u'N');
    const QString classeLongue(60, u'C');
    const QString garnier = eleve(QStringLiteral("6A"), longue, QStringLiteral("Bob"));
    eleve(classeLongue, QStringLiteral("Court"), QStringLiteral("Ana"));
    ChoixClasse& form = ouvrirClasse(QStringLiteral("6A"));
    cliquer(form, 0, Qt::RightButton);
    menu(form, QStringLiteral("MNU_Change_Classe"))->trigger();
    auto* combo = controle<QComboBox>(form, QStringLiteral("Combo1"));
    const int index = combo->findText(classeLongue);
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
    dialogues_.message(QStringLiteral("La classe « %1 », le nom et le prénom de %2 Bob sont trop longs pour nommer ses "
                                      "photos : ensemble, ils peuvent compter au plus %3 caractères (ils en comptent "
                                      "223). L'élève n'a pas changé de classe.")
                           .arg(classeLongue, longue)
                           .arg(noms_photos::octetsPermis()));
    QTest::mouseClick(controle(form, QStringLiteral("Bt_Ajout_4")), Qt::LeftButton);
    EXPECT_TRUE(dialogues_.allAnswered());
    EXPECT_EQ(colonne(garnier, QStringLiteral("Classe")), QStringLiteral("6A"));
    // The panel stays open for another class.
    EXPECT_TRUE(controle(form, QStringLiteral("Frame2"))->isVisible());
}

// A student's number is the one his files were named by, whoever is deleted
// after: the survivor keeps his, and a newcomer takes one nobody had, since a
// deleted student's files may still lie under his.
TEST_F(Roster, LeNumeroDUnHomonymeNeChangePlusUneFoisDonne)
{
    for (const int supprime : {0, 1}) {
        SCOPED_TRACE(supprime == 0 ? "le premier supprimé" : "le second supprimé");
        const QString code = QStringLiteral("%1").arg(500 + supprime);
        const QString cles[2] = {eleve(QStringLiteral("5C"), QStringLiteral("DUPONT"), QStringLiteral("Émile"), code),
                                 eleve(QStringLiteral("5D"), QStringLiteral("Dupont"), QStringLiteral("Émile"), code)};
        EXPECT_EQ(roster::numero(code, cles[1]), 2);
        ASSERT_TRUE(roster::supprimerEleve(cles[supprime]));
        EXPECT_EQ(roster::numero(code, cles[1 - supprime]), 1 + (1 - supprime));
        const QString nouveau = roster::ajouterEleve(code, QStringLiteral("5C"), QStringLiteral("DUPONT"), QStringLiteral("Émile"));
        EXPECT_EQ(roster::numero(code, nouveau), 3);
    }
}

// A database made before the numbers were kept gets those its files were named
// by (each student's among those present, in key order), and keeps them.
TEST_F(Roster, UneBaseAnterieureGardeLesNumerosDeSesFichiers)
{
    const QString a = eleve(QStringLiteral("5C"), QStringLiteral("DUPONT"), QStringLiteral("Émile"));
    const QString b = eleve(QStringLiteral("5D"), QStringLiteral("DUPONT"), QStringLiteral("Émile"));
    const QString seul = eleve(QStringLiteral("5D"), QStringLiteral("MARTIN"), QStringLiteral("Léa"));
    const QString c = eleve(QStringLiteral("5E"), QStringLiteral("DUPONT"), QStringLiteral("Émile"));
    base().exec(QStringLiteral("DELETE FROM Eleves WHERE CdeEleves = ?"), {b.toLongLong()});
    base().exec(QStringLiteral("DROP TABLE NumerosPhotos"));
    base::fermer();

    const QHash<QString, int> numeros = roster::numeros(etat::CodeEtabEnCours);
    EXPECT_EQ(numeros, (QHash<QString, int>{{a, 1}, {seul, 1}, {c, 2}}));
    ASSERT_TRUE(roster::supprimerEleve(a));
    EXPECT_EQ(roster::numero(etat::CodeEtabEnCours, c), 2);
    EXPECT_EQ(base().scalar(QStringLiteral("SELECT count(*) FROM NumerosPhotos")), QStringLiteral("3"));
}
