#pragma once

#include "common/ui/form.h"

class QLabel;
class QPushButton;
class SectionArticles;
class SectionPochettes;

// The photographer's price catalogue: complete packs, incomplete packs and
// articles, each section with its list, its three buttons and its hidden
// entry row. Every stored change reloads the window.
class FormTarifs : public Form {
    Q_OBJECT
public:
    FormTarifs();

    // Disables the pack label, list and buttons (and the incomplete-pack
    // buttons) while an article operation runs.
    void DesactiverZonePochettes();
    // Disables the article label, list and buttons.
    void DesactiverZoneArticles();
    // The "Ajouter...", "Modifier...", "Supprimer..." buttons of the three
    // sections; disabling them starts an operation, reposer() ends it.
    void activerBoutons(bool actif);
    bool occupe() const { return occupe_; }
    // Every section back in its idle state, "Retour" enabled.
    void reposer();
    // Unloads the window and shows it again, its lists read anew.
    void recharger();

    QPushButton* retour() const { return Bt_retour; }

protected:
    void onActivate() override;
    void onUnload() override;

private:
    void Bt_retour_Click();
    // The number of articles, or -1 when the base failed (said).
    int compterArticles();

    SectionPochettes* pochettes_ = nullptr;
    SectionArticles* articles_ = nullptr;
    QPushButton* Bt_retour = nullptr;
    bool rempli_ = false;
    bool occupe_ = false;
};

inline constexpr const char* kTroisArticles = "Vous devez impérativement saisir 3 articles au minimum";
