#pragma once

#include "common/database.h"

#include <QString>
#include <QStringList>

#include <optional>

struct CelluleEleve;

// What the main window reads and writes in the school database. Names,
// classes and groups are compared exactly, without regard to case, through
// the French collation; *, ?, # and [ are ordinary characters.
namespace requetes {

// The first column of every row of a query.
QStringList colonne(db::Database& base, const QString& sql, const db::Params& params = {});

// The classes that have students, in descending French order: the main
// window's class list and the choices of a move.
QStringList classes(db::Database& base);
// Every group of Goupes, in ascending French order.
QStringList groupes(db::Database& base);
// The Nom of the establishment's row, "" when there is none.
QString nomEtablissement(db::Database& base);

bool groupeExiste(db::Database& base, const QString& nomGroupe);

// Writes the Goupes row of a student picked on the board of a class: N_Eleves
// is the student's photo code, as the group board finds pictures by it.
// Answers the new CdeGroupes, or nothing when the group already holds the
// student (same N_Eleves, surname, first name and class).
std::optional<qint64> ajouterAuGroupe(db::Database& base, const QString& nomGroupe,
                                      const CelluleEleve& eleve, const QString& classe);

// Removes one Goupes row by its key; true when a row was removed.
bool retirerDuGroupe(db::Database& base, qint64 cdeGroupes);

} // namespace requetes
