#include "tests/photographer/deliveries/livraison_fixture.h"

#include "photographer/deliveries/jeux_photos.h"
#include "photographer/data/roster.h"
#include "photographer/deliveries/transfert_jeu.h"
#include "photographer/shoot/choix_classe.h"

#include <QAction>
#include <QFileInfo>

using namespace jeux_photos;

namespace {

// The rule that the delivery window of that name runs.
const Regle* regleDeForme(const QString& forme)
{
    for (const Regle& regle : regles()) {
        if (regle.forme == forme)
            return &regle;
    }
    return nullptr;
}

} // namespace

TEST(RenommageDesJeux, ChaqueRegleDonneLeNomAttendu)
{
    const struct {
        QString (*regle)(const QString&);
        const char* avant;
        const char* apres;
    } cas[] = {
        {nomPrenom, "DUPONT Jean_Pierre.jpg", "DUPONT Jean-Pierre.jpg"},
        {nomPointPrenom, "DUPONT Jean_Pierre.jpg", "DUPONT.Jean-Pierre.jpg"},
        {nomTiretPrenom, "DUPONT Jean_Pierre.jpg", "DUPONT_Jean-Pierre.jpg"},
        {nomPrenom, "DE LA TOUR Anne.jpg", "DE LA TOUR Anne.jpg"},
        {nomPointPrenom, "DE LA TOUR Anne.jpg", "DE.LA.TOUR.Anne.jpg"},
        {nomTiretPrenom, "DE LA TOUR Anne.jpg", "DE_LA_TOUR_Anne.jpg"},
        {nomPrenom, "A__B C.jpg", "A-B C.jpg"},
        {nomPointPrenom, "A__B C.jpg", "A-B.C.jpg"},
        {nomTiretPrenom, "A__B C.jpg", "A-B_C.jpg"},
        {classeNomPrenom, "3AxsepxDUPONTxsepxJeanxsepx.jpg", "3A_DUPONT_Jean.jpg"},
        {nomPrenomClasse, "3AxsepxDUPONTxsepxJeanxsepx.jpg", "DUPONT Jean 3A.jpg"},
        {classeNomPrenom, "5 BxsepxDE LA TOURxsepxAnne_Mariexsepx.jpg", "5 B_DE LA TOUR_Anne_Marie.jpg"},
        {nomPrenomClasse, "5 BxsepxDE LA TOURxsepxAnne_Mariexsepx.jpg", "DE LA TOUR Anne_Marie 5 B.jpg"},
        // A file whose name does not split is left out of the lab sets.
        {classeNomPrenom, "IMG_0001.JPG", ""},
        {nomPrenomClasse, "3AxsepxDUPONT.jpg", ""},
        // The extension is kept once.
        {sansPoints, "DUPONT Jean.jpg", "DUPONT Jean.jpg"},
        {sansPoints, "DUPONT.Jean.jpg", "DUPONT Jean.jpg"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.avant);
        EXPECT_EQ(c.regle(QString::fromUtf8(c.avant)), QString::fromUtf8(c.apres));
    }
}

class JeuxPhotos : public LivraisonFixture {
protected:
    // The capture's folders: two students in " BR", " BR3" and the archive.
    void remplir()
    {
        dossiers_ = dossiers_etab::de(etat::NomEtabEnCours);
        for (const char* nom : {"DUPONT Jean_Pierre.jpg", "DE LA TOUR Anne.jpg"})
            photo(dossiers_.br, QString::fromUtf8(nom));
        photo(dossiers_.br, QStringLiteral(".cache.jpg"));
        photo(paths::join(dossiers_.br3, {QStringLiteral("3A")}), QStringLiteral("DUPONT Jean_Pierre.jpg"));
        photo(paths::join(dossiers_.br3, {QStringLiteral("4B")}), QStringLiteral("DE LA TOUR Anne.jpg"));
        photo(dossiers_.archive, QStringLiteral("3AxsepxDUPONTxsepxJean_Pierrexsepx.jpg"));
        photo(dossiers_.archive, QStringLiteral("4BxsepxDE LA TOURxsepxAnnexsepx.jpg"));
        photo(dossiers_.archive, QStringLiteral("IMG_0001.JPG"));
        photo(paths::join(dossiers_.archive, {QStringLiteral("3A")}), QStringLiteral("ailleurs.jpg"));
    }

