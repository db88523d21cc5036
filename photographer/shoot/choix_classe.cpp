#include "photographer/shoot/choix_classe.h"

#include "common/database.h"
#include "common/dialogs.h"
#include "common/ui/key_filter.h"
#include "common/ui/layout.h"
#include "common/ui/menus.h"
#include "common/paths.h"
#include "common/report.h"
#include "photographer/deliveries/livraisons.h"
#include "photographer/shoot/hot_folder.h"
#include "photographer/shoot/planche_eleves.h"
#include "photographer/shoot/prise_de_vue.h"
#include "photographer/data/roster.h"
#include "photographer/prices/form_tarif_etab.h"
#include "photographer/workspace/accueil.h"
#include "photographer/data/dossiers_etab.h"
#include "photographer/data/etat.h"
#include "photographer/workspace/propos.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace {

constexpr unsigned kFond = 0xF8F8F8;
constexpr unsigned kBordeaux = 0x000080;
constexpr int kHautHaut = 1080;       // top band
constexpr int kLargeurDroite = 2415;  // right-hand panel
constexpr int kTopDroite = 960;
constexpr QSize kCadreImages{13455, 8175};
constexpr const char* kLettresNom = "abcçdeéèêfghijklmnoôpqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890- ";

QFont verdana(double points, bool gras)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(points);
    font.setBold(gras);
    return font;
}

void colorer(QWidget* widget, unsigned bgr)
{
    QPalette couleurs = widget->palette();
    couleurs.setColor(QPalette::WindowText, QColor(layout::bgr(bgr)));
    widget->setPalette(couleurs);
}

QPushButton* bouton(const QString& texte, const QString& nom, QWidget* parent)
{
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(nom);
    return b;
}

QLabel* etiquette(const QString& texte, const QString& nom, QWidget* parent)
{
    auto* l = new QLabel(texte, parent);
    l->setObjectName(nom);
    // Names and classes come from the school's list: never read as markup.
    l->setTextFormat(Qt::PlainText);
    return l;
}

QString echapperEsperluette(QString texte)
{
    return texte.replace(u'&', QStringLiteral("&&"));
}

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

void decocher(QRadioButton* option)
{
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

} // namespace

std::vector<QRect> placerBoutonsClasse(const QStringList& classes)
{
    // An empty class name still gets a button that can be clicked.
    auto largeur = [](const QString& classe) { return classe.isEmpty() ? 400 : int(classe.size()) * 200; };
    std::vector<QRect> places;
    int x = 120, y = 1000, w = 0;
    for (int i = 0; i < classes.size(); ++i) {
        if (i > 0)
            x += w + 200;
        w = largeur(classes[i]);
        places.emplace_back(x, y, w, 495);
        if (i > 0 && x >= 10000) {
            y += 550;
            x = -90;
            w = 0;
        }
    }
    return places;
}

ChoixClasse::ChoixClasse() : Form(QStringLiteral("ChoixClasse"))
{
    setWindowTitle(QStringLiteral("Choix de la classe..."));
    setFont(verdana(9.75, false));
    auto* centre = new QWidget(this);
    setCentralWidget(centre);
    layout::setBackground(centre, kFond);

    FrameImages_ = new QWidget(centre);
    FrameImages_->setObjectName(QStringLiteral("FrameImages"));
    layout::setBackground(FrameImages_, 0xFFFFFF);
    layout::place(FrameImages_, 0, kHautHaut, kCadreImages.width(), kCadreImages.height());
    LabelClasse_ = etiquette({}, QStringLiteral("LabelClasse"), FrameImages_);
    LabelClasse_->setFont(verdana(9.75, true));
    colorer(LabelClasse_, kBordeaux);
    LabelClasse_->move(0, 0);
    LabelClasse_->hide();
    planche_ = new PlancheEleves(FrameImages_);
    connect(planche_, &PlancheEleves::clicGauche, this, &ChoixClasse::Photo_Click);
    connect(planche_, &PlancheEleves::clicDroit, this, &ChoixClasse::Photo_MouseDown);
    prise_ = new PriseDeVue(planche_, this);
    connect(prise_, &PriseDeVue::demarree, this, &ChoixClasse::captureDemarree);
    connect(prise_, &PriseDeVue::arretDemande, this, [this] { Bt_Start_Click(1); });
    connect(prise_, &PriseDeVue::avancement, this, [this](int valeur, bool visible) {
        ProgressBar1_->setValue(valeur);
        ProgressBar1_->setVisible(visible);
    });
    connect(prise_, &PriseDeVue::marqueSuivante, this, &ChoixClasse::marquer);
    connect(prise_, &PriseDeVue::finDeClasse, this, &ChoixClasse::finDeClasse);

    HScroll1_ = new QScrollBar(Qt::Horizontal, centre);
    HScroll1_->setObjectName(QStringLiteral("HScroll1"));
    VScroll1_ = new QScrollBar(Qt::Vertical, centre);
    VScroll1_->setObjectName(QStringLiteral("VScroll1"));
    connect(HScroll1_, &QScrollBar::valueChanged, this, [this](int value) { FrameImages_->move(-value, FrameImages_->y()); });
    connect(VScroll1_, &QScrollBar::valueChanged, this,
            [this](int value) { FrameImages_->move(FrameImages_->x(), layout::px(kHautHaut) - value); });

    construireHaut();
    construireDroite();
    construireMenus();

    resize(layout::px(16170), layout::px(9495) + menuBar()->sizeHint().height());
}

