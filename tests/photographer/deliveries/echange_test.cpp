#include "tests/photographer/deliveries/livraison_fixture.h"

#include "common/files.h"
#include "common/pictures.h"
#include "photographer/data/dossiers_etab.h"
#include "photographer/deliveries/echange.h"
#include "photographer/deliveries/paquet_ecole.h"
#include "photographer/workspace/accueil.h"
#include "tests/support/read_only_folder.h"

#include <QAction>
#include <QFileInfo>
#include <QTableWidget>
#include <QTest>

#include <memory>

namespace {

QStringList lignes(db::Database& base, const QString& sql, const db::Params& params = {})
{
    QStringList resultat;
    for (const db::Row& ligne : base.query(sql, params)) {
        QStringList valeurs;
        for (int i = 0; i < ligne.size(); ++i)
            valeurs.append(ligne.at(i));
        resultat.append(valeurs.join(u'|'));
    }
    return resultat;
}

// Everything the import may change, to check that a refused file changed nothing.
QStringList etatBase()
{
    QStringList tout;
    for (const echange::Table& table : echange::tables())
        tout += lignes(base::db(), QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table.nom));
    return tout;
}

// The tables of the file, read from a copy so that the shipped templates stay untouched.
QStringList tablesDe(const QString& fichier)
{
    const QString copie = fichier + QStringLiteral(".lu");
    QFile::remove(copie);
    if (!QFile::copy(fichier, copie))
        return {QStringLiteral("illisible")};
    QStringList tables;
    {
        db::Database base(copie);
        tables = lignes(base, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    }
    QFile::remove(copie);
    return tables;
}

void catalogue(const QString& suffixe)
{
    base::db().exec(QStringLiteral("INSERT INTO Articles VALUES ('A' || ?1, 'Article ' || ?1, '3,00', '2,00')"), {suffixe});
    base::db().exec(QStringLiteral("INSERT INTO Pochette VALUES ('P' || ?1, 'Pochette ' || ?1, '15,00', '12,00')"), {suffixe});
    base::db().exec(QStringLiteral("INSERT INTO PochetteIncomplete (NbArticlesTxt, NbArticles, LibArticle, PrixPhotographe) "
                                   "VALUES ('deux', '2', 'Deux ' || ?1, '4,00')"),
                    {suffixe});
}

} // namespace

class Echange : public LivraisonFixture {
protected:
    // The forms and the database of the second root go before its folder does.
    ~Echange() override
    {
        livraison::finirProgramme();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        base::fermer();
    }

    QString fichierExporte() const
    {
        return bureau(QStringLiteral("Operateur/Collège Jeanne d'Arc.att"));
    }

    // Exports the establishment through the open flow of the main window.
    void exporterParLAccueil()
    {
        Accueil& accueil = formInstance<Accueil>();
        accueil.showForm();
        auto* table = accueil.findChild<QTableWidget*>(QStringLiteral("DBGridEtab"));
        const QPoint centre = table->visualItemRect(table->item(0, 1)).center();
        dialogues_.message(QStringLiteral("Exporter le fichier établissement vers le bureau pour un autre opérateur ?"),
                           dialogs::Answer::Yes)
            .message(QStringLiteral("Exportation terminée. L'établissement compte : 3 élèves."));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centre);
    }

    // A second machine: a fresh root with its own establishment, prices and catalogue.
    void autrePoste()
    {
        base::fermer();
        autre_ = std::make_unique<Sandbox>();
        LivraisonFixture::preparerPoste();
        base::db().exec(QStringLiteral("UPDATE Photographe SET NomP = 'Studio Importeur'"));
        // The file's establishment must not share a folder with one of this machine.
        base::db().exec(QStringLiteral("UPDATE Etablissements SET Nom = 'Ecole locale'"));
        eleve(QStringLiteral("CP"), QStringLiteral("LOCAL"), QStringLiteral("Léa"));
        tarifs();
        catalogue(QStringLiteral("local"));
    }

    void importerParLAccueil(const QString& fichier, const QString& message)
    {
        Accueil& accueil = formInstance<Accueil>();
        accueil.showForm();
        dialogues_.openFile(fichier).message(message);
        accueil.findChild<QAction*>(QStringLiteral("MNU_Import"))->trigger();
    }

    std::unique_ptr<Sandbox> autre_;
};

