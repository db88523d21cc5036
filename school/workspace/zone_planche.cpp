#include "school/workspace/zone_planche.h"

#include "common/ui/layout.h"
#include "school/class_board/planche.h"

#include <QEvent>
#include <QScrollBar>

#include <algorithm>

ZonePlanche::ZonePlanche(QWidget* fond) : QScrollArea(fond), planche_(new Planche)
{
    setObjectName(QStringLiteral("ZonePlanche"));
    setFrameShape(QFrame::NoFrame);
    horizontalScrollBar()->setObjectName(QStringLiteral("HScroll1"));
    verticalScrollBar()->setObjectName(QStringLiteral("VScroll1"));
    setWidgetResizable(false);
    setWidget(planche_);
    fond->installEventFilter(this);
}

void ZonePlanche::remettreDefilement()
{
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

bool ZonePlanche::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == parentWidget() && evenement->type() == QEvent::Resize) {
        const QSize taille = parentWidget()->size();
        const int left = layout::px(2160);
        const int top = layout::px(720);
        setGeometry(left, top, std::max(0, taille.width() - left), std::max(0, taille.height() - top));
    }
    return QScrollArea::eventFilter(objet, evenement);
}
