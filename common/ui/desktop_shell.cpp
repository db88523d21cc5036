#include "common/ui/desktop_shell.h"

#include "common/printing.h"
#include "common/report.h"

#include <QDesktopServices>
#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace shell {

namespace {

class DesktopService final : public Service {
public:
    bool open(const QString& target) override
    {
        const bool address = target.contains(QStringLiteral("://"));
        if (QDesktopServices::openUrl(address ? QUrl(target) : QUrl::fromLocalFile(target)))
            return true;
        // The work itself was done; the user is told where to find it.
        report::failure(QStringLiteral("Aucun programme de cette machine n'a pu ouvrir « %1 » : ouvrez-le vous-même.")
                            .arg(address ? target : QDir::toNativeSeparators(target)),
                        QStringLiteral("QDesktopServices::openUrl a échoué pour ") + target);
        return false;
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

} // namespace

std::unique_ptr<Service> makeDesktopService()
{
    return std::make_unique<DesktopService>();
}

} // namespace shell
