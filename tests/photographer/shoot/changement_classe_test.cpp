#include "common/files.h"
#include "photographer/data/deplacements.h"
#include "photographer/data/etablissements.h"
#include "photographer/data/roster.h"
#include "photographer/deliveries/jeux_photos.h"
#include "photographer/shoot/capture.h"
#include "photographer/shoot/changement_classe.h"

#include "tests/photographer/shoot/seance_fixture.h"

#include <QDir>
#include <QFileInfo>

class ChangementClasse : public SeanceFixture {
protected:
    static capture::Destinations fichiers(const QString& classe, const QString& nom, const QString& prenom,
                                          const QString& cle)
    {
        return capture::destinations(dossiers_etab::de(etat::NomEtabEnCours), classe, nom, prenom, cle);
    }

    // What the capture leaves of one picture: the archived original, the
    // working picture and its two copies.
    static void photographie(const capture::Destinations& vers, const QByteArray& octets)
    {
        for (const QString& fichier : {vers.archive, vers.picture, vers.lowRes, vers.lowRes3}) {
            EXPECT_TRUE(paths::ensureFolder(QFileInfo(fichier).absolutePath()));
            EXPECT_EQ(files::writeWhole(fichier, octets), QString());
        }
    }

    static QStringList fichiersDe(const QString& dossier)
    {
        return QDir(dossier).entryList(QDir::Files, QDir::Name);
    }

    static QString deplacementsEnregistres()
    {
        return base::db().scalar(QStringLiteral("SELECT COUNT(*) FROM DeplacementsPhotos"));
    }
};

// GARNIER, photographed in 6A and moved to 6B from the board, comes out under
// 6B in the lab set and the class tree; nothing of her pictures is lost.
TEST_F(ChangementClasse, LesPhotosDUnEleveDeplaceSuiventSaNouvelleClasse)
{
    const QString garnier = eleve(QStringLiteral("6A"), QStringLiteral("GARNIER"), QStringLiteral("Inès"));
    eleve(QStringLiteral("6B"), QStringLiteral("ALPHA"), QStringLiteral("Anne"));
    ChoixClasse& form = marquerEleve(QStringLiteral("6A"));
    const QByteArray camera = jpeg();
    Sandbox::writeFile(hot(QStringLiteral("IMG_0001.JPG")), camera);
    dialogues_.message(QStringLiteral("Fin"));
    ASSERT_TRUE(classer(form, hot(QStringLiteral("IMG_0001.JPG"))));
    const capture::Destinations avant = fichiers(QStringLiteral("6A"), QStringLiteral("GARNIER"), QStringLiteral("Inès"), garnier);
    const QByteArray travail = lire(avant.picture);
    ASSERT_EQ(lire(avant.archive), camera);

    cliquer(form, 0, Qt::RightButton);
    menu(form, QStringLiteral("MNU_Change_Classe"))->trigger();
    auto* combo = controle<QComboBox>(form, QStringLiteral("Combo1"));
    const int index = combo->findText(QStringLiteral("6B"));
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
    QTest::mouseClick(controle(form, QStringLiteral("Bt_Ajout_4")), Qt::LeftButton);
    EXPECT_TRUE(dialogues_.allAnswered());

    EXPECT_EQ(colonne(garnier, QStringLiteral("Classe")), QStringLiteral("6B"));
    const capture::Destinations apres = fichiers(QStringLiteral("6B"), QStringLiteral("GARNIER"), QStringLiteral("Inès"), garnier);
    EXPECT_EQ(lire(apres.archive), camera);
    EXPECT_EQ(lire(apres.lowRes3), travail);
    EXPECT_EQ(lire(apres.picture), travail);
    EXPECT_EQ(lire(apres.lowRes), travail);
    EXPECT_FALSE(QFileInfo::exists(avant.archive));
    EXPECT_FALSE(QFileInfo::exists(avant.lowRes3));
    EXPECT_EQ(deplacementsEnregistres(), QStringLiteral("0"));

    // The deliveries read the names: the lab set and the class tree say 6B.
    for (const char* entree : {"MNU_HD1", "MNU_Photos_Classes_Nom_prenom"}) {
        const jeux_photos::Regle* regle = jeux_photos::regleDEntree(QString::fromLatin1(entree));
        ASSERT_NE(regle, nullptr);
        EXPECT_TRUE(jeux_photos::livrer(*regle, etat::CodeEtabEnCours, etat::NomEtabEnCours, [](int) {}).reussie) << entree;
    }
    EXPECT_EQ(fichiersDe(paths::join(livraison::racineLabo(), {etat::NomEtabEnCours})),
              QStringList{QStringLiteral("6B_GARNIER_Inès.jpg")});
    const QString arbre = paths::join(livraison::racineAGraver(), {etat::NomEtabEnCours + QStringLiteral(" BR3")});
    EXPECT_EQ(QDir(arbre).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{QStringLiteral("6B")});
    EXPECT_EQ(fichiersDe(paths::join(arbre, {QStringLiteral("6B")})), QStringList{QStringLiteral("GARNIER Inès.jpg")});
}

