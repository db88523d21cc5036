#include "tests/photographer/deliveries/livraison_fixture.h"

#include "common/files.h"
#include "photographer/deliveries/paquet_ecole.h"
#include "photographer/deliveries/fenetre_paquet.h"
#include "photographer/shoot/choix_classe.h"
#include "photographer/workspace/accueil.h"

#include <QAction>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

QString paquet()
{
    return paths::join(paths::desktop(), {QStringLiteral("A Graver"), etat::NomEtabEnCours});
}

QStringList lignesTexte(const db::Rows& lignes)
{
    QStringList resultat;
    for (const db::Row& ligne : lignes) {
        QStringList valeurs;
        for (int i = 0; i < ligne.size(); ++i)
            valeurs.append(ligne.at(i));
        resultat.append(valeurs.join(u'|'));
    }
    return resultat;
}

} // namespace

class PaquetEcole : public LivraisonFixture {
protected:
    // Three students with pictures and resale prices; another establishment of
    // the same name whose student must not travel.
    void remplir()
    {
        cles_ = {eleve(QStringLiteral("6A"), QStringLiteral("DUPONT"), QStringLiteral("Jean"), QStringLiteral("123456789AB")),
                 eleve(QStringLiteral("6A"), QStringLiteral("DE LA TOUR"), QStringLiteral("Anne")),
                 eleve(QStringLiteral("5B"), QStringLiteral("MARTIN"), QStringLiteral("Zoé"), QStringLiteral("987654321CD"))};
        for (const QString& cle : cles_)
            photo(dossiers_etab::de(etat::NomEtabEnCours).donnees, cle + QStringLiteral(".jpg"));
        photo(dossiers_etab::de(etat::NomEtabEnCours).donnees, QStringLiteral(".vignette.jpg"));
        tarifs();
        // Its pictures are filed in the same folder.
        const QString homonyme = etablissement(etat::NomEtabEnCours);
        photo(dossiers_etab::de(etat::NomEtabEnCours).donnees,
              eleve(QStringLiteral("CM2"), QStringLiteral("AUTRE"), QStringLiteral("Élève"), {}, homonyme)
                  + QStringLiteral(".jpg"));
        tarifs(homonyme);
    }

    QStringList cles_;
};

