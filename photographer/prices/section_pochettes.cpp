#include "photographer/prices/section_pochettes.h"

#include "common/dialogs.h"
#include "common/report.h"
#include "common/ui/key_filter.h"
#include "common/ui/layout.h"
#include "photographer/prices/form_tarifs.h"
#include "photographer/prices/saisies.h"
#include "photographer/data/base.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

const LigneSaisie::Plan kPlanPochette{
    "LbPochette", "SaisieAjoutPochette", "Bt_ValideAjoutPochette", "Bt_ValideModifPochette",
    {"Référence Pochette", "Nom Pochette", "Prix Pochette TTC", "Prix Recommande TTC"},
    {2520, 4440, 7080, 8760}, {840, 960, 720, 720}, {1800, 1455, 1575, 1800}, {480, 240, 480, 480},
    {2640, 3960, 7200, 9120}, {1215, 3135, 1215, 1215}, 1320, {10920, 12360}, {1335, 1215}};

const LigneSaisie::Plan kPlanIncomplete{
    "LbPochetteIncomplete", "SaisieAjoutPochetteInc", "Bt_ValideAjoutPochetteInc", "Bt_ValideModifPochetteInc",
    {"Ref", "Nom", "Prix TTC", "Nb art"},
    {2640, 3840, 9120, 3120}, {3480, 3480, 3480, 3480}, {495, 1455, 1215, 720}, {240, 240, 240, 240},
    {2640, 3840, 9120, 3240}, {495, 5055, 1215, 495}, 3840, {10800, 12240}, {1335, 1215}};

const QString kNomIncomplete =
    QStringLiteral("abcçdeéèêfghijklmnoôpqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890.- ");

const char* const kBoutons[] = {"Ajouter...", "Modifier...", "Supprimer..."};
constexpr int kBoutonX[] = {7560, 9000, 10320};
constexpr int kBoutonL[] = {1335, 1215, 1335};

enum { Ajouter = 0, Modifier = 1, Supprimer = 2 };
enum { Valider = 0, Annuler = 1 };
enum { Ref = 0, Nom = 1, Prix = 2, PrixRec = 3, NbArticles = 3 };

QString questionSuppression(const QString& nom)
{
    return QStringLiteral("Vous allez supprimer définitivement le type de pochette : '") + nom + QStringLiteral("' ?");
}

} // namespace

SectionPochettes::SectionPochettes(FormTarifs& form, QWidget* cadre) : QObject(&form), form_(form)
{
    construire(cadre);
    pochette_.emplace(cadre, kPlanPochette);
    incomplete_.emplace(cadre, kPlanIncomplete);

    filterKeys(pochette_->boite(Ref), saisies::kReference);
    filterPrice(pochette_->boite(Prix));
    filterPrice(pochette_->boite(PrixRec));
    saisies::suivre(pochette_->boite(Prix), pochette_->boite(PrixRec));
    filterKeys(incomplete_->boite(Nom), kNomIncomplete);
    filterPrice(incomplete_->boite(Prix));
    filterKeys(incomplete_->boite(NbArticles), saisies::kChiffres);
    connect(incomplete_->boite(NbArticles), &QLineEdit::textChanged, this,
            [this] { SaisieAjoutPochetteInc_Change(NbArticles); });

    for (int i = 0; i < 2; ++i) {
        connect(pochette_->ajout(i), &QPushButton::clicked, this, [this, i] { Bt_ValideAjoutPochette_Click(i); });
        connect(pochette_->modif(i), &QPushButton::clicked, this, [this, i] { Bt_ValideModifPochette_Click(i); });
        connect(incomplete_->ajout(i), &QPushButton::clicked, this, [this, i] { Bt_ValideAjoutPochetteInc_Click(i); });
        connect(incomplete_->modif(i), &QPushButton::clicked, this, [this, i] { Bt_ValideModifPochetteInc_Click(i); });
    }
}

