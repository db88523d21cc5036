#include "photographer/shoot/watched_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// Enough of a JPEG for the completeness rule: a start marker, some data, the end marker.
const QByteArray kCameraBytes = QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(3000, 'x') + QByteArray("\xFF\xD9", 2);

class WatchedFolderPolling : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

    void append(const QString& name, const QByteArray& bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Append));
        file.write(bytes);
    }

    QString tick() { return folder_.nextCompleteFile(dir_.path()); }

    QTemporaryDir dir_;
    capture::WatchedFolder folder_;
};

TEST_F(WatchedFolderPolling, FileWrittenInTwoHalvesIsTakenOnceStableAndComplete)
{
    append("IMG_0001.JPG", kCameraBytes.left(1500));
    EXPECT_EQ(tick(), QString()) << "size not seen before";
    EXPECT_EQ(tick(), QString()) << "stable but without its end marker";
    append("IMG_0001.JPG", kCameraBytes.mid(1500));
    EXPECT_EQ(tick(), QString()) << "size changed since the last tick";
    EXPECT_EQ(tick(), path("IMG_0001.JPG"));
}

TEST_F(WatchedFolderPolling, FileCutShortIsGivenUpOnOnceItHasStoodStillLongEnough)
{
    append("IMG_0001.JPG", kCameraBytes.left(1500));
    append("IMG_0002.JPG", kCameraBytes);
    for (int call = 0; call < capture::WatchedFolder::kCallsBeforeCutShort; ++call)
        EXPECT_EQ(tick(), QString()) << "call " << call;
    EXPECT_EQ(tick(), path("IMG_0001.JPG")) << "returned for the filing to refuse it, never skipped";

    // Growing again starts the wait afresh.
    append("IMG_0001.JPG", "x");
    EXPECT_EQ(tick(), QString());
    EXPECT_EQ(tick(), QString());
}

TEST_F(WatchedFolderPolling, FilesAreTakenInNameOrderAndNeverOvertakeOneBeingWritten)
{
    append("IMG_0002.JPG", kCameraBytes);
    append("IMG_0003.JPG", kCameraBytes);
    append("IMG_0001.JPG", kCameraBytes.left(100));
    tick();
    EXPECT_EQ(tick(), QString()) << "IMG_0001 is still being written";

    append("IMG_0001.JPG", kCameraBytes.mid(100));
    tick();
    EXPECT_EQ(tick(), path("IMG_0001.JPG"));
    QFile::remove(path("IMG_0001.JPG"));
    EXPECT_EQ(tick(), path("IMG_0002.JPG")) << "its size was already seen stable";
    QFile::remove(path("IMG_0002.JPG"));
    EXPECT_EQ(tick(), path("IMG_0003.JPG"));
}

TEST_F(WatchedFolderPolling, OnlyCameraFilesAreTaken)
{
    const struct {
        QString name;
        bool taken;
    } cases[] = {
        {"a.JPEG", true}, {"b.jpeg", true}, {"c.Jpg", true}, {"d.jpg", true},
        {".hidden.jpg", false}, {"~$e.jpg", false}, {"f.jpg~", false}, {"g.jpg.tmp", false},
        {"h.jpg.part", false}, {"i.jpg.crdownload", false}, {"j.png", false}, {"jpg", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        QTemporaryDir other;
        QFile file(QDir(other.path()).filePath(c.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kCameraBytes);
        file.close();
        capture::WatchedFolder folder;
        folder.nextCompleteFile(other.path());
        EXPECT_EQ(folder.nextCompleteFile(other.path()), c.taken ? file.fileName() : QString());
    }
}

TEST_F(WatchedFolderPolling, FolderNamedLikeAPictureIsSkipped)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("IMG_0000.JPG"));
    append("IMG_0001.JPG", kCameraBytes);
    tick();
    EXPECT_EQ(tick(), path("IMG_0001.JPG"));
}

TEST_F(WatchedFolderPolling, SizesAreForgottenWithTheFolder)
{
    append("IMG_0001.JPG", kCameraBytes);
    tick();
    QTemporaryDir other;
    folder_.nextCompleteFile(other.path());
    EXPECT_EQ(tick(), QString()) << "a size seen before the folder changed does not count";
    EXPECT_EQ(tick(), path("IMG_0001.JPG"));

    folder_.forget();
    EXPECT_EQ(tick(), QString());
}

} // namespace
