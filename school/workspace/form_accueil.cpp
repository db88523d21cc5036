#include "school/workspace/form_accueil.h"

#include "common/database.h"
#include "common/dialogs.h"
#include "common/ui/layout.h"
#include "common/ui/menus.h"
#include "common/ui/program.h"
#include "common/report.h"
#include "common/shell.h"
#include "school/class_board/documents.h"
#include "school/class_board/planche.h"
#include "school/class_board/transfert.h"
#include "school/printing/form_export.h"
#include "school/printing/impression.h"
#include "school/sales/form_carte_ident.h"
#include "school/sales/form_vente.h"
#include "school/workspace/a_propos.h"
#include "school/workspace/ajout_eleve.h"
#include "school/workspace/assistant_groupe.h"
#include "school/workspace/demarrage.h"
#include "school/data/base.h"
#include "school/workspace/liste_choix.h"
#include "school/data/etat.h"
#include "school/workspace/outils_fenetre.h"
#include "school/data/requetes.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace {

// The design places of the left column's lower zones (twips).
constexpr int kBasListes = 720 + 3375;       // Shape1's bottom
constexpr int kHauteurLigneListe = 255;      // one line of the pick list
constexpr int kHauteurZoneAjout = 1335;      // Shape2 at rest
constexpr int kHauteurZoneSaisie = 4120;     // Shape2 while a student is typed
constexpr int kHauteurTitreZone = 495;       // LabelAjoutEleve, LbCompta

QFont police(double points, bool gras)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(points);
    font.setBold(gras);
    return font;
}

QLabel* libelle(QWidget* parent, const QString& nom, const QString& texte, int left, int top, int width,
                int height, bool gras = true, double points = 9.75)
{
    auto* label = new QLabel(texte, parent);
    label->setObjectName(nom);
    label->setFont(police(points, gras));
    label->setWordWrap(true);
    layout::place(label, left, top, width, height);
    return label;
}

void placerEnHaut(QWidget* widget, int top)
{
    widget->move(widget->x(), layout::px(top));
}

void descendre(QWidget* widget, int pixels)
{
    widget->move(widget->pos() + QPoint(0, pixels));
}

void changerHauteur(QWidget* widget, int height)
{
    widget->resize(widget->width(), layout::px(height));
}

} // namespace

FormAccueil::FormAccueil() : Form(QStringLiteral("FormAccueil"))
{
    setWindowTitle(QStringLiteral("Vizmora"));
    setFont(police(9.75, false));
    auto* fond = new QWidget(this);
    layout::setBackground(fond, 0xFFFFFF);
    setCentralWidget(fond);
    fond->installEventFilter(this);
    creerPlanche(fond);
    creerColonneGauche();
    creerBandeau();
    creerMenus();
    resize(layout::px(14895), layout::px(9915) + menuBar()->sizeHint().height());
}

// ---------------------------------------------------------------------------
// The window's controls

QPushButton* FormAccueil::bouton(QWidget* parent, const QString& nom, const QString& texte,
                                 void (FormAccueil::*action)())
{
    auto* button = new QPushButton(texte, parent);
    button->setObjectName(nom);
    if (action)
        connect(button, &QPushButton::clicked, this, [this, action] { report::attempt([this, action] { (this->*action)(); }); });
    return button;
}

QComboBox* FormAccueil::liste(QWidget* parent, const QString& nom, int top, void (FormAccueil::*choix)(int))
{
    // A list is only picked from (no edit line): every choice comes as activated().
    auto* combo = new QComboBox(parent);
    combo->setObjectName(nom);
    layout::place(combo, 120, top, 1695, 360);
    connect(combo, &QComboBox::activated, this,
            [this, choix](int index) { report::attempt([this, choix, index] { (this->*choix)(index); }); });
    return combo;
}

