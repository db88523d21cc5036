#pragma once

#include "common/database.h"

#include <QString>

#include <functional>

// A student added by the school to the displayed class, with a picture.
namespace nouvel_eleve {

// The first stem among "E<key>", "E<key>_1", "E<key>_2", ... that prise
// answers false for.
QString racineLibre(qint64 cle, const std::function<bool(const QString&)>& prise);

struct Resultat {
    qint64 cle = 0;
    QString racine;  // the order code and NomPhoto, the stem of the picture in images/
    QString photo;   // the path of the copied picture
    QString erreur;  // "" or a French message naming the file; nothing was stored then
};

// Stores the Eleves row (Classe, Nom, Prenom, and the stem as NomPhoto and as
// its order code CodeEtablissement) and copies the chosen file byte for byte
// into <dossier>/images/<stem>.jpg, the images folder being created when
// missing. The stem is the first one that is no other student's NomPhoto or
// order code, no order line's student and no existing file: the student's
// orders and picture are never taken for a delivered student's, and no
// picture is ever replaced. Row and picture come together or not at all: a
// power cut between the commit and the picture's rename is finished at the next
// start (photos_en_attente::regler).
Resultat enregistrer(db::Database& base, const QString& dossierDonnees, const QString& classe,
                     const QString& nom, const QString& prenom, const QString& fichierPhoto);

} // namespace nouvel_eleve
