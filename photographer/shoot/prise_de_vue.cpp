#include "photographer/shoot/prise_de_vue.h"

#include "common/database.h"
#include "common/dialogs.h"
#include "common/files.h"
#include "common/helpers.h"
#include "common/paths.h"
#include "common/report.h"
#include "common/shell.h"
#include "common/wallclock.h"
#include "photographer/shoot/fin_classement.h"
#include "photographer/shoot/set_aside.h"
#include "photographer/shoot/planche_eleves.h"
#include "photographer/shoot/reglement_journal.h"
#include "photographer/data/dossiers_etab.h"
#include "photographer/data/base.h"
#include "photographer/data/etat.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

using journal_classement::Classement;

// Whether the student's own picture may be replaced: a namesake's files bear a number of their own.
bool remplacementAccepte(const capture::Destinations& destinations)
{
    return !FichierExiste(destinations.picture)
        || dialogs::message(QStringLiteral("Souhaitez vous remplacer l'image existante ?"), dialogs::Icon::Question,
                            dialogs::Buttons::YesNo) == dialogs::Answer::Yes;
}

} // namespace

PriseDeVue::PriseDeVue(PlancheEleves* planche, QObject* parent)
    : QObject(parent), planche_(planche), watched_(std::make_shared<capture::WatchedFolder>())
{
    TimerHot_ = new QTimer(this);
    TimerHot_->setObjectName(QStringLiteral("TimerHot"));
    TimerHot_->setInterval(1000);
    connect(TimerHot_, &QTimer::timeout, this, &PriseDeVue::TimerHot_Timer);
}

QString PriseDeVue::refusDemarrage()
{
    // A camera file that cannot be removed after its filing would hold up the
    // folder: the capture does not start on a folder it cannot empty.
    if (!etat::DossierHot.isEmpty() && ::access(QFile::encodeName(etat::DossierHot).constData(), W_OK | X_OK) != 0)
        return QStringLiteral("Le dossier de réception des photos %1 n'est pas accessible en écriture : "
                              "la prise de vues ne peut pas commencer.")
            .arg(QDir::toNativeSeparators(etat::DossierHot));
    // A filing that cannot be recorded would be refused after the camera file was taken: no file is
    // taken at all, so that none waits to reach whoever is marked once the base is writable again.
    try {
        if (base::db().readOnly())
            return QStringLiteral("La base de données %1 est en lecture seule : la prise de vues ne peut pas "
                                  "commencer, aucune photo ne serait enregistrée. Les photos déposées restent dans "
                                  "le dossier de réception. Rendez ce fichier modifiable, puis redémarrez Zelvantis.")
                .arg(QDir::toNativeSeparators(base::cheminBase()));
    } catch (const db::Error& error) {
        return report::logged(error);
    }
    return {};
}

bool PriseDeVue::peutDemarrer()
{
    const QString refus = refusDemarrage();
    if (refus.isEmpty())
        return true;
    dialogs::message(refus, dialogs::Icon::Critical);
    Q_EMIT arretDemande();
    return false;
}

bool PriseDeVue::demarrer()
{
    if (!peutDemarrer())
        return false;
    TimerHot_->start();
    Q_EMIT demarree();
    return true;
}

PriseDeVue::~PriseDeVue()
{
    fin_classement::effacerFinis();
}

void PriseDeVue::arreter()
{
    TimerHot_->stop();
    ++session_;
    // A look-up under way keeps the folder it reads; the next start reads the watched folder afresh.
    watched_ = std::make_shared<capture::WatchedFolder>();
    attente_.oublier();
    ordre_.oublier();
    Q_EMIT attente({});
    fin_classement::effacerFinis();
}

void PriseDeVue::suspendre()
{
    TimerHot_->stop();
    ++session_;
    Q_EMIT attente({});
    fin_classement::effacerFinis();
}

bool PriseDeVue::enCours() const
{
    return TimerHot_->isActive();
}

