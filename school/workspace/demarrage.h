#pragma once

#include <QString>
#include <QStringList>

// Putting the school data folder in place when the program starts.
namespace demarrage {

// The database and the four HTML templates, shipped in the program folder.
QStringList fichiersLivres();

// Creates the data folder when missing and copies each shipped file that the
// folder lacks; an existing file is never replaced. Answers "" or a French
// message naming the folder or the file that failed.
[[nodiscard]] QString installerDonnees(const QString& dossierDonnees, const QString& dossierProgramme);

// The file in the data folder on which each running Vizmora holds a shared
// lock; setup.exe of a school package takes it exclusively.
QString nomMarqueOuvert();

// What a start comes to.
struct Depart {
    // "" or a French message that names the failed file and says that the program stops.
    QString erreur;
    // What the secretary reads before working, in French: a database that
    // takes no change, pictures that a power cut left short of their place.
    QStringList avis;
};

// The program's start: sets etat::CheminDonnees, installs the data folder,
// marks it open for the life of the process (a start while a package is
// being installed there is refused in a message of its own, and so is a
// start on an installation that a power cut stopped half way), opens the
// database (creating the tables it lacks; an empty file is refused like a
// damaged one, and left as it is), finishes the pictures that a power cut
// left short of their place, stores the names in composed form when the
// database takes changes now (else a later start does), removes the
// temporary files a power cut left in images/ and prepares the texts of the
// about box. Data that can be read always open.
[[nodiscard]] Depart demarrer();

// "Version 4.1 R10".
QString texteVersion(int majeure, int mineure, int revision);

} // namespace demarrage