TEST_F(Echange, ExportPuisImportEntreDeuxPostes)
{
    const QString ine = QStringLiteral("123456789AB");
    for (const char* nom : {"DUPONT", "MARTIN", "O'NEIL"})
        eleve(QStringLiteral("6A"), QString::fromLatin1(nom), QStringLiteral("Jean"), ine);
    tarifs();
    catalogue(QStringLiteral("exporté"));
    exporterParLAccueil();
    EXPECT_EQ(shell_.requests().back().target, bureau(QStringLiteral("Operateur")));
    EXPECT_EQ(Form::loadedCount(), 0);
    const QString copie = paths::join(sandbox_.root(), {QStringLiteral("echange.att")});
    ASSERT_TRUE(QFile::copy(fichierExporte(), copie));
    EXPECT_TRUE(QDir(bureau(QStringLiteral("Operateur"))).entryList(QDir::Hidden | QDir::Files)
                    == QStringList{QStringLiteral("Collège Jeanne d'Arc.att")});

    autrePoste();
    const QString local = etat::CodeEtabEnCours;
    const QStringList photographe = lignes(base::db(), QStringLiteral("SELECT * FROM Photographe"));
    const QStringList autresPrix = lignes(base::db(), QStringLiteral("SELECT * FROM RecTarifs"));
    importerParLAccueil(copie, QStringLiteral("Importation terminée."));
    EXPECT_EQ(dialogues_.lastPrompt().text, QStringLiteral("Importation terminée."));

    db::Database& base = base::db();
    const QString nouveau = base.scalar(QStringLiteral("SELECT max(CdeEtablissement) FROM Etablissements"));
    EXPECT_NE(nouveau, local);
    EXPECT_EQ(etat::CodeEtabEnCours, nouveau);
    EXPECT_EQ(lignes(base, QStringLiteral("SELECT Nom, Adresse, \"Code Postal\", Ville FROM Etablissements WHERE CdeEtablissement = ?1"),
                     {nouveau}),
              QStringList{QStringLiteral("Collège Jeanne d'Arc|12 rue de la Paix|75002|Paris")});
    EXPECT_EQ(lignes(base, QStringLiteral("SELECT Nom, INE, NumInterne, NomPhoto FROM Eleves WHERE CodeEtablissement = ?1 "
                                          "ORDER BY CdeEleves"),
                     {nouveau}),
              (QStringList{QStringLiteral("DUPONT|%1|NDUPONT|IMG.JPG").arg(ine), QStringLiteral("MARTIN|%1|NMARTIN|IMG.JPG").arg(ine),
                           QStringLiteral("O'NEIL|%1|NO'NEIL|IMG.JPG").arg(ine)}));
    EXPECT_EQ(lignes(base, QStringLiteral("SELECT RecNomPochette, RecPochettePrixPub FROM RecTarifs WHERE RecCodeEtablissement = ?1"),
                     {nouveau}),
              QStringList{QStringLiteral("Pochette classique|15,00")});
    // The incomplete pack without a public price does not travel.
    EXPECT_EQ(lignes(base, QStringLiteral("SELECT RecNbArticleTxt, RecLibelleArticke, RecPrixPublic FROM RecPochetteInc "
                                          "WHERE CodeEtab = ?1"),
                     {nouveau}),
              QStringList{QStringLiteral("deux|Deux photos|7,50")});
    // The catalogue is the file's; the photographer and the other establishment are untouched.
    EXPECT_EQ(lignes(base, QStringLiteral("SELECT RefArticle FROM Articles")), QStringList{QStringLiteral("Aexporté")});
    EXPECT_EQ(lignes(base, QStringLiteral("SELECT RefPochette FROM Pochette")), QStringList{QStringLiteral("Pexporté")});
    EXPECT_EQ(lignes(base, QStringLiteral("SELECT LibArticle FROM PochetteIncomplete")), QStringList{QStringLiteral("Deux exporté")});
    EXPECT_EQ(lignes(base, QStringLiteral("SELECT * FROM Photographe")), photographe);
    EXPECT_EQ(lignes(base, QStringLiteral("SELECT * FROM RecTarifs WHERE RecCodeEtablissement = ?1"), {local}), autresPrix);
    EXPECT_EQ(base.scalar(QStringLiteral("SELECT count(*) FROM Eleves WHERE CodeEtablissement = ?1"), {local}), QStringLiteral("1"));
    const dossiers_etab::Dossiers dossiers = dossiers_etab::de(QStringLiteral("Collège Jeanne d'Arc"));
    EXPECT_TRUE(QFileInfo(dossiers.donnees).isDir());
    EXPECT_TRUE(QFileInfo(dossiers.archive).isDir());
    // The main window was loaded again and lists the new establishment.
    ASSERT_NE(existingForm<Accueil>(), nullptr);
    EXPECT_EQ(existingForm<Accueil>()->findChild<QTableWidget*>(QStringLiteral("DBGridEtab"))->rowCount(), 2);
}

