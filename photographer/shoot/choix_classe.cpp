#include "photographer/shoot/choix_classe.h"

#include "common/database.h"
#include "common/dialogs.h"
#include "common/paths.h"
#include "common/report.h"
#include "common/text.h"
#include "common/ui/layout.h"
#include "photographer/data/dossiers_etab.h"
#include "photographer/data/etat.h"
#include "photographer/data/noms_photos.h"
#include "photographer/data/roster.h"
#include "photographer/deliveries/menus_livraison.h"
#include "photographer/prices/form_tarif_etab.h"
#include "photographer/shoot/bandeau_prise.h"
#include "photographer/shoot/boutons_classe.h"
#include "photographer/shoot/changement_classe.h"
#include "photographer/shoot/hot_folder.h"
#include "photographer/shoot/panneau_eleve.h"
#include "photographer/shoot/planche_eleves.h"
#include "photographer/shoot/prise_de_vue.h"
#include "photographer/ui/propos.h"

#include <QAction>
#include <QDir>
#include <QHideEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace {

constexpr unsigned kFond = 0xF8F8F8;
constexpr unsigned kBordeaux = 0x000080;
constexpr int kHautHaut = 1080;       // top band
constexpr int kLargeurDroite = 2415;  // right-hand panel
constexpr int kTopDroite = 960;
constexpr unsigned kFondAttente = 0xC0FFFF; // pale yellow: a notice, not an error
constexpr QSize kCadreImages{13455, 8175};

// The archive folders are made before the first picture, so that a drive
// that refuses them is told at once rather than at the first capture.
void creerDossierArchive(const QString& dossier)
{
    if (!paths::ensureFolder(dossier))
        dialogs::message(QStringLiteral("Le dossier d'archive %1 n'a pas pu être créé : les photos ne pourront pas "
                                        "y être archivées.").arg(QDir::toNativeSeparators(dossier)),
                         dialogs::Icon::Exclamation);
}

// Another window or program removed the student meanwhile: the board is read again.
void eleveDisparu()
{
    dialogs::message(QStringLiteral("Cet élève n'est plus dans la base : la liste de la classe est relue."),
                     dialogs::Icon::Exclamation);
}

} // namespace

ChoixClasse::ChoixClasse() : Form(QStringLiteral("ChoixClasse"))
{
    setWindowTitle(QStringLiteral("Choix de la classe..."));
    setFont(layout::font(QStringLiteral("Verdana"), 9.75, false));
    auto* centre = new QWidget(this);
    setCentralWidget(centre);
    layout::setBackground(centre, kFond);

    bandeau_ = new BandeauPrise(centre);
    layout::place(bandeau_, 0, 0, 24615, kHautHaut);
    connect(bandeau_, &BandeauPrise::Bt_Start_Click, this, &ChoixClasse::Bt_Start_Click);
    connect(bandeau_, &BandeauPrise::OptionMain_Click, this, &ChoixClasse::OptionMain_Click);
    construireCadre();
    // Above the board, where the photographer looks for the next picture.
    LbAttente_ = layout::caption(centre, QStringLiteral("LbAttente"), {});
    LbAttente_->setWordWrap(true);
    LbAttente_->setMargin(layout::px(45));
    layout::setBackground(LbAttente_, kFondAttente);
    layout::setTextColour(LbAttente_, kBordeaux);
    LbAttente_->hide();
    panneau_ = new PanneauEleve(centre);
    prise_ = new PriseDeVue(planche_, this);
    menus_ = std::make_unique<MenusPriseDeVue>(menuBar(), this);
    connecterPrise();
    connecterPanneau();
    connecterMenus();

    resize(layout::px(16170), layout::px(9495) + menuBar()->sizeHint().height());
}

