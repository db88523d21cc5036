#pragma once

#include <QLabel>

class QFrame;

// Centres a window on its screen, as every activation of the school windows does.
void centrerSurEcran(QWidget& fenetre);

// A rounded, filled panel of the left column (colour as blue-green-red).
QFrame* creerForme(QWidget* parent, const QString& nom, unsigned couleurBgr);

// The small pictures the school windows draw themselves.
namespace dessins {
QPixmap croixRetrait(int cote);              // the remove icon of the pick list
QPixmap etape(int numero, int cote);          // the step pictures of the group wizard
QPixmap logo(int cote);                       // the program's logo
} // namespace dessins
