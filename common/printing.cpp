#include "common/printing.h"

#include "common/report.h"
#include "common/text.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace printing {

namespace {

// The resolution the documents are written for: picture sizes are in screen pixels.
constexpr double kDocumentDpi = 96.0;
constexpr double kEpsilon = 0.5;

// Lays the document out at the printable width; a table of fixed cells that
// cannot shrink to it widens the layout, which is then printed scaled down.
// Answers the scale: device pixels per document pixel.
double fitToWidth(QTextDocument& document, const QPagedPaintDevice& device)
{
    const double devicePerDocument = device.logicalDpiX() / kDocumentDpi;
    const double printable = device.width() / devicePerDocument;
    document.setPageSize(QSizeF());
    document.setTextWidth(printable);
    const double needed = std::max(document.idealWidth(), document.size().width());
    if (needed > printable + kEpsilon)
        document.setTextWidth(needed);
    return devicePerDocument * printable / std::max(printable, needed);
}

// Fits the document to the width; when that would print its base text
// smaller than minimumPoints, the base font grows (and the text sized
// relative to it with it) until it prints at that size. Text is laid out in
// whole document pixels. Answers the scale.
double fitToPage(QTextDocument& document, const QPagedPaintDevice& device, double minimumPoints)
{
    constexpr double kPointsPerInch = 72.0;
    const double devicePerDocument = device.logicalDpiX() / kDocumentDpi;
    double scale = fitToWidth(document, device);
    // A larger base font may widen the layout, which then shrinks more; a
    // layout as wide as its unbreakable text never reaches the size, hence
    // the bounded rounds.
    for (int round = 0; round < 4; ++round) {
        const double pointsPerPixel = scale / devicePerDocument * kPointsPerInch / kDocumentDpi;
        QFont font = document.defaultFont();
        if (QFontInfo(font).pixelSize() * pointsPerPixel >= minimumPoints)
            break;
        font.setPixelSize(static_cast<int>(std::ceil(minimumPoints / pointsPerPixel)));
        document.setDefaultFont(font);
        scale = fitToWidth(document, device);
    }
    return scale;
}

class Pagination {
public:
    explicit Pagination(QTextDocument& document) : layout_(*document.documentLayout()) {}

    void collect(QTextFrame& frame)
    {
        for (auto it = frame.begin(); !it.atEnd(); ++it) {
            if (QTextTable* table = qobject_cast<QTextTable*>(it.currentFrame()))
                addTable(*table);
            else if (QTextFrame* child = it.currentFrame())
                collect(*child);
            else
                addBlock(it.currentBlock());
        }
    }

    std::vector<Span> spans;
    std::vector<double> forced;

private:
    void addBlock(const QTextBlock& block)
    {
        const QRectF box = layout_.blockBoundingRect(block);
        const QTextBlockFormat format = block.blockFormat();
        if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            forced.push_back(box.top());
        if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter)
            forced.push_back(box.bottom());
        const QTextLayout* lines = block.layout();
        const QPointF origin = box.topLeft() - lines->boundingRect().topLeft();
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QRectF line = lines->lineAt(i).rect().translated(origin);
            spans.push_back({line.top(), line.bottom()});
        }
    }

    // A cell is kept whole: its content is one span, so a page never ends
    // inside a row of portraits, cards or labels.
    void addTable(QTextTable& table)
    {
        const QRectF box = layout_.frameBoundingRect(&table);
        const QTextFormat::PageBreakFlags policy = table.format().pageBreakPolicy();
        if (policy & QTextFormat::PageBreak_AlwaysBefore)
            forced.push_back(box.top());
        if (policy & QTextFormat::PageBreak_AlwaysAfter)
            forced.push_back(box.bottom());
        for (int row = 0; row < table.rows(); ++row) {
            for (int column = 0; column < table.columns(); ++column) {
                const QTextTableCell cell = table.cellAt(row, column);
                if (cell.row() == row && cell.column() == column)
                    addCell(cell);
            }
        }
    }

    void addCell(const QTextTableCell& cell)
    {
        QTextDocument* document = cell.firstCursorPosition().document();
        Span span{1e300, -1e300};
        for (QTextBlock block = document->findBlock(cell.firstPosition());
             block.isValid() && block.position() <= cell.lastPosition(); block = block.next()) {
            const QRectF box = layout_.blockBoundingRect(block);
            span.top = std::min(span.top, box.top());
            span.bottom = std::max(span.bottom, box.bottom());
        }
        if (span.bottom > span.top)
            spans.push_back(span);
    }

    QAbstractTextDocumentLayout& layout_;
};

