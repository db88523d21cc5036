#include "common/ui/menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace menus {

namespace {
QMenu* named(QMenu* menu, const QString& name)
{
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}
} // namespace

QMenu* menu(QMenuBar* bar, const QString& name, const QString& caption)
{
    return named(bar->addMenu(caption), name);
}

QMenu* menu(QMenu* parent, const QString& name, const QString& caption)
{
    return named(parent->addMenu(caption), name);
}

QAction* entry(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QAction* separator(QMenu* menu, const QString& name)
{
    QAction* line = menu->addSeparator();
    line->setObjectName(name);
    return line;
}

} // namespace menus
