#include "school/workspace/form_accueil.h"

#include "common/dialogs.h"
#include "common/ui/layout.h"
#include "common/ui/program.h"
#include "common/report.h"
#include "common/shell.h"
#include "school/class_board/documents.h"
#include "school/class_board/planche.h"
#include "school/class_board/deplacement.h"
#include "school/group_board/planche_groupe.h"
#include "school/sales/form_carte_ident.h"
#include "school/sales/form_vente.h"
#include "school/workspace/a_propos.h"
#include "school/workspace/ajout_eleve.h"
#include "school/workspace/assistant_groupe.h"
#include "school/workspace/bandeau.h"
#include "school/workspace/colonne_gauche.h"
#include "school/workspace/demarrage.h"
#include "school/workspace/liste_choix.h"
#include "school/workspace/menus_accueil.h"
#include "school/workspace/zone_planche.h"
#include "school/data/base.h"
#include "school/data/etat.h"
#include "school/data/requetes.h"

#include <QAction>
#include <QComboBox>
#include <QMenuBar>
#include <QPushButton>

void FormAccueil::registerAsMainWindow()
{
    mainWindow::setAccess([]() -> Form* { return existingForm<FormAccueil>(); });
}

FormAccueil::FormAccueil() : Form(QStringLiteral("FormAccueil"))
{
    setWindowTitle(QStringLiteral("Vizmora"));
    setFont(layout::font(QStringLiteral("Verdana"), 9.75));
    auto* fond = new QWidget(this);
    layout::setBackground(fond, 0xFFFFFF);
    setCentralWidget(fond);
    zone_ = new ZonePlanche(fond);
    Frame1_ = &zone_->planche();
    colonne_ = new ColonneGauche(fond);
    bandeau_ = new Bandeau(fond);
    menus_ = new MenusAccueil(menuBar(), this);
    ajoutEleve_ = new AjoutEleve(colonne_->saisie, this);
    assistant_ = new AssistantGroupe(bandeau_->etapes, *colonne_->liste, *Frame1_, this);
    relierPlanche();
    relierColonne();
    relierBandeau();
    relierMenus();
    resize(layout::px(14895), layout::px(9915) + menuBar()->sizeHint().height());
}

// ---------------------------------------------------------------------------
// The commands of the screen's parts

std::function<void()> FormAccueil::commande(void (FormAccueil::*action)())
{
    return [this, action] { report::attempt([this, action] { (this->*action)(); }); };
}

std::function<void(int)> FormAccueil::commande(void (FormAccueil::*action)(int))
{
    return [this, action](int index) { report::attempt([this, action, index] { (this->*action)(index); }); };
}

void FormAccueil::relierPlanche()
{
    connect(Frame1_, &Planche::portraitClique, this, commande(&FormAccueil::Image2_Click));
    connect(Frame1_, &Planche::changementClasseDemande, this, commande(&FormAccueil::ImageChgClasse_Click));
    connect(Frame1_, &Planche::suppressionDemandee, this, commande(&FormAccueil::ImageSuppEleve_Click));
}

void FormAccueil::relierColonne()
{
    const ColonneGauche& c = *colonne_;
    connect(c.DBComboClasses, &QComboBox::activated, this, commande(&FormAccueil::DBComboClasses_Choix));
    connect(c.Bt_Aficher, &QPushButton::clicked, this, commande(&FormAccueil::Bt_Aficher_Click));
    connect(c.Bt_Creer_Groupe, &QPushButton::clicked, this, commande(&FormAccueil::Bt_Creer_Groupe_Click));
    connect(c.DBComboGroupe, &QComboBox::activated, this, commande(&FormAccueil::DBComboGroupe_Choix));
    connect(c.Aff_Groupe, &QPushButton::clicked, this, commande(&FormAccueil::Aff_Groupe_Click));
    connect(c.liste, &ListeChoix::retraitDemande, this,
            [this](int index) { report::attempt([this, index] { assistant_->retirer(index); }); });
    connect(c.liste, &ListeChoix::ligneAjoutee, this, [this](int hauteur) { colonne_->descendreZones(hauteur); });
    connect(c.Bt_Ajout_Eleve, &QPushButton::clicked, this, commande(&FormAccueil::Bt_Ajout_Eleve_Click));
    connect(c.Bt_Valide_Ajout_Eleve, &QPushButton::clicked, this, commande(&FormAccueil::Bt_Valide_Ajout_Eleve_Click));
    connect(c.saisie.Bt_Ajout_Photo, &QPushButton::clicked, this, commande(&FormAccueil::Bt_Ajout_Photo_Click));
    connect(c.Bt_Vente, &QPushButton::clicked, this, [this] {
        hideForm();
        formInstance<FormVente>().showForm();
    });
    connect(c.Frame2, &PanneauDeplacement::ferme, this, &FormAccueil::deplacementFerme);
    connect(c.Frame2, &PanneauDeplacement::eleveDeplace, this, [this] {
        report::attempt([this] {
            construirePlancheClasse(Construction::ApresDeplacement);
            remplirListeClasses();
        });
    });
}

