#pragma once

class QLineEdit;
class QString;
class QWidget;

// Where the entry lines of a record's form stand, in twips: the captions from
// the left margin, the boxes in a column of their own.
struct ColonnesSaisie {
    int largeurLegende;
    int gaucheSaisie;
};

// One entry line at `haut`: its caption (none when the text is empty) and its
// named box.
QLineEdit* saisieLegendee(QWidget* page, const ColonnesSaisie& colonnes, int haut, const QString& nom,
                          const QString& legende);
