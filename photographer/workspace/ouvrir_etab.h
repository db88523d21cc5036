#pragma once

#include "common/ui/form.h"

#include "photographer/workspace/csv_eleves.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QTableWidget;

// Loads the student list that a school sent as a CSV file into a new
// establishment: cleaned copy, preview, column mapping, import.
class OuvrirEtab : public Form {
    Q_OBJECT
public:
    OuvrirEtab();

protected:
    void onLoad() override;
    void onActivate() override;
    void onUnload() override;

private:
    void construireApercu(QWidget* page);
    int construireListes(QWidget* page);
    void construireCommandes(QWidget* page, int haut);
    void construireMenus();

    void Bt_Charge_Click(int index);
    void MNU_Charger_Click();
    void Mnu_Fermer_Click();
    void MNU_Propos_Click();

    bool localiserEtablissement();
    bool NettoyerFichierCsv();
    void AfficherApercuCsv();
    void ImporterEleves();

    QString separateur_;
    QString codeEtab_;
    QString fichierSource_; // the chosen list, as its messages name it
    csv_eleves::Lignes lignesRevues_;
    bool copieAilleurs_ = false; // the cleaned copy went to the data folder
    QString encodages_;          // how the lines were read, when the list mixed encodings
    bool elevesTrouves_ = false;

    QLabel* LabelNom_;
    QLabel* LabelCP_;
    QLabel* LabelCode_;
    QLabel* LabelFichierCsv_;
    QLabel* LabelInfo1_;
    QTableWidget* GridCsv_;
    QList<QLabel*> legendesListes_;
    QComboBox* ComboNom_;
    QComboBox* ComboPrenom_;
    QComboBox* ComboClasse_;
    QComboBox* ComboDateNaissance_;
    QComboBox* ComboRegime_;
    QComboBox* ComboINE_;
    QComboBox* ComboNumInterne_;
    QCheckBox* Check1_;
    QProgressBar* ProgressBar1_;
    QAction* MNU_Charger_;
};
