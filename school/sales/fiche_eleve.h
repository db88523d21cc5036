#pragma once

#include "common/database.h"
#include "school/sales/ventes.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

// A student's record as the identity card shows and edits it.
struct FicheEleve {
    qint64 cdeEleves = 0;
    QString codeCommande; // column CodeEtablissement: the order code, carried by order lines as Num_Eleves
    QString classe, nom, prenom, naissance, regime, ine, numInterne, nomPhoto;
};

// A field that this card changed and that another program changed too, to
// another value, since the card read the record.
struct ConflitFiche {
    QString champ;  // as the card captions it, "Régime"
    QString autre;  // what the other program stored
    QString saisie; // what this card holds
    bool garderSaisie = false; // the secretary's answer: this card's value wins
};

// What storing the card's record comes to.
struct [[nodiscard]] FusionFiche {
    FicheEleve aEcrire;                  // the stored record with this card's changes
    std::vector<ConflitFiche> aTrancher; // conflicts no answer settles: nothing may be written
};

namespace fiche_eleve {

// The record, its empty order code filled with the key; nullopt when the
// student does not exist (any more).
std::optional<FicheEleve> lire(db::Database& base, const QString& cdeEleves);

// The record to store: the one stored now, with each field that the card
// changed since `ouverture` taken from `saisie`. A field changed on both
// sides, to different values, is a conflict; an answer settles it only
// while the other program's value is still the one it was given for.
FusionFiche fusionner(const FicheEleve& ouverture, const FicheEleve& saisie, const FicheEleve& actuelle,
                      const std::vector<ConflitFiche>& reponses);

enum class Enregistrement { Enregistre, EleveDisparu };

// Stores the fields the card changed and adds the order lines, which take the
// student's class, names and order code as stored, in one change that no
// other program can slip into. A field that another program changed too is
// asked about (Non keeps the other change); the question waits outside the
// change. dansLeChangement, when given, runs in that change just before its
// commit, for what must be stored with the record or not at all. Throws db::Error.
Enregistrement enregistrer(db::Database& base, const FicheEleve& ouverture, const FicheEleve& saisie,
                           std::vector<LigneVente> lignes,
                           const std::function<void(db::Database&)>& dansLeChangement = {});

} // namespace fiche_eleve
