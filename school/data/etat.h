#pragma once

#include <QString>

// The school program's shared state, one copy for the whole run.
namespace etat {

inline QString CheminDonnees;          // the data folder, no trailing separator
inline QString VersionLogiciel;        // "Version 1.0 R0", shown by the about box
inline QString MentionCopyright;       // the maker's mention, shown by the about box
inline QString NomEtabEnCours;         // the establishment's name as the main window shows it
inline QString ClasseChoisie;          // class chosen in the class list
inline bool PlancheChargee = false;    // a class board is loaded
inline bool PlancheClasse = false;     // the board on screen is a class board
inline QString NomGroupeChoisi;        // group chosen in the group list
inline bool ModeCreationGroupe = false;
inline QString NomNouveauGroupe;
inline bool NomGroupeValide = false;
inline QString CdeEleveChoisi;         // key of the student whose card is open
inline int IndexPhotoChoisie = 0;      // board cell of that student
inline QString FichierImpression;      // document of "Imprimer Classe en cours..."

} // namespace etat
