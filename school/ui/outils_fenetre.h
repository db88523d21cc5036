#pragma once

#include <QPixmap>
#include <QString>

class QFrame;
class QPushButton;
class QWidget;

// A named push button (its command is wired by the window).
QPushButton* creerBouton(QWidget* parent, const QString& nom, const QString& texte);

// A rounded, filled panel of the left column (colour as blue-green-red).
QFrame* creerForme(QWidget* parent, const QString& nom, unsigned couleurBgr);

// The small pictures the school windows draw themselves.
namespace dessins {
QPixmap croixRetrait(int cote);              // the remove icon of the pick list
QPixmap etape(int numero, int cote);          // the step pictures of the group wizard
QPixmap logo(int cote);                       // the program's logo
} // namespace dessins