TEST_F(PaquetEcole, PhotosAvecVizmoraLivreLePaquetLaListeDuLaboEtTermineLeProgramme)
{
    remplir();
    ChoixClasse& ecran = formInstance<ChoixClasse>();
    ecran.showForm();
    dialogues_.message(QStringLiteral("Transfert terminé."));
    QAction* entree = ecran.findChild<QAction*>(QStringLiteral("MNU_avecVizmora"));
    ASSERT_NE(entree, nullptr);
    ASSERT_TRUE(entree->isEnabled());
    entree->trigger();

    EXPECT_EQ(dialogues_.messageTexts(),
              QStringList{QStringLiteral("Transfert terminé. Vous pouvez graver le contenu du dossier A GRAVER\\Collège "
                                         "Jeanne d'Arc situé sur le bureau")});
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Information);
    EXPECT_EQ(shell_.requests(), (std::vector<RecordingShell::Request>{{QStringLiteral("open"), bureau(QStringLiteral("A Graver"))}}));
    EXPECT_EQ(Form::loadedCount(), 0);

    // The package: the pictures of its students only, the school database, the
    // scripts unchanged and runnable, the list of its files.
    EXPECT_EQ(arbre(paquet()), (QStringList{QStringLiteral("classevizmora.idx"), QStringLiteral("contenu.txt"),
                                            QStringLiteral("finalise.bat"),
                                            QStringLiteral("images/") + cles_[0] + QStringLiteral(".jpg"),
                                            QStringLiteral("images/") + cles_[1] + QStringLiteral(".jpg"),
                                            QStringLiteral("images/") + cles_[2] + QStringLiteral(".jpg"),
                                            QStringLiteral("setup.exe")}));
    for (const char* script : {"setup.exe", "finalise.bat"}) {
        const QString copie = paths::join(paquet(), {QString::fromLatin1(script)});
        EXPECT_EQ(lire(copie), lire(paths::join(sandbox_.programDir(), {QString::fromLatin1(script)})));
        EXPECT_TRUE(QFileInfo(copie).isExecutable()) << script;
    }
    const QMap<QString, QByteArray> fichiers = contenu(paquet());
    // Each file's size and SHA-256 digest, then their count.
    QByteArray liste;
    for (auto it = fichiers.cbegin(); it != fichiers.cend(); ++it) {
        if (it.key() != u"contenu.txt")
            liste += QByteArray::number(it.value().size()) + '\t'
                     + QCryptographicHash::hash(it.value(), QCryptographicHash::Sha256).toHex() + '\t'
                     + it.key().toUtf8() + '\n';
    }
    EXPECT_EQ(fichiers.value(QStringLiteral("contenu.txt")), liste + "fichiers\t6\n");

    db::Database ecole(paths::join(paquet(), {QStringLiteral("classevizmora.idx")}));
    EXPECT_EQ(lignesTexte(ecole.query(QStringLiteral(
                  "SELECT Classe, Nom, Prenom, Naissance, Regime, INE, NumInterne, NomPhoto, CodeEtablissement "
                  "FROM Eleves ORDER BY CdeEleves"))),
              (QStringList{QStringLiteral("6A|DUPONT|Jean|01/02/2012|DP|123456789AB|NDUPONT|%1|%1").arg(cles_[0]),
                           QStringLiteral("6A|DE LA TOUR|Anne|01/02/2012|DP||NDE LA TOUR|%1|%1").arg(cles_[1]),
                           QStringLiteral("5B|MARTIN|Zoé|01/02/2012|DP|987654321CD|NMARTIN|%1|%1").arg(cles_[2])}));
    EXPECT_EQ(lignesTexte(ecole.query(QStringLiteral(
                  "SELECT Nom, Adresse, Adresse1, Adresse2, CodePostal, Ville, Telephone, Fax, Portable, Mail FROM Etablissement"))),
              QStringList{QStringLiteral("Collège Jeanne d'Arc|12 rue de la Paix|||75002|Paris|0102030405|||college@exemple.fr")});
    EXPECT_EQ(lignesTexte(ecole.query(QStringLiteral("SELECT NomP, Adresse1P, CPP, VilleP, Mail, Web FROM Photographe"))),
              QStringList{QStringLiteral("Studio Lumière|1 rue des Arts|69001|Lyon|studio@exemple.fr|studio.exemple.fr")});
    EXPECT_EQ(lignesTexte(ecole.query(QStringLiteral(
                  "SELECT CdePochette, NomPochette, PochettePrixPro, PochettePrixPub, PochettePrixRecPro, PochettePrixRecPub, "
                  "CdeArticles, NomArticles, ArticlesPrixPro, ArticlesPrixPub, ArticlesPrixRecPro, ArticlesPrixRecPub FROM Tarifs"))),
              QStringList{QStringLiteral("P1|Pochette classique|10,00|15,00|8,00|12,00|A1|Agrandissement|3,00|5,00|2,50|4,00")});
    EXPECT_EQ(lignesTexte(ecole.query(QStringLiteral("SELECT NbArticle, LibelleArticke, PrixPho, PrixPublic FROM TarifPochIncom"))),
              (QStringList{QStringLiteral("2|Deux photos|4,00|7,50"), QStringLiteral("1|Une photo|2,00|")}));

    // The lab list: one final file, Windows-1252, CR LF, a separator after the last field.
    const QStringList listes = QDir(bureau(QStringLiteral("labo"))).entryList(QDir::Files);
    ASSERT_EQ(listes.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Collège Jeanne d'Arc_\\d{14}\\.csv$")).match(listes[0]).hasMatch())
        << listes[0].toStdString();
    EXPECT_EQ(lire(paths::join(bureau(QStringLiteral("labo")), {listes[0]})),
              QStringLiteral("%1;DUPONT;Jean;\r\n%2;DE LA TOUR;Anne;\r\n%3;MARTIN;Zo").arg(cles_[0], cles_[1], cles_[2]).toLatin1()
                  + "\xe9;\r\n");
}