void SectionPochettes::construire(QWidget* cadre)
{
    LbTarifPochette = new QLabel(QStringLiteral("Les pochettes  :"), cadre);
    LbTarifPochette->setObjectName(QStringLiteral("LbTarifPochette"));
    layout::place(LbTarifPochette, 0, 240, 1725, 240);
    auto* exemple = new QLabel(QStringLiteral("(ex: pochette 3 articles)"), cadre);
    exemple->setObjectName(QStringLiteral("Label2"));
    layout::place(exemple, 0, 480, 2265, 210);
    ComboPochette = new QComboBox(cadre);
    ComboPochette->setObjectName(QStringLiteral("ComboPochette"));
    layout::place(ComboPochette, 2760, 240, 4695, 360);
    refuseTyping(ComboPochette);
    connect(ComboPochette, &QComboBox::currentIndexChanged, this, &SectionPochettes::ComboPochette_Change);

    auto* titre = new QLabel(QStringLiteral("Les pochettes incomplètes :"), cadre);
    titre->setObjectName(QStringLiteral("Label1"));
    titre->setWordWrap(true);
    layout::place(titre, 0, 2760, 1740, 600);
    CbPochettesIncompletes = new QComboBox(cadre);
    CbPochettesIncompletes->setObjectName(QStringLiteral("CbPochettesIncompletes"));
    layout::place(CbPochettesIncompletes, 2640, 2760, 4815, 360);
    refuseTyping(CbPochettesIncompletes);
    connect(CbPochettesIncompletes, &QComboBox::currentIndexChanged, this, [this] {
        if (!form_.occupe())
            reposer();
    });

    for (int i = 0; i < 3; ++i) {
        Bt_Ajout_Pochette[std::size_t(i)] = new QPushButton(QString::fromLatin1(kBoutons[i]), cadre);
        Bt_Ajout_Pochette[std::size_t(i)]->setObjectName(nomIndice("Bt_Ajout_Pochette", i));
        layout::place(Bt_Ajout_Pochette[std::size_t(i)], kBoutonX[i], 120, kBoutonL[i], 495);
        connect(Bt_Ajout_Pochette[std::size_t(i)], &QPushButton::clicked, this, [this, i] { Bt_Ajout_Pochette_Click(i); });
        Bt_Ajout_PochetteInc[std::size_t(i)] = new QPushButton(QString::fromLatin1(kBoutons[i]), cadre);
        Bt_Ajout_PochetteInc[std::size_t(i)]->setObjectName(nomIndice("Bt_Ajout_PochetteInc", i));
        layout::place(Bt_Ajout_PochetteInc[std::size_t(i)], kBoutonX[i], 2640, kBoutonL[i], 495);
        connect(Bt_Ajout_PochetteInc[std::size_t(i)], &QPushButton::clicked, this,
                [this, i] { Bt_Ajout_PochetteInc_Click(i); });
    }
}

void SectionPochettes::remplir(std::vector<catalogue::Pochette> pochettes)
{
    pochettes_ = std::move(pochettes);
    {
        const QSignalBlocker bloque(ComboPochette);
        ComboPochette->clear();
        for (const catalogue::Pochette& pochette : pochettes_)
            ComboPochette->addItem(pochette.nom, pochette.cle);
        ComboPochette->setCurrentIndex(ComboPochette->count() - 1);
    }
    ComboPochette_Change();
}

void SectionPochettes::desactiverZone()
{
    LbTarifPochette->setEnabled(false);
    ComboPochette->setEnabled(false);
    for (QPushButton* bouton : Bt_Ajout_Pochette)
        bouton->setEnabled(false);
}

void SectionPochettes::activerBoutons(bool actif)
{
    for (std::size_t i = 0; i < 3; ++i) {
        Bt_Ajout_Pochette[i]->setEnabled(actif);
        Bt_Ajout_PochetteInc[i]->setEnabled(actif);
    }
}

