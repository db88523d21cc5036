#include "photographer/shoot/planche_eleves.h"

#include "common/helpers.h"
#include "common/ui/layout.h"
#include "common/paths.h"
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

QRect rectPrenom(int slot)
{
    if (slot == 0)
        return {240, 2265, 1005, 195};
    const Place p = place(slot);
    return {p.left, p.top + 1962, 1245, 250};
}

QRect rectNom(int slot)
{
    if (slot == 0)
        return {240, 2505, 1005, 195};
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
    cases_.push_back(creerCase(0));
    cases_[0].photo->hide();
    cases_[0].prenom->hide();
    cases_[0].nom->hide();
}

PlancheEleves::Case PlancheEleves::creerCase(int slot)
{
    auto nommer = [slot](QWidget* widget, const char* nom) {
        widget->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(nom)).arg(slot));
    };
    Case c{new Vignette(cadre_), new QLabel(cadre_), new QLabel(cadre_)};
    nommer(c.photo, "Photo");
    nommer(c.prenom, "LabelRecupPreNom");
    nommer(c.nom, "LabelRecupNom");
    for (QLabel* label : {c.prenom, c.nom}) {
        label->setTextFormat(Qt::PlainText);
        label->setAutoFillBackground(true);
        QPalette blanc = label->palette();
        blanc.setColor(QPalette::Window, Qt::white);
        label->setPalette(blanc);
    }
    const QRect photo = planche::rectPhoto(slot), prenom = planche::rectPrenom(slot), nom = planche::rectNom(slot);
    layout::place(c.photo, photo.x(), photo.y(), photo.width(), photo.height());
    layout::place(c.prenom, prenom.x(), prenom.y(), prenom.width(), prenom.height());
    layout::place(c.nom, nom.x(), nom.y(), nom.width(), nom.height());
    connect(c.photo, &Vignette::pressed, this, [this, slot](Qt::MouseButton button, QPoint globalPos) {
        if (button == Qt::LeftButton)
            Q_EMIT clicGauche(slot);
        else if (button == Qt::RightButton)
            Q_EMIT clicDroit(slot, globalPos);
    });
    return c;
}

void PlancheEleves::vider()
{
    // A slot can be removed while its own press is being handled (a roster
    // change from its pop-up menu), hence the deferred deletion.
    for (std::size_t i = 1; i < cases_.size(); ++i) {
        for (QWidget* widget : {static_cast<QWidget*>(cases_[i].photo), static_cast<QWidget*>(cases_[i].prenom),
                                static_cast<QWidget*>(cases_[i].nom)}) {
            widget->hide();
            widget->setObjectName(QString());
            widget->deleteLater();
        }
    }
    cases_.resize(1);
    cases_[0].photo->setImage({});
    cases_[0].photo->hide();
    cases_[0].prenom->hide();
    cases_[0].nom->hide();
    eleves_.clear();
    marque_ = -1;
}

void PlancheEleves::charger(std::vector<roster::Eleve> eleves, const QString& dossierEtab)
{
    vider();
    eleves_ = std::move(eleves);
    for (int slot = 0; slot <= dernierIndice(); ++slot) {
        if (slot > 0)
            cases_.push_back(creerCase(slot));
        const Case& c = cases_[std::size_t(slot)];
        const roster::Eleve& eleve = eleves_[std::size_t(slot)];
        c.prenom->setText(eleve.prenom);
        c.nom->setText(eleve.nom);
        afficherPhoto(slot, planche::cheminPhoto(dossierEtab, eleve));
        c.photo->show();
        c.prenom->show();
        c.nom->show();
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
        const Case& c = cases_[std::size_t(i)];
        for (QLabel* label : {c.prenom, c.nom}) {
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
    Vignette* photo = cases_[std::size_t(slot)].photo;
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
