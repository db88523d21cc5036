#pragma once

#include "photographer/deliveries/fenetre_livraison.h"

// The package window: it delivers the school package and the lab order list
// of the current establishment.
class Transfert : public FenetreLivraison {
    Q_OBJECT
public:
    Transfert();

protected:
    livraison::Issue livrer(const livraison::Avancement& avancement) override;
};
