#pragma once

#include "photographer/data/roster.h"
#include "photographer/shoot/camera_files.h"

#include <QString>

#include <optional>

// A camera file the capture will not file (refused, or a retake the photographer declined) leaves
// the watched folder for the "non classées" folder, so that it never holds up the next ones nor
// reaches another student. Here: the declined files, remembered until they are set aside, and the
// words of a shoot stopped because that folder could not take one.
namespace set_aside {

// What the photographer reads when `fichier` could not be moved into `dossier`: refus (why it is
// not filed), where it could not go and why (a read-only folder, a full disk, as the file system
// shows them now), that the shoot stopped and the next pictures wait, and what clears the way.
QString arret(const QString& refus, const camera_files::Entry& fichier, const QString& dossier,
              const QString& dossierHot);

// A camera file whose filing the photographer declined, remembered for the program's run until it
// is set aside: whoever is marked when it comes up again, it is never filed.
struct Declinee {
    camera_files::Entry fichier;
    QString refus; // why it is not filed, as the messages begin
    QString nonClassees;
};

// Remembers that the photographer declined fichier as eleve's picture; answers the words that say so.
QString decliner(const camera_files::Entry& fichier, const roster::Eleve& eleve, const QString& nonClassees);
// The declined file that fichier still is (same name, size and date), if any.
std::optional<Declinee> declinee(const camera_files::Entry& fichier);
// fichier has left the watched folder.
void oublier(const camera_files::Entry& fichier);

} // namespace set_aside
