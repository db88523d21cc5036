#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QWidget>

class QLabel;

// Screens are laid out in twips (15 to the pixel) and coloured with
// blue-green-red values, as their designs give them.
namespace layout {

constexpr int px(int twips)
{
    return (twips + 7) / 15;
}

inline QRect rect(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

inline void place(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(rect(left, top, width, height));
}

constexpr QRgb bgr(unsigned value)
{
    return qRgb(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

// Fills a widget's background with a blue-green-red colour.
void setBackground(QWidget* widget, unsigned bgrValue);

// A font of the screens' designs: family, size in points, bold or not.
QFont font(const QString& family, double points, bool bold = false);

// Colours a widget's text with a blue-green-red value.
void setTextColour(QWidget* widget, unsigned bgrValue);

// A named caption. Its text is shown as typed, never read as markup: names,
// classes and articles come from stored data.
QLabel* caption(QWidget* parent, const QString& name, const QString& text);

// A button's or a check box's caption that shows stored text as typed: a
// lone "&" would otherwise mark a shortcut and vanish.
QString buttonCaption(const QString& text);

// Centres a window on its screen (the primary one while it has none).
void centreOnScreen(QWidget& window);

} // namespace layout

// Keeps a window above the others, where it is, at its size.
void MettreAuPremierPlan(QWidget* frm);
