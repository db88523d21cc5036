#pragma once

#include "photographer/shoot/exif.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The capture times of the pictures filed since the capture started, and for whom: a camera file
// that arrives with an earlier one than a picture already filed (a card copied in its own order)
// may put the students' pictures out of order.
class OrdrePrise {
public:
    void classee(const std::optional<exif::CaptureTime>& prise, const QString& eleve);
    // The students whose pictures were taken after `prise`, in the order they were filed.
    QStringList prisesApres(const std::optional<exif::CaptureTime>& prise) const;
    void oublier();

    // The question that asks whether `fichier` goes to `eleve` all the same; apres as prisesApres gives it.
    static QString question(const QString& fichier, const QString& eleve, const QStringList& apres);

private:
    std::vector<std::pair<exif::CaptureTime, QString>> classees_;
};