void ChoixClasse::construireCadre()
{
    zoneImages_ = new QScrollArea(centralWidget());
    zoneImages_->setObjectName(QStringLiteral("ZoneImages"));
    zoneImages_->setFrameShape(QFrame::NoFrame);
    zoneImages_->horizontalScrollBar()->setObjectName(QStringLiteral("HScroll1"));
    zoneImages_->verticalScrollBar()->setObjectName(QStringLiteral("VScroll1"));
    zoneImages_->setWidgetResizable(false);
    layout::setBackground(zoneImages_->viewport(), 0xFFFFFF);

    FrameImages_ = new QWidget;
    FrameImages_->setObjectName(QStringLiteral("FrameImages"));
    layout::setBackground(FrameImages_, 0xFFFFFF);
    FrameImages_->resize(layout::px(kCadreImages.width()), layout::px(kCadreImages.height()));
    zoneImages_->setWidget(FrameImages_);

    LabelClasse_ = layout::caption(FrameImages_, QStringLiteral("LabelClasse"), {});
    LabelClasse_->setFont(layout::font(QStringLiteral("Verdana"), 9.75, true));
    layout::setTextColour(LabelClasse_, kBordeaux);
    LabelClasse_->move(0, 0);
    LabelClasse_->hide();
    boutons_ = new BoutonsClasse(FrameImages_);
    connect(boutons_, &BoutonsClasse::choisie, this, &ChoixClasse::Bt_Classe_Click);
    planche_ = new PlancheEleves(FrameImages_);
    connect(planche_, &PlancheEleves::clicGauche, this, &ChoixClasse::Photo_Click);
    connect(planche_, &PlancheEleves::clicDroit, this, &ChoixClasse::Photo_MouseDown);
}

void ChoixClasse::connecterPrise()
{
    connect(prise_, &PriseDeVue::demarree, this, &ChoixClasse::captureDemarree);
    connect(prise_, &PriseDeVue::arretDemande, this, [this] { Bt_Start_Click(1); });
    connect(prise_, &PriseDeVue::arretSurFichier, this, [this] {
        const int marque = planche_->marque();
        Bt_Start_Click(1);
        marquer(marque);
    });
    connect(prise_, &PriseDeVue::classementRegle, this, &ChoixClasse::relireClasse);
    connect(prise_, &PriseDeVue::avancement, bandeau_, &BandeauPrise::avancement);
    connect(prise_, &PriseDeVue::marqueSuivante, this, &ChoixClasse::marquer);
    connect(prise_, &PriseDeVue::finDeClasse, this, &ChoixClasse::finDeClasse);
    connect(prise_, &PriseDeVue::attente, this, &ChoixClasse::direAttente);
}

void ChoixClasse::connecterPanneau()
{
    connect(panneau_, &PanneauEleve::ajoutDemande, this, &ChoixClasse::ouvrirAjout);
    connect(panneau_, &PanneauEleve::ajoutValide, this, &ChoixClasse::ajouterEleve);
    connect(panneau_, &PanneauEleve::ajoutAnnule, this, &ChoixClasse::fermerAjout);
    connect(panneau_, &PanneauEleve::changementValide, this, &ChoixClasse::changerClasse);
    connect(panneau_, &PanneauEleve::fermer, this, [this] { unload(); });
}

void ChoixClasse::connecterMenus()
{
    const MenusPriseDeVue& m = *menus_;
    connect(m.MNU_AjoutEleve, &QAction::triggered, this, &ChoixClasse::ouvrirAjout);
    connect(m.MNU_Changer, &QAction::triggered, this, &ChoixClasse::MNU_Changer_Click);
    connect(m.MNU_Créer_Classe, &QAction::triggered, this, &ChoixClasse::MNU_Créer_Classe_Click);
    // Each delivery entry shows its delivery window in place of the screen.
    for (QAction* entree : m.livraisons)
        connect(entree, &QAction::triggered, this,
                [this, nom = entree->objectName()] { menus_livraison::afficher(nom, *this); });
    connect(m.MNU_Test_Prise_vue, &QAction::triggered, prise_, &PriseDeVue::MNU_Test_Prise_vue_Click);
    connect(m.MNU_Net_hot, &QAction::triggered, prise_, &PriseDeVue::MNU_Net_hot_Click);
    connect(m.MNU_Purge_Hot, &QAction::triggered, prise_, &PriseDeVue::MNU_Purge_Hot_Click);
    connect(m.MNU_Sans_PC, &QAction::triggered, this, &ChoixClasse::MNU_Sans_PC_Click);
    connect(m.MNU_Tarif_Etab, &QAction::triggered, this, [this] { ressaisirTarifsEtablissement(*this); });
    connect(m.MNU_Propos, &QAction::triggered, this, [this] {
        retourPropos_ = true;
        formInstance<Propos>().showForm();
    });
    connect(m.MNU_Change_Classe, &QAction::triggered, this, &ChoixClasse::MNU_Change_Classe_Click);
    connect(m.MNU_Sup_Eleve, &QAction::triggered, this, &ChoixClasse::MNU_Sup_Eleve_Click);
}

