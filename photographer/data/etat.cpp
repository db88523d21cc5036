#include "photographer/data/etat.h"

namespace etat {

QString versionText()
{
    return QStringLiteral("V. %1.%2 R%3")
        .arg(SCHOOLPHOTO_VERSION_MAJOR)
        .arg(SCHOOLPHOTO_VERSION_MINOR)
        .arg(SCHOOLPHOTO_VERSION_PATCH);
}

} // namespace etat
