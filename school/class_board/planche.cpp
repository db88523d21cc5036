#include "school/class_board/planche.h"

#include "common/ui/layout.h"
#include "common/pictures.h"
#include "school/class_board/geometrie.h"
#include "school/data/etat.h"

#include <QLabel>
#include <QPainter>


namespace {

constexpr int kIconePixels = 13;
constexpr unsigned kFondNom = 0xC0FFFF;
constexpr unsigned kFondChoisi = 0x00FF00;

QPixmap icone(bool suppression)
{
    QPixmap p(kIconePixels, kIconePixels);
    p.fill(Qt::white);
    QPainter peintre(&p);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setPen(QPen(Qt::gray, 1));
    peintre.drawRect(0, 0, kIconePixels - 1, kIconePixels - 1);
    if (suppression) {
        peintre.setPen(QPen(QColor(200, 0, 0), 2));
        peintre.drawLine(3, 3, 9, 9);
        peintre.drawLine(9, 3, 3, 9);
    } else {
        peintre.setPen(QPen(QColor(0, 0, 160), 2));
        peintre.drawLine(2, 6, 10, 6);
        peintre.drawLine(7, 3, 10, 6);
        peintre.drawLine(7, 9, 10, 6);
    }
    return p;
}

} // namespace

Planche::Planche(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Frame1"));
    creerCellule(0);
    placer(0);
    vider();
}

void Planche::creerCellule(int index)
{
    ClickableLabel* image = images_.append(new ClickableLabel(this), QStringLiteral("Image2"));
    image->setScaledContents(true);
    connect(image, &ClickableLabel::clicked, this, [this, index] { Q_EMIT portraitClique(index); });
    const bool zero = index == 0;
    const bool classe = type_ == TypePlanche::Classe;
    creerNoms(zero || !classe);
    creerIcones(index, zero || classe);
    nums_.append(new QLabel(this), QStringLiteral("LbNum"))->hide();
    if (zero || classe)
        codesImage_.append(new QLabel(this), QStringLiteral("LbCdImg"))->hide();
}

void Planche::creerNoms(bool avecClasse)
{
    const QFont police = layout::font(QStringLiteral("Verdana"), 9.75);
    ElidedLabel* nom = noms_.append(new ElidedLabel(this), QStringLiteral("LbNom"));
    nom->setAlignment(Qt::AlignCenter);
    nom->setFont(layout::font(QStringLiteral("Verdana"), 9.75, true));

    ElidedLabel* prenom = prenoms_.append(new ElidedLabel(this), QStringLiteral("LbPrenom"));
    prenom->setAlignment(Qt::AlignCenter);
    prenom->setFont(police);
    layout::setBackground(prenom, kFondNom);
    QPalette encre = prenom->palette();
    encre.setColor(QPalette::WindowText, QColor(layout::bgr(0x400000)));
    prenom->setPalette(encre);

    if (avecClasse) {
        ElidedLabel* classe = classes_.append(new ElidedLabel(this), QStringLiteral("LbGPClasse"));
        classe->setAlignment(Qt::AlignCenter);
        classe->setFont(police);
        layout::setBackground(classe, 0xE0E0E0);
    }
}

void Planche::creerIcones(int index, bool avecChangement)
{
    ClickableLabel* suppression = suppressions_.append(new ClickableLabel(this), QStringLiteral("ImageSuppEleve"));
    suppression->setToolTip(QStringLiteral("Suppression"));
    suppression->setPixmap(icone(true));
    connect(suppression, &ClickableLabel::clicked, this, [this, index] { Q_EMIT suppressionDemandee(index); });
    if (!avecChangement)
        return;
    ClickableLabel* changement = changements_.append(new ClickableLabel(this), QStringLiteral("ImageChgClasse"));
    changement->setToolTip(QStringLiteral("Changer de classe..."));
    changement->setPixmap(icone(false));
    connect(changement, &ClickableLabel::clicked, this, [this, index] { Q_EMIT changementClasseDemande(index); });
}

namespace {

// Element i of an array that may not hold one for this board.
template <class W>
W* element(const ControlArray<W>& tableau, int index)
{
    return index < tableau.size() ? tableau[index] : nullptr;
}

} // namespace

