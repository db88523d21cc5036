// Runs the capture tick on a camera file several times, from the listing of the watched folder to
// the camera file's removal, and compares its time with the least any tick must spend: decoding
// the same file at 1/8 scale with the JPEG reader; then again while 2,000 idle processes hold 20
// files each. Then drops one shot at a time between the ticks of a one-second timer, as a tethered
// camera does, and times each from its drop to its filing; the same for an upload that writes the
// file in pieces with pauses from another process, as an FTP server's session does (simulated: no
// FTP server here). Last, a card of 1,000 camera files of about 150 KB dumped at once, filed tick
// after tick with no timer between them, as the shooting screen does while files wait.

#include "common/files.h"
#include "photographer/data/base.h"
#include "photographer/data/etat.h"
#include "photographer/data/roster.h"
#include "photographer/shoot/capture.h"
#include "photographer/shoot/journal_classement.h"
#include "tests/photographer/shoot/exif_jpeg.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <functional>
#include <vector>

#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kRuns = 15;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// A field of /proc/self/status in megabytes, or -1 where there is none.
double statusMegabytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

// Lets the peak resident size start again from the current one (Linux).
void resetPeakMemory()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

double millisecondsOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

qint64 monotonicNanoseconds()
{
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Child processes that each hold files open and sleep, as the idle programs of a busy desktop do;
// killed with the object.
class IdleHolders {
public:
    IdleHolders(int count, const QString& folder, int filesEach)
    {
        std::vector<QByteArray> paths;
        for (int i = 0; i < filesEach; ++i) {
            paths.push_back(QFile::encodeName(QDir(folder).filePath(QStringLiteral("held-%1").arg(i))));
            QFile(QFile::decodeName(paths.back())).open(QIODevice::WriteOnly);
        }
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        for (int i = 0; i < count; ++i) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                // Only what a child of a threaded parent may call.
                for (const QByteArray& path : paths)
                    ::open(path.constData(), O_RDONLY);
                const char one = 1;
                (void)!::write(ready[1], &one, 1);
                for (;;)
                    ::pause();
            }
            if (pid > 0)
                pids_.push_back(pid);
        }
        ::close(ready[1]);
        char byte = 0;
        for (size_t opened = 0; opened < pids_.size() && ::read(ready[0], &byte, 1) == 1;)
            ++opened;
        ::close(ready[0]);
    }
    ~IdleHolders()
    {
        for (const pid_t pid : pids_)
            ::kill(pid, SIGKILL);
        for (const pid_t pid : pids_)
            ::waitpid(pid, nullptr, 0);
    }
    IdleHolders(const IdleHolders&) = delete;
    IdleHolders& operator=(const IdleHolders&) = delete;
    size_t size() const { return pids_.size(); }

private:
    std::vector<pid_t> pids_;
};

// Writes bytes to path from a child process in pieces with pauses, then closes it; answers the
// child, and through `closed` the monotonic time of its close.
pid_t uploadInPieces(const QByteArray& path, const QByteArray& bytes, int& closed)
{
    int done[2];
    if (::pipe(done) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        constexpr qsizetype kPiece = 256 * 1024;
        for (qsizetype at = 0; fd >= 0 && at < bytes.size(); at += kPiece) {
            (void)!::write(fd, bytes.constData() + at, size_t(std::min(kPiece, bytes.size() - at)));
            const timespec pause{0, 30 * 1000 * 1000};
            ::nanosleep(&pause, nullptr);
        }
        ::close(fd);
        timespec now {};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        const qint64 at = qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
        (void)!::write(done[1], &at, sizeof at);
        ::_exit(0);
    }
    ::close(done[1]);
    closed = done[0];
    return pid;
}

// A camera file of about 150 KB taken at `second` past 14:00, as a card holds them.
QByteArray cardShot(int second)
{
    static const QByteArray plain = [] {
        QImage image(1500, 1000, QImage::Format_RGB32);
        QRandomGenerator noise(7);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] = qRgb((x / 5) % 256, (y / 4) % 256, int(noise.bounded(48)) + 100);
        }
        QByteArray bytes;
        for (int quality = 90; quality > 20; quality -= 5) {
            bytes.clear();
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, "jpeg");
            writer.setQuality(quality);
            writer.write(image);
            if (bytes.size() <= 160 * 1024)
                break;
        }
        return bytes;
    }();
    const QByteArray when = QStringLiteral("2026:03:09 %1:%2:%3")
                                .arg(14 + second / 3600)
                                .arg((second / 60) % 60, 2, 10, QLatin1Char('0'))
                                .arg(second % 60, 2, 10, QLatin1Char('0'))
                                .toLatin1();
    return exif_jpeg::withCaptureTime(plain, when, "");
}

