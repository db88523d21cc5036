#pragma once

#include "photographer/data/dossiers_etab.h"

#include <QString>
#include <QStringList>

// The jobs a power cut may leave recorded for an establishment (the shoot's
// filings, the class moves), as its rename sees them, and where their files
// lie now. Those records hold whole paths, which name the establishment's
// folders as they were named when the job began: once the folders take a new
// name, a job settled from its record as it stands would write under a name
// that is no longer the establishment's.
namespace travaux_etab {

// Why the establishment cannot take a new name now: a filing or a class move
// of its own is still recorded, and the shoot, which settles them, has to run
// first. "" when nothing waits. Throws db::Error.
[[nodiscard]] QString attenteAvantRenommage(const QString& code, const QString& nom);

struct [[nodiscard]] Lieux {
    dossiers_etab::Dossiers actuels; // the establishment's folders under its name now
    QStringList chemins;             // the recorded paths, in their order, as they are to be used now
    QString refus;                   // why the recorded paths cannot be used, in French, to follow "mais"; "" when they can
    bool plusTard = false;           // the refusal lasts only until a rename left under way is settled
};

// Where the paths recorded by a job of the establishment `code` lie now. A path
// in one of its folders stays; a path in a folder of a former name, when that
// folder is gone (the rename took it along), goes into the same folder of the
// current name. Anything else is refused, never guessed: the former folder is
// still there (not moved, or another establishment's now), no former name
// tells where the path belongs, or a rename of the establishment is under way.
// The paths of an establishment no longer in the base stay as recorded.
// Throws db::Error.
Lieux lieuxActuels(const QString& code, const QStringList& chemins);

} // namespace travaux_etab
