#pragma once

#include "photographer/deliveries/livraison.h"

#include <QString>
#include <QStringList>

#include <vector>

// The exchange file that hands an establishment (its record, students and
// resale prices) and the whole price catalogue to another operator: a
// database of the photographer's format, "<name>.att" in the desktop folder
// "Operateur".
namespace echange {

inline constexpr const char* kModele = "exporttarifs.att";

struct Table {
    QString nom;
    QStringList colonnes; // the columns the exchange reads and writes
};

// The eight tables of an exchange file and the columns that travel.
const std::vector<Table>& tables();

// Writes the exchange file of the establishment with this key. The file
// appears whole or not at all.
livraison::Issue exporter(const QString& codeEtab, const livraison::Avancement& avancement);

struct [[nodiscard]] Importation {
    QString erreur; // "" when imported
    QString code;   // the new establishment's key
    QString nom;
};

// Adds the file's establishment under a new key, with its students and
// resale prices, and replaces the catalogue by the file's. The file is
// checked first; the import happens whole or not at all.
Importation importer(const QString& fichier, const livraison::Avancement& avancement);

} // namespace echange
