#include "common/paths.h"

#include "common/report.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace paths {

namespace {
QString& programDirOverride()
{
    static QString folder;
    return folder;
}
} // namespace

QString driveRoot()
{
    const QString root = qEnvironmentVariable("SCHOOLPHOTO_ROOT");
    return root.isEmpty() ? QDir::homePath() : QDir::cleanPath(root);
}

namespace {
// A folder that cannot be made is told by the first write into it, which
// names the file; the detail here helps to see why.
QString ensured(const QString& folder)
{
    if (!ensureFolder(folder))
        report::detail(QStringLiteral("dossier %1 impossible à créer").arg(folder));
    return folder;
}
} // namespace

QString desktop()
{
    return ensured(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

QString programDir()
{
    if (!programDirOverride().isEmpty())
        return programDirOverride();
    return QCoreApplication::applicationDirPath();
}

QString dataDir()
{
    return ensured(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

void setProgramDirForTests(const QString& folder)
{
    programDirOverride() = folder;
}

QString join(const QString& base, const QStringList& components)
{
    QString path = base;
    for (const QString& part : components) {
        if (part.isEmpty())
            continue;
        if (!path.endsWith(u'/'))
            path += u'/';
        path += part;
    }
    return path;
}

QString onDrive(const QStringList& components)
{
    return join(driveRoot(), components);
}

QString component(const QString& name)
{
    QString result = name;
    result.replace(u'/', u'_');
    result.replace(QChar(u'\0'), u'_');
    return result;
}

QString componentRefusal(const QString& name)
{
    const QString part = component(name);
    if (part.trimmed().isEmpty())
        return QStringLiteral("Le nom ne peut pas être vide.");
    if (part == u"." || part == u"..")
        return QStringLiteral("Le nom « %1 » ne peut pas servir de nom de dossier.").arg(name);
    return {};
}

bool ensureFolder(const QString& path)
{
    return QDir().mkpath(path) && QFileInfo(path).isDir();
}

} // namespace paths
