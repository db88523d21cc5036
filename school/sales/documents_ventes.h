#pragma once

#include "school/sales/tarifs.h"
#include "school/sales/ventes.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// The three sales documents, as lines of HTML. Every value is escaped; the
// fixed markup stays as the photographer has always received it.
namespace documents_ventes {

// What heads the reorder form and the detail.
struct Entete {
    QString nomEtab; // the establishment's name as the main window shows it
    Etablissement etablissement;
    QDateTime maintenant;
};

// A line's picture path, as written in src.
using CheminPhoto = std::function<QString(const LigneVente&)>;

// fileBo.html: the marked lines, grouped by photo name and line type, each
// group with its student's picture.
QStringList bordereau(const Entete& entete, const std::vector<LigneVente>& lignes, const CheminPhoto& photo);

// filedetailv.html: every line under a heading per class.
QStringList detail(const Entete& entete, const std::vector<LigneVente>& lignes);

// fileRecap.html: complete packs and each price-list article counted over
// all lines, then the sales total split between photographer and establishment.
QStringList recapitulatif(const Etablissement& etablissement, const QDate& jour,
                          const std::vector<LigneVente>& lignes, const std::vector<Tarif>& tarifs,
                          const Totaux& totaux);

// The detail text of one line ("Commande Pochette A : 15,00 €", ...).
QString texteDetail(const LigneVente& ligne);

} // namespace documents_ventes
