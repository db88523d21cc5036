#include "common/pictures.h"

#include "common/paths.h"

#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace pictures {

QSize fittedSize(const QSize& source, const QSize& bound)
{
    if (source.isEmpty() || bound.isEmpty())
        return {};
    if (source.width() <= bound.width() && source.height() <= bound.height())
        return source;
    // Rounded rather than truncated, so that 6000x4000 fits as 400x267.
    const double scale = std::min(double(bound.width()) / source.width(), double(bound.height()) / source.height());
    return QSize(std::max(1, int(std::lround(source.width() * scale))),
                 std::max(1, int(std::lround(source.height() * scale))));
}

QImage loadFitted(const QString& path, const QSize& bound, Orientation orientation)
{
    QImageReader reader(path);
    reader.setAutoTransform(orientation == Orientation::Upright);
    // The reader scales the stored pixels, then turns them.
    const bool quarterTurn = orientation == Orientation::Upright
                             && reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize stored = reader.size();
    const QSize target = fittedSize(quarterTurn ? stored.transposed() : stored, bound);
    if (target.isEmpty())
        return {};
    reader.setScaledSize(quarterTurn ? target.transposed() : target);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    return image.size() == target ? image : image.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

StudentPicture lookUpStudentPicture(const QString& folder, const QString& stem, const QString& nom,
                                    const QString& prenom)
{
    StudentPicture found;
    for (const QString& name : {stem, nom + u'.' + prenom}) {
        if (name.isEmpty())
            continue;
        const QString path = paths::join(folder, {paths::component(name + QStringLiteral(".jpg"))});
        const QFileInfo file(path);
        // isSymLink() first: exists() and isFile() look through a link.
        if (!file.isSymLink() && file.isFile() && file.size() > 0) {
            found.path = path;
            return found;
        }
        if (found.refused.isEmpty() && (file.isSymLink() || file.exists()))
            found.refused = path;
    }
    return found;
}

QString findStudentPicture(const QString& folder, const QString& stem, const QString& nom, const QString& prenom)
{
    return lookUpStudentPicture(folder, stem, nom, prenom).path;
}

} // namespace pictures
