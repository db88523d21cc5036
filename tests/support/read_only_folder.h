#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sys/mount.h>
#include <unistd.h>

// Makes a folder read-only for the life of the object, as a CD, a locked card
// or a read-only share is: a read-only mount of the folder over itself when
// the tests run as root (root ignores permissions), its permissions otherwise.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& folder) : folder_(QFile::encodeName(folder))
    {
        if (::geteuid() != 0) {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
            return;
        }
        mounted_ = ::mount(folder_.constData(), folder_.constData(), nullptr, MS_BIND, nullptr) == 0;
        if (mounted_)
            ::mount(nullptr, folder_.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr);
    }
    ~ReadOnlyFolder()
    {
        if (mounted_)
            ::umount2(folder_.constData(), MNT_DETACH);
        else if (::geteuid() != 0)
            QFile::setPermissions(QFile::decodeName(folder_), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // False when the folder could not be made read-only (root without the right to mount).
    bool active() const { return mounted_ || ::geteuid() != 0; }

private:
    QByteArray folder_;
    bool mounted_ = false;
};
