#include "school/printing/impression.h"

#include "common/dialogs.h"
#include "common/helpers.h"
#include "common/shell.h"

bool imprimerDocument(const QString& fichier)
{
    if (!FichierExiste(fichier)) {
        dialogs::message(fichier.isEmpty() ? QStringLiteral("Aucun document n'a encore été écrit pour cette impression.")
                                           : QStringLiteral("Le document %1 n'existe pas.").arg(fichier),
                         dialogs::Icon::Exclamation);
        return false;
    }
    if (!shell::service().print(fichier))
        return false;
    shell::openOrReport(fichier);
    return true;
}
