#pragma once

#include "photographer/deliveries/livraison.h"

#include <QString>

// The school package of an establishment on the desktop ("A Graver/<name>":
// the pictures of its students, the school database filled from the
// template, the two installer scripts and the list of its files) and the lab
// order list under "labo".
namespace paquet_ecole {

// The files of the program folder that every package carries.
inline constexpr const char* kModele = "immac.blc";
inline constexpr const char* kBaseEcole = "classevizmora.idx";
inline constexpr const char* kInstalleur = "setup.exe";
inline constexpr const char* kFinalisation = "finalise.bat";
// The package's own list of its files, read by the installer: one line per
// file, its size in bytes, a tab, the SHA-256 digest of its bytes in lowercase
// hex, a tab and its path inside the package; then a last line "fichiers", a
// tab and the number of files listed.
inline constexpr const char* kContenu = "contenu.txt";

// Builds the package of the establishment with this key and puts it in
// place of the earlier one only once it is whole. Nothing is reported as done
// unless every file was written.
livraison::Issue livrer(const QString& codeEtab, const livraison::Avancement& avancement);

} // namespace paquet_ecole