void FormAccueil::relierBandeau()
{
    connect(bandeau_->etapes.Valider, &QPushButton::clicked, this, [this] { commande(&FormAccueil::Bt_Etapes_Click)(0); });
    connect(bandeau_->etapes.Termine, &QPushButton::clicked, this, [this] { commande(&FormAccueil::Bt_Etapes_Click)(1); });
}

void FormAccueil::relierMenus()
{
    connect(menus_->MNU_Trimestre, &QAction::triggered, this, commande(&FormAccueil::MNU_Trimestre_Click));
    connect(menus_->MNU_Imp_Toutes_Classes, &QAction::triggered, this,
            commande(&FormAccueil::MNU_Imp_Toutes_Classes_Click));
    connect(menus_->MNU_Groupes, &QAction::triggered, this, commande(&FormAccueil::MNU_Groupes_Click));
    connect(menus_->MNU_Quitter, &QAction::triggered, this, &FormAccueil::unload);
    connect(menus_->MNU_Aide, &QAction::triggered, this, &FormAccueil::MNU_Aide_Click);
}

// ---------------------------------------------------------------------------
// Start, activation, end

void FormAccueil::onLoad()
{
    const demarrage::Depart depart = demarrage::demarrer();
    const QString& erreur = depart.erreur;
    if (!erreur.isEmpty())
        report::failure(erreur);
    if (!erreur.isEmpty() || !report::attempt([this] {
            nomEtab_ = requetes::nomEtablissement(base::db());
            remplirListeClasses();
            remplirListeGroupes();
        })) {
        startFailed();
        unload();
        return;
    }
    etat::PlancheChargee = false;
    if (!depart.avis.isEmpty())
        dialogs::message(depart.avis.join(QStringLiteral("\n\n")), dialogs::Icon::Exclamation);
}

void FormAccueil::onActivate()
{
    layout::centreOnScreen(*this);
    setWindowTitle(QStringLiteral("Vizmora - ") + nomEtab_);
    etat::NomEtabEnCours = nomEtab_;
}

void FormAccueil::onUnload()
{
    // The program ends with its main window, about box included.
    if (APropos* aPropos = existingForm<APropos>())
        aPropos->unload();
    base::fermer();
}

void FormAccueil::MNU_Aide_Click()
{
    unload();
    shell::openOrReport(shell::updateAddress(QStringLiteral("/telechargement/majVizmora.exe")));
}

// ---------------------------------------------------------------------------
// Class and group lists

void FormAccueil::remplirListeClasses()
{
    const QStringList classes = requetes::classes(base::db());
    const QString affichee = colonne_->DBComboClasses->currentIndex() >= 0 ? etat::ClasseChoisie : QString();
    colonne_->DBComboClasses->clear();
    colonne_->DBComboClasses->addItems(classes);
    colonne_->DBComboClasses->setCurrentIndex(affichee.isEmpty() ? -1 : colonne_->DBComboClasses->findText(affichee));
    ColonneGauche::elargirListe(colonne_->DBComboClasses);
}

void FormAccueil::remplirListeGroupes()
{
    const QStringList groupes = requetes::groupes(base::db());
    colonne_->DBComboGroupe->clear();
    colonne_->DBComboGroupe->addItems(groupes);
    colonne_->DBComboGroupe->setCurrentIndex(-1);
    ColonneGauche::elargirListe(colonne_->DBComboGroupe);
}

