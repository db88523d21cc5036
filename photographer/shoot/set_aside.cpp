#include "photographer/shoot/set_aside.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <vector>

#include <sys/statvfs.h>
#include <unistd.h>

namespace set_aside {

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// The move gives no reason of its own: the folder is looked at once it failed, from the nearest
// of it and its parents that exists, as a folder not made yet fails through its parent.
struct Obstacle {
    enum class Genre { Inconnu, LectureSeule, DisquePlein };
    Genre genre = Genre::Inconnu;
    QString dossier;
};

Obstacle obstacle(const QString& dossier, qint64 taille)
{
    QString existant = QFileInfo(dossier).absoluteFilePath();
    while (!QFileInfo(existant).isDir() && QFileInfo(existant).absolutePath() != existant)
        existant = QFileInfo(existant).absolutePath();
    const QByteArray chemin = QFile::encodeName(existant);
    if (::access(chemin.constData(), W_OK | X_OK) != 0 && (errno == EROFS || errno == EACCES || errno == EPERM))
        return {Obstacle::Genre::LectureSeule, existant};
    struct statvfs disque {};
    if (::statvfs(chemin.constData(), &disque) == 0) {
        const qint64 bloc = std::max<qint64>(qint64(disque.f_frsize), 1);
        // The file's blocks and one for the folder's entry.
        const qint64 besoin = (std::max<qint64>(taille, 0) + bloc - 1) / bloc * bloc + bloc;
        if (qint64(disque.f_bavail) * bloc < besoin)
            return {Obstacle::Genre::DisquePlein, existant};
    }
    return {Obstacle::Genre::Inconnu, existant};
}

std::vector<Declinee>& declinees()
{
    static std::vector<Declinee> fichiers;
    return fichiers;
}

} // namespace

QString decliner(const camera_files::Entry& fichier, const roster::Eleve& eleve, const QString& nonClassees)
{
    const QString refus = QStringLiteral("La photo « %1 » n'a pas remplacé celle de %2 %3 : elle n'a pas été classée.")
                              .arg(shown(fichier.path()), eleve.nom, eleve.prenom);
    oublier(fichier);
    declinees().push_back({fichier, refus, nonClassees});
    return refus;
}

std::optional<Declinee> declinee(const camera_files::Entry& fichier)
{
    const auto it = std::find_if(declinees().begin(), declinees().end(),
                                 [&](const Declinee& d) { return d.fichier == fichier; });
    return it == declinees().end() ? std::nullopt : std::optional<Declinee>(*it);
}

void oublier(const camera_files::Entry& fichier)
{
    std::erase_if(declinees(), [&](const Declinee& d) { return d.fichier == fichier; });
}

QString arret(const QString& refus, const camera_files::Entry& fichier, const QString& dossier,
              const QString& dossierHot)
{
    const Obstacle o = obstacle(dossier, fichier.size);
    QString cause, remede;
    switch (o.genre) {
    case Obstacle::Genre::LectureSeule:
        cause = QStringLiteral(" : le dossier « %1 » est en lecture seule").arg(shown(o.dossier));
        remede = QStringLiteral("Rendez ce dossier accessible en écriture");
        break;
    case Obstacle::Genre::DisquePlein:
        cause = QStringLiteral(" : le disque qui porte « %1 » est plein").arg(shown(o.dossier));
        remede = QStringLiteral("Libérez de la place sur ce disque");
        break;
    case Obstacle::Genre::Inconnu:
        remede = QStringLiteral("Vérifiez ce dossier");
        break;
    }
    return refus + u'\n'
           + QStringLiteral("Elle n'a pas pu être mise de côté dans « %1 »%2.\n").arg(shown(dossier), cause)
           + QStringLiteral("La prise de vues est arrêtée : tant que cette photo reste dans le dossier de réception, "
                            "les suivantes attendent.\n")
           + QStringLiteral("%1, ou retirez la photo « %2 » du dossier de réception « %3 », puis cliquez sur l'élève à "
                            "photographier pour reprendre la prise de vues.")
                 .arg(remede, fichier.name(), shown(dossierHot));
}

} // namespace set_aside