    dossiers_etab::Dossiers dossiers_;
};

TEST_F(JeuxPhotos, ChaqueEntreeDuMenuLivreSonJeuEtTermineLeProgramme)
{
    const QString etab = etat::NomEtabEnCours;
    const struct {
        const char* entree;
        QString dossier;
        QStringList fichiers;
        QString fin;
        QString racine;
    } cas[] = {
        {"MNU_Photos_Nom_prenom", QStringLiteral("A Graver/") + etab + QStringLiteral(" BR"),
         {QStringLiteral("DE LA TOUR Anne.jpg"), QStringLiteral("DUPONT Jean-Pierre.jpg")},
         QStringLiteral("A GRAVER\\") + etab + QStringLiteral(" BR situé"), QStringLiteral("A Graver")},
        {"MNU_Photos_Nom_P_prenom", QStringLiteral("A Graver/") + etab + QStringLiteral(" BR_pt"),
         {QStringLiteral("DE.LA.TOUR.Anne.jpg"), QStringLiteral("DUPONT.Jean-Pierre.jpg")},
         QStringLiteral("A GRAVER\\") + etab + QStringLiteral(" BR_pt situé"), QStringLiteral("A Graver")},
        {"MNU_Photos_Nom_T_prenom", QStringLiteral("A Graver/") + etab + QStringLiteral(" BR_T"),
         {QStringLiteral("DE_LA_TOUR_Anne.jpg"), QStringLiteral("DUPONT_Jean-Pierre.jpg")},
         QStringLiteral("A GRAVER\\") + etab + QStringLiteral(" BR_T situé"), QStringLiteral("A Graver")},
        {"MNU_Photos_Classes_Nom_prenom", QStringLiteral("A Graver/") + etab + QStringLiteral(" BR3"),
         {QStringLiteral("3A/DUPONT Jean_Pierre.jpg"), QStringLiteral("4B/DE LA TOUR Anne.jpg")},
         QStringLiteral("A GRAVER\\") + etab + QStringLiteral(" BR3 situé"), QStringLiteral("A Graver")},
        {"MNU_HD1", QStringLiteral("labo/") + etab,
         {QStringLiteral("3A_DUPONT_Jean_Pierre.jpg"), QStringLiteral("4B_DE LA TOUR_Anne.jpg")},
         QStringLiteral("labo\\") + etab + QStringLiteral(" situé"), QStringLiteral("labo")},
        {"MNU_HD2", QStringLiteral("labo/") + etab,
         {QStringLiteral("DE LA TOUR Anne 4B.jpg"), QStringLiteral("DUPONT Jean_Pierre 3A.jpg")},
         QStringLiteral("labo\\") + etab + QStringLiteral(" situé"), QStringLiteral("labo")},
    };
    remplir();
    for (const auto& c : cas) {
        SCOPED_TRACE(c.entree);
        ChoixClasse& ecran = formInstance<ChoixClasse>();
        ecran.showForm();
        dialogues_.message(QStringLiteral("Transfert terminé. Vous pouvez graver le contenu du dossier ") + c.fin);
        ecran.findChild<QAction*>(QString::fromLatin1(c.entree))->trigger();
        EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Information);
        EXPECT_EQ(arbre(bureau(c.dossier)), c.fichiers);
        EXPECT_EQ(shell_.requests().back().target, bureau(c.racine));
        EXPECT_EQ(Form::loadedCount(), 0);
        QDir(paths::desktop()).removeRecursively();
        LivraisonFixture::preparerPoste();
    }
    EXPECT_EQ(shell_.requests().size(), std::size(cas));
}

