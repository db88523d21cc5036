#include "common/shell.h"

#include "common/printing.h"
#include "common/report.h"

#include <QDesktopServices>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace shell {

namespace {

class DesktopService final : public Service {
public:
    bool open(const QString& target) override
    {
        const QUrl url = target.contains(QStringLiteral("://")) ? QUrl(target) : QUrl::fromLocalFile(target);
        return QDesktopServices::openUrl(url);
    }

    bool print(const QString& htmlFile) override
    {
        QPrinter printer(QPrinter::HighResolution);
        printing::useDocumentPage(printer);
        QPrintDialog dialog(&printer);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        const QString failure = printing::printHtmlFile(htmlFile, printer);
        if (failure.isEmpty())
            return true;
        report::failure(failure);
        return false;
    }
};

std::unique_ptr<Service>& current()
{
    static std::unique_ptr<Service> installed;
    return installed;
}

} // namespace

Service& service()
{
    if (!current())
        current() = makeDesktopService();
    return *current();
}

std::unique_ptr<Service> install(std::unique_ptr<Service> replacement)
{
    std::unique_ptr<Service> old = std::move(current());
    current() = std::move(replacement);
    return old;
}

std::unique_ptr<Service> makeDesktopService()
{
    return std::make_unique<DesktopService>();
}

QString updateAddress(const QString& updatePath)
{
    return QString::fromLatin1(kMakerSite) + updatePath;
}

} // namespace shell
