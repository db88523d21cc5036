#pragma once

#include "common/ui/control_array.h"

#include <QObject>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <vector>

class QPushButton;
class QWidget;

// Places of the class buttons, in twips inside the scrolled frame: each
// button as wide as 200 twips a character, 200 twips apart, a new row once a
// button starts at 10000 or beyond.
std::vector<QRect> placerBoutonsClasse(const QStringList& classes);

// The class buttons Bt_Classe_i of the shooting screen, drawn over the
// scrolled frame where the board goes once a class is chosen.
class BoutonsClasse : public QObject {
    Q_OBJECT
public:
    explicit BoutonsClasse(QWidget* cadre);

    // One button per class; returns the right and bottom edges they take, in twips.
    QSize afficher(const QStringList& classes);
    void retirer();

Q_SIGNALS:
    void choisie(int index);

private:
    QPushButton* creer(int index);

    QWidget* cadre_;
    ControlArray<QPushButton> Bt_Classe_;
};
