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

// A price box: only "1234567890,." are kept, and every "." becomes "," (the
// caret then goes to the end of the text). This holds for whatever sets its
// text, so the box only ever holds digits and commas.
void filterPrice(QLineEdit* box);

// For lists that may only be picked from: every typed character is dropped.
inline void refuseTyping(QWidget* list)
{
    filterKeys(list, {});
}