void ChoixClasse::construireHaut()
{
    FrameHaut_ = new QWidget(centralWidget());
    FrameHaut_->setObjectName(QStringLiteral("FrameHaut"));
    layout::setBackground(FrameHaut_, kFond);
    layout::place(FrameHaut_, 0, 0, 24615, kHautHaut);

    auto* PictureBarre = new QLabel(FrameHaut_);
    PictureBarre->setObjectName(QStringLiteral("PictureBarre"));
    PictureBarre->setStyleSheet(QStringLiteral(
        "background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #800000, stop:1 #f8f8f8);"));
    layout::place(PictureBarre, 0, 0, 16215, 420);
    ProgressBar1_ = new QProgressBar(PictureBarre);
    ProgressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1_->setRange(0, 10);
    ProgressBar1_->setTextVisible(false);
    layout::place(ProgressBar1_, 9720, 60, 3480, 300);
    ProgressBar1_->hide();

    const std::array<const char*, 2> startTextes{"Start", "Stop"};
    for (int i = 0; i < 2; ++i) {
        Bt_Start_[i] = bouton(QString::fromLatin1(startTextes[i]), QStringLiteral("Bt_Start_%1").arg(i), FrameHaut_);
        Bt_Start_[i]->setFont(verdana(9.75, true));
        layout::place(Bt_Start_[i], 9720, 360, 855, 615);
        Bt_Start_[i]->hide();
        Bt_Start_[i]->setEnabled(false);
        connect(Bt_Start_[i], &QPushButton::clicked, this, [this, i] { Bt_Start_Click(i); });
    }
    const std::array<const char*, 2> mainTextes{"Main droite en Bas", "Main droite en Haut"};
    for (int i = 0; i < 2; ++i) {
        OptionMain_[i] = new QRadioButton(QString::fromUtf8(mainTextes[i]), FrameHaut_);
        OptionMain_[i]->setObjectName(QStringLiteral("OptionMain_%1").arg(i));
        OptionMain_[i]->setFont(verdana(9.75, true));
        layout::place(OptionMain_[i], 10680, 420 + i * 270, 2535, 255);
        OptionMain_[i]->hide();
        connect(OptionMain_[i], &QRadioButton::clicked, this, [this, i] { OptionMain_Click(i); });
    }

    QLabel* LabelEtab = etiquette(QStringLiteral("Etablissement :"), QStringLiteral("LabelEtab"), FrameHaut_);
    LabelEtab->setFont(verdana(12, true));
    LabelEtab->move(0, layout::px(480));
    LabelEtab->adjustSize();
    LabelNom_ = etiquette({}, QStringLiteral("LabelNom"), FrameHaut_);
    LabelCP_ = etiquette({}, QStringLiteral("LabelCP"), FrameHaut_);
    // The caption keeps its room whatever the font the system gives for Verdana.
    const int gauche = std::max(layout::px(2160), LabelEtab->geometry().right() + 8);
    for (QLabel* label : {LabelNom_, LabelCP_})
        colorer(label, kBordeaux);
    LabelNom_->move(gauche, layout::px(480));
    LabelCP_->move(gauche, layout::px(750));
    LabelImpotrMan_ = etiquette(QStringLiteral("Importation manuelle"), QStringLiteral("LabelImpotrMan"), FrameHaut_);
    colorer(LabelImpotrMan_, 0x0000C0);
    layout::place(LabelImpotrMan_, 6840, 600, 2850, 270);
    LabelImpotrMan_->hide();
}

