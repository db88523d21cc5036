#include "photographer/deliveries/livraison.h"

#include "common/files.h"
#include "common/paths.h"
#include "common/report.h"
#include "common/ui/form.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

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

QString copier(const std::vector<Copie>& copies, const std::function<void(int)>& apres)
{
    int faites = 0;
    for (const Copie& copie : copies) {
        if (QString erreur = files::copyWhole(copie.source, copie.cible, files::Sync::InBuiltFolder); !erreur.isEmpty())
            return erreur;
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

QString construireAPart(const QString& livre, const std::function<QString(const QString&)>& construire)
{
    // What stands in the way is named as it is on the disk: it may be hidden.
    if (QString erreur = files::startBuildingAside(livre); !erreur.isEmpty())
        return erreur;
    const QString chantier = files::builtAsideFor(livre);
    QString erreur = construire(chantier);
    if (erreur.isEmpty() && !files::syncFileSystem(chantier))
        erreur = QStringLiteral("Le dossier « %1 » n'a pas pu être écrit entièrement sur le disque.")
                     .arg(QDir::toNativeSeparators(livre));
    if (erreur.isEmpty())
        erreur = files::replaceFolder(livre);
    files::dropBuiltAside(livre);
    return nomLivre(erreur, chantier, livre);
}

QString nomLivre(QString message, const QString& travail, const QString& livre)
{
    return message.replace(QDir::toNativeSeparators(travail), QDir::toNativeSeparators(livre));
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
