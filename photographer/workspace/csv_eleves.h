#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The school's student list, from its text to the rows of the import. Pure
// functions: the form reads and writes the files and the database.
namespace csv_eleves {

// A record of the list: one line of the file, or several when a quoted field
// holds line breaks (a cell typed on two lines); each of those breaks is a
// blank in its text.
struct Ligne {
    QString texte;
    int numero = 0; // the line of the file where it starts, from 1
    // The line where a quote opens that the file never closes (the record then
    // runs to the end of the file); 0 when none.
    int guillemetNonFerme = 0;
    bool operator==(const Ligne&) const = default;
};
using Lignes = QList<Ligne>;

// The records of a decoded file. CR LF, LF and CR all end a line, and the
// line end after the last line makes no extra empty line. A quote that opens a
// field (after the separator or at the start of the line, blanks aside) runs
// to its closing quote, a doubled quote inside standing for one.
Lignes lignes(const QString& texte, const QString& separateur);

// Why the file cannot be read: the French message, naming `fichier` and the
// line of a quote never closed; "" when it can.
QString refusGuillemet(const Lignes& lignes, const QString& fichier);

// The texts of the records, one a line, as the cleaned copy holds them.
QStringList textes(const Lignes& lignes);

// One line made safe for the import: a leading digit gets "_" in front, the
// punctuation that upset the old import becomes a blank ("-" becomes "_"),
// unless it is the separator itself, and each run of 251 ";" left by
// spreadsheets shrinks to one.
QString nettoyerLigne(const QString& ligne, const QString& separateur);
Lignes nettoyerLignes(const Lignes& lignes, const QString& separateur);

// The cleaned copy beside the chosen file: a final ".csv" (any case) gives
// way to "_revu.csv"; any other name keeps its whole text.
QString cheminRevu(const QString& fichier);

// The records of the list: the lines that hold at least one field that is not
// blank, leading blanks dropped. Without `premiereLigneEnregistrement` the
// first one is a header.
Lignes enregistrements(const Lignes& lignes, bool premiereLigneEnregistrement, const QString& separateur);

// The fields of a record as the CSV convention reads them: quotes around a
// field removed, a doubled quote inside quotes read as one, a separator
// inside quotes kept in its field; blanks and tabs around each field dropped.
QStringList champs(const QString& enregistrement, const QString& separateur);

// The first records as a grid, header included.
struct Apercu {
    QList<QStringList> lignes; // at most three, split into fields
    int colonnes = 0;          // the widest of them
};
Apercu apercu(const Lignes& lignes, const QString& separateur);

// The sentence the import's end adds when the list mixed encodings (some
// lines read as UTF-8, others as Windows-1252: text::decodeStudentList); ""
// when it did not.
QString encodagesMeles(int lignesUtf8, int lignesWindows1252);

// The column (0-based) that feeds each student field; none when not chosen.
struct Correspondance {
    std::optional<int> nom, prenom, classe, naissance, regime, ine, numInterne;
};

struct Eleve {
    QString nom, prenom, classe, naissance, regime, ine, numInterne;
    bool operator==(const Eleve&) const = default;
};

// The students of the records, or none with the French refusal of the first
// record that cannot be imported: it holds fewer fields than a chosen column
// needs (the file does not use the configured separator), its class, name or
// first name holds a control character (paths::controlRefusal), or they are
// too long together to name the student's pictures. The refusal
// names `fichier` and the line where the record starts.
struct [[nodiscard]] Lecture {
    std::vector<Eleve> eleves;
    QString refus;
};
Lecture lireEleves(const Lignes& enregistrements, const Correspondance& colonnes, const QString& separateur,
                   const QString& fichier);

} // namespace csv_eleves