void FormAccueil::DBComboClasses_Choix(int index)
{
    quitterPlanche(colonne_->Bt_Aficher, colonne_->DBComboGroupe);
    etat::ClasseChoisie = colonne_->DBComboClasses->itemText(index);
    assistant_->classeOuverte(etat::ClasseChoisie);
}

void FormAccueil::DBComboGroupe_Choix(int index)
{
    quitterPlanche(colonne_->Aff_Groupe, colonne_->DBComboClasses);
    colonne_->DBComboClasses->setCurrentIndex(-1);
    etat::NomGroupeChoisi = colonne_->DBComboGroupe->itemText(index);
}

void FormAccueil::quitterPlanche(QPushButton* afficher, QComboBox* autreListe)
{
    abandonnerDeplacement();
    for (QPushButton* bouton : {colonne_->Bt_Aficher, colonne_->Aff_Groupe})
        bouton->setEnabled(bouton == afficher);
    colonne_->Bt_Ajout_Eleve->setEnabled(false);
    autreListe->setEnabled(false);
    bandeau_->cacherTitre();
    viderPlanches();
    menus_->desactiverImpression();
    menus_->MNU_Imp_Toutes_Classes->setEnabled(true);
    menus_->MNU_Groupes->setEnabled(true);
}

// ---------------------------------------------------------------------------
// Boards

void FormAccueil::Bt_Aficher_Click()
{
    abandonnerDeplacement();
    construirePlancheClasse(Construction::Affichage);
}

void FormAccueil::construirePlancheClasse(Construction construction)
{
    const std::vector<CelluleEleve> eleves = elevesDeClasse(base::db(), etat::ClasseChoisie);
    if (eleves.empty()) {
        retirerPlancheEtImpressions();
        return;
    }
    Frame1_->construire(TypePlanche::Classe, eleves, etat::ModeCreationGroupe);
    etat::PlancheChargee = true;

    if (construction != Construction::Affichage) {
        colonne_->Aff_Groupe->setEnabled(false);
        colonne_->DBComboClasses->setEnabled(true);
        const DocumentsEcrits documents =
            construction == Construction::ApresDeplacement
                ? ecrirePlancheClasse(etat::CheminDonnees, etat::ClasseChoisie, eleves)
                : ecrirePlancheApresSuppression(etat::CheminDonnees, etat::ClasseChoisie, eleves);
        nommerPlanche(documents);
        montrerErreurDocuments(documents);
        return;
    }

    etat::PlancheClasse = true;
    zone_->remettreDefilement();
    colonne_->Bt_Aficher->setEnabled(false);
    colonne_->Bt_Ajout_Eleve->setEnabled(true);
    colonne_->DBComboGroupe->setEnabled(!etat::ModeCreationGroupe);
    bandeau_->LbClasse->setText(etat::ClasseChoisie);
    bandeau_->montrerTitre(QStringLiteral("Classe :"), !etat::ModeCreationGroupe);

    const DocumentsEcrits documents = ecrireDocumentsClasse(etat::CheminDonnees, etat::ClasseChoisie, eleves);
    menus_->MNU_Imprimer->setText(QStringLiteral("Imprimer Classe en cours..."));
    nommerPlanche(documents);
    menus_->nommerCartes(documents.cartes, documents.etiquettes);
    menus_->MNU_Trimestre->setEnabled(true);
    montrerErreurDocuments(documents);
}

void FormAccueil::Aff_Groupe_Click()
{
    abandonnerDeplacement();
    construirePlancheGroupe(false);
}

void FormAccueil::construirePlancheGroupe(bool reconstruction)
{
    const std::optional<DocumentsEcrits> documents = planche_groupe::construire(
        *Frame1_, base::db(), etat::CheminDonnees, etat::NomGroupeChoisi, etat::ModeCreationGroupe);
    if (!documents) {
        retirerPlancheEtImpressions();
        return;
    }
    etat::PlancheChargee = false;
    colonne_->Aff_Groupe->setEnabled(false);
    colonne_->DBComboClasses->setEnabled(true);
    if (!etat::ModeCreationGroupe)
        bandeau_->LbClasse->setText(etat::NomGroupeChoisi);
    bandeau_->montrerTitre(QStringLiteral("Groupe :"), true);

    nommerPlanche(*documents);
    montrerErreurDocuments(*documents);
    if (reconstruction)
        return;

    zone_->remettreDefilement();
    etat::PlancheClasse = false;
    colonne_->Bt_Ajout_Eleve->setEnabled(true);
    menus_->MNU_Imprimer->setText(QStringLiteral("Imprimer Groupe en cours..."));
    // The term sheet is a class's; the cards and labels stay those of the class shown last.
    menus_->MNU_Trimestre->setEnabled(false);
    menus_->activerCartes();
}

