#include "school/sales/form_carte_ident.h"

#include "common/dialogs.h"
#include "common/helpers.h"
#include "common/paths.h"
#include "common/pictures.h"
#include "common/report.h"
#include "common/text.h"
#include "common/wallclock.h"
#include "common/ui/layout.h"
#include "school/data/base.h"
#include "school/data/etat.h"
#include "school/data/photos_en_attente.h"
#include "school/sales/commande.h"
#include "school/sales/impressions_ventes.h"
#include "school/sales/panneau_commande.h"

#include <QBuffer>
#include <QDate>
#include <QFile>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include <tuple>

namespace {

constexpr int kLargeur = 13605;
constexpr int kHauteurIdentite = 3930;
constexpr int kHautBoutons = 3000;
constexpr int kHautPanneau = 3400; // just under the buttons' row
// The largest side a portrait keeps, as the photographer's pictures are filed.
constexpr int kCotePortrait = 400;

const QString kEleveDisparu = QStringLiteral("Cet élève n'existe plus dans la base : la fiche est fermée.");

QString imagesDossier()
{
    return paths::join(etat::CheminDonnees, {QStringLiteral("images")});
}

// Why a surname or first name typed on the card cannot be stored, "" when
// both may. The names name the student's portrait file. Only a name the
// secretary changed is checked: one stored before the rule must not stop
// the other corrections or an order.
QString refusNoms(const FicheEleve& avant, const FicheEleve& saisie)
{
    for (const auto& [valeur, ancienne, champ] :
         {std::tuple{saisie.nom, avant.nom, QStringLiteral("Le nom de l'élève")},
          std::tuple{saisie.prenom, avant.prenom, QStringLiteral("Le prénom de l'élève")}}) {
        if (valeur == text::composed(ancienne))
            continue;
        if (QString refus = paths::controlRefusal(valeur, champ); !refus.isEmpty())
            return refus;
    }
    return {};
}

} // namespace

FormCarteIdent::FormCarteIdent() : Form(QStringLiteral("FormCarteIdent"))
{
    setWindowTitle(QStringLiteral("Carte Identité"));
    auto* fond = new QWidget(this);
    setCentralWidget(fond);
    setFixedSize(layout::px(kLargeur), layout::px(kHauteurIdentite));

    ImageIdentite_ = new QLabel(fond);
    ImageIdentite_->setObjectName(QStringLiteral("ImageIdentite"));
    ImageIdentite_->setAlignment(Qt::AlignCenter);
    layout::place(ImageIdentite_, 120, 120, 1695, 2535);
    auto* changer = new QPushButton(QStringLiteral("Changer..."), fond);
    changer->setObjectName(QStringLiteral("Bt_Changer"));
    layout::place(changer, 120, 2760, 1695, 375);
    connect(changer, &QPushButton::clicked, this, [this] { Bt_Changer_Click(); });

    TextNom_ = entree(QStringLiteral("TextNom"), 0, QStringLiteral("Nom :"), 2520, 1080, 3600, 960, 3735);
    TextPrenom_ = entree(QStringLiteral("TextPrenom"), 1, QStringLiteral("Prénom :"), 2520, 1560, 3600, 1440, 3735);
    TextNaissance_ = entree(QStringLiteral("TextNaissance"), 2, QStringLiteral("Date de naissance :"), 7920, 360,
                           10200, 240, 1815);
    TextClasse_ = entree(QStringLiteral("TextClasse"), 3, QStringLiteral("Classe :"), 2520, 360, 3600, 240, 3735);
    TextClasse_->setEnabled(false);
    TextRegime_ = entree(QStringLiteral("TextRegime"), 4, QStringLiteral("Régime :"), 2520, 2280, 3600, 2160, 3735);
    TextINE_ = entree(QStringLiteral("TextINE"), 5, QStringLiteral("Numéro INE :"), 7920, 1800, 10200, 1680, 3255);
    TextNumInterne_ = entree(QStringLiteral("TextNumInterne"), 6, QStringLiteral("Numéro Interne :"), 7920, 2280,
                            10200, 2160, 2895);

    panneau_ = new PanneauCommande(fond, kHautPanneau);
    layout::place(panneau_, 0, kHautPanneau, kLargeur, 20000);
    panneau_->hide();

    const QStringList textes{QStringLiteral("Valider"), QStringLiteral("Annuler"), QStringLiteral("Vente Photos...")};
    const int lefts[] = {11160, 12360, 4320};
    const int largeurs[] = {1095, 1095, 5175};
    QPushButton* boutons[3];
    for (int i = 0; i < 3; ++i) {
        boutons[i] = new QPushButton(textes[i], fond);
        boutons[i]->setObjectName(QStringLiteral("Bt_ValideIdentite_%1").arg(i));
        layout::place(boutons[i], lefts[i], kHautBoutons, largeurs[i], 375);
        connect(boutons[i], &QPushButton::clicked, this, [this, i] { Bt_ValideIdentite_Click(i); });
    }
    Bt_Valider_ = boutons[0];
    Bt_Annuler_ = boutons[1];
    Bt_VentePhotos_ = boutons[2];
    // Once the panel shows, Enter presses "Valider".
    for (const auto touche : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* raccourci = new QShortcut(QKeySequence(touche), this);
        connect(raccourci, &QShortcut::activated, this, [this] {
            if (panneauOuvert_)
                Bt_Valider_->click();
        });
    }
}