bool PriseDeVue::regler()
{
    if (tickEnCours_ || fin_classement::enVol() > 0)
        return false;
    std::vector<Classement> restants;
    try {
        restants = journal_classement::restants();
    } catch (const db::Error& error) {
        photoClassee(-1, {}, {}, report::logged(error));
        return true;
    }
    const auto reste = std::find_if(restants.begin(), restants.end(),
                                    [](const Classement& c) { return !fin_classement::finis().contains(c.cle); });
    if (reste == restants.end()) {
        if (!apresReglement_)
            return false;
        // Held like a settling: the tick waits while it runs and asks.
        tickEnCours_ = true;
        QPointer<PriseDeVue> prise(this);
        std::exchange(apresReglement_, {})();
        if (prise)
            tickEnCours_ = false;
        return true;
    }
    tickEnCours_ = true;
    reglement_journal::regler(this, *reste, [this](const reglement_journal::Issue& issue) {
        QPointer<PriseDeVue> prise(this);
        // The board shows what was filed or undone before the photographer reads about it.
        Q_EMIT classementRegle();
        if (!prise)
            return;
        if (!issue.regle) {
            photoClassee(-1, {}, {}, issue.message);
            return;
        }
        if (!issue.message.isEmpty())
            dialogs::message(issue.message, dialogs::Icon::Information);
        if (!prise)
            return;
        tickEnCours_ = false;
        regler();
    });
    return true;
}

void PriseDeVue::reglerPuis(std::function<void()> ensuite)
{
    apresReglement_ = std::move(ensuite);
    regler();
}

void PriseDeVue::TimerHot_Timer()
{
    // Every filing a crash interrupted is settled before any new one.
    if (tickEnCours_ || regler())
        return;
    const int slot = planche_->marque();
    if (slot < 0 || etat::DossierHot.isEmpty())
        return;
    tickEnCours_ = true;
    // The look-up lists the folder and reads what changed in it: its cost grows with the folder and
    // the machine, never the window's. Only this tick uses the folder's record meanwhile.
    capture::onWorker(this, [this, watched = watched_, dossier = etat::DossierHot, session = session_, slot,
                             cle = planche_->eleves()[std::size_t(slot)].cle]() {
        Regard regard;
        regard.candidat = watched->nextCandidate(dossier);
        if (!regard.candidat) {
            regard.attente = watched->waiting();
            regard.sousDossiers = capture::foldersWithPictures(dossier);
        }
        return std::function<void()>(
            [this, regard = std::move(regard), session, slot, cle] { regardFait(regard, session, slot, cle); });
    });
}

void PriseDeVue::regardFait(const Regard& regard, int session, int slot, const QString& cdeEleve)
{
    tickEnCours_ = false;
    // Stopped, or another class shown, meanwhile: the file waits for the student marked when the
    // capture starts again. A mark moved meanwhile takes the next one: this one came before.
    if (session != session_ || !enCours() || !planche_->montre(slot, cdeEleve))
        return;
    if (!regard.candidat) {
        direAttente(regard.attente);
        signalerSousDossiers(regard.sousDossiers);
        return;
    }
    Q_EMIT attente({});
    const capture::WatchedFolder::Candidate& fichier = *regard.candidat;
    tickEnCours_ = true;
    if (const std::optional<set_aside::Declinee> d = set_aside::declinee(fichier.file)) {
        setAside(d->fichier, d->nonClassees, d->refus, dialogs::Icon::Information);
        return;
    }
    // Nobody may get it: it was set aside, and the tick has ended.
    slot = destinataire(fichier, slot);
    if (slot < 0)
        return;
    const roster::Eleve eleve = planche_->eleves()[std::size_t(slot)];
    int numero = 1;
    try {
        numero = roster::numero(etat::CodeEtabEnCours, eleve.cle);
    } catch (const db::Error& error) {
        photoClassee(-1, {}, {}, report::logged(error));
        return;
    }
    const capture::Destinations destinations = capture::destinations(
        dossiers_etab::de(etat::NomEtabEnCours), etat::ClasseEnCours, eleve.nom, eleve.prenom, eleve.cle, numero);
    const int degres = capture::rotationDegrees(etat::SensPriseDeVue, importManuel_);
    // The camera file is read and decoded once, off the window's thread; nothing is put in place
    // before the questions.
    capture::prepareAsync(
        this, fichier, degres, destinations,
        [this, slot, eleve, fichier, destinations, degres, session = session_](const capture::Prepared& lu) {
            // Stopped, or another class chosen, meanwhile: nothing was recorded or put in place, and the
            // file waits for the student marked when the capture starts again.
            if (session != session_ || !enCours()) {
                tickEnCours_ = false;
                return;
            }
            switch (lu.state) {
            case capture::Prepared::State::NotYet:
                tickEnCours_ = false;
                return;
            case capture::Prepared::State::Failed:
                photoClassee(slot, eleve, destinations, lu.error);
                return;
            case capture::Prepared::State::Refused:
                setAside(fichier.file, destinations.unfiled, lu.error, dialogs::Icon::Exclamation);
                return;
            case capture::Prepared::State::Ready:
                classer(slot, eleve, fichier, destinations, degres, lu);
                return;
            }
        });
}

