#pragma once

#include <QString>

class Form;
class QProgressBar;

// What the menu entries of the other screens run to reach the deliveries.
namespace menus_livraison {

// Shows the delivery window of a menu entry of the shooting screen's
// "Exportations" menu, in place of that screen.
void afficher(const QString& entree, Form& ecranPrise);

// Shows the exchange export of the current establishment.
void afficherExport();

// "Importer...": asks for an exchange file and imports it, with the main
// window's progress bar. True when an establishment was added (it is then
// the current one and the main window must reload).
bool importer(QProgressBar* barre);

} // namespace menus_livraison
