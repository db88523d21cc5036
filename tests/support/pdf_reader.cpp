#include "tests/support/pdf_reader.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <utility>

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

std::vector<Word> pageWords(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    static const QRegularExpression word(QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" "
                                                        "xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    std::vector<Word> words;
    for (const QRegularExpressionMatch& match :
         word.globalMatch(run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), number,
                                                            QStringLiteral("-l"), number, pdf, QStringLiteral("-")}))) {
        const QPointF topLeft(match.captured(1).toDouble(), match.captured(2).toDouble());
        const QPointF bottomRight(match.captured(3).toDouble(), match.captured(4).toDouble());
        QString text = match.captured(5);
        for (const auto& [entity, character] : {std::pair{"&lt;", "<"}, std::pair{"&gt;", ">"}, std::pair{"&quot;", "\""},
                                                std::pair{"&apos;", "'"}, std::pair{"&amp;", "&"}})
            text.replace(QString::fromLatin1(entity), QString::fromLatin1(character));
        words.push_back({text, QRectF(topLeft, bottomRight)});
    }
    return words;
}

double printedPoints(const Word& word, const QFont& font)
{
    constexpr int kPixels = 1000; // large enough for whole-pixel metrics to be exact
    QFont measured = font;
    measured.setPixelSize(kPixels);
    const QFontMetricsF metrics(measured);
    return word.box.height() * kPixels / (metrics.ascent() + metrics.descent());
}

void renderPages(const QString& pdf, int dpi, const QString& prefix)
{
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), pdf, prefix});
}

} // namespace pdf_reader
