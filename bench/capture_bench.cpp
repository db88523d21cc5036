// Runs the capture tick on a camera file several times, from the listing of the watched folder to
// the camera file's removal, and compares its time with the least any tick must spend: decoding
// the same file at 1/8 scale with the JPEG reader. Then drops one shot at a time between the ticks
// of a one-second timer, as a tethered camera does, and times each from its drop to its filing.

#include "common/files.h"
#include "photographer/data/base.h"
#include "photographer/data/etat.h"
#include "photographer/data/roster.h"
#include "photographer/shoot/capture.h"
#include "photographer/shoot/journal_classement.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <functional>
#include <vector>

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
    const auto tick = [&] {
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
    out << "tethered shot, one-second timer: drop to filed median " << QString::number(median(dropToFiled), 'f', 0)
        << " ms, longest " << QString::number(*std::max_element(dropToFiled.begin(), dropToFiled.end()), 'f', 0)
        << " ms\n";
    out << "peak memory: " << QString::number(peak, 'f', 1) << " MB (VmHWM), "
        << QString::number(before, 'f', 1) << " MB before the capture, capture step "
        << QString::number(peak - before, 'f', 1) << " MB\n";
    return 0;
}
