#include "photographer/deliveries/menus_livraison.h"

#include "common/dialogs.h"
#include "common/paths.h"
#include "photographer/deliveries/echange.h"
#include "photographer/deliveries/form_export.h"
#include "photographer/deliveries/fenetre_paquet.h"
#include "photographer/deliveries/transfert_jeu.h"
#include "photographer/data/etat.h"

#include <QCoreApplication>
#include <QProgressBar>

namespace menus_livraison {

void afficher(const QString& entree, Form& ecranPrise)
{
    if (entree == u"MNU_avecVizmora")
        formInstance<Transfert>().showInPlaceOf(ecranPrise);
    else if (const jeux_photos::Regle* regle = jeux_photos::regleDEntree(entree))
        TransfertJeu::instance(*regle).showInPlaceOf(ecranPrise);
}

void afficherExport()
{
    formInstance<FormExport>().showForm();
}

bool importer(QProgressBar* barre)
{
    const QString fichier = dialogs::openFile(
        {QStringLiteral("Charger le fichier *. att"), paths::desktop(), QStringLiteral("Fichiers établissement (*.att)")});
    if (fichier.isEmpty()) {
        dialogs::message(QStringLiteral("Importation annulée par l'utilisateur"), dialogs::Icon::Critical);
        return false;
    }
    barre->setRange(0, 100);
    barre->setValue(0);
    barre->setVisible(true);
    const echange::Importation resultat = echange::importer(fichier, [barre](int valeur) {
        barre->setValue(valeur);
        // Repaints only: no click may start a second import meanwhile.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    barre->setVisible(false);
    if (!resultat.code.isEmpty())
        etat::CodeEtabEnCours = resultat.code;
    if (!resultat.erreur.isEmpty())
        dialogs::message(resultat.erreur, dialogs::Icon::Critical);
    else
        dialogs::message(QStringLiteral("Importation terminée."), dialogs::Icon::Information);
    return !resultat.code.isEmpty();
}

} // namespace menus_livraison
