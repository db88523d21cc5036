#include "school/data/procedures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool EstPair(qint32 n)
{
    return (n & 1) == 0;
}

bool SupprimerDossier(const QString& chemin)
{
    // A trailing separator would make the link test look through the link.
    const QString dossier = QDir::cleanPath(chemin);
    const QFileInfo info(dossier);
    if (info.isSymLink())
        return QFile::remove(dossier);
    if (!info.isDir())
        return false;
    const QFileInfoList entrees = QDir(dossier).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& entree : entrees) {
        const bool retiree = entree.isDir() && !entree.isSymLink()
                                 ? SupprimerDossier(entree.filePath())
                                 : QFile::remove(entree.filePath());
        if (!retiree)
            return false;
    }
    return QDir().rmdir(dossier);
}
