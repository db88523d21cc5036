#pragma once

#include "photographer/deliveries/fenetre_livraison.h"

// The exchange file of the current establishment, for another operator.
class FormExport : public FenetreLivraison {
    Q_OBJECT
public:
    FormExport();

protected:
    livraison::Issue livrer(const livraison::Avancement& avancement) override;
};
