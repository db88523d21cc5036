#pragma once

#include <QString>

#include <vector>

class QPagedPaintDevice;
class QTextDocument;

// Printing of the HTML documents that the programs write: the whole
// document, on any paged device (the printer chosen in the print dialog, or
// a PDF file). A document wider than the printable width is scaled down to
// it, never clipped; a narrower one prints at its own size. A page ends
// between lines, pictures and table cells, never through them, and where the
// document asks for a new page; each page draws only its own part of the
// document.
namespace printing {

// Sets the page the documents are written for, which the print dialog then
// offers: A4 portrait with 10 mm margins (the board documents put on each
// page as many rows as it holds).
void useDocumentPage(QPagedPaintDevice& device);

// Reads the file (Windows-1252, pictures found relative to its folder) and
// prints it. "" when printed, else a French message naming the file (the
// technical detail goes to the standard error output). The text that the
// document leaves at its base size prints at least minimumPoints high on
// paper, however much the page scales the document down; 0 keeps the
// program's font.
[[nodiscard]] QString printHtmlFile(const QString& htmlFile, QPagedPaintDevice& device, double minimumPoints = 0);

// The HTML with its tables as a browser reads them: a table opened inside
// another table but outside its cells first closes the table it is in (and
// any such table around it), so that the two stand one under the other
// where Qt would nest the second in the first's last row. Markup that opens
// tables only in cells or outside tables comes back unchanged.
QString closeTablesOpenedBetweenCells(const QString& html);

// Prints a document already read from its HTML; false when the device
// refused a page. The document's text width, and its base font when it
// would print smaller than minimumPoints, are changed.
bool printDocument(QTextDocument& document, QPagedPaintDevice& device, double minimumPoints = 0);

// A part of the document that a page must not end inside (a line, a cell).
struct Span {
    double top = 0;
    double bottom = 0;
};

// Where each page starts, the first at 0: a page ends at a forced break, or
// before the first span that would cross its end; a span taller than a page
// is cut at the page's end. Lengths are in the same unit as pageHeight.
std::vector<double> pageStarts(std::vector<Span> spans, std::vector<double> forcedBreaks, double height,
                               double pageHeight);

} // namespace printing