QLineEdit* FormCarteIdent::entree(const QString& nom, int indexLibelle, const QString& libelle, int labelLeft,
                                  int labelTop, int left, int top, int width)
{
    QLabel* label = layout::caption(centralWidget(), QStringLiteral("LbIdentite_%1").arg(indexLibelle), libelle);
    layout::place(label, labelLeft, labelTop, left - labelLeft - 60, 255);
    auto* zone = new QLineEdit(centralWidget());
    zone->setObjectName(nom);
    layout::place(zone, left, top, width, 375);
    return zone;
}

void FormCarteIdent::onLoad()
{
    mainWindow::hide();
}

void FormCarteIdent::onActivate()
{
    layout::centreOnScreen(*this);
    if (charge_)
        return;
    charge_ = true;
    if (!chargerEleve())
        QTimer::singleShot(0, this, [this] { unload(); });
}

bool FormCarteIdent::chargerEleve()
{
    try {
        fiche_ = fiche_eleve::lire(base::db(), etat::CdeEleveChoisi);
        tarifs_ = tarifs::parNom(base::db());
    } catch (const db::Error& erreur) {
        report::failure(erreur);
        fiche_.reset();
        return false;
    }
    if (!fiche_) {
        dialogs::message(kEleveDisparu, dialogs::Icon::Exclamation);
        return false;
    }
    TextNom_->setText(fiche_->nom);
    TextPrenom_->setText(fiche_->prenom);
    TextNaissance_->setText(fiche_->naissance);
    TextClasse_->setText(fiche_->classe);
    TextRegime_->setText(fiche_->regime);
    TextINE_->setText(fiche_->ine);
    TextNumInterne_->setText(fiche_->numInterne);
    afficherPhoto();
    return true;
}

void FormCarteIdent::afficherPhoto()
{
    const QString chemin = pictures::findStudentPicture(imagesDossier(), fiche_->nomPhoto, fiche_->nom, fiche_->prenom);
    const QImage image = chemin.isEmpty() ? QImage() : pictures::loadFitted(chemin, ImageIdentite_->size());
    if (image.isNull())
        ImageIdentite_->clear();
    else
        ImageIdentite_->setPixmap(QPixmap::fromImage(image));
}

