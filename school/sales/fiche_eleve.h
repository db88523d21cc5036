#pragma once

#include "common/database.h"
#include "school/sales/ventes.h"

#include <QString>

#include <optional>
#include <vector>

// A student's record as the identity card shows and edits it.
struct FicheEleve {
    qint64 cdeEleves = 0;
    QString codeCommande; // column CodeEtablissement: the order code, carried by order lines as Num_Eleves
    QString classe, nom, prenom, naissance, regime, ine, numInterne, nomPhoto;
};

namespace fiche_eleve {

// The record, its empty order code filled with the key; nullopt when the
// student does not exist (any more).
std::optional<FicheEleve> lire(db::Database& base, const QString& cdeEleves);

// Stores the record's edits and adds the order lines as one change. False,
// with nothing stored, when the student no longer exists. Throws db::Error.
bool enregistrer(db::Database& base, const FicheEleve& fiche, const std::vector<LigneVente>& lignes);

} // namespace fiche_eleve
