#pragma once

#include <QObject>
#include <QString>

#include <vector>

class QLabel;
class QWidget;
class ImageCliquable;

// The pick list of the group wizard and of a group addition, in the left
// column: class headings and picked students, one line each (Lblisteeleves_n)
// with a remove icon (ImageSupp_n). Line 0 always exists; the lines below it
// come and go with the picks. Keeps etat::NbEntreesListe.
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
    struct Ligne {
        QLabel* texte = nullptr;
        ImageCliquable* icone = nullptr;
        qint64 cle = 0;
    };
    void ouvrirLigne();
    void montrer(Ligne& ligne, const QString& texte, bool enTete);

    QWidget* colonne_;
    std::vector<Ligne> lignes_;
};
