#pragma once

#include "common/ui/layout.h"

#include <QLabel>

// The shooting screen's captions: named, shown as plain text (names and
// classes come from the school's list and are never read as markup).
inline QLabel* etiquette(const QString& texte, const QString& nom, QWidget* parent)
{
    auto* label = new QLabel(texte, parent);
    label->setObjectName(nom);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// Colours a caption's text with a blue-green-red value.
inline void colorer(QWidget* widget, unsigned bgr)
{
    QPalette couleurs = widget->palette();
    couleurs.setColor(QPalette::WindowText, QColor(layout::bgr(bgr)));
    widget->setPalette(couleurs);
}
