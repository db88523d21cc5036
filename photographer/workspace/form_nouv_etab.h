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

    QLineEdit* TextNom_ = nullptr;
    QLineEdit* TextAd_ = nullptr;
    QLineEdit* TextAd1_ = nullptr;
    QLineEdit* TextAd2_ = nullptr;
    QLineEdit* TextCP_ = nullptr;
    QLineEdit* TextVille_ = nullptr;
    QLineEdit* TextTel_ = nullptr;
    QLineEdit* TextPrt_ = nullptr;
    QLineEdit* TextMail_ = nullptr;
};
