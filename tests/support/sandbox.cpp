#include "tests/support/sandbox.h"

#include "common/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

QString buildProgramDir()
{
    return QCoreApplication::applicationDirPath();
}

namespace {
// A sandbox that could not be built would let a test pass on the real folders
// or fail far from the cause: each step fails the test here, naming the path.
void makeFolder(const QString& folder)
{
    if (!QDir().mkpath(folder))
        ADD_FAILURE() << "Sandbox: cannot create the folder " << folder.toStdString();
}
} // namespace

Sandbox::Sandbox()
{
    if (!dir_.isValid())
        ADD_FAILURE() << "Sandbox: no temporary folder: " << dir_.errorString().toStdString();
    const QString base = dir_.path();
    for (const char* folder : {"root", "home/Desktop", "config", "data", "program"})
        makeFolder(base + u'/' + QString::fromLatin1(folder));
    qputenv("SCHOOLPHOTO_ROOT", (base + QStringLiteral("/root")).toUtf8());
    qputenv("HOME", (base + QStringLiteral("/home")).toUtf8());
    qputenv("XDG_CONFIG_HOME", configHome().toUtf8());
    qputenv("XDG_DATA_HOME", (base + QStringLiteral("/data")).toUtf8());
    const QDir shipped(buildProgramDir());
    for (const QFileInfo& file : shipped.entryInfoList(
             {QStringLiteral("*.idx"), QStringLiteral("*.blc"), QStringLiteral("*.att"),
              QStringLiteral("*.html"), QStringLiteral("*.jpg"), QStringLiteral("*.exe"),
              QStringLiteral("*.bat")},
             QDir::Files)) {
        const QString copy = programDir() + u'/' + file.fileName();
        if (!QFile::copy(file.absoluteFilePath(), copy))
            ADD_FAILURE() << "Sandbox: cannot copy " << file.absoluteFilePath().toStdString() << " to "
                          << copy.toStdString();
    }
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

QString Sandbox::configHome() const
{
    return dir_.path() + QStringLiteral("/config");
}

void Sandbox::blockSettingsFile(const QString& name) const
{
    // A folder in the file's place refuses every write, even to root.
    const QString file = configHome() + u'/' + name;
    if (QFileInfo(file).isFile() && !QFile::remove(file))
        ADD_FAILURE() << "Sandbox: cannot remove " << file.toStdString();
    makeFolder(file);
}

QString Sandbox::writeFile(const QString& path, const QByteArray& bytes)
{
    makeFolder(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        ADD_FAILURE() << "Sandbox: cannot write " << path.toStdString() << ": " << file.errorString().toStdString();
    return path;
}
