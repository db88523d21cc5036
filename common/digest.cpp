#include "common/digest.h"

#include <QCryptographicHash>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace digest {

namespace {

QCryptographicHash::Algorithm qtAlgorithm(Algorithm algorithm)
{
    return algorithm == Algorithm::Sha256 ? QCryptographicHash::Sha256 : QCryptographicHash::Blake2b_256;
}

} // namespace

Fingerprint fingerprint(const QByteArray& bytes, Algorithm algorithm)
{
    return {bytes.size(), QCryptographicHash::hash(bytes, qtAlgorithm(algorithm)).toHex()};
}

Fingerprint fingerprintOf(int fd, qint64 limit, Algorithm algorithm)
{
    // Large enough for few system calls, small enough to stay in the processor's cache.
    static constexpr qint64 kChunk = 1 << 20;
    QByteArray chunk(static_cast<qsizetype>(kChunk), Qt::Uninitialized);
    QCryptographicHash hash(qtAlgorithm(algorithm));
    qint64 size = 0;
    while (limit < 0 || size < limit) {
        const qint64 wanted = limit < 0 ? kChunk : std::min(kChunk, limit - size);
        const ssize_t got = ::pread(fd, chunk.data(), static_cast<size_t>(wanted), size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return {};
        if (got == 0)
            break;
        hash.addData(QByteArrayView(chunk.constData(), got));
        size += got;
    }
    return {size, hash.result().toHex()};
}

Fingerprint fingerprintOf(const QByteArray& rawPath, Algorithm algorithm)
{
    const int fd = ::open(rawPath.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    const Fingerprint found = fingerprintOf(fd, -1, algorithm);
    ::close(fd);
    return found;
}

bool holds(const QByteArray& rawPath, const Fingerprint& expected, Algorithm algorithm)
{
    struct stat info {};
    return expected.known() && ::stat(rawPath.constData(), &info) == 0 && info.st_size == expected.size
        && fingerprintOf(rawPath, algorithm) == expected;
}

} // namespace digest