void ChoixClasse::construireDroite()
{
    FrameCtDroit_ = new QWidget(centralWidget());
    FrameCtDroit_->setObjectName(QStringLiteral("FrameCtDroit"));
    layout::setBackground(FrameCtDroit_, kFond);
    layout::place(FrameCtDroit_, 13800, kTopDroite, kLargeurDroite, 8655);

    Frame1_ = new QGroupBox(QStringLiteral("Ajout élève :"), FrameCtDroit_);
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    layout::place(Frame1_, 120, 240, 2175, 1695);
    Frame2_ = new QGroupBox(QStringLiteral("Changer de classe :"), FrameCtDroit_);
    Frame2_->setObjectName(QStringLiteral("Frame2"));
    layout::place(Frame2_, 120, 2880, 2175, 1815);
    for (QGroupBox* frame : {Frame1_, Frame2_}) {
        frame->setStyleSheet(QStringLiteral("QGroupBox { color: #ff8000; }"));
        frame->hide();
    }

    const std::array<const char*, 3> labelTextes{"NOM :", "Prénom :", ""};
    for (int i = 0; i < 3; ++i)
        Label1_[i] = etiquette(QString::fromUtf8(labelTextes[i]), QStringLiteral("Label1_%1").arg(i),
                               i < 2 ? Frame1_ : Frame2_);
    TextNom_ = new QLineEdit(Frame1_);
    TextNom_->setObjectName(QStringLiteral("TextNom"));
    TextPrenom_ = new QLineEdit(Frame1_);
    TextPrenom_->setObjectName(QStringLiteral("TextPrenom"));
    // Names become file names: only these characters are let in, pasted text included.
    const QRegularExpression lettres(
        QStringLiteral("[%1]*").arg(QRegularExpression::escape(QString::fromUtf8(kLettresNom))));
    for (QLineEdit* texte : {TextNom_, TextPrenom_})
        texte->setValidator(new QRegularExpressionValidator(lettres, texte));
    layout::place(Label1_[0], 120, 300, 1935, 240);
    layout::place(TextNom_, 120, 540, 1935, 330);
    layout::place(Label1_[1], 120, 930, 1935, 240);
    layout::place(TextPrenom_, 120, 1170, 1935, 330);
    for (QWidget* w : {static_cast<QWidget*>(Label1_[0]), static_cast<QWidget*>(Label1_[1]),
                       static_cast<QWidget*>(TextNom_), static_cast<QWidget*>(TextPrenom_)})
        w->hide();

    layout::place(etiquette(QStringLiteral("Elève :"), QStringLiteral("LabelEleve"), Frame2_), 120, 300, 1935, 240);
    layout::place(Label1_[2], 120, 540, 1935, 240);
    layout::place(etiquette(QStringLiteral("vers la classe:"), QStringLiteral("LabelVers"), Frame2_), 120, 930, 1935, 240);
    Combo1_ = new QComboBox(Frame2_);
    Combo1_->setObjectName(QStringLiteral("Combo1"));
    refuseTyping(Combo1_);
    layout::place(Combo1_, 120, 1170, 1935, 330);
    connect(Combo1_, &QComboBox::activated, this, [this] { Bt_Ajout_[4]->setEnabled(true); });

    const std::array<const char*, 5> ajoutTextes{"Ajouter", "Valider", "Annuler", "Annuler", "Valider"};
    const std::array<int, 5> ajoutTops{1920, 1920, 2400, 5280, 4800};
    for (int i = 0; i < 5; ++i) {
        Bt_Ajout_[i] = bouton(QString::fromLatin1(ajoutTextes[i]), QStringLiteral("Bt_Ajout_%1").arg(i), FrameCtDroit_);
        layout::place(Bt_Ajout_[i], 240, ajoutTops[i], 1935, 375);
        Bt_Ajout_[i]->hide();
        connect(Bt_Ajout_[i], &QPushButton::clicked, this, [this, i] { Bt_Ajout_Click(i); });
    }
    Bt_Ajout_[4]->setEnabled(false);

    QPushButton* Bt_Quitter = bouton(QStringLiteral("Fermer"), QStringLiteral("Bt_Quitter_2"), FrameCtDroit_);
    layout::place(Bt_Quitter, 960, 8040, 1215, 375);
    connect(Bt_Quitter, &QPushButton::clicked, this, [this] { unload(); });
}

