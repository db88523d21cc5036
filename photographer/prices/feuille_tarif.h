#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

// The establishment's resale price sheet, an HTML document to print.
namespace feuille_tarif {

struct Ligne {
    QString nom, vente, recommande; // recommande is empty for an incomplete pack
};

struct Feuille {
    QString etablissement;
    Ligne pochette;
    std::vector<Ligne> articles;
    std::vector<Ligne> incompletes;
};

// The lines of the document, every value escaped.
QStringList lignes(const Feuille& feuille, const QDateTime& quand);

// The sheet's file: "fileTarif.html" in the program's data folder.
QString chemin();

// The size on paper, in points, of the sheet's text: its 800-pixel tables
// shrink to the page's width, its text does not.
inline constexpr double kPointsImprimes = 10;

enum class [[nodiscard]] Issue { Imprimee, NonEcrite, NonImprimee };

// Writes the sheet (Windows-1252, CR LF) and hands it to the shell to print
// with its text at kPointsImprimes; a sheet that could not be written whole
// is not printed (why goes to the standard error output).
Issue ecrireEtImprimer(const Feuille& feuille);

} // namespace feuille_tarif
