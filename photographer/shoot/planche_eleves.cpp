#include "photographer/shoot/planche_eleves.h"

#include "common/ui/layout.h"
#include "common/pictures.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace planche {

namespace {
constexpr int kLargeur = 1300;
constexpr int kHauteur = 1962;
constexpr int kPas = 1400;
constexpr int kHauteurRangee = 2720;
constexpr int kRangees = 6;

struct Place {
    int left;
    int top;
};

Place place(int slot)
{
    const int rangee = std::min(slot / 10, kRangees - 1);
    const int colonne = slot - rangee * 10;
    const int left = slot == 0 ? 120 : 100 + colonne * kPas;
    return {left, 315 + rangee * kHauteurRangee};
}
} // namespace

QRect rectPhoto(int slot)
{
    const Place p = place(slot);
    return {p.left, p.top, kLargeur, kHauteur};
}

// Every slot's names sit under its picture, the first one's too: the
// design's smaller boxes for it cut the letters at the bottom.
QRect rectPrenom(int slot)
{
    const Place p = place(slot);
    return {p.left, p.top + 1962, 1245, 250};
}

QRect rectNom(int slot)
{
    const Place p = place(slot);
    return {p.left, p.top + 2220, 1245, 250};
}

QString cheminPhoto(const QString& dossierEtab, const roster::Eleve& eleve)
{
    return pictures::findStudentPicture(dossierEtab, eleve.cle, eleve.nom, eleve.prenom);
}

} // namespace planche

Vignette::Vignette(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    QPalette blanc = palette();
    blanc.setColor(QPalette::Window, Qt::white);
    setPalette(blanc);
}

void Vignette::setImage(const QImage& image)
{
    image_ = image;
    update();
}

void Vignette::paintEvent(QPaintEvent*)
{
    if (image_.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), image_);
}

void Vignette::mousePressEvent(QMouseEvent* event)
{
    Q_EMIT pressed(event->button(), event->globalPosition().toPoint());
}

PlancheEleves::PlancheEleves(QWidget* frameImages) : QObject(frameImages), cadre_(frameImages)
{
    creerCase(0);
    vider();
}

void PlancheEleves::creerCase(int slot)
{
    Vignette* photo = Photo_.append(new Vignette(cadre_), QStringLiteral("Photo"));
    QLabel* prenom = LabelRecupPreNom_.append(new QLabel(cadre_), QStringLiteral("LabelRecupPreNom"));
    QLabel* nom = LabelRecupNom_.append(new QLabel(cadre_), QStringLiteral("LabelRecupNom"));
    for (QLabel* label : {prenom, nom}) {
        label->setTextFormat(Qt::PlainText);
        label->setAutoFillBackground(true);
        QPalette blanc = label->palette();
        blanc.setColor(QPalette::Window, Qt::white);
        label->setPalette(blanc);
    }
    const QRect rp = planche::rectPhoto(slot), rprenom = planche::rectPrenom(slot), rnom = planche::rectNom(slot);
    layout::place(photo, rp.x(), rp.y(), rp.width(), rp.height());
    layout::place(prenom, rprenom.x(), rprenom.y(), rprenom.width(), rprenom.height());
    layout::place(nom, rnom.x(), rnom.y(), rnom.width(), rnom.height());
    connect(photo, &Vignette::pressed, this, [this, slot](Qt::MouseButton button, QPoint globalPos) {
        if (button == Qt::LeftButton)
            Q_EMIT clicGauche(slot);
        else if (button == Qt::RightButton)
            Q_EMIT clicDroit(slot, globalPos);
    });
}

void PlancheEleves::vider()
{
    // A slot can be removed while its own press is being handled (a roster
    // change from its pop-up menu): the arrays delete later.
    Photo_.clear();
    LabelRecupPreNom_.clear();
    LabelRecupNom_.clear();
    Photo_.first()->setImage({});
    eleves_.clear();
    marque_ = -1;
}

void PlancheEleves::charger(std::vector<roster::Eleve> eleves, const QString& dossierEtab)
{
    vider();
    eleves_ = std::move(eleves);
    for (int slot = 0; slot <= dernierIndice(); ++slot) {
        if (slot > 0)
            creerCase(slot);
        const roster::Eleve& eleve = eleves_[std::size_t(slot)];
        LabelRecupPreNom_[slot]->setText(eleve.prenom);
        LabelRecupNom_[slot]->setText(eleve.nom);
        afficherPhoto(slot, planche::cheminPhoto(dossierEtab, eleve));
        Photo_[slot]->show();
        LabelRecupPreNom_[slot]->show();
        LabelRecupNom_[slot]->show();
    }
    marquer(-1);
}

int PlancheEleves::indiceDe(const QString& cle) const
{
    for (std::size_t i = 0; i < eleves_.size(); ++i) {
        if (eleves_[i].cle == cle)
            return int(i);
    }
    return -1;
}

void PlancheEleves::marquer(int slot)
{
    marque_ = slot >= 0 && slot <= dernierIndice() ? slot : -1;
    for (int i = 0; i <= dernierIndice(); ++i) {
        for (QLabel* label : {LabelRecupPreNom_[i], LabelRecupNom_[i]}) {
            QPalette couleurs = label->palette();
            couleurs.setColor(QPalette::WindowText,
                              i == marque_ ? QColor(Qt::red) : QApplication::palette().color(QPalette::ButtonText));
            label->setPalette(couleurs);
        }
    }
}

void PlancheEleves::afficherPhoto(int slot, const QString& fichier)
{
    if (slot < 0 || slot > dernierIndice())
        return;
    Vignette* photo = Photo_[slot];
    // Decoded at the box's size: the box stretches it anyway.
    photo->setImage(fichier.isEmpty() ? QImage() : pictures::loadFitted(fichier, photo->size() * 2));
}

QSize PlancheEleves::etendue() const
{
    const int dernier = std::max(0, dernierIndice());
    int droite = 0;
    for (int i = std::max(0, dernier - 10); i <= dernier; ++i)
        droite = std::max(droite, planche::rectNom(i).right() + 1);
    return {droite, planche::rectNom(dernier).bottom() + 1};
}
