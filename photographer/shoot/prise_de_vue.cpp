#include "photographer/shoot/prise_de_vue.h"

#include "common/database.h"
#include "common/dialogs.h"
#include "common/files.h"
#include "common/helpers.h"
#include "common/paths.h"
#include "common/report.h"
#include "common/shell.h"
#include "photographer/shoot/planche_eleves.h"
#include "photographer/data/dossiers_etab.h"
#include "photographer/data/etat.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTimer>

#include <optional>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

// After the filing: the student's row names the camera file, which leaves
// the watched folder. "" when both were done, else the French message.
QString photoRangee(const roster::Eleve& eleve, const camera_files::Entry& fichier)
{
    try {
        if (!roster::enregistrerNomPhoto(eleve.cle, fichier.name()))
            return QStringLiteral("L'élève %1 %2 n'est plus dans la base : sa photo a été classée mais "
                                  "n'est rattachée à aucun élève. La prise de vues est arrêtée.")
                .arg(eleve.prenom, eleve.nom);
    } catch (const db::Error& error) {
        return report::logged(error);
    }
    // Filed is filed: a camera file that cannot be removed is never filed again.
    capture::WatchedFolder::markFiled(fichier);
    if (!camera_files::remove(fichier.rawPath))
        return QStringLiteral("Le fichier %1 n'a pas pu être retiré du dossier de réception : la prise "
                              "de vues est arrêtée.")
            .arg(QDir::toNativeSeparators(fichier.path()));
    return {};
}

// Whether the student's files, and a namesake's that bear the same names, may be replaced.
bool remplacementAccepte(const roster::Eleve& eleve, const capture::Destinations& destinations)
{
    if (FichierExiste(destinations.picture)
        && dialogs::message(QStringLiteral("Souhaitez vous remplacer l'image existante ?"), dialogs::Icon::Question,
                            dialogs::Buttons::YesNo) != dialogs::Answer::Yes)
        return false;

    // The archive and low-resolution copies are named by class and names:
    // a namesake's picture there is not replaced without asking.
    std::vector<roster::Eleve> homonymes;
    try {
        homonymes = roster::homonymes(etat::CodeEtabEnCours, eleve);
    } catch (const db::Error& error) {
        report::failure(error);
        return false;
    }
    for (const roster::Eleve& autre : homonymes) {
        const capture::Destinations siennes = capture::destinations(
            dossiers_etab::de(etat::NomEtabEnCours), autre.classe, autre.nom, autre.prenom, autre.cle);
        for (const QString& fichier : {destinations.archive, destinations.lowRes, destinations.lowRes3}) {
            if ((fichier == siennes.archive || fichier == siennes.lowRes || fichier == siennes.lowRes3)
                && FichierExiste(fichier)) {
                const QString question =
                    QStringLiteral("Le fichier %1 peut contenir la photo de %2 %3 (classe %4), qui porte les mêmes "
                                   "nom et prénom. Souhaitez vous le remplacer ?")
                        .arg(QDir::toNativeSeparators(fichier), autre.prenom, autre.nom, autre.classe);
                return dialogs::message(question, dialogs::Icon::Question, dialogs::Buttons::YesNo)
                       == dialogs::Answer::Yes;
            }
        }
    }
    return true;
}

} // namespace

PriseDeVue::PriseDeVue(PlancheEleves* planche, QObject* parent) : QObject(parent), planche_(planche)
{
    TimerHot_ = new QTimer(this);
    TimerHot_->setObjectName(QStringLiteral("TimerHot"));
    TimerHot_->setInterval(1000);
    connect(TimerHot_, &QTimer::timeout, this, &PriseDeVue::TimerHot_Timer);
}

void PriseDeVue::demarrer()
{
    // A camera file that cannot be removed after its filing would hold up the
    // folder: the capture does not start on a folder it cannot empty.
    if (!etat::DossierHot.isEmpty() && ::access(QFile::encodeName(etat::DossierHot).constData(), W_OK | X_OK) != 0) {
        dialogs::message(QStringLiteral("Le dossier de réception des photos %1 n'est pas accessible en écriture : "
                                        "la prise de vues ne peut pas commencer.")
                             .arg(QDir::toNativeSeparators(etat::DossierHot)),
                         dialogs::Icon::Critical);
        Q_EMIT arretDemande();
        return;
    }
    TimerHot_->start();
    Q_EMIT demarree();
}

void PriseDeVue::arreter()
{
    TimerHot_->stop();
    watched_.forget();
}

void PriseDeVue::suspendre()
{
    TimerHot_->stop();
}

bool PriseDeVue::enCours() const
{
    return TimerHot_->isActive();
}