void FormAccueil::creerColonneGauche()
{
    auto* Frame3 = new QFrame(centralWidget());
    Frame3->setObjectName(QStringLiteral("Frame3"));
    layout::setBackground(Frame3, 0xFFFFFF);
    layout::place(Frame3, 0, 0, 2175, 13935);

    auto* progression = new QProgressBar(Frame3);
    progression->setObjectName(QStringLiteral("ProgressBar1"));
    progression->setTextVisible(false);
    progression->setValue(0);
    layout::place(progression, 120, 240, 1815, 135);

    layout::place(creerForme(Frame3, QStringLiteral("Shape1"), 0x8CC0FB), 0, 720, 1935, 3375);
    Shape3 = creerForme(Frame3, QStringLiteral("Shape3"), 0xFEF3D6);
    layout::place(Shape3, 0, 5880, 1935, 1080);
    Shape2 = creerForme(Frame3, QStringLiteral("Shape2"), 0xBAFACD);
    layout::place(Shape2, 0, 4320, 1935, kHauteurZoneAjout);

    libelle(Frame3, QStringLiteral("lbclasses"), QStringLiteral("Les classes"), 120, 960, 1695, 240);
    DBComboClasses = liste(Frame3, QStringLiteral("DBComboClasses"), 1200, &FormAccueil::DBComboClasses_Choix);
    Bt_Aficher = bouton(Frame3, QStringLiteral("Bt_Aficher"), QStringLiteral("Afficher..."),
                        &FormAccueil::Bt_Aficher_Click);
    layout::place(Bt_Aficher, 240, 1680, 1455, 375);
    Bt_Aficher->setEnabled(false);

    libelle(Frame3, QStringLiteral("Label2"), QStringLiteral("Les groupes"), 120, 2280, 1695, 240);
    Bt_Creer_Groupe = bouton(Frame3, QStringLiteral("Bt_Creer_Groupe"), QStringLiteral("Creer"),
                             &FormAccueil::Bt_Creer_Groupe_Click);
    layout::place(Bt_Creer_Groupe, 240, 2520, 1455, 375);
    DBComboGroupe = liste(Frame3, QStringLiteral("DBComboGroupe"), 3000, &FormAccueil::DBComboGroupe_Choix);
    Aff_Groupe = bouton(Frame3, QStringLiteral("Aff_Groupe"), QStringLiteral("Afficher..."),
                        &FormAccueil::Aff_Groupe_Click);
    layout::place(Aff_Groupe, 240, 3480, 1455, 375);
    Aff_Groupe->setEnabled(false);

    liste_ = new ListeChoix(Frame3);
    connect(liste_, &ListeChoix::retraitDemande, this,
            [this](int index) { report::attempt([this, index] { assistant_->retirer(index); }); });
    connect(liste_, &ListeChoix::ligneAjoutee, this, &FormAccueil::descendreZoneAjout);

    creerZoneAjout(Frame3);

    LbCompta = libelle(Frame3, QStringLiteral("LbCompta"), QStringLiteral("Vente des photos :"), 120, 5980,
                       1695, kHauteurTitreZone);
    Bt_Vente = bouton(Frame3, QStringLiteral("Bt_Vente"), QStringLiteral("Ventes..."), nullptr);
    layout::place(Bt_Vente, 240, 6480, 1455, 375);
    connect(Bt_Vente, &QPushButton::clicked, this, [this] {
        hideForm();
        formInstance<FormVente>().showForm();
    });

    Frame2 = new PanneauTransfert(Frame3);
    connect(Frame2, &PanneauTransfert::ferme, this, &FormAccueil::transfertFerme);
    connect(Frame2, &PanneauTransfert::eleveTransfere, this, [this] {
        report::attempt([this] {
            construirePlancheClasse(Construction::ApresTransfert);
            remplirListeClasses();
        });
    });
}

