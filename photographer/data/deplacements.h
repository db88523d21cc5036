#pragma once

#include <QString>

#include <vector>

// The record of a student's class change while their picture files are
// renamed after the new class: written before the first file is renamed, and
// dropped in the transaction that writes the new class into the student's
// row. A record that is left says exactly which move a power cut stopped.
namespace deplacements {

struct Renommage {
    QString origine;
    QString destination;
};

struct Deplacement {
    QString cle;    // CdeEleves
    QString classe; // the class the student goes to
    std::vector<Renommage> renommages;
    // As the base holds the student now, read by enCours(); "" when the student left it.
    QString codeEtab = {}, nom = {}, prenom = {};
};

// Records the move, all its files at once. Throws db::Error.
void annoncer(const Deplacement& deplacement);

// Writes the new class into the student's row and drops the record, in one
// transaction. False, with nothing changed, when no student has that key.
// Throws db::Error.
[[nodiscard]] bool conclure(const QString& cle, const QString& classe);

// Drops the record; the student's row stays as it is. Throws db::Error.
void abandonner(const QString& cle);

// Every move still recorded, in the order they were recorded. Throws db::Error.
std::vector<Deplacement> enCours();

} // namespace deplacements