// A namesake of the new class bears a number in his names: the move takes
// nothing of his. A file under the new names that belongs to no student (a
// deleted one's) is set aside with the archive's replaced originals.
TEST_F(ChangementClasse, UnNomDejaPrisDansLaNouvelleClasse)
{
    const QString garnier = eleve(QStringLiteral("6A"), QStringLiteral("GARNIER"), QStringLiteral("Inès"));
    const QString homonyme = eleve(QStringLiteral("6B"), QStringLiteral("GARNIER"), QStringLiteral("Inès"));
    const QString supprimee = eleve(QStringLiteral("6C"), QStringLiteral("AUTRE"), QStringLiteral("Élève"));
    const capture::Destinations siennes = fichiers(QStringLiteral("6A"), QStringLiteral("GARNIER"), QStringLiteral("Inès"), garnier);
    const capture::Destinations sesHomonyme = capture::destinations(
        dossiers_etab::de(etat::NomEtabEnCours), QStringLiteral("6B"), QStringLiteral("GARNIER"), QStringLiteral("Inès"),
        homonyme, 2);
    photographie(siennes, "photo de la 6A");
    photographie(sesHomonyme, "photo de la 6B");
    const roster::Eleve eleveDe6A{garnier, QStringLiteral("6A"), QStringLiteral("GARNIER"), QStringLiteral("Inès"), {}};

    changement_classe::Issue issue = changement_classe::deplacer(eleveDe6A, QStringLiteral("6A"), QStringLiteral("6B"));
    EXPECT_EQ(issue.refus, QString());
    EXPECT_TRUE(issue.gardes.isEmpty());
    EXPECT_EQ(colonne(garnier, QStringLiteral("Classe")), QStringLiteral("6B"));
    const capture::Destinations en6B = fichiers(QStringLiteral("6B"), QStringLiteral("GARNIER"), QStringLiteral("Inès"), garnier);
    EXPECT_EQ(lire(en6B.archive), "photo de la 6A");
    EXPECT_EQ(lire(en6B.lowRes3), "photo de la 6A");
    EXPECT_EQ(lire(sesHomonyme.archive), "photo de la 6B");
    EXPECT_EQ(lire(sesHomonyme.lowRes3), "photo de la 6B");

    // Files under her names in 6C that a deleted student left are nobody's.
    const capture::Destinations en6C = fichiers(QStringLiteral("6C"), QStringLiteral("GARNIER"), QStringLiteral("Inès"), garnier);
    photographie(en6C, "photo d'une élève supprimée");
    ASSERT_TRUE(roster::supprimerEleve(supprimee));
    const roster::Eleve eleveDe6B{garnier, QStringLiteral("6B"), QStringLiteral("GARNIER"), QStringLiteral("Inès"), {}};
    issue = changement_classe::deplacer(eleveDe6B, QStringLiteral("6B"), QStringLiteral("6C"));
    EXPECT_EQ(issue.refus, QString());
    EXPECT_EQ(issue.gardes.size(), 2);
    EXPECT_EQ(colonne(garnier, QStringLiteral("Classe")), QStringLiteral("6C"));
    EXPECT_EQ(lire(en6C.archive), "photo de la 6A");
    EXPECT_EQ(lire(en6C.lowRes3), "photo de la 6A");
    EXPECT_FALSE(QFileInfo::exists(en6B.archive));
    EXPECT_EQ(lire(sesHomonyme.archive), "photo de la 6B");
    QStringList gardees;
    for (const QString& garde : issue.gardes) {
        EXPECT_EQ(QFileInfo(garde).absolutePath(), siennes.replaced);
        gardees << QString::fromUtf8(lire(garde));
    }
    EXPECT_EQ(gardees, QStringList({QStringLiteral("photo d'une élève supprimée"), QStringLiteral("photo d'une élève supprimée")}));
}