void FormAccueil::creerZoneAjout(QWidget* colonne)
{
    LabelAjoutEleve = libelle(colonne, QStringLiteral("LabelAjoutEleve"), QStringLiteral("Ajouter un élève :"),
                              120, 4440, 1455, kHauteurTitreZone);
    Bt_Ajout_Eleve = bouton(colonne, QStringLiteral("Bt_Ajout_Eleve"), QStringLiteral("Ajouter"),
                            &FormAccueil::Bt_Ajout_Eleve_Click);
    layout::place(Bt_Ajout_Eleve, 240, 4920, 1455, 375);
    Bt_Ajout_Eleve->setEnabled(false);
    Bt_Valide_Ajout_Eleve = bouton(colonne, QStringLiteral("Bt_Valide_Ajout_Eleve"), QStringLiteral("Valider"),
                                   &FormAccueil::Bt_Valide_Ajout_Eleve_Click);
    layout::place(Bt_Valide_Ajout_Eleve, 240, 4920, 1455, 375);
    Bt_Valide_Ajout_Eleve->setEnabled(false);
    Bt_Valide_Ajout_Eleve->hide();

    QLabel* LbAjNom = libelle(colonne, QStringLiteral("LbAjNom"), QStringLiteral("Nom :"), 120, 5400, 630, 240);
    auto* TextRecupNom = new QLineEdit(colonne);
    TextRecupNom->setObjectName(QStringLiteral("TextRecupNom"));
    TextRecupNom->setFont(police(8.25, false));
    layout::place(TextRecupNom, 120, 5640, 1575, 375);
    QLabel* LbAjoutPrenom = libelle(colonne, QStringLiteral("LbAjoutPrenom"), QStringLiteral("Prénom :"), 120, 6120,
                                    870, 195, true, 8.25);
    auto* TextRecupPrenom = new QLineEdit(colonne);
    TextRecupPrenom->setObjectName(QStringLiteral("TextRecupPrenom"));
    TextRecupPrenom->setFont(police(8.25, false));
    layout::place(TextRecupPrenom, 120, 6360, 1575, 375);
    QLabel* LbAjoutPhoto = libelle(colonne, QStringLiteral("LbAjoutPhoto"), QStringLiteral("Photo :"), 120, 6840,
                                   675, 195, true, 8.25);
    QPushButton* Bt_Ajout_Photo = bouton(colonne, QStringLiteral("Bt_Ajout_Photo"), QStringLiteral("Parcourir..."),
                                         &FormAccueil::Bt_Ajout_Photo_Click);
    Bt_Ajout_Photo->setFont(police(8.25, false));
    layout::place(Bt_Ajout_Photo, 360, 7080, 1215, 375);
    // One-line captions: a wrapped "Nom :" would lose its colon under the box below.
    for (QLabel* titre : {LbAjNom, LbAjoutPrenom, LbAjoutPhoto})
        titre->setWordWrap(false);
    ajoutEleve_ =
        new AjoutEleve({LbAjNom, TextRecupNom, LbAjoutPrenom, TextRecupPrenom, LbAjoutPhoto, Bt_Ajout_Photo}, this);
}

void FormAccueil::creerBandeau()
{
    auto* Frame4 = new QFrame(centralWidget());
    Frame4->setObjectName(QStringLiteral("Frame4"));
    layout::setBackground(Frame4, 0xFFFFFF);
    layout::place(Frame4, 2040, 0, 15975, 735);

    LbType = libelle(Frame4, QStringLiteral("LbType"), QStringLiteral("Classe :"), 240, 240, 1095, 255);
    LbClasse = libelle(Frame4, QStringLiteral("LbClasse"), {}, 1335, 240, 6000, 255);
    LbClasse->setWordWrap(false);
    LbClasse->setTextFormat(Qt::PlainText);
    auto* ImageEtape1 = new QLabel(Frame4);
    ImageEtape1->setObjectName(QStringLiteral("ImageEtape1"));
    ImageEtape1->setPixmap(dessins::etape(1, layout::px(495)));
    layout::place(ImageEtape1, 120, 120, 495, 495);
    auto* ImageEtape2 = new QLabel(Frame4);
    ImageEtape2->setObjectName(QStringLiteral("ImageEtape2"));
    ImageEtape2->setPixmap(dessins::etape(2, layout::px(495)));
    layout::place(ImageEtape2, 120, 120, 495, 495);
    QLabel* LabelDonnerNom = libelle(Frame4, QStringLiteral("LabelDonnerNom"),
                                     QStringLiteral("Donner un nom au nouveau groupe :"), 720, 240, 7600, 255);
    LabelDonnerNom->setWordWrap(false);
    auto* SaisieNomGroupe = new QLineEdit(Frame4);
    SaisieNomGroupe->setObjectName(QStringLiteral("SaisieNomGroupe"));
    layout::place(SaisieNomGroupe, 5760, 180, 2535, 375);
    QPushButton* Bt_Etapes[2] = {};
    Bt_Etapes[0] = bouton(Frame4, QStringLiteral("Bt_Etapes_0"), QStringLiteral("Valider"), nullptr);
    layout::place(Bt_Etapes[0], 8400, 180, 1215, 375);
    Bt_Etapes[1] = bouton(Frame4, QStringLiteral("Bt_Etapes_1"), QStringLiteral("Terminé"), nullptr);
    layout::place(Bt_Etapes[1], 9720, 180, 1215, 375);
    for (int index : {0, 1})
        connect(Bt_Etapes[index], &QPushButton::clicked, this,
                [this, index] { report::attempt([this, index] { Bt_Etapes_Click(index); }); });
    // Enter in the name box presses "Valider".
    connect(SaisieNomGroupe, &QLineEdit::returnPressed, Bt_Etapes[0], &QPushButton::click);
    for (QWidget* controle : std::initializer_list<QWidget*>{LbType, LbClasse, ImageEtape1, ImageEtape2,
                                                             LabelDonnerNom, SaisieNomGroupe, Bt_Etapes[0],
                                                             Bt_Etapes[1]})
        controle->hide();
    assistant_ = new AssistantGroupe(
        {ImageEtape1, ImageEtape2, LabelDonnerNom, SaisieNomGroupe, Bt_Etapes[0], Bt_Etapes[1]}, *liste_, *Frame1,
        this);
}

