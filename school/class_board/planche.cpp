#include "school/class_board/planche.h"

#include "common/ui/elided_label.h"
#include "common/helpers.h"
#include "common/ui/layout.h"
#include "common/paths.h"
#include "common/pictures.h"
#include "school/class_board/geometrie.h"
#include "school/data/etat.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <functional>

namespace {

// A label that reports a click released over it.
class Cliquable : public QLabel {
public:
    Cliquable(QWidget* parent, std::function<void()> action) : QLabel(parent), action_(std::move(action)) {}

protected:
    // Taking the press makes the release come back to this label.
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            event->accept();
        else
            QLabel::mousePressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            action_();
        else
            QLabel::mouseReleaseEvent(event);
    }

private:
    std::function<void()> action_;
};

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

QString nomElement(const char* tableau, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(tableau)).arg(index);
}

// Removes a widget that may be running its own click handler.
void retirer(QWidget* widget)
{
    if (!widget)
        return;
    widget->hide();
    widget->setParent(nullptr);
    widget->deleteLater();
}

} // namespace

struct Planche::Cellule {
    QLabel* image = nullptr;
    ElidedLabel* nom = nullptr;
    ElidedLabel* prenom = nullptr;
    QLabel* suppression = nullptr;
    QLabel* changement = nullptr;
    QLabel* num = nullptr;
    QLabel* codeImage = nullptr;
    ElidedLabel* classe = nullptr;

    std::vector<QWidget*> tous() const { return {image, nom, prenom, suppression, changement, num, codeImage, classe}; }
};

Planche::Planche(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Frame1"));
    Cellule& zero = creerCellule(0);
    placer(zero, 0);
    for (QWidget* w : zero.tous())
        w->hide();
    ajusterTaille();
}

Planche::~Planche() = default;

Planche::Cellule& Planche::creerCellule(int index)
{
    // Element 0 holds every array of both kinds of board; a loaded element
    // only the arrays that its board uses.
    const bool zero = index == 0;
    const bool classe = type_ == TypePlanche::Classe;
    Cellule c;

    c.image = new Cliquable(this, [this, index] { Q_EMIT portraitClique(index); });
    c.image->setObjectName(nomElement("Image2", index));
    c.image->setScaledContents(true);

    QFont police(QStringLiteral("Verdana"));
    police.setPointSizeF(9.75);
    c.nom = new ElidedLabel(this);
    c.nom->setObjectName(nomElement("LbNom", index));
    c.nom->setAlignment(Qt::AlignCenter);
    QFont gras = police;
    gras.setBold(true);
    c.nom->setFont(gras);

    c.prenom = new ElidedLabel(this);
    c.prenom->setObjectName(nomElement("LbPrenom", index));
    c.prenom->setAlignment(Qt::AlignCenter);
    c.prenom->setFont(police);
    layout::setBackground(c.prenom, kFondNom);
    QPalette encre = c.prenom->palette();
    encre.setColor(QPalette::WindowText, QColor(layout::bgr(0x400000)));
    c.prenom->setPalette(encre);

    if (zero || !classe) {
        c.classe = new ElidedLabel(this);
        c.classe->setObjectName(nomElement("LbGPClasse", index));
        c.classe->setAlignment(Qt::AlignCenter);
        c.classe->setFont(police);
        layout::setBackground(c.classe, 0xE0E0E0);
    }

    c.suppression = new Cliquable(this, [this, index] { Q_EMIT suppressionDemandee(index); });
    c.suppression->setObjectName(nomElement("ImageSuppEleve", index));
    c.suppression->setToolTip(QStringLiteral("Suppression"));
    c.suppression->setPixmap(icone(true));

    if (zero || classe) {
        c.changement = new Cliquable(this, [this, index] { Q_EMIT changementClasseDemande(index); });
        c.changement->setObjectName(nomElement("ImageChgClasse", index));
        c.changement->setToolTip(QStringLiteral("Changer de classe..."));
        c.changement->setPixmap(icone(false));
    }

    c.num = new QLabel(this);
    c.num->setObjectName(nomElement("LbNum", index));
    c.num->hide();
    if (zero || classe) {
        c.codeImage = new QLabel(this);
        c.codeImage->setObjectName(nomElement("LbCdImg", index));
        c.codeImage->hide();
    }

    cellules_.push_back(c);
    return cellules_.back();
}

void Planche::placer(Cellule& c, int index)
{
    const geometrie::Cadres g = geometrie::cellule(index);
    const auto poser = [](QWidget* w, const QRect& r) {
        if (w)
            layout::place(w, r.left(), r.top(), r.width(), r.height());
    };
    poser(c.image, g.image);
    poser(c.nom, g.nom);
    poser(c.prenom, g.prenom);
    poser(c.suppression, g.suppression);
    poser(c.changement, g.changement);
    poser(c.num, g.num);
    poser(c.codeImage, g.codeImage);
    poser(c.classe, g.classe);
}

void Planche::remplir(Cellule& c, int index, bool modeChoix)
{
    const CelluleEleve& e = donnees_[index];
    const bool classe = type_ == TypePlanche::Classe;
    // A pick may have coloured the surname of cell 0, which outlives the board.
    layout::setBackground(c.nom, kFondNom);
    c.nom->setFullText(e.nom);
    c.prenom->setFullText(e.prenom);
    c.num->setText(e.cdeEleve);
    if (c.codeImage)
        c.codeImage->setText(classe ? e.codePhoto : QString());
    if (c.classe) {
        c.classe->setFullText(e.classe);
        c.classe->setVisible(!classe);
    }
    c.image->show();
    c.nom->show();
    c.prenom->show();
    c.suppression->setVisible(!modeChoix);
    if (c.changement)
        c.changement->setVisible(classe && !modeChoix);
    rechargerPortrait(index);
}

void Planche::construire(TypePlanche type, const std::vector<CelluleEleve>& cellules, bool modeChoix)
{
    vider();
    type_ = type;
    donnees_ = cellules;
    for (int i = 0; i < int(donnees_.size()); ++i) {
        if (i > 0) {
            Cellule& c = creerCellule(i);
            placer(c, i);
        }
        remplir(cellules_[i], i, modeChoix);
    }
    ajusterTaille();
}

void Planche::vider()
{
    while (cellules_.size() > 1) {
        for (QWidget* w : cellules_.back().tous())
            retirer(w);
        cellules_.pop_back();
    }
    Cellule& zero = cellules_.front();
    for (QWidget* w : zero.tous())
        w->hide();
    zero.image->clear();
    donnees_.clear();
    ajusterTaille();
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
    QLabel* image = cellules_[size_t(index)].image;
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
            layout::setBackground(cellules_[i].nom, choisi ? kFondChoisi : kFondNom);
    }
}

void Planche::ajusterTaille()
{
    const QSize t = geometrie::tailleCadre(nombre());
    setFixedSize(layout::px(t.width()), layout::px(t.height()));
}
