#pragma once

#include <QString>

class QLineEdit;
class QWidget;

// Drops the characters typed into the box that are not in `allowed`, as the
// forms' key-press filters do. A line edit drops them from pasted, dropped
// and composed text too, before its text changes: its signals carry only what
// it kept, and a change that keeps nothing is no change at all. Text the
// program puts in the box stays as it is (a name built from others' names may
// hold characters that cannot be typed). Backspace, navigation keys and
// shortcuts pass.
void filterKeys(QWidget* box, const QString& allowed);

// A price box: only the keys "1234567890,." are let through, and every "."
// of its text becomes "," (the caret then goes to the end of the text),
// whatever sets it. A pasted or dropped text is kept as it came, so that the
// price rule refuses it, by its box's name, rather than a part of it being
// stored as another price.
void filterPrice(QLineEdit* box);

// For lists that may only be picked from: every typed character is dropped.
inline void refuseTyping(QWidget* list)
{
    filterKeys(list, {});
}