void Planche::placer(int index)
{
    const geometrie::Cadres g = geometrie::cellule(index);
    const auto poser = [](QWidget* w, const QRect& r) {
        if (w)
            layout::place(w, r.left(), r.top(), r.width(), r.height());
    };
    poser(images_[index], g.image);
    poser(noms_[index], g.nom);
    poser(prenoms_[index], g.prenom);
    poser(suppressions_[index], g.suppression);
    poser(element(changements_, index), g.changement);
    poser(nums_[index], g.num);
    poser(element(codesImage_, index), g.codeImage);
    poser(element(classes_, index), g.classe);
}

void Planche::remplir(int index, bool modeChoix)
{
    const CelluleEleve& e = donnees_[size_t(index)];
    const bool classe = type_ == TypePlanche::Classe;
    // A pick may have coloured the surname of cell 0, which outlives the board.
    layout::setBackground(noms_[index], kFondNom);
    noms_[index]->setFullText(e.nom);
    prenoms_[index]->setFullText(e.prenom);
    nums_[index]->setText(e.cdeEleve);
    if (QLabel* codeImage = element(codesImage_, index))
        codeImage->setText(classe ? e.codePhoto : QString());
    if (ElidedLabel* libelleClasse = element(classes_, index)) {
        libelleClasse->setFullText(e.classe);
        libelleClasse->setVisible(!classe);
    }
    images_[index]->show();
    noms_[index]->show();
    prenoms_[index]->show();
    suppressions_[index]->setVisible(!modeChoix);
    if (QLabel* changement = element(changements_, index))
        changement->setVisible(classe && !modeChoix);
    rechargerPortrait(index);
}

void Planche::construire(TypePlanche type, const std::vector<CelluleEleve>& cellules, bool modeChoix)
{
    // The frame keeps its size until the new cells are in: shrunk in between,
    // it would pull the scroll bars back, and a rebuilt board would not keep
    // its scroll position.
    retirerCellules();
    type_ = type;
    donnees_ = cellules;
    for (int i = 0; i < int(donnees_.size()); ++i) {
        if (i > 0) {
            creerCellule(i);
            placer(i);
        }
        remplir(i, modeChoix);
    }
    ajusterTaille();
}

void Planche::vider()
{
    retirerCellules();
    ajusterTaille();
}

void Planche::retirerCellules()
{
    images_.clear();
    noms_.clear();
    prenoms_.clear();
    classes_.clear();
    suppressions_.clear();
    changements_.clear();
    nums_.clear();
    codesImage_.clear();
    images_[0]->clear();
    donnees_.clear();
}

int Planche::nombre() const
{
    return int(donnees_.size());
}

TypePlanche Planche::type() const
{
    return type_;
}

const CelluleEleve& Planche::cellule(int index) const
{
    return donnees_.at(size_t(index));
}

void Planche::rechargerPortrait(int index)
{
    if (index < 0 || index >= nombre())
        return;
    QLabel* image = images_[index];
    // A missing file or one that does not decode shows the empty picture.
    const QString chemin = cheminPhoto(etat::CheminDonnees, donnees_[size_t(index)]);
    const QImage portrait = chemin.isEmpty() ? QImage() : pictures::loadFitted(chemin, image->size());
    if (portrait.isNull())
        image->clear();
    else
        image->setPixmap(QPixmap::fromImage(portrait));
}

void Planche::marquerChoisi(const CelluleEleve& eleve, bool choisi)
{
    if (type_ != TypePlanche::Classe)
        return;
    for (size_t i = 0; i < donnees_.size(); ++i) {
        const CelluleEleve& c = donnees_[i];
        if (c.codePhoto == eleve.codePhoto && c.nom == eleve.nom && c.prenom == eleve.prenom
            && db::compareFrench(c.classe, eleve.classe) == 0)
            layout::setBackground(noms_[int(i)], choisi ? kFondChoisi : kFondNom);
    }
}

void Planche::ajusterTaille()
{
    const QSize t = geometrie::tailleCadre(nombre());
    setFixedSize(layout::px(t.width()), layout::px(t.height()));
}
