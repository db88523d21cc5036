#include "common/report.h"

#include "common/database.h"
#include "common/dialogs.h"

#include <QCoreApplication>

#include <cstdio>

namespace report {

void detail(const QString& technical)
{
    if (technical.isEmpty())
        return;
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(QCoreApplication::applicationName()), qUtf8Printable(technical));
    std::fflush(stderr);
}

void failure(const QString& text, const QString& technical)
{
    detail(technical);
    dialogs::message(text, dialogs::Icon::Critical);
}

void failure(const db::Error& error)
{
    failure(error.message(), error.detail());
}

QString logged(const db::Error& error)
{
    detail(error.detail());
    return error.message();
}

bool attempt(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const db::Error& error) {
        failure(error);
        return false;
    }
}

} // namespace report
