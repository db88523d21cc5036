#include "common/dialogs.h"

#include "common/service_slot.h"

namespace dialogs {

namespace {

QString& name()
{
    static QString programNameText;
    return programNameText;
}

// The program installs its Qt dialogs at start, the tests their scripted ones.
ServiceSlot<Service> installed("dialogs::service() used before a dialog service was installed");

QString titleOrProgram(const QString& title)
{
    return title.isEmpty() ? programName() : title;
}

} // namespace

void setProgramName(const QString& programNameText)
{
    name() = programNameText;
}

QString programName()
{
    return name();
}

Service& service()
{
    return installed.get();
}

std::unique_ptr<Service> install(std::unique_ptr<Service> replacement)
{
    return installed.install(std::move(replacement));
}

QString normalizeLineBreaks(const QString& text)
{
    QString result = text;
    result.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(u'\r', u'\n');
    return result;
}

Answer message(const QString& text, Icon icon, Buttons buttons, const QString& title)
{
    return service().message(normalizeLineBreaks(text), titleOrProgram(title), icon, buttons);
}

std::optional<QString> input(const QString& prompt, const QString& title, const QString& defaultText)
{
    return service().input(normalizeLineBreaks(prompt), titleOrProgram(title), defaultText);
}

QString openFile(const FileRequest& request)
{
    return service().openFile(request);
}

} // namespace dialogs
