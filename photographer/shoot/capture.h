#pragma once

#include "common/digest.h"
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
// All empty when the establishment has no folders. numero is the student's among his
// namesakes (roster::numero): from 2 on, it comes before ".jpg" in the names that bear
// his names, so that each namesake keeps his own picture.
struct Destinations {
    QString archive;  // <archive>/<Classe>xsepx<Nom>xsepx<Prenom>xsepx.jpg ("…xsepx_2.jpg")
    QString picture;  // <données>/<CdeEleves>.jpg
    QString lowRes;   // <BR>/<Nom> <Prenom>.jpg ("<Nom> <Prenom>_2.jpg")
    QString lowRes3;  // <BR3>/<Classe>/<Nom> <Prenom>.jpg (the same)
    QString replaced; // <archive>/remplacées: the archived originals that a later picture replaced
    QString unfiled;  // <archive>/non classées: camera files set aside unfiled
};
Destinations destinations(const dossiers_etab::Dossiers& etab, const QString& classe, const QString& nom,
                          const QString& prenom, const QString& cdeEleve, int numero = 1);

// What tells one camera file from another whatever its name and dates: its size and digest.
using digest::Fingerprint;
using digest::fingerprint;
using digest::fingerprintOf;
using digest::holds;

// A camera file read once by the tick: whether it can be filed, and what
// was already made of it while the tick waits for the photographer.
struct [[nodiscard]] Prepared {
    enum class State {
        NotYet,  // still being written, or not yet decodable: left for a later tick
        Ready,   // decoded: place() puts its files in
        Refused, // the camera file is empty, cut short, damaged or not a picture for good; error names it
        Failed,  // the file could not be made ready for its destinations (a folder, a full disk); error says why
    };
    State state = State::NotYet;
    QString error;
    Fingerprint camera;                          // of the camera's bytes
    camera_files::Version cameraVersion;         // the camera file's version they were read from
    QByteArray pictureDigest;                    // of the working picture
    QByteArray picture;                          // the working picture, encoded
    std::shared_ptr<files::PendingFile> archive; // the camera's bytes, written beside the archive
    bool again = false;                          // a filing done again: the archive may hold these bytes already
};

// Reads the camera file once and makes of it everything the filing needs before a question may
// stop it: whether it is whole (its primary image ends the file, it has no holes and it decodes; a
// file given up on (WatchedFolder::Candidate::givenUp) that is not whole is refused, as it
// was cut short), its fingerprint, the working picture decoded once at reduced scale
// (QImageReader::setScaledSize), turned and fitted inside 400x400 (never enlarged), and the archive
// copy written and flushed beside its target while the picture decodes. Creates the destination
// folders; puts nothing in place. A file larger than
// WatchedFolder::kLargestCameraFile is refused unread.
Prepared prepare(const WatchedFolder::Candidate& camera, int degrees, const Destinations& destinations);

// The same from the camera's bytes already read (a filing that a crash interrupted is completed
// from the camera file or from its archive copy); shownName names them in messages.
Prepared prepareBytes(const QByteArray& original, const QString& shownName, int degrees,
                      const Destinations& destinations);

// Where place() will set aside the archived original now at destinations.archive: a free name in
// the `replaced` folder, its own followed by its date and time; "" when there is none. Chosen
// before a filing is recorded, so that undoing it can put the original back.
QString keptOriginalName(const Destinations& destinations);

// What the filing of one picture did.
struct [[nodiscard]] Filed {
    QString error;        // "" when filed, else one French message naming the file that failed
    QString keptOriginal; // where the archived original that this picture replaced now lies; "" when none
};

// Puts a Ready picture in place: the archive copy (byte-identical to the camera file), the working
// picture (JPEG quality 100) and both low-resolution copies, each replacing its target through a
// temporary file beside it. An archived original already there is never lost: it moves to keptAs
// (keptOriginalName() when empty), unless it is these very bytes, as when an interrupted filing is done
// again. Never touches the camera file. record, when given, runs while the files are written and
// before anything is renamed; it answers "" once the filing is recorded, else the French message
// that stops it. On any failure nothing is renamed into place.
Filed place(const Prepared& prepared, const Destinations& destinations, const QString& keptAs = {},
            const std::function<QString()>& record = {});

// Takes back what a filing put in place: the archive copy and the working picture and its copies
// where they still hold its bytes (a namesake's files are left), and the original it set aside at
// keptAs back in its place. "" when done, else a French message naming what could not be undone.
QString undo(const Destinations& destinations, const Fingerprint& camera, const QByteArray& pictureDigest,
             const QString& keptAs);

// The same on a worker thread; done runs later on context's thread (not if context died).
// context must not be null.
void prepareAsync(QObject* context, const WatchedFolder::Candidate& camera, int degrees,
                  const Destinations& destinations, std::function<void(const Prepared&)> done);
void placeAsync(QObject* context, const Prepared& prepared, const Destinations& destinations, const QString& keptAs,
                std::function<QString()> record, std::function<void(const Filed&)> done);
// Runs work on a worker thread, then the answer it gives on context's thread (not if context died).
void onWorker(QObject* context, std::function<std::function<void()>()> work);

} // namespace capture