void PriseDeVue::direAttente(const std::optional<capture::WatchedFolder::Waiting>& enAttente)
{
    const AttentePrise::Dire dire = attente_.apres(enAttente, wallclock::steady());
    Q_EMIT attente(dire.ligne);
    if (dire.boite.isEmpty())
        return;
    tickEnCours_ = true;
    QPointer<PriseDeVue> prise(this);
    dialogs::message(dire.boite, dialogs::Icon::Exclamation);
    if (prise)
        tickEnCours_ = false;
}

int PriseDeVue::destinataire(const capture::WatchedFolder::Candidate& fichier, int slot)
{
    if (!agrandie_ || agrandie_->fichier != fichier.file.rawPath)
        return slot;
    // The whole picture replaces the cut one of the same student, whoever is marked now.
    slot = planche_->indiceDe(agrandie_->cdeEleve);
    if (slot < 0) {
        const Agrandie agrandie = *std::exchange(agrandie_, std::nullopt);
        setAside(fichier.file, agrandie.nonClassees,
                 QStringLiteral("La photo « %1 » a grandi après son classement, mais son élève n'est plus sur la "
                                "planche : elle n'a pas été classée de nouveau.")
                     .arg(fichier.file.name()),
                 dialogs::Icon::Exclamation);
    }
    return slot;
}

void PriseDeVue::enchainer()
{
    if (enCours())
        QMetaObject::invokeMethod(this, &PriseDeVue::TimerHot_Timer, Qt::QueuedConnection);
}

bool PriseDeVue::ordreAccepte(const capture::WatchedFolder::Candidate& fichier, const roster::Eleve& eleve)
{
    const QStringList apres = ordre_.prisesApres(fichier.captured);
    return apres.isEmpty()
        || dialogs::message(OrdrePrise::question(fichier.file.name(), eleve.nom + u' ' + eleve.prenom, apres),
                            dialogs::Icon::Question, dialogs::Buttons::YesNo)
               == dialogs::Answer::Yes;
}

void PriseDeVue::classer(int slot, const roster::Eleve& eleve, const capture::WatchedFolder::Candidate& fichier,
                         const capture::Destinations& destinations, int degres, const capture::Prepared& lu)
{
    Q_EMIT avancement(1, true);
    // The questions wait for an answer while events run: the screen may be
    // closed meanwhile, and this object with it.
    QPointer<PriseDeVue> prise(this);
    const int session = session_;
    // A picture that grew after its filing is the same shot, whole now: it replaces the cut one unasked.
    std::optional<Agrandie> agrandie;
    if (agrandie_ && agrandie_->fichier == fichier.file.rawPath)
        agrandie = agrandie_;
    if (!agrandie && !ordreAccepte(fichier, eleve)) {
        if (prise)
            setAside(fichier.file, destinations.unfiled,
                     QStringLiteral("La photo « %1 » n'a pas été classée.").arg(fichier.file.name()),
                     dialogs::Icon::Information);
        return;
    }
    if (!prise)
        return;
    const bool accepte = agrandie || remplacementAccepte(destinations);
    // Declined, the picture is the student's still: it is only ever set aside, whatever happened
    // meanwhile, so that the next student marked never gets it.
    const QString refus = accepte ? QString() : set_aside::decliner(fichier.file, eleve, destinations.unfiled);
    if (!prise)
        return;
    if (!accepte) {
        setAside(fichier.file, destinations.unfiled, refus, dialogs::Icon::Information);
        return;
    }
    if (session != session_ || !planche_->montre(slot, eleve.cle)) {
        tickEnCours_ = false;
        Q_EMIT avancement(1, false);
        return;
    }
    Classement c;
    c.fichier = fichier.file.rawPath;
    c.camera = lu.camera;
    c.photo = lu.pictureDigest;
    c.degres = degres;
    c.cdeEleve = eleve.cle;
    c.codeEtab = etat::CodeEtabEnCours;
    c.classe = etat::ClasseEnCours;
    c.nom = eleve.nom;
    c.prenom = eleve.prenom;
    c.destinations = destinations;
    c.originalGarde = capture::keptOriginalName(destinations);
    Q_EMIT avancement(4, true);
    // The filing runs off the window's thread, recorded there while its files are written; its end
    // is handled even when the screen was closed meanwhile, so that the student's row and the
    // watched folder always agree with the files written.
    auto cle = std::make_shared<std::atomic<qint64>>(0);
    const QList<qint64> aEffacer = fin_classement::finis();
    ++fin_classement::enVol();
    capture::placeAsync(qApp, lu, destinations, c.originalGarde,
        [c, cle, aEffacer, chemin = base::cheminBase()]() -> QString {
            try {
                *cle = journal_classement::inscrire(chemin, c, aEffacer);
            } catch (const db::Error& error) {
                return report::logged(error);
            }
            return {};
        },
        [prise, slot, eleve, c, cle, aEffacer, destinations, version = lu.cameraVersion, prisLe = fichier.captured,
         agrandie](const capture::Filed& classee) mutable {
            c.cle = *cle;
            if (c.cle != 0) {
                for (const qint64 fini : aEffacer)
                    fin_classement::finis().removeOne(fini);
            }
            const fin_classement::Fin fin = fin_classement::finir(c, classee, version);
            --fin_classement::enVol();
            if (classee.error.isEmpty()) {
                // The cut version that the whole picture replaced in the archive was never an original
                // of its own: it goes, once the whole one is filed and recorded.
                const QByteArray garde = QFile::encodeName(classee.keptOriginal);
                const bool coupeeRetiree = agrandie && fin.erreur.isEmpty() && !garde.isEmpty()
                    && capture::holds(garde, agrandie->coupee) && camera_files::remove(garde);
                if (prise && !classee.keptOriginal.isEmpty() && !coupeeRetiree)
                    prise->originauxGardes_ << QDir::toNativeSeparators(classee.keptOriginal);
            }
            if (prise && classee.error.isEmpty() && fin.erreur.isEmpty()) {
                prise->ordre_.classee(prisLe, eleve.nom + u' ' + eleve.prenom);
                if (agrandie)
                    prise->agrandie_.reset();
            }
            std::optional<Agrandie> encore;
            if (fin.agrandie)
                encore = Agrandie{c.fichier, eleve.cle, c.camera, destinations.unfiled};
            if (prise)
                prise->photoClassee(slot, eleve, destinations, fin.erreur, encore);
            else if (!fin.erreur.isEmpty())
                dialogs::message(fin.erreur, dialogs::Icon::Critical);
        });
}

