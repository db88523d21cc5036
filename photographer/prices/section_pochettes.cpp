#include "photographer/prices/section_pochettes.h"

#include "common/ui/key_filter.h"
#include "common/ui/layout.h"
#include "photographer/prices/saisies.h"
#include "photographer/prices/section_incompletes.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

using enum LigneSaisie::Boite;

const LigneSaisie::Plan kPlanPochette{
    "LbPochette", "SaisieAjoutPochette", "Bt_ValideAjoutPochette", "Bt_ValideModifPochette",
    {"Référence Pochette", "Nom Pochette", "Prix Pochette TTC", "Prix Recommande TTC"},
    {2520, 4440, 7080, 8760}, {840, 960, 720, 720}, {1800, 1455, 1575, 1800}, {480, 240, 480, 480},
    {2640, 3960, 7200, 9120}, {1215, 3135, 1215, 1215}, 1320, {10920, 12360}, {1335, 1215}};

} // namespace

SectionPochettes::SectionPochettes(FormTarifs& form, QWidget* cadre) : SectionCatalogue(form)
{
    construire(cadre);
    filterKeys(ligne().boite(Ref), saisies::kReference);
    filterPrice(ligne().boite(Prix));
    filterPrice(ligne().boite(PrixRec));
    saisies::suivre(ligne().boite(Prix), ligne().boite(PrixRec));
}

void SectionPochettes::construire(QWidget* cadre)
{
    LbTarifPochette_ = layout::caption(cadre, QStringLiteral("LbTarifPochette"), QStringLiteral("Les pochettes  :"));
    layout::place(LbTarifPochette_, 0, 240, 1725, 240);
    layout::place(layout::caption(cadre, QStringLiteral("Label2"), QStringLiteral("(ex: pochette 3 articles)")), 0, 480,
                  2265, 210);
    ComboPochette_ = new QComboBox(cadre);
    ComboPochette_->setObjectName(QStringLiteral("ComboPochette"));
    layout::place(ComboPochette_, 2760, 240, 4695, 360);
    refuseTyping(ComboPochette_);
    connect(ComboPochette_, &QComboBox::currentIndexChanged, this, &SectionPochettes::ComboPochette_Change);

    incompletes_ = new SectionIncompletes(form_, cadre, *this);
    // Choosing an incomplete pack while no operation runs brings both
    // sections back to rest, as choosing a pack does.
    connect(incompletes_->liste(), &QComboBox::currentIndexChanged, this, [this] {
        if (!form_.occupe())
            reposer();
    });

    construireBoutons(cadre, {"Bt_Ajout_Pochette", 120, {7560, 9000, 10320}, {1335, 1215, 1335}});
    construireLigne(cadre, kPlanPochette);
    // The buttons of the two sections stand in columns: Tab goes down each
    // column, from the pack's button to the incomplete pack's.
    std::vector<QWidget*> colonnes{incompletes_->liste()};
    for (const Operation operation : {Ajouter, Modifier, Supprimer})
        colonnes.insert(colonnes.end(), {bouton(operation), incompletes_->bouton(operation)});
    saisies::ordreTab(colonnes);
}

void SectionPochettes::remplir(std::vector<catalogue::Produit> pochettes)
{
    pochettes_ = std::move(pochettes);
    {
        const QSignalBlocker bloque(ComboPochette_);
        ComboPochette_->clear();
        for (const catalogue::Produit& pochette : pochettes_)
            ComboPochette_->addItem(pochette.nom, pochette.cle);
        ComboPochette_->setCurrentIndex(ComboPochette_->count() - 1);
    }
    ComboPochette_Change();
}

void SectionPochettes::desactiverZone()
{
    LbTarifPochette_->setEnabled(false);
    ComboPochette_->setEnabled(false);
    SectionCatalogue::activerBoutons(false);
}

void SectionPochettes::activerBoutons(bool actif)
{
    SectionCatalogue::activerBoutons(actif);
    incompletes_->activerBoutons(actif);
}

void SectionPochettes::reposer()
{
    const bool pochette = pochetteChoisie() != nullptr;
    LbTarifPochette_->setEnabled(true);
    ComboPochette_->setEnabled(true);
    bouton(Ajouter)->setEnabled(true);
    bouton(Modifier)->setEnabled(pochette && !form_.sansArticle());
    bouton(Supprimer)->setEnabled(pochette && !form_.sansArticle());
    incompletes_->reposer();
}

const catalogue::Produit* SectionPochettes::pochetteChoisie() const
{
    return choisiDans(ComboPochette_, pochettes_);
}

QString SectionPochettes::nomChoisi() const
{
    return ComboPochette_->currentText();
}

std::optional<SectionCatalogue::Choix> SectionPochettes::choisi() const
{
    const catalogue::Produit* pochette = pochetteChoisie();
    return pochette ? std::optional(choixDe(*pochette)) : std::nullopt;
}

void SectionPochettes::ComboPochette_Change()
{
    incompletes_->remplir();
    // While an incomplete pack is entered the pack list stays usable, but the
    // buttons stay as that operation set them.
    if (!form_.occupe()) {
        reposer();
        return;
    }
    incompletes_->suivrePochette();
}

void SectionPochettes::commencer()
{
    form_.retour()->setEnabled(false);
}

void SectionPochettes::ouvrirAjout()
{
    LbTarifPochette_->setEnabled(false);
    ComboPochette_->setEnabled(false);
    form_.activerBoutons(false);
    ligne().montrer(Ref, true);
    ligne().boite(Ref)->setFocus();
}

void SectionPochettes::modifOuverte()
{
    LbTarifPochette_->setEnabled(false);
    ComboPochette_->setEnabled(false);
    form_.activerBoutons(false);
}

QString SectionPochettes::designation() const
{
    return QStringLiteral("le type de pochette");
}

FormTarifs::Ecriture SectionPochettes::suppression(qint64 cle) const
{
    return [cle](db::Database& base) { catalogue::supprimerPochette(base, cle); };
}

void SectionPochettes::suppressionAnnulee()
{
    form_.recharger();
}

void SectionPochettes::validerAjout()
{
    if (!remplies({Ref, Nom, Prix}) || !prixValides({Prix, PrixRec}))
        return;
    LigneSaisie& saisie = ligne();
    const catalogue::Produit pochette{0, saisie.texte(Ref), saisie.texte(Nom), prix(Prix), prix(PrixRec)};
    form_.ajouterSansDoublon(
        [&pochette](db::Database& base) { return catalogue::referencePochettePrise(base, pochette.ref); },
        QStringLiteral("Cette référence pochette existe déjà !"),
        [&pochette](db::Database& base) { catalogue::ajouterPochette(base, pochette); });
}

void SectionPochettes::validerModif()
{
    // The focus goes to the name, the one box that can be typed into.
    if (!remplies({Ref, Nom}, Nom) || !prixValides({Prix, PrixRec}))
        return;
    LigneSaisie& saisie = ligne();
    const catalogue::Produit pochette{modifie().cle, modifie().saisie[Ref], saisie.texte(Nom), prix(Prix),
                                      prix(PrixRec)};
    form_.ecrire([&pochette](db::Database& base) { catalogue::modifierPochette(base, pochette); });
}
