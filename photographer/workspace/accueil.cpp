#include "photographer/workspace/accueil.h"

#include "common/dialogs.h"
#include "common/helpers.h"
#include "common/ui/layout.h"
#include "common/ui/menus.h"
#include "common/ui/program.h"
#include "common/report.h"
#include "common/shell.h"
#include "common/wallclock.h"
#include "photographer/data/base.h"
#include "photographer/workspace/demarrage.h"
#include "photographer/data/etablissements.h"
#include "photographer/deliveries/menus_livraison.h"
#include "photographer/shoot/choix_classe.h"
#include "photographer/shoot/hot_folder.h"
#include "photographer/data/etat.h"
#include "photographer/workspace/form_nouv_etab.h"
#include "photographer/workspace/grille_etablissements.h"
#include "photographer/workspace/ouvrir_etab.h"
#include "photographer/workspace/param_photographe.h"
#include "photographer/workspace/sauvegarde.h"
#include "photographer/ui/propos.h"
#include "photographer/prices/form_tarifs.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>


namespace {

// The "Quitter" button; the window is sized to it.
constexpr int kQuitterGauche = 9000, kQuitterHaut = 3240, kQuitterLargeur = 1095, kQuitterHauteur = 375;

QToolButton* boutonImage(QWidget* parent, const char* nom, QStyle::StandardPixmap image, const QString& bulle,
                         int gauche)
{
    auto* bouton = new QToolButton(parent);
    bouton->setObjectName(QString::fromLatin1(nom));
    bouton->setIcon(parent->style()->standardIcon(image));
    bouton->setAutoRaise(true);
    bouton->setToolTip(bulle);
    layout::place(bouton, gauche, 0, 375, 360);
    return bouton;
}

// The browser fetches the installer; when none starts, the shell service
// names the address. Called before the window unloads: the end of the
// program would close that message.
void ouvrirMiseAJour()
{
    shell::openOrReport(demarrage::adresseMaj());
}

// The name and the blank after it; nothing for a name that is empty, so that
// the sentence keeps single blanks.
QString nomSuivi(const QString& nom)
{
    return nom.isEmpty() ? QString() : nom + u' ';
}

// What became of a deleted establishment's folders.
QString compteRenduSuppression(const etablissements::Suppression& suppression)
{
    QString texte = suppression.dossiersRestes.isEmpty()
        ? QStringLiteral("Etablissement : %1supprimé définitivement.").arg(nomSuivi(suppression.nom))
        : QStringLiteral("Etablissement : %1supprimé de la base, mais ces dossiers n'ont pas pu être supprimés :\n%2")
              .arg(nomSuivi(suppression.nom), suppression.dossiersRestes.join(u'\n'));
    if (!suppression.sansDossier.isEmpty())
        texte += QStringLiteral(" Aucun dossier n'a été supprimé : %1").arg(suppression.sansDossier);
    if (!suppression.gardes.empty()) {
        texte += QStringLiteral("\nCes dossiers sont gardés, car un autre établissement les utilise :");
        for (const etablissements::DossierPartage& garde : suppression.gardes)
            texte += QStringLiteral("\n%1 (établissement « %2 »)").arg(garde.dossier, garde.autre);
    }
    return texte;
}

} // namespace

void Accueil::registerAsMainWindow()
{
    mainWindow::setAccess([]() -> Form* { return &formInstance<Accueil>(); });
}

Accueil::Accueil() : Form(QStringLiteral("Accueil"))
{
    setWindowTitle(QStringLiteral("Vizmora (Administration)"));
    construireFenetre();
    construireMenus();
    activerCommandesEtablissement(false);
}

