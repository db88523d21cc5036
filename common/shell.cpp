#include "common/shell.h"

#include "common/report.h"
#include "common/service_slot.h"

#include <QDir>

namespace shell {

namespace {

ServiceSlot<Service> installed("shell::service() used before a shell service was installed");

} // namespace

Service& service()
{
    return installed.get();
}

std::unique_ptr<Service> install(std::unique_ptr<Service> replacement)
{
    return installed.install(std::move(replacement));
}

bool openOrReport(const QString& target)
{
    if (service().open(target))
        return true;
    const bool address = target.contains(QStringLiteral("://"));
    // The work itself was done; the user is told where to find it.
    report::failure(QStringLiteral("Aucun programme de cette machine n'a pu ouvrir « %1 » : ouvrez-le vous-même.")
                        .arg(address ? target : QDir::toNativeSeparators(target)),
                    QStringLiteral("ouverture impossible : ") + target);
    return false;
}

QString updateAddress(const QString& updatePath)
{
    return QString::fromLatin1(kMakerSite) + updatePath;
}

} // namespace shell
