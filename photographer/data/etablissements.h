#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// The establishments of the photographer database as the main window lists,
// deletes and renames them, each with its four folder trees.
namespace etablissements {

struct Etablissement {
    QString code; // CdeEtablissement
    QString nom;
    QString codePostal;
};

// Every establishment in key order.
std::vector<Etablissement> liste();

// True when an establishment other than `saufCode` has this name, ignoring
// case; throws db::Error.
bool nomPris(const QString& nom, const QString& saufCode = {});

// The name of another establishment than `saufCode` whose folders this name
// would share ("Art/Design" and "art_design" name the same folders); "" when
// none does. Throws db::Error.
QString dossiersDe(const QString& nom, const QString& saufCode = {});

// Why an establishment other than `saufCode` cannot take this name (it cannot
// name a folder, it is taken, or its folders are another's); "" when it can.
// Throws db::Error.
QString refusNom(const QString& nom, const QString& saufCode = {});

// True when the establishment has at least one student.
bool aDesEleves(const QString& code);

// The photographer's company name; "" when the record is not filled in.
QString nomPhotographe();

struct Suppression {
    QString nom;                // the name the establishment had
    QString refus;              // why nothing was deleted; "" otherwise
    QStringList dossiersRestes; // folders that could not be removed
    QString partage;            // another establishment whose folders these are too; they stay
    QString sansDossier;        // why the name has no folders to remove; "" when it has
};

// Deletes the establishment's students, row and resale prices in one
// transaction, then the four folder trees of its name unless another
// establishment has a name that gives the same folders or the name cannot
// name a folder. `avancement` receives
// a value out of 50 after each step (the caller keeps its window alive there).
Suppression supprimer(const QString& code, const std::function<void(int)>& avancement);

// Gives the establishment a new name and renames its folders with it; "" when
// done, else a French message and nothing changed.
QString renommer(const QString& code, const QString& nouveauNom);

// Stores a new postal code; throws db::Error.
void changerCodePostal(const QString& code, const QString& codePostal);

} // namespace etablissements