void FormAccueil::creerPlanche(QWidget* fond)
{
    zonePlanche_ = new QScrollArea(fond);
    zonePlanche_->setObjectName(QStringLiteral("ZonePlanche"));
    zonePlanche_->setFrameShape(QFrame::NoFrame);
    zonePlanche_->horizontalScrollBar()->setObjectName(QStringLiteral("HScroll1"));
    zonePlanche_->verticalScrollBar()->setObjectName(QStringLiteral("VScroll1"));
    zonePlanche_->setWidgetResizable(false);
    Frame1 = new Planche;
    zonePlanche_->setWidget(Frame1);
    connect(Frame1, &Planche::portraitClique, this,
            [this](int index) { report::attempt([this, index] { Image2_Click(index); }); });
    connect(Frame1, &Planche::changementClasseDemande, this,
            [this](int index) { report::attempt([this, index] { ImageChgClasse_Click(index); }); });
    connect(Frame1, &Planche::suppressionDemandee, this,
            [this](int index) { report::attempt([this, index] { ImageSuppEleve_Click(index); }); });
}

void FormAccueil::creerMenus()
{
    QMenu* fichier = menus::menu(menuBar(), QStringLiteral("Mnu_Fichier"), QStringLiteral("Fichier"));
    MNU_Imprimer = menus::entry(fichier, QStringLiteral("MNU_Imprimer"), QStringLiteral("Imprimer classe en cours..."));
    connect(MNU_Imprimer, &QAction::triggered, this, [] { imprimerDocument(etat::FichierImpression); });
    MNU_Trimestre = menus::entry(fichier, QStringLiteral("MNU_Trimestre"), QStringLiteral("Imprimer fiche trimestielle"));
    connect(MNU_Trimestre, &QAction::triggered, this, [this] { report::attempt([this] { MNU_Trimestre_Click(); }); });
    MNU_CARTES = menus::entry(fichier, QStringLiteral("MNU_CARTES"), QStringLiteral("Imprimer Cartes..."));
    connect(MNU_CARTES, &QAction::triggered, this, [] { imprimerDocument(etat::FichierCartes); });
    MNU_Etiquettes = menus::entry(fichier, QStringLiteral("MNU_Etiquettes"), QStringLiteral("Imprimer étiquettes..."));
    connect(MNU_Etiquettes, &QAction::triggered, this, [] { imprimerDocument(etat::FichierEtiquettes); });
    desactiverImpression();
    menus::separator(fichier, QStringLiteral("MNU_L4"));
    MNU_Imp_Toutes_Classes =
        menus::entry(fichier, QStringLiteral("MNU_Imp_Toutes_Classes"), QStringLiteral("Imprimer toutes les classes..."));
    connect(MNU_Imp_Toutes_Classes, &QAction::triggered, this,
            [this] { report::attempt([this] { MNU_Imp_Toutes_Classes_Click(); }); });
    MNU_Groupes = menus::entry(fichier, QStringLiteral("MNU_Groupes"), QStringLiteral("Imprimer tous les groupes..."));
    connect(MNU_Groupes, &QAction::triggered, this, [this] { report::attempt([this] { MNU_Groupes_Click(); }); });
    for (QAction* tous : {MNU_Imp_Toutes_Classes, MNU_Groupes})
        tous->setEnabled(false);
    menus::separator(fichier, QStringLiteral("MNU_L1"));
    connect(menus::entry(fichier, QStringLiteral("MNU_Quitter"), QStringLiteral("Quitter")), &QAction::triggered, this,
            &FormAccueil::unload);

    QMenu* exporter = menus::menu(menuBar(), QStringLiteral("MNU_Export"), QStringLiteral("Exporter"));
    connect(menus::entry(exporter, QStringLiteral("MNU_Logiciels"), QStringLiteral("Autres logiciels...")),
            &QAction::triggered, this, [] { formInstance<FormExport>().showForm(); });

    QMenu* aide = menus::menu(menuBar(), QStringLiteral("MNU_Ver"), QStringLiteral("?"));
    connect(menus::entry(aide, QStringLiteral("MNU_Aide"), QStringLiteral("Mise à jour...")), &QAction::triggered, this,
            &FormAccueil::MNU_Aide_Click);
    menus::separator(aide, QStringLiteral("MNU_Line"));
    connect(menus::entry(aide, QStringLiteral("Mnu_Propos"), QStringLiteral("A propos de...")), &QAction::triggered,
            this, [] { formInstance<APropos>().showForm(); });
}

