#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Picture decoding shared by both programs: large camera files are decoded
// at a reduced scale, never at full size.
namespace pictures {

// Stored: the pixels as the file holds them (the hand position decides the
// rotation). Upright: turned as the file's EXIF orientation says, as a
// phone's picture chosen by hand must be.
enum class Orientation { Stored, Upright };

// The picture scaled to fit inside bound (aspect kept, never enlarged);
// a null image when the file does not decode.
QImage loadFitted(const QString& path, const QSize& bound, Orientation orientation = Orientation::Stored);

// The size that fits source inside bound with the aspect ratio kept, never enlarged.
QSize fittedSize(const QSize& source, const QSize& bound);

// A student's picture in a folder of pictures: "<stem>.jpg" (the stem is the
// key the picture was filed under), else "<Nom>.<Prenom>.jpg". Both programs
// find pictures through this one rule. A name is the same name in composed
// and decomposed spelling, on either side: the file as spelled is taken first,
// then one whose name reads the same once composed. Only a file of its own with content is
// a picture: a symbolic link (which could bring in any file from elsewhere),
// an empty file or a folder under one of the names is passed over.
struct StudentPicture {
    QString path;    // the picture, "" when there is none
    QString refused; // the first file passed over, "" when none was
};
StudentPicture lookUpStudentPicture(const QString& folder, const QString& stem, const QString& nom,
                                    const QString& prenom);

// The picture alone; "" when there is none.
QString findStudentPicture(const QString& folder, const QString& stem, const QString& nom, const QString& prenom);

} // namespace pictures
