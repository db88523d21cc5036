#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The markup of the board documents, built as lines from plain values; every
// value is escaped here, the fixed markup stays as the documents have always
// been printed.
namespace html {

struct Entete {
    QString etablissement; // the title
    QString type;          // "Classe :" or "Groupe :"
    QString nom;           // the class or the group
};

struct Entree {
    QString nom, prenom;
    QString classe; // shown only on a group board
    QString photo;  // the picture path, as written in src; "" for a student without one
};

// The forms the board document takes: the class board as first built, the
// class board rebuilt after a move (a line break before the class name and
// every name in upper-case bold), the class board rebuilt after a removal (as
// after a move, but the first cell names the class and the rows from the
// fifth on show the surname plain), and the group board (which also names
// each student's class).
enum class Forme { Classe, ClasseReconstruite, ClasseApresSuppression, Groupe };

// The opening of every school document up to its title, escaped here; the
// caller closes the head.
QString ouverture(const QString& titre);

// filetemp.html: one table of seven cells a row; the print ends its pages
// between rows, where each page is full.
QStringList planche(const Entete& entete, const std::vector<Entree>& entrees, Forme forme);
// The cells alone, cut into rows as in planche(): the documents that put
// several boards one after the other lay each one out with them.
QStringList cellules(const std::vector<Entree>& entrees, Forme forme);
// filetempCrte.html: two cards a row, a page break before every twelfth card.
QStringList cartes(const Entete& entete, const std::vector<Entree>& entrees);
// filetempEtiq.html: five labels on the first row, six on every further row.
QStringList etiquettes(const Entete& entete, const std::vector<Entree>& entrees);

// Replaces the file with the lines (Windows-1252, CR LF; characters outside
// the code page as numeric entities). "" or a French message naming the file.
[[nodiscard]] QString ecrire(const QString& chemin, const QStringList& lignes);

} // namespace html