// ---------------------------------------------------------------------------
// Start, activation, end

void FormAccueil::onLoad()
{
    const QString erreur = demarrage::demarrer();
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
    etat::NbEntreesListe = 0;
}

void FormAccueil::onActivate()
{
    centrerSurEcran(*this);
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

bool FormAccueil::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == centralWidget() && evenement->type() == QEvent::Resize) {
        const QSize taille = centralWidget()->size();
        const int left = layout::px(2160);
        const int top = layout::px(720);
        zonePlanche_->setGeometry(left, top, std::max(0, taille.width() - left), std::max(0, taille.height() - top));
    }
    return Form::eventFilter(objet, evenement);
}

void FormAccueil::MNU_Aide_Click()
{
    unload();
    shell::service().open(shell::updateAddress(QStringLiteral("/telechargement/majVizmora.exe")));
}

// ---------------------------------------------------------------------------
// Class and group lists

void FormAccueil::remplirListeClasses()
{
    const QStringList classes = classesExistantes(base::db());
    const QString affichee = DBComboClasses->currentIndex() >= 0 ? etat::ClasseChoisie : QString();
    DBComboClasses->clear();
    DBComboClasses->addItems(classes);
    DBComboClasses->setCurrentIndex(affichee.isEmpty() ? -1 : DBComboClasses->findText(affichee));
}

void FormAccueil::remplirListeGroupes()
{
    const QStringList groupes = requetes::groupes(base::db());
    DBComboGroupe->clear();
    DBComboGroupe->addItems(groupes);
    DBComboGroupe->setCurrentIndex(-1);
}

void FormAccueil::DBComboClasses_Choix(int index)
{
    abandonnerTransfert();
    Bt_Aficher->setEnabled(true);
    Aff_Groupe->setEnabled(false);
    Bt_Ajout_Eleve->setEnabled(false);
    DBComboGroupe->setEnabled(false);
    LbClasse->hide();
    LbType->hide();
    viderPlanches();
    desactiverImpression();
    MNU_Imp_Toutes_Classes->setEnabled(true);
    MNU_Groupes->setEnabled(true);
    etat::ClasseChoisie = DBComboClasses->itemText(index);
    assistant_->classeOuverte(etat::ClasseChoisie);
}

