#include "common/layout.h"

#include <QPalette>

namespace layout {

void setBackground(QWidget* widget, unsigned bgrValue)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor(bgr(bgrValue)));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace layout