// Each delivery entry hides the screen, then shows its delivery window.
void ChoixClasse::connecterLivraison(QAction* entree)
{
    connect(entree, &QAction::triggered, this, [this, nom = entree->objectName()] {
        hideForm();
        livraisons::afficher(nom);
    });
}

void ChoixClasse::construireMenus()
{
    QMenuBar* barre = menuBar();
    QMenu* MNU_Classes = menus::menu(barre, QStringLiteral("MNU_Classes"), QStringLiteral("Classes"));
    menus::entry(MNU_Classes, QStringLiteral("MNU_AjoutClasse"), QStringLiteral("Ajout..."));
    MNU_Classes->menuAction()->setVisible(false);

    QMenu* MNU_Eleves = menus::menu(barre, QStringLiteral("MNU_Eleves"), QStringLiteral("Eleves"));
    MNU_AjoutEleve_ = menus::entry(MNU_Eleves, QStringLiteral("MNU_AjoutEleve"), QStringLiteral("Ajout..."));
    connect(MNU_AjoutEleve_, &QAction::triggered, this, &ChoixClasse::MNU_AjoutEleve_Click);

    QMenu* MNU_Classe = menus::menu(barre, QStringLiteral("MNU_Classe"), QStringLiteral("Classe"));
    MNU_Changer_ = menus::entry(MNU_Classe, QStringLiteral("MNU_Changer"), QStringLiteral("Changer"));
    MNU_Changer_->setEnabled(false);
    connect(MNU_Changer_, &QAction::triggered, this, &ChoixClasse::MNU_Changer_Click);
    MNU_Créer_Classe_ = menus::entry(MNU_Classe, QStringLiteral("MNU_Créer_Classe"), QStringLiteral("Créer une classe"));
    connect(MNU_Créer_Classe_, &QAction::triggered, this, &ChoixClasse::MNU_Créer_Classe_Click);

    // The deliveries are not part of this build yet: their entries stay disabled.
    MNU_Export_ = menus::menu(barre, QStringLiteral("MNU_Export"), QStringLiteral("Exportations"));
    MNU_Final_ = menus::menu(MNU_Export_, QStringLiteral("MNU_Final"), QStringLiteral("Photos établissement..."));
    for (const auto& [texte, nom] : {std::pair{"Photos avec Vizmora...", "MNU_avecVizmora"},
                                     std::pair{"Photos \"Nom Prénom.jpg\"...", "MNU_Photos_Nom_prenom"},
                                     std::pair{"Photos \"Nom.Prénom.jpg\"", "MNU_Photos_Nom_P_prenom"},
                                     std::pair{"Photos \"Nom_Prénom.jpg\"", "MNU_Photos_Nom_T_prenom"},
                                     std::pair{"Photos \"Classes \\ Nom Prénom.jpg\"...", "MNU_Photos_Classes_Nom_prenom"}})
        connecterLivraison(menus::entry(MNU_Final_, QString::fromLatin1(nom), QString::fromUtf8(texte)));
    QMenu* Mnu_Labo = menus::menu(MNU_Export_, QStringLiteral("Mnu_Labo"), QStringLiteral("Exportation pour le labo..."));
    connecterLivraison(menus::entry(Mnu_Labo, QStringLiteral("MNU_HD1"), QStringLiteral("Photo HD Classe_Nom_Prénom.jpg")));
    connecterLivraison(menus::entry(Mnu_Labo, QStringLiteral("MNU_HD2"), QStringLiteral("Photo HD Nom Prénom Classe.jpg")));

    QMenu* MNU_Outils = menus::menu(barre, QStringLiteral("MNU_Outils"), QStringLiteral("Outils..."));
    MNU_Test_Prise_vue_ = menus::entry(MNU_Outils, QStringLiteral("MNU_Test_Prise_vue"), QStringLiteral("Test Prise de vue"));
    MNU_Test_Prise_vue_->setEnabled(false);
    connect(MNU_Test_Prise_vue_, &QAction::triggered, prise_, &PriseDeVue::MNU_Test_Prise_vue_Click);
    MNU_Outils->addSeparator();
    MNU_Net_hot_ = menus::entry(MNU_Outils, QStringLiteral("MNU_Net_hot"), QStringLiteral("Nettoyer le Hotfolder (tmp)"));
    connect(MNU_Net_hot_, &QAction::triggered, prise_, &PriseDeVue::MNU_Net_hot_Click);
    QAction* purge = menus::entry(MNU_Outils, QStringLiteral("MNU_Purge_Hot"), QStringLiteral("Purger le Hotfolder..."));
    connect(purge, &QAction::triggered, prise_, &PriseDeVue::MNU_Purge_Hot_Click);
    MNU_Outils->addSeparator();
    MNU_Sans_PC_ = menus::entry(MNU_Outils, QStringLiteral("MNU_Sans_PC"), QStringLiteral("Importation JPG..."));
    MNU_Sans_PC_->setEnabled(false);
    connect(MNU_Sans_PC_, &QAction::triggered, this, &ChoixClasse::MNU_Sans_PC_Click);
    MNU_Outils->addSeparator();
    MNU_Tarif_Etab_ = menus::entry(MNU_Outils, QStringLiteral("MNU_Tarif_Etab"), QStringLiteral("Ressaisir les tarifs établissement..."));
    MNU_Tarif_Etab_->setEnabled(false);
    connect(MNU_Tarif_Etab_, &QAction::triggered, this, [this] { ressaisirTarifsEtablissement(*this); });

    QMenu* MNU_Ver = menus::menu(barre, QStringLiteral("MNU_Ver"), QStringLiteral("?"));
    menus::entry(MNU_Ver, QStringLiteral("MNU_AIDE"), QStringLiteral("Aide"));
    MNU_Ver->addSeparator();
    QAction* MNU_Propos = menus::entry(MNU_Ver, QStringLiteral("MNU_Propos"), QStringLiteral("A propos de..."));
    connect(MNU_Propos, &QAction::triggered, this, [this] {
        retourPropos_ = true;
        formInstance<Propos>().showForm();
    });

    MNU_POPUP_ELEVES_ = new QMenu(QStringLiteral("GestionEleve"), this);
    MNU_POPUP_ELEVES_->setObjectName(QStringLiteral("MNU_POPUP_ELEVES"));
    QAction* change = menus::entry(MNU_POPUP_ELEVES_, QStringLiteral("MNU_Change_Classe"), QStringLiteral("Changer de classe..."));
    connect(change, &QAction::triggered, this, &ChoixClasse::MNU_Change_Classe_Click);
    MNU_POPUP_ELEVES_->addSeparator();
    QAction* sup = menus::entry(MNU_POPUP_ELEVES_, QStringLiteral("MNU_Sup_Eleve"), QStringLiteral("Supprimer..."));
    connect(sup, &QAction::triggered, this, &ChoixClasse::MNU_Sup_Eleve_Click);
}

