// Drives the watched folder by hand, as the shoot does, against real copiers (cp -p, tar, a file
// manager, a writer that stalls):
//   watched_folder_drive make <camera.jpg> <folder> <count>
//                                                writes camera files made from camera.jpg, shot 2 s
//                                                apart, dated as a card keeps them
//   watched_folder_drive watch <folder> <idle>   ticks once a second, files what the watched folder answers
//                                                into a scratch archive, and stops once the folder has
//                                                been empty for <idle> seconds
//   watched_folder_drive cost <count> <processes>
//                                                times nextCandidate on a folder of <count> camera files,
//                                                as the shoot calls it again right after each filing, with
//                                                <processes> idle processes holding 20 files open each
//                                                elsewhere; run it with 0 and 2000 to compare
// Each filing prints its time, the file's name, its capture time and where its archive copy went.

#include "common/wallclock.h"
#include "photographer/shoot/capture.h"
#include "photographer/shoot/exif.h"
#include "tests/photographer/shoot/exif_jpeg.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int make(const QString& input, const QString& folder, int count, QTextStream& out)
{
    // About 3.5 MB each from the 24-megapixel fixture: two thirds of its size.
    QImageReader reader(input, "jpeg");
    reader.setScaledSize(reader.size() * 2 / 3);
    const QImage picture = reader.read();
    if (picture.isNull())
        return 2;
    QByteArray base;
    QBuffer buffer(&base);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "jpeg", 95);
    const QDateTime first = QDateTime(QDate(2026, 3, 9), QTime(9, 0, 0), Qt::UTC);
    QDir().mkpath(folder);
    for (int index = 0; index < count; ++index) {
        const QDateTime shot = first.addSecs(2 * index);
        const QByteArray bytes =
            exif_jpeg::withCaptureTime(base, shot.toString(u"yyyy:MM:dd HH:mm:ss").toLatin1(), "50");
        QFile file(QDir(folder).filePath(QStringLiteral("IMG_%1.JPG").arg(index + 1, 4, 10, QChar(u'0'))));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()
            || !file.setFileTime(shot, QFileDevice::FileModificationTime))
            return 1;
        out << file.fileName() << " " << bytes.size() << " bytes, shot " << shot.toString(u"HH:mm:ss") << "\n";
    }
    return 0;
}

QString shotOf(const QByteArray& rawPath)
{
    const int fd = ::open(rawPath.constData(), O_RDONLY | O_CLOEXEC);
    const std::optional<exif::CaptureTime> shot = exif::captureTime(fd);
    ::close(fd);
    return shot ? QDateTime::fromSecsSinceEpoch(shot->seconds, Qt::UTC).toString(u"HH:mm:ss")
                : QStringLiteral("no capture time");
}

int watch(const QString& folder, int idle, QTextStream& out)
{
    QTemporaryDir work;
    const dossiers_etab::Dossiers etab{work.filePath(QStringLiteral("Ecole")), work.filePath(QStringLiteral("Ecole BR")),
                                       work.filePath(QStringLiteral("Ecole BR3")),
                                       QDir(folder).filePath(QStringLiteral("../archive"))};
    capture::WatchedFolder watched;
    int filed = 0;
    for (int empty = 0; empty < idle;) {
        const qint64 tick = wallclock::steady();
        const auto candidate = watched.nextCandidate(folder);
        empty = camera_files::list(folder).empty() ? empty + 1 : 0;
        if (candidate) {
            const capture::Destinations to = capture::destinations(
                etab, QStringLiteral("3A"), QStringLiteral("%1").arg(filed + 1, 3, 10, QChar(u'0')),
                candidate->file.name(), QString::number(filed + 1));
            const capture::Prepared prepared = capture::prepare(*candidate, 0, to);
            const QString when = QTime::currentTime().toString(u"HH:mm:ss.zzz");
            if (prepared.state == capture::Prepared::State::Ready) {
                const QString shot = shotOf(candidate->file.rawPath);
                if (const capture::Filed done = capture::place(prepared, to); !done.error.isEmpty())
                    out << when << " failed " << done.error << "\n";
                else if (!camera_files::remove(candidate->file.rawPath))
                    out << when << " not removed " << candidate->file.name() << "\n";
                else
                    out << when << " filed " << candidate->file.name() << " shot " << shot << " -> " << to.archive << "\n";
                ++filed;
            } else if (prepared.state != capture::Prepared::State::NotYet) {
                out << when << " refused " << candidate->file.name() << ": " << prepared.error << "\n";
                camera_files::remove(candidate->file.rawPath);
            }
        }
        out.flush();
        QThread::usleep(std::max<qint64>(0, 1000000 - (wallclock::steady() - tick) / 1000));
    }
    out << filed << " filed\n";
    return 0;
}

