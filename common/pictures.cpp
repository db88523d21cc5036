#include "common/pictures.h"

#include "common/paths.h"
#include "common/text.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <vector>
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

namespace {

// The entries of a folder, listed once for a look-up, and only when a name
// with accents was not found as spelled: a name composed in the database and
// decomposed on the disk (a file from another system, a database whose names
// were composed since) spells one name in two byte sequences.
class Listing {
public:
    explicit Listing(const QString& folder) : folder_(folder) {}

    // The entries named as fileName once both are composed, in name order.
    QStringList sameName(const QString& fileName)
    {
        if (!listed_) {
            for (const QString& entry : QDir(folder_).entryList(
                     QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name))
                entries_.push_back({entry, text::composed(entry)});
            listed_ = true;
        }
        const QString wanted = text::composed(fileName);
        QStringList found;
        for (const Entry& entry : entries_) {
            if (entry.name != fileName && entry.composed == wanted)
                found << paths::join(folder_, {entry.name});
        }
        return found;
    }

private:
    struct Entry {
        QString name, composed;
    };
    QString folder_;
    bool listed_ = false;
    std::vector<Entry> entries_;
};

bool onlyAscii(const QString& name)
{
    return std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

StudentPicture lookUpStudentPicture(const QString& folder, const QString& stem, const QString& nom,
                                    const QString& prenom)
{
    StudentPicture found;
    // True when path is the picture; remembers the first entry passed over.
    const auto take = [&found](const QString& path) {
        const QFileInfo file(path);
        // isSymLink() first: exists() and isFile() look through a link.
        if (!file.isSymLink() && file.isFile() && file.size() > 0) {
            found.path = path;
            return true;
        }
        if (found.refused.isEmpty() && (file.isSymLink() || file.exists()))
            found.refused = path;
        return false;
    };
    Listing listing(folder);
    for (const QString& name : {stem, nom + u'.' + prenom}) {
        if (name.isEmpty())
            continue;
        const QString fileName = paths::component(name + QStringLiteral(".jpg"));
        if (take(paths::join(folder, {fileName})))
            return found;
        if (onlyAscii(fileName))
            continue;
        for (const QString& path : listing.sameName(fileName)) {
            if (take(path))
                return found;
        }
    }
    return found;
}

QString findStudentPicture(const QString& folder, const QString& stem, const QString& nom, const QString& prenom)
{
    return lookUpStudentPicture(folder, stem, nom, prenom).path;
}

} // namespace pictures
