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

// The folders of an establishment: its picture folder in the data folder,
// the " BR" and " BR3" copies beside it and its archive under labohd.
QStringList dossiers(const QString& nom);

// True when an establishment other than `saufCode` has this name, ignoring
// case; throws db::Error.
bool nomPris(const QString& nom, const QString& saufCode = {});

// True when the establishment has at least one student.
bool aDesEleves(const QString& code);

// The photographer's company name; "" when the record is not filled in.
QString nomPhotographe();

struct Suppression {
    QString nom;                // the name the establishment had
    QString refus;              // why nothing was deleted; "" otherwise
    QStringList dossiersRestes; // folders that could not be removed
    QString partage;            // another establishment whose folders these are too; they stay
};

// Deletes the establishment's students, row and resale prices in one
// transaction, then the four folder trees of its name unless another
// establishment has a name that gives the same folders. `avancement` receives
// a value out of 50 after each step (the caller keeps its window alive there).
Suppression supprimer(const QString& code, const std::function<void(int)>& avancement);

// Gives the establishment a new name and renames its folders with it; "" when
// done, else a French message and nothing changed.
QString renommer(const QString& code, const QString& nouveauNom);

// Stores a new postal code; throws db::Error.
void changerCodePostal(const QString& code, const QString& codePostal);

} // namespace etablissements
