#include "photographer/deliveries/fenetre_paquet.h"

#include "photographer/deliveries/paquet_ecole.h"
#include "photographer/data/etat.h"

Transfert::Transfert() : FenetreLivraison(QStringLiteral("Transfert"), QStringLiteral("Transfert")) {}

livraison::Issue Transfert::livrer(const livraison::Avancement& avancement)
{
    return paquet_ecole::livrer(etat::CodeEtabEnCours, avancement);
}