void FormCarteIdent::Bt_Changer_Click()
{
    const QString fichier = dialogs::openFile({});
    if (fichier.isEmpty()) {
        nouvellePhoto_ = QImage();
        ImageIdentite_->clear();
        return;
    }
    const QImage image =
        pictures::loadFitted(fichier, QSize(kCotePortrait, kCotePortrait), pictures::Orientation::Upright);
    if (image.isNull()) {
        dialogs::message(QStringLiteral("Le fichier %1 n'est pas une image lisible : la photo n'est pas changée.")
                             .arg(fichier),
                         dialogs::Icon::Exclamation);
        return;
    }
    nouvellePhoto_ = image;
    ImageIdentite_->setPixmap(QPixmap::fromImage(
        image.scaled(ImageIdentite_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void FormCarteIdent::Bt_ValideIdentite_Click(int index)
{
    if (!fiche_)
        return;
    if (index == 0)
        valider();
    else if (index == 1)
        unload();
    else
        ouvrirPanneau();
}

FicheEleve FormCarteIdent::ficheSaisie() const
{
    FicheEleve fiche = *fiche_;
    fiche.nom = text::composed(TextNom_->text());
    fiche.prenom = text::composed(TextPrenom_->text());
    fiche.naissance = TextNaissance_->text();
    fiche.regime = TextRegime_->text();
    fiche.ine = TextINE_->text();
    fiche.numInterne = TextNumInterne_->text();
    return fiche;
}

void FormCarteIdent::ouvrirPanneau()
{
    ModeCommande mode = ModeCommande::Commande;
    try {
        if (ventes::existeEleve(base::db(), fiche_->codeCommande))
            mode = ModeCommande::Recommande;
    } catch (const db::Error& erreur) {
        report::failure(erreur);
        return;
    }
    Bt_VentePhotos_->hide();
    panneau_->construire(mode, tarifs_);
    panneau_->show();
    panneauOuvert_ = true;
    const int hautBoutons = panneau_->hautDerniereLigne() + 1000;
    layout::place(Bt_Valider_, 11160, hautBoutons, 1095, 375);
    layout::place(Bt_Annuler_, 12360, hautBoutons, 1095, 375);
    setFixedSize(layout::px(kLargeur), layout::px(hautBoutons + 1000));
    layout::keepOnScreen(*this);
}

QString FormCarteIdent::cheminPhoto(const FicheEleve& fiche)
{
    const QString nom = fiche.nomPhoto.isEmpty() ? fiche.nom + u'.' + fiche.prenom : fiche.nomPhoto;
    return paths::join(imagesDossier(), {paths::component(nom + QStringLiteral(".jpg"))});
}

bool FormCarteIdent::preparerPhoto(PhotoEnAttente& photo) const
{
    QByteArray jpeg;
    QBuffer tampon(&jpeg);
    QImageWriter ecriture(&tampon, "jpg");
    ecriture.setQuality(100);
    if (!tampon.open(QIODevice::WriteOnly) || !ecriture.write(nouvellePhoto_))
        report::detail(photo.cible() + QStringLiteral(" : ") + ecriture.errorString());
    else if (photo.ecrire(jpeg))
        return true;
    dialogs::message(QStringLiteral("La photo %1 n'a pas pu être enregistrée : rien n'est enregistré.")
                         .arg(photo.cible()),
                     dialogs::Icon::Critical);
    return false;
}

void FormCarteIdent::valider()
{
    const FicheEleve fiche = ficheSaisie();
    if (const QString refus = refusNoms(*fiche_, fiche); !refus.isEmpty()) {
        dialogs::message(refus, dialogs::Icon::Critical);
        return;
    }
    LignesCommande commande;
    if (panneauOuvert_) {
        try {
            commande = lignesCommande(panneau_->mode(), panneau_->choix(), tarifs_,
                                      tarifs::incompletes(base::db()), fiche, wallclock::today());
        } catch (const db::Error& erreur) {
            report::failure(erreur);
            return;
        }
        if (!commande.refus.isEmpty()) {
            dialogs::message(commande.refus, dialogs::Icon::Exclamation);
            return;
        }
    }
    // The new portrait waits beside the old one until the record is stored
    // (a record refused leaves the old portrait as it was), and the change
    // that stores the record says it is due in place.
    const bool photo = !nouvellePhoto_.isNull();
    PhotoEnAttente nouvelle(cheminPhoto(fiche));
    if (photo && !preparerPhoto(nouvelle))
        return;
    fiche_eleve::Enregistrement enregistrement;
    try {
        enregistrement = fiche_eleve::enregistrer(base::db(), *fiche_, fiche, commande.lignes, [&](db::Database& base) {
            if (photo)
                nouvelle.noter(base, fiche.cdeEleves);
        });
    } catch (const db::Error& erreur) {
        // Gone before the message waits on the secretary, who may switch off meanwhile.
        nouvelle.abandonner();
        report::failure(erreur);
        return;
    }
    if (enregistrement == fiche_eleve::Enregistrement::EleveDisparu) {
        nouvelle.abandonner();
        dialogs::message(kEleveDisparu, dialogs::Icon::Exclamation);
        unload();
        return;
    }
    if (photo) {
        if (nouvelle.mettreEnPlace(base::db())) {
            Q_EMIT photoRemplacee(etat::IndexPhotoChoisie);
        } else {
            // Said now: the next start has nothing to finish (or names the student again).
            try {
                nouvelle.oublier(base::db());
            } catch (const db::Error& erreur) {
                report::logged(erreur);
            }
            dialogs::message(nouvelle.erreur()
                                 + QStringLiteral("\nLa fiche est enregistrée, mais la photo n'a pas été changée."),
                             dialogs::Icon::Critical);
        }
    }
    // The reorder form on file no longer lists every order: it goes, and the
    // print entry forgets it rather than name a missing file.
    const QString bordereau = impressions_ventes::chemin(impressions_ventes::kBordereau);
    if (FichierExiste(bordereau) && !QFile::remove(bordereau))
        report::detail(bordereau + QStringLiteral(" : suppression impossible"));
    if (etat::FichierImpression == bordereau && !FichierExiste(bordereau))
        etat::FichierImpression.clear();
    unload();
}

void FormCarteIdent::onUnload()
{
    mainWindow::show();
}