void Accueil::construireFenetre()
{
    auto* fond = new QWidget(this);
    setCentralWidget(fond);

    ImageNouveau_ = boutonImage(fond, "ImageNouveau", QStyle::SP_FileIcon, QStringLiteral("Nouvel Etablissement..."), 0);
    ImageOuvrir_ = boutonImage(fond, "ImageOuvrir", QStyle::SP_DirOpenIcon,
                              QStringLiteral("Ouvrir l'établissement..."), 360);
    Image1_ = boutonImage(fond, "Image1", QStyle::SP_TrashIcon, QStringLiteral("Supprimer..."), 720);
    connect(ImageNouveau_, &QToolButton::clicked, this, &Accueil::MNU_Nouveau_Click);
    connect(ImageOuvrir_, &QToolButton::clicked, this, &Accueil::DBGridEtab_DblClick);
    connect(Image1_, &QToolButton::clicked, this, &Accueil::MNU_Sup_1_Click);

    auto* barre = new QLabel(fond);
    barre->setObjectName(QStringLiteral("ImageBarre"));
    barre->setFrameShape(QFrame::StyledPanel);
    barre->setEnabled(false);
    layout::place(barre, 1080, 0, kQuitterGauche + kQuitterLargeur - 1080, 360);

    DBGridEtab_ = new GrilleEtablissements(fond);
    layout::place(DBGridEtab_, 120, 480, kQuitterGauche + kQuitterLargeur - 120, 2640);
    connect(DBGridEtab_, &QTableWidget::cellClicked, this, &Accueil::DBGridEtab_Click);
    connect(DBGridEtab_, &QTableWidget::cellDoubleClicked, this, &Accueil::DBGridEtab_DblClick);
    connect(DBGridEtab_, &GrilleEtablissements::relue, this, [this](int nombre) {
        Label1_->setText(QStringLiteral("Liste des établissements créés : (%1)").arg(nombre));
    });

    Label1_ = layout::caption(fond, QStringLiteral("Label1"), QStringLiteral("Liste des établissements créés..."));
    layout::place(Label1_, 120, kQuitterHaut, 3960, kQuitterHauteur);

    ProgressBar1_ = new QProgressBar(fond);
    ProgressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1_->setTextVisible(false);
    ProgressBar1_->hide();
    layout::place(ProgressBar1_, 4200, kQuitterHaut, 4560, kQuitterHauteur);

    Bt_Quitter_ = new QPushButton(QStringLiteral("Quitter"), fond);
    Bt_Quitter_->setObjectName(QStringLiteral("Bt_Quitter"));
    layout::place(Bt_Quitter_, kQuitterGauche, kQuitterHaut, kQuitterLargeur, kQuitterHauteur);
    connect(Bt_Quitter_, &QPushButton::clicked, this, &Accueil::Bt_Quitter_Click);
}

void Accueil::construireMenus()
{
    QMenu* fichier = menus::menu(menuBar(), QStringLiteral("MNU_Fichier"), QStringLiteral("Fichier"));
    connect(menus::entry(fichier, QStringLiteral("MNU_Import"), QStringLiteral("Importer...")), &QAction::triggered, this,
            &Accueil::MNU_Import_Click);
    menus::separator(fichier, QStringLiteral("MNU_Line"));
    connect(menus::entry(fichier, QStringLiteral("MNU_Nouveau"), QStringLiteral("Nouvel Etablissement...")), &QAction::triggered, this,
            &Accueil::MNU_Nouveau_Click);
    MNU_Ouvrir_ = menus::entry(fichier, QStringLiteral("MNU_Ouvrir"), QStringLiteral("Ouvrir Etablissement..."));
    connect(MNU_Ouvrir_, &QAction::triggered, this, &Accueil::DBGridEtab_DblClick);
    menus::separator(fichier, QStringLiteral("Mnu_L1"));
    MNU_Sup_1_ = menus::entry(fichier, QStringLiteral("MNU_Sup_1"), QStringLiteral("Supprimer l'établissement sélectionné..."));
    connect(MNU_Sup_1_, &QAction::triggered, this, &Accueil::MNU_Sup_1_Click);
    menus::separator(fichier, QStringLiteral("Mnu_L2"));
    connect(menus::entry(fichier, QStringLiteral("MNU_Sauvegarde"), QStringLiteral("Sauvegarder...")), &QAction::triggered, this,
            &Accueil::MNU_Sauvegarde_Click);
    menus::entry(fichier, QStringLiteral("MNU_Restaurer"), QStringLiteral("Restaurer..."))->setVisible(false);
    connect(menus::entry(fichier, QStringLiteral("MNU_Videbase"), QStringLiteral("Vider la base...")), &QAction::triggered, this,
            &Accueil::MNU_Videbase_Click);
    menus::separator(fichier, QStringLiteral("Mnu_L3"));
    connect(menus::entry(fichier, QStringLiteral("MNU_Quitter"), QStringLiteral("Quitter")), &QAction::triggered, this,
            &Accueil::Bt_Quitter_Click);

    QMenu* parametres = menus::menu(menuBar(), QStringLiteral("MNU_Param"), QStringLiteral("Paramètres"));
    MNU_Modif_Nom_ = menus::entry(parametres, QStringLiteral("MNU_Modif_Nom"), QStringLiteral("Modifier le nom de l'établissement..."));
    connect(MNU_Modif_Nom_, &QAction::triggered, this, &Accueil::MNU_Modif_Nom_Click);
    menus::separator(parametres, QStringLiteral("Mnu_"));
    connect(menus::entry(parametres, QStringLiteral("MNU_TarifsG"), QStringLiteral("Tarifs Photographe...")),
            &QAction::triggered, this, [this] {
                formInstance<FormTarifs>().showForm();
                unload();
            });
    connect(menus::entry(parametres, QStringLiteral("Mnu_Photographe"), QStringLiteral("Photographe...")), &QAction::triggered, this,
            &Accueil::Mnu_Photographe_Click);
    connect(menus::entry(parametres, QStringLiteral("MNU_App_Pho"), QStringLiteral("Appareil Photo...")), &QAction::triggered, this,
            &Accueil::MNU_App_Pho_Click);
    connect(menus::entry(parametres, QStringLiteral("MNU_CSV"), QStringLiteral("*.csv")), &QAction::triggered, this,
            &Accueil::MNU_CSV_Click);

    QMenu* info = menus::menu(menuBar(), QStringLiteral("MNU_INFO"), QStringLiteral("?"));
    // "Aide" stays hidden: there is no help to open.
    menus::entry(info, QStringLiteral("MNU_Aide"), QStringLiteral("Aide"))->setVisible(false);
    menus::separator(info, QStringLiteral("MNU_L4"))->setVisible(false);
    connect(menus::entry(info, QStringLiteral("Mnu_maj"), QStringLiteral("Mise à jour...")), &QAction::triggered, this,
            &Accueil::Mnu_maj_Click);
    menus::separator(info, QStringLiteral("MNU_L5"));
    connect(menus::entry(info, QStringLiteral("MNU_Propos"), QStringLiteral("A propos de Zelvantis...")), &QAction::triggered, this,
            &Accueil::MNU_Propos_Click);
}

