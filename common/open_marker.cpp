#include "common/open_marker.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

OpenMarker::OpenMarker(const QString& file) : file_(file)
{
    // Read-only is enough to lock, and lets a marker made by another user
    // serve. Not inherited by the programs this one starts: a browser left
    // open must not keep the folder marked.
    descriptor_ = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor_ < 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    int result;
    do
        result = ::flock(descriptor_, LOCK_SH | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result == 0) {
        state_ = State::Held;
        return;
    }
    if (errno == EWOULDBLOCK)
        state_ = State::Busy;
    else
        error_ = QString::fromLocal8Bit(std::strerror(errno));
    ::close(descriptor_);
    descriptor_ = -1;
}

OpenMarker::~OpenMarker()
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
}
