#pragma once

#include "common/ui/control_array.h"
#include "photographer/data/roster.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

class QLabel;

// Geometry of the board, in twips inside the scrolled frame: ten slots a
// row, six rows, the sixth row going on to the right.
namespace planche {

QRect rectPhoto(int slot);
QRect rectPrenom(int slot);
QRect rectNom(int slot);

// The student's picture in the establishment's folder: "<key>.jpg", else
// "<Nom>.<Prenom>.jpg"; "" when neither exists.
QString cheminPhoto(const QString& dossierEtab, const roster::Eleve& eleve);

} // namespace planche

// One thumbnail: the picture stretched over a white box. It takes no
// keyboard focus; a mouse press reports its button.
class Vignette : public QWidget {
    Q_OBJECT
public:
    explicit Vignette(QWidget* parent);
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

Q_SIGNALS:
    void pressed(Qt::MouseButton button, QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage image_;
};

// The board of one class: slot i shows Photo_i with LabelRecupPreNom_i and
// LabelRecupNom_i under it; the slot's student is kept beside the widgets.
class PlancheEleves : public QObject {
    Q_OBJECT
public:
    explicit PlancheEleves(QWidget* frameImages);

    // Rebuilds every slot for these students, pictures read from dossierEtab.
    void charger(std::vector<roster::Eleve> eleves, const QString& dossierEtab);
    // Removes every slot above 0 and hides slot 0.
    void vider();

    int dernierIndice() const { return int(eleves_.size()) - 1; }
    const std::vector<roster::Eleve>& eleves() const { return eleves_; }
    // Whether the slot still shows the student of this key (the board may have been rebuilt).
    bool montre(int slot, const QString& cle) const
    {
        return slot >= 0 && slot <= dernierIndice() && eleves_[std::size_t(slot)].cle == cle;
    }
    int indiceDe(const QString& cle) const;

    // Colours the names of that slot red and every other in the button-text colour; -1 marks none.
    void marquer(int slot);
    int marque() const { return marque_; }

    void afficherPhoto(int slot, const QString& fichier);

    // Right and bottom edges of the board, in twips.
    QSize etendue() const;

Q_SIGNALS:
    void clicGauche(int slot);
    void clicDroit(int slot, QPoint globalPos);

private:
    void creerCase(int slot);

    QWidget* cadre_;
    ControlArray<Vignette> Photo_;
    ControlArray<QLabel> LabelRecupPreNom_;
    ControlArray<QLabel> LabelRecupNom_;
    std::vector<roster::Eleve> eleves_;
    int marque_ = -1;
};