void SectionPochettes::reposer()
{
    const bool pochette = pochetteChoisie() != nullptr;
    const bool incomplete = incompleteChoisie() != nullptr;
    LbTarifPochette->setEnabled(true);
    ComboPochette->setEnabled(true);
    Bt_Ajout_Pochette[Ajouter]->setEnabled(true);
    Bt_Ajout_Pochette[Modifier]->setEnabled(pochette && !form_.sansArticle());
    Bt_Ajout_Pochette[Supprimer]->setEnabled(pochette && !form_.sansArticle());
    CbPochettesIncompletes->setEnabled(true);
    Bt_Ajout_PochetteInc[Ajouter]->setEnabled(pochette);
    Bt_Ajout_PochetteInc[Modifier]->setEnabled(incomplete);
    Bt_Ajout_PochetteInc[Supprimer]->setEnabled(incomplete);
}

const catalogue::Pochette* SectionPochettes::pochetteChoisie() const
{
    const int i = ComboPochette->currentIndex();
    return i >= 0 && i < int(pochettes_.size()) ? &pochettes_[std::size_t(i)] : nullptr;
}

const catalogue::PochetteIncomplete* SectionPochettes::incompleteChoisie() const
{
    const int i = CbPochettesIncompletes->currentIndex();
    return i >= 0 && i < int(incompletes_.size()) ? &incompletes_[std::size_t(i)] : nullptr;
}

void SectionPochettes::ComboPochette_Change()
{
    remplirIncompletes();
    // While an incomplete pack is entered the pack list stays usable, but the
    // buttons stay as that operation set them. The row is stored under the
    // pack chosen last, so its reference and its name follow that pack.
    if (!form_.occupe()) {
        reposer();
        return;
    }
    const catalogue::Pochette* pochette = pochetteChoisie();
    if (!pochette || incomplete_->boite(NbArticles)->isHidden())
        return;
    incomplete_->boite(Ref)->setText(pochette->ref);
    if (!incomplete_->texte(NbArticles).isEmpty())
        SaisieAjoutPochetteInc_Change(NbArticles);
}

void SectionPochettes::remplirIncompletes()
{
    incompletes_.clear();
    const catalogue::Pochette* pochette = pochetteChoisie();
    report::attempt([&] {
        if (pochette)
            incompletes_ = catalogue::pochettesIncompletes(base::db(), pochette->ref);
    });
    const QSignalBlocker bloque(CbPochettesIncompletes);
    CbPochettesIncompletes->clear();
    for (const catalogue::PochetteIncomplete& incomplete : incompletes_)
        CbPochettesIncompletes->addItem(incomplete.libelle, incomplete.cle);
    CbPochettesIncompletes->setCurrentIndex(CbPochettesIncompletes->count() - 1);
}

void SectionPochettes::refuser(QWidget* boite, const QString& message)
{
    dialogs::message(message, dialogs::Icon::Critical);
    boite->setFocus();
}

void SectionPochettes::Bt_Ajout_Pochette_Click(int index)
{
    form_.retour()->setEnabled(false);
    switch (index) {
    case Ajouter: ouvrirAjoutPochette(); break;
    case Modifier: ouvrirModifPochette(); break;
    case Supprimer: supprimerPochette(); break;
    }
}

void SectionPochettes::ouvrirAjoutPochette()
{
    LbTarifPochette->setEnabled(false);
    ComboPochette->setEnabled(false);
    form_.activerBoutons(false);
    pochette_->montrer(Ref, true);
    pochette_->boite(Ref)->setFocus();
}

void SectionPochettes::ouvrirModifPochette()
{
    const catalogue::Pochette* choisie = pochetteChoisie();
    if (!choisie)
        return;
    pochetteModifiee_ = *choisie;
    // In this order: the reorder price follows the price, then takes its own value.
    pochette_->boite(Ref)->setText(choisie->ref);
    pochette_->boite(Nom)->setText(choisie->nom);
    pochette_->boite(Prix)->setText(choisie->prix);
    pochette_->boite(PrixRec)->setText(choisie->prixRec);
    pochette_->montrer(Nom, false);
    LbTarifPochette->setEnabled(false);
    ComboPochette->setEnabled(false);
    form_.activerBoutons(false);
}