void FormAccueil::DBComboGroupe_Choix(int index)
{
    abandonnerTransfert();
    Aff_Groupe->setEnabled(true);
    Bt_Aficher->setEnabled(false);
    Bt_Ajout_Eleve->setEnabled(false);
    DBComboClasses->setEnabled(false);
    DBComboClasses->setCurrentIndex(-1);
    LbClasse->hide();
    LbType->hide();
    viderPlanches();
    desactiverImpression();
    MNU_Imp_Toutes_Classes->setEnabled(true);
    MNU_Groupes->setEnabled(true);
    etat::NomGroupeChoisi = DBComboGroupe->itemText(index);
}

// ---------------------------------------------------------------------------
// Boards

void FormAccueil::Bt_Aficher_Click()
{
    abandonnerTransfert();
    construirePlancheClasse(Construction::Affichage);
}

void FormAccueil::construirePlancheClasse(Construction construction)
{
    const std::vector<CelluleEleve> eleves = elevesDeClasse(base::db(), etat::ClasseChoisie);
    Frame1->construire(TypePlanche::Classe, eleves, etat::ModeCreationGroupe);
    etat::PlancheChargee = true;

    if (construction != Construction::Affichage) {
        Aff_Groupe->setEnabled(false);
        DBComboClasses->setEnabled(true);
        const DocumentsEcrits documents =
            construction == Construction::ApresTransfert
                ? ecrirePlancheClasse(etat::CheminDonnees, etat::ClasseChoisie, eleves)
                : ecrirePlancheApresSuppression(etat::CheminDonnees, etat::ClasseChoisie, eleves);
        MNU_Imprimer->setEnabled(!documents.planche.isEmpty());
        montrerErreurDocuments(documents);
        return;
    }

    etat::PlancheClasse = true;
    remettreDefilement();
    Bt_Aficher->setEnabled(false);
    Bt_Ajout_Eleve->setEnabled(true);
    DBComboGroupe->setEnabled(!etat::ModeCreationGroupe);
    LbType->setText(QStringLiteral("Classe :"));
    LbClasse->setText(etat::ClasseChoisie);
    LbType->setVisible(!etat::ModeCreationGroupe);
    LbClasse->setVisible(!etat::ModeCreationGroupe);

    const DocumentsEcrits documents = ecrireDocumentsClasse(etat::CheminDonnees, etat::ClasseChoisie, eleves);
    MNU_Imprimer->setText(QStringLiteral("Imprimer Classe en cours..."));
    MNU_Imprimer->setEnabled(!documents.planche.isEmpty());
    MNU_CARTES->setEnabled(!documents.cartes.isEmpty());
    MNU_Etiquettes->setEnabled(!documents.etiquettes.isEmpty());
    MNU_Trimestre->setEnabled(true);
    montrerErreurDocuments(documents);
}

void FormAccueil::Aff_Groupe_Click()
{
    abandonnerTransfert();
    construirePlancheGroupe(false);
}

void FormAccueil::construirePlancheGroupe(bool reconstruction)
{
    const std::vector<CelluleEleve> membres = membresDuGroupe(base::db(), etat::NomGroupeChoisi);
    Frame1->construire(TypePlanche::Groupe, membres, etat::ModeCreationGroupe);
    etat::PlancheChargee = false;
    Aff_Groupe->setEnabled(false);
    DBComboClasses->setEnabled(true);
    LbType->setText(QStringLiteral("Groupe :"));
    if (!etat::ModeCreationGroupe)
        LbClasse->setText(etat::NomGroupeChoisi);
    LbType->show();
    LbClasse->show();

    const DocumentsEcrits documents = ecrireDocumentGroupe(etat::CheminDonnees, etat::NomGroupeChoisi, membres);
    MNU_Imprimer->setEnabled(!documents.planche.isEmpty());
    montrerErreurDocuments(documents);
    if (reconstruction)
        return;

    remettreDefilement();
    etat::PlancheClasse = false;
    Bt_Ajout_Eleve->setEnabled(true);
    MNU_Imprimer->setText(QStringLiteral("Imprimer Groupe en cours..."));
    // The term sheet is a class's; the cards and labels stay those of the class shown last.
    MNU_Trimestre->setEnabled(false);
    MNU_CARTES->setEnabled(!etat::FichierCartes.isEmpty());
    MNU_Etiquettes->setEnabled(!etat::FichierEtiquettes.isEmpty());
}

