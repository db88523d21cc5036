#include "photographer/shoot/ordre_prise.h"

void OrdrePrise::classee(const std::optional<exif::CaptureTime>& prise, const QString& eleve)
{
    if (prise)
        classees_.emplace_back(*prise, eleve);
}

QStringList OrdrePrise::prisesApres(const std::optional<exif::CaptureTime>& prise) const
{
    QStringList apres;
    if (!prise)
        return apres;
    for (const auto& [moment, eleve] : classees_) {
        if (moment > *prise && !apres.contains(eleve))
            apres << eleve;
    }
    return apres;
}

void OrdrePrise::oublier()
{
    classees_.clear();
}

QString OrdrePrise::question(const QString& fichier, const QString& eleve, const QStringList& apres)
{
    return QStringLiteral("La photo « %1 » a été prise avant des photos déjà classées, celles de : %2. Les photos de ces "
                          "élèves ne sont peut-être pas les leurs.\n\nClasser quand même « %1 » pour %3 ?\n(Non : elle "
                          "est mise de côté dans les photos non classées.)")
        .arg(fichier, apres.join(QStringLiteral(", ")), eleve);
}