// ---- the screen ----------------------------------------------------------

void ChoixClasse::onLoad()
{
    MNU_AjoutEleve_->setEnabled(false);
    MNU_Changer_->setEnabled(false);
    if (const dossiers_etab::Dossiers dossiers = dossiers_etab::de(etat::NomEtabEnCours); dossiers.valides())
        creerDossierArchive(dossiers.archive);
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
        OptionMain_[index]->setChecked(true);
        OptionMain_Click(index);
    }

    try {
        const auto etab = roster::etablissement(etat::CodeEtabEnCours);
        LabelNom_->setText(etab ? etab->nom : QString());
        LabelCP_->setText(etab ? etab->codePostal : QString());
        classes_ = roster::classes(etat::CodeEtabEnCours);
    } catch (const db::Error& error) {
        report::failure(error);
        classes_.clear();
    }
    LabelNom_->adjustSize();
    LabelCP_->adjustSize();

    retirerBoutonsClasse();
    const std::vector<QRect> places = placerBoutonsClasse(classes_);
    etendueBoutons_ = {};
    for (int i = 0; i < classes_.size(); ++i) {
        if (std::size_t(i) >= Bt_Classe_.size()) {
            QPushButton* b = bouton({}, QStringLiteral("Bt_Classe_%1").arg(i), FrameImages_);
            layout::setBackground(b, 0xE1E1E1);
            b->setFont(verdana(9.75, true));
            connect(b, &QPushButton::clicked, this, [this, i] { Bt_Classe_Click(i); });
            Bt_Classe_.push_back(b);
        }
        QPushButton* b = Bt_Classe_[std::size_t(i)];
        b->setText(echapperEsperluette(classes_[i]));
        const QRect& r = places[std::size_t(i)];
        layout::place(b, r.x(), r.y(), r.width(), r.height());
        b->show();
        b->raise();
        etendueBoutons_ = etendueBoutons_.expandedTo(QSize(r.right() + 100, r.bottom() + 100));
    }
    ajusterCadre();
}

