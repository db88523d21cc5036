#pragma once

#include "common/ui/form.h"
#include "school/printing/export_photos.h"

class QComboBox;
class QProgressBar;
class QPushButton;

// "Exportation vers autres logiciels...": the three lists compose the name of
// the exported files, "Ok" copies every picture into the desktop folder
// "Exportation". The main window hides while it is shown and comes back when
// it closes. While the copies run, "Ok" and the lists wait, and closing the
// window waits for the end of the export.
class FormExport : public Form {
    Q_OBJECT
public:
    FormExport();

protected:
    void onActivate() override;
    void onUnload() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ComboNom_Click();
    void ComboPonctuation_Click();
    void ComboPrenom_Click();
    void Command2_Click();
    void exportTermine(exportation::Copieur::Bilan bilan);
    // Disables "Ok" and the lists while the export runs; restores them after.
    void attendre(bool pendantExport);
    exportation::Motif motif() const;

    QComboBox* ComboNom_ = nullptr;
    QComboBox* ComboPonctuation_ = nullptr;
    QComboBox* ComboPrenom_ = nullptr;
    QProgressBar* ProgressBar1_ = nullptr;
    QPushButton* Command2_ = nullptr;
    exportation::Copieur* copieur_ = nullptr;
    QList<bool> etatsAvantExport_;
};
