#include "photographer/shoot/capture.h"

#include "common/paths.h"
#include "common/pictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPointer>
#include <QSaveFile>
#include <QThreadPool>
#include <QTransform>

#include <future>
#include <memory>
#include <vector>

#include <unistd.h>

namespace capture {

namespace {

const QSize kPictureBound(400, 400);

// A folder named by a user: one component that can never climb out of its parent.
QString folderComponent(const QString& name)
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

QString cannotWrite(const QString& path)
{
    return QStringLiteral("Impossible d'écrire le fichier « %1 ».").arg(shown(path));
}

// The file that will replace target, open beside it in target's folder (created when missing);
// null with error set when that fails.
std::unique_ptr<QSaveFile> openBeside(const QString& target, QString& error)
{
    const QString folder = QFileInfo(target).absolutePath();
    if (!paths::ensureFolder(folder)) {
        error = QStringLiteral("Impossible de créer le dossier « %1 ».").arg(shown(folder));
        return nullptr;
    }
    auto file = std::make_unique<QSaveFile>(target);
    if (!file->open(QIODevice::WriteOnly)) {
        error = cannotWrite(target);
        return nullptr;
    }
    return file;
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

Destinations destinations(const QString& cheminDonnees, const QString& nomEtab,
                          const QString& dossierArchiveHD, const QString& classe,
                          const QString& nom, const QString& prenom, const QString& cdeEleve)
{
    const QString separator = QStringLiteral("xsepx");
    const QString lowResName = paths::component(nom + u' ' + prenom + QStringLiteral(".jpg"));
    Destinations result;
    result.archive = paths::join(dossierArchiveHD,
        {paths::component(classe + separator + nom + separator + prenom + separator + QStringLiteral(".jpg"))});
    result.picture = paths::join(cheminDonnees, {folderComponent(nomEtab), paths::component(cdeEleve + QStringLiteral(".jpg"))});
    result.lowRes = paths::join(cheminDonnees, {folderComponent(nomEtab + QStringLiteral(" BR")), lowResName});
    result.lowRes3 = paths::join(cheminDonnees,
        {folderComponent(nomEtab + QStringLiteral(" BR3")), folderComponent(classe), lowResName});
    return result;
}

QString filePicture(const QString& cameraFile, int degrees, const Destinations& destinations)
{
    const QStringList copies = {destinations.picture, destinations.lowRes, destinations.lowRes3};
    for (const QString& target : copies + QStringList{destinations.archive}) {
        if (samePath(target, cameraFile))
            return QStringLiteral("La photo « %1 » ne peut pas être classée sur elle-même.").arg(shown(cameraFile));
    }

    // The camera file is read once: its bytes feed both the archive and the decoder.
    QFile camera(cameraFile);
    if (!camera.open(QIODevice::ReadOnly))
        return QStringLiteral("Impossible de lire la photo « %1 ».").arg(shown(cameraFile));
    const QByteArray original = camera.readAll();
    if (camera.error() != QFileDevice::NoError)
        return QStringLiteral("Impossible de lire la photo « %1 ».").arg(shown(cameraFile));
    camera.close();

    // libjpeg pads a cut-short file with grey and reports success, so the end marker is checked first.
    if (!endsWithJpegEndMarker(original))
        return unreadable(cameraFile);

    // The archive copy is written and flushed to disk while the picture decodes, as the flush costs
    // about as much as the decode; it replaces the old archive only once the decode has worked.
    QString error;
    std::unique_ptr<QSaveFile> archive = openBeside(destinations.archive, error);
    if (!archive)
        return error;
    auto archiveWritten = std::async(std::launch::async, [&archive, &original] {
        return archive->write(original) == original.size() && archive->flush() && ::fsync(archive->handle()) == 0;
    });
    const QImage image = workingPicture(original, normalised(degrees));
    const QByteArray picture = image.isNull() ? QByteArray() : encodedJpeg(image);
    const bool archived = archiveWritten.get();
    if (image.isNull())
        return unreadable(cameraFile);
    if (picture.isEmpty())
        return QStringLiteral("Impossible d'enregistrer l'image « %1 ».").arg(shown(destinations.picture));
    if (!archived)
        return cannotWrite(destinations.archive);

    // Every file is written beside its target first; the targets are replaced only once all
    // four were written, so a full disk leaves the student's old files as they were.
    std::vector<std::unique_ptr<QSaveFile>> pending;
    pending.push_back(std::move(archive));
    for (const QString& target : copies) {
        std::unique_ptr<QSaveFile> file = openBeside(target, error);
        if (!file)
            return error;
        if (file->write(picture) != picture.size())
            return cannotWrite(target);
        pending.push_back(std::move(file));
    }
    // Each commit waits for its file to reach the disk; waiting for the four together lets the
    // file system flush them in one go.
    std::vector<std::future<bool>> commits;
    for (const auto& file : pending)
        commits.push_back(std::async(std::launch::async, [&file] { return file->commit(); }));
    QString failed;
    for (size_t i = 0; i < commits.size(); ++i) {
        if (!commits[i].get() && failed.isEmpty())
            failed = cannotWrite(pending[i]->fileName());
    }
    return failed;
}

void filePictureAsync(QObject* context, const QString& cameraFile, int degrees,
                      const Destinations& destinations, std::function<void(const QString&)> done)
{
    // The answer is posted to a relay of our own that lives in context's thread: the worker never
    // touches context, which that thread may delete at any time; the relay checks it there.
    auto* relay = new QObject;
    relay->moveToThread(context->thread());
    QPointer<QObject> guard(context);
    QThreadPool::globalInstance()->start([=]() {
        const QString error = filePicture(cameraFile, degrees, destinations);
        QMetaObject::invokeMethod(relay, [=]() {
            if (guard)
                done(error);
            relay->deleteLater();
        }, Qt::QueuedConnection);
    });
}

} // namespace capture
