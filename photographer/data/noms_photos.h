#pragma once

#include <QHash>
#include <QString>

#include <optional>
#include <vector>

// The names a student's picture files take from the student's class, surname
// and first name, and the one rule that keeps them within a file name: every
// place that makes a student or a class checks it, so that no picture of
// theirs can fail to be filed for its name's length.
namespace noms_photos {

// The archived original is named <Classe>xsepx<Nom>xsepx<Prenom>xsepx.jpg; an
// original that a later picture replaces is set aside under that name plus
// "_", its date and time in this form, and "_2" to "_99" when several are set
// aside in one second.
inline constexpr const char* kSeparateur = "xsepx";
inline constexpr const char* kHorodatageGarde = "ddMMyyyy_HHmmss";

// A student whose names are those of one before him in the establishment
// carries a number in the names of all his picture files ("DUPONT Jean_2.jpg",
// "5CxsepxDUPONTxsepxJeanxsepx_2.jpg"), so that each keeps his own picture.
// The names keep room for a number up to this many characters ("_99").
inline constexpr qsizetype kOctetsNumero = 3;

struct Porteur {
    QString cle; // CdeEleves
    QString nom;
    QString prenom;
};

// A number given to a student: his files may bear it, so it stays taken for
// his names, even once he is deleted.
struct NumeroDonne {
    QString nom;
    QString prenom;
    int numero = 1;
};

// The numbers of the students of one establishment who have none yet, by key,
// around those already given: students come in key order, and one whose
// " BR" file name ("Nom Prénom.jpg", compared as a folder compares names:
// case, and accents written as one character or two) is already given or was
// given to a student before him takes the first free number from 2
// (namesakes::UniqueNames); the others, and so every student without a
// namesake, have 1 and keep the plain names. Given no numbers, this is each
// student's number among those present.
QHash<QString, int> numeros(std::vector<Porteur> eleves, const std::vector<NumeroDonne>& donnes = {});

// The " BR" file name of a student: "Nom Prénom.jpg", numbered.
QString nomBasseResolution(const QString& nom, const QString& prenom, int numero = 1);

// A class's folder in the " BR3" tree: one component that can never climb out of its parent.
QString dossierClasse(const QString& classe);

// The archived original's name: "<Classe>xsepx<Nom>xsepx<Prenom>xsepx.jpg", numbered.
QString nomArchive(const QString& classe, const QString& nom, const QString& prenom, int numero = 1);

// The most bytes of UTF-8 that a student's class, surname and first name may
// hold together so that every file named after them fits in a file name.
qsizetype octetsPermis();

// How many characters a student's class, surname and first name hold
// together, and how many of them fit in octetsPermis(): the student's
// pictures can be filed only when all do.
struct Longueur {
    qsizetype comptes = 0;
    qsizetype tiennent = 0;
    bool tient() const { return tiennent == comptes; }
    // "ils peuvent compter au plus N caractères (ils en comptent M)"
    QString limite() const;
};
Longueur longueur(const QString& classe, const QString& nom, const QString& prenom);

struct Eleve {
    QString nom;
    QString prenom;
};

// The student whose names, with the class, are the longest of those that do
// not fit; none when every student of the class fits.
struct Depassement {
    Eleve eleve;
    Longueur longueur;
};
std::optional<Depassement> plusLongQuiDepasse(const QString& classe, const std::vector<Eleve>& eleves);

} // namespace noms_photos
