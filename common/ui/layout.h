#pragma once

#include <QColor>
#include <QFont>
#include <QMargins>
#include <QRect>
#include <QWidget>

class QLabel;
class QMainWindow;

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

// A window as it stands when it is fitted on a screen.
struct WindowState {
    QSize design;     // the size its form lays it out at, frame excluded
    QSize size;       // its size now, frame excluded (the user may have changed it)
    QMargins frame;   // the frame the window manager puts around it
    QPoint position;  // its frame's top-left corner now
};

// Where a window goes in a screen's available area.
struct Fit {
    QPoint position;  // the frame's top-left corner
    QSize size;       // the window's size, frame excluded
    bool scrolls;     // smaller than its design: its contents scroll
};

// A window keeps its size and place while they fit the area. Larger, it
// takes the area's size, with room for the scroll bar of the other side
// while there is some; it never starts left of or above the area nor ends
// past it. Centred, it sits in the middle of the area.
Fit fit(const WindowState& window, const QRect& area, bool centred, int scrollBar);

// Fits a window in an available area as `fit` says and, when it is smaller
// than its design, puts its contents in a scrolled area, its menu bar kept
// above them. The design is the size its form gives it: its size when first
// fitted, or the size its form fixed since.
void fitInto(QMainWindow& window, const QRect& area, bool centred);

// Centres a window on its screen (the primary one while it has none), inside
// the screen's available area.
void centreOnScreen(QMainWindow& window);

// Keeps a window where it stands, inside its screen's available area.
void keepOnScreen(QMainWindow& window);

} // namespace layout

// Keeps a window above the others, where it is, at its size.
void MettreAuPremierPlan(QWidget* frm);
