#include "common/digest.h"
#include "tests/support/sandbox.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>

#include <fcntl.h>
#include <unistd.h>

namespace {

using digest::Algorithm;

// Bytes that differ from one chunk to the next, so that a chunk read twice or skipped shows.
QByteArray counting(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 4093) & 0xff);
    return bytes;
}

// Stored in both programs' databases: a change of algorithm or of its writing would leave every
// row written before unreadable.
TEST(Empreinte, LesEmpreintesGardeesRestentCellesDesVersionsDAvant)
{
    EXPECT_EQ(digest::fingerprint("abc"),
              (digest::Fingerprint{3, "bddd813c634239723171ef3fee98579b94964e3bb1cb3e427262c8c068d52319"}));
    EXPECT_EQ(digest::fingerprint("abc", Algorithm::Sha256),
              (digest::Fingerprint{3, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"}));
}

TEST(Empreinte, UnFichierLuParMorceauxALEmpreinteDeSesOctets)
{
    const Sandbox sandbox;
    constexpr qsizetype kChunk = 1 << 20;
    for (const qsizetype size : {qsizetype(0), qsizetype(1), kChunk - 1, kChunk, kChunk + 1, 3 * kChunk + 5}) {
        SCOPED_TRACE(size);
        const QByteArray bytes = counting(size);
        const QByteArray path = QFile::encodeName(sandbox.path(QStringLiteral("photo.jpg")));
        Sandbox::writeFile(QFile::decodeName(path), bytes);
        for (const Algorithm algorithm : {Algorithm::Blake2b256, Algorithm::Sha256})
            EXPECT_EQ(digest::fingerprintOf(path, algorithm), digest::fingerprint(bytes, algorithm));
        EXPECT_TRUE(digest::holds(path, digest::fingerprint(bytes)));
        EXPECT_FALSE(digest::holds(path, digest::fingerprint(bytes + "x")));

        // Its start only, as when a file that grew is compared with what was filed of it.
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        for (const qsizetype limit : {qsizetype(0), size / 2, size, size + 10})
            EXPECT_EQ(digest::fingerprintOf(fd, limit), digest::fingerprint(bytes.left(limit))) << limit;
        ::close(fd);
    }
}

TEST(Empreinte, UnFichierIllisibleOuAbsentNAPasDEmpreinte)
{
    const Sandbox sandbox;
    QStringList unreadable{sandbox.path(QStringLiteral("absente.jpg"))};
    // As an FTP server's umask leaves it; root reads it anyway.
    const QString locked = Sandbox::writeFile(sandbox.path(QStringLiteral("photo.jpg")), "octets");
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::WriteOwner));
    if (::access(QFile::encodeName(locked).constData(), R_OK) != 0)
        unreadable << locked;
    for (const QString& path : unreadable) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(digest::fingerprintOf(QFile::encodeName(path)).known());
        EXPECT_FALSE(digest::holds(QFile::encodeName(path), digest::fingerprint("octets")));
    }
}

} // namespace
