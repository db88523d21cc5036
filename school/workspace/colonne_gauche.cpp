#include "school/workspace/colonne_gauche.h"

#include "common/ui/layout.h"
#include "school/class_board/deplacement.h"
#include "school/workspace/liste_choix.h"
#include "school/ui/outils_fenetre.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

namespace {

// The design places of the column's lower zones (twips).
constexpr int kBasListes = 720 + 3375;       // Shape1's bottom
constexpr int kHauteurLigneListe = 255;      // one line of the pick list
constexpr int kHauteurZoneAjout = 1335;      // Shape2 at rest
constexpr int kHauteurZoneSaisie = 4120;     // Shape2 while a student is typed
constexpr int kHauteurTitreZone = 495;       // LabelAjoutEleve, LbCompta

QComboBox* listeDeroulante(QWidget* parent, const QString& nom, int top)
{
    // A list is only picked from (no edit line): every choice comes as activated().
    auto* combo = new QComboBox(parent);
    combo->setObjectName(nom);
    layout::place(combo, 120, top, 1695, 360);
    return combo;
}

// The column's bold captions, wrapped unless said otherwise.
QLabel* titre(QWidget* parent, const QString& nom, const QString& texte, int top, int width, int height,
              double points = 9.75)
{
    QLabel* label = layout::caption(parent, nom, texte);
    label->setFont(layout::font(QStringLiteral("Verdana"), points, true));
    label->setWordWrap(true);
    layout::place(label, 120, top, width, height);
    return label;
}

QPushButton* bouton(QWidget* parent, const QString& nom, const QString& texte, int top)
{
    QPushButton* button = creerBouton(parent, nom, texte);
    layout::place(button, 240, top, 1455, 375);
    return button;
}

QLineEdit* boite(QWidget* parent, const QString& nom, int top)
{
    auto* boite = new QLineEdit(parent);
    boite->setObjectName(nom);
    boite->setFont(layout::font(QStringLiteral("Verdana"), 8.25));
    layout::place(boite, 120, top, 1575, 375);
    return boite;
}

void placerEnHaut(QWidget* widget, int top)
{
    widget->move(widget->x(), layout::px(top));
}

void changerHauteur(QWidget* widget, int height)
{
    widget->resize(widget->width(), layout::px(height));
}

} // namespace

ColonneGauche::ColonneGauche(QWidget* fond) : QFrame(fond)
{
    setObjectName(QStringLiteral("Frame3"));
    layout::setBackground(this, 0xFFFFFF);
    layout::place(this, 0, 0, 2175, 13935);

    auto* progression = new QProgressBar(this);
    progression->setObjectName(QStringLiteral("ProgressBar1"));
    progression->setTextVisible(false);
    progression->setValue(0);
    layout::place(progression, 120, 240, 1815, 135);

    layout::place(creerForme(this, QStringLiteral("Shape1"), 0x8CC0FB), 0, 720, 1935, 3375);
    Shape3 = creerForme(this, QStringLiteral("Shape3"), 0xFEF3D6);
    layout::place(Shape3, 0, 5880, 1935, 1080);
    Shape2 = creerForme(this, QStringLiteral("Shape2"), 0xBAFACD);
    layout::place(Shape2, 0, 4320, 1935, kHauteurZoneAjout);

    creerListes();
    liste = new ListeChoix(this);
    creerZoneAjout();
    creerZoneVente();
    Frame2 = new PanneauDeplacement(this);
}

void ColonneGauche::creerListes()
{
    titre(this, QStringLiteral("lbclasses"), QStringLiteral("Les classes"), 960, 1695, 240);
    DBComboClasses = listeDeroulante(this, QStringLiteral("DBComboClasses"), 1200);
    Bt_Aficher = bouton(this, QStringLiteral("Bt_Aficher"), QStringLiteral("Afficher..."), 1680);
    Bt_Aficher->setEnabled(false);

    titre(this, QStringLiteral("Label2"), QStringLiteral("Les groupes"), 2280, 1695, 240);
    Bt_Creer_Groupe = bouton(this, QStringLiteral("Bt_Creer_Groupe"), QStringLiteral("Creer"), 2520);
    DBComboGroupe = listeDeroulante(this, QStringLiteral("DBComboGroupe"), 3000);
    Aff_Groupe = bouton(this, QStringLiteral("Aff_Groupe"), QStringLiteral("Afficher..."), 3480);
    Aff_Groupe->setEnabled(false);
}

