#include "common/pictures.h"

#include <QImageReader>

namespace pictures {

QSize fittedSize(const QSize& source, const QSize& bound)
{
    if (source.isEmpty() || bound.isEmpty())
        return {};
    if (source.width() <= bound.width() && source.height() <= bound.height())
        return source;
    return source.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QImage loadFitted(const QString& path, const QSize& bound)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QSize target = fittedSize(reader.size(), bound);
    if (target.isEmpty())
        return {};
    reader.setScaledSize(target);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    return image.size() == target ? image : image.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace pictures
