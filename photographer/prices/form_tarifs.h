#pragma once

#include "common/ui/form.h"

#include <functional>

namespace db {
class Database;
}

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

    // Disables the pack label, list and buttons while an article operation runs.
    void DesactiverZonePochettes();
    // Disables the article label, list and buttons.
    void DesactiverZoneArticles();
    // The "Ajouter...", "Modifier...", "Supprimer..." buttons of the three
    // sections; disabling them starts an operation, reposer() ends it.
    void activerBoutons(bool actif);
    bool occupe() const { return occupe_; }
    // The catalogue holds no article: a pack can then be neither changed nor deleted.
    bool sansArticle() const;
    // Every section back in its idle state, "Retour" enabled.
    void reposer();
    // Unloads the window and shows it again, its lists read anew.
    void recharger();

    QPushButton* retour() const { return Bt_retour_; }

    using Ecriture = std::function<void(db::Database&)>;
    // Runs a change of the base, then reloads the window; a failure is
    // reported and leaves the window as it is.
    void ecrire(const Ecriture& travail);
    // The same for a row whose key must be new: when `prise` finds it taken,
    // `refus` is said and the entry stays open, "Retour" enabled.
    void ajouterSansDoublon(const std::function<bool(db::Database&)>& prise, const QString& refus,
                            const Ecriture& ajout);

protected:
    void onActivate() override;
    void onUnload() override;

private:
    void Bt_retour_Click();
    // The number of articles, or -1 when the base failed (said).
    int compterArticles();

    SectionPochettes* pochettes_ = nullptr;
    SectionArticles* articles_ = nullptr;
    QPushButton* Bt_retour_ = nullptr;
    bool rempli_ = false;
    bool occupe_ = false;
};

inline constexpr const char* kTroisArticles = "Vous devez impérativement saisir 3 articles au minimum";
