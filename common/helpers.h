#pragma once

#include <QString>

#include <optional>

// The small helpers that both programs call by their historical names.

// True for an existing file; false for a folder, a missing path or "".
bool FichierExiste(const QString& chemin);

// A text setting: the key path names the settings file, the value name its entry.
std::optional<QString> LireRegistre(const QString& cle, const QString& nomValeur);
// False when the settings file could not be written (the detail goes to stderr).
[[nodiscard]] bool EcrireRegistre(const QString& cle, const QString& nomValeur, const QString& valeur);
// The French sentence telling that a setting was not kept, naming the settings
// file, followed by what that means for the user.
QString RegistreNonEcrit(const QString& cle, const QString& consequence);

// The settings file that a key path maps to.
QString fichierRegistre(const QString& cle);
