#pragma once

#include "photographer/deliveries/fichiers_livraison.h"

#include <QString>

// The school package of an establishment on the desktop ("A Graver/<name>":
// its pictures, the school database filled from the template, the two
// installer scripts) and the lab order list under "labo".
namespace paquet_ecole {

// The files of the program folder that every package carries.
inline constexpr const char* kModele = "immac.blc";
inline constexpr const char* kBaseEcole = "classevizmora.idx";
inline constexpr const char* kInstalleur = "setup.exe";
inline constexpr const char* kFinalisation = "finalise.bat";

// Builds the package of the establishment with this key. Nothing is reported
// as done unless every file was written.
livraison::Issue livrer(const QString& codeEtab, const livraison::Avancement& avancement);

} // namespace paquet_ecole
