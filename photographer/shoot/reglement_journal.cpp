#include "photographer/shoot/reglement_journal.h"

#include "common/database.h"
#include "common/report.h"
#include "photographer/shoot/camera_files.h"

#include <QDir>
#include <QFile>

namespace reglement_journal {

namespace {

using journal_classement::Classement;

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// What the worker made of a filing not done.
struct Reprise {
    bool complete = false;
    bool cameraLa = false; // the camera file was still in the watched folder
    QString echec;         // why it could not be completed
    QString nonDefait;     // what could not be undone
    QString misDeCote;     // where the camera file was set aside
};

// The camera's bytes as the record knows them: from the camera file, else from its archive copy
// when the crash came after that was put in place. Empty when neither holds them.
QByteArray octetsDeLAppareil(const Classement& c, bool& cameraLa)
{
    QByteArray bytes;
    cameraLa = camera_files::read(c.fichier, bytes) && digest::fingerprint(bytes) == c.camera;
    if (cameraLa)
        return bytes;
    if (camera_files::read(QFile::encodeName(c.destinations.archive), bytes) && digest::fingerprint(bytes) == c.camera)
        return bytes;
    return {};
}

Reprise reprendre(const Classement& c, bool eleveLa)
{
    Reprise reprise;
    const QByteArray octets = octetsDeLAppareil(c, reprise.cameraLa);
    if (eleveLa && !octets.isEmpty()) {
        const capture::Prepared lu = capture::prepareBytes(octets, c.nomFichier(), c.degres, c.destinations);
        reprise.echec = lu.state == capture::Prepared::State::Ready
                            ? capture::place(lu, c.destinations, c.originalGarde).error
                            : lu.error;
        reprise.complete = reprise.echec.isEmpty();
        if (reprise.complete)
            return reprise;
    }
    reprise.nonDefait = capture::undo(c.destinations, c.camera, c.photo, c.originalGarde);
    if (reprise.nonDefait.isEmpty() && reprise.cameraLa)
        reprise.misDeCote = camera_files::setAside(c.fichier, octets, c.destinations.unfiled, reprise.nonDefait);
    return reprise;
}

QString debut(const Classement& c)
{
    return QStringLiteral("La photo %1, interrompue par un arrêt brutal, ").arg(c.nomFichier());
}

Issue effacer(const Classement& c, const QString& message)
{
    try {
        journal_classement::effacer({c.cle});
    } catch (const db::Error& error) {
        return {message + u'\n' + report::logged(error), false};
    }
    return {message, true};
}

// After the worker: the student's row and the removal of the camera file for a completed filing.
Issue conclure(const Classement& c, bool eleveLa, const Reprise& reprise)
{
    if (reprise.complete) {
        try {
            if (!journal_classement::terminer(c))
                return {debut(c) + QStringLiteral("devait être classée pour %1, qui n'est plus dans la base.").arg(c.eleve()),
                        false};
        } catch (const db::Error& error) {
            return {report::logged(error), false};
        }
        if (!camera_files::leftForGood(camera_files::removeIfHolds(c.fichier, c.camera)))
            return {debut(c) + QStringLiteral("a été classée pour %1, mais elle n'a pas pu être retirée du dossier de "
                                              "réception : retirez-la avant de reprendre la prise de vues.")
                                   .arg(c.eleve()),
                    false};
        return effacer(c, debut(c) + QStringLiteral("a été classée pour %1.").arg(c.eleve()));
    }
    QString message = debut(c) + QStringLiteral("devait être classée pour %1").arg(c.eleve());
    if (!eleveLa)
        message += QStringLiteral(", qui n'est plus dans la base.");
    else if (reprise.echec.isEmpty())
        message += QStringLiteral(", mais elle n'est plus dans le dossier de réception ni dans l'archive.");
    else
        message += QStringLiteral(" : ") + reprise.echec;
    if (!reprise.nonDefait.isEmpty())
        return {message + QStringLiteral("\nSon classement n'a pas pu être annulé : ") + reprise.nonDefait, false};
    message += QStringLiteral("\nSon classement a été annulé.");
    if (!reprise.misDeCote.isEmpty())
        message += QStringLiteral(" La photo a été mise de côté dans « %1 ».").arg(shown(reprise.misDeCote));
    return effacer(c, message);
}

// A filing done: only its camera file may be left in the watched folder; a new shot under its name
// stays for the capture.
Issue retirer(const Classement& c)
{
    const camera_files::Removal retrait = camera_files::removeIfHolds(c.fichier, c.camera);
    if (retrait == camera_files::Removal::NotRemoved)
        return {QStringLiteral("La photo %1 avait été classée pour %2, mais elle n'a pas pu être retirée du dossier de "
                               "réception : retirez-la avant de reprendre la prise de vues.")
                    .arg(c.nomFichier(), c.eleve()),
                false};
    // Perhaps removed before the crash, before its folder was synced: the record stays while the file
    // could still come back.
    if (retrait == camera_files::Removal::NotSynced)
        return {QStringLiteral("La photo %1 avait été classée pour %2, mais son retrait du dossier de réception n'a "
                               "pas pu être confirmé sur le disque : la prise de vues est arrêtée.")
                    .arg(c.nomFichier(), c.eleve()),
                false};
    return effacer(c, retrait == camera_files::Removal::Removed
                          ? QStringLiteral("La photo %1 avait été classée pour %2 avant un arrêt brutal : elle a été "
                                           "retirée du dossier de réception sans être classée une seconde fois.")
                                .arg(c.nomFichier(), c.eleve())
                          : QString());
}

// A filing whose paths name folders that are no longer its establishment's: nothing is written
// or undone there, and the camera file waits aside where the establishment's own go now.
Issue ecarter(const Classement& c)
{
    QString message = debut(c) + QStringLiteral("devait être classée pour %1, mais %2").arg(c.eleve(), c.ailleurs);
    if (c.plusTard)
        return {message + QStringLiteral(". Elle sera classée ensuite."), false};
    message += QStringLiteral(" : elle n'a pas été classée, et ce que son classement avait déjà écrit est resté où il "
                              "était.");
    if (digest::holds(c.fichier, c.camera)) {
        QString erreur;
        const QString garde = camera_files::setAside(c.fichier, c.destinations.unfiled, erreur);
        if (garde.isEmpty())
            return {message + u'\n' + erreur, false};
        message += QStringLiteral(" La photo a été mise de côté dans « %1 ».").arg(shown(garde));
    }
    return effacer(c, message);
}

} // namespace

void regler(QObject* context, const Classement& c, std::function<void(const Issue&)> done)
{
    if (c.fait) {
        done(retirer(c));
        return;
    }
    // Not done, its camera file may only have been on its way to "non classées" when the cut came:
    // it is taken up again from the watched folder.
    if (!camera_files::putBack(c.fichier)) {
        done({debut(c) + QStringLiteral("n'a pas pu être remise dans le dossier de réception : la prise de vues "
                                        "est arrêtée."),
              false});
        return;
    }
    if (!c.ailleurs.isEmpty()) {
        done(ecarter(c));
        return;
    }
    bool eleveLa = false;
    try {
        eleveLa = journal_classement::eleveExiste(c);
    } catch (const db::Error& error) {
        done({report::logged(error), false});
        return;
    }
    capture::onWorker(context, [c, eleveLa, done = std::move(done)]() -> std::function<void()> {
        const Reprise reprise = reprendre(c, eleveLa);
        return [c, eleveLa, reprise, done] { done(conclure(c, eleveLa, reprise)); };
    });
}

} // namespace reglement_journal