void ChoixClasse::retirerBoutonsClasse()
{
    // The clicked button may be inside its own signal: removed later.
    for (std::size_t i = 1; i < Bt_Classe_.size(); ++i)
        Bt_Classe_[i]->deleteLater();
    Bt_Classe_.resize(std::min<std::size_t>(Bt_Classe_.size(), 1));
    if (!Bt_Classe_.empty())
        Bt_Classe_[0]->hide();
    etendueBoutons_ = {};
}

void ChoixClasse::ajusterCadre()
{
    const QSize planche = planche_->dernierIndice() >= 0 ? planche_->etendue() + QSize(650, 0) : QSize();
    const QSize etendue = kCadreImages.expandedTo(etendueBoutons_).expandedTo(planche);
    FrameImages_->resize(layout::px(etendue.width()), layout::px(etendue.height()));
    disposer();
}

void ChoixClasse::onUnload()
{
    prise_->suspendre();
    formInstance<Accueil>().showForm();
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
        MNU_Export_->menuAction()->setEnabled(true);
        MNU_Sans_PC_->setEnabled(true);
        MNU_Net_hot_->setEnabled(true);
    }
    Form::hideEvent(event);
}

void ChoixClasse::disposer()
{
    QWidget* centre = centralWidget();
    const int largeur = centre->width(), hauteur = centre->height();
    const int droite = layout::px(kLargeurDroite), haut = layout::px(kHautHaut);
    FrameCtDroit_->setGeometry(largeur - droite, layout::px(kTopDroite), droite,
                               std::max(0, hauteur - layout::px(kTopDroite)));

    const int barreV = VScroll1_->sizeHint().width(), barreH = HScroll1_->sizeHint().height();
    const int placeL = std::max(0, largeur - droite), placeH = std::max(0, hauteur - haut);
    const bool besoinV = FrameImages_->height() > placeH;
    const bool besoinH = FrameImages_->width() > placeL - (besoinV ? barreV : 0);
    const int vueL = std::max(0, placeL - (besoinV ? barreV : 0));
    const int vueH = std::max(0, placeH - (besoinH ? barreH : 0));

    VScroll1_->setVisible(besoinV);
    VScroll1_->setGeometry(vueL, haut, barreV, vueH);
    VScroll1_->setRange(0, besoinV ? FrameImages_->height() - vueH : 0);
    VScroll1_->setSingleStep(std::max(1, vueH / 16));
    VScroll1_->setPageStep(std::max(1, vueH));
    HScroll1_->setVisible(besoinH);
    HScroll1_->setGeometry(0, hauteur - barreH, vueL, barreH);
    HScroll1_->setRange(0, besoinH ? FrameImages_->width() - vueL : 0);
    HScroll1_->setSingleStep(std::max(1, vueL / 16));
    HScroll1_->setPageStep(std::max(1, vueL));
    FrameImages_->move(-HScroll1_->value(), haut - VScroll1_->value());

    FrameImages_->lower();
    for (QWidget* dessus : {FrameHaut_, FrameCtDroit_, static_cast<QWidget*>(HScroll1_), static_cast<QWidget*>(VScroll1_)})
        dessus->raise();
}

void ChoixClasse::Bt_Classe_Click(int index)
{
    if (index < 0 || index >= classes_.size())
        return;
    // The board changes under the mark: whatever was armed stops first.
    if (prise_->enCours())
        Bt_Start_Click(1);
    MNU_AjoutEleve_->setEnabled(true);
    MNU_Changer_->setEnabled(true);
    MNU_Sans_PC_->setEnabled(true);
    MNU_Créer_Classe_->setEnabled(false);
    MNU_Tarif_Etab_->setEnabled(false);
    MNU_Final_->menuAction()->setEnabled(false);
    Bt_Start_[1]->show();
    Frame1_->show();
    etat::ClasseEnCours = classes_[index];

    retirerBoutonsClasse();

    rebatirPlanche();
    LabelClasse_->show();
    OptionMain_[0]->show();
    OptionMain_[1]->show();
    Bt_Ajout_[0]->show();
    setWindowTitle(QStringLiteral("Mode Prise de vues - ") + etat::ClasseEnCours);
    raise();

    etat::DossierArchiveHD = dossiers_etab::de(etat::NomEtabEnCours).archive;
    creerDossierArchive(paths::join(etat::DossierArchiveHD, {paths::component(etat::ClasseEnCours)}));
}

