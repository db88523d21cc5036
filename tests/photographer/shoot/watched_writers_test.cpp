#include "watched_folder_fixture.h"

namespace {

// The writers the watched folder must wait for: seen by their opens and closes, or not seen at all.
class EcrivainsDuDossierSurveille : public ScrutationDossierSurveille {};

TEST_F(EcrivainsDuDossierSurveille, UnFichierQuUnEcrivainTientOuvertNEstNiPrisNiAbandonne)
{
    const QByteArray first = shotAt(0), second = shotAt(2);
    Writer writer(path("IMG_0001.JPG"));
    writer.write(QByteArrayView(first).first(first.size() / 2));
    append("IMG_0002.JPG", second);
    // Stalled for ten minutes with the file open: its capture time is known, so the next shot waits behind it.
    waitFor(12);
    waitFor(10 * 60);

    writer.write(QByteArrayView(first).sliced(first.size() / 2));
    EXPECT_EQ(tick(), "") << "whole, but still open for writing";
    writer.close();
    EXPECT_EQ(tick(), file("IMG_0001.JPG"));
}

TEST_F(EcrivainsDuDossierSurveille, UnFichierATrousNEstPasEntier)
{
    // Large enough to leave whole blocks unwritten.
    const QByteArray bytes = exif_jpeg::noise({900, 600});
    constexpr qsizetype kPiece = 64 * 1024;
    const qsizetype half = bytes.size() / 2 / kPiece * kPiece;
    ASSERT_GE(half, 2 * kPiece);

    // Sized first, written out of order by a writer that opens and closes the file for each piece.
    const auto write = [&bytes](const QString& file, qsizetype from, qsizetype to) {
        const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        EXPECT_EQ(::ftruncate(fd, off_t(bytes.size())), 0);
        EXPECT_EQ(::pwrite(fd, bytes.constData() + from, size_t(to - from), off_t(from)), ssize_t(to - from));
        ::close(fd);
    };
    write(path("IMG_0001.JPG"), half, bytes.size());
    {
        const int fd = ::open(QFile::encodeName(path("IMG_0001.JPG")).constData(), O_RDONLY | O_CLOEXEC);
        const off_t hole = ::lseek(fd, 0, SEEK_HOLE);
        ::close(fd);
        if (hole < 0 || hole >= bytes.size())
            GTEST_SKIP() << "this file system does not tell holes";
    }
    // Its second half first, then its first half a piece at a time: the end marker is there from the
    // start, and its head from the first piece.
    for (qsizetype from = 0; from < half; from += kPiece) {
        EXPECT_EQ(tick(), "") << "bytes from " << from << " not written yet";
        write(path("IMG_0001.JPG"), from, std::min(from + kPiece, half));
    }
    EXPECT_EQ(tick(), file("IMG_0001.JPG"));
    QFile::remove(path("IMG_0001.JPG"));

    // Its writer gone for good, a file with holes is refused, never filed with zeros in it.
    write(path("IMG_0002.JPG"), 0, kPiece);
    write(path("IMG_0002.JPG"), half, bytes.size());
    waitFor(capture::WatchedFolder::kStillBeforeCutShort / capture::WatchedFolder::kSecond);
    const auto candidate = next();
    ASSERT_TRUE(candidate);
    EXPECT_EQ(prepared(candidate), capture::Prepared::State::Refused);
}

TEST_F(EcrivainsDuDossierSurveille, UnFichierDontOnNaPasVuLEcrivainFinirDoitReposer)
{
    const auto write = [](const QString& file, const QByteArray& bytes) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(bytes), bytes.size());
    };
    const int settling = int(capture::WatchedFolder::kSettling / capture::WatchedFolder::kSecond);
    const struct {
        const char* what;
        bool watchedFirst;
        bool movedIn;
        int calls;
    } cases[] = {
        // As a writer on a share, or one that wrote before the shoot began: nothing told its end.
        {"written before the watch began", false, false, settling},
        {"written and closed while watched", true, false, 0},
        // A rename is whole at once.
        {"moved in whole from another folder", true, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir folder, elsewhere;
        capture::WatchedFolder watched;
        if (c.watchedFirst) {
            ASSERT_FALSE(watched.nextCandidate(folder.path()));
        }
        const QString target = QDir(folder.path()).filePath("IMG_0001.JPG");
        if (c.movedIn) {
            write(QDir(elsewhere.path()).filePath("IMG_0001.JPG"), kCamera);
            ASSERT_TRUE(QFile::rename(QDir(elsewhere.path()).filePath("IMG_0001.JPG"), target));
        } else {
            write(target, kCamera);
        }
        EXPECT_EQ(callsBeforeAnswer(watched, folder.path()), c.calls);
    }
}

