#include "photographer/prices/section_articles.h"

#include "common/dialogs.h"
#include "common/ui/key_filter.h"
#include "common/ui/layout.h"
#include "photographer/prices/saisies.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

using enum LigneSaisie::Boite;

const LigneSaisie::Plan kPlanArticle{
    "LbArticle", "SaisieAjoutArticles", "Bt_ValideAjoutArticles", "Bt_ValidModifArticles",
    {"Référence Article", "Nom Pochette", "Prix Article TTC", "Prix Recommande TTC"},
    {2520, 4440, 7080, 8760}, {6360, 6480, 6360, 6360}, {1455, 1455, 1455, 2055}, {495, 255, 495, 495},
    {2520, 3960, 7200, 9120}, {1215, 3135, 1215, 1215}, 6960, {10920, 12360}, {1335, 1215}};

constexpr int kNomMax = 45;
const QString kPrefixeRef = QStringLiteral("sup_");
const QString kPrefixeNom = QStringLiteral("S_");

} // namespace

SectionArticles::SectionArticles(FormTarifs& form, QWidget* cadre) : SectionCatalogue(form)
{
    construire(cadre);
    filterKeys(ligne().boite(Ref), saisies::kReference);
    filterPrice(ligne().boite(Prix));
    filterPrice(ligne().boite(PrixRec));
    saisies::suivre(ligne().boite(Prix), ligne().boite(PrixRec));
    connect(ligne().boite(Nom), &QLineEdit::textChanged, this, [this] { SaisieAjoutArticles_Change(Nom); });
    connect(ligne().boite(Ref), &QLineEdit::textChanged, TextRefArticle_, &QLineEdit::setText);
}

void SectionArticles::construire(QWidget* cadre)
{
    LbTarifArticle_ = layout::caption(cadre, QStringLiteral("LbTarifArticle"), QStringLiteral("Tarifs articles:"));
    layout::place(LbTarifArticle_, 120, 5520, 1545, 240);
    ComboArticles_ = new QComboBox(cadre);
    ComboArticles_->setObjectName(QStringLiteral("ComboArticles"));
    layout::place(ComboArticles_, 2760, 5520, 2535, 360);
    refuseTyping(ComboArticles_);
    connect(ComboArticles_, &QComboBox::currentIndexChanged, this, [this] {
        if (!form_.occupe())
            reposer();
    });
    construireBoutons(cadre, {"Bt_Ajout_Articles", 5400, {5400, 6840, 8280}, {1335, 1335, 1335}});
    TextRefArticle_ = new QLineEdit(cadre);
    TextRefArticle_->setObjectName(QStringLiteral("TextRefArticle"));
    layout::place(TextRefArticle_, 2520, 6960, 1215, 375);
    TextRefArticle_->setEnabled(false);
    TextRefArticle_->hide();
    CheckArtSup_ = new QCheckBox(QStringLiteral("Article supplémentaire (Hors forfait pochette complete)"), cadre);
    CheckArtSup_->setObjectName(QStringLiteral("CheckArtSup"));
    layout::place(CheckArtSup_, 240, 7680, 7095, 375);
    CheckArtSup_->hide();
    connect(CheckArtSup_, &QCheckBox::clicked, this, &SectionArticles::CheckArtSup_Click);
    construireLigne(cadre, kPlanArticle);
}

void SectionArticles::remplir(std::vector<catalogue::Produit> articles)
{
    articles_ = std::move(articles);
    const QSignalBlocker bloque(ComboArticles_);
    ComboArticles_->clear();
    for (const catalogue::Produit& article : articles_)
        ComboArticles_->addItem(article.nom, article.cle);
    ComboArticles_->setCurrentIndex(ComboArticles_->count() - 1);
}

void SectionArticles::desactiverZone()
{
    LbTarifArticle_->setEnabled(false);
    ComboArticles_->setEnabled(false);
    activerBoutons(false);
}

