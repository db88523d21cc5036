#include "photographer/shoot/capture.h"

#include "common/paths.h"
#include "common/pictures.h"
#include "photographer/shoot/watched_folder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPointer>
#include <QTemporaryFile>
#include <QThreadPool>
#include <QTransform>

#include <future>
#include <memory>
#include <cstdio>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

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

QString cannotWrite(const QString& path)
{
    return QStringLiteral("Impossible d'écrire le fichier « %1 ».").arg(shown(path));
}

// A file that will replace its target: written under a hidden name beside it, and renamed over
// it only by commit(), once every byte is known to be on the disk. A full disk can fail the last
// flush of a small file, after every write seemed to work, so each step and the size reached on
// the disk are checked. Dropped without commit, it leaves the target as it was.
class PendingFile {
public:
    explicit PendingFile(QString target) : target_(std::move(target)) {}

    // False when the folder, the file or any byte could not be written.
    bool write(const QByteArray& bytes)
    {
        const QFileInfo info(target_);
        if (!paths::ensureFolder(info.absolutePath()))
            return false;
        file_.setFileTemplate(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
        if (!file_.open())
            return false;
        struct stat written {};
        return file_.write(bytes) == bytes.size() && file_.flush() && ::fsync(file_.handle()) == 0
            && ::fstat(file_.handle(), &written) == 0 && written.st_size == bytes.size();
    }

    bool commit()
    {
        file_.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        file_.close();
        // QFile::rename refuses to replace an existing file; rename(2) replaces it atomically.
        if (std::rename(QFile::encodeName(file_.fileName()).constData(), QFile::encodeName(target_).constData()) != 0)
            return false;
        file_.setAutoRemove(false);
        return true;
    }

    const QString& target() const { return target_; }

private:
    QString target_;
    QTemporaryFile file_;
};

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
    return result;
}

QString filePicture(const QByteArray& cameraPath, int degrees, const Destinations& destinations)
{
    const QString cameraFile = QFile::decodeName(cameraPath);
    if (destinations.picture.isEmpty())
        return QStringLiteral("Le nom de l'établissement ne peut pas servir de nom de dossier : la photo « %1 » "
                              "n'a pas été classée.").arg(shown(cameraFile));
    const QStringList copies = {destinations.picture, destinations.lowRes, destinations.lowRes3};
    for (const QString& target : copies + QStringList{destinations.archive}) {
        if (samePath(target, cameraFile))
            return QStringLiteral("La photo « %1 » ne peut pas être classée sur elle-même.").arg(shown(cameraFile));
    }

    // The camera file is read once: its bytes feed both the archive and the decoder.
    QByteArray original;
    if (!camera_files::read(cameraPath, original))
        return QStringLiteral("Impossible de lire la photo « %1 ».").arg(shown(cameraFile));

    // libjpeg pads a cut-short file with grey and reports success, so the primary image's end
    // marker is looked for first (a thumbnail's one, inside the metadata, does not count).
    if (jpegImageEnd(original) < 0)
        return unreadable(cameraFile);

    // The archive copy is written and flushed to disk while the picture decodes, as the flush costs
    // about as much as the decode; it replaces the old archive only once the decode has worked.
    std::vector<std::unique_ptr<PendingFile>> pending;
    pending.push_back(std::make_unique<PendingFile>(destinations.archive));
    auto archiveWritten = std::async(std::launch::async, [&pending, &original] { return pending[0]->write(original); });
    const QImage image = workingPicture(original, normalised(degrees));
    const QByteArray picture = image.isNull() ? QByteArray() : encodedJpeg(image);
    const bool archived = archiveWritten.get();
    if (image.isNull())
        return unreadable(cameraFile);
    if (picture.isEmpty())
        return QStringLiteral("Impossible d'enregistrer l'image « %1 ».").arg(shown(destinations.picture));
    if (!archived)
        return cannotWrite(destinations.archive);

    // Every file is written beside its target first, each waiting for its bytes to reach the disk
    // (together, so that the file system flushes them in one go); the targets are replaced only
    // once all four were written, so a full disk leaves the student's old files as they were.
    for (const QString& target : copies)
        pending.push_back(std::make_unique<PendingFile>(target));
    std::vector<std::future<bool>> writes;
    for (size_t i = 1; i < pending.size(); ++i)
        writes.push_back(std::async(std::launch::async, [&file = *pending[i], &picture] { return file.write(picture); }));
    QString failed;
    for (size_t i = 0; i < writes.size(); ++i) {
        if (!writes[i].get() && failed.isEmpty())
            failed = cannotWrite(pending[i + 1]->target());
    }
    if (!failed.isEmpty())
        return failed;
    for (const auto& file : pending) {
        if (!file->commit())
            return cannotWrite(file->target());
    }
    return {};
}

void filePictureAsync(QObject* context, const QByteArray& cameraPath, int degrees,
                      const Destinations& destinations, std::function<void(const QString&)> done)
{
    // The answer is posted to a relay of our own that lives in context's thread: the worker never
    // touches context, which that thread may delete at any time; the relay checks it there.
    auto* relay = new QObject;
    relay->moveToThread(context->thread());
    QPointer<QObject> guard(context);
    QThreadPool::globalInstance()->start([=]() {
        const QString error = filePicture(cameraPath, degrees, destinations);
        QMetaObject::invokeMethod(relay, [=]() {
            if (guard)
                done(error);
            relay->deleteLater();
        }, Qt::QueuedConnection);
    });
}

} // namespace capture