// The page ends before the spans that cross it, half way into the gap
// above them, where a cell's border and padding belong to the cell below.
double endBefore(const std::vector<Span>& spans, double start, double limit)
{
    double end = limit;
    for (bool moved = true; moved;) {
        moved = false;
        for (const Span& span : spans) {
            if (span.top < end - kEpsilon && span.bottom > end + kEpsilon && span.top > start + kEpsilon) {
                end = span.top;
                moved = true;
            }
        }
    }
    if (end >= limit)
        return limit;
    double gapTop = start;
    for (const Span& span : spans)
        if (span.bottom <= end + kEpsilon)
            gapTop = std::max(gapTop, std::min(span.bottom, end));
    return (gapTop + end) / 2;
}

} // namespace

QString closeTablesOpenedBetweenCells(const QString& html)
{
    static const QRegularExpression tag(QStringLiteral("<!--.*?-->|<(/?)([a-zA-Z]+)[^>]*>"),
                                        QRegularExpression::DotMatchesEverythingOption);
    // One entry per open table: whether a cell of it is open.
    std::vector<bool> inCell;
    QString result;
    qsizetype copied = 0;
    for (const QRegularExpressionMatch& match : tag.globalMatch(html)) {
        const bool closing = !match.captured(1).isEmpty();
        const QString name = match.captured(2).toLower();
        if (name == QLatin1String("table")) {
            if (closing) {
                if (!inCell.empty())
                    inCell.pop_back();
                continue;
            }
            if (!inCell.empty() && !inCell.back()) {
                result += QStringView(html).mid(copied, match.capturedStart() - copied);
                copied = match.capturedStart();
                while (!inCell.empty() && !inCell.back()) {
                    result += QStringLiteral("</table>");
                    inCell.pop_back();
                }
            }
            inCell.push_back(false);
        } else if (!inCell.empty() && (name == QLatin1String("td") || name == QLatin1String("th"))) {
            inCell.back() = !closing;
        } else if (!inCell.empty() && name == QLatin1String("tr")) {
            inCell.back() = false;
        }
    }
    result += QStringView(html).mid(copied);
    return result;
}

std::vector<double> pageStarts(std::vector<Span> spans, std::vector<double> forcedBreaks, double height,
                               double pageHeight)
{
    std::sort(forcedBreaks.begin(), forcedBreaks.end());
    std::vector<double> starts{0};
    double start = 0;
    for (;;) {
        const double limit = start + pageHeight;
        const auto forced = std::find_if(forcedBreaks.begin(), forcedBreaks.end(),
                                         [start](double y) { return y > start + kEpsilon; });
        double end;
        if (forced != forcedBreaks.end() && *forced <= limit)
            end = *forced;
        else if (limit >= height - kEpsilon)
            break;
        else
            end = endBefore(spans, start, limit);
        if (end >= height - kEpsilon)
            break;
        if (end <= start + kEpsilon)
            end = limit; // a span taller than a page
        starts.push_back(end);
        start = end;
    }
    return starts;
}

void useDocumentPage(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                     QPageLayout::Millimeter));
}

bool printDocument(QTextDocument& document, QPagedPaintDevice& device, double minimumPoints)
{
    const double scale = fitToPage(document, device, minimumPoints);
    Pagination pagination(document);
    pagination.collect(*document.rootFrame());
    const double height = document.size().height();
    const std::vector<double> starts =
        pageStarts(pagination.spans, pagination.forced, height, device.height() / scale);

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (size_t page = 0; page < starts.size(); ++page) {
        if (page > 0 && !device.newPage())
            return false;
        const double end = page + 1 < starts.size() ? starts[page + 1] : height;
        const QRectF area(0, starts[page], document.textWidth(), end - starts[page]);
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, -area.top());
        painter.setClipRect(area);
        // The layout draws every block that touches the clip, and a clipped
        // text still lands in the page's text: the block that opens the next
        // page starts exactly at this page's end, so the page's own span is
        // narrowed to keep it out.
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = area.adjusted(0, kEpsilon, 0, -kEpsilon);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return painter.end();
}

QString printHtmlFile(const QString& htmlFile, QPagedPaintDevice& device, double minimumPoints)
{
    const QString shown = QDir::toNativeSeparators(htmlFile);
    QFile file(htmlFile);
    if (!file.open(QIODevice::ReadOnly)) {
        report::detail(htmlFile + QStringLiteral(" : ") + file.errorString());
        return QStringLiteral("Le document %1 n'a pas pu être lu : il n'a pas été imprimé.").arg(shown);
    }
    QTextDocument document;
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(htmlFile).absolutePath() + u'/'));
    document.setHtml(closeTablesOpenedBetweenCells(text::fromWindows1252(file.readAll())));
    if (!printDocument(document, device, minimumPoints)) {
        report::detail(htmlFile + QStringLiteral(" : l'imprimante a refusé une page"));
        return QStringLiteral("Le document %1 n'a pas pu être imprimé.").arg(shown);
    }
    return {};
}

} // namespace printing