// Idle processes that hold files open in their own folder, as a busy machine has them.
class IdleProcesses {
public:
    IdleProcesses(int count, const QString& folder)
    {
        for (int process = 0; process < count; ++process) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                for (int file = 0; file < 20; ++file) {
                    const QByteArray name = QFile::encodeName(QDir(folder).filePath(QStringLiteral("p%1_%2").arg(process).arg(file)));
                    ::open(name.constData(), O_RDWR | O_CREAT, 0600);
                }
                ::pause();
                ::_exit(0);
            }
            if (pid > 0)
                pids_.push_back(pid);
        }
    }
    ~IdleProcesses()
    {
        for (const pid_t pid : pids_)
            ::kill(pid, SIGTERM);
        for (const pid_t pid : pids_)
            ::waitpid(pid, nullptr, 0);
    }

private:
    std::vector<pid_t> pids_;
};

int cost(int count, int processes, QTextStream& out)
{
    QTemporaryDir work;
    const QString folder = work.filePath(QStringLiteral("hot"));
    const QString held = work.filePath(QStringLiteral("held"));
    QDir().mkpath(folder);
    QDir().mkpath(held);
    const IdleProcesses idle(processes, held);
    QThread::sleep(2); // every process has its files open
    const QByteArray base = exif_jpeg::noise({420, 320});
    capture::WatchedFolder watched;
    QElapsedTimer timer;
    timer.start();
    watched.nextCandidate(folder);
    out << processes << " idle processes: the watch began in " << timer.nsecsElapsed() / 1e6 << " ms\n";
    const QDateTime first = QDateTime(QDate(2026, 3, 9), QTime(9, 0, 0), Qt::UTC);
    for (int index = 0; index < count; ++index) {
        const QByteArray bytes = exif_jpeg::withCaptureTime(
            base, first.addSecs(2 * index).toString(u"yyyy:MM:dd HH:mm:ss").toLatin1(), "50");
        QFile file(QDir(folder).filePath(QStringLiteral("IMG_%1.JPG").arg(index + 1, 4, 10, QChar(u'0'))));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return 1;
    }
    out << count << " files of " << base.size() / 1024 << " KiB\n";
    // The folder's first look at them all, then the calls right after each filing.
    std::vector<double> calls;
    int answered = 0;
    for (int call = 0; call < 4 * count && answered < count; ++call) {
        timer.start();
        const auto candidate = watched.nextCandidate(folder);
        calls.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (candidate) {
            ++answered;
            QFile::remove(candidate->file.path());
        } else {
            QThread::msleep(100);
        }
    }
    const double firstCall = calls.front();
    std::sort(calls.begin(), calls.end());
    out << "first call " << firstCall << " ms; " << calls.size() << " calls for " << answered << " files: median "
        << calls[calls.size() / 2] << " ms, 90th percentile " << calls[calls.size() * 9 / 10] << " ms, slowest "
        << calls.back() << " ms\n";
    return answered == count ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 5 && arguments[1] == u"make")
        return make(arguments[2], arguments[3], arguments[4].toInt(), out);
    if (arguments.size() == 4 && arguments[1] == u"watch")
        return watch(arguments[2], arguments[3].toInt(), out);
    if (arguments.size() == 4 && arguments[1] == u"cost")
        return cost(arguments[2].toInt(), arguments[3].toInt(), out);
    QTextStream(stderr) << "usage: watched_folder_drive make <camera.jpg> <folder> <count> | watch <folder> <idle seconds>"
                             " | cost <count> <processes>\n";
    return 2;
}
