#include "photographer/shoot/capture.h"

#include "common/files.h"
#include "common/paths.h"
#include "common/pictures.h"
#include "photographer/shoot/watched_folder.h"

#include <QBuffer>
#include <QDateTime>
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

// A class's folder: one component that can never climb out of its parent.
QString classFolder(const QString& name)
{
    const QString part = paths::component(name);
    return part == u"." || part == u".." ? QString(part).replace(u'.', u'_') : part;
}

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
QString together(const std::vector<std::unique_ptr<files::PendingFile>>& pending, size_t first,
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

// Moves the archived original that the new one will replace into the folder
// of replaced originals, under its own name followed by its date and time.
// Answers where it went ("" when there was none); error says why it could not.
QString setAside(const Destinations& destinations, QString& error)
{
    const QFileInfo original(destinations.archive);
    if (!original.exists() && !original.isSymLink())
        return {};
    const QString kept = dossiers_etab::nomLibre(
        destinations.replaced,
        original.completeBaseName() + u'_' + original.lastModified().toString(QStringLiteral("ddMMyyyy_HHmmss")),
        u'.' + original.suffix());
    // QFile::rename never replaces a file already there.
    if (!paths::ensureFolder(destinations.replaced) || !QFile::rename(destinations.archive, kept)) {
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
                          const QString& prenom, const QString& cdeEleve)
{
    if (!etab.valides())
        return {};
    const QString separator = QStringLiteral("xsepx");
    const QString lowResName = paths::component(nom + u' ' + prenom + QStringLiteral(".jpg"));
    Destinations result;
    result.archive = paths::join(etab.archive,
        {paths::component(classe + separator + nom + separator + prenom + separator + QStringLiteral(".jpg"))});
    result.picture = paths::join(etab.donnees, {paths::component(cdeEleve + QStringLiteral(".jpg"))});
    result.lowRes = paths::join(etab.br, {lowResName});
    result.lowRes3 = paths::join(etab.br3, {classFolder(classe), lowResName});
    result.replaced = paths::join(etab.archive, {QStringLiteral("remplacées")});
    return result;
}

Filed filePicture(const QByteArray& cameraPath, int degrees, const Destinations& destinations)
{
    const QString cameraFile = QFile::decodeName(cameraPath);
    if (destinations.picture.isEmpty())
        return {QStringLiteral("Le nom de l'établissement ne peut pas servir de nom de dossier : la photo « %1 » "
                               "n'a pas été classée.").arg(shown(cameraFile)), {}};
    const QStringList copies = {destinations.picture, destinations.lowRes, destinations.lowRes3};
    for (const QString& target : copies + QStringList{destinations.archive}) {
        if (samePath(target, cameraFile))
            return {QStringLiteral("La photo « %1 » ne peut pas être classée sur elle-même.").arg(shown(cameraFile)), {}};
    }

    // The camera file is read once: its bytes feed both the archive and the decoder.
    QByteArray original;
    if (!camera_files::read(cameraPath, original))
        return {QStringLiteral("Impossible de lire la photo « %1 ».").arg(shown(cameraFile)), {}};

    // libjpeg pads a cut-short file with grey and reports success, so the primary image's end
    // marker is looked for first (a thumbnail's one, inside the metadata, does not count).
    if (jpegImageEnd(original) < 0)
        return {unreadable(cameraFile), {}};
    if (QString missing = ensureFolders(destinations, cameraFile); !missing.isEmpty())
        return {missing, {}};

    // The archive copy is written and flushed to disk while the picture decodes, as the flush costs
    // about as much as the decode; it replaces the old archive only once the decode has worked.
    std::vector<std::unique_ptr<files::PendingFile>> pending;
    pending.push_back(std::make_unique<files::PendingFile>(destinations.archive));
    auto archiveWritten = std::async(std::launch::async, [&pending, &original] { return pending[0]->write(original); });
    const QImage image = workingPicture(original, normalised(degrees));
    const QByteArray picture = image.isNull() ? QByteArray() : encodedJpeg(image);
    const bool archived = archiveWritten.get();
    if (image.isNull())
        return {unreadable(cameraFile), {}};
    if (picture.isEmpty())
        return {QStringLiteral("Impossible d'enregistrer l'image « %1 ».").arg(shown(destinations.picture)), {}};
    if (!archived)
        return {pending[0]->error(), {}};

    // Every file is written beside its target first, each waiting for its bytes to reach the disk
    // (together, so that the file system flushes them in one go); the targets are replaced only
    // once all four were written, so a full disk leaves the student's old files as they were.
    for (const QString& target : copies)
        pending.push_back(std::make_unique<files::PendingFile>(target));
    if (QString failed = together(pending, 1, [&picture](files::PendingFile& file) { return file.write(picture); });
        !failed.isEmpty())
        return {failed, {}};

    Filed filed;
    filed.keptOriginal = setAside(destinations, filed.error);
    if (!filed.error.isEmpty())
        return filed;
    // Each rename is followed by a sync of its folder: together, they cost the file system one flush.
    filed.error = together(pending, 0, [](files::PendingFile& file) { return file.commit(); });
    if (!filed.error.isEmpty() && !filed.keptOriginal.isEmpty())
        filed.error += QStringLiteral(" L'original qu'elle remplaçait est gardé dans « %1 ».").arg(shown(filed.keptOriginal));
    return filed;
}

void filePictureAsync(QObject* context, const QByteArray& cameraPath, int degrees,
                      const Destinations& destinations, std::function<void(const Filed&)> done)
{
    // The answer is posted to a relay of our own that lives in context's thread: the worker never
    // touches context, which that thread may delete at any time; the relay checks it there.
    auto* relay = new QObject;
    relay->moveToThread(context->thread());
    QPointer<QObject> guard(context);
    QThreadPool::globalInstance()->start([=]() {
        const Filed filed = filePicture(cameraPath, degrees, destinations);
        QMetaObject::invokeMethod(relay, [=]() {
            if (guard)
                done(filed);
            relay->deleteLater();
        }, Qt::QueuedConnection);
    });
}

} // namespace capture
