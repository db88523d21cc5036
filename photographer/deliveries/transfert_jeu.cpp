#include "photographer/deliveries/transfert_jeu.h"

#include "photographer/data/etat.h"

#include <QHash>
#include <QPointer>

TransfertJeu::TransfertJeu(const jeux_photos::Regle& regle)
    : FenetreLivraison(regle.forme, regle.titre), regle_(regle)
{
}

TransfertJeu& TransfertJeu::instance(const jeux_photos::Regle& regle)
{
    static QHash<QString, QPointer<TransfertJeu>> fenetres;
    QPointer<TransfertJeu>& fenetre = fenetres[regle.forme];
    if (!fenetre || fenetre->isUnloaded())
        fenetre = new TransfertJeu(regle);
    return *fenetre;
}

livraison::Issue TransfertJeu::livrer(const livraison::Avancement& avancement)
{
    return jeux_photos::livrer(regle_, etat::CodeEtabEnCours, etat::NomEtabEnCours, avancement);
}
