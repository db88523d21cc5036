#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

// The start-up of the photographer's program: its folders, its database file,
// its settings and the archive-and-empty of the database. The main window
// asks the questions; these steps do the work and say what went wrong.
namespace demarrage {

// Sets the data folder of the run (CheminDonnees: "VizmoraDatas" on the drive).
void fixerDossierDonnees();

// The watched folder of every start, with its trailing separator.
QString dossierHotParDefaut();

// Creates the data folder and, when it holds no database, copies the shipped
// first copy into it. "" when the database is in place, else a French message.
[[nodiscard]] QString installerBase();

// Keeps the data folder for this run: two copies of the program on one data
// folder would empty the database under each other. "" when this run holds
// it (after a crash, the lock of the dead run is taken over), else a French
// message (a read-only data folder is named as such). The lock file is
// "zlvsyst.lck" in the data folder.
[[nodiscard]] QString verrouillerDossierDonnees();

// Once the database opened: what a database that can only be read means for
// the work (its data shows, nothing can be recorded) and what to do, said
// once per run and file; "" otherwise.
[[nodiscard]] QString baseEnLectureSeule();

// The CSV separator of the settings; ";" (also written) when missing or empty.
QString lireSeparateur();

// True when the settings ask for the archive-and-empty at this start.
bool archivageDemande();
// "" once written, else a French message naming the settings file.
[[nodiscard]] QString ecrireArchivageDemande(bool demande);

// Where the emptied database is kept: "zlvsystDDMMYYYY.old" in the folder, or,
// when that archive exists already, a name that adds the time (and a number
// if needed) so that no earlier archive is ever overwritten.
QString nomArchive(const QString& dossier, const QDateTime& maintenant);

// Copies the database to its archive and replaces it with the blank template.
// The live database is replaced only once the template copy sits beside it,
// marked as the emptying done (archivageFait), so a failure leaves it in
// place. "" on success, else a French message.
[[nodiscard]] QString archiverEtVider(const QDateTime& maintenant);

// The archive of the emptying that gave the database in place, while the
// request of that emptying may still be set (conclureArchivage not reached).
std::optional<QString> archivageFait();

// Clears the request, then the mark of the emptying done. "" once the request
// is cleared, else a French message naming the settings file.
[[nodiscard]] QString conclureArchivage();

// The date of the last update prompt; today (also written) when the setting
// is missing or unreadable.
QDate lireDateMaj(const QDate& aujourdhui);
void ecrireDateMaj(const QDate& date);

// More than 20 midnights since the last update prompt.
bool majAOuvrir(const QDate& derniere, const QDate& aujourdhui);

// The address of the update installer.
QString adresseMaj();

// Creates the data folder, the watched folder and the archive root when
// missing, and removes a work copy left by an establishment import. "" when
// the folders are in place, else a French message naming those that are not.
[[nodiscard]] QString preparerDossiersDeTravail();

} // namespace demarrage