// A power cut at each step of a move leaves a record that the next opening
// of the shooting screen settles for the student it was meant for: the move
// ends whole, or, when it cannot, is undone whole. No file is ever replaced.
TEST_F(ChangementClasse, UnDeplacementInterrompuEstRepris)
{
    enum class Fin { Termine, Annule };
    const struct {
        const char* cas;
        int renommes;       // files renamed before the cut (archive first)
        bool eleveSupprime; // the student was deleted before the restart
        bool destinationPrise;
        Fin fin;
        const char* message;
    } cas[] = {
        {"coupure avant le premier renommage", 0, false, false, Fin::Termine, "il a été terminé"},
        {"coupure entre les deux renommages", 1, false, false, Fin::Termine, "il a été terminé"},
        {"coupure avant la ligne de l'élève", 2, false, false, Fin::Termine, "il a été terminé"},
        {"élève supprimé depuis", 1, true, false, Fin::Annule, "ses photos ont repris leur nom d'origine"},
        {"nouveau nom pris depuis", 1, false, true, Fin::Annule, "il a été annulé"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        const QString nom = QString::fromUtf8(c.cas).toUpper().replace(u' ', u'_');
        const QString cle = eleve(QStringLiteral("6A"), nom, QStringLiteral("Inès"));
        const capture::Destinations avant = fichiers(QStringLiteral("6A"), nom, QStringLiteral("Inès"), cle);
        const capture::Destinations apres = fichiers(QStringLiteral("6B"), nom, QStringLiteral("Inès"), cle);
        photographie(avant, nom.toUtf8());
        const std::vector<deplacements::Renommage> renommages{{avant.archive, apres.archive},
                                                              {avant.lowRes3, apres.lowRes3}};
        deplacements::annoncer({cle, QStringLiteral("6B"), renommages});
        ASSERT_TRUE(paths::ensureFolder(QFileInfo(apres.lowRes3).absolutePath()));
        for (int i = 0; i < c.renommes; ++i)
            ASSERT_EQ(files::move(renommages[std::size_t(i)].origine, renommages[std::size_t(i)].destination), QString());
        if (c.eleveSupprime) {
            ASSERT_TRUE(roster::supprimerEleve(cle));
        }
        if (c.destinationPrise)
            Sandbox::writeFile(apres.lowRes3, "autre photo");

        const QStringList messages = changement_classe::reprendre();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages.front().contains(QString::fromUtf8(c.message))) << messages.front().toStdString();
        EXPECT_EQ(deplacementsEnregistres(), QStringLiteral("0"));
        const capture::Destinations& ici = c.fin == Fin::Termine ? apres : avant;
        const capture::Destinations& ailleurs = c.fin == Fin::Termine ? avant : apres;
        EXPECT_EQ(lire(ici.archive), nom.toUtf8());
        EXPECT_EQ(lire(ici.lowRes3), nom.toUtf8());
        EXPECT_FALSE(QFileInfo::exists(ailleurs.archive));
        EXPECT_EQ(lire(ailleurs.lowRes3), c.destinationPrise ? QByteArray("autre photo") : QByteArray());
        if (!c.eleveSupprime) {
            EXPECT_EQ(colonne(cle, QStringLiteral("Classe")), c.fin == Fin::Termine ? QStringLiteral("6B") : QStringLiteral("6A"));
        }
    }
    EXPECT_TRUE(changement_classe::reprendre().isEmpty());

    // The opening of the shooting screen settles what is left, and says so.
    const QString cle = eleve(QStringLiteral("6A"), QStringLiteral("OUVERTURE"), QStringLiteral("Léo"));
    const capture::Destinations avant = fichiers(QStringLiteral("6A"), QStringLiteral("OUVERTURE"), QStringLiteral("Léo"), cle);
    const capture::Destinations apres = fichiers(QStringLiteral("6B"), QStringLiteral("OUVERTURE"), QStringLiteral("Léo"), cle);
    photographie(avant, "photo");
    deplacements::annoncer({cle, QStringLiteral("6B"), {{avant.archive, apres.archive}}});
    dialogues_.message(QStringLiteral("Le changement de classe de OUVERTURE Léo vers la classe 6B avait été interrompu : "
                                      "il a été terminé"));
    formInstance<ChoixClasse>().showForm();
    EXPECT_TRUE(dialogues_.allAnswered());
    EXPECT_EQ(lire(apres.archive), "photo");
    EXPECT_EQ(colonne(cle, QStringLiteral("Classe")), QStringLiteral("6B"));
}

