#pragma once

#include <QString>

class QLineEdit;

// Drops every typed character of the box that is not in `allowed`, as the
// forms' key-press filters do. Backspace, navigation keys and shortcuts pass.
void filterKeys(QLineEdit* box, const QString& allowed);
