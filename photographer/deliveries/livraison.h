#pragma once

#include "photographer/data/dossiers_etab.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// What every delivery shares: the establishment's folders, the desktop roots
// the deliveries write into, and copies checked file by file.
namespace livraison {

// A value out of 100 for the window's progress bar.
using Avancement = std::function<void(int)>;

// The outcome of one delivery: on success the end message and the folder to
// show; on failure a French message that names the file.
struct [[nodiscard]] Issue {
    bool reussie = false;
    QString message;
    QString dossier;

    static Issue echec(const QString& message) { return {false, message, {}}; }
    static Issue succes(const QString& message, const QString& dossier) { return {true, message, dossier}; }
};


// The desktop folders the deliveries write into, created when missing.
QString racineAGraver();
QString racineLabo();

// "" when the name may name the delivery's folders, else a French message.
[[nodiscard]] QString refusNom(const QString& nomEtab);

// The visible plain files of a folder, in name order.
QStringList fichiersVisibles(const QString& dossier);

struct Copie {
    QString source;
    QString cible;
};

// Copies each file, in order, into a folder being built aside (see
// construireAPart): each is written straight under its name, its size checked,
// and removed when its copy fails; none is synced one by one, as the folder is
// synced once, then put in place whole. `apres` receives the number of files
// done after each one. "" when all were copied, else a French message naming
// the file that could not be.
[[nodiscard]] QString copier(const std::vector<Copie>& copies, const std::function<void(int)>& apres = {});

// Creates a folder and its parents; "" or a French message naming it.
[[nodiscard]] QString creerDossier(const QString& dossier);

// Builds a delivery folder under a hidden name beside `livre` with
// `construire` (given the folder to build in; it writes with copier or
// files::Sync::InBuiltFolder), gets it onto the disk, then puts it in place of the
// earlier folder (files::replaceFolder). Whatever stops the work (a full disk, a
// crash, the machine switched off), `livre` holds the earlier delivery or the
// whole new one, never a part, and the next delivery settles what a stop left.
// "" or a French message that names the file as it would have been delivered;
// what stood in the way before the build began is named as it is on the disk.
[[nodiscard]] QString construireAPart(const QString& livre, const std::function<QString(const QString& chantier)>& construire);

// The message with the path of a file or folder being built replaced by the
// path the user knows it under once delivered.
QString nomLivre(QString message, const QString& travail, const QString& livre);

// The French text for a file that could not be written, with the technical
// reason sent to the standard error output.
QString ecritureImpossible(const QString& fichier, const QString& detail = {});

// Ends the program: every form is unloaded.
void finirProgramme();

} // namespace livraison