void SectionArticles::reposer()
{
    const bool choisi = choisiDans(ComboArticles_, articles_) != nullptr;
    LbTarifArticle_->setEnabled(true);
    ComboArticles_->setEnabled(true);
    bouton(Ajouter)->setEnabled(true);
    bouton(Modifier)->setEnabled(choisi);
    bouton(Supprimer)->setEnabled(choisi);
}

std::optional<SectionCatalogue::Choix> SectionArticles::choisi() const
{
    const catalogue::Produit* article = choisiDans(ComboArticles_, articles_);
    return article ? std::optional(choixDe(*article)) : std::nullopt;
}

void SectionArticles::commencer()
{
    form_.DesactiverZonePochettes();
}

void SectionArticles::sansChoix()
{
    form_.reposer();
}

void SectionArticles::ouvrirAjout()
{
    form_.DesactiverZoneArticles();
    form_.activerBoutons(false);
    ligne().vider();
    ligne().montrer(Ref, true);
    CheckArtSup_->setChecked(false);
    CheckArtSup_->show();
    ligne().boite(Ref)->setFocus();
}

void SectionArticles::modifOuverte()
{
    form_.DesactiverZoneArticles();
    form_.activerBoutons(false);
    CheckArtSup_->setChecked(false);
    CheckArtSup_->show();
    // The reference shows where it would be typed, and cannot be typed over.
    TextRefArticle_->show();
}

QString SectionArticles::designation() const
{
    return QStringLiteral("l'article");
}

FormTarifs::Ecriture SectionArticles::suppression(qint64 cle) const
{
    return [cle](db::Database& base) { catalogue::supprimerArticle(base, cle); };
}

void SectionArticles::suppressionAnnulee()
{
    form_.reposer();
}

bool SectionArticles::lireSaisie(catalogue::Produit& article)
{
    if (!remplies({Ref, Nom, Prix, PrixRec}) || !prixValides({Prix, PrixRec}))
        return false;
    article.ref = ligne().texte(Ref);
    article.nom = ligne().texte(Nom);
    article.prix = prix(Prix);
    article.prixRec = prix(PrixRec);
    return true;
}

void SectionArticles::validerAjout()
{
    catalogue::Produit article;
    if (!lireSaisie(article))
        return;
    form_.ajouterSansDoublon(
        [&article](db::Database& base) { return catalogue::referenceArticlePrise(base, article.ref); },
        QStringLiteral("Cette référence article existe déjà !"),
        [&article](db::Database& base) { catalogue::ajouterArticle(base, article); });
}

void SectionArticles::validerModif()
{
    catalogue::Produit article;
    if (!lireSaisie(article))
        return;
    article.cle = modifie().cle;
    form_.ecrire([&article](db::Database& base) { catalogue::modifierArticle(base, article); });
}

// Both "Annuler" keep what was typed.
void SectionArticles::annuler(bool)
{
    ligne().cacher(false);
    TextRefArticle_->hide();
    CheckArtSup_->hide();
    form_.reposer();
}

void SectionArticles::CheckArtSup_Click(bool coche)
{
    QLineEdit* ref = ligne().boite(Ref);
    QLineEdit* nom = ligne().boite(Nom);
    if (coche) {
        ref->setText(kPrefixeRef + ref->text());
        nom->setText(kPrefixeNom + nom->text());
    } else {
        ref->setText(ref->text().mid(kPrefixeRef.size()));
        nom->setText(nom->text().mid(kPrefixeNom.size()));
    }
}

void SectionArticles::SaisieAjoutArticles_Change(int index)
{
    QLineEdit* nom = ligne().boite(Nom);
    if (index != Nom || nom->text().size() <= kNomMax)
        return;
    dialogs::message(QStringLiteral("Nom d'article trop long. Pas plus de 45 caractères."), dialogs::Icon::Critical);
    nom->setText(nom->text().left(kNomMax));
}
