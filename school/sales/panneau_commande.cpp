#include "school/sales/panneau_commande.h"

#include "common/text.h"
#include "common/ui/key_filter.h"
#include "common/ui/layout.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>

namespace {

constexpr unsigned kCoche = 0x80FFFF;
constexpr unsigned kBlanc = 0xFFFFFF;
constexpr int kHautArticles = 4800;
constexpr int kHauteurArticle = 495;

// The tick colours must show whatever the style draws under a check box.
void colorerFond(QCheckBox* box, unsigned bgrValue)
{
    box->setStyleSheet(QStringLiteral("QCheckBox { background-color: %1; }").arg(QColor(layout::bgr(bgrValue)).name()));
}

// A row's caption and state: its price as both programs write it, or, when
// a price it bills breaks the price rule, why it cannot be ordered. Such a
// row stays unticked and disabled whatever the pack does.
void presenter(QCheckBox* box, const QString& nom, const QString& prix, const QString& refuse)
{
    const QString suite = refuse.isEmpty()
                              ? text::priceText(prix) + QStringLiteral(" € TTC")
                              : QStringLiteral("ne peut pas être commandé, prix refusé « ") + refuse
                                    + QStringLiteral(" »");
    box->setText(layout::buttonCaption(nom + QStringLiteral(" :   ") + suite));
    box->setToolTip(refuse.isEmpty() ? QString() : text::priceRefusal(refuse));
    box->setEnabled(refuse.isEmpty());
}

} // namespace

PanneauCommande::PanneauCommande(QWidget* carte, int haut) : QWidget(carte), haut_(haut)
{
    setObjectName(QStringLiteral("PanneauCommande"));
    LbCommande_ = layout::caption(this, QStringLiteral("LbCommande"), {});
    layout::place(LbCommande_, 6735, 3600 - haut_, 2500, 255);
    layout::setTextColour(LbCommande_, 0x0000FF);
    QLabel* pochette = layout::caption(this, QStringLiteral("LbNomPochette"), QStringLiteral("Pochette complète :"));
    layout::place(pochette, 2640, 4200 - haut_, 2190, 240);
    layout::setTextColour(pochette, 0x008000);
    QLabel* articles = layout::caption(this, QStringLiteral("LbNomArticles"), QStringLiteral("Articles :"));
    layout::place(articles, 2640, kHautArticles - haut_, 960, 240);
    layout::setTextColour(articles, 0x008000);

    CheckPochette_ = new QCheckBox(this);
    CheckPochette_->setObjectName(QStringLiteral("CheckPochette"));
    layout::place(CheckPochette_, 5040, 4200 - haut_, 5295, 255);
    colorerFond(CheckPochette_, kBlanc);
    CheckPochette_->hide();
    connect(CheckPochette_, &QCheckBox::toggled, this, &PanneauCommande::CheckPochette_Click);
    TextQuantiteP_ = creerQuantite(QStringLiteral("TextQuantiteP_0"), 10560, 4200);
}

QLineEdit* PanneauCommande::creerQuantite(const QString& nom, int left, int top)
{
    auto* zone = new QLineEdit(this);
    zone->setObjectName(nom);
    layout::place(zone, left, top - haut_, 615, 270);
    zone->setEnabled(false);
    zone->hide();
    filterKeys(zone, QStringLiteral("0123456789 "));
    zone->installEventFilter(this);
    return zone;
}

PanneauCommande::Ligne PanneauCommande::creerLigne(int rang)
{
    const int top = kHautArticles + rang * kHauteurArticle;
    Ligne ligne;
    ligne.article = new QCheckBox(this);
    ligne.article->setObjectName(QStringLiteral("CheckArticles_%1").arg(rang));
    layout::place(ligne.article, 5040, top - haut_, 5895, kHauteurArticle);
    colorerFond(ligne.article, kBlanc);
    ligne.article->hide();
    connect(ligne.article, &QCheckBox::toggled, this, [this, rang](bool coche) { CheckArticles_Click(rang, coche); });
    ligne.quantite = creerQuantite(QStringLiteral("TextQuantiteA_%1").arg(rang), 11160, top);
    return ligne;
}

