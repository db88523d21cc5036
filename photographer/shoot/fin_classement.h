#pragma once

#include "photographer/shoot/camera_files.h"
#include "photographer/shoot/capture.h"
#include "photographer/shoot/journal_classement.h"

#include <QList>
#include <QString>

// The end of the shoot's filings, which outlives the screen that started them.
namespace fin_classement {

// The filings under way in this run, which a screen closed meanwhile lets finish: a screen opened
// again leaves their records to them.
int& enVol();

// The records of filings that ended (camera file removed, folder synced) in this run: dropped with
// the next record, or when the capture stops, rather than with a commit of their own in each tick.
// Lost in a crash, they are dropped by the next settling, which finds their camera files gone.
QList<qint64>& finis();

// What the end of a filing came to.
struct Fin {
    QString erreur;        // "" when all was done, else the French message
    bool agrandie = false; // the camera file grew after its bytes were read: its writer was still at it
};

// After the files were put in place: the student's row and the record's mark in one transaction,
// then the camera file leaves the watched folder, then the record goes. A record left is settled at
// the next tick or opening of the screen. lu is the version of the camera file whose bytes were filed.
Fin finir(const journal_classement::Classement& c, const capture::Filed& classee, const camera_files::Version& lu);

// Drops the records of the filings that ended.
void effacerFinis();

} // namespace fin_classement
