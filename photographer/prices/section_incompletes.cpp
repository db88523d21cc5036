#include "photographer/prices/section_incompletes.h"

#include "common/report.h"
#include "common/ui/key_filter.h"
#include "common/ui/layout.h"
#include "photographer/data/base.h"
#include "photographer/prices/saisies.h"
#include "photographer/prices/section_pochettes.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

using enum LigneSaisie::Boite;

const LigneSaisie::Plan kPlanIncomplete{
    "LbPochetteIncomplete", "SaisieAjoutPochetteInc", "Bt_ValideAjoutPochetteInc", "Bt_ValideModifPochetteInc",
    {"Ref", "Nom", "Prix TTC", "Nb art"},
    {2640, 3840, 9120, 3120}, {3480, 3480, 3480, 3480}, {495, 1455, 1215, 720}, {240, 240, 240, 240},
    {2640, 3840, 9120, 3240}, {495, 5055, 1215, 495}, 3840, {10800, 12240}, {1335, 1215}};

const QString kNomIncomplete =
    QStringLiteral("abcçdeéèêfghijklmnoôpqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890.- ");

} // namespace

SectionIncompletes::SectionIncompletes(FormTarifs& form, QWidget* cadre, const SectionPochettes& pochettes)
    : SectionCatalogue(form), pochettes_(pochettes)
{
    construire(cadre);
    filterKeys(ligne().boite(Nom), kNomIncomplete);
    filterPrice(ligne().boite(Prix));
    filterKeys(ligne().boite(NbArticles), saisies::kChiffres);
    connect(ligne().boite(NbArticles), &QLineEdit::textChanged, this,
            [this] { SaisieAjoutPochetteInc_Change(NbArticles); });
}

void SectionIncompletes::construire(QWidget* cadre)
{
    QLabel* titre = layout::caption(cadre, QStringLiteral("Label1"), QStringLiteral("Les pochettes incomplètes :"));
    titre->setWordWrap(true);
    layout::place(titre, 0, 2760, 1740, 600);
    CbPochettesIncompletes_ = new QComboBox(cadre);
    CbPochettesIncompletes_->setObjectName(QStringLiteral("CbPochettesIncompletes"));
    layout::place(CbPochettesIncompletes_, 2640, 2760, 4815, 360);
    refuseTyping(CbPochettesIncompletes_);
    construireBoutons(cadre, {"Bt_Ajout_PochetteInc", 2640, {7560, 9000, 10320}, {1335, 1215, 1335}});
    construireLigne(cadre, kPlanIncomplete);
}

void SectionIncompletes::remplir()
{
    incompletes_.clear();
    if (const catalogue::Produit* pochette = pochettes_.pochetteChoisie())
        report::attempt([&] { incompletes_ = catalogue::pochettesIncompletes(base::db(), pochette->ref); });
    const QSignalBlocker bloque(CbPochettesIncompletes_);
    CbPochettesIncompletes_->clear();
    for (const catalogue::PochetteIncomplete& incomplete : incompletes_)
        CbPochettesIncompletes_->addItem(incomplete.libelle, incomplete.cle);
    CbPochettesIncompletes_->setCurrentIndex(CbPochettesIncompletes_->count() - 1);
}

void SectionIncompletes::suivrePochette()
{
    if (!pochettes_.pochetteChoisie() || ligne().boite(NbArticles)->isHidden())
        return;
    lierPochette();
    if (!ligne().texte(NbArticles).isEmpty())
        SaisieAjoutPochetteInc_Change(NbArticles);
}

void SectionIncompletes::lierPochette()
{
    if (const catalogue::Produit* pochette = pochettes_.pochetteChoisie())
        ligne().boite(Ref)->setText(pochette->ref);
}

void SectionIncompletes::reposer()
{
    const bool incomplete = choisiDans(CbPochettesIncompletes_, incompletes_) != nullptr;
    CbPochettesIncompletes_->setEnabled(true);
    bouton(Ajouter)->setEnabled(pochettes_.pochetteChoisie() != nullptr);
    bouton(Modifier)->setEnabled(incomplete);
    bouton(Supprimer)->setEnabled(incomplete);
}

