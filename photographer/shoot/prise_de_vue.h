#pragma once

#include "common/dialogs.h"
#include "photographer/shoot/camera_files.h"
#include "photographer/shoot/capture.h"
#include "photographer/shoot/journal_classement.h"
#include "photographer/shoot/watched_folder.h"
#include "photographer/data/roster.h"

#include <QObject>
#include <QString>

#include <functional>

class PlancheEleves;
class QTimer;

// The capture of the shooting screen: every second it files the next
// complete picture of the watched folder for the student marked on the
// board, one picture at a time, and it owns the tools that act on that
// folder. What the screen shows of it is left to the screen, through the
// signals.
class PriseDeVue : public QObject {
    Q_OBJECT
public:
    PriseDeVue(PlancheEleves* planche, QObject* parent);
    ~PriseDeVue() override;

    void demarrer();
    // The watched folder is read afresh at the next start.
    void arreter();
    // The timer stops; what the watched folder showed is kept.
    void suspendre();
    bool enCours() const;

    // Settles the next filing a crash left in the journal, whatever the establishment; the others
    // follow, one after the other. Answers whether one was started (or a failure said).
    bool regler();
    // Runs ensuite once no filing is left to settle (at once when none is), and settles.
    void reglerPuis(std::function<void()> ensuite);
    // The capture tick, run by TimerHot every second.
    void TimerHot_Timer();
    void MNU_Test_Prise_vue_Click();
    void MNU_Purge_Hot_Click();
    void MNU_Net_hot_Click();
    // A hand position was chosen: a click on a student starts the capture.
    void sensChoisi();
    // The capture may start: a hand position was chosen, or the manual import is on.
    bool prete() const { return prete_; }
    // Returns whether the manual import is now on.
    bool basculerImportManuel();
    // The end of a class leaves the manual import.
    void finirImportManuel();
    // Pictures dropped by hand are filed as they are, unturned.
    bool importManuel() const { return importManuel_; }

Q_SIGNALS:
    void demarree();
    // A failed filing: the screen stops as Stop does.
    void arretDemande();
    // A camera file that is not filed could not be set aside either: the screen stops as Stop does,
    // but the student marked stays marked, as nobody got a picture.
    void arretSurFichier();
    // A filing left by a crash was settled: the board's pictures may have changed behind it.
    void classementRegle();
    void avancement(int valeur, bool visible);
    void marqueSuivante(int slot);
    // originauxGardes: where the archived originals that pictures of this
    // capture replaced were kept, since the last end of a class.
    void finDeClasse(const QStringList& originauxGardes);

private:
    // Removes the files of the watched folder that aRetirer picks; says which ones stayed.
    void retirer(const std::function<bool(const camera_files::Entry&)>& aRetirer);
    // The camera file was read whole: the replacement questions, then the filing, recorded first.
    void classer(int slot, const roster::Eleve& eleve, const camera_files::Entry& fichier,
                 const capture::Destinations& destinations, int degres, const capture::Prepared& lu);
    // A camera file that will not be filed (refused for good, or a retake declined) leaves the
    // watched folder for nonClassees, so that it never holds up the next ones nor reaches another
    // student; refus says why it is not filed.
    void setAside(const camera_files::Entry& fichier, const QString& nonClassees, const QString& refus,
                      dialogs::Icon icone);
    // Who gets the next picture, as the messages end: "" when the capture is off or nobody is marked.
    QString suite() const;
    // Says once which folders inside the watched folder hold pictures that will not be filed.
    void signalerSousDossiers();
    void photoClassee(int slot, const roster::Eleve& eleve, const capture::Destinations& destinations,
                      const QString& erreur);

    PlancheEleves* planche_;
    QTimer* TimerHot_;
    capture::WatchedFolder watched_;
    bool tickEnCours_ = false; // a tick, its question, its filing or a settling is under way
    int session_ = 0;          // counts the stops: a tick's answer from before one is dropped
    QStringList sousDossiersSignales_;
    std::function<void()> apresReglement_; // what waits for every filing left to be settled
    QStringList originauxGardes_;
    bool prete_ = false;
    bool importManuel_ = false;
};