// ---- the screen ----------------------------------------------------------

void ChoixClasse::onLoad()
{
    menus_->MNU_AjoutEleve->setEnabled(false);
    menus_->MNU_Changer->setEnabled(false);
    if (const dossiers_etab::Dossiers dossiers = dossiers_etab::de(etat::NomEtabEnCours); dossiers.valides())
        creerDossierArchive(dossiers.archive);
    // What a crash interrupted is settled, whatever establishment it was for: the filings first,
    // as a filing puts its files under the class it was made for, which a class move then takes
    // along.
    prise_->reglerPuis([this] {
        if (const QStringList reprises = changement_classe::reprendre(); !reprises.isEmpty()) {
            relireClasse();
            dialogs::message(reprises.join(u'\n'), dialogs::Icon::Exclamation);
        }
    });
}

void ChoixClasse::onActivate()
{
    // Coming back from the about box, opened from here, is no activation:
    // the shoot goes on as it was.
    if (retourPropos_) {
        retourPropos_ = existingForm<Propos>() != nullptr;
        return;
    }
    activer();
}

void ChoixClasse::activer()
{
    if (etat::DossierHot.isEmpty()) {
        dialogs::message(QStringLiteral("Avant de commencer la prise de vues, vous devez définir le dossier qui va "
                                        "recevoir les photos..."));
        formInstance<HotFolder>().showForm();
    }
    if (etat::SensPriseDeVue == u"TeteGauche" || etat::SensPriseDeVue == u"TeteDroite") {
        const int index = etat::SensPriseDeVue == u"TeteGauche" ? 0 : 1;
        bandeau_->sens(index)->setChecked(true);
        OptionMain_Click(index);
    }

    try {
        const auto etab = roster::etablissement(etat::CodeEtabEnCours);
        bandeau_->afficherEtablissement(etab ? etab->nom : QString(), etab ? etab->codePostal : QString());
        classes_ = roster::classes(etat::CodeEtabEnCours);
    } catch (const db::Error& error) {
        report::failure(error);
        bandeau_->afficherEtablissement({}, {});
        classes_.clear();
    }

    etendueBoutons_ = boutons_->afficher(classes_);
    ajusterCadre();
}

void ChoixClasse::ajusterCadre()
{
    const QSize planche = planche_->dernierIndice() >= 0 ? planche_->etendue() + QSize(650, 0) : QSize();
    const QSize etendue = kCadreImages.expandedTo(etendueBoutons_).expandedTo(planche);
    FrameImages_->resize(layout::px(etendue.width()), layout::px(etendue.height()));
}

void ChoixClasse::onUnload()
{
    prise_->suspendre();
    mainWindow::show();
}

void ChoixClasse::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    disposer();
}

void ChoixClasse::hideEvent(QHideEvent* event)
{
    // A hidden screen never files pictures nobody sees.
    if (!event->spontaneous()) {
        prise_->suspendre();
        menus_->MNU_Export->menuAction()->setEnabled(true);
        menus_->MNU_Sans_PC->setEnabled(true);
        menus_->MNU_Net_hot->setEnabled(true);
    }
    Form::hideEvent(event);
}

