#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The school's student list, from its text to the rows of the import. Pure
// functions: the form reads and writes the files and the database.
namespace csv_eleves {

// The lines of a decoded file; CR LF, LF and CR all end a line, and the line
// end after the last line makes no extra empty line.
QStringList lignes(const QString& texte);

// One line made safe for the import: a leading digit gets "_" in front, the
// punctuation that upset the old import becomes a blank ("-" becomes "_"),
// unless it is the separator itself, and each run of 251 ";" left by
// spreadsheets shrinks to one.
QString nettoyerLigne(const QString& ligne, const QString& separateur);
QStringList nettoyerLignes(const QStringList& lignes, const QString& separateur);

// The cleaned copy beside the chosen file: a final ".csv" (any case) gives
// way to "_revu.csv"; any other name keeps its whole text.
QString cheminRevu(const QString& fichier);

// The records of the list: the lines that hold at least one field that is not
// blank, leading blanks dropped. Without `premiereLigneEnregistrement` the
// first one is a header.
QStringList enregistrements(const QStringList& lignes, bool premiereLigneEnregistrement,
                            const QString& separateur);

// The fields of a record as the CSV convention reads them: quotes around a
// field removed, a doubled quote inside quotes read as one, a separator
// inside quotes kept in its field; blanks and tabs around each field dropped.
QStringList champs(const QString& enregistrement, const QString& separateur);

// The first records as a grid, header included.
struct Apercu {
    QList<QStringList> lignes; // at most three, split into fields
    int colonnes = 0;          // the widest of them
};
Apercu apercu(const QStringList& lignes, const QString& separateur);

// The column (0-based) that feeds each student field; none when not chosen.
struct Correspondance {
    std::optional<int> nom, prenom, classe, naissance, regime, ine, numInterne;
};

struct Eleve {
    QString nom, prenom, classe, naissance, regime, ine, numInterne;
    bool operator==(const Eleve&) const = default;
};

struct Lecture {
    std::vector<Eleve> eleves;
    // The first record that holds fewer fields than a chosen column needs
    // (the file does not use the configured separator); nothing is read then.
    std::optional<int> enregistrementCourt;
};
Lecture lireEleves(const QStringList& enregistrements, const Correspondance& colonnes,
                   const QString& separateur);

} // namespace csv_eleves
