#include "photographer/shoot/prise_de_vue.h"

#include "common/database.h"
#include "common/dialogs.h"
#include "common/files.h"
#include "common/helpers.h"
#include "common/paths.h"
#include "common/report.h"
#include "common/shell.h"
#include "photographer/shoot/planche_eleves.h"
#include "photographer/workspace/etat.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

#include <vector>

PriseDeVue::PriseDeVue(PlancheEleves* planche, QObject* parent) : QObject(parent), planche_(planche)
{
    TimerHot_ = new QTimer(this);
    TimerHot_->setObjectName(QStringLiteral("TimerHot"));
    TimerHot_->setInterval(1000);
    connect(TimerHot_, &QTimer::timeout, this, &PriseDeVue::TimerHot_Timer);
}

void PriseDeVue::demarrer()
{
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
    const QString fichier = watched_.nextCompleteFile(etat::DossierHot);
    if (fichier.isEmpty())
        return;

    tickEnCours_ = true;
    Q_EMIT avancement(1, true);
    const roster::Eleve eleve = planche_->eleves()[std::size_t(slot)];
    const capture::Destinations destinations =
        capture::destinations(etat::CheminDonnees, etat::NomEtabEnCours, etat::DossierArchiveHD,
                              etat::ClasseEnCours, eleve.nom, eleve.prenom, eleve.cle);
    if (!remplacementAccepte(eleve, destinations)) {
        tickEnCours_ = false;
        Q_EMIT avancement(1, false);
        Q_EMIT arretDemande();
        return;
    }
    Q_EMIT avancement(4, true);
    // The filing runs off the window's thread; its end is handled even when
    // the screen was closed meanwhile, so that the student's row and the
    // watched folder always agree with the files written.
    QPointer<PriseDeVue> prise(this);
    capture::filePictureAsync(
        qApp, fichier, capture::rotationDegrees(etat::SensPriseDeVue, etat::ImportManuel), destinations,
        [prise, slot, eleve, fichier, destinations](const QString& erreur) {
            QString echec = erreur;
            if (echec.isEmpty()) {
                try {
                    roster::enregistrerNomPhoto(eleve.cle, QFileInfo(fichier).fileName());
                } catch (const db::Error& error) {
                    echec = report::logged(error);
                }
            }
            if (echec.isEmpty() && !QFile::remove(fichier))
                echec = QStringLiteral("Le fichier %1 n'a pas pu être retiré du dossier de réception : la prise "
                                       "de vues est arrêtée.").arg(QDir::toNativeSeparators(fichier));
            if (prise)
                prise->photoClassee(slot, eleve, destinations, echec);
            else if (!echec.isEmpty())
                dialogs::message(echec, dialogs::Icon::Critical);
        });
}

bool PriseDeVue::remplacementAccepte(const roster::Eleve& eleve, const capture::Destinations& destinations)
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
        const capture::Destinations siennes =
            capture::destinations(etat::CheminDonnees, etat::NomEtabEnCours, etat::DossierArchiveHD, autre.classe,
                                  autre.nom, autre.prenom, autre.cle);
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
    const bool memeCase = slot <= planche_->dernierIndice() && planche_->eleves()[std::size_t(slot)].cle == eleve.cle;
    if (memeCase)
        planche_->afficherPhoto(slot, destinations.picture);
    // The mark moves on only when the capture is still on and nobody moved it.
    if (!memeCase || !enCours() || planche_->marque() != slot)
        return;
    if (slot + 1 > etat::NbElevesClasse)
        Q_EMIT finDeClasse();
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
    if (!files::replaceWithCopy(source, cible)) {
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
    if (etat::DossierHot.isEmpty())
        return;
    const QDir dossier(etat::DossierHot);
    for (const QString& nom : dossier.entryList(QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(dossier.filePath(nom));
}

void PriseDeVue::MNU_Net_hot_Click()
{
    if (etat::DossierHot.isEmpty())
        return;
    const QDir dossier(etat::DossierHot);
    for (const QString& nom : dossier.entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(dossier.filePath(nom));
}

bool PriseDeVue::basculerImportManuel()
{
    etat::ImportManuel = !etat::ImportManuel;
    etat::PriseDeVuePrete = etat::ImportManuel;
    if (etat::ImportManuel)
        shell::service().open(etat::DossierHot);
    return etat::ImportManuel;
}
