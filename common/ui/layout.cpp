#include "common/ui/layout.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPalette>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

#include <algorithm>

namespace layout {

namespace {

// The window's design size, kept on the window once it has been fitted.
constexpr const char* kDesign = "layout_design";
// The scrolled area a fitted window puts its contents in.
const QString kScrolled = QStringLiteral("ContenuDefilant");

// The start of a length `extent` placed at `wanted` in [start, start +
// length): moved in as little as needed, and never before `start`.
int within(int wanted, int start, int length, int extent)
{
    return std::max(start, std::min(wanted, start + length - extent));
}

QSize design(QMainWindow& window)
{
    // A form that fixes its window's size lays it out at that size, also
    // after it was first fitted (a panel that opens).
    if (window.minimumSize() == window.maximumSize())
        window.setProperty(kDesign, window.minimumSize());
    else if (!window.property(kDesign).isValid())
        window.setProperty(kDesign, window.size());
    return window.property(kDesign).toSize();
}

QMargins frameOf(const QWidget& window)
{
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// The window's contents, at their design size, in a scrolled area under the
// menu bar. A window whose contents already scroll as a whole keeps them.
void scrollContents(QMainWindow& window, const QSize& design)
{
    auto* area = qobject_cast<QScrollArea*>(window.centralWidget());
    if (area && area->objectName() != kScrolled)
        return;
    if (!area) {
        QWidget* contents = window.takeCentralWidget();
        if (!contents)
            return;
        area = new QScrollArea;
        area->setObjectName(kScrolled);
        area->setFrameShape(QFrame::NoFrame);
        area->setWidgetResizable(true);
        area->setWidget(contents);
        window.setCentralWidget(area);
        // Taken out of the window, the contents were hidden; and a window
        // already shown would show the new area only later.
        contents->show();
        area->show();
    }
    const QWidget* menus = window.menuWidget();
    const int menuHeight = menus && !menus->isHidden() ? menus->sizeHint().height() : 0;
    area->widget()->setMinimumSize(design.width(), std::max(0, design.height() - menuHeight));
}

void fitOnScreen(QMainWindow& window, bool centred)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen)
        fitInto(window, screen->availableGeometry(), centred);
}

} // namespace

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

Fit fit(const WindowState& window, const QRect& area, bool centred, int scrollBar)
{
    const QSize room = area.size().shrunkBy(window.frame).expandedTo(QSize(0, 0));
    QSize size = window.size.boundedTo(room);
    const bool narrow = size.width() < window.design.width();
    const bool low = size.height() < window.design.height();
    // A side that shows its design whole keeps it whole beside the other
    // side's scroll bar.
    if (narrow && !low)
        size.setHeight(std::min(std::max(size.height(), window.design.height() + scrollBar), room.height()));
    if (low && !narrow)
        size.setWidth(std::min(std::max(size.width(), window.design.width() + scrollBar), room.width()));
    const QSize outer = size.grownBy(window.frame);
    const QPoint wanted = centred ? QPoint(area.left() + (area.width() - outer.width()) / 2,
                                           area.top() + (area.height() - outer.height()) / 2)
                                  : window.position;
    return {QPoint(within(wanted.x(), area.left(), area.width(), outer.width()),
                   within(wanted.y(), area.top(), area.height(), outer.height())),
            size, narrow || low};
}

void fitInto(QMainWindow& window, const QRect& area, bool centred)
{
    const QSize designSize = design(window);
    const int scrollBar = window.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const Fit placed =
        fit({designSize, window.size(), frameOf(window), window.frameGeometry().topLeft()}, area, centred, scrollBar);
    if (placed.scrolls) {
        // A window of fixed size may now be smaller, never larger than its
        // design and the scroll bars.
        if (window.minimumSize() == window.maximumSize()) {
            window.setMinimumSize(0, 0);
            window.setMaximumSize(designSize + QSize(scrollBar, scrollBar));
        }
        scrollContents(window, designSize);
    }
    if (placed.size != window.size())
        window.resize(placed.size);
    if (placed.position != window.frameGeometry().topLeft())
        window.move(placed.position);
}

void centreOnScreen(QMainWindow& window)
{
    fitOnScreen(window, true);
}

void keepOnScreen(QMainWindow& window)
{
    fitOnScreen(window, false);
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
