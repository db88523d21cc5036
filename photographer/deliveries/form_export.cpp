#include "photographer/deliveries/form_export.h"

#include "photographer/deliveries/echange.h"
#include "photographer/data/etat.h"

#include <QPushButton>

FormExport::FormExport() : FenetreLivraison(QStringLiteral("FormExport"), QStringLiteral("Exportation..."))
{
    Command1_->setVisible(false);
}

livraison::Issue FormExport::livrer(const livraison::Avancement& avancement)
{
    return echange::exporter(etat::CodeEtabEnCours, avancement);
}
