#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <unistd.h>

// A small file system mounted over a folder for the life of the object, so
// that a test can fill it: a tmpfs of the given size when the tests run as
// root, nothing otherwise (the test then skips).
class SmallDisk {
public:
    SmallDisk(const QString& folder, qint64 bytes) : folder_(QFile::encodeName(folder))
    {
        QDir().mkpath(folder);
        if (::geteuid() != 0)
            return;
        const QByteArray options = "size=" + QByteArray::number(bytes);
        mounted_ = ::mount("schoolphoto-test", folder_.constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~SmallDisk()
    {
        if (mounted_)
            ::umount2(folder_.constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool active() const { return mounted_; }

    // Leaves about `free` bytes free on the disk.
    void fillLeaving(qint64 free) const
    {
        QFile filler(QFile::decodeName(folder_) + QStringLiteral("/.remplissage"));
        filler.open(QIODevice::WriteOnly);
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
            if (available() <= free + block.size())
                break;
        }
    }

private:
    qint64 available() const
    {
        struct statvfs stats {};
        return ::statvfs(folder_.constData(), &stats) == 0 ? qint64(stats.f_bavail) * qint64(stats.f_frsize) : 0;
    }

    QByteArray folder_;
    bool mounted_ = false;
};

// Limits the size of any file this process writes, for the life of the object.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &previous_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
};
