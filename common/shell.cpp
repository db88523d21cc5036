#include "common/shell.h"



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

QString updateAddress(const QString& updatePath)
{
    return QString::fromLatin1(kMakerSite) + updatePath;
}

} // namespace shell