QString ChoixClasse::dossierEtab() const
{
    return dossiers_etab::de(etat::NomEtabEnCours).donnees;
}

void ChoixClasse::rebatirPlanche()
{
    std::vector<roster::Eleve> eleves;
    try {
        eleves = roster::eleves(etat::CodeEtabEnCours, etat::ClasseEnCours);
    } catch (const db::Error& error) {
        report::failure(error);
    }
    planche_->charger(std::move(eleves), dossierEtab());
    etat::NbElevesClasse = planche_->dernierIndice();
    LabelClasse_->setText(QStringLiteral("Classe : %1 - %2 élèves").arg(etat::ClasseEnCours).arg(etat::NbElevesClasse + 1));
    LabelClasse_->adjustSize();
    marquer(-1);
    ajusterCadre();
}

void ChoixClasse::OptionMain_Click(int index)
{
    Bt_Start_[1]->setEnabled(true);
    etat::PriseDeVuePrete = true;
    MNU_Export_->menuAction()->setEnabled(false);
    etat::SensPriseDeVue = index == 0 ? QStringLiteral("TeteGauche") : QStringLiteral("TeteDroite");
}

void ChoixClasse::Photo_Click(int slot)
{
    if (etat::PriseDeVuePrete) {
        prise_->demarrer();
    } else if (!etat::ImportManuel) {
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
    MNU_POPUP_ELEVES_->popup(globalPos);
}

// ---- capture ---------------------------------------------------------------

void ChoixClasse::captureDemarree()
{
    MNU_Net_hot_->setEnabled(false);
    Bt_Start_[1]->setEnabled(true);
    Bt_Start_[1]->show();
}

void ChoixClasse::arreterCapture()
{
    prise_->arreter();
    marquer(-1);
}

void ChoixClasse::marquer(int slot)
{
    planche_->marquer(slot);
    if (planche_->marque() >= 0)
        etat::Indice = planche_->marque();
    MNU_Test_Prise_vue_->setEnabled(planche_->marque() >= 0);
}

void ChoixClasse::Bt_Start_Click(int index)
{
    if (index == 0) {
        MNU_Final_->menuAction()->setEnabled(false);
        return;
    }
    Bt_Start_[1]->setEnabled(false);
    OptionMain_[0]->setEnabled(true);
    OptionMain_[1]->setEnabled(true);
    arreterCapture();
    LabelImpotrMan_->hide();
    MNU_Export_->menuAction()->setEnabled(true);
    MNU_Sans_PC_->setEnabled(true);
    MNU_Net_hot_->setEnabled(true);
    MNU_Final_->menuAction()->setEnabled(true);
}

void ChoixClasse::finDeClasse()
{
    Bt_Start_Click(1);
    etat::ImportManuel = false;
    decocher(OptionMain_[0]);
    decocher(OptionMain_[1]);
    etat::Indice = 0;
    dialogs::message(QStringLiteral("Fin"));
}

void ChoixClasse::MNU_Sans_PC_Click()
{
    const bool manuel = prise_->basculerImportManuel();
    LabelImpotrMan_->setVisible(manuel);
    OptionMain_[0]->setEnabled(!manuel);
    OptionMain_[1]->setEnabled(!manuel);
    if (manuel)
        Bt_Start_[1]->show();
}

// ---- roster ----------------------------------------------------------------

void ChoixClasse::Bt_Ajout_Click(int index)
{
    switch (index) {
    case 0:
        arreterCapture();
        Frame1_->setEnabled(true);
        montrerSaisie(true);
        TextNom_->setFocus();
        MNU_AjoutEleve_->setEnabled(false);
        break;
    case 1: {
        const QString nom = TextNom_->text().trimmed(), prenom = TextPrenom_->text().trimmed();
        if (nom.isEmpty()) {
            dialogs::message(QStringLiteral("veuillez saisir un Nom..."), dialogs::Icon::Critical);
            TextNom_->setFocus();
        }
        if (prenom.isEmpty()) {
            dialogs::message(QStringLiteral("veuillez saisir un Prénom..."), dialogs::Icon::Critical);
            TextPrenom_->setFocus();
        }
        if (nom.isEmpty() || prenom.isEmpty())
            return;
        arreterCapture();
        if (!report::attempt([&] { roster::ajouterEleve(etat::CodeEtabEnCours, etat::ClasseEnCours, nom, prenom); }))
            return;
        rebatirPlanche();
        fermerAjout();
        break;
    }
    case 2:
        fermerAjout();
        break;
    case 3:
    case 4: {
        if (index == 4) {
            const QString classe = Combo1_->currentText();
            if (Combo1_->currentIndex() < 0 || classe.isEmpty()) {
                dialogs::message(QStringLiteral("Vous devez choisir une classe de destination avec la liste déroulante"));
                return;
            }
            arreterCapture();
            bool trouve = false;
            if (!report::attempt([&] { trouve = roster::changerClasse(cleADeplacer_, classe); }))
                return;
            if (!trouve)
                eleveDisparu();
            rebatirPlanche();
        }
        fermerChangement();
        break;
    }
    default:
        break;
    }
}

void ChoixClasse::montrerSaisie(bool visible)
{
    Bt_Ajout_[0]->setVisible(!visible);
    for (QWidget* w : {static_cast<QWidget*>(Bt_Ajout_[1]), static_cast<QWidget*>(Bt_Ajout_[2]),
                       static_cast<QWidget*>(TextNom_), static_cast<QWidget*>(TextPrenom_),
                       static_cast<QWidget*>(Label1_[0]), static_cast<QWidget*>(Label1_[1])})
        w->setVisible(visible);
}

void ChoixClasse::fermerAjout()
{
    Frame1_->setEnabled(false);
    montrerSaisie(false);
    TextNom_->clear();
    TextPrenom_->clear();
    MNU_AjoutEleve_->setEnabled(true);
}

void ChoixClasse::fermerChangement()
{
    Frame2_->hide();
    Bt_Ajout_[3]->hide();
    Bt_Ajout_[4]->hide();
    Bt_Ajout_[0]->setEnabled(true);
}

void ChoixClasse::MNU_AjoutEleve_Click()
{
    Bt_Ajout_Click(0);
    MNU_AjoutEleve_->setEnabled(false);
}

void ChoixClasse::MNU_Change_Classe_Click()
{
    const int slot = planche_->indiceDe(cleMenu_);
    if (slot < 0)
        return;
    const roster::Eleve& eleve = planche_->eleves()[std::size_t(slot)];
    cleADeplacer_ = eleve.cle;
    Bt_Ajout_[0]->setEnabled(false);
    Frame1_->setEnabled(false);
    Frame2_->show();
    Label1_[2]->setText(eleve.nom + u' ' + eleve.prenom);
    Bt_Ajout_[3]->show();
    Bt_Ajout_[4]->show();
    Bt_Ajout_[4]->setEnabled(false);
    // Filled at every opening, so that a class created meanwhile is offered.
    Combo1_->clear();
    try {
        Combo1_->addItems(roster::classes(etat::CodeEtabEnCours));
    } catch (const db::Error& error) {
        report::failure(error);
    }
    Combo1_->setCurrentIndex(-1);
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
    arreterCapture();
    if (!report::attempt([&] { roster::creerClasse(etat::CodeEtabEnCours, *reponse); }))
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
    fermerChangement();
    planche_->vider();
    ajusterCadre();
    setWindowTitle(QStringLiteral("Choix Classe..."));
    LabelClasse_->hide();
    MNU_Tarif_Etab_->setEnabled(true);
    MNU_Créer_Classe_->setEnabled(true);
    MNU_Final_->menuAction()->setEnabled(true);
    MNU_Net_hot_->setEnabled(true);
    MNU_AjoutEleve_->setEnabled(false);
    MNU_Changer_->setEnabled(false);
    for (QWidget* w : {static_cast<QWidget*>(OptionMain_[0]), static_cast<QWidget*>(OptionMain_[1]),
                       static_cast<QWidget*>(Frame1_), static_cast<QWidget*>(Bt_Ajout_[0]),
                       static_cast<QWidget*>(Bt_Start_[1])})
        w->hide();
}
