#include "photographer/prices/section_articles.h"

#include "common/dialogs.h"
#include "common/ui/key_filter.h"
#include "common/ui/layout.h"
#include "photographer/prices/form_tarifs.h"
#include "photographer/prices/saisies.h"
#include "photographer/data/base.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

const LigneSaisie::Plan kPlanArticle{
    "LbArticle", "SaisieAjoutArticles", "Bt_ValideAjoutArticles", "Bt_ValidModifArticles",
    {"Référence Article", "Nom Pochette", "Prix Article TTC", "Prix Recommande TTC"},
    {2520, 4440, 7080, 8760}, {6360, 6480, 6360, 6360}, {1455, 1455, 1455, 2055}, {495, 255, 495, 495},
    {2520, 3960, 7200, 9120}, {1215, 3135, 1215, 1215}, 6960, {10920, 12360}, {1335, 1215}};

constexpr int kNomMax = 45;
const QString kPrefixeRef = QStringLiteral("sup_");
const QString kPrefixeNom = QStringLiteral("S_");

const char* const kBoutons[] = {"Ajouter...", "Modifier...", "Supprimer..."};
constexpr int kBoutonX[] = {5400, 6840, 8280};

enum { Ajouter = 0, Modifier = 1, Supprimer = 2 };
enum { Valider = 0, Annuler = 1 };
enum { Ref = 0, Nom = 1, Prix = 2, PrixRec = 3 };

} // namespace

SectionArticles::SectionArticles(FormTarifs& form, QWidget* cadre) : QObject(&form), form_(form)
{
    construire(cadre);
    ligne_.emplace(cadre, kPlanArticle);
    filterKeys(ligne_->boite(Ref), saisies::kReference);
    filterPrice(ligne_->boite(Prix));
    filterPrice(ligne_->boite(PrixRec));
    saisies::suivre(ligne_->boite(Prix), ligne_->boite(PrixRec));
    connect(ligne_->boite(Nom), &QLineEdit::textChanged, this, [this] { SaisieAjoutArticles_Change(Nom); });
    connect(ligne_->boite(Ref), &QLineEdit::textChanged, TextRefArticle, &QLineEdit::setText);
    for (int i = 0; i < 2; ++i) {
        connect(ligne_->ajout(i), &QPushButton::clicked, this, [this, i] { Bt_ValideAjoutArticles_Click(i); });
        connect(ligne_->modif(i), &QPushButton::clicked, this, [this, i] { Bt_ValidModifArticles_Click(i); });
    }
}

void SectionArticles::construire(QWidget* cadre)
{
    LbTarifArticle = new QLabel(QStringLiteral("Tarifs articles:"), cadre);
    LbTarifArticle->setObjectName(QStringLiteral("LbTarifArticle"));
    layout::place(LbTarifArticle, 120, 5520, 1545, 240);
    ComboArticles = new QComboBox(cadre);
    ComboArticles->setObjectName(QStringLiteral("ComboArticles"));
    layout::place(ComboArticles, 2760, 5520, 2535, 360);
    refuseTyping(ComboArticles);
    connect(ComboArticles, &QComboBox::currentIndexChanged, this, [this] {
        if (!form_.occupe())
            reposer();
    });
    for (int i = 0; i < 3; ++i) {
        auto* bouton = new QPushButton(QString::fromLatin1(kBoutons[i]), cadre);
        bouton->setObjectName(nomIndice("Bt_Ajout_Articles", i));
        layout::place(bouton, kBoutonX[i], 5400, 1335, 495);
        connect(bouton, &QPushButton::clicked, this, [this, i] { Bt_Ajout_Articles_Click(i); });
        Bt_Ajout_Articles[std::size_t(i)] = bouton;
    }
    TextRefArticle = new QLineEdit(cadre);
    TextRefArticle->setObjectName(QStringLiteral("TextRefArticle"));
    layout::place(TextRefArticle, 2520, 6960, 1215, 375);
    TextRefArticle->setEnabled(false);
    TextRefArticle->hide();
    CheckArtSup = new QCheckBox(QStringLiteral("Article supplémentaire (Hors forfait pochette complete)"), cadre);
    CheckArtSup->setObjectName(QStringLiteral("CheckArtSup"));
    layout::place(CheckArtSup, 240, 7680, 7095, 375);
    CheckArtSup->hide();
    connect(CheckArtSup, &QCheckBox::clicked, this, &SectionArticles::CheckArtSup_Click);
}

void SectionArticles::remplir(std::vector<catalogue::Article> articles)
{
    articles_ = std::move(articles);
    const QSignalBlocker bloque(ComboArticles);
    ComboArticles->clear();
    for (const catalogue::Article& article : articles_)
        ComboArticles->addItem(article.nom, article.cle);
    ComboArticles->setCurrentIndex(ComboArticles->count() - 1);
}

void SectionArticles::desactiverZone()
{
    LbTarifArticle->setEnabled(false);
    ComboArticles->setEnabled(false);
    activerBoutons(false);
}

