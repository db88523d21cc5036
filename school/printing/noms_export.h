#pragma once

#include "common/namesakes.h"

#include <QString>

// How the photo export names its files and folders.
namespace exportation {

// The fields a file name is made of.
enum class Champ { Nom, Prenom, INE, NumInterne };

// One part (the value alone), or two parts joined by the separator.
struct Motif {
    Champ premier = Champ::INE;
    bool unePartie = true;
    QString separateur;
    Champ second = Champ::Prenom;
};

struct Eleve {
    QString classe, nom, prenom, ine, numInterne, nomPhoto;
};

// The file name of the student at position (from 0) in its class: an empty
// INE or internal number alone gives "INE inconnu_<n>.jpg" or
// "Num_Interne_inconnu_<n>.jpg". The result is one safe path component.
QString nomFichier(const Motif& motif, const Eleve& eleve, int position);

// The name made one path component that other systems accept too: "/", NUL,
// "\", ":", "*", "?", "\"", "<", ">" and "|" become "_". "" when it cannot be a
// name at all ("", "." or "..").
QString composant(const QString& nom);

// The names given in one folder: a name already given there, whatever its
// case or the form of its accents, gets the first free suffix "_2", "_3"...
using NomsUniques = namesakes::UniqueNames;

} // namespace exportation
