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
// key the picture was filed under), else "<Nom>.<Prenom>.jpg"; "" when
// neither file exists. Both programs find pictures through this one rule.
QString findStudentPicture(const QString& folder, const QString& stem, const QString& nom, const QString& prenom);

} // namespace pictures
