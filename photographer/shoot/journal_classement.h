#pragma once

#include "photographer/shoot/capture.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <vector>

// The journal of the shoot's filings, a table of the photographer database. A filing is recorded,
// committed to the disk, before anything of it is put in place; the student's row and the record's
// "done" mark are written in one transaction; the record is dropped once the camera file has left
// the watched folder. What is left after a crash says exactly which camera file was meant for which
// student and how far it got, whatever the clocks, the class on the board or the establishment open.
namespace journal_classement {

struct Classement {
    qint64 cle = 0;       // the record's own key
    QByteArray fichier;   // the camera file, folder and name as the file system holds them
    capture::Fingerprint camera;
    QByteArray photo;     // digest of the working picture
    int degres = 0;
    QString cdeEleve, codeEtab, classe, nom, prenom;
    capture::Destinations destinations;
    QString originalGarde; // where the archived original it replaces is set aside; "" when none
    bool fait = false;
    // Why the recorded paths cannot be used now, to follow "mais" (the establishment's
    // folders took another name since, see travaux_etab::lieuxActuels); "" when they can.
    QString ailleurs;
    bool plusTard = false; // `ailleurs` lasts only until a rename under way is settled

    QString nomFichier() const; // the camera file's name as the system shows it
    // "DUPONT Anne (classe 6A)"
    QString eleve() const;
};

// Records a filing, durably, and drops in the same transaction the records of filings that
// ended (aEffacer); answers its key. Runs on any thread, through a connection of its own to the
// base at cheminBase. Throws db::Error.
qint64 inscrire(const QString& cheminBase, const Classement& classement, const QList<qint64>& aEffacer = {});

// The student's row names the camera file and the record is marked done, in one transaction.
// false, with nothing written, when the student is no longer in the base. Throws db::Error.
[[nodiscard]] bool terminer(const Classement& classement);

// Whether the student the filing was meant for is still in the base. Throws db::Error.
bool eleveExiste(const Classement& classement);

// Drops the records of filings that ended, in one transaction. Throws db::Error.
void effacer(const QList<qint64>& cles);

// The records left, oldest first. A filing not done has its paths under its establishment's
// folders as they are named now; where that cannot be told exactly, `ailleurs` says why and
// `destinations.unfiled` is the establishment's own now. Throws db::Error.
std::vector<Classement> restants();

} // namespace journal_classement