void ChoixClasse::disposer()
{
    const QSize place = centralWidget()->size();
    const int droite = layout::px(kLargeurDroite);
    const int largeur = std::max(0, place.width() - droite);
    int haut = layout::px(kHautHaut);
    panneau_->setGeometry(place.width() - droite, layout::px(kTopDroite), droite,
                          std::max(0, place.height() - layout::px(kTopDroite)));
    if (!LbAttente_->isHidden()) {
        const int hauteur = LbAttente_->heightForWidth(largeur);
        LbAttente_->setGeometry(0, haut, largeur, hauteur);
        haut += hauteur;
    }
    zoneImages_->setGeometry(0, haut, largeur, std::max(0, place.height() - haut));
}

void ChoixClasse::direAttente(const QString& ligne)
{
    if (ligne == LbAttente_->text() && LbAttente_->isHidden() == ligne.isEmpty())
        return;
    LbAttente_->setText(ligne);
    LbAttente_->setVisible(!ligne.isEmpty());
    disposer();
}

void ChoixClasse::Bt_Classe_Click(int index)
{
    if (index < 0 || index >= classes_.size())
        return;
    // The board changes under the mark: whatever was armed stops first.
    if (prise_->enCours())
        Bt_Start_Click(1);
    menus_->MNU_AjoutEleve->setEnabled(true);
    menus_->MNU_Changer->setEnabled(true);
    menus_->MNU_Sans_PC->setEnabled(true);
    menus_->MNU_Créer_Classe->setEnabled(false);
    menus_->MNU_Tarif_Etab->setEnabled(false);
    menus_->MNU_Final->menuAction()->setEnabled(false);
    bandeau_->stop()->show();
    etat::ClasseEnCours = classes_[index];

    boutons_->retirer();
    etendueBoutons_ = {};

    rebatirPlanche();
    LabelClasse_->show();
    bandeau_->montrerSens(true);
    panneau_->montrerClasse(true);
    setWindowTitle(QStringLiteral("Mode Prise de vues - ") + etat::ClasseEnCours);
    raise();

    creerDossierArchive(
        paths::join(dossiers_etab::de(etat::NomEtabEnCours).archive, {paths::component(etat::ClasseEnCours)}));
}

void ChoixClasse::rebatirPlanche()
{
    std::vector<roster::Eleve> eleves;
    try {
        eleves = roster::eleves(etat::CodeEtabEnCours, etat::ClasseEnCours);
    } catch (const db::Error& error) {
        report::failure(error);
    }
    planche_->charger(std::move(eleves), dossiers_etab::de(etat::NomEtabEnCours).donnees);
    LabelClasse_->setText(
        QStringLiteral("Classe : %1 - %2 élèves").arg(etat::ClasseEnCours).arg(planche_->dernierIndice() + 1));
    LabelClasse_->adjustSize();
    marquer(-1);
    ajusterCadre();
}

void ChoixClasse::relireClasse()
{
    // A class chosen while the settling still ran was read before it.
    if (LabelClasse_->isHidden())
        return;
    const int marque = planche_->marque();
    const QString cle = marque >= 0 ? planche_->eleves()[std::size_t(marque)].cle : QString();
    rebatirPlanche();
    const int slot = planche_->indiceDe(cle);
    if (slot >= 0)
        marquer(slot);
    else if (prise_->enCours())
        Bt_Start_Click(1);
}

void ChoixClasse::OptionMain_Click(int index)
{
    bandeau_->stop()->setEnabled(true);
    prise_->sensChoisi();
    menus_->MNU_Export->menuAction()->setEnabled(false);
    etat::SensPriseDeVue = index == 0 ? QStringLiteral("TeteGauche") : QStringLiteral("TeteDroite");
}

void ChoixClasse::Photo_Click(int slot)
{
    if (prise_->prete()) {
        // Nobody is marked for a shoot that did not start.
        if (!prise_->demarrer())
            return;
    } else if (!prise_->importManuel()) {
        dialogs::message(QStringLiteral("Vous devez préciser si vous shootez MAIN DROITE EN BAS ou MAIN DROITE EN HAUT"),
                         dialogs::Icon::Information);
        return;
    }
    marquer(slot);
}

