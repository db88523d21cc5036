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

// Removes the file; false when it is still there.
bool remove(const QByteArray& rawPath);

} // namespace camera_files
