#include "common/ui/desktop_shell.h"

#include "common/printing.h"
#include "common/report.h"

#include <QDesktopServices>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace shell {

namespace {

// Keeps Qt's own messages off the terminal while it lives: for a failed open they are English
// ("Unable to detect a launcher…") and say what openOrReport says in French.
class QtMessagesHeld {
public:
    QtMessagesHeld() : previous_(qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {})) {}
    ~QtMessagesHeld() { qInstallMessageHandler(previous_); }
    QtMessagesHeld(const QtMessagesHeld&) = delete;
    QtMessagesHeld& operator=(const QtMessagesHeld&) = delete;

private:
    QtMessageHandler previous_;
};

class DesktopService final : public Service {
public:
    bool open(const QString& target) override
    {
        const QUrl url = target.contains(QStringLiteral("://")) ? QUrl(target) : QUrl::fromLocalFile(target);
        const QtMessagesHeld held;
        return QDesktopServices::openUrl(url);
    }

    bool print(const QString& htmlFile, double minimumPoints) override
    {
        QPrinter printer(QPrinter::HighResolution);
        printing::useDocumentPage(printer);
        QPrintDialog dialog(&printer);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        const QString failure = printing::printHtmlFile(htmlFile, printer, minimumPoints);
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