void PriseDeVue::TimerHot_Timer()
{
    if (tickEnCours_)
        return;
    const int slot = planche_->marque();
    if (slot < 0 || etat::DossierHot.isEmpty())
        return;
    const std::optional<capture::WatchedFolder::Candidate> fichier = watched_.nextCandidate(etat::DossierHot);
    if (!fichier)
        return;

    // A crash between the student's row and the removal of the camera file leaves it in the
    // folder: the students whose row names it say where it may already be archived.
    std::vector<roster::Eleve> dejaNommes;
    try {
        dejaNommes = roster::elevesDeLaPhoto(etat::CodeEtabEnCours, fichier->file.name());
    } catch (const db::Error& error) {
        photoClassee(slot, {}, {}, report::logged(error));
        return;
    }
    tickEnCours_ = true;
    const dossiers_etab::Dossiers etab = dossiers_etab::de(etat::NomEtabEnCours);
    QStringList archives;
    for (const roster::Eleve& autre : dejaNommes) {
        // The board's class, as its button spells it, named the archive of its students.
        const QString classe =
            autre.classe.compare(etat::ClasseEnCours, Qt::CaseInsensitive) == 0 ? etat::ClasseEnCours : autre.classe;
        archives << capture::destinations(etab, classe, autre.nom, autre.prenom, autre.cle).archive;
    }
    const roster::Eleve eleve = planche_->eleves()[std::size_t(slot)];
    const capture::Destinations destinations =
        capture::destinations(etab, etat::ClasseEnCours, eleve.nom, eleve.prenom, eleve.cle);
    // The camera file is read and decoded once, off the window's thread; nothing is put in place
    // before the replacement questions.
    capture::prepareAsync(
        this, *fichier, capture::rotationDegrees(etat::SensPriseDeVue, importManuel_), destinations, archives,
        [this, slot, eleve, fichier = fichier->file, destinations, dejaNommes](const capture::Prepared& lu) {
            // Stopped meanwhile: nothing was put in place, the file is looked at afresh at the next start.
            if (!enCours()) {
                tickEnCours_ = false;
                return;
            }
            switch (lu.state) {
            case capture::Prepared::State::NotYet:
                tickEnCours_ = false;
                return;
            case capture::Prepared::State::Refused:
                photoClassee(slot, eleve, destinations, lu.error);
                return;
            case capture::Prepared::State::AlreadyFiled:
                retirerDejaClassee(fichier, dejaNommes[std::size_t(lu.filedAs)]);
                return;
            case capture::Prepared::State::Ready:
                classer(slot, eleve, fichier, destinations, lu);
                return;
            }
        });
}

void PriseDeVue::classer(int slot, const roster::Eleve& eleve, const camera_files::Entry& fichier,
                         const capture::Destinations& destinations, const capture::Prepared& lu)
{
    Q_EMIT avancement(1, true);
    // The questions wait for an answer while events run: the screen may be
    // closed meanwhile, and this object with it.
    QPointer<PriseDeVue> prise(this);
    const bool accepte = remplacementAccepte(eleve, destinations);
    if (!prise)
        return;
    if (!accepte || !planche_->montre(slot, eleve.cle)) {
        tickEnCours_ = false;
        Q_EMIT avancement(1, false);
        Q_EMIT arretDemande();
        return;
    }
    Q_EMIT avancement(4, true);
    // The filing runs off the window's thread; its end is handled even when
    // the screen was closed meanwhile, so that the student's row and the
    // watched folder always agree with the files written.
    capture::placeAsync(qApp, lu, destinations,
        [prise, slot, eleve, fichier, destinations](const capture::Filed& classee) {
            const QString echec = classee.error.isEmpty() ? photoRangee(eleve, fichier) : classee.error;
            if (prise && !classee.keptOriginal.isEmpty())
                prise->originauxGardes_ << QDir::toNativeSeparators(classee.keptOriginal);
            if (prise)
                prise->photoClassee(slot, eleve, destinations, echec);
            else if (!echec.isEmpty())
                dialogs::message(echec, dialogs::Icon::Critical);
        });
}

void PriseDeVue::retirerDejaClassee(const camera_files::Entry& fichier, const roster::Eleve& proprietaire)
{
    capture::WatchedFolder::markFiled(fichier);
    const bool retiree = camera_files::remove(fichier.rawPath);
    const QString pour = QStringLiteral("La photo %1 avait déjà été classée pour %2 %3 (classe %4)")
                             .arg(QDir::toNativeSeparators(fichier.path()), proprietaire.nom, proprietaire.prenom,
                                  proprietaire.classe);
    // The mark stays where it is: the next picture goes to the student marked now.
    QPointer<PriseDeVue> prise(this);
    if (retiree)
        dialogs::message(pour + QStringLiteral(" : elle a été retirée du dossier de réception sans être classée "
                                               "une seconde fois."),
                         dialogs::Icon::Information);
    else
        dialogs::message(pour + QStringLiteral(" : elle ne sera pas classée une seconde fois, mais elle n'a pas pu "
                                               "être retirée du dossier de réception."),
                         dialogs::Icon::Exclamation);
    if (prise)
        tickEnCours_ = false;
}

void PriseDeVue::photoClassee(int slot, const roster::Eleve& eleve, const capture::Destinations& destinations,
                              const QString& erreur)
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
    // The mark moves on only when the capture is still on and nobody moved it.
    if (!memeCase || !enCours() || planche_->marque() != slot)
        return;
    if (slot + 1 > planche_->dernierIndice())
        Q_EMIT finDeClasse(std::exchange(originauxGardes_, {}));
    else
        Q_EMIT marqueSuivante(slot + 1);
}

void PriseDeVue::MNU_Test_Prise_vue_Click()
{
    if (planche_->marque() < 0 || etat::DossierHot.isEmpty())
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
