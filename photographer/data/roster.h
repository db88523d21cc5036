#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <QStringList>

#include <optional>
#include <vector>

// The students of one establishment as the shooting screen reads and edits
// them. Every change of a student goes by its key, never by its names.
namespace roster {

struct Eleve {
    QString cle; // CdeEleves
    QString classe;
    QString nom;
    QString prenom;
    QString nomPhoto;
};

struct Etablissement {
    QString nom;
    QString codePostal;
};

// The establishment of that exact key.
std::optional<Etablissement> etablissement(const QString& cdeEtablissement);

// The student of that exact key.
std::optional<Eleve> eleve(const QString& cle);

// The classes of an establishment, each once, in French order.
QStringList classes(const QString& codeEtab);

// The students of one class in surname order (French), ties by key.
std::vector<Eleve> eleves(const QString& codeEtab, const QString& classe);

// Every student of the establishment, in key order.
std::vector<Eleve> tous(const QString& codeEtab);

// The number each student of the establishment carries in the names of his
// picture files, by key. A student's number is given the first time it is
// asked for (noms_photos::numeros, around every number the establishment ever
// gave) and kept from then on: deleting a namesake renumbers nobody. A
// database that cannot be written gives the same numbers without keeping them.
// Throws db::Error.
QHash<QString, int> numeros(const QString& codeEtab);

// The number of the student of that key: 1 when he has no namesake before him.
// Throws db::Error.
int numero(const QString& codeEtab, const QString& cle);

// A student's key as a query parameter: keys travel as text on the screen,
// and a text that is not a key matches nothing.
QVariant cleParam(const QString& cle);

// Adds a student to a class; returns the new key.
QString ajouterEleve(const QString& codeEtab, const QString& classe, const QString& nom,
                     const QString& prenom);

// Each returns false when no student has that key.
[[nodiscard]] bool changerClasse(const QString& cle, const QString& classe);
[[nodiscard]] bool supprimerEleve(const QString& cle);
[[nodiscard]] bool enregistrerNomPhoto(const QString& cle, const QString& nomPhoto);

// A class exists through its students: it is created with ten placeholder
// students "Nom1" / "Prénom1" to "Nom10" / "Prénom10", all or none.
void creerClasse(const QString& codeEtab, const QString& classe);

// Why a class of that name cannot be created: with it, the names of one of
// its students (the placeholders, and those already in a class of that name)
// would not fit in their picture files. "" when it can.
[[nodiscard]] QString refusNomsClasse(const QString& codeEtab, const QString& classe);

} // namespace roster
