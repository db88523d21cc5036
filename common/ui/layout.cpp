#include "common/ui/layout.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QScreen>

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

void setTextColour(QWidget* widget, unsigned bgrValue)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor(bgr(bgrValue)));
    widget->setPalette(palette);
}

QLabel* caption(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QString buttonCaption(const QString& text)
{
    return QString(text).replace(u'&', QStringLiteral("&&"));
}

void centreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window.frameGeometry().size();
    window.move(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2);
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