void Accueil::onLoad()
{
    demarrage::fixerDossierDonnees();
    QString manque = demarrage::installerBase();
    if (manque.isEmpty())
        manque = demarrage::verrouillerDossierDonnees();
    if (!manque.isEmpty()) {
        dialogs::message(manque, dialogs::Icon::Critical);
        startFailed();
        unload();
        return;
    }
    etat::SeparateurCsv = demarrage::lireSeparateur();
    sauvegarde::retirerInterrompues();
    try {
        for (const etablissements::Reprise& reprise : etablissements::reprendreRenommages())
            dialogs::message(reprise.compteRendu,
                             reprise.reglee ? dialogs::Icon::Information : dialogs::Icon::Exclamation);
    } catch (const db::Error&) {
        // A base that cannot be opened is said further on, once the
        // archive-and-empty had its chance to replace it.
    }
    if (!traiterArchivageDemande())
        return;

    const QDate aujourdhui = wallclock::today();
    if (demarrage::majAOuvrir(demarrage::lireDateMaj(aujourdhui), aujourdhui)) {
        demarrage::ecrireDateMaj(aujourdhui);
        ouvrirMiseAJour();
        unload();
        return;
    }

    etat::DossierHot = demarrage::dossierHotParDefaut();
    try {
        base::db();
    } catch (const db::Error& erreur) {
        report::failure(erreur);
        startFailed();
        unload();
        return;
    }
    if (const QString lectureSeule = demarrage::baseEnLectureSeule(); !lectureSeule.isEmpty())
        dialogs::message(lectureSeule, dialogs::Icon::Exclamation);
    etat::VersionLogiciel = etat::versionText();
    etat::MentionCopyright = QStringLiteral("Copyright © Zelvantis. Tous droits réservés.");
    centralWidget()->setFixedSize(layout::px(kQuitterGauche + kQuitterLargeur + 200 - 120),
                                  layout::px(kQuitterHaut + kQuitterHauteur + 150));
}

