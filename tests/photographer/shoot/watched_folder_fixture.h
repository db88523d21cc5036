#pragma once

#include "exif_jpeg.h"
#include "common/wallclock.h"
#include "photographer/shoot/capture.h"
#include "photographer/shoot/watched_folder.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <random>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The watched folder's fixture: camera files, a writer that holds its file open, and a folder the
// shoot's timer polls a second apart.
namespace {

const QByteArray kCamera = exif_jpeg::cameraFile();

// 09/03/2026 14:30:00 UTC: an even second, as a FAT drive keeps them.
const QDateTime kShot = QDateTime::fromSecsSinceEpoch(1773066600);

// The camera bytes up to the end of the embedded thumbnail.
inline qsizetype thumbnailEnd()
{
    return kCamera.indexOf(QByteArray("\xFF\xD9", 2)) + 2;
}

// A camera file with its capture time, a given number of seconds after kShot by the camera's clock.
inline QByteArray shotAt(int seconds, const QByteArray& subSeconds = {})
{
    const QByteArray when = kShot.addSecs(seconds).toUTC().toString(u"yyyy:MM:dd HH:mm:ss").toLatin1();
    return exif_jpeg::withCaptureTime(kCamera, when, subSeconds);
}

// A writer that holds its file open, as a copier does while its bytes come in.
class Writer {
public:
    explicit Writer(const QString& path)
        : fd_(::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644))
    {
        EXPECT_GE(fd_, 0) << path.toStdString();
    }
    ~Writer() { close(); }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    void write(QByteArrayView bytes) { EXPECT_EQ(::write(fd_, bytes.data(), size_t(bytes.size())), ssize_t(bytes.size())); }
    // What cp -p and tar do once the bytes are in: the camera's date back on the file.
    void keepDate(const QDateTime& when)
    {
        const timespec times[2] = {{time_t(when.toSecsSinceEpoch()), 0}, {time_t(when.toSecsSinceEpoch()), 0}};
        EXPECT_EQ(::futimens(fd_, times), 0);
    }
    void close()
    {
        if (fd_ >= 0)
            ::close(std::exchange(fd_, -1));
    }

private:
    int fd_;
};

class ScrutationDossierSurveille : public ::testing::Test {
protected:
    // The shoot watches its folder from its first tick, before any picture comes in.
    void SetUp() override { ASSERT_FALSE(folder_.nextCandidate(dir_.path())); }

    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    // As failures show it.
    std::string file(const QString& name) const { return path(name).toStdString(); }

    void append(const QString& name, const QByteArray& bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Append));
        file.write(bytes);
    }

    // One call of the shoot's one-second timer.
    std::optional<capture::WatchedFolder::Candidate> next()
    {
        auto candidate = folder_.nextCandidate(dir_.path());
        wallclock::moveOn(capture::WatchedFolder::kSecond);
        return candidate;
    }

    // The state the tick's filing would reach on the file the watched folder answers.
    std::optional<capture::Prepared::State> prepared(const std::optional<capture::WatchedFolder::Candidate>& candidate)
    {
        if (!candidate)
            return std::nullopt;
        return capture::prepare(*candidate, 0, destinations_).state;
    }

    // The file the tick would take: whole, or refused for good; "" while it is waited for.
    std::string tick()
    {
        const auto candidate = next();
        const auto state = prepared(candidate);
        return !state || *state == capture::Prepared::State::NotYet ? std::string() : candidate->file.path().toStdString();
    }

    // Ticks for that many seconds, none of which may take a file.
    void waitFor(qint64 seconds)
    {
        for (qint64 second = 0; second < seconds; ++second)
            ASSERT_EQ(tick(), "") << "after " << second << " s";
    }

    // What the shoot does on one tick: the file filed is removed, one refused for good is named
    // "refusée" and removed too.
    void shoot(QStringList& filed)
    {
        const auto candidate = next();
        const auto state = prepared(candidate);
        if (!state || *state == capture::Prepared::State::NotYet)
            return;
        filed << (*state == capture::Prepared::State::Ready ? candidate->file.name() : "refusée " + candidate->file.name());
        EXPECT_TRUE(QFile::remove(candidate->file.path()));
    }

    // The names of the files in the order the shoot files them, ticking until the folder is empty.
    QStringList takenInOrder()
    {
        QStringList taken;
        for (int call = 0; call < 200 && !camera_files::list(dir_.path()).empty(); ++call)
            shoot(taken);
        return taken;
    }

    void setModified(const QString& name, const QDateTime& when)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
    }

    QTemporaryDir dir_;
    QTemporaryDir filed_;
    const capture::Destinations destinations_ = capture::destinations(
        {filed_.filePath("Ecole"), filed_.filePath("Ecole BR"), filed_.filePath("Ecole BR3"), filed_.filePath("labohd")},
        "3A", "Dupont", "Marie", "1");
    const wallclock::StandStill still_; // the timer's seconds go by as the test ticks, however long it takes
    capture::WatchedFolder folder_;
};

// How many calls, a second apart, go by before the folder answers its one file; -1 for none in 10.
inline int callsBeforeAnswer(capture::WatchedFolder& folder, const QString& path)
{
    for (int call = 0; call < 10; ++call) {
        const auto candidate = folder.nextCandidate(path);
        wallclock::moveOn(capture::WatchedFolder::kSecond);
        if (candidate)
            return call;
    }
    return -1;
}

} // namespace