void ChoixClasse::Photo_MouseDown(int slot, QPoint globalPos)
{
    if (slot < 0 || slot > planche_->dernierIndice())
        return;
    cleMenu_ = planche_->eleves()[std::size_t(slot)].cle;
    menus_->MNU_POPUP_ELEVES->popup(globalPos);
}

// ---- capture ---------------------------------------------------------------

void ChoixClasse::captureDemarree()
{
    menus_->MNU_Net_hot->setEnabled(false);
    bandeau_->stop()->setEnabled(true);
    bandeau_->stop()->show();
}

void ChoixClasse::arreterCapture()
{
    prise_->arreter();
    marquer(-1);
}

void ChoixClasse::marquer(int slot)
{
    planche_->marquer(slot);
    menus_->MNU_Test_Prise_vue->setEnabled(planche_->marque() >= 0);
}

void ChoixClasse::Bt_Start_Click(int index)
{
    if (index == 0) {
        menus_->MNU_Final->menuAction()->setEnabled(false);
        return;
    }
    bandeau_->stop()->setEnabled(false);
    bandeau_->activerSens(true);
    arreterCapture();
    bandeau_->montrerImportManuel(false);
    menus_->MNU_Export->menuAction()->setEnabled(true);
    menus_->MNU_Sans_PC->setEnabled(true);
    menus_->MNU_Net_hot->setEnabled(true);
    menus_->MNU_Final->menuAction()->setEnabled(true);
}

void ChoixClasse::finDeClasse(const QStringList& originauxGardes)
{
    Bt_Start_Click(1);
    prise_->finirImportManuel();
    bandeau_->decocherSens();
    QString fin = QStringLiteral("Fin");
    if (!originauxGardes.isEmpty())
        fin += QStringLiteral("\nLes photos d'origine remplacées dans l'archive ont été gardées :\n")
               + originauxGardes.join(u'\n');
    dialogs::message(fin);
}

void ChoixClasse::MNU_Sans_PC_Click()
{
    const bool manuel = prise_->basculerImportManuel();
    bandeau_->montrerImportManuel(manuel);
    bandeau_->activerSens(!manuel);
    if (manuel)
        bandeau_->stop()->show();
}

// ---- roster ----------------------------------------------------------------

void ChoixClasse::ouvrirAjout()
{
    arreterCapture();
    panneau_->ouvrirAjout();
    menus_->MNU_AjoutEleve->setEnabled(false);
}

void ChoixClasse::ajouterEleve(const QString& nom, const QString& prenom)
{
    arreterCapture();
    // Every picture of the student is filed under the class and these names.
    if (const noms_photos::Longueur longueur = noms_photos::longueur(etat::ClasseEnCours, nom, prenom);
        !longueur.tient()) {
        dialogs::message(QStringLiteral("Le nom et le prénom sont trop longs pour nommer les photos de l'élève : avec "
                                        "la classe, %1. L'élève n'a pas été ajouté.")
                             .arg(longueur.limite()),
                         dialogs::Icon::Critical);
        return;
    }
    if (!report::attempt([&] { roster::ajouterEleve(etat::CodeEtabEnCours, etat::ClasseEnCours, nom, prenom); }))
        return;
    rebatirPlanche();
    fermerAjout();
}

void ChoixClasse::fermerAjout()
{
    panneau_->fermerAjout();
    menus_->MNU_AjoutEleve->setEnabled(true);
}

