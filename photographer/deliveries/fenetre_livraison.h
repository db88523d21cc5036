#pragma once

#include "common/ui/form.h"
#include "photographer/deliveries/livraison.h"

class QLabel;
class QProgressBar;
class QPushButton;

// A delivery window: it does its whole work once, when first activated, with
// a progress bar; then it says how it ended. A delivery that succeeded shows
// its folder and ends the program; one that failed leaves the "Ok" button
// to go back to the main window.
class FenetreLivraison : public Form {
    Q_OBJECT
public:
    FenetreLivraison(const QString& nom, const QString& titre);

    // The window's delivery is running (tests and the guard against re-entry).
    bool enCours() const { return enCours_; }

protected:
    // The delivery itself, for the current establishment.
    virtual livraison::Issue livrer(const livraison::Avancement& avancement) = 0;

    void onActivate() override;
    void closeEvent(QCloseEvent* event) override;
    void Command1_Click();

    QLabel* Label2_ = nullptr;
    QProgressBar* ProgressBar1_ = nullptr;
    QPushButton* Command1_ = nullptr;

private:
    void avancer(int valeur);

    bool lancee_ = false;
    bool enCours_ = false;
    qint64 derniereMiseAJour_ = 0;
};