void SectionPochettes::supprimerPochette()
{
    const catalogue::Pochette* choisie = pochetteChoisie();
    if (!choisie)
        return;
    const qint64 cle = choisie->cle;
    if (dialogs::message(questionSuppression(choisie->nom), dialogs::Icon::None, dialogs::Buttons::OkCancel)
        == dialogs::Answer::Ok) {
        form_.ecrire([cle](db::Database& base) { catalogue::supprimerPochette(base, cle); });
        return;
    }
    form_.recharger();
}

void SectionPochettes::Bt_ValideAjoutPochette_Click(int index)
{
    if (index == Annuler) {
        annulerPochette(false);
        return;
    }
    const LigneSaisie& ligne = *pochette_;
    if (const int vide = ligne.premiereVide({Ref, Nom, Prix}); vide >= 0) {
        refuser(ligne.boite(vide), saisies::champVide(ligne.legende(vide)));
        return;
    }
    const catalogue::Pochette pochette{0, ligne.texte(Ref), ligne.texte(Nom), ligne.texte(Prix), ligne.texte(PrixRec)};
    form_.ajouterSansDoublon(
        [&pochette](db::Database& base) { return catalogue::referencePochettePrise(base, pochette.ref); },
        QStringLiteral("Cette référence pochette existe déjà !"),
        [&pochette](db::Database& base) { catalogue::ajouterPochette(base, pochette); });
}

void SectionPochettes::Bt_ValideModifPochette_Click(int index)
{
    if (index == Annuler) {
        annulerPochette(true);
        return;
    }
    const LigneSaisie& ligne = *pochette_;
    if (const int vide = ligne.premiereVide({Ref, Nom}); vide >= 0) {
        refuser(ligne.boite(Nom), saisies::champVide(ligne.legende(vide)));
        return;
    }
    const catalogue::Pochette pochette{pochetteModifiee_.cle, pochetteModifiee_.ref, ligne.texte(Nom),
                                       ligne.texte(Prix), ligne.texte(PrixRec)};
    form_.ecrire([&pochette](db::Database& base) { catalogue::modifierPochette(base, pochette); });
}

void SectionPochettes::annulerPochette(bool vider)
{
    pochette_->cacher(vider);
    form_.reposer();
}

void SectionPochettes::Bt_Ajout_PochetteInc_Click(int index)
{
    form_.retour()->setEnabled(false);
    switch (index) {
    case Ajouter: ouvrirAjoutIncomplete(); break;
    case Modifier: ouvrirModifIncomplete(); break;
    case Supprimer: supprimerIncomplete(); break;
    }
}

void SectionPochettes::ouvrirAjoutIncomplete()
{
    const catalogue::Pochette* pochette = pochetteChoisie();
    if (!pochette)
        return;
    form_.activerBoutons(false);
    Bt_Ajout_PochetteInc[Ajouter]->setEnabled(true);
    CbPochettesIncompletes->setEnabled(false);
    incomplete_->montrer(Nom, true);
    incomplete_->boite(Ref)->setText(pochette->ref);
    incomplete_->boite(NbArticles)->setFocus();
}

void SectionPochettes::ouvrirModifIncomplete()
{
    const catalogue::PochetteIncomplete* choisie = incompleteChoisie();
    if (!choisie)
        return;
    incompleteModifiee_ = choisie->cle;
    // Filling the count last builds the name anew from the chosen pack.
    incomplete_->boite(Ref)->setText(choisie->refPochette);
    incomplete_->boite(Nom)->setText(choisie->libelle);
    incomplete_->boite(Prix)->setText(choisie->prix);
    incomplete_->boite(NbArticles)->setText(choisie->nbArticles);
    incomplete_->montrer(Nom, false);
    form_.activerBoutons(false);
    Bt_Ajout_PochetteInc[Modifier]->setEnabled(true);
    CbPochettesIncompletes->setEnabled(false);
}

