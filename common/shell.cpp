#include "common/shell.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QUrl>

#include "common/text.h"

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
        QFile file(htmlFile);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        QTextDocument document;
        document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(htmlFile).absolutePath() + u'/'));
        document.setHtml(text::fromWindows1252(file.readAll()));
        QPrinter printer;
        QPrintDialog dialog(&printer);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        document.print(&printer);
        return true;
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