TEST_F(Echange, AucunTravailEnCoursNeVoyageDansLesModelesNiLeFichierExporte)
{
    const QStringList travaux{QStringLiteral("JournalClassement"), QStringLiteral("RenommagesEnCours"),
                              QStringLiteral("BaseVidee"), QStringLiteral("DeplacementsPhotos"),
                              QStringLiteral("NumerosPhotos")};
    for (const QString& table : travaux)
        EXPECT_TRUE(tablesDe(base::cheminBase()).contains(table)) << table.toStdString();
    for (int i = 0; i < 3; ++i)
        eleve(QStringLiteral("6A"), QStringLiteral("ELEVE%1").arg(i), QStringLiteral("Jean"));
    exporterParLAccueil();
    for (const QString& fichier : {paths::join(paths::programDir(), {QString::fromLatin1(echange::kModele)}),
                                   paths::join(paths::programDir(), {QStringLiteral("zlvsyst.blc")}), fichierExporte()}) {
        SCOPED_TRACE(fichier.toStdString());
        const QStringList tables = tablesDe(fichier);
        EXPECT_TRUE(tables.contains(QStringLiteral("Eleves"))) << tables.join(u' ').toStdString();
        for (const QString& table : travaux)
            EXPECT_FALSE(tables.contains(table)) << table.toStdString();
    }
}

TEST_F(Echange, UnFichierInvalideNeChangeRienEtLeDit)
{
    catalogue(QStringLiteral("local"));
    tarifs();
    const QString dossier = sandbox_.root();
    const QString modele = paths::join(paths::programDir(), {QString::fromLatin1(echange::kModele)});
    const auto exchange = [&](const char* nom, const QString& sql) {
        const QString fichier = paths::join(dossier, {QString::fromLatin1(nom)});
        QFile::copy(modele, fichier);
        db::Database(fichier).script(sql);
        return fichier;
    };
    const struct {
        const char* cas;
        QString fichier;
        const char* message;
    } cas[] = {
        {"texte", Sandbox::writeFile(paths::join(dossier, {QStringLiteral("texte.att")}), "Nom;Prenom\r\n"), "Rien n'a été importé"},
        {"autre programme",
         [&] {
             const QString f = paths::join(dossier, {QStringLiteral("autre.att")});
             db::Database(f).script(QStringLiteral("CREATE TABLE Clients (Nom TEXT);"));
             return f;
         }(),
         "la table Etablissements manque"},
        {"colonne absente", exchange("sans_ine.att", QStringLiteral("ALTER TABLE Eleves DROP COLUMN INE;")),
         "la colonne INE de la table Eleves manque"},
        {"aucun établissement", exchange("vide.att", QString()), "aucun établissement"},
        {"nom avec barre", exchange("barre.att", QStringLiteral("INSERT INTO Etablissements (Nom) VALUES ('A/B');")), "« / »"},
        {"nom point point", exchange("points.att", QStringLiteral("INSERT INTO Etablissements (Nom) VALUES ('..');")),
         "ne peut pas servir de nom de dossier"},
        {"nom avec saut de ligne", exchange("saut.att", QStringLiteral("INSERT INTO Etablissements (Nom) VALUES "
                                                                         "('Ecole fin' || char(10));")),
         "Le nom de l'établissement contient un saut de ligne"},
        {"élève au nom avec tabulation",
         exchange("tab.att", QStringLiteral("INSERT INTO Etablissements (Nom) VALUES ('Lycée neuf'); "
                                            "INSERT INTO Eleves (CodeEtablissement, Classe, Nom, Prenom) VALUES "
                                            "('7', '6A', 'DURAND' || char(9) || 'X', 'Léa');")),
         "L'élève DURAND X Léa (classe 6A) du fichier"},
        {"nom d'un établissement d'ici", exchange("meme.att", QStringLiteral("INSERT INTO Etablissements (Nom) VALUES "
                                                                               "('COLLÈGE JEANNE D''ARC');")),
         "Un établissement porte déjà le nom"},
        {"nom qui donnerait un dossier d'ici",
         exchange("br3.att", QStringLiteral("INSERT INTO Etablissements (Nom) VALUES ('Collège Jeanne d''Arc BR3');")),
         "qui est celui de l'établissement « Collège Jeanne d'Arc »"},
        // Its " BR3" folder could not exist: every later picture would fail.
        {"nom de 255 octets", exchange("long.att", QStringLiteral("INSERT INTO Etablissements (Nom) VALUES ('%1');")
                                                       .arg(QString(255, u'L'))),
         "il peut compter au plus 251 caractères (il en compte 255)"},
        // Its first picture could not be filed: the whole file is refused.
        {"élève aux noms trop longs pour ses photos",
         exchange("noms.att", QStringLiteral("INSERT INTO Etablissements (Nom) VALUES ('Lycée neuf'); "
                                             "INSERT INTO Eleves (CodeEtablissement, Classe, Nom, Prenom) VALUES "
                                             "('7', '6A', 'DURAND', 'Léa'), ('7', '%1', 'GARNIER', 'Inès');")
                                  .arg(QString(230, u'C'))),
         "sont trop longs pour nommer ses photos : ensemble, ils peuvent compter au plus 214 caractères (ils en "
         "comptent 241). Rien n'a été importé."},
    };
    const QStringList avant = etatBase();
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        importerParLAccueil(c.fichier, QString::fromUtf8(c.message));
        EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
        EXPECT_EQ(etatBase(), avant);
    }
    importerParLAccueil(QString(), QStringLiteral("Importation annulée par l'utilisateur"));
    EXPECT_EQ(etatBase(), avant);
}