void ChoixClasse::changerClasse(const QString& cle, const QString& classe)
{
    arreterCapture();
    const int slot = planche_->indiceDe(cle);
    if (slot < 0) {
        panneau_->fermerChangement();
        return;
    }
    const roster::Eleve eleve = planche_->eleves()[std::size_t(slot)];
    changement_classe::Issue issue;
    if (!report::attempt([&] { issue = changement_classe::deplacer(eleve, etat::ClasseEnCours, classe); }))
        return;
    if (!issue.refus.isEmpty())
        dialogs::message(issue.refus, dialogs::Icon::Critical);
    if (!issue.gardes.isEmpty())
        dialogs::message(QStringLiteral("Des fichiers portaient déjà les noms des photos de %1 %2 dans la classe %3 : "
                                        "ils ont été gardés sous ces noms :\n")
                                 .arg(eleve.nom, eleve.prenom, classe)
                             + issue.gardes.join(u'\n'),
                         dialogs::Icon::Information);
    if (issue.disparu)
        eleveDisparu();
    // Refused: the panel stays open for another class.
    if (!issue.refus.isEmpty() && !issue.disparu)
        return;
    rebatirPlanche();
    panneau_->fermerChangement();
}

void ChoixClasse::MNU_Change_Classe_Click()
{
    const int slot = planche_->indiceDe(cleMenu_);
    if (slot < 0)
        return;
    // Read at every opening, so that a class created meanwhile is offered.
    QStringList classes;
    try {
        classes = roster::classes(etat::CodeEtabEnCours);
    } catch (const db::Error& error) {
        report::failure(error);
    }
    panneau_->ouvrirChangement(planche_->eleves()[std::size_t(slot)], classes);
}

void ChoixClasse::MNU_Sup_Eleve_Click()
{
    const int slot = planche_->indiceDe(cleMenu_);
    if (slot < 0)
        return;
    const roster::Eleve eleve = planche_->eleves()[std::size_t(slot)];
    if (dialogs::message(QStringLiteral("l'élève : %1 %2 sera supprimé définitivement...").arg(eleve.prenom, eleve.nom),
                         dialogs::Icon::None, dialogs::Buttons::OkCancel, QStringLiteral("Suppression d'un élève..."))
        != dialogs::Answer::Ok)
        return;
    arreterCapture();
    bool trouve = false;
    if (!report::attempt([&] { trouve = roster::supprimerEleve(eleve.cle); }))
        return;
    if (!trouve)
        eleveDisparu();
    rebatirPlanche();
}

void ChoixClasse::MNU_Créer_Classe_Click()
{
    const std::optional<QString> reponse = dialogs::input(QStringLiteral("Saisissez le nom de la classe à créer :"));
    if (!reponse || reponse->isEmpty())
        return;
    // The class names folders of the archive and the copies.
    const QString refus = paths::componentRefusal(*reponse);
    if (!refus.isEmpty()) {
        dialogs::message(refus, dialogs::Icon::Critical);
        return;
    }
    QString tropLongue;
    if (!report::attempt([&] { tropLongue = roster::refusNomsClasse(etat::CodeEtabEnCours, *reponse); }))
        return;
    if (!tropLongue.isEmpty()) {
        dialogs::message(tropLongue, dialogs::Icon::Critical);
        return;
    }
    arreterCapture();
    if (!report::attempt([&] { roster::creerClasse(etat::CodeEtabEnCours, text::composed(*reponse)); }))
        return;
    activer();
}

void ChoixClasse::MNU_Changer_Click()
{
    activer();
    if (prise_->enCours())
        Bt_Start_Click(1);
    arreterCapture();
    // A panel left open would write into the class that is no longer shown.
    fermerAjout();
    panneau_->fermerChangement();
    planche_->vider();
    ajusterCadre();
    setWindowTitle(QStringLiteral("Choix Classe..."));
    LabelClasse_->hide();
    menus_->MNU_Tarif_Etab->setEnabled(true);
    menus_->MNU_Créer_Classe->setEnabled(true);
    menus_->MNU_Final->menuAction()->setEnabled(true);
    menus_->MNU_Net_hot->setEnabled(true);
    menus_->MNU_AjoutEleve->setEnabled(false);
    menus_->MNU_Changer->setEnabled(false);
    panneau_->montrerClasse(false);
    bandeau_->montrerSens(false);
    bandeau_->stop()->hide();
}
