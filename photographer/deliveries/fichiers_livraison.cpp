#include "photographer/deliveries/fichiers_livraison.h"

#include "common/files.h"
#include "common/form.h"
#include "common/paths.h"
#include "photographer/workspace/etablissements.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include <cstdio>

namespace livraison {

DossiersEtablissement dossiersEtablissement(const QString& nomEtab)
{
    const QStringList dossiers = etablissements::dossiers(nomEtab);
    return {dossiers.value(0), dossiers.value(1), dossiers.value(2), dossiers.value(3)};
}

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
        if (!files::replaceWithCopy(copie.source, copie.cible)) {
            std::fprintf(stderr, "copie impossible : %s -> %s\n", qPrintable(copie.source), qPrintable(copie.cible));
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
    if (!detail.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(detail));
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
