#pragma once

#include <QString>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The hidden entry row of a catalogue section: four captioned boxes and the
// "Valider" / "Annuler" pairs of adding and of changing, which stand on top
// of each other.
class LigneSaisie {
public:
    // The boxes: reference, name, price, and the reorder price of a pack or
    // an article or the number of articles of an incomplete pack.
    enum Boite { Ref = 0, Nom = 1, Prix = 2, PrixRec = 3, NbArticles = 3 };

    struct Plan {
        const char* legende;     // name of the caption array
        const char* boite;       // name of the box array
        const char* ajout;       // name of the add buttons
        const char* modif;       // name of the change buttons
        std::array<const char*, 4> textes;
        std::array<int, 4> legendeX, legendeY, legendeL, legendeH;
        std::array<int, 4> boiteX, boiteL;
        int boiteY;
        std::array<int, 2> boutonX, boutonL;
    };

    LigneSaisie(QWidget* parent, const Plan& plan);

    QLineEdit* boite(int i) const { return boites_[std::size_t(i)]; }
    QString texte(int i) const;
    QString legende(int i) const;
    QPushButton* ajout(int i) const { return ajout_[std::size_t(i)]; }
    QPushButton* modif(int i) const { return modif_[std::size_t(i)]; }

    // Shows the captions and boxes from..3, enabled, and the add or the change pair.
    void montrer(int depuis, bool pourAjout);
    // Hides everything; the boxes keep their text unless vider.
    void cacher(bool videes);
    void vider();
    // The first empty box among the indexes, or -1.
    int premiereVide(std::initializer_list<int> indexes) const;

private:
    std::array<QLabel*, 4> legendes_{};
    std::array<QLineEdit*, 4> boites_{};
    std::array<QPushButton*, 2> ajout_{}, modif_{};
};

// Names a widget of a control array: "Name_i".
QString nomIndice(const char* nom, int i);
