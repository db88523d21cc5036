#include "photographer/prices/section_catalogue.h"

#include "common/dialogs.h"
#include "common/text.h"
#include "common/ui/layout.h"
#include "photographer/prices/saisies.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

const char* const kOperations[] = {"Ajouter...", "Modifier...", "Supprimer..."};
constexpr int kHauteurBouton = 495;

enum { Valider = 0, Annuler = 1 };

} // namespace

SectionCatalogue::SectionCatalogue(FormTarifs& form) : QObject(&form), form_(form) {}

void SectionCatalogue::construireBoutons(QWidget* cadre, const Boutons& boutons)
{
    for (int i = 0; i < 3; ++i) {
        auto* bouton = new QPushButton(QString::fromLatin1(kOperations[i]), cadre);
        bouton->setObjectName(nomIndice(boutons.nom, i));
        layout::place(bouton, boutons.gauche[std::size_t(i)], boutons.haut, boutons.largeur[std::size_t(i)],
                      kHauteurBouton);
        connect(bouton, &QPushButton::clicked, this, [this, i] { operation(i); });
        boutons_[std::size_t(i)] = bouton;
    }
}

void SectionCatalogue::construireLigne(QWidget* cadre, const LigneSaisie::Plan& plan)
{
    ligne_.emplace(cadre, plan);
    connect(ligne_->ajout(Valider), &QPushButton::clicked, this, [this] { validerAjout(); });
    connect(ligne_->ajout(Annuler), &QPushButton::clicked, this, [this] { annuler(false); });
    connect(ligne_->modif(Valider), &QPushButton::clicked, this, [this] { validerModif(); });
    connect(ligne_->modif(Annuler), &QPushButton::clicked, this, [this] { annuler(true); });
}

void SectionCatalogue::activerBoutons(bool actif)
{
    for (QPushButton* bouton : boutons_)
        bouton->setEnabled(actif);
}

SectionCatalogue::Choix SectionCatalogue::choixDe(const catalogue::Produit& produit)
{
    return {produit.cle, {produit.ref, produit.nom, produit.prix, produit.prixRec}};
}

void SectionCatalogue::operation(int index)
{
    commencer();
    switch (index) {
    case Ajouter: ouvrirAjout(); break;
    case Modifier: ouvrirModif(); break;
    case Supprimer: supprimer(); break;
    }
}

void SectionCatalogue::ouvrirModif()
{
    const std::optional<Choix> choix = choisi();
    if (!choix) {
        sansChoix();
        return;
    }
    modifie_ = *choix;
    // In box order: the reorder price follows the price, then takes its own
    // value; the number of articles names an incomplete pack anew.
    for (std::size_t i = 0; i < choix->saisie.size(); ++i)
        ligne_->boite(int(i))->setText(choix->saisie[i]);
    // The reference cannot be changed.
    ligne_->montrer(LigneSaisie::Nom, false);
    modifOuverte();
}

void SectionCatalogue::supprimer()
{
    const std::optional<Choix> choix = choisi();
    if (!choix) {
        sansChoix();
        return;
    }
    const QString question = QStringLiteral("Vous allez supprimer définitivement ") + designation()
                             + QStringLiteral(" : '") + choix->saisie[LigneSaisie::Nom] + QStringLiteral("' ?");
    if (dialogs::message(question, dialogs::Icon::None, dialogs::Buttons::OkCancel) == dialogs::Answer::Ok) {
        form_.ecrire(suppression(choix->cle));
        return;
    }
    suppressionAnnulee();
}

void SectionCatalogue::annuler(bool apresModif)
{
    ligne_->cacher(apresModif);
    form_.reposer();
}

bool SectionCatalogue::remplies(std::initializer_list<int> boites, int focus)
{
    const int vide = ligne_->premiereVide(boites);
    if (vide < 0)
        return true;
    refuser(ligne_->boite(focus >= 0 ? focus : vide), saisies::champVide(ligne_->legende(vide)));
    return false;
}

bool SectionCatalogue::prixValides(std::initializer_list<int> boites)
{
    for (const int i : boites) {
        const QString refus = saisies::prixRefuse(ligne_->legende(i), ligne_->texte(i));
        if (!refus.isEmpty()) {
            refuser(ligne_->boite(i), refus);
            return false;
        }
    }
    return true;
}

QString SectionCatalogue::prix(int boite)
{
    return text::priceText(ligne_->texte(boite));
}

void SectionCatalogue::refuser(QWidget* boite, const QString& message)
{
    dialogs::message(message, dialogs::Icon::Critical);
    boite->setFocus();
}
