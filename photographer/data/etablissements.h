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

// A folder of a name that another establishment uses too.
struct DossierPartage {
    QString dossier;
    QString autre; // the name of the establishment that uses it
};

// The folders of this name that an establishment other than `saufCode` uses
// too, ignoring case: "Lycée", "Lycée BR" and "Lycée BR3" share folders, and
// "Art/Design" and "art_design" share them all. Throws db::Error.
std::vector<DossierPartage> dossiersPartages(const QString& nom, const QString& saufCode = {});

// Why an establishment other than `saufCode` cannot take this name (it cannot
// name its folders, it is taken, or one of its folders is another's); "" when
// it can. Throws db::Error.
[[nodiscard]] QString refusNom(const QString& nom, const QString& saufCode = {});

// True when the establishment has at least one student.
bool aDesEleves(const QString& code);

// The photographer's company name; "" when the record is not filled in.
QString nomPhotographe();

struct [[nodiscard]] Suppression {
    QString nom;                         // the name the establishment had
    QString refus;                       // why nothing was deleted; "" otherwise
    QStringList dossiersRestes;          // folders that could not be removed
    std::vector<DossierPartage> gardes;  // folders another establishment uses: they stay
    QString sansDossier;                 // why the name has no folders to remove; "" when it has
};

// Deletes the establishment's students, row and resale prices in one
// transaction, then the folder trees of its name, except those another
// establishment uses and all of them when the name cannot name a folder.
// `avancement` receives a value out of 50 after each step (the caller keeps
// its window alive there).
Suppression supprimer(const QString& code, const std::function<void(int)>& avancement);

// Gives the establishment a new name and renames its folders with it; "" when
// done, else a French message that says what stayed as it was (refused while
// a filing or a class move of its own waits to be settled), and which
// folders, if any, could not be given their former name back. The rename is
// recorded in the base before the first folder moves, and the record goes
// with the row's new name; a rename that stops between the two is settled by
// reprendreRenommages. `apresDossier`, when given, is called once the rename
// is recorded (0) and after each folder moved (how many have moved).
[[nodiscard]] QString renommer(const QString& code, const QString& nouveauNom,
                               const std::function<void(int)>& apresDossier = {});

// What the start did with a rename that had stopped before its end.
struct Reprise {
    QString compteRendu; // French, names the establishment
    bool reglee;         // finished or undone; false when it stays for the next start
};

// Finishes every recorded rename that had stopped (a power cut, a folder that
// could not take its former name back), or undoes it when a folder of the new
// name is not its own or a folder cannot be moved. Throws db::Error when the base
// cannot be read; a failure on one rename is in its Reprise.
std::vector<Reprise> reprendreRenommages();

// Stores a new postal code; throws db::Error.
void changerCodePostal(const QString& code, const QString& codePostal);

} // namespace etablissements
