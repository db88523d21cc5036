#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The folders of an establishment, one rule for the workspace, the shoot and
// the capture: its pictures in the data folder, the " BR" and " BR3" copies
// beside them, and its high-definition archive under labohd.
namespace dossiers_etab {

struct Dossiers {
    QString donnees;
    QString br;
    QString br3;
    QString archive;

    // False for a name that cannot name a folder ("", "." or ".."): such an
    // establishment has no folders, and nothing may be written for it.
    bool valides() const { return !donnees.isEmpty(); }
    QStringList tous() const;
};

// The folders of the establishment named nom, in the data folder cheminDonnees.
Dossiers de(const QString& cheminDonnees, const QString& nom);

// The same in the data folder in use (etat::CheminDonnees).
Dossiers de(const QString& nom);

// The most bytes of UTF-8 a file or folder name may hold on the file systems in use.
inline constexpr qsizetype kOctetsParNom = 255;

// How many of the first characters of texte fit in `place` bytes of UTF-8.
qsizetype caracteresQuiTiennent(const QString& texte, qsizetype place);

// Why a new establishment cannot take this name for its folders: it cannot
// name a folder, or its longest folder name (" BR3") would not fit in a
// folder name of the file system. "" when it can.
[[nodiscard]] QString refus(const QString& nom);

// The folders of `ceux` that are also folders of `autres`, ignoring case:
// "Lycée BR" names the " BR" folder of "Lycée".
QStringList communs(const Dossiers& ceux, const Dossiers& autres);

// The folders of `dossiers` that exist and hold anything, hidden files
// included. A new establishment given one of them would take the pictures of
// a former one (an emptied database gives keys from 1 again) for its own
// students' and deliver them.
QStringList occupes(const Dossiers& dossiers);

// Whether something holds the name: a file, a folder, or a link, even one
// that leads nowhere.
bool pris(const QString& chemin);

// dossier/base + extension, or, when a file of that name exists,
// dossier/base_2 + extension, base_3 and so on: the first name no file has,
// or, before it, the first taken one that `dejaLa` accepts (a copy made
// earlier of the same file, which serves again).
QString nomLibre(const QString& dossier, const QString& base, const QString& extension,
                 const std::function<bool(const QString&)>& dejaLa = {});

// The name the picture `fichier` takes when set aside into `dossier`: its own
// name followed by "_", its date and time (noms_photos::kHorodatageGarde)
// and, when that is taken, a number.
QString nomGarde(const QString& fichier, const QString& dossier);

// Moves the picture `fichier` into `dossier` (made when missing) under `garde`,
// or nomGarde() when none was chosen beforehand (a journal that names it),
// never over another file: a picture another one takes the place of is never
// lost. Answers where it went; "" when it could not be moved, `erreur` then
// says why in French.
QString garder(const QString& fichier, const QString& dossier, QString& erreur, QString garde = {});

} // namespace dossiers_etab