void PanneauCommande::construire(ModeCommande mode, const std::vector<Tarif>& tarifs)
{
    mode_ = mode;
    const bool recommande = mode == ModeCommande::Recommande;
    LbCommande_->setText(recommande ? QStringLiteral("Recommande") : QStringLiteral("Commande"));
    for (int rang = 0; rang < int(tarifs.size()); ++rang) {
        const Tarif& tarif = tarifs[size_t(rang)];
        Ligne ligne = creerLigne(rang);
        const QString refuse = prixRefuse(mode, tarif, false);
        ligne.commandable = refuse.isEmpty();
        presenter(ligne.article, tarif.nomArticles, recommande ? tarif.articlesPrixRecPub : tarif.articlesPrixPub,
                  refuse);
        // A supplementary article is only sold on a reorder; its row keeps its place.
        ligne.article->setVisible(recommande || !tarifs::estSupplementaire(tarif));
        ligne.quantite->setVisible(recommande);
        lignes_.push_back(ligne);
    }
    // An empty price list has no pack to offer.
    if (tarifs.empty())
        return;
    const Tarif& premier = tarifs.front();
    presenter(CheckPochette_, premier.nomPochette, recommande ? premier.pochettePrixRecPub : premier.pochettePrixPub,
              prixRefuse(mode, premier, true));
    CheckPochette_->show();
    TextQuantiteP_->setVisible(recommande);
}

int PanneauCommande::hautDerniereLigne() const
{
    return kHautArticles + std::max(0, int(lignes_.size()) - 1) * kHauteurArticle;
}

ChoixCommande PanneauCommande::choix() const
{
    ChoixCommande choix;
    choix.pochette = CheckPochette_->isChecked();
    choix.quantitePochette = mode_ == ModeCommande::Recommande ? TextQuantiteP_->text() : QStringLiteral("1");
    for (int rang = 0; rang < int(lignes_.size()); ++rang) {
        const Ligne& ligne = lignes_[size_t(rang)];
        if (ligne.article->isChecked())
            choix.articles.push_back({rang, ligne.quantite->text()});
    }
    return choix;
}

void PanneauCommande::CheckArticles_Click(int rang, bool coche)
{
    const Ligne& ligne = lignes_[size_t(rang)];
    colorerFond(ligne.article, coche ? kCoche : kBlanc);
    ligne.quantite->setText(QStringLiteral("1"));
    ligne.quantite->setEnabled(coche);
    if (coche && mode_ == ModeCommande::Recommande)
        ligne.quantite->setFocus();
}

void PanneauCommande::CheckPochette_Click(bool coche)
{
    colorerFond(CheckPochette_, coche ? kCoche : kBlanc);
    if (coche) {
        TextQuantiteP_->setText(QStringLiteral("1"));
        TextQuantiteP_->setEnabled(mode_ == ModeCommande::Recommande);
        // A row that was ticked gets its "1" back from its own untick.
        for (const Ligne& ligne : lignes_) {
            ligne.quantite->clear();
            ligne.quantite->setEnabled(false);
            ligne.article->setEnabled(false);
            colorerFond(ligne.article, kBlanc);
            ligne.article->setChecked(false);
        }
        if (mode_ == ModeCommande::Recommande)
            TextQuantiteP_->setFocus();
        return;
    }
    for (const Ligne& ligne : lignes_) {
        ligne.article->setEnabled(ligne.commandable);
        ligne.quantite->setText(QStringLiteral("1"));
    }
    TextQuantiteP_->clear();
    TextQuantiteP_->setEnabled(false);
}

bool PanneauCommande::eventFilter(QObject* objet, QEvent* evenement)
{
    // Typing replaces the whole quantity; a click would otherwise drop the selection.
    if (evenement->type() == QEvent::FocusIn) {
        if (auto* zone = qobject_cast<QLineEdit*>(objet))
            QTimer::singleShot(0, zone, &QLineEdit::selectAll);
    }
    return QWidget::eventFilter(objet, evenement);
}