// The archive-and-empty asked for at the previous run. False when the window
// must close (the archive failed, the request stays for the next start).
bool Accueil::traiterArchivageDemande()
{
    const bool demande = demarrage::archivageDemande();
    // A start that stopped after the emptying left its request set: the base
    // in place is the emptied one and is not archived again.
    if (const std::optional<QString> archive = demarrage::archivageFait()) {
        const QString nonEcrit = demarrage::conclureArchivage();
        if (!nonEcrit.isEmpty())
            dialogs::message(nonEcrit, dialogs::Icon::Exclamation);
        else if (demande)
            dialogs::message(QStringLiteral("La base de donnée a été archivée dans %1 et vidée au démarrage précédent, "
                                            "qui s'est interrompu avant sa fin.")
                                 .arg(QDir::toNativeSeparators(*archive)),
                             dialogs::Icon::Information);
        return true;
    }
    if (demande
        && dialogs::message(QStringLiteral("Attention, la base de donnée va être archivée et vidée ENTIEREMENT "
                                           "MAINTENANT. Souhaitez vous continuer ?"),
                            dialogs::Icon::None, dialogs::Buttons::OkCancel)
               == dialogs::Answer::Ok) {
        const QString echec = demarrage::archiverEtVider(wallclock::now());
        if (!echec.isEmpty()) {
            // The request stays set: the archive is offered again at the next start.
            dialogs::message(echec, dialogs::Icon::Critical);
            startFailed();
            unload();
            return false;
        }
        const QString nonEcrit = demarrage::conclureArchivage();
        if (!nonEcrit.isEmpty())
            dialogs::message(nonEcrit, dialogs::Icon::Exclamation);
        return true;
    }
    // Clearing a request that was not set can fail unseen: nothing changes.
    const QString nonEcrit = demarrage::ecrireArchivageDemande(false);
    if (demande && !nonEcrit.isEmpty())
        dialogs::message(nonEcrit, dialogs::Icon::Exclamation);
    return true;
}

void Accueil::onActivate()
{
    const QString manquants = demarrage::preparerDossiersDeTravail();
    if (!manquants.isEmpty())
        dialogs::message(manquants, dialogs::Icon::Exclamation);
    DBGridEtab_->rafraichir();
}

void Accueil::onUnload()
{
    base::fermer();
}

void Accueil::closeEvent(QCloseEvent* event)
{
    if (occupe_) {
        event->ignore();
        return;
    }
    Form::closeEvent(event);
}

void Accueil::activerCommandesEtablissement(bool actif)
{
    for (QWidget* bouton : {static_cast<QWidget*>(ImageOuvrir_), static_cast<QWidget*>(Image1_)})
        bouton->setEnabled(actif);
    for (QAction* entree : {MNU_Ouvrir_, MNU_Sup_1_, MNU_Modif_Nom_})
        entree->setEnabled(actif);
}

void Accueil::DBGridEtab_Click()
{
    if (DBGridEtab_->rowCount() >= 1)
        activerCommandesEtablissement(true);
}

std::optional<bool> Accueil::ficheRenseignee()
{
    try {
        return !etablissements::nomPhotographe().isEmpty();
    } catch (const db::Error& erreur) {
        report::failure(erreur);
        return std::nullopt;
    }
}

void Accueil::DBGridEtab_DblClick()
{
    if (DBGridEtab_->rowCount() == 0 || etat::CodeEtabEnCours.isEmpty())
        return;
    const auto fiche = ficheRenseignee();
    if (!fiche)
        return;
    if (!*fiche) {
        dialogs::message(QStringLiteral("Vous devez renseigner la fiche photographe pour continuer"),
                         dialogs::Icon::Critical);
        unload();
        formInstance<ParamPhotographe>().showForm();
        return;
    }
    bool eleves = false;
    try {
        eleves = etablissements::aDesEleves(etat::CodeEtabEnCours);
    } catch (const db::Error& erreur) {
        report::failure(erreur);
        return;
    }
    hideForm();
    if (!eleves) {
        formInstance<OuvrirEtab>().showForm();
        return;
    }
    if (dialogs::message(QStringLiteral("Exporter le fichier établissement vers le bureau pour un autre opérateur ?"),
                         dialogs::Icon::None, dialogs::Buttons::YesNo, QStringLiteral("Exporter ?"))
        == dialogs::Answer::Yes) {
        menus_livraison::afficherExport();
        return;
    }
    if (dialogs::message(QStringLiteral("Commencer ou poursuivre la prise de vue maintenant ?"), dialogs::Icon::None,
                         dialogs::Buttons::YesNo, QStringLiteral("Continuer ?"))
        == dialogs::Answer::Yes)
        formInstance<ChoixClasse>().showForm();
    else
        showForm();
}

void Accueil::MNU_Import_Click()
{
    if (menus_livraison::importer(ProgressBar1_)) {
        // The list is read again and shows the imported establishment.
        unload();
        formInstance<Accueil>().showForm();
    }
}

void Accueil::MNU_Nouveau_Click()
{
    const auto fiche = ficheRenseignee();
    if (!fiche)
        return;
    if (!*fiche) {
        dialogs::message(QStringLiteral("Vous devez remplir la fiche photographe maintenant"), dialogs::Icon::Critical);
        hideForm();
        formInstance<ParamPhotographe>().showForm();
        return;
    }
    hideForm();
    formInstance<FormNouvEtab>().showForm();
}