QString defaultInput()
{
    return QDir::cleanPath(QStringLiteral(SCHOOLPHOTO_SOURCE_DIR "/../shared/fixtures/camera-6000x4000.jpg"));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QString input = defaultInput();
    if (!QFileInfo::exists(input) && argc > 1)
        input = QString::fromLocal8Bit(argv[1]);
    if (!QFileInfo::exists(input)) {
        err << "usage: capture_bench [camera.jpg] (default " << defaultInput() << ")\n";
        return 2;
    }

    QTemporaryDir work;
    etat::CheminDonnees = work.filePath(QStringLiteral("VizmoraDatas"));
    QDir().mkpath(etat::CheminDonnees);
    const QString codeEtab = QStringLiteral("1");
    const QString key = roster::ajouterEleve(codeEtab, QStringLiteral("3A"), QStringLiteral("Dupont"), QStringLiteral("Marie"));
    const dossiers_etab::Dossiers etab{work.filePath(QStringLiteral("VizmoraDatas/Lycée Sud")),
                                       work.filePath(QStringLiteral("VizmoraDatas/Lycée Sud BR")),
                                       work.filePath(QStringLiteral("VizmoraDatas/Lycée Sud BR3")),
                                       work.filePath(QStringLiteral("labohd/Lycée Sud"))};
    const capture::Destinations to = capture::destinations(etab, QStringLiteral("3A"), QStringLiteral("Dupont"),
                                                           QStringLiteral("Marie"), key);
    const QString hot = work.filePath(QStringLiteral("hotfolder"));
    QDir().mkpath(hot);
    const QString camera = QDir(hot).filePath(QFileInfo(input).fileName());

    bool failed = false;
    const auto fail = [&](const QString& what) {
        err << what << "\n";
        failed = true;
    };
    // A camera file lands in the watched folder: not timed, the camera does it.
    const auto shoot = [&] {
        if (const QString error = files::copyWhole(input, camera); !error.isEmpty())
            fail(error);
    };
    // The tick's steps, as the shooting screen runs them with no question to ask.
    capture::WatchedFolder watched;
    // The time the journal's commits take on the window's thread (record; row, done, removal, drop).
    QElapsedTimer timer;
    double journalTime = 0;
    QList<qint64> ended;
    // Whether it filed a camera file; false when the watched folder answered none.
    const auto tickFor = [&](const capture::Destinations& to, const QString& key) {
        timer.start();
        const auto candidate = watched.nextCandidate(hot);
        if (!candidate)
            return false;
        const capture::Prepared prepared = capture::prepare(*candidate, 90, to);
        if (prepared.state != capture::Prepared::State::Ready) {
            fail(QStringLiteral("not filed: ") + prepared.error);
            return false;
        }
        journal_classement::Classement record;
        record.fichier = candidate->file.rawPath;
        record.camera = prepared.camera;
        record.photo = prepared.pictureDigest;
        record.degres = 90;
        record.cdeEleve = key;
        record.codeEtab = codeEtab;
        record.destinations = to;
        record.originalGarde = capture::keptOriginalName(to);
        // As the shooting screen does: the record is written while the files are, and the record
        // of the filing before goes with it.
        const QString database = base::cheminBase();
        const capture::Filed filed = capture::place(prepared, to, record.originalGarde, [&]() -> QString {
            record.cle = journal_classement::inscrire(database, record, ended);
            return {};
        });
        if (!filed.error.isEmpty()) {
            fail(filed.error);
            return false;
        }
        ended.clear();
        const double after = timer.nsecsElapsed() / 1e6;
        if (!journal_classement::terminer(record)
            || !camera_files::leftForGood(camera_files::removeIfHolds(candidate->file.rawPath, prepared.camera,
                                                                         prepared.cameraVersion)))
            fail(QStringLiteral("row or removal failed"));
        ended << record.cle;
        journalTime += timer.nsecsElapsed() / 1e6 - after;
        return true;
    };
    const auto tick = [&] { return tickFor(to, key); };
    const auto tickOnce = [&] {
        if (!tick())
            fail(QStringLiteral("no camera file in the watched folder"));
    };
    QSize fullSize;
    const auto decodeFloor = [&] {
        QImageReader reader(input, "jpeg");
        reader.setAutoTransform(false);
        fullSize = reader.size();
        reader.setScaledSize(QSize((fullSize.width() + 7) / 8, (fullSize.height() + 7) / 8));
        if (reader.read().isNull()) {
            err << "decode failed: " << reader.errorString() << "\n";
            failed = true;
        }
    };

    // The shoot watches its folder from its first tick on, before the camera writes anything: a file
    // that landed before the watch began has no writer anyone saw close it and would wait to settle.
    if (watched.nextCandidate(hot))
        fail(QStringLiteral("the watched folder answered a file before any was dropped"));
    // One of each first, so that neither pays for loading the JPEG plug-in or filling the disk cache.
    shoot();
    tickOnce();
    decodeFloor();
    if (failed)
        return 1;

    const double before = statusMegabytes("VmRSS");
    resetPeakMemory();
    std::vector<double> captureTimes, floorTimes, journalTimes;
    for (int run = 0; run < kRuns; ++run) {
        shoot();
        journalTime = 0;
        captureTimes.push_back(millisecondsOf(tickOnce));
        journalTimes.push_back(journalTime);
        floorTimes.push_back(millisecondsOf(decodeFloor));
    }
    const double peak = statusMegabytes("VmHWM");
    if (failed)
        return 1;

    // The same ticks while 2,000 idle processes hold 20 files each, as on a busy desktop.
    std::vector<double> busyTimes, busyFloorTimes;
    size_t holding = 0;
    {
        QTemporaryDir heldFolder;
        IdleHolders holders(2000, heldFolder.path(), 20);
        holding = holders.size();
        for (int run = 0; run < kRuns; ++run) {
            shoot();
            busyTimes.push_back(millisecondsOf(tickOnce));
            busyFloorTimes.push_back(millisecondsOf(decodeFloor));
        }
    }
    if (failed)
        return 1;

    // A tethered camera writes one shot into the watched folder at any moment between two ticks of
    // the shoot's one-second timer: from the end of its write to the end of its filing.
    std::vector<double> dropToFiled;
    QElapsedTimer clock;
    clock.start();
    QFile original(input);
    const QByteArray bytes = original.open(QIODevice::ReadOnly) ? original.readAll() : QByteArray();
    for (int run = 0; run < kRuns && !failed; ++run) {
        const qint64 firstTick = (clock.elapsed() / 1000 + 2) * 1000;
        QThread::msleep(quint64(firstTick - 1000 + 1000 * run / kRuns - clock.elapsed()));
        QFile dropped(camera);
        if (!dropped.open(QIODevice::WriteOnly) || dropped.write(bytes) != bytes.size())
            return 1;
        dropped.close();
        const qint64 written = clock.nsecsElapsed();
        for (qint64 next = firstTick;; next += 1000) {
            QThread::msleep(quint64(std::max<qint64>(0, next - clock.elapsed())));
            if (tick())
                break;
            if (next > firstTick + 5000) {
                fail(QStringLiteral("a tethered shot was not filed within 5 ticks"));
                break;
            }
        }
        dropToFiled.push_back((clock.nsecsElapsed() - written) / 1e6);
    }
    if (failed)
        return 1;

    // An upload written in pieces by another process that pauses between them, then closes the
    // file: from its close to its filing, under the one-second timer.
    constexpr int kUploads = 7;
    std::vector<double> uploadToFiled;
    for (int run = 0; run < kUploads && !failed; ++run) {
        int closedPipe = -1;
        const pid_t writer = uploadInPieces(QFile::encodeName(camera), bytes, closedPipe);
        if (writer < 0)
            return 1;
        const qint64 start = clock.elapsed() + 1000 * run / kUploads;
        qint64 filedAt = 0;
        for (qint64 next = start + 1000;; next += 1000) {
            QThread::msleep(quint64(std::max<qint64>(0, next - clock.elapsed())));
            if (tick()) {
                filedAt = monotonicNanoseconds();
                break;
            }
            if (next > start + 30000) {
                fail(QStringLiteral("an upload was not filed within 30 ticks"));
                break;
            }
        }
        qint64 closedAt = 0;
        if (::read(closedPipe, &closedAt, sizeof closedAt) != sizeof closedAt)
            fail(QStringLiteral("the uploader did not close its file"));
        ::close(closedPipe);
        ::waitpid(writer, nullptr, 0);
        if (filedAt < closedAt)
            fail(QStringLiteral("an upload was filed before its writer closed it"));
        uploadToFiled.push_back((filedAt - closedAt) / 1e6);
    }
    if (failed)
        return 1;

    // A card of 1,000 shots dumped at once, one student each: each tick starts as the one before ends.
    constexpr int kCard = 1000;
    std::vector<std::pair<QString, capture::Destinations>> card;
    for (int i = 0; i < kCard; ++i) {
        const QString nom = QStringLiteral("Eleve%1").arg(i, 4, 10, QLatin1Char('0'));
        const QString cle = roster::ajouterEleve(codeEtab, QStringLiteral("CARTE"), nom, QStringLiteral("Carte"));
        card.emplace_back(cle, capture::destinations(etab, QStringLiteral("CARTE"), nom, QStringLiteral("Carte"), cle));
    }
    qint64 cardBytes = 0;
    for (int i = 0; i < kCard; ++i) {
        const QByteArray shot = cardShot(i);
        cardBytes += shot.size();
        QFile file(QDir(hot).filePath(QStringLiteral("IMG_%1.JPG").arg(i + 1, 4, 10, QLatin1Char('0'))));
        if (!file.open(QIODevice::WriteOnly) || file.write(shot) != shot.size())
            return 1;
    }
    QElapsedTimer cardTimer;
    cardTimer.start();
    for (int filed = 0; filed < kCard && !failed;) {
        if (tickFor(card[size_t(filed)].second, card[size_t(filed)].first))
            ++filed;
        else if (cardTimer.elapsed() > 600 * 1000)
            fail(QStringLiteral("the card was not filed in 10 minutes"));
    }
    const double cardSeconds = cardTimer.nsecsElapsed() / 1e9;
    if (failed)
        return 1;

    const double capture = median(captureTimes);
    const double floor = median(floorTimes);
    out << "input: " << input << " (" << fullSize.width() << "x" << fullSize.height() << ", "
        << QFileInfo(input).size() << " bytes), " << kRuns << " runs\n";
    out << "capture tick (listing, read, checks, fingerprint, journal record, archive copy, decode, rotation, fit, "
           "encode, copies, NomPhoto and done, removal, journal drop): median "
        << QString::number(capture, 'f', 1) << " ms per tick\n";
    out << "of which the window's thread waits for the row and done mark and the removal: median "
        << QString::number(median(journalTimes), 'f', 1) << " ms\n";
    out << "decode floor (1/8 scale): median " << QString::number(floor, 'f', 1) << " ms\n";
    out << "ratio " << QString::number(capture / floor, 'f', 2) << "\n";
    const double busy = median(busyTimes), busyFloor = median(busyFloorTimes);
    out << "with " << holding << " idle processes holding 20 files each: capture tick median "
        << QString::number(busy, 'f', 1) << " ms, decode floor " << QString::number(busyFloor, 'f', 1) << " ms, ratio "
        << QString::number(busy / busyFloor, 'f', 2) << "; tick with them / tick without them "
        << QString::number(busy / capture, 'f', 2) << "\n";
    out << "tethered shot, one-second timer: drop to filed median " << QString::number(median(dropToFiled), 'f', 0)
        << " ms, longest " << QString::number(*std::max_element(dropToFiled.begin(), dropToFiled.end()), 'f', 0)
        << " ms\n";
    out << "upload in pieces of 256 KiB 30 ms apart by another process (an FTP session simulated), one-second "
           "timer: close to filed median "
        << QString::number(median(uploadToFiled), 'f', 0) << " ms, longest "
        << QString::number(*std::max_element(uploadToFiled.begin(), uploadToFiled.end()), 'f', 0) << " ms\n";
    out << "card of " << kCard << " camera files (" << QString::number(cardBytes / kCard / 1024.0, 'f', 0)
        << " KB each) dumped at once: filed in " << QString::number(cardSeconds, 'f', 1) << " s ("
        << QString::number(cardSeconds * 1000 / kCard, 'f', 1) << " ms per file)\n";
    out << "peak memory: " << QString::number(peak, 'f', 1) << " MB (VmHWM), "
        << QString::number(before, 'f', 1) << " MB before the capture, capture step "
        << QString::number(peak - before, 'f', 1) << " MB\n";
    return 0;
}
