#include "photographer/ui/saisie_legendee.h"

#include "common/ui/layout.h"

#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int kMarge = 240;
constexpr int kLargeurSaisie = 4200;

} // namespace

QLineEdit* saisieLegendee(QWidget* page, const ColonnesSaisie& colonnes, int haut, const QString& nom,
                          const QString& legende)
{
    // The caption sits a little lower, so that it reads on the line of the box's text.
    if (!legende.isEmpty())
        layout::place(layout::caption(page, {}, legende), kMarge, haut + 30, colonnes.largeurLegende, 285);
    auto* saisie = new QLineEdit(page);
    saisie->setObjectName(nom);
    layout::place(saisie, colonnes.gaucheSaisie, haut, kLargeurSaisie, 315);
    return saisie;
}