TEST_F(Echange, UneBaseQuiRefuseLImportationEstNommeeEtPasLeFichier)
{
    const QString modele = paths::join(paths::programDir(), {QString::fromLatin1(echange::kModele)});
    const QString fichier = paths::join(sandbox_.root(), {QStringLiteral("bon.att")});
    ASSERT_TRUE(QFile::copy(modele, fichier));
    db::Database(fichier).script(QStringLiteral("INSERT INTO Etablissements (Nom) VALUES ('Ecole Importée');"));
    const QStringList avant = etatBase();
    const QString baseDuPhotographe = QDir::toNativeSeparators(base::cheminBase());
    {
        SCOPED_TRACE("occupée");
        db::Database autreProgramme(base::cheminBase());
        db::Database::Transaction ecriture(autreProgramme);
        const QString erreur = echange::importer(fichier, [](int) {}).erreur;
        EXPECT_EQ(erreur, QStringLiteral("La base %1 est occupée par un autre programme : la modification n'a pas été "
                                         "enregistrée. Rien n'a été importé.")
                              .arg(baseDuPhotographe));
    }
    {
        SCOPED_TRACE("en lecture seule");
        base::fermer();
        ReadOnlyFolder lectureSeule(etat::CheminDonnees);
        if (!lectureSeule.active())
            GTEST_SKIP() << "the data folder could not be made read-only";
        const QString erreur = echange::importer(fichier, [](int) {}).erreur;
        EXPECT_TRUE(erreur.startsWith(QStringLiteral("La base %1 est en lecture seule").arg(baseDuPhotographe)))
            << erreur.toStdString();
        EXPECT_FALSE(erreur.contains(QStringLiteral("bon.att"))) << erreur.toStdString();
        base::fermer();
    }
    EXPECT_EQ(etatBase(), avant);
}