std::optional<SectionCatalogue::Choix> SectionIncompletes::choisi() const
{
    const catalogue::PochetteIncomplete* choisie = choisiDans(CbPochettesIncompletes_, incompletes_);
    if (!choisie)
        return std::nullopt;
    return Choix{choisie->cle, {choisie->refPochette, choisie->libelle, choisie->prix, choisie->nbArticles}};
}

void SectionIncompletes::commencer()
{
    form_.retour()->setEnabled(false);
}

void SectionIncompletes::ouvrirAjout()
{
    const catalogue::Produit* pochette = pochettes_.pochetteChoisie();
    if (!pochette)
        return;
    form_.activerBoutons(false);
    bouton(Ajouter)->setEnabled(true);
    CbPochettesIncompletes_->setEnabled(false);
    ligne().montrer(Nom, true);
    ligne().boite(Ref)->setText(pochette->ref);
    ligne().boite(NbArticles)->setFocus();
}

void SectionIncompletes::modifOuverte()
{
    form_.activerBoutons(false);
    bouton(Modifier)->setEnabled(true);
    CbPochettesIncompletes_->setEnabled(false);
}

QString SectionIncompletes::designation() const
{
    return QStringLiteral("le type de pochette");
}

FormTarifs::Ecriture SectionIncompletes::suppression(qint64 cle) const
{
    return [cle](db::Database& base) { catalogue::supprimerPochetteIncomplete(base, cle); };
}

void SectionIncompletes::suppressionAnnulee()
{
    form_.recharger();
}

void SectionIncompletes::validerAjout()
{
    LigneSaisie& saisie = ligne();
    if (saisie.texte(NbArticles).isEmpty()) {
        refuser(saisie.boite(NbArticles), QStringLiteral("Le champ Nb Articles ne peut rester vide"));
        return;
    }
    if (saisie.texte(Prix).isEmpty()) {
        refuser(saisie.boite(Prix), QStringLiteral("Le champ Prix TTC ne peut rester vide"));
        return;
    }
    lierPochette();
    if (!remplies({Nom, Prix, NbArticles}) || !prixValides({Prix}))
        return;
    const catalogue::PochetteIncomplete incomplete{0, saisie.texte(Ref), saisie.texte(NbArticles), saisie.texte(Nom),
                                                   prix(Prix)};
    form_.ajouterSansDoublon(
        [&incomplete](db::Database& base) { return catalogue::nomPochetteIncompletePris(base, incomplete.libelle); },
        QStringLiteral("Ce nom de pochette existe déjà !"),
        [&incomplete](db::Database& base) { catalogue::ajouterPochetteIncomplete(base, incomplete); });
}

void SectionIncompletes::validerModif()
{
    LigneSaisie& saisie = ligne();
    if (saisie.texte(Prix).isEmpty()) {
        refuser(saisie.boite(Prix), QStringLiteral("Le champ Prix TTC ne peut rester vide"));
        return;
    }
    if (saisie.texte(NbArticles).isEmpty()) {
        refuser(saisie.boite(NbArticles), QStringLiteral("Le champ Nb articles ne peut rester vide"));
        return;
    }
    lierPochette();
    if (!remplies({Ref, Nom, Prix, NbArticles}) || !prixValides({Prix}))
        return;
    const catalogue::PochetteIncomplete incomplete{modifie().cle, saisie.texte(Ref), saisie.texte(NbArticles),
                                                   saisie.texte(Nom), prix(Prix)};
    form_.ecrire([&incomplete](db::Database& base) { catalogue::modifierPochetteIncomplete(base, incomplete); });
}

void SectionIncompletes::SaisieAjoutPochetteInc_Change(int index)
{
    if (index == NbArticles)
        ligne().boite(Nom)->setText(
            catalogue::nomAutomatique(ligne().texte(Ref), pochettes_.nomChoisi(), ligne().texte(NbArticles)));
}
