#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// The files of the watched folder as the file system names them. Cameras and
// card readers write names in any encoding: a name that is not valid UTF-8
// cannot round-trip through a QString, so every file here is reached by its
// raw bytes and only shown through QFile::decodeName.
namespace camera_files {

struct Entry {
    QByteArray rawPath;    // folder and name, as the file system holds them
    qint64 size = 0;
    qint64 modified = 0;   // modification time, in nanoseconds
    QString name() const;  // the name as the system shows it
    QString path() const;  // the whole path as the system shows it
    bool operator==(const Entry&) const = default;
};

// The plain files of folder (hidden ones included), in the byte order of
// their names; nothing when the folder cannot be read.
std::vector<Entry> list(const QString& folder);

// The whole file; false when it cannot be read.
bool read(const QByteArray& rawPath, QByteArray& bytes);

// Removes the file and syncs its folder, so that a power cut cannot bring it
// back; false when it is still there or the folder could not be synced.
bool remove(const QByteArray& rawPath);

// Moves the file into folder (made when missing) under its own name, or with _2, _3... added
// when that name is taken: never over another file. Answers where it now lies; "" when it could
// not be moved, with error saying why in French.
QString moveAside(const QByteArray& rawPath, const QString& folder, QString& error);

} // namespace camera_files