void FormAccueil::montrerErreurDocuments(const DocumentsEcrits& documents)
{
    if (!documents.erreur.isEmpty())
        dialogs::message(documents.erreur, dialogs::Icon::Critical);
}

void FormAccueil::viderPlanches()
{
    Frame1->vider();
    etat::PlancheChargee = false;
}

void FormAccueil::remettreDefilement()
{
    zonePlanche_->horizontalScrollBar()->setValue(0);
    zonePlanche_->verticalScrollBar()->setValue(0);
}

void FormAccueil::desactiverImpression()
{
    for (QAction* action : {MNU_Imprimer, MNU_CARTES, MNU_Etiquettes, MNU_Trimestre})
        action->setEnabled(false);
}

// ---------------------------------------------------------------------------
// Adding a student to the class shown, or students to the group shown

void FormAccueil::Bt_Ajout_Eleve_Click()
{
    abandonnerTransfert();
    DBComboClasses->setEnabled(false);
    DBComboGroupe->setEnabled(false);
    Bt_Ajout_Eleve->hide();
    Bt_Valide_Ajout_Eleve->show();
    Bt_Valide_Ajout_Eleve->raise();
    Bt_Creer_Groupe->setEnabled(false);
    LbCompta->hide();
    Bt_Vente->hide();
    Bt_Aficher->setEnabled(false);
    Aff_Groupe->setEnabled(false);
    etat::NomNouveauGroupe = LbClasse->text();

    if (etat::PlancheClasse && !etat::ModeCreationGroupe) {
        // The board waits while the student is typed.
        Frame1->setEnabled(false);
        Bt_Valide_Ajout_Eleve->setEnabled(false);
        changerHauteur(Shape2, kHauteurZoneSaisie);
        Shape2->raise();
        for (QWidget* zone : std::initializer_list<QWidget*>{LabelAjoutEleve, Bt_Valide_Ajout_Eleve}) {
            zone->show();
            zone->raise();
        }
        ajoutEleve_->ouvrir();
        return;
    }

    assistant_->commencerAjout();
    LbType->hide();
    LbClasse->hide();
    DBComboClasses->setEnabled(true);
    LabelAjoutEleve->show();
    Shape3->hide();
    // "Valider" ends the addition whenever the user wants, picks or not.
    Bt_Valide_Ajout_Eleve->setEnabled(true);
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
    Frame1->setEnabled(true);
    DBComboClasses->setEnabled(true);
    DBComboGroupe->setEnabled(true);
    Bt_Ajout_Eleve->setEnabled(true);
    Bt_Ajout_Eleve->show();
    Bt_Valide_Ajout_Eleve->hide();
    Bt_Creer_Groupe->setEnabled(true);
    Shape3->show();
    LbCompta->show();
    Bt_Vente->show();
    ajoutEleve_->fermer();
    changerHauteur(Shape2, kHauteurZoneAjout);
}

void FormAccueil::terminerAjoutGroupe()
{
    fermerZoneAjout();
    if (assistant_->terminerAjout()) {
        viderPlanches();
        Aff_Groupe_Click();
    }
    placerZonesBas();
}

// ---------------------------------------------------------------------------
// The group wizard and the picks

void FormAccueil::Bt_Creer_Groupe_Click()
{
    etat::PlancheClasse = false;
    remettreDefilement();
    desactiverImpression();
    MNU_Imp_Toutes_Classes->setEnabled(false);
    MNU_Groupes->setEnabled(false);
    Bt_Aficher->setEnabled(false);
    // A group board would bring back the class list before the name is given.
    Aff_Groupe->setEnabled(false);
    Bt_Ajout_Eleve->hide();
    Bt_Valide_Ajout_Eleve->hide();
    Bt_Vente->hide();
    LbClasse->hide();
    LbType->hide();
    viderPlanches();
    DBComboClasses->setEnabled(false);
    DBComboGroupe->setEnabled(false);
    assistant_->demarrer();
    for (QWidget* zone : std::initializer_list<QWidget*>{Shape2, LabelAjoutEleve, Shape3, LbCompta})
        zone->hide();
    Bt_Creer_Groupe->setEnabled(false);
}

