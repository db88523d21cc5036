#include "photographer/shoot/capture.h"

#include "common/files.h"
#include "common/paths.h"
#include "common/pictures.h"
#include "photographer/data/noms_photos.h"
#include "photographer/shoot/camera_files.h"
#include "photographer/shoot/watched_folder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPointer>
#include <QThreadPool>
#include <QTransform>

#include <future>
#include <memory>
#include <vector>


namespace capture {

namespace {

const QSize kPictureBound(400, 400);

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString unreadable(const QString& cameraFile)
{
    return QStringLiteral("La photo « %1 » est incomplète ou n'est pas une image JPEG lisible : "
                          "elle n'a pas été classée.")
        .arg(shown(cameraFile));
}

int normalised(int degrees)
{
    return ((degrees % 360) + 360) % 360;
}

// The working picture: decoded straight at the reduced size it needs, then turned.
// Turning the small image, never the full one, keeps time and memory low.
QImage workingPicture(const QByteArray& bytes, int degrees)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    reader.setAutoTransform(false);
    const bool quarterTurn = degrees == 90 || degrees == 270;
    const QSize source = reader.size();
    const QSize turned = quarterTurn ? source.transposed() : source;
    const QSize fitted = pictures::fittedSize(turned, kPictureBound);
    if (fitted.isEmpty())
        return {};
    reader.setScaledSize(quarterTurn ? fitted.transposed() : fitted);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (degrees != 0)
        image = image.transformed(QTransform().rotate(degrees));
    if (image.size() != fitted)
        image = image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

QByteArray encodedJpeg(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(100);
    return writer.write(image) ? bytes : QByteArray();
}

bool samePath(const QString& a, const QString& b)
{
    const QFileInfo first(a), second(b);
    if (first.exists() && second.exists())
        return first.canonicalFilePath() == second.canonicalFilePath();
    return first.absoluteFilePath() == second.absoluteFilePath();
}

// Runs step on the files from `first` on, all at once; the error of the first
// of them that failed, "" when every step worked.
QString together(const std::vector<std::shared_ptr<files::PendingFile>>& pending, size_t first,
                 const std::function<bool(files::PendingFile&)>& step)
{
    std::vector<std::future<bool>> steps;
    for (size_t i = first; i < pending.size(); ++i)
        steps.push_back(std::async(std::launch::async, [&step, &file = *pending[i]] { return step(file); }));
    QString failed;
    for (size_t i = 0; i < steps.size(); ++i) {
        if (!steps[i].get() && failed.isEmpty())
            failed = pending[first + i]->error();
    }
    return failed;
}

// The folders the picture's files go into, made when missing. "" when they
// are there, else a French message naming the one that could not be made.
QString ensureFolders(const Destinations& destinations, const QString& cameraFile)
{
    for (const QString& target :
         {destinations.archive, destinations.picture, destinations.lowRes, destinations.lowRes3}) {
        const QString folder = QFileInfo(target).absolutePath();
        if (!paths::ensureFolder(folder))
            return QStringLiteral("Le dossier « %1 » n'a pas pu être créé : la photo « %2 » n'a pas été classée.")
                .arg(shown(folder), shown(cameraFile));
    }
    return {};
}

// Moves the archived original that the new one will replace to keptAs (a name of its own when
// empty). An original that holds the new bytes already (a filing done again) stays where it is.
// Answers where it went ("" when there was none); error says why it could not.
QString setAside(const Destinations& destinations, const Fingerprint& incoming, bool again, const QString& keptAs,
                 QString& error)
{
    const QFileInfo original(destinations.archive);
    if ((!original.exists() && !original.isSymLink()) || (again && holds(QFile::encodeName(destinations.archive), incoming)))
        return {};
    QString notMoved;
    const QString kept = dossiers_etab::garder(destinations.archive, destinations.replaced, notMoved, keptAs);
    if (kept.isEmpty()) {
        error = QStringLiteral("L'original « %1 » n'a pas pu être mis de côté dans « %2 » : il n'a pas été remplacé.")
                    .arg(shown(destinations.archive), shown(destinations.replaced));
        return {};
    }
    return kept;
}

} // namespace

int rotationDegrees(const QString& sensPriseDeVue, bool importManuel)
{
    if (importManuel)
        return 0;
    if (sensPriseDeVue == u"TeteGauche")
        return 90;
    if (sensPriseDeVue == u"TeteDroite")
        return 270;
    return 0;
}

Destinations destinations(const dossiers_etab::Dossiers& etab, const QString& classe, const QString& nom,
                          const QString& prenom, const QString& cdeEleve, int numero)
{
    if (!etab.valides())
        return {};
    const QString lowResName = noms_photos::nomBasseResolution(nom, prenom, numero);
    Destinations result;
    result.archive = paths::join(etab.archive, {noms_photos::nomArchive(classe, nom, prenom, numero)});
    result.picture = paths::join(etab.donnees, {paths::component(cdeEleve + QStringLiteral(".jpg"))});
    result.lowRes = paths::join(etab.br, {lowResName});
    result.lowRes3 = paths::join(etab.br3, {noms_photos::dossierClasse(classe), lowResName});
    result.replaced = paths::join(etab.archive, {QStringLiteral("remplacées")});
    result.unfiled = paths::join(etab.archive, {QStringLiteral("non classées")});
    return result;
}

QString keptOriginalName(const Destinations& destinations)
{
    const QFileInfo original(destinations.archive);
    return original.exists() || original.isSymLink()
        ? dossiers_etab::nomGarde(destinations.archive, destinations.replaced)
        : QString();
}

namespace {

Prepared refusal(Prepared::State state, const QString& error)
{
    Prepared prepared;
    prepared.state = state;
    prepared.error = error;
    return prepared;
}

// Refused for good once it has stood still too long to be anything but cut short; waited for until then.
Prepared notWhole(bool givenUp, const QString& error)
{
    return givenUp ? refusal(Prepared::State::Refused, error) : Prepared{};
}

// What the camera's bytes make: the checks of their destinations, then the archive copy written
// aside while the picture decodes and their fingerprint is taken.
Prepared fromBytes(const QByteArray& original, const QString& cameraFile, int degrees,
                   const Destinations& destinations, bool givenUp)
{
    if (QString missing = ensureFolders(destinations, cameraFile); !missing.isEmpty())
        return refusal(Prepared::State::Failed, missing);

    // The archive copy is written and flushed beside its target while the picture decodes, as the
    // flush costs about as much as the decode; the fingerprint is taken meanwhile too.
    auto archive = std::make_shared<files::PendingFile>(destinations.archive);
    auto archiveWritten = std::async(std::launch::async, [&archive, &original] { return archive->write(original); });
    auto camera = std::async(std::launch::async, [&original] { return fingerprint(original); });
    const QImage image = workingPicture(original, normalised(degrees));
    const QByteArray picture = image.isNull() ? QByteArray() : encodedJpeg(image);
    const bool archived = archiveWritten.get();
    Prepared prepared;
    prepared.camera = camera.get();
    if (image.isNull())
        return notWhole(givenUp, unreadable(cameraFile));
    if (picture.isEmpty())
        return refusal(Prepared::State::Failed,
                       QStringLiteral("Impossible d'enregistrer l'image « %1 ».").arg(shown(destinations.picture)));
    if (!archived)
        return refusal(Prepared::State::Failed, archive->error());
    prepared.state = Prepared::State::Ready;
    prepared.pictureDigest = fingerprint(picture).digest;
    prepared.picture = picture;
    prepared.archive = std::move(archive);
    return prepared;
}

// Why the destinations cannot take this camera file; "" when they can.
QString unusable(const Destinations& destinations, const QString& cameraFile)
{
    if (destinations.picture.isEmpty())
        return QStringLiteral("Le nom de l'établissement ne peut pas servir de nom de dossier : la photo « %1 » "
                              "n'a pas été classée.").arg(shown(cameraFile));
    for (const QString& target : {destinations.picture, destinations.lowRes, destinations.lowRes3, destinations.archive}) {
        if (samePath(target, cameraFile))
            return QStringLiteral("La photo « %1 » ne peut pas être classée sur elle-même.").arg(shown(cameraFile));
    }
    return {};
}

} // namespace

Prepared prepare(const WatchedFolder::Candidate& camera, int degrees, const Destinations& destinations)
{
    const QString cameraFile = camera.file.path();
    if (QString error = unusable(destinations, cameraFile); !error.isEmpty())
        return refusal(Prepared::State::Failed, error);

    if (camera.file.size > WatchedFolder::kLargestCameraFile)
        return refusal(Prepared::State::Refused,
                       QStringLiteral("La photo « %1 » pèse plus de %2 Mo : aucun appareil photo n'écrit de fichier "
                                      "aussi gros, elle n'a été ni lue ni classée.")
                           .arg(shown(cameraFile))
                           .arg(WatchedFolder::kLargestCameraFile / (1024 * 1024)));
    // The camera file is read once: its bytes feed the checks, the archive and the decoder.
    QByteArray original;
    camera_files::Version version;
    if (!camera_files::read(camera.file.rawPath, original, &version))
        return notWhole(camera.givenUp(), QStringLiteral("Impossible de lire la photo « %1 ».").arg(shown(cameraFile)));
    if (original.isEmpty())
        return notWhole(camera.givenUp(),
                        QStringLiteral("La photo « %1 » est vide : elle n'a pas été classée.").arg(shown(cameraFile)));
    // libjpeg pads a cut-short file with grey and reports success, so the primary image's end
    // marker is looked for first (a thumbnail's one, inside the metadata, does not count).
    if (camera.holes || !endsWhole(original, camera.unchangedCalls))
        return notWhole(camera.givenUp(), unreadable(cameraFile));
    Prepared prepared = fromBytes(original, cameraFile, degrees, destinations, camera.givenUp());
    prepared.cameraVersion = version;
    return prepared;
}

Prepared prepareBytes(const QByteArray& original, const QString& shownName, int degrees,
                      const Destinations& destinations)
{
    if (destinations.picture.isEmpty())
        return refusal(Prepared::State::Failed, unusable(destinations, shownName));
    if (!endsWhole(original, 1))
        return refusal(Prepared::State::Refused, unreadable(shownName));
    Prepared prepared = fromBytes(original, shownName, degrees, destinations, true);
    prepared.again = true;
    return prepared;
}

Filed place(const Prepared& prepared, const Destinations& destinations, const QString& keptAs,
            const std::function<QString()>& record)
{
    // Every file is written beside its target first, each waiting for its bytes to reach the disk
    // (together, so that the file system flushes them in one go); the targets are replaced only
    // once all four were written, so a full disk leaves the student's old files as they were.
    std::vector<std::shared_ptr<files::PendingFile>> pending{prepared.archive};
    for (const QString& target : {destinations.picture, destinations.lowRes, destinations.lowRes3})
        pending.push_back(std::make_shared<files::PendingFile>(target));
    auto recorded = std::async(std::launch::async, [&record] { return record ? record() : QString(); });
    const QString failed =
        together(pending, 1, [&prepared](files::PendingFile& file) { return file.write(prepared.picture); });
    if (QString notRecorded = recorded.get(); !notRecorded.isEmpty())
        return {notRecorded, {}};
    if (!failed.isEmpty())
        return {failed, {}};

    Filed filed;
    filed.keptOriginal = setAside(destinations, prepared.camera, prepared.again, keptAs, filed.error);
    if (!filed.error.isEmpty())
        return filed;
    // Each rename is followed by a sync of its folder: together, they cost the file system one flush.
    filed.error = together(pending, 0, [](files::PendingFile& file) { return file.commit(); });
    if (!filed.error.isEmpty() && !filed.keptOriginal.isEmpty())
        filed.error += QStringLiteral(" L'original qu'elle remplaçait est gardé dans « %1 ».").arg(shown(filed.keptOriginal));
    return filed;
}

QString undo(const Destinations& destinations, const Fingerprint& camera, const QByteArray& pictureDigest,
            const QString& keptAs)
{
    QStringList left;
    const auto removeIf = [&left](const QString& path, bool ours) {
        if (ours && !camera_files::remove(QFile::encodeName(path)))
            left << shown(path);
    };
    removeIf(destinations.archive, holds(QFile::encodeName(destinations.archive), camera));
    for (const QString& copy : {destinations.picture, destinations.lowRes, destinations.lowRes3})
        removeIf(copy, QFileInfo::exists(copy) && fingerprintOf(QFile::encodeName(copy)).digest == pictureDigest);
    const QFileInfo archive(destinations.archive);
    if (!keptAs.isEmpty() && QFileInfo::exists(keptAs) && !archive.exists() && !archive.isSymLink()
        && !files::move(keptAs, destinations.archive).isEmpty())
        left << shown(keptAs);
    if (left.isEmpty())
        return {};
    return QStringLiteral("Ces fichiers n'ont pas pu être retirés ou remis en place :\n%1").arg(left.join(u'\n'));
}

// The answer is posted to a relay of our own that lives in context's thread: the worker never
// touches context, which that thread may delete at any time; the relay checks it there.
void onWorker(QObject* context, std::function<std::function<void()>()> work)
{
    auto* relay = new QObject;
    relay->moveToThread(context->thread());
    QPointer<QObject> guard(context);
    QThreadPool::globalInstance()->start([relay, guard, work = std::move(work)]() {
        std::function<void()> answer = work();
        QMetaObject::invokeMethod(relay, [relay, guard, answer = std::move(answer)]() {
            if (guard)
                answer();
            relay->deleteLater();
        }, Qt::QueuedConnection);
    });
}

void prepareAsync(QObject* context, const WatchedFolder::Candidate& camera, int degrees,
                  const Destinations& destinations, std::function<void(const Prepared&)> done)
{
    onWorker(context, [=]() -> std::function<void()> {
        const Prepared prepared = prepare(camera, degrees, destinations);
        return [done, prepared] { done(prepared); };
    });
}

void placeAsync(QObject* context, const Prepared& prepared, const Destinations& destinations, const QString& keptAs,
                std::function<QString()> record, std::function<void(const Filed&)> done)
{
    onWorker(context, [=]() -> std::function<void()> {
        const Filed filed = place(prepared, destinations, keptAs, record);
        return [done, filed] { done(filed); };
    });
}

} // namespace capture
