#pragma once

#include <QDateTime>
#include <QString>

// The backups of the photographer database, in the "backup" folder of the
// program's data folder. A backup appears under its name only whole and
// consistent; what a backup cut by a power cut left is removed at the next start.
namespace sauvegarde {

// The folder of the backups.
QString dossier();

// The backup taken at that moment: "Sauvegarde_DDMMYYYY_HHMMSS.idx".
QString nomSauvegarde(const QDateTime& maintenant);

// Copies the database to its backup. "" on success, else a French message
// naming the file (a full disk is said as such); no part of a copy stays.
[[nodiscard]] QString sauvegarder(const QDateTime& maintenant);

// Removes what cut backups left: their work copies, and a backup that an
// earlier build wrote in place with its journal still beside it.
void retirerInterrompues();

} // namespace sauvegarde
