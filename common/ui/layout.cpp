#include "common/ui/layout.h"

#include <QPalette>

namespace layout {

void setBackground(QWidget* widget, unsigned bgrValue)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor(bgr(bgrValue)));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QFont font(const QString& family, double points, bool bold)
{
    QFont result(family);
    result.setPointSizeF(points);
    result.setBold(bold);
    return result;
}

} // namespace layout

void MettreAuPremierPlan(QWidget* frm)
{
    if (!frm)
        return;
    const bool visible = frm->isVisible();
    frm->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (visible)
        frm->show();
}