TEST_F(EcrivainsDuDossierSurveille, UnePhotoNEstPriseQuAvecLApercuQueListeSonIndexMpf)
{
    const QByteArray bytes = exif_jpeg::withPreview(shotAt(0), exif_jpeg::noise({320, 240}));
    const qsizetype primary = bytes.size() - exif_jpeg::noise({320, 240}).size();
    // Its writer closes it after the primary image and comes back for the preview.
    append("IMG_0001.JPG", bytes.left(primary));
    append("IMG_0002.JPG", shotAt(2));
    waitFor(30);
    ASSERT_TRUE(folder_.waiting());
    EXPECT_EQ(folder_.waiting()->file.name(), "IMG_0001.JPG");
    EXPECT_EQ(folder_.waiting()->why, capture::WatchedFolder::Wait::NotWhole);
    append("IMG_0001.JPG", bytes.sliced(primary));
    EXPECT_EQ(tick(), file("IMG_0001.JPG"));
}

TEST_F(EcrivainsDuDossierSurveille, UnBlocDeZerosAttendQueSonEcrivainLeRemplisse)
{
    const QByteArray bytes = exif_jpeg::noise({900, 600});
    constexpr qsizetype kPiece = 64 * 1024;
    ASSERT_GE(bytes.size(), 4 * kPiece);
    // A writer that writes the whole size as zeros first, then fills it in a piece at a time,
    // opening and closing the file for each.
    const auto write = [this](const QByteArray& piece, qsizetype at) {
        const int fd = ::open(QFile::encodeName(path("IMG_0001.JPG")).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        EXPECT_EQ(::pwrite(fd, piece.constData(), size_t(piece.size()), off_t(at)), ssize_t(piece.size()));
        ::close(fd);
    };
    write(QByteArray(bytes.size(), '\0'), 0);
    // Its end marker first, then its head, then the rest: whole by its markers well before it is.
    write(bytes.right(kPiece), bytes.size() - kPiece);
    for (qsizetype from = 0; from < bytes.size() - kPiece; from += kPiece) {
        write(bytes.mid(from, std::min(kPiece, bytes.size() - kPiece - from)), from);
        if (from + kPiece < bytes.size() - kPiece) {
            EXPECT_EQ(tick(), "") << "bytes from " << from + kPiece << " still zeros";
        }
    }
    EXPECT_EQ(tick(), file("IMG_0001.JPG")) << "filled in: taken at once";
    ASSERT_TRUE(QFile::remove(path("IMG_0001.JPG")));

    // A whole picture may hold such a block: it is taken once it has stood still that long.
    QByteArray blocked = bytes;
    blocked.replace(bytes.size() / 2 / 4096 * 4096, 4096, QByteArray(4096, '\0'));
    append("IMG_0002.JPG", blocked);
    EXPECT_EQ(callsBeforeAnswer(folder_, dir_.path()), int(capture::WatchedFolder::kSettling / capture::WatchedFolder::kSecond));
}

TEST_F(EcrivainsDuDossierSurveille, UnFichierTenuOuvertDepuisAvantLaSurveillanceEstNommeSansRetenirLesAutres)
{
    // No capture time in it: its place cannot be known while it is written.
    QTemporaryDir folder;
    const QString held = QDir(folder.path()).filePath("IMG_0001.JPG");
    Writer writer(held);
    writer.write(kCamera);
    capture::WatchedFolder watched;
    const qint64 began = wallclock::steady();
    ASSERT_FALSE(watched.nextCandidate(folder.path()));
    QFile later(QDir(folder.path()).filePath("IMG_0002.JPG"));
    ASSERT_TRUE(later.open(QIODevice::WriteOnly));
    later.write(kCamera);
    later.close();
    const auto call = [&] {
        wallclock::moveOn(capture::WatchedFolder::kSecond);
        return watched.nextCandidate(folder.path());
    };
    while (wallclock::steady() - began < capture::WatchedFolder::kSayWaitingAfter) {
        ASSERT_FALSE(call());
        ASSERT_TRUE(watched.waiting());
        EXPECT_EQ(watched.waiting()->file.path(), held);
        EXPECT_EQ(watched.waiting()->why, capture::WatchedFolder::Wait::Written);
    }
    const auto next = call();
    ASSERT_TRUE(next) << "said by now, it holds the later shot back no longer";
    EXPECT_EQ(next->file.path(), later.fileName());
    ASSERT_TRUE(later.remove());

    // Held open past the time a file nobody writes is given up on: still named, never taken.
    while (wallclock::steady() - began < capture::WatchedFolder::kStillBeforeCutShort + capture::WatchedFolder::kSecond)
        ASSERT_FALSE(call());
    ASSERT_TRUE(watched.waiting());
    EXPECT_EQ(watched.waiting()->why, capture::WatchedFolder::Wait::Written);
    EXPECT_EQ(watched.waiting()->since, began);
    writer.close();
    const auto closed = call();
    ASSERT_TRUE(closed) << "its writer seen closing it, it is taken at once";
    EXPECT_EQ(closed->file.path(), held);
    EXPECT_FALSE(closed->givenUp());
}

TEST_F(EcrivainsDuDossierSurveille, UneDateDeFichierApres2262EstRangeeOuElleLeDit)
{
    append("IMG_0001.JPG", kCamera);
    setModified("IMG_0001.JPG", QDateTime(QDate(2300, 1, 1), QTime(0, 0), Qt::UTC));
    append("IMG_0002.JPG", kCamera);
    setModified("IMG_0002.JPG", kShot);
    if (QFileInfo(path("IMG_0001.JPG")).lastModified().date().year() != 2300)
        GTEST_SKIP() << "this file system cannot date a file in 2300";
    EXPECT_EQ(takenInOrder().join(' ').toStdString(), "IMG_0002.JPG IMG_0001.JPG");
}

TEST_F(EcrivainsDuDossierSurveille, UnFichierIlLisibleEstNomme)
{
    append("IMG_0001.JPG", kCamera);
    ASSERT_TRUE(QFile::setPermissions(path("IMG_0001.JPG"), QFileDevice::WriteOwner));
    if (QFile(path("IMG_0001.JPG")).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "permissions do not hold for this user";
    EXPECT_EQ(tick(), "");
    ASSERT_TRUE(folder_.waiting());
    EXPECT_EQ(folder_.waiting()->why, capture::WatchedFolder::Wait::Unreadable);
}

TEST_F(EcrivainsDuDossierSurveille, UnFichierPlusGrandQueLesAppareilsNEstPasLu)
{
    append("IMG_0001.JPG", kCamera);
    ASSERT_TRUE(QFile::resize(path("IMG_0001.JPG"), capture::WatchedFolder::kLargestCameraFile + 1));
    for (qint64 call = 0; call < capture::WatchedFolder::kStillBeforeCutShort / capture::WatchedFolder::kSecond; ++call) {
        ASSERT_FALSE(next()) << "call " << call;
        ASSERT_TRUE(folder_.waiting());
        EXPECT_EQ(folder_.waiting()->why, capture::WatchedFolder::Wait::NotWhole);
    }
    const auto candidate = next();
    ASSERT_TRUE(candidate);
    EXPECT_TRUE(candidate->givenUp());
    EXPECT_GT(candidate->file.size, capture::WatchedFolder::kLargestCameraFile) << "the filing sets it aside unread";
}

TEST_F(EcrivainsDuDossierSurveille, UnFichierRenommeDansLeDossierGardeSonEcrivain)
{
    // A tethering tool that writes under a hidden name and renames the file before it closes it.
    Writer writer(path(".IMG_0001.JPG.tmp"));
    writer.write(kCamera);
    ASSERT_TRUE(QFile::rename(path(".IMG_0001.JPG.tmp"), path("IMG_0001.JPG")));
    waitFor(10);
    ASSERT_TRUE(folder_.waiting());
    EXPECT_EQ(folder_.waiting()->why, capture::WatchedFolder::Wait::Written);
    writer.close();
    EXPECT_EQ(tick(), file("IMG_0001.JPG"));
}

} // namespace
