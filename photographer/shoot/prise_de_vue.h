#pragma once

#include "common/dialogs.h"
#include "photographer/shoot/attente_prise.h"
#include "photographer/shoot/camera_files.h"
#include "photographer/shoot/capture.h"
#include "photographer/shoot/journal_classement.h"
#include "photographer/shoot/ordre_prise.h"
#include "photographer/shoot/watched_folder.h"
#include "photographer/data/roster.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class PlancheEleves;
class QTimer;

// The capture of the shooting screen: every second, and at once after each filing, it files the
// next complete picture of the watched folder for the student marked on the board, one picture at
// a time, and it owns the tools that act on that folder. What the screen shows of it is left to
// the screen, through the signals.
class PriseDeVue : public QObject {
    Q_OBJECT
public:
    PriseDeVue(PlancheEleves* planche, QObject* parent);
    ~PriseDeVue() override;

    // Answers whether the capture started; when it cannot (a folder or a database that takes no
    // change), the photographer is told why.
    bool demarrer();
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
    // The capture tick, run by TimerHot every second: the watched folder is looked at off the
    // window's thread, and what it answers is filed.
    void TimerHot_Timer();
    // A tick, its question, its filing or a settling is under way.
    bool tourEnCours() const { return tickEnCours_; }
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
    // The line that says which camera file the capture waits for, and why; "" when none.
    void attente(const QString& ligne);
    // originauxGardes: where the archived originals that pictures of this
    // capture replaced were kept, since the last end of a class.
    void finDeClasse(const QStringList& originauxGardes);

private:
    // What a look-up of the watched folder found, off the window's thread.
    struct Regard {
        std::optional<capture::WatchedFolder::Candidate> candidat;
        std::optional<capture::WatchedFolder::Waiting> attente; // when no candidate
        QStringList sousDossiers;                               // when no candidate
    };
    // A camera file that grew after its filing: its writer was still at it. Filed again, whole,
    // for the same student.
    struct Agrandie {
        QByteArray fichier;
        QString cdeEleve;
        capture::Fingerprint coupee; // the bytes filed before it grew
        QString nonClassees;         // where it goes when its student left the board meanwhile
    };
    // Why the capture cannot start; "" when it can.
    static QString refusDemarrage();
    // Says why the capture cannot start, and stops the screen's shoot; true when it can.
    bool peutDemarrer();
    // cdeEleve: the student marked at slot when the tick began, who gets what it found.
    void regardFait(const Regard& regard, int session, int slot, const QString& cdeEleve);
    // The camera file that holds the queue, as the screen says it.
    void direAttente(const std::optional<capture::WatchedFolder::Waiting>& enAttente);
    // The slot of the student who gets fichier, from the one marked at slot: -1 when nobody may.
    int destinataire(const capture::WatchedFolder::Candidate& fichier, int slot);
    // The next tick runs at once, as files may be waiting.
    void enchainer();
    // Removes the files of the watched folder that aRetirer picks; says which ones stayed.
    void retirer(const std::function<bool(const camera_files::Entry&)>& aRetirer);
    // The camera file was read whole: the replacement questions, then the filing, recorded first.
    void classer(int slot, const roster::Eleve& eleve, const capture::WatchedFolder::Candidate& fichier,
                 const capture::Destinations& destinations, int degres, const capture::Prepared& lu);
    // Whether the photographer lets fichier go to eleve when pictures taken after it were filed.
    bool ordreAccepte(const capture::WatchedFolder::Candidate& fichier, const roster::Eleve& eleve);
    // A camera file that will not be filed (refused for good, or a retake declined) leaves the
    // watched folder for nonClassees, so that it never holds up the next ones nor reaches another
    // student; refus says why it is not filed.
    void setAside(const camera_files::Entry& fichier, const QString& nonClassees, const QString& refus,
                      dialogs::Icon icone);
    // Who gets the next picture, as the messages end: "" when the capture is off or nobody is marked.
    QString suite() const;
    // Says once which folders inside the watched folder hold pictures that will not be filed.
    void signalerSousDossiers(const QStringList& dossiers);
    // agrandie: the camera file grew after its filing, and is to be filed again for the same student.
    void photoClassee(int slot, const roster::Eleve& eleve, const capture::Destinations& destinations,
                      const QString& erreur, const std::optional<Agrandie>& agrandie = {});

    PlancheEleves* planche_;
    QTimer* TimerHot_;
    // Shared with the look-up under way, which a stop leaves to a folder of its own.
    std::shared_ptr<capture::WatchedFolder> watched_;
    AttentePrise attente_;
    OrdrePrise ordre_;
    std::optional<Agrandie> agrandie_;
    bool tickEnCours_ = false; // a tick, its question, its filing or a settling is under way
    int session_ = 0;          // counts the stops: a tick's answer from before one is dropped
    QStringList sousDossiersSignales_;
    std::function<void()> apresReglement_; // what waits for every filing left to be settled
    QStringList originauxGardes_;
    bool prete_ = false;
    bool importManuel_ = false;
};
