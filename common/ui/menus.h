#pragma once

#include <QString>

class QAction;
class QMenu;
class QMenuBar;

// Menus and their entries carry the names the screens give them, so that
// tests and tools find them by name.
namespace menus {

QMenu* menu(QMenuBar* bar, const QString& name, const QString& caption);
QMenu* menu(QMenu* parent, const QString& name, const QString& caption);
QAction* entry(QMenu* menu, const QString& name, const QString& caption);
QAction* separator(QMenu* menu, const QString& name);

} // namespace menus