void FormAccueil::nommerPlanche(const DocumentsEcrits& documents)
{
    menus_->nommerDocument(documents.planche);
    menus_->MNU_Imprimer->setEnabled(!documents.planche.isEmpty());
}

void FormAccueil::montrerErreurDocuments(const DocumentsEcrits& documents)
{
    if (!documents.erreur.isEmpty())
        dialogs::message(documents.erreur, dialogs::Icon::Critical);
}

void FormAccueil::viderPlanches()
{
    Frame1_->vider();
    etat::PlancheChargee = false;
}

// ---------------------------------------------------------------------------
// Adding a student to the class shown, or students to the group shown

void FormAccueil::Bt_Ajout_Eleve_Click()
{
    abandonnerDeplacement();
    colonne_->DBComboClasses->setEnabled(false);
    colonne_->DBComboGroupe->setEnabled(false);
    colonne_->Bt_Ajout_Eleve->hide();
    colonne_->Bt_Valide_Ajout_Eleve->show();
    colonne_->Bt_Valide_Ajout_Eleve->raise();
    colonne_->Bt_Creer_Groupe->setEnabled(false);
    colonne_->LbCompta->hide();
    colonne_->Bt_Vente->hide();
    colonne_->Bt_Aficher->setEnabled(false);
    colonne_->Aff_Groupe->setEnabled(false);
    etat::NomNouveauGroupe = bandeau_->LbClasse->text();

    if (etat::PlancheClasse && !etat::ModeCreationGroupe) {
        // The board waits while the student is typed.
        Frame1_->setEnabled(false);
        colonne_->Bt_Valide_Ajout_Eleve->setEnabled(false);
        colonne_->agrandirZoneAjout();
        colonne_->Shape2->raise();
        for (QWidget* zone : std::initializer_list<QWidget*>{colonne_->LabelAjoutEleve, colonne_->Bt_Valide_Ajout_Eleve}) {
            zone->show();
            zone->raise();
        }
        ajoutEleve_->ouvrir();
        return;
    }

    assistant_->commencerAjout();
    bandeau_->cacherTitre();
    colonne_->DBComboClasses->setEnabled(true);
    colonne_->LabelAjoutEleve->show();
    colonne_->Shape3->hide();
    // "Valider" ends the addition whenever the user wants, picks or not.
    colonne_->Bt_Valide_Ajout_Eleve->setEnabled(true);
    viderPlanches();
}

void FormAccueil::Bt_Ajout_Photo_Click()
{
    const QString fichier = ajoutEleve_->demanderPhoto();
    fermerZoneAjout();
    if (ajoutEleve_->enregistrer(fichier))
        construirePlancheClasse(Construction::Affichage);
}

void FormAccueil::Bt_Valide_Ajout_Eleve_Click()
{
    if (assistant_->ajoutEnCours())
        terminerAjoutGroupe();
}

void FormAccueil::fermerZoneAjout()
{
    Frame1_->setEnabled(true);
    colonne_->DBComboClasses->setEnabled(true);
    colonne_->DBComboGroupe->setEnabled(true);
    colonne_->Bt_Ajout_Eleve->setEnabled(true);
    colonne_->Bt_Ajout_Eleve->show();
    colonne_->Bt_Valide_Ajout_Eleve->hide();
    colonne_->Bt_Creer_Groupe->setEnabled(true);
    colonne_->Shape3->show();
    colonne_->LbCompta->show();
    colonne_->Bt_Vente->show();
    ajoutEleve_->fermer();
    colonne_->reposerZoneAjout();
}

void FormAccueil::terminerAjoutGroupe()
{
    fermerZoneAjout();
    if (assistant_->terminerAjout()) {
        viderPlanches();
        Aff_Groupe_Click();
    }
    colonne_->placerZonesBas();
}

