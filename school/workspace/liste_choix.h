#pragma once

#include "common/ui/clickable_label.h"
#include "common/ui/control_array.h"

#include <QLabel>
#include <QObject>
#include <QString>

#include <vector>

class QWidget;

// The pick list of the group wizard and of a group addition, in the left
// column: class headings and picked students, one line each (Lblisteeleves_n)
// with a remove icon (ImageSupp_n). Line 0 always exists; the lines below it
// come and go with the picks.
class ListeChoix : public QObject {
    Q_OBJECT
public:
    explicit ListeChoix(QWidget* colonne);

    // A class chosen during the picks: a heading not yet followed by a
    // student is overwritten, else a new line is opened below the students.
    void ecrireEnTete(const QString& classe);
    // A picked student, remembered with the key of its Goupes row.
    void ajouterEleve(const QString& texte, qint64 cdeGroupes);
    // The key of a line's Goupes row; 0 for a heading.
    qint64 cle(int index) const;
    // Hides a line whose row was removed; the lines below close up by 17 twips.
    void retirer(int index);
    // Back to line 0 alone, hidden.
    void vider();

Q_SIGNALS:
    void retraitDemande(int index);
    // A line was added below the others: the zones under the list move down by it (pixels).
    void ligneAjoutee(int hauteur);

private:
    void ouvrirLigne();
    // Shows the last line.
    void montrer(const QString& texte, bool enTete);

    QWidget* colonne_;
    ControlArray<QLabel> textes_;
    ControlArray<ClickableLabel> icones_;
    std::vector<qint64> cles_; // one per line
    bool eleveAjoute_ = false; // a student was picked since the last heading
};
