#include "tests/support/sandbox.h"

#include "common/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

QString buildProgramDir()
{
    return QCoreApplication::applicationDirPath();
}

Sandbox::Sandbox()
{
    const QString base = dir_.path();
    for (const char* folder : {"root", "home/Desktop", "config", "data", "program"})
        QDir().mkpath(base + u'/' + QString::fromLatin1(folder));
    qputenv("SCHOOLPHOTO_ROOT", (base + QStringLiteral("/root")).toUtf8());
    qputenv("HOME", (base + QStringLiteral("/home")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (base + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (base + QStringLiteral("/data")).toUtf8());
    const QDir shipped(buildProgramDir());
    for (const QFileInfo& file : shipped.entryInfoList(
             {QStringLiteral("*.idx"), QStringLiteral("*.blc"), QStringLiteral("*.att"),
              QStringLiteral("*.html"), QStringLiteral("*.jpg"), QStringLiteral("*.exe"),
              QStringLiteral("*.bat")},
             QDir::Files))
        QFile::copy(file.absoluteFilePath(), programDir() + u'/' + file.fileName());
    paths::setProgramDirForTests(programDir());
}

Sandbox::~Sandbox()
{
    paths::setProgramDirForTests({});
}

QString Sandbox::root() const
{
    return dir_.path() + QStringLiteral("/root");
}

QString Sandbox::programDir() const
{
    return dir_.path() + QStringLiteral("/program");
}

QString Sandbox::desktop() const
{
    return dir_.path() + QStringLiteral("/home/Desktop");
}

QString Sandbox::dataHome() const
{
    return dir_.path() + QStringLiteral("/data");
}

QString Sandbox::path(const QString& relative) const
{
    return root() + u'/' + relative;
}

QString Sandbox::writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}