TEST_F(Echange, UnExportQuiEchoueNeLaisseAucunFichier)
{
    eleve(QStringLiteral("6A"), QStringLiteral("DUPONT"), QStringLiteral("Jean"));
    Sandbox::writeFile(paths::join(paths::programDir(), {QString::fromLatin1(echange::kModele)}), "abîmé");
    const livraison::Issue issue = echange::exporter(etat::CodeEtabEnCours, [](int) {});
    EXPECT_FALSE(issue.reussie);
    EXPECT_TRUE(issue.message.contains(QStringLiteral("Collège Jeanne d'Arc.att"))) << issue.message.toStdString();
    EXPECT_TRUE(QDir(bureau(QStringLiteral("Operateur"))).entryList(QDir::Files | QDir::Hidden).isEmpty());

    QFile::remove(paths::join(paths::programDir(), {QString::fromLatin1(echange::kModele)}));
    EXPECT_TRUE(echange::exporter(etat::CodeEtabEnCours, [](int) {}).message.contains(QString::fromLatin1(echange::kModele)));
}

TEST_F(Echange, ApresViderLaBaseLesPhotosDeLAnneePasseeNeVontAPersonne)
{
    // Last year: students with their pictures, copies and archives, filed by key.
    for (const char* nom : {"DUPONT", "MARTIN", "PETIT"}) {
        const QString cle = eleve(QStringLiteral("6A"), QString::fromLatin1(nom), QStringLiteral("Jean"));
        const dossiers_etab::Dossiers anciens = dossiers_etab::de(etat::NomEtabEnCours);
        for (const QString& dossier : {anciens.donnees, anciens.br, anciens.archive})
            photo(dossier, cle + QStringLiteral(".jpg"));
    }
    exporterParLAccueil();
    const QString fichier = paths::join(sandbox_.root(), {QStringLiteral("cette annee.att")});
    ASSERT_TRUE(QFile::copy(fichierExporte(), fichier));
    const dossiers_etab::Dossiers dossiers = dossiers_etab::de(etat::NomEtabEnCours);
    QMap<QString, QMap<QString, QByteArray>> photos;
    for (const QString& dossier : dossiers.tous())
        photos.insert(dossier, contenu(dossier));

    // The database emptied keeps the folders; the same school comes back.
    ASSERT_EQ(demarrage::archiverEtVider(QDateTime(QDate(2026, 9, 1), QTime(8, 0))), QString());
    const QStringList vide = etatBase();
    importerParLAccueil(fichier, QStringLiteral("Le fichier « %1 » n'a pas été importé : ces dossiers existent déjà et "
                                                "contiennent des fichiers")
                                     .arg(QDir::toNativeSeparators(fichier)));
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    for (const QString& dossier : {dossiers.donnees, dossiers.br, dossiers.archive})
        EXPECT_TRUE(dialogues_.lastPrompt().text.contains(QDir::toNativeSeparators(dossier))) << dossier.toStdString();
    EXPECT_FALSE(dialogues_.lastPrompt().text.contains(QDir::toNativeSeparators(dossiers.br3)));
    EXPECT_EQ(etatBase(), vide);
    for (const QString& dossier : dossiers.tous())
        EXPECT_EQ(contenu(dossier), photos.value(dossier)) << dossier.toStdString();

    // Set aside as the message says, the pictures stay whole and the students
    // come in without any.
    QStringList misDeCote;
    for (const QString& dossier : {dossiers.donnees, dossiers.br, dossiers.archive}) {
        misDeCote << dossier + QStringLiteral(" 2025");
        ASSERT_TRUE(QDir().rename(dossier, misDeCote.back()));
    }
    importerParLAccueil(fichier, QStringLiteral("Importation terminée."));
    const db::Rows eleves = base::db().query(QStringLiteral("SELECT CdeEleves, NomPhoto, Nom, Prenom FROM Eleves"));
    ASSERT_EQ(eleves.size(), 3u);
    for (const db::Row& eleve : eleves) {
        EXPECT_EQ(pictures::findStudentPicture(dossiers.donnees, eleve.at(1), eleve.at(2), eleve.at(3)), QString());
        EXPECT_EQ(pictures::findStudentPicture(dossiers.donnees, eleve.at(0), eleve.at(2), eleve.at(3)), QString());
    }
    const livraison::Issue paquet = paquet_ecole::livrer(etat::CodeEtabEnCours, [](int) {});
    ASSERT_TRUE(paquet.reussie) << paquet.message.toStdString();
    EXPECT_TRUE(paquet.message.contains(QStringLiteral("3 élève(s) sans photo."))) << paquet.message.toStdString();
    EXPECT_EQ(arbre(paths::join(paquet.dossier, {QStringLiteral("images")})), QStringList());
    const QStringList anciens{dossiers.donnees, dossiers.br, dossiers.archive};
    for (qsizetype i = 0; i < anciens.size(); ++i)
        EXPECT_EQ(contenu(misDeCote.at(i)), photos.value(anciens.at(i))) << misDeCote.at(i).toStdString();
}