void ColonneGauche::creerZoneAjout()
{
    LabelAjoutEleve = titre(this, QStringLiteral("LabelAjoutEleve"), QStringLiteral("Ajouter un élève :"), 4440, 1455,
                            kHauteurTitreZone);
    Bt_Ajout_Eleve = bouton(this, QStringLiteral("Bt_Ajout_Eleve"), QStringLiteral("Ajouter"), 4920);
    Bt_Ajout_Eleve->setEnabled(false);
    Bt_Valide_Ajout_Eleve = bouton(this, QStringLiteral("Bt_Valide_Ajout_Eleve"), QStringLiteral("Valider"), 4920);
    Bt_Valide_Ajout_Eleve->setEnabled(false);
    Bt_Valide_Ajout_Eleve->hide();
    creerSaisie();
}

void ColonneGauche::creerSaisie()
{
    saisie.LbAjNom = titre(this, QStringLiteral("LbAjNom"), QStringLiteral("Nom :"), 5400, 630, 240);
    saisie.TextRecupNom = boite(this, QStringLiteral("TextRecupNom"), 5640);
    saisie.LbAjoutPrenom =
        titre(this, QStringLiteral("LbAjoutPrenom"), QStringLiteral("Prénom :"), 6120, 870, 195, 8.25);
    saisie.TextRecupPrenom = boite(this, QStringLiteral("TextRecupPrenom"), 6360);
    saisie.LbAjoutPhoto = titre(this, QStringLiteral("LbAjoutPhoto"), QStringLiteral("Photo :"), 6840, 675, 195, 8.25);
    saisie.Bt_Ajout_Photo = creerBouton(this, QStringLiteral("Bt_Ajout_Photo"), QStringLiteral("Parcourir..."));
    saisie.Bt_Ajout_Photo->setFont(layout::font(QStringLiteral("Verdana"), 8.25));
    layout::place(saisie.Bt_Ajout_Photo, 360, 7080, 1215, 375);
    // One-line captions: a wrapped "Nom :" would lose its colon under the box below.
    for (QLabel* titre : {saisie.LbAjNom, saisie.LbAjoutPrenom, saisie.LbAjoutPhoto})
        titre->setWordWrap(false);
}

void ColonneGauche::creerZoneVente()
{
    LbCompta =
        titre(this, QStringLiteral("LbCompta"), QStringLiteral("Vente des photos :"), 5980, 1695, kHauteurTitreZone);
    Bt_Vente = bouton(this, QStringLiteral("Bt_Vente"), QStringLiteral("Ventes..."), 6480);
}

void ColonneGauche::agrandirZoneAjout()
{
    changerHauteur(Shape2, kHauteurZoneSaisie);
}

void ColonneGauche::reposerZoneAjout()
{
    changerHauteur(Shape2, kHauteurZoneAjout);
}

void ColonneGauche::descendreZones(int hauteur)
{
    for (QWidget* zone : std::initializer_list<QWidget*>{Shape2, LabelAjoutEleve, Bt_Ajout_Eleve,
                                                         Bt_Valide_Ajout_Eleve})
        zone->move(zone->pos() + QPoint(0, hauteur));
}

void ColonneGauche::elargirListe(QComboBox* liste)
{
    QAbstractItemView* vue = liste->view();
    int texte = 0;
    for (int i = 0; i < liste->count(); ++i)
        texte = std::max(texte, vue->fontMetrics().horizontalAdvance(liste->itemText(i)));
    // The item's own margins, the frame and a scroll bar when the list is long.
    const int marges = 16 + 2 * vue->frameWidth() + vue->verticalScrollBar()->sizeHint().width();
    vue->setMinimumWidth(std::max(liste->width(), texte + marges));
}

void ColonneGauche::placerZonesBas()
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
