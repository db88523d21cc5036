#include "common/shell.h"

#include "common/report.h"

#include <QDir>

namespace shell {

namespace {

std::unique_ptr<Service>& current()
{
    static std::unique_ptr<Service> installed;
    return installed;
}

} // namespace

Service& service()
{
    if (!current())
        qFatal("shell::service() used before a shell service was installed");
    return *current();
}

std::unique_ptr<Service> install(std::unique_ptr<Service> replacement)
{
    std::unique_ptr<Service> old = std::move(current());
    current() = std::move(replacement);
    return old;
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
