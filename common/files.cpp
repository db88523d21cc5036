#include "common/files.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace files {

bool replaceWithCopy(const QString& source, const QString& target)
{
    const QFileInfo info(target);
    const QString partial = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".copie");
    QFile::remove(partial);
    if (!QFile::copy(source, partial)) {
        QFile::remove(partial);
        return false;
    }
    // Shipped files may be read-only; their copies must not be.
    QFile::setPermissions(partial, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    // QFile::rename refuses to replace an existing file; rename(2) replaces it atomically.
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(partial);
        return false;
    }
    return true;
}

} // namespace files