// ---------------------------------------------------------------------------
// The group wizard and the picks

void FormAccueil::Bt_Creer_Groupe_Click()
{
    etat::PlancheClasse = false;
    zone_->remettreDefilement();
    menus_->desactiverImpression();
    menus_->MNU_Imp_Toutes_Classes->setEnabled(false);
    menus_->MNU_Groupes->setEnabled(false);
    colonne_->Bt_Aficher->setEnabled(false);
    // A group board would bring back the class list before the name is given.
    colonne_->Aff_Groupe->setEnabled(false);
    colonne_->Bt_Ajout_Eleve->hide();
    colonne_->Bt_Valide_Ajout_Eleve->hide();
    colonne_->Bt_Vente->hide();
    bandeau_->cacherTitre();
    viderPlanches();
    colonne_->DBComboClasses->setEnabled(false);
    colonne_->DBComboGroupe->setEnabled(false);
    assistant_->demarrer();
    for (QWidget* zone : std::initializer_list<QWidget*>{colonne_->Shape2, colonne_->LabelAjoutEleve, colonne_->Shape3, colonne_->LbCompta})
        zone->hide();
    colonne_->Bt_Creer_Groupe->setEnabled(false);
}

void FormAccueil::Bt_Etapes_Click(int index)
{
    if (index == 0 && assistant_->validerNom())
        colonne_->DBComboClasses->setEnabled(true);
    else if (index == 1)
        terminerAssistant();
}

void FormAccueil::terminerAssistant()
{
    assistant_->terminer();
    colonne_->Bt_Creer_Groupe->setEnabled(true);
    colonne_->Bt_Aficher->setEnabled(false);
    if (etat::PlancheChargee)
        viderPlanches();
    colonne_->DBComboClasses->setEnabled(true);
    colonne_->DBComboGroupe->setEnabled(true);
    remplirListeGroupes();
    colonne_->placerZonesBas();
}

void FormAccueil::Image2_Click(int index)
{
    if (ajoutEleve_->ouvert() || index < 0 || index >= Frame1_->nombre())
        return;
    etat::CdeEleveChoisi = Frame1_->cellule(index).cdeEleve;
    etat::IndexPhotoChoisie = index;
    // A group board's cells carry no photo code to pick from.
    if (Frame1_->type() != TypePlanche::Classe)
        return;
    if (etat::ModeCreationGroupe) {
        choisirEleve(index);
        return;
    }
    FormCarteIdent& carte = formInstance<FormCarteIdent>();
    connect(&carte, &FormCarteIdent::photoRemplacee, Frame1_, &Planche::rechargerPortrait, Qt::UniqueConnection);
    carte.showForm();
}

void FormAccueil::choisirEleve(int index)
{
    if (!assistant_->choisir(index))
        return;
    // In the wizard "Terminé" ends the picks; in a group addition "Valider" does.
    colonne_->Bt_Valide_Ajout_Eleve->setVisible(!etat::NomGroupeValide);
    colonne_->Bt_Valide_Ajout_Eleve->setEnabled(true);
}

// ---------------------------------------------------------------------------
// Moving a student to another class

void FormAccueil::ImageChgClasse_Click(int index)
{
    if (ajoutEleve_->ouvert() || index < 0 || index >= Frame1_->nombre())
        return;
    colonne_->Frame2->ouvrir(Frame1_->cellule(index).cdeEleve, etat::ClasseChoisie);
    if (colonne_->Frame2->isHidden())
        return;
    colonne_->Bt_Creer_Groupe->setEnabled(false);
    colonne_->Bt_Ajout_Eleve->setEnabled(false);
    colonne_->Bt_Vente->hide();
}

void FormAccueil::deplacementFerme()
{
    colonne_->Bt_Vente->show();
    colonne_->reposerZoneAjout();
    colonne_->Bt_Ajout_Eleve->setEnabled(true);
    colonne_->Bt_Creer_Groupe->setEnabled(true);
}

void FormAccueil::abandonnerDeplacement()
{
    // A move left pending would rebuild its class under another board's
    // heading, or under the addition; nothing of it was written.
    colonne_->Frame2->abandonner();
}
