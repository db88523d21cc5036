#pragma once

#include "common/files.h"
#include "photographer/data/dossiers_etab.h"
#include "photographer/shoot/watched_folder.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QObject;

// Filing camera pictures: each shot lands in the high-definition archive
// untouched, and as a small working picture plus two low-resolution copies.
namespace capture {

// 90 for "TeteGauche", 270 for "TeteDroite", 0 otherwise or in manual import.
int rotationDegrees(const QString& sensPriseDeVue, bool importManuel);

// Where one picture of one student goes; every name is made a single path component.
// All empty when the establishment has no folders.
struct Destinations {
    QString archive;  // <archive>/<Classe>xsepx<Nom>xsepx<Prenom>xsepx.jpg
    QString picture;  // <données>/<CdeEleves>.jpg
    QString lowRes;   // <BR>/<Nom> <Prenom>.jpg
    QString lowRes3;  // <BR3>/<Classe>/<Nom> <Prenom>.jpg
    QString replaced; // <archive>/remplacées: the archived originals that a later picture replaced
};
Destinations destinations(const dossiers_etab::Dossiers& etab, const QString& classe, const QString& nom,
                          const QString& prenom, const QString& cdeEleve);

// A camera file read once by the tick: whether it can be filed, and what
// was already made of it while the tick waits for the photographer.
struct [[nodiscard]] Prepared {
    enum class State {
        NotYet,       // still being written, or not yet decodable: left for a later tick
        AlreadyFiled, // the original of earlierArchives[filedAs]: only to be taken out of the folder
        Ready,        // decoded: place() puts its files in
        Refused,      // cut short, damaged or unreadable for good; error names it
    };
    State state = State::NotYet;
    int filedAs = -1;
    QString error;
    QByteArray picture;                          // the working picture, encoded
    std::shared_ptr<files::PendingFile> archive; // the camera's bytes, written beside the archive
};

// Reads the camera file once and makes of it everything the filing needs before a question may
// stop it: whether it is whole (its primary image ends the file and it decodes; a file that has
// not moved for WatchedFolder::kCallsBeforeCutShort calls without being whole is refused, as it
// was cut short), whether it was filed before (its bytes are those of one of earlierArchives,
// written after it), the working picture decoded once at reduced scale (QImageReader::setScaledSize),
// turned and fitted inside 400x400 (never enlarged), and the archive copy written and flushed
// beside its target while the picture decodes. Creates the destination folders; puts nothing in place.
Prepared prepare(const WatchedFolder::Candidate& camera, int degrees, const Destinations& destinations,
                 const QStringList& earlierArchives);

// What the filing of one picture did.
struct [[nodiscard]] Filed {
    QString error;        // "" when filed, else one French message naming the file that failed
    QString keptOriginal; // where the archived original that this picture replaced now lies; "" when none
};

// Puts a Ready picture in place: the archive copy (byte-identical to the camera file), the working
// picture (JPEG quality 100) and both low-resolution copies, each replacing its target through a
// temporary file beside it. An archived original already there is never lost: it moves into the
// `replaced` folder under a name that adds its date and time. Never touches the camera file. On any
// failed write nothing is renamed into place.
Filed place(const Prepared& prepared, const Destinations& destinations);

// The same on a worker thread; done runs later on context's thread (not if context died).
// context must not be null.
void prepareAsync(QObject* context, const WatchedFolder::Candidate& camera, int degrees,
                  const Destinations& destinations, const QStringList& earlierArchives,
                  std::function<void(const Prepared&)> done);
void placeAsync(QObject* context, const Prepared& prepared, const Destinations& destinations,
                std::function<void(const Filed&)> done);

} // namespace capture
