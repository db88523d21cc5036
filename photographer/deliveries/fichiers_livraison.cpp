#include "photographer/deliveries/fichiers_livraison.h"

#include "common/files.h"
#include "common/paths.h"
#include "common/report.h"
#include "common/ui/form.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace livraison {

QString racineAGraver()
{
    return paths::join(paths::desktop(), {QStringLiteral("A Graver")});
}

QString racineLabo()
{
    return paths::join(paths::desktop(), {QStringLiteral("labo")});
}

QString refusNom(const QString& nomEtab)
{
    const QString refus = paths::componentRefusal(nomEtab);
    if (refus.isEmpty())
        return {};
    return QStringLiteral("L'établissement « %1 » ne peut pas être livré : %2").arg(nomEtab, refus);
}

QStringList fichiersVisibles(const QString& dossier)
{
    const QFileInfoList entrees = QDir(dossier).entryInfoList(QDir::Files, QDir::Name);
    QStringList noms;
    noms.reserve(entrees.size());
    for (const QFileInfo& entree : entrees)
        noms.append(entree.fileName());
    return noms;
}

namespace {

// The bytes of one open file into another: in the kernel where it can,
// else through a buffer (another file system on an older kernel).
bool copierContenu(int entree, int sortie)
{
    bool premier = true;
    for (;;) {
        const ssize_t faits = ::copy_file_range(entree, nullptr, sortie, nullptr, 1 << 30, 0);
        if (faits == 0)
            return true;
        if (faits > 0) {
            premier = false;
            continue;
        }
        if (!premier || (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP))
            return false;
        break;
    }
    char tampon[1 << 16];
    for (;;) {
        const ssize_t lus = ::read(entree, tampon, sizeof tampon);
        if (lus == 0)
            return true;
        if (lus < 0)
            return false;
        for (ssize_t ecrits = 0; ecrits < lus;) {
            const ssize_t n = ::write(sortie, tampon + ecrits, size_t(lus - ecrits));
            if (n <= 0)
                return false;
            ecrits += n;
        }
    }
}

// Copies into a file that does not exist yet, as a plain copy does: the
// delivery folders are emptied first, so most copies replace nothing and
// need neither the temporary file nor the rename of a replacing copy.
bool copierVersNouveau(const QString& source, const QString& cible)
{
    const int entree = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (entree < 0)
        return false;
    const int sortie = ::open(QFile::encodeName(cible).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (sortie < 0) {
        ::close(entree);
        return false;
    }
    bool ok = copierContenu(entree, sortie);
    ok = ::close(sortie) == 0 && ok;
    ::close(entree);
    if (!ok)
        QFile::remove(cible);
    return ok;
}

} // namespace

QString copier(const std::vector<Copie>& copies, const std::function<void(int)>& apres)
{
    int faites = 0;
    for (const Copie& copie : copies) {
        const bool nouveau = !QFileInfo::exists(copie.cible);
        if (!(nouveau ? copierVersNouveau(copie.source, copie.cible) : files::copyWhole(copie.source, copie.cible).isEmpty())) {
            report::detail(QStringLiteral("copie impossible : %1 -> %2").arg(copie.source, copie.cible));
            return QStringLiteral("Le fichier « %1 » n'a pas pu être copié vers « %2 ».")
                .arg(QDir::toNativeSeparators(copie.source), QDir::toNativeSeparators(copie.cible));
        }
        if (apres)
            apres(++faites);
    }
    return {};
}

QString creerDossier(const QString& dossier)
{
    if (paths::ensureFolder(dossier))
        return {};
    return QStringLiteral("Le dossier « %1 » n'a pas pu être créé.").arg(QDir::toNativeSeparators(dossier));
}

QString supprimerDossierTransfert(const QString& dossier)
{
    if (!QFileInfo::exists(dossier) || QDir(dossier).removeRecursively())
        return {};
    return QStringLiteral("L'ancien dossier « %1 » n'a pas pu être supprimé entièrement : un de ses fichiers est "
                          "peut-être ouvert dans un autre programme.")
        .arg(QDir::toNativeSeparators(dossier));
}

QString ecritureImpossible(const QString& fichier, const QString& detail)
{
    report::detail(detail);
    return QStringLiteral("Le fichier « %1 » n'a pas pu être écrit.").arg(QDir::toNativeSeparators(fichier));
}

void finirProgramme()
{
    // A form's unload may show another (the shooting screen shows the main
    // window): go round until none is left.
    for (int passe = 0; passe < 4 && Form::loadedCount() > 0; ++passe) {
        for (QWidget* fenetre : QApplication::topLevelWidgets()) {
            if (auto* form = qobject_cast<Form*>(fenetre); form && !form->isUnloaded())
                form->unload();
        }
    }
}

} // namespace livraison
