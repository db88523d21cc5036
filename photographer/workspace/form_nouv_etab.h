#pragma once

#include "common/ui/form.h"

#include <QStringList>

class QLineEdit;

// Creates one establishment: its row and its two picture folders.
class FormNouvEtab : public Form {
    Q_OBJECT
public:
    FormNouvEtab();

protected:
    void onActivate() override;
    void onUnload() override;

private:
    void Bt_Valide_Click();
    void Bt_Annuler_Click();
    void MNU_Propos_Click();

    bool saisieComplete();
    bool nomLibre(const QString& nom);
    // Creates the establishment's folders; crees receives those it made.
    bool creerDossiers(const QString& nom, QStringList& crees);
    bool ajouterEtablissement(const QString& nom);
    QLineEdit* boite(const char* nom) const;
};