void PriseDeVue::setAside(const camera_files::Entry& fichier, const QString& nonClassees, const QString& refus,
                              dialogs::Icon icone)
{
    Q_EMIT avancement(0, false);
    QString echec;
    const QString ou = camera_files::setAside(fichier.rawPath, nonClassees, echec);
    QPointer<PriseDeVue> prise(this);
    if (ou.isEmpty()) {
        Q_EMIT arretSurFichier();
        report::failure(set_aside::arret(refus, fichier, nonClassees, etat::DossierHot), echec);
    } else {
        set_aside::oublier(fichier);
        // The capture goes on: the student who got nothing is still marked for the next picture.
        dialogs::message(refus + QStringLiteral(" Elle a été mise de côté dans « %1 ».").arg(QDir::toNativeSeparators(ou))
                             + suite(),
                         icone);
    }
    if (!prise)
        return;
    tickEnCours_ = false;
    if (!ou.isEmpty())
        enchainer();
}

QString PriseDeVue::suite() const
{
    const int slot = planche_->marque();
    if (!enCours() || slot < 0)
        return {};
    const roster::Eleve& eleve = planche_->eleves()[std::size_t(slot)];
    return QStringLiteral(" La prochaine photo ira à %1 %2.").arg(eleve.nom, eleve.prenom);
}

void PriseDeVue::signalerSousDossiers(const QStringList& dossiers)
{
    for (const QString& dossier : dossiers) {
        if (sousDossiersSignales_.contains(dossier))
            continue;
        sousDossiersSignales_ << dossier;
        tickEnCours_ = true;
        QPointer<PriseDeVue> prise(this);
        dialogs::message(QStringLiteral("Le dossier %1 contient des photos qui ne seront pas classées : seules les photos "
                                        "posées directement dans le dossier de réception %2 sont prises, pas celles de "
                                        "ses sous-dossiers. Déplacez-les dans le dossier de réception pour les classer.")
                             .arg(QDir::toNativeSeparators(dossier), QDir::toNativeSeparators(etat::DossierHot)),
                         dialogs::Icon::Information);
        if (!prise)
            return;
        tickEnCours_ = false;
    }
}

