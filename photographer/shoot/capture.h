#pragma once

#include "photographer/data/dossiers_etab.h"

#include <QString>

#include <functional>

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

// What the filing of one picture did.
struct Filed {
    QString error;        // "" when filed, else one French message naming the file that failed
    QString keptOriginal; // where the archived original that this picture replaced now lies; "" when none
};

// Files one camera picture: decodes it first at reduced scale (QImageReader::setScaledSize),
// rotates the small image, fits it inside 400x400 (never enlarged), and only when that worked
// writes the archive copy (byte-identical to the camera file), the working picture (JPEG quality 100)
// and both low-resolution copies, creating missing folders and replacing each file through a
// temporary file beside it. An archived original already there is never lost: it moves into the
// `replaced` folder under a name that adds its date and time. Never touches the camera file. On any
// failed write nothing is renamed into place; a file that does not decode writes nothing.
// cameraPath is the camera file's path as the file system names it.
Filed filePicture(const QByteArray& cameraPath, int degrees, const Destinations& destinations);

// The same on a worker thread; done(filed) runs later on context's thread (not if context died).
// context must not be null.
void filePictureAsync(QObject* context, const QByteArray& cameraPath, int degrees,
                      const Destinations& destinations, std::function<void(const Filed&)> done);

} // namespace capture