void FormAccueil::Bt_Etapes_Click(int index)
{
    if (index == 0 && assistant_->validerNom())
        DBComboClasses->setEnabled(true);
    else if (index == 1)
        terminerAssistant();
}

void FormAccueil::terminerAssistant()
{
    assistant_->terminer();
    Bt_Creer_Groupe->setEnabled(true);
    Bt_Aficher->setEnabled(false);
    if (etat::PlancheChargee)
        viderPlanches();
    DBComboClasses->setEnabled(true);
    DBComboGroupe->setEnabled(true);
    remplirListeGroupes();
    placerZonesBas();
}

void FormAccueil::Image2_Click(int index)
{
    if (ajoutEleve_->ouvert() || index < 0 || index >= Frame1->nombre())
        return;
    etat::CdeEleveChoisi = Frame1->cellule(index).cdeEleve;
    etat::IndexPhotoChoisie = index;
    // A group board's cells carry no photo code to pick from.
    if (Frame1->type() != TypePlanche::Classe)
        return;
    if (etat::ModeCreationGroupe) {
        choisirEleve(index);
        return;
    }
    FormCarteIdent& carte = formInstance<FormCarteIdent>();
    connect(&carte, &FormCarteIdent::photoRemplacee, Frame1, &Planche::rechargerPortrait, Qt::UniqueConnection);
    carte.showForm();
}

void FormAccueil::choisirEleve(int index)
{
    if (!assistant_->choisir(index))
        return;
    // In the wizard "Terminé" ends the picks; in a group addition "Valider" does.
    Bt_Valide_Ajout_Eleve->setVisible(!etat::NomGroupeValide);
    Bt_Valide_Ajout_Eleve->setEnabled(true);
}

void FormAccueil::descendreZoneAjout(int hauteur)
{
    for (QWidget* zone : std::initializer_list<QWidget*>{Shape2, LabelAjoutEleve, Bt_Ajout_Eleve,
                                                         Bt_Valide_Ajout_Eleve})
        descendre(zone, hauteur);
}

void FormAccueil::placerZonesBas()
{
    const int hautAjout = kBasListes + kHauteurLigneListe;
    placerEnHaut(Shape2, hautAjout);
    placerEnHaut(LabelAjoutEleve, hautAjout + 100);
    placerEnHaut(Bt_Ajout_Eleve, hautAjout + 100 + kHauteurTitreZone);
    placerEnHaut(Bt_Valide_Ajout_Eleve, hautAjout + 100 + kHauteurTitreZone);
    const int hautVente = hautAjout + kHauteurZoneAjout + kHauteurLigneListe;
    placerEnHaut(Shape3, hautVente);
    placerEnHaut(LbCompta, hautVente + 100);
    placerEnHaut(Bt_Vente, hautVente + 100 + kHauteurTitreZone);
    for (QWidget* zone : std::initializer_list<QWidget*>{Shape2, LabelAjoutEleve, Bt_Ajout_Eleve, Shape3, LbCompta,
                                                         Bt_Vente})
        zone->show();
    Bt_Ajout_Eleve->setEnabled(false);
    Bt_Valide_Ajout_Eleve->hide();
}

// ---------------------------------------------------------------------------
// Moving a student to another class

void FormAccueil::ImageChgClasse_Click(int index)
{
    if (ajoutEleve_->ouvert() || index < 0 || index >= Frame1->nombre())
        return;
    Frame2->ouvrir(Frame1->cellule(index).cdeEleve, etat::ClasseChoisie);
    if (Frame2->isHidden())
        return;
    Bt_Creer_Groupe->setEnabled(false);
    Bt_Ajout_Eleve->setEnabled(false);
    Bt_Vente->hide();
}

void FormAccueil::transfertFerme()
{
    Bt_Vente->show();
    changerHauteur(Shape2, kHauteurZoneAjout);
    Bt_Ajout_Eleve->setEnabled(true);
    Bt_Creer_Groupe->setEnabled(true);
}

void FormAccueil::abandonnerTransfert()
{
    // A move left pending would rebuild its class under another board's
    // heading, or under the addition; nothing of it was written.
    Frame2->abandonner();
}