void PriseDeVue::photoClassee(int slot, const roster::Eleve& eleve, const capture::Destinations& destinations,
                              const QString& erreur, const std::optional<Agrandie>& agrandie)
{
    tickEnCours_ = false;
    Q_EMIT avancement(0, false);
    if (!erreur.isEmpty()) {
        Q_EMIT arretDemande();
        dialogs::message(erreur, dialogs::Icon::Critical);
        return;
    }
    // The board may have been rebuilt meanwhile: the picture goes to the
    // student's slot only while that slot still shows the student.
    const bool memeCase = planche_->montre(slot, eleve.cle);
    if (memeCase)
        planche_->afficherPhoto(slot, destinations.picture);
    if (agrandie) {
        // Its writer was still at it: the same student gets the whole picture, the mark stays.
        const bool dejaDite = agrandie_ && agrandie_->fichier == agrandie->fichier;
        agrandie_ = agrandie;
        if (!dejaDite) {
            tickEnCours_ = true;
            QPointer<PriseDeVue> prise(this);
            dialogs::message(QStringLiteral("La photo « %1 » était encore en cours d'écriture quand elle a été classée "
                                            "pour %2 %3 : elle sera classée de nouveau pour %2 %3, entière, dès "
                                            "qu'elle sera complète.")
                                 .arg(QFile::decodeName(agrandie->fichier.mid(agrandie->fichier.lastIndexOf('/') + 1)),
                                      eleve.nom, eleve.prenom),
                             dialogs::Icon::Information);
            if (!prise)
                return;
            tickEnCours_ = false;
        }
        enchainer();
        return;
    }
    // The mark moves on only when the capture is still on and nobody moved it.
    if (!memeCase || !enCours() || planche_->marque() != slot)
        return;
    if (slot + 1 > planche_->dernierIndice()) {
        Q_EMIT finDeClasse(std::exchange(originauxGardes_, {}));
        return;
    }
    Q_EMIT marqueSuivante(slot + 1);
    // A card dumped at once files as fast as its pictures decode.
    enchainer();
}

void PriseDeVue::MNU_Test_Prise_vue_Click()
{
    if (planche_->marque() < 0 || etat::DossierHot.isEmpty() || !peutDemarrer())
        return;
    const QString source = paths::join(paths::programDir(), {QStringLiteral("test.jpg")});
    if (!FichierExiste(source)) {
        dialogs::message(QStringLiteral("La photo de test %1 est introuvable.").arg(QDir::toNativeSeparators(source)),
                         dialogs::Icon::Critical);
        return;
    }
    // The capture ignores the hidden name the copy is written under, so it
    // never sees half a file.
    const QString cible = paths::join(etat::DossierHot, {QStringLiteral("test.jpg")});
    if (!files::copyWhole(source, cible).isEmpty()) {
        dialogs::message(QStringLiteral("La photo de test n'a pas pu être copiée dans %1.").arg(QDir::toNativeSeparators(cible)),
                         dialogs::Icon::Critical);
        return;
    }
    demarrer();
}

void PriseDeVue::MNU_Purge_Hot_Click()
{
    if (dialogs::message(QStringLiteral("ATTENTION, toutes les photos en attente dans le hotfolder seront supprimées "
                                        "définitivement..."),
                         dialogs::Icon::None, dialogs::Buttons::OkCancel, QStringLiteral("Purge du Hotfolder"))
        != dialogs::Answer::Ok)
        return;
    retirer([](const camera_files::Entry&) { return true; });
}

void PriseDeVue::MNU_Net_hot_Click()
{
    retirer([](const camera_files::Entry& fichier) { return fichier.name().endsWith(u".tmp", Qt::CaseInsensitive); });
}

void PriseDeVue::retirer(const std::function<bool(const camera_files::Entry&)>& aRetirer)
{
    if (etat::DossierHot.isEmpty())
        return;
    QStringList restes;
    for (const camera_files::Entry& fichier : camera_files::list(etat::DossierHot)) {
        if (aRetirer(fichier) && !camera_files::remove(fichier.rawPath))
            restes << fichier.name();
    }
    if (!restes.isEmpty())
        dialogs::message(QStringLiteral("Ces fichiers n'ont pas pu être supprimés du dossier %1 :\n%2")
                             .arg(QDir::toNativeSeparators(etat::DossierHot), restes.join(u'\n')),
                         dialogs::Icon::Exclamation);
}

void PriseDeVue::sensChoisi()
{
    prete_ = true;
}

bool PriseDeVue::basculerImportManuel()
{
    importManuel_ = !importManuel_;
    prete_ = importManuel_;
    if (importManuel_)
        shell::openOrReport(etat::DossierHot);
    return importManuel_;
}

void PriseDeVue::finirImportManuel()
{
    importManuel_ = false;
}