void Accueil::MNU_Sup_1_Click()
{
    if (etat::CodeEtabEnCours.isEmpty() || occupe_)
        return;
    const auto reponse = dialogs::message(
        QStringLiteral("Attention, l'établissement %1va être définitivement supprimé.\n\r"
                       "Etes-vous sûr de vouloir continuer ?")
            .arg(nomSuivi(etat::NomEtabEnCours)),
        dialogs::Icon::None, dialogs::Buttons::OkCancel);
    if (reponse != dialogs::Answer::Ok) {
        activerCommandesEtablissement(false);
        return;
    }

    occupe_ = true;
    ProgressBar1_->setMaximum(50);
    ProgressBar1_->setValue(0);
    ProgressBar1_->show();
    // Between two folders the window repaints; clicks wait until the end.
    const auto suppression = etablissements::supprimer(etat::CodeEtabEnCours, [this](int valeur) {
        ProgressBar1_->setValue(valeur);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    ProgressBar1_->hide();
    occupe_ = false;
    DBGridEtab_->rafraichir();

    if (!suppression.refus.isEmpty())
        dialogs::message(suppression.refus, dialogs::Icon::Critical);
    else
        dialogs::message(compteRenduSuppression(suppression), suppression.dossiersRestes.isEmpty()
                                                                  ? dialogs::Icon::Information
                                                                  : dialogs::Icon::Exclamation);
    activerCommandesEtablissement(false);
}

void Accueil::MNU_Sauvegarde_Click()
{
    const QString echec = sauvegarde::sauvegarder(wallclock::now());
    if (!echec.isEmpty()) {
        dialogs::message(echec, dialogs::Icon::Critical);
        return;
    }
    unload();
    formInstance<Accueil>().showForm();
}

void Accueil::MNU_Videbase_Click()
{
    const auto reponse = dialogs::message(
        QStringLiteral("Attention, la base de donnée sera archivée et vidée au prochain démarrage de Vizmora. "
                       "Souhaitez vous continuer ?"),
        dialogs::Icon::None, dialogs::Buttons::OkCancel);
    const QString nonEcrit = demarrage::ecrireArchivageDemande(reponse == dialogs::Answer::Ok);
    if (!nonEcrit.isEmpty())
        dialogs::message(nonEcrit, dialogs::Icon::Critical);
}

void Accueil::MNU_Modif_Nom_Click()
{
    DBGridEtab_->modifierNom();
}

void Accueil::MNU_CSV_Click()
{
    const QString invite = QStringLiteral("Indiquer le type de séparateur utilisé dans le fichier csv :\n\r"
                                          " ; , . ou autre...");
    const QString titre = QStringLiteral("Séparateur csv...");
    const QString unSeulCaractere = QStringLiteral("Le séparateur csv se compose d'un seul caractère. "
                                                   "Généralement, il s'agit du point virgule ou de la virgule");
    auto reponse = dialogs::input(invite, titre);
    if (reponse && reponse->isEmpty())
        reponse = dialogs::input(invite, titre);
    if (reponse && reponse->size() > 1) {
        dialogs::message(unSeulCaractere, dialogs::Icon::Information);
        reponse = dialogs::input(invite, titre);
    }
    // Cancel, an empty answer or a second answer still too long keep the
    // separator in use.
    if (!reponse || reponse->isEmpty())
        return;
    if (reponse->size() > 1) {
        dialogs::message(unSeulCaractere, dialogs::Icon::Information);
        return;
    }
    etat::SeparateurCsv = *reponse;
    if (!EcrireRegistre(etat::kCleRegistre, QStringLiteral("csv"), etat::SeparateurCsv)) {
        dialogs::message(RegistreNonEcrit(etat::kCleRegistre,
                                          QStringLiteral("le séparateur « %1 » ne servira que jusqu'à la fermeture "
                                                         "de Zelvantis.").arg(etat::SeparateurCsv)),
                         dialogs::Icon::Exclamation);
        return;
    }
    dialogs::message(QStringLiteral("Le séparateur utilisé dans le csv est le caractère : %1").arg(etat::SeparateurCsv),
                     dialogs::Icon::Information);
}

void Accueil::Bt_Quitter_Click()
{
    unload();
}

void Accueil::Mnu_Photographe_Click()
{
    hideForm();
    formInstance<ParamPhotographe>().showForm();
}

void Accueil::MNU_App_Pho_Click()
{
    formInstance<HotFolder>().showForm();
}

void Accueil::MNU_Propos_Click()
{
    formInstance<Propos>().showForm();
}

void Accueil::Mnu_maj_Click()
{
    demarrage::ecrireDateMaj(wallclock::today());
    ouvrirMiseAJour();
    unload();
}
