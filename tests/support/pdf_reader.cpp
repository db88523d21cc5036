#include "tests/support/pdf_reader.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

namespace pdf_reader {

namespace {

// The tool's standard output; "" after a failure, which the test is told.
QString run(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForStarted(60000)) {
        ADD_FAILURE() << tool.toStdString() << " is not installed: apt-get install poppler-utils";
        return {};
    }
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString() << ' ' << arguments.join(u' ').toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

int pageCount(const QString& pdf)
{
    static const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    return pages.match(run(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
}

QString pageText(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    return run(QStringLiteral("pdftotext"),
               {QStringLiteral("-f"), number, QStringLiteral("-l"), number, pdf, QStringLiteral("-")});
}

void renderPages(const QString& pdf, int dpi, const QString& prefix)
{
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), pdf, prefix});
}

} // namespace pdf_reader
