#include "photographer/shoot/attente_prise.h"

#include "photographer/data/etat.h"

#include <QDir>

namespace {

using capture::WatchedFolder;

// A file a program keeps open for writing this long is no shot being written: the photographer
// must act, as for a file cut short.
constexpr qint64 kDireEnBoiteApres = WatchedFolder::kStillBeforeCutShort;

} // namespace

QString AttentePrise::ligne(const WatchedFolder::Waiting& attente)
{
    const QString nom = attente.file.name();
    switch (attente.why) {
    case WatchedFolder::Wait::Written:
        return QStringLiteral("La photo « %1 » est encore écrite par un autre programme : la prise de vues l'attend.")
            .arg(nom);
    case WatchedFolder::Wait::NotWhole:
        return QStringLiteral("La photo « %1 » n'est pas encore complète : la prise de vues l'attend.").arg(nom);
    case WatchedFolder::Wait::Unreadable:
        return QStringLiteral("La photo « %1 » ne peut pas être lue (droits du fichier) : la prise de vues l'attend. "
                              "Rendez-la lisible, ou retirez-la du dossier de réception.")
            .arg(nom);
    }
    return {};
}

AttentePrise::Dire AttentePrise::apres(const std::optional<WatchedFolder::Waiting>& attente, qint64 maintenant)
{
    if (!attente || maintenant - attente->since < WatchedFolder::kSayWaitingAfter)
        return {};
    Dire dire{ligne(*attente), {}};
    if (attente->why == WatchedFolder::Wait::Written && maintenant - attente->since >= kDireEnBoiteApres
        && ditEnBoite_ != attente->file.rawPath) {
        ditEnBoite_ = attente->file.rawPath;
        dire.boite = QStringLiteral("La photo « %1 » est ouverte en écriture par un autre programme depuis plus de "
                                    "trois minutes : la prise de vues l'attend, et les photos suivantes avec elle. "
                                    "Fermez ce programme, ou sortez ce fichier du dossier de réception %2.")
                         .arg(attente->file.name(), QDir::toNativeSeparators(etat::DossierHot));
    }
    return dire;
}

void AttentePrise::oublier()
{
    ditEnBoite_.clear();
}