TEST_F(PaquetEcole, UnNouveauPaquetNeGardeRienDuPrecedent)
{
    remplir();
    ASSERT_TRUE(paquet_ecole::livrer(etat::CodeEtabEnCours, [](int) {}).reussie);
    // A student deleted at the shoot, whose picture stays in the folder; one
    // filed under his name; one without a picture; a stray file in the package.
    base::db().exec(QStringLiteral("DELETE FROM Eleves WHERE CdeEleves = ?1"), {cles_[1]});
    const QString donnees = dossiers_etab::de(etat::NomEtabEnCours).donnees;
    QFile::remove(paths::join(donnees, {cles_[2] + QStringLiteral(".jpg")}));
    const QByteArray parSonNom = lire(photo(donnees, QStringLiteral("MARTIN.Zoé.jpg")));
    // His picture is a link to a file elsewhere: the package never carries a link.
    const QString sans = eleve(QStringLiteral("5B"), QStringLiteral("SANS"), QStringLiteral("Photo"));
    ASSERT_TRUE(QFile::link(photo(sandbox_.path(QStringLiteral("ailleurs")), QStringLiteral("x.jpg")),
                            paths::join(donnees, {sans + QStringLiteral(".jpg")})));
    Sandbox::writeFile(paths::join(paquet(), {QStringLiteral("notes.txt")}), "x");

    const livraison::Issue issue = paquet_ecole::livrer(etat::CodeEtabEnCours, [](int) {});
    ASSERT_TRUE(issue.reussie);
    EXPECT_EQ(issue.message, QStringLiteral("Transfert terminé. Vous pouvez graver le contenu du dossier A GRAVER\\Collège "
                                            "Jeanne d'Arc situé sur le bureau\n\r1 élève(s) sans photo."));
    EXPECT_EQ(arbre(paquet()), (QStringList{QStringLiteral("classevizmora.idx"), QStringLiteral("contenu.txt"),
                                            QStringLiteral("finalise.bat"),
                                            QStringLiteral("images/") + cles_[0] + QStringLiteral(".jpg"),
                                            QStringLiteral("images/") + cles_[2] + QStringLiteral(".jpg"),
                                            QStringLiteral("setup.exe")}));
    EXPECT_EQ(lire(paths::join(paquet(), {QStringLiteral("images"), cles_[2] + QStringLiteral(".jpg")})), parSonNom);
    db::Database ecole(paths::join(paquet(), {QStringLiteral("classevizmora.idx")}));
    EXPECT_EQ(ecole.scalar(QStringLiteral("SELECT count(*) FROM Eleves")), QStringLiteral("3"));
    EXPECT_EQ(ecole.scalar(QStringLiteral("SELECT count(*) FROM Etablissement")), QStringLiteral("1"));
}

TEST_F(PaquetEcole, LeDossierLivreResteLAncienPaquetEntierJusquALaFin)
{
    remplir();
    ASSERT_TRUE(paquet_ecole::livrer(etat::CodeEtabEnCours, [](int) {}).reussie);
    const QMap<QString, QByteArray> ancien = contenu(paquet());
    const QString nouveau = eleve(QStringLiteral("4C"), QStringLiteral("NOUVEL"), QStringLiteral("Élève"));
    photo(dossiers_etab::de(etat::NomEtabEnCours).donnees, nouveau + QStringLiteral(".jpg"));
    // What a run killed while building left aside.
    const QString reste = bureau(QStringLiteral("A Graver/.Collège Jeanne d'Arc.partiel"));
    Sandbox::writeFile(paths::join(reste, {QStringLiteral("images"), QStringLiteral("coupee.jpg")}), "\xff\xd8");

    // Stopped at any step, the desktop would show the earlier package or the new one, whole.
    std::vector<std::pair<int, QMap<QString, QByteArray>>> etapes;
    ASSERT_TRUE(paquet_ecole::livrer(etat::CodeEtabEnCours, [&](int valeur) {
                    etapes.emplace_back(valeur, contenu(paquet()));
                }).reussie);
    const QMap<QString, QByteArray> livre = contenu(paquet());
    EXPECT_TRUE(livre.contains(QStringLiteral("images/") + nouveau + QStringLiteral(".jpg")));
    ASSERT_GT(etapes.size(), 4u);
    // Every picture, the scripts and the database written (85 %): still the earlier one.
    for (const auto& [valeur, dossier] : etapes)
        EXPECT_TRUE(dossier == (valeur <= 85 ? ancien : livre)) << "à " << valeur << " %";
    EXPECT_FALSE(QFileInfo::exists(reste));
}

TEST_F(PaquetEcole, UnPaquetQuiEstUnLienEstRemplaceSansToucherSaCible)
{
    remplir();
    // The earlier package, and what a stopped run left aside, are links to folders elsewhere.
    const QString ailleurs = sandbox_.path(QStringLiteral("ailleurs"));
    const QString garde = Sandbox::writeFile(paths::join(ailleurs, {QStringLiteral("classevizmora.idx")}), "à garder");
    paths::ensureFolder(bureau(QStringLiteral("A Graver")));
    for (const QString& lien : {paquet(), bureau(QStringLiteral("A Graver/.Collège Jeanne d'Arc.partiel"))})
        ASSERT_TRUE(QFile::link(ailleurs, lien));

    ASSERT_TRUE(paquet_ecole::livrer(etat::CodeEtabEnCours, [](int) {}).reussie);
    EXPECT_EQ(lire(garde), QByteArray("à garder"));
    EXPECT_EQ(QDir(ailleurs).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("classevizmora.idx")});
    EXPECT_FALSE(QFileInfo(paquet()).isSymLink());
    EXPECT_EQ(arbre(paquet()).size(), 7);
}