TEST_F(JeuxPhotos, LesJeuxRemplacentOuCompletentLeurDossierSelonLaRegle)
{
    remplir();
    const QString br = bureau(QStringLiteral("A Graver/") + etat::NomEtabEnCours + QStringLiteral(" BR"));
    Sandbox::writeFile(paths::join(br, {QStringLiteral("ELEVE Supprime.jpg")}), "ancien");
    ASSERT_TRUE(livrer(*regleDeForme(QStringLiteral("TransfertBR")), etat::CodeEtabEnCours, etat::NomEtabEnCours, [](int) {}).reussie);
    EXPECT_EQ(arbre(br), (QStringList{QStringLiteral("DE LA TOUR Anne.jpg"), QStringLiteral("DUPONT Jean-Pierre.jpg")}));

    // The two lab sets share their folder: both name forms stay.
    ASSERT_TRUE(livrer(*regleDeForme(QStringLiteral("TransfertHD1")), etat::CodeEtabEnCours, etat::NomEtabEnCours, [](int) {}).reussie);
    ASSERT_TRUE(livrer(*regleDeForme(QStringLiteral("TransfertHD2")), etat::CodeEtabEnCours, etat::NomEtabEnCours, [](int) {}).reussie);
    EXPECT_EQ(arbre(bureau(QStringLiteral("labo/") + etat::NomEtabEnCours)).size(), 4);
}

TEST_F(JeuxPhotos, LeDossierLivreResteLAncienJeuEntierJusquALaFin)
{
    const struct {
        const char* forme;
        const char* dossier;
        bool ancienGarde; // the set adds to its folder
    } cas[] = {
        {"TransfertBR", "A Graver/Collège Jeanne d'Arc BR", false},
        {"TransfertBR3", "A Graver/Collège Jeanne d'Arc BR3", true},
        {"TransfertHD1", "labo/Collège Jeanne d'Arc", true},
    };
    remplir();
    for (const auto& c : cas) {
        SCOPED_TRACE(c.forme);
        const QString dossier = bureau(QString::fromUtf8(c.dossier));
        Sandbox::writeFile(paths::join(dossier, {QStringLiteral("5C"), QStringLiteral("ANCIEN Eleve.jpg")}), "ancien");
        const QMap<QString, QByteArray> ancien = contenu(dossier);
        // Stopped at any step, the desktop would show the earlier set, whole.
        std::vector<std::pair<int, QMap<QString, QByteArray>>> etapes;
        ASSERT_TRUE(livrer(*regleDeForme(QString::fromLatin1(c.forme)), etat::CodeEtabEnCours, etat::NomEtabEnCours, [&](int valeur) {
                        etapes.emplace_back(valeur, contenu(dossier));
                    }).reussie);
        ASSERT_GT(etapes.size(), 2u);
        for (const auto& [valeur, etape] : etapes)
            EXPECT_TRUE(valeur == 100 || etape == ancien) << "à " << valeur << " %";
        const QMap<QString, QByteArray> livre = contenu(dossier);
        EXPECT_EQ(livre.contains(QStringLiteral("5C/ANCIEN Eleve.jpg")), c.ancienGarde);
        EXPECT_EQ(livre.size(), c.ancienGarde ? 3 : 2);
        EXPECT_FALSE(QFileInfo::exists(QFileInfo(dossier).absolutePath() + QStringLiteral("/.") + QFileInfo(dossier).fileName()
                                       + QStringLiteral(".partiel")));
    }
}

