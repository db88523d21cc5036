#pragma once

#include <QString>

// Small procedures that several school windows share.

// True when the lowest bit is 0 (0 and negative even numbers included).
bool EstPair(qint32 n);

// Removes a folder with everything in it, hidden entries included, depth
// first. A symbolic link is removed itself and never followed, so nothing
// outside the folder is touched. True once the folder is gone; false when
// the path is no folder or an entry could not be removed (the removal stops
// there).
bool SupprimerDossier(const QString& chemin);