// A move a power cut stopped names the establishment's folders by their full
// paths: the rename waits for it. In a base where the establishment changed
// its name since, by a rename that never looked at it, the move follows the
// folders when the rename took them along, and is never written blindly
// under the former name.
TEST_F(ChangementClasse, UnDeplacementInterrompuEtUnRenommageDeLEtablissement)
{
    enum class Renommage { Refuse, DossiersEmportes, DossiersRestes };
    const QString ancien = QStringLiteral("Ecole Test"), nouveau = QStringLiteral("Ecole Neuve");
    const QString interrompu =
        QStringLiteral("Le changement de classe de GARNIER Inès vers la classe 6B avait été interrompu");
    const struct {
        const char* cas;
        Renommage renommage;
        QString dit;
    } cas[] = {
        {"le renommage attend le changement", Renommage::Refuse,
         interrompu + QStringLiteral(" : il a été terminé, ses photos portent le nom de sa nouvelle classe.")},
        {"les dossiers ont suivi le nouveau nom", Renommage::DossiersEmportes,
         interrompu + QStringLiteral(" : il a été terminé, ses photos portent le nom de sa nouvelle classe.")},
        {"les dossiers ont gardé l'ancien nom", Renommage::DossiersRestes,
         interrompu + QStringLiteral(", mais ses fichiers sont dans « %1 », qui n'est pas un dossier de l'établissement "
                                     "« Ecole Neuve » sous son nom actuel : il n'a pas été repris. L'élève est resté "
                                     "dans sa classe et aucun de ses fichiers n'a été touché.")
                          .arg(dossiers_etab::de(ancien).archive)},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        etat::NomEtabEnCours = ancien;
        const QString cle = eleve(QStringLiteral("6A"), QStringLiteral("GARNIER"), QStringLiteral("Inès"));
        const capture::Destinations avant = fichiers(QStringLiteral("6A"), QStringLiteral("GARNIER"), QStringLiteral("Inès"), cle);
        const capture::Destinations apres = fichiers(QStringLiteral("6B"), QStringLiteral("GARNIER"), QStringLiteral("Inès"), cle);
        photographie(avant, "photo");
        // Cut between its two renames.
        deplacements::annoncer({cle, QStringLiteral("6B"), {{avant.archive, apres.archive}, {avant.lowRes3, apres.lowRes3}}});
        ASSERT_EQ(files::move(avant.archive, apres.archive), QString());

        if (c.renommage == Renommage::Refuse) {
            EXPECT_EQ(etablissements::renommer(etat::CodeEtabEnCours, nouveau),
                      QStringLiteral("L'établissement « Ecole Test » n'a pas été renommé : le changement de classe de "
                                     "GARNIER Inès vers la classe 6B, interrompu par un arrêt brutal, n'est pas terminé. "
                                     "Ouvrez la prise de vues de cet établissement, qui le terminera, puis renommez-le."));
            EXPECT_EQ(changement_classe::reprendre(), QStringList{c.dit});
            ASSERT_EQ(etablissements::renommer(etat::CodeEtabEnCours, nouveau), QString());
            etat::NomEtabEnCours = nouveau;
        } else {
            renommerSansRegarderLesTravaux(nouveau, c.renommage == Renommage::DossiersEmportes);
            EXPECT_EQ(changement_classe::reprendre(), QStringList{c.dit});
        }
        EXPECT_EQ(deplacementsEnregistres(), QStringLiteral("0"));

        const capture::Destinations neuves = fichiers(QStringLiteral("6B"), QStringLiteral("GARNIER"), QStringLiteral("Inès"), cle);
        if (c.renommage == Renommage::DossiersRestes) {
            EXPECT_EQ(colonne(cle, QStringLiteral("Classe")), QStringLiteral("6A"));
            EXPECT_EQ(lire(apres.archive), "photo");
            EXPECT_EQ(lire(avant.lowRes3), "photo");
            for (const QString& dossier : dossiers_etab::de(nouveau).tous())
                EXPECT_FALSE(QFileInfo::exists(dossier)) << dossier.toStdString();
        } else {
            EXPECT_EQ(colonne(cle, QStringLiteral("Classe")), QStringLiteral("6B"));
            EXPECT_EQ(lire(neuves.archive), "photo");
            EXPECT_EQ(lire(neuves.lowRes3), "photo");
            EXPECT_EQ(lire(neuves.picture), "photo");
            for (const QString& dossier : dossiers_etab::de(ancien).tous())
                EXPECT_FALSE(QFileInfo::exists(dossier)) << dossier.toStdString();
        }
        base::db().exec(QStringLiteral("DELETE FROM Eleves"));
        base::db().exec(QStringLiteral("UPDATE Etablissements SET Nom = ?"), {ancien});
        for (const QString& nom : {ancien, nouveau}) {
            for (const QString& dossier : dossiers_etab::de(nom).tous())
                QDir(dossier).removeRecursively();
        }
    }
}