void SectionArticles::activerBoutons(bool actif)
{
    for (QPushButton* bouton : Bt_Ajout_Articles)
        bouton->setEnabled(actif);
}

void SectionArticles::reposer()
{
    const bool choisi = articleChoisi() != nullptr;
    LbTarifArticle->setEnabled(true);
    ComboArticles->setEnabled(true);
    Bt_Ajout_Articles[Ajouter]->setEnabled(true);
    Bt_Ajout_Articles[Modifier]->setEnabled(choisi);
    Bt_Ajout_Articles[Supprimer]->setEnabled(choisi);
}

const catalogue::Article* SectionArticles::articleChoisi() const
{
    const int i = ComboArticles->currentIndex();
    return i >= 0 && i < int(articles_.size()) ? &articles_[std::size_t(i)] : nullptr;
}

void SectionArticles::Bt_Ajout_Articles_Click(int index)
{
    form_.DesactiverZonePochettes();
    switch (index) {
    case Ajouter: ouvrirAjout(); break;
    case Modifier: ouvrirModif(); break;
    case Supprimer: supprimer(); break;
    }
}

void SectionArticles::ouvrirAjout()
{
    form_.DesactiverZoneArticles();
    form_.activerBoutons(false);
    ligne_->vider();
    ligne_->montrer(Ref, true);
    CheckArtSup->setChecked(false);
    CheckArtSup->show();
    ligne_->boite(Ref)->setFocus();
}

void SectionArticles::ouvrirModif()
{
    const catalogue::Article* choisi = articleChoisi();
    if (!choisi) {
        form_.reposer();
        return;
    }
    articleModifie_ = choisi->cle;
    // In this order: the reorder price follows the price, then takes its own value.
    ligne_->boite(Ref)->setText(choisi->ref);
    ligne_->boite(Nom)->setText(choisi->nom);
    ligne_->boite(Prix)->setText(choisi->prix);
    ligne_->boite(PrixRec)->setText(choisi->prixRec);
    ligne_->montrer(Nom, false);
    form_.DesactiverZoneArticles();
    form_.activerBoutons(false);
    CheckArtSup->setChecked(false);
    CheckArtSup->show();
    // The reference shows where it would be typed, and cannot be typed over.
    TextRefArticle->show();
}

void SectionArticles::supprimer()
{
    const catalogue::Article* choisi = articleChoisi();
    if (!choisi) {
        form_.reposer();
        return;
    }
    const qint64 cle = choisi->cle;
    const QString question =
        QStringLiteral("Vous allez supprimer définitivement l'article : '") + choisi->nom + QStringLiteral("' ?");
    if (dialogs::message(question, dialogs::Icon::None, dialogs::Buttons::OkCancel) == dialogs::Answer::Ok) {
        form_.ecrire([cle](db::Database& base) { catalogue::supprimerArticle(base, cle); });
        return;
    }
    form_.reposer();
}

bool SectionArticles::lireSaisie(catalogue::Article& article)
{
    if (const int vide = ligne_->premiereVide({Ref, Nom, Prix, PrixRec}); vide >= 0) {
        dialogs::message(saisies::champVide(ligne_->legende(vide)), dialogs::Icon::Critical);
        ligne_->boite(vide)->setFocus();
        return false;
    }
    article.ref = ligne_->texte(Ref);
    article.nom = ligne_->texte(Nom);
    article.prix = ligne_->texte(Prix);
    article.prixRec = ligne_->texte(PrixRec);
    return true;
}

void SectionArticles::Bt_ValideAjoutArticles_Click(int index)
{
    if (index == Annuler) {
        annuler();
        return;
    }
    catalogue::Article article;
    if (!lireSaisie(article))
        return;
    form_.ajouterSansDoublon(
        [&article](db::Database& base) { return catalogue::referenceArticlePrise(base, article.ref); },
        QStringLiteral("Cette référence article existe déjà !"),
        [&article](db::Database& base) { catalogue::ajouterArticle(base, article); });
}

void SectionArticles::Bt_ValidModifArticles_Click(int index)
{
    if (index == Annuler) {
        annuler();
        return;
    }
    catalogue::Article article;
    if (!lireSaisie(article))
        return;
    article.cle = articleModifie_;
    form_.ecrire([&article](db::Database& base) { catalogue::modifierArticle(base, article); });
}

void SectionArticles::annuler()
{
    ligne_->cacher(false);
    TextRefArticle->hide();
    CheckArtSup->hide();
    form_.reposer();
}

void SectionArticles::CheckArtSup_Click(bool coche)
{
    QLineEdit* ref = ligne_->boite(Ref);
    QLineEdit* nom = ligne_->boite(Nom);
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
    QLineEdit* nom = ligne_->boite(Nom);
    if (index != Nom || nom->text().size() <= kNomMax)
        return;
    dialogs::message(QStringLiteral("Nom d'article trop long. Pas plus de 45 caractères."), dialogs::Icon::Critical);
    nom->setText(nom->text().left(kNomMax));
}
