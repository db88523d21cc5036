#include "common/dialogs.h"


namespace dialogs {

namespace {

QString& name()
{
    static QString programNameText;
    return programNameText;
}

std::unique_ptr<Service>& current()
{
    static std::unique_ptr<Service> installed;
    return installed;
}

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
    // The program installs its Qt dialogs at start, the tests their scripted ones.
    if (!current())
        qFatal("dialogs::service() used before a dialog service was installed");
    return *current();
}

std::unique_ptr<Service> install(std::unique_ptr<Service> replacement)
{
    std::unique_ptr<Service> old = std::move(current());
    current() = std::move(replacement);
    return old;
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

QString chooseFolder(const QString& title, const QString& folder)
{
    return service().chooseFolder(title, folder);
}


} // namespace dialogs
