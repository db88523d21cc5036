#pragma once

#include "photographer/deliveries/fenetre_livraison.h"
#include "photographer/deliveries/jeux_photos.h"

// One renamed photo set of the current establishment; the window takes the
// name and caption of its rule ("TransfertBR", "TransfertHD1"...).
class TransfertJeu : public FenetreLivraison {
    Q_OBJECT
public:
    explicit TransfertJeu(const jeux_photos::Regle& regle);

    // The one window of a rule, made on first use and after an unload.
    static TransfertJeu& instance(const jeux_photos::Regle& regle);

protected:
    livraison::Issue livrer(const livraison::Avancement& avancement) override;

private:
    const jeux_photos::Regle& regle_;
};