void SectionPochettes::supprimerIncomplete()
{
    const catalogue::PochetteIncomplete* choisie = incompleteChoisie();
    if (!choisie)
        return;
    const qint64 cle = choisie->cle;
    if (dialogs::message(questionSuppression(choisie->libelle), dialogs::Icon::None, dialogs::Buttons::OkCancel)
        == dialogs::Answer::Ok) {
        form_.ecrire([cle](db::Database& base) { catalogue::supprimerPochetteIncomplete(base, cle); });
        return;
    }
    form_.recharger();
}

void SectionPochettes::Bt_ValideAjoutPochetteInc_Click(int index)
{
    if (index == Annuler) {
        annulerIncomplete(false);
        return;
    }
    LigneSaisie& ligne = *incomplete_;
    if (ligne.texte(NbArticles).isEmpty()) {
        refuser(ligne.boite(NbArticles), QStringLiteral("Le champ Nb Articles ne peut rester vide"));
        return;
    }
    if (ligne.texte(Prix).isEmpty()) {
        refuser(ligne.boite(Prix), QStringLiteral("Le champ Prix TTC ne peut rester vide"));
        return;
    }
    if (const catalogue::Pochette* pochette = pochetteChoisie())
        ligne.boite(Ref)->setText(pochette->ref);
    if (const int vide = ligne.premiereVide({Nom, Prix, NbArticles}); vide >= 0) {
        refuser(ligne.boite(vide), saisies::champVide(ligne.legende(vide)));
        return;
    }
    const catalogue::PochetteIncomplete incomplete{0, ligne.texte(Ref), ligne.texte(NbArticles), ligne.texte(Nom),
                                                   ligne.texte(Prix)};
    form_.ajouterSansDoublon(
        [&incomplete](db::Database& base) { return catalogue::nomPochetteIncompletePris(base, incomplete.libelle); },
        QStringLiteral("Ce nom de pochette existe déjà !"),
        [&incomplete](db::Database& base) { catalogue::ajouterPochetteIncomplete(base, incomplete); });
}

void SectionPochettes::Bt_ValideModifPochetteInc_Click(int index)
{
    if (index == Annuler) {
        annulerIncomplete(true);
        return;
    }
    LigneSaisie& ligne = *incomplete_;
    if (ligne.texte(Prix).isEmpty()) {
        refuser(ligne.boite(Prix), QStringLiteral("Le champ Prix TTC ne peut rester vide"));
        return;
    }
    if (ligne.texte(NbArticles).isEmpty()) {
        refuser(ligne.boite(NbArticles), QStringLiteral("Le champ Nb articles ne peut rester vide"));
        return;
    }
    if (const catalogue::Pochette* pochette = pochetteChoisie())
        ligne.boite(Ref)->setText(pochette->ref);
    if (const int vide = ligne.premiereVide({Ref, Nom, Prix, NbArticles}); vide >= 0) {
        refuser(ligne.boite(vide), saisies::champVide(ligne.legende(vide)));
        return;
    }
    const catalogue::PochetteIncomplete incomplete{incompleteModifiee_, ligne.texte(Ref), ligne.texte(NbArticles),
                                                   ligne.texte(Nom), ligne.texte(Prix)};
    form_.ecrire([&incomplete](db::Database& base) { catalogue::modifierPochetteIncomplete(base, incomplete); });
}

void SectionPochettes::annulerIncomplete(bool vider)
{
    incomplete_->cacher(vider);
    form_.reposer();
}

void SectionPochettes::SaisieAjoutPochetteInc_Change(int index)
{
    if (index == NbArticles)
        incomplete_->boite(Nom)->setText(catalogue::nomAutomatique(
            incomplete_->texte(Ref), ComboPochette->currentText(), incomplete_->texte(NbArticles)));
}
