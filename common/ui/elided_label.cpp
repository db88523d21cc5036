#include "common/ui/elided_label.h"

#include "common/text.h"

#include <QHelpEvent>
#include <QToolTip>

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

void ElidedLabel::setFullText(const QString& value)
{
    full_ = value;
    elide();
}

bool ElidedLabel::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip || toolTip().isEmpty())
        return QLabel::event(event);
    // A tooltip reads anything that looks like markup as markup: the value is
    // handed over escaped, as one unbroken line, so it shows as typed.
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                       QStringLiteral("<p style=\"white-space:pre\">") + text::htmlEscape(full_) +
                           QStringLiteral("</p>"),
                       this);
    return true;
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        elide();
}

void ElidedLabel::elide()
{
    const QString shown = fontMetrics().elidedText(full_, Qt::ElideRight, contentsRect().width());
    setText(shown);
    setToolTip(shown == full_ ? QString() : full_);
}
