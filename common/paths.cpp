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

bool namesFolder(const QString& name)
{
    const QString part = component(name);
    return !part.trimmed().isEmpty() && part != u"." && part != u"..";
}

namespace {

bool isControl(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:       // C0, DEL and C1
    case QChar::Separator_Line:      // U+2028
    case QChar::Separator_Paragraph: // U+2029
        return true;
    default:
        return false;
    }
}

// The first control character of the name, as the user knows it.
QString controlCharacter(const QString& name)
{
    for (const QChar c : name) {
        if (!isControl(c))
            continue;
        switch (c.unicode()) {
        case u'\n':
        case u'\r':
        case 0x0085:
        case 0x2028:
        case 0x2029:
            return QStringLiteral("un saut de ligne");
        case u'\t':
            return QStringLiteral("une tabulation");
        case 0:
            return QStringLiteral("un caractère nul");
        default:
            return QStringLiteral("un caractère de contrôle (U+%1)")
                .arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0'));
        }
    }
    return {};
}

} // namespace

QString controlRefusal(const QString& name, const QString& field)
{
    const QString control = controlCharacter(name);
    if (control.isEmpty())
        return {};
    return QStringLiteral("%1 contient %2, qui ne peut pas figurer dans un nom de fichier ou de dossier : retirez-le.")
        .arg(field, control);
}

QString componentRefusal(const QString& name, const QString& field)
{
    if (QString control = controlRefusal(name, field); !control.isEmpty())
        return control;
    if (component(name).trimmed().isEmpty())
        return QStringLiteral("%1 ne peut pas être vide.").arg(field);
    if (!namesFolder(name))
        return QStringLiteral("%1 « %2 » ne peut pas servir de nom de dossier.").arg(field, name);
    return {};
}

bool ensureFolder(const QString& path)
{
    return QDir().mkpath(path) && QFileInfo(path).isDir();
}

} // namespace paths