TEST_F(PaquetEcole, UnEchecEstSignaleSansSuccesEtLaisseLeBureauEnLEtat)
{
    const struct {
        const char* cas;
        std::function<void(LivraisonFixture&)> preparer;
        const char* fichierNomme;
    } cas[] = {
        {"modèle absent", [](LivraisonFixture&) { QFile::remove(paths::join(paths::programDir(), {QStringLiteral("immac.blc")})); },
         "immac.blc"},
        {"installeur absent", [](LivraisonFixture&) { QFile::remove(paths::join(paths::programDir(), {QStringLiteral("setup.exe")})); },
         "setup.exe"},
        {"finalisation absente", [](LivraisonFixture&) { QFile::remove(paths::join(paths::programDir(), {QStringLiteral("finalise.bat")})); },
         "finalise.bat"},
        {"aucun élève", [](LivraisonFixture&) { base::db().exec(QStringLiteral("DELETE FROM Eleves")); }, "aucun élève"},
        {"modèle illisible",
         [](LivraisonFixture&) { Sandbox::writeFile(paths::join(paths::programDir(), {QStringLiteral("immac.blc")}), "pas une base"); },
         "A Graver/Collège Jeanne d'Arc/classevizmora.idx"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        LivraisonFixture::preparerPoste();
        remplir();
        ASSERT_TRUE(paquet_ecole::livrer(etat::CodeEtabEnCours, [](int) {}).reussie);
        const QStringList avant = arbre(paths::desktop());
        const QMap<QString, QByteArray> ancien = contenu(paquet());
        c.preparer(*this);
        const livraison::Issue issue = paquet_ecole::livrer(etat::CodeEtabEnCours, [](int) {});
        EXPECT_FALSE(issue.reussie);
        EXPECT_TRUE(issue.message.contains(QString::fromUtf8(c.fichierNomme))) << issue.message.toStdString();
        EXPECT_EQ(arbre(paths::desktop()), avant);
        EXPECT_EQ(contenu(paquet()), ancien);
        base::fermer();
        files::removeTree(paths::desktop());
        files::removeTree(etat::CheminDonnees);
        for (const char* livre : {"immac.blc", "setup.exe", "finalise.bat"})
            ASSERT_EQ(files::copyWhole(paths::join(buildProgramDir(), {QString::fromLatin1(livre)}),
                                       paths::join(paths::programDir(), {QString::fromLatin1(livre)})),
                      QString());
    }
}

TEST_F(PaquetEcole, LaFenetreDitLEchecUneSeuleFoisEtRameneALAccueil)
{
    // The establishment has no student: nothing to deliver.
    dialogues_.message(QStringLiteral("n'a aucun élève"));
    Transfert& fenetre = formInstance<Transfert>();
    fenetre.showForm();
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_TRUE(shell_.requests().empty());
    EXPECT_FALSE(fenetre.isUnloaded());

    // Coming back to the window does not run the delivery again.
    fenetre.activateFromUser();
    fenetre.showForm();
    EXPECT_EQ(dialogues_.prompts().size(), 1u);

    auto* ok = fenetre.findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_TRUE(ok->isEnabled());
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_TRUE(fenetre.isUnloaded());
    ASSERT_NE(existingForm<Accueil>(), nullptr);
    EXPECT_TRUE(existingForm<Accueil>()->isVisible());
}

TEST_F(PaquetEcole, SansEtablissementCourantRienNEstLivre)
{
    etat::CodeEtabEnCours.clear();
    dialogues_.message(QStringLiteral("Aucun établissement n'est ouvert"));
    formInstance<Transfert>().showForm();
    EXPECT_FALSE(QFileInfo::exists(bureau(QStringLiteral("A Graver"))));
    EXPECT_TRUE(shell_.requests().empty());
}

TEST_F(PaquetEcole, FermerLaFenetrePendantLeTravailNeLInterromptNiNeLeRelance)
{
    remplir();
    Transfert& fenetre = formInstance<Transfert>();
    // Asked while the pictures are being copied.
    bool demande = false;
    QTimer::singleShot(0, &fenetre, [&fenetre, &demande] {
        demande = true;
        EXPECT_TRUE(fenetre.enCours());
        fenetre.close();
        EXPECT_FALSE(fenetre.isUnloaded());
    });
    dialogues_.message(QStringLiteral("Transfert terminé."));
    fenetre.showForm();
    EXPECT_TRUE(demande);
    EXPECT_EQ(dialogues_.prompts().size(), 1u);
    EXPECT_EQ(shell_.requests().size(), 1u);
    EXPECT_EQ(arbre(paths::join(paquet(), {QStringLiteral("images")})).size(), 3);
}
