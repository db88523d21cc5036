#pragma once

#include "photographer/prices/catalogue.h"
#include "photographer/prices/form_tarifs.h"
#include "photographer/prices/ligne_saisie.h"

#include <QComboBox>
#include <QObject>

#include <array>
#include <initializer_list>
#include <optional>
#include <vector>

class QPushButton;
class QWidget;

// A section of the catalogue window: its "Ajouter...", "Modifier...",
// "Supprimer..." buttons, its hidden entry row, and the add / change /
// delete flow that the pack, incomplete-pack and article sections share.
// Each section says what differs: what an operation locks, how its entry is
// checked and which rows it writes. Every stored change reloads the window.
class SectionCatalogue : public QObject {
    Q_OBJECT
public:
    enum Operation { Ajouter = 0, Modifier = 1, Supprimer = 2 };

    QPushButton* bouton(Operation operation) const { return boutons_[std::size_t(operation)]; }
    // The three buttons.
    virtual void activerBoutons(bool actif);
    // The list and the buttons back in their idle state.
    virtual void reposer() = 0;

protected:

    // Where the three buttons stand, in twips, and the name of their array.
    struct Boutons {
        const char* nom;
        int haut;
        std::array<int, 3> gauche, largeur;
    };

    // The chosen row as the flow uses it: its key and the four boxes of the
    // entry row, in their order.
    struct Choix {
        qint64 cle = 0;
        std::array<QString, 4> saisie;
    };

    explicit SectionCatalogue(FormTarifs& form);

    // Each section builds its widgets in its own order: the buttons and the
    // entry row come where it calls these.
    void construireBoutons(QWidget* cadre, const Boutons& boutons);
    void construireLigne(QWidget* cadre, const LigneSaisie::Plan& plan);

    LigneSaisie& ligne() { return *ligne_; }
    // The row the change under way acts on, as it was when the change started.
    const Choix& modifie() const { return modifie_; }

    // True when every one of these boxes holds text; else the first empty one
    // is named by its caption and gets the focus (or `focus` does).
    bool remplies(std::initializer_list<int> boites, int focus = -1);
    // True when every one of these price boxes holds a price (an empty box
    // is one left empty); else the first refused one is named by its caption
    // and gets the focus.
    bool prixValides(std::initializer_list<int> boites);
    // The price of the box as it is stored.
    QString prix(int boite);
    // Says why the entry is refused and puts the focus in the box.
    void refuser(QWidget* boite, const QString& message);

    static Choix choixDe(const catalogue::Produit& produit);
    // The row of `lignes` that the list shows as chosen, or nullptr.
    template <class Ligne>
    static const Ligne* choisiDans(const QComboBox* liste, const std::vector<Ligne>& lignes)
    {
        const int i = liste->currentIndex();
        return i >= 0 && i < int(lignes.size()) ? &lignes[std::size_t(i)] : nullptr;
    }

    FormTarifs& form_;

private:
    // What every one of the three buttons does first.
    virtual void commencer() = 0;
    virtual std::optional<Choix> choisi() const = 0;
    // "Modifier..." or "Supprimer..." with no row chosen.
    virtual void sansChoix() {}
    virtual void ouvrirAjout() = 0;
    // The chosen row stands in the entry row, shown from its name on.
    virtual void modifOuverte() = 0;
    // What the deletion question calls a row: "l'article".
    virtual QString designation() const = 0;
    virtual FormTarifs::Ecriture suppression(qint64 cle) const = 0;
    // The deletion question answered "Annuler".
    virtual void suppressionAnnulee() = 0;
    virtual void validerAjout() = 0;
    virtual void validerModif() = 0;
    // "Annuler" of adding or of changing.
    virtual void annuler(bool apresModif);

    void operation(int index);
    void ouvrirModif();
    void supprimer();

    std::array<QPushButton*, 3> boutons_{};
    std::optional<LigneSaisie> ligne_;
    Choix modifie_;
};
