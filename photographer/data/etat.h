#pragma once

#include <QString>

// The photographer program's shared state, one copy for the whole run.
namespace etat {

inline QString CheminDonnees;       // the data folder, no trailing separator
inline QString SeparateurCsv;       // one character
inline QString DossierHot;          // the watched folder, with a trailing separator
inline QString CodeEtabEnCours;     // key of the current establishment, as text
inline QString NomEtabEnCours;      // its name
inline QString FichierChoisi;       // last file chosen; after cleaning, the cleaned list
inline QString ClasseEnCours;       // class shown on the shooting screen
inline QString SensPriseDeVue;      // hand position word
inline QString VersionLogiciel;     // "V. 1.0 R0"
inline QString MentionCopyright;

// The settings key of the program.
inline const QString kCleRegistre = QStringLiteral("Software\\ZLV");

// The version text of this build: "V. major.minor Rrevision".
QString versionText();

} // namespace etat
