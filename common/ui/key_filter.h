#pragma once

#include <QString>

class QWidget;

// Drops every typed character of the box that is not in `allowed`, as the
// forms' key-press filters do; a line edit drops them from pasted text too.
// Backspace, navigation keys and shortcuts pass.
void filterKeys(QWidget* box, const QString& allowed);

// For lists that may only be picked from: every typed character is dropped.
inline void refuseTyping(QWidget* list)
{
    filterKeys(list, {});
}
