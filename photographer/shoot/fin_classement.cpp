#include "photographer/shoot/fin_classement.h"

#include "common/database.h"
#include "common/report.h"

#include <QDir>
#include <QFile>

namespace fin_classement {

int& enVol()
{
    static int filings = 0;
    return filings;
}

QList<qint64>& finis()
{
    static QList<qint64> cles;
    return cles;
}

Fin finir(const journal_classement::Classement& c, const capture::Filed& classee, const camera_files::Version& lu)
{
    if (!classee.error.isEmpty()) {
        // Nothing of it is kept: the camera file stays for the student the photographer marks next.
        if (c.cle == 0)
            return {classee.error};
        const QString nonDefait = capture::undo(c.destinations, c.camera, c.photo, c.originalGarde);
        if (!nonDefait.isEmpty())
            return {classee.error + u'\n' + nonDefait};
        try {
            journal_classement::effacer({c.cle});
        } catch (const db::Error& error) {
            return {classee.error + u'\n' + report::logged(error)};
        }
        return {classee.error};
    }
    try {
        if (!journal_classement::terminer(c))
            return {QStringLiteral("L'élève %1 %2 n'est plus dans la base : sa photo n'a pas été classée. La prise de "
                                   "vues est arrêtée.")
                        .arg(c.prenom, c.nom)};
        // Only the bytes filed leave: a new shot written under the same name meanwhile is taken as one.
        const camera_files::Removal retrait = camera_files::removeIfHolds(c.fichier, c.camera, lu);
        if (retrait == camera_files::Removal::Grown) {
            finis() << c.cle;
            return {{}, true};
        }
        if (!camera_files::leftForGood(retrait))
            return {QStringLiteral("Le fichier %1 n'a pas pu être retiré du dossier de réception : la prise "
                                   "de vues est arrêtée.")
                        .arg(QDir::toNativeSeparators(QFile::decodeName(c.fichier)))};
    } catch (const db::Error& error) {
        return {report::logged(error)};
    }
    finis() << c.cle;
    return {};
}

void effacerFinis()
{
    if (!finis().isEmpty() && report::attempt([] { journal_classement::effacer(finis()); }))
        finis().clear();
}

} // namespace fin_classement