// A file made elsewhere may write each accent apart from its letter: the
// establishment, its folders and its students keep the composed spelling.
TEST_F(Echange, LesNomsImportesSontGardesSousLeurFormeComposee)
{
    const QString modele = paths::join(paths::programDir(), {QString::fromLatin1(echange::kModele)});
    const QString fichier = paths::join(sandbox_.root(), {QStringLiteral("ecole.att")});
    ASSERT_TRUE(QFile::copy(modele, fichier));
    {
        db::Database echangee(fichier);
        echangee.exec(QStringLiteral("INSERT INTO Etablissements (Nom) VALUES (?)"), {QStringLiteral("E\u0301cole")});
        echangee.exec(QStringLiteral("INSERT INTO Eleves (CodeEtablissement, Classe, Nom, Prenom) VALUES (1, ?, ?, ?)"),
                      {QStringLiteral("6e\u0300me"), QStringLiteral("Durand"), QStringLiteral("Zoe\u0301")});
    }
    const echange::Importation resultat = echange::importer(fichier, [](int) {});
    ASSERT_EQ(resultat.erreur, QString());
    EXPECT_EQ(resultat.nom, QStringLiteral("\u00c9cole"));
    EXPECT_EQ(base::db().scalar(QStringLiteral("SELECT Nom FROM Etablissements WHERE CdeEtablissement = ?"),
                                {resultat.code}),
              QStringLiteral("\u00c9cole"));
    EXPECT_EQ(base::db().scalar(QStringLiteral("SELECT Classe || ' ' || Prenom FROM Eleves WHERE CodeEtablissement = ?"),
                                {resultat.code}),
              QStringLiteral("6\u00e8me Zo\u00e9"));
    EXPECT_TRUE(QFileInfo::exists(dossiers_etab::de(QStringLiteral("\u00c9cole")).donnees));
}

TEST_F(Echange, SeulsDesDossiersVidesDeCeNomSontRepris)
{
    const QString modele = paths::join(paths::programDir(), {QString::fromLatin1(echange::kModele)});
    const QString fichier = paths::join(sandbox_.root(), {QStringLiteral("ecole.att")});
    ASSERT_TRUE(QFile::copy(modele, fichier));
    db::Database(fichier).script(QStringLiteral("INSERT INTO Etablissements (Nom) VALUES ('Ecole Importée');"));
    const dossiers_etab::Dossiers dossiers = dossiers_etab::de(QStringLiteral("Ecole Importée"));
    const struct {
        const char* cas;
        QString fichierLaisse; // "": the folders exist, empty
        bool importe;
    } cas[] = {
        {"dossiers vides", {}, true},
        {"photo dans le dossier", paths::join(dossiers.donnees, {QStringLiteral("1.jpg")}), false},
        {"copie BR3", paths::join(dossiers.br3, {QStringLiteral("1.jpg")}), false},
        {"fichier caché de l'archive", paths::join(dossiers.archive, {QStringLiteral(".1.jpg")}), false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        base::db().exec(QStringLiteral("DELETE FROM Etablissements WHERE Nom = 'Ecole Importée'"));
        for (const QString& dossier : dossiers.tous())
            ASSERT_TRUE(files::removeTree(dossier) && paths::ensureFolder(dossier));
        if (!c.fichierLaisse.isEmpty())
            Sandbox::writeFile(c.fichierLaisse, "x");
        const echange::Importation resultat = echange::importer(fichier, [](int) {});
        EXPECT_EQ(resultat.erreur.isEmpty(), c.importe) << resultat.erreur.toStdString();
        EXPECT_EQ(resultat.code.isEmpty(), !c.importe);
        if (!c.importe) {
            EXPECT_TRUE(resultat.erreur.contains(QStringLiteral("le dossier « %1 » existe déjà et contient des fichiers")
                                                     .arg(QDir::toNativeSeparators(QFileInfo(c.fichierLaisse).path()))))
                << resultat.erreur.toStdString();
            EXPECT_TRUE(QFileInfo::exists(c.fichierLaisse));
        }
    }
}
