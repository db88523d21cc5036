#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <sys/mount.h>
#include <unistd.h>

// An exFAT file system mounted through FUSE over a folder for the life of the
// object, as a memory card, a USB key or a shared disk brings one: it renames
// neither by exchanging two names nor by refusing a taken one, and makes no
// links. It needs root (a loop device and a mount), and mkfs.exfat and
// mount.exfat-fuse; without any of them it stays inactive and the test skips.
class ExfatDisk {
public:
    // The image, of 64 MB, is written at `image` (outside `folder`).
    ExfatDisk(const QString& folder, const QString& image) : folder_(folder)
    {
        if (::geteuid() != 0 || !QDir().mkpath(folder))
            return;
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(64 << 20))
            return;
        file.close();
        if (!run(QStringLiteral("mkfs.exfat"), {image}))
            return;
        const QString loop = output(QStringLiteral("losetup"), {QStringLiteral("-f"), QStringLiteral("--show"), image});
        if (loop.isEmpty())
            return;
        mounted_ = run(QStringLiteral("mount.exfat-fuse"), {loop, folder});
        // Detached now, the device goes away by itself once the file system
        // lets go of it, whatever happens to this test afterwards.
        run(QStringLiteral("losetup"), {QStringLiteral("-d"), loop});
    }
    ~ExfatDisk()
    {
        if (mounted_)
            ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
    }
    ExfatDisk(const ExfatDisk&) = delete;
    ExfatDisk& operator=(const ExfatDisk&) = delete;

    bool active() const { return mounted_; }

private:
    static bool run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        // The file system's daemon keeps what it inherits: no pipes to wait on.
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(program, arguments);
        return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0;
    }

    static QString output(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(program, arguments);
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            return {};
        return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    }

    QString folder_;
    bool mounted_ = false;
};