TEST_F(JeuxPhotos, UnJeuQuiEstUnLienEstRemplaceSansToucherSaCible)
{
    remplir();
    const QString ailleurs = sandbox_.path(QStringLiteral("ailleurs"));
    const QString garde = Sandbox::writeFile(paths::join(ailleurs, {QStringLiteral("DUPONT Jean-Pierre.jpg")}), "à garder");
    const QString jeu = bureau(QStringLiteral("A Graver/") + etat::NomEtabEnCours + QStringLiteral(" BR"));
    paths::ensureFolder(bureau(QStringLiteral("A Graver")));
    ASSERT_TRUE(QFile::link(ailleurs, jeu));

    ASSERT_TRUE(livrer(*regleDeForme(QStringLiteral("TransfertBR")), etat::CodeEtabEnCours, etat::NomEtabEnCours, [](int) {}).reussie);
    EXPECT_EQ(lire(garde), QByteArray("à garder"));
    EXPECT_FALSE(QFileInfo(jeu).isSymLink());
    EXPECT_EQ(arbre(jeu), (QStringList{QStringLiteral("DE LA TOUR Anne.jpg"), QStringLiteral("DUPONT Jean-Pierre.jpg")}));
}

TEST_F(JeuxPhotos, LeJeuSansEntreeDeMenuGardeLExtensionUneFois)
{
    remplir();
    const Regle* regle = regleDeForme(QStringLiteral("TransfertBR2"));
    ASSERT_NE(regle, nullptr);
    EXPECT_TRUE(regle->entree.isEmpty());
    dialogues_.message(QStringLiteral(" BR2 situé sur le bureau"));
    TransfertJeu::instance(*regle).showForm();
    EXPECT_EQ(arbre(bureau(QStringLiteral("A Graver/") + etat::NomEtabEnCours + QStringLiteral(" BR2"))),
              (QStringList{QStringLiteral("DE LA TOUR Anne.jpg"), QStringLiteral("DUPONT Jean_Pierre.jpg")}));
}

TEST_F(JeuxPhotos, SourceAbsenteVideOuCopieImpossible)
{
    // No picture taken yet: a message, no folder shown, the program goes on.
    dialogues_.message(QStringLiteral("Aucune photo n'a encore été classée"));
    TransfertJeu& fenetre = TransfertJeu::instance(*regleDeForme(QStringLiteral("TransfertBR")));
    fenetre.showForm();
    EXPECT_EQ(dialogues_.lastPrompt().icon, dialogs::Icon::Critical);
    EXPECT_TRUE(shell_.requests().empty());
    EXPECT_FALSE(fenetre.isUnloaded());
    fenetre.unload();

    // An empty folder gives an empty set and the end message.
    paths::ensureFolder(dossiers_etab::de(etat::NomEtabEnCours).br);
    const livraison::Issue vide = livrer(*regleDeForme(QStringLiteral("TransfertBR5")), etat::CodeEtabEnCours, etat::NomEtabEnCours, [](int) {});
    EXPECT_TRUE(vide.reussie);
    EXPECT_TRUE(QFileInfo(bureau(QStringLiteral("A Graver/") + etat::NomEtabEnCours + QStringLiteral(" BR_T"))).isDir());

    // A file that cannot be written is named and nothing is reported as done.
    remplir();
    const QString bloque = bureau(QStringLiteral("labo/") + etat::NomEtabEnCours + QStringLiteral("/3A_DUPONT_Jean_Pierre.jpg"));
    Sandbox::writeFile(paths::join(bloque, {QStringLiteral("dedans")}), "x");
    const livraison::Issue echec = livrer(*regleDeForme(QStringLiteral("TransfertHD1")), etat::CodeEtabEnCours, etat::NomEtabEnCours, [](int) {});
    EXPECT_FALSE(echec.reussie);
    EXPECT_TRUE(echec.message.contains(QStringLiteral("3A_DUPONT_Jean_Pierre.jpg"))) << echec.message.toStdString();
}

// A name stored before control characters were refused ("Ecole fin" and a
// line break) keeps its folders, but no set is delivered under it: the
// message says why, and nothing is written.
TEST_F(JeuxPhotos, UnNomAvecUnSautDeLigneNEstPasLivre)
{
    const QString nom = QStringLiteral("Ecole fin\n");
    const dossiers_etab::Dossiers dossiers = dossiers_etab::de(nom);
    ASSERT_TRUE(dossiers.valides());
    photo(dossiers.br, QStringLiteral("DUPONT Jean.jpg"));
    for (const Regle& regle : regles()) {
        SCOPED_TRACE(regle.forme.toStdString());
        const livraison::Issue issue = livrer(regle, etat::CodeEtabEnCours, nom, [](int) {});
        EXPECT_FALSE(issue.reussie);
        EXPECT_TRUE(issue.message.contains(QStringLiteral("contient un saut de ligne"))) << issue.message.toStdString();
    }
    EXPECT_TRUE(QDir(bureau(QStringLiteral("A Graver"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_TRUE(QDir(bureau(QStringLiteral("labo"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

// Three DUPONT Émile (5C, 5D, and 5C again) each come out under a name of
// their own in every set, with their own picture; a photographed student whose
// file the source folder lacks, or holds another picture under her names, is
// named in the end message, and two students whose names a rule makes one
// ("Jean_Pierre", "Jean-Pierre") both come out.
TEST_F(JeuxPhotos, ChaqueElevePhotographieEstLivreOuCompte)
{
    const dossiers_etab::Dossiers d = dossiers_etab::de(etat::NomEtabEnCours);
    // Each student's working picture, and its copies in " BR" and " BR3", hold "<br>";
    // the archived original holds "<archive>".
    const struct {
        const char* classe;
        const char* nom;
        const char* prenom;
        const char* br;      // "" for none
        const char* archive; // "" for none
    } eleves[] = {
        {"5C", "DUPONT", "Émile", "DUPONT Émile.jpg", "5CxsepxDUPONTxsepxÉmilexsepx.jpg"},
        {"5D", "DUPONT", "Émile", "DUPONT Émile_2.jpg", "5DxsepxDUPONTxsepxÉmilexsepx_2.jpg"},
        {"5C", "DUPONT", "Émile", "DUPONT Émile_3.jpg", "5CxsepxDUPONTxsepxÉmilexsepx_3.jpg"},
        {"5C", "MARTIN", "Léa", "", "5CxsepxMARTINxsepxLéaxsepx.jpg"},
        {"5C", "DUPONT", "Jean_Pierre", "DUPONT Jean_Pierre.jpg", "5CxsepxDUPONTxsepxJean_Pierrexsepx.jpg"},
        {"5C", "DUPONT", "Jean-Pierre", "DUPONT Jean-Pierre.jpg", "5CxsepxDUPONTxsepxJean-Pierrexsepx.jpg"},
        {"5C", "ROUX", "Zoé", "ROUX Zoé.jpg", ""},
    };
    for (const auto& e : eleves) {
        const QString cle = eleve(QString::fromUtf8(e.classe), QString::fromUtf8(e.nom), QString::fromUtf8(e.prenom));
        Sandbox::writeFile(paths::join(d.donnees, {cle + QStringLiteral(".jpg")}), QByteArray(e.br) + cle.toUtf8());
        if (*e.br) {
            const QString classe = QString::fromUtf8(e.classe), br = QString::fromUtf8(e.br);
            Sandbox::writeFile(paths::join(d.br, {br}), QByteArray(e.br) + cle.toUtf8());
            Sandbox::writeFile(paths::join(d.br3, {classe, br}), QByteArray(e.br) + cle.toUtf8());
        }
        if (*e.archive)
            Sandbox::writeFile(paths::join(d.archive, {QString::fromUtf8(e.archive)}), QByteArray(e.archive));
    }
    eleve(QStringLiteral("5C"), QStringLiteral("BERNARD"), QStringLiteral("Paul")); // not photographed
    // Zoé's copies are another picture: a deleted student's, say.
    for (const QString& copie : {paths::join(d.br, {QStringLiteral("ROUX Zoé.jpg")}),
                                 paths::join(d.br3, {QStringLiteral("5C"), QStringLiteral("ROUX Zoé.jpg")})})
        Sandbox::writeFile(copie, "une autre");

    const QString etab = etat::NomEtabEnCours;
    const struct {
        const char* forme;
        QString dossier;
        std::vector<std::pair<const char*, const char*>> livres; // delivered name, its content's start
        const char* manquants;
    } cas[] = {
        {"TransfertBR", QStringLiteral("A Graver/") + etab + QStringLiteral(" BR"),
         {{"DUPONT Jean-Pierre.jpg", "DUPONT Jean_Pierre.jpg"},
          {"DUPONT Jean-Pierre_2.jpg", "DUPONT Jean-Pierre.jpg"},
          {"DUPONT Émile.jpg", "DUPONT Émile.jpg"},
          {"DUPONT Émile_2.jpg", "DUPONT Émile_2.jpg"},
          {"DUPONT Émile_3.jpg", "DUPONT Émile_3.jpg"}},
         "2 élève(s) photographié(s) sur 7 n'ont pas été livré(s), car le dossier « %1 » ne contient pas leur photo :\n"
         "MARTIN Léa (classe 5C)\nROUX Zoé (classe 5C)"},
        {"TransfertBR5", QStringLiteral("A Graver/") + etab + QStringLiteral(" BR_T"),
         {{"DUPONT_Jean-Pierre.jpg", "DUPONT Jean_Pierre.jpg"},
          {"DUPONT_Jean-Pierre_2.jpg", "DUPONT Jean-Pierre.jpg"},
          {"DUPONT_Émile.jpg", "DUPONT Émile.jpg"},
          {"DUPONT_Émile_2.jpg", "DUPONT Émile_2.jpg"},
          {"DUPONT_Émile_3.jpg", "DUPONT Émile_3.jpg"}},
         "2 élève(s) photographié(s) sur 7"},
        {"TransfertBR3", QStringLiteral("A Graver/") + etab + QStringLiteral(" BR3"),
         {{"5C/DUPONT Jean-Pierre.jpg", "DUPONT Jean-Pierre.jpg"},
          {"5C/DUPONT Jean_Pierre.jpg", "DUPONT Jean_Pierre.jpg"},
          {"5C/DUPONT Émile.jpg", "DUPONT Émile.jpg"},
          {"5C/DUPONT Émile_3.jpg", "DUPONT Émile_3.jpg"},
          {"5D/DUPONT Émile_2.jpg", "DUPONT Émile_2.jpg"}},
         "2 élève(s) photographié(s) sur 7"},
        {"TransfertHD2", QStringLiteral("labo/") + etab,
         {{"DUPONT Jean-Pierre 5C.jpg", "5CxsepxDUPONTxsepxJean-Pierrexsepx.jpg"},
          {"DUPONT Jean_Pierre 5C.jpg", "5CxsepxDUPONTxsepxJean_Pierrexsepx.jpg"},
          {"DUPONT Émile 5C.jpg", "5CxsepxDUPONTxsepxÉmilexsepx.jpg"},
          {"DUPONT Émile 5C_3.jpg", "5CxsepxDUPONTxsepxÉmilexsepx_3.jpg"},
          {"DUPONT Émile 5D_2.jpg", "5DxsepxDUPONTxsepxÉmilexsepx_2.jpg"},
          {"MARTIN Léa 5C.jpg", "5CxsepxMARTINxsepxLéaxsepx.jpg"}},
         "1 élève(s) photographié(s) sur 7 n'ont pas été livré(s), car le dossier « %1 » ne contient pas leur photo :\n"
         "ROUX Zoé (classe 5C)"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.forme);
        const Regle& regle = *regleDeForme(QString::fromLatin1(c.forme));
        const livraison::Issue issue = livrer(regle, etat::CodeEtabEnCours, etat::NomEtabEnCours, [](int) {});
        ASSERT_TRUE(issue.reussie) << issue.message.toStdString();
        QStringList attendus;
        for (const auto& [livre, debut] : c.livres)
            attendus << QString::fromUtf8(livre);
        const QMap<QString, QByteArray> livres = contenu(bureau(c.dossier));
        EXPECT_EQ(livres.keys(), attendus);
        for (const auto& [livre, debut] : c.livres)
            EXPECT_TRUE(livres.value(QString::fromUtf8(livre)).startsWith(debut)) << livre;
        EXPECT_TRUE(issue.message.startsWith(QStringLiteral("Transfert terminé.")));
        const QString source = regle.source == Source::Archive ? d.archive
                             : regle.source == Source::Classes ? d.br3 : d.br;
        QString manquants = QString::fromUtf8(c.manquants);
        if (manquants.contains(u"%1"))
            manquants = manquants.arg(QDir::toNativeSeparators(source));
        EXPECT_TRUE(issue.message.contains(QStringLiteral("\n\nAttention : ") + manquants)) << issue.message.toStdString();
    }
}

// The earlier of two photographed namesakes of 5C was deleted; his files stay.
// The other is delivered with his own low-resolution copy, and the lab set,
// without his original, counts him out rather than deliver the deleted
// student's original as his.
TEST_F(JeuxPhotos, UnHomonymeDontLePremierEstSupprimeGardeSesPropresFichiers)
{
    const dossiers_etab::Dossiers d = dossiers_etab::de(etat::NomEtabEnCours);
    const QString parti = eleve(QStringLiteral("5C"), QStringLiteral("DUPONT"), QStringLiteral("Émile"));
    const QString reste = eleve(QStringLiteral("5C"), QStringLiteral("DUPONT"), QStringLiteral("Émile"));
    ASSERT_EQ(roster::numero(etat::CodeEtabEnCours, reste), 2); // as his pictures were filed
    for (const auto& [cle, br] : {std::pair{parti, "DUPONT Émile.jpg"}, std::pair{reste, "DUPONT Émile_2.jpg"}}) {
        const QByteArray photo = QByteArray("photo de ") + cle.toUtf8();
        Sandbox::writeFile(paths::join(d.donnees, {cle + QStringLiteral(".jpg")}), photo);
        Sandbox::writeFile(paths::join(d.br, {QString::fromUtf8(br)}), photo);
    }
    Sandbox::writeFile(paths::join(d.archive, {QStringLiteral("5CxsepxDUPONTxsepxÉmilexsepx.jpg")}), "original du parti");
    ASSERT_TRUE(roster::supprimerEleve(parti));

    const QString etab = etat::NomEtabEnCours;
    const struct {
        const char* forme;
        QString dossier;
        QMap<QString, QByteArray> livres;
        bool compteHors;
    } cas[] = {
        {"TransfertBR", QStringLiteral("A Graver/") + etab + QStringLiteral(" BR"),
         {{QStringLiteral("DUPONT Émile.jpg"), QByteArray("photo de ") + parti.toUtf8()},
          {QStringLiteral("DUPONT Émile_2.jpg"), QByteArray("photo de ") + reste.toUtf8()}},
         false},
        {"TransfertHD2", QStringLiteral("labo/") + etab,
         {{QStringLiteral("DUPONT Émile 5C.jpg"), QByteArray("original du parti")}}, true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.forme);
        const livraison::Issue issue =
            livrer(*regleDeForme(QString::fromLatin1(c.forme)), etat::CodeEtabEnCours, etat::NomEtabEnCours, [](int) {});
        ASSERT_TRUE(issue.reussie) << issue.message.toStdString();
        EXPECT_EQ(contenu(bureau(c.dossier)), c.livres);
        EXPECT_EQ(issue.message.contains(QStringLiteral("1 élève(s) photographié(s) sur 1 n'ont pas été livré(s)")),
                  c.compteHors)
            << issue.message.toStdString();
    }
}
