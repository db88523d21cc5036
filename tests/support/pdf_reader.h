#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

#include <vector>

// Printed documents read back from their PDF with poppler's tools. A tool
// that is missing or fails fails the test, saying so.
namespace pdf_reader {

int pageCount(const QString& pdf);

// The text of one page (the first is 1).
QString pageText(const QString& pdf, int page);

// A word of a page and its box, in points from the page's top left corner.
struct Word {
    QString text;
    QRectF box;
};

// The words of one page (the first is 1), in reading order.
std::vector<Word> pageWords(const QString& pdf, int page);

// The size a word was printed at in that font, in points: pdftotext boxes a
// word from its font's ascent to its descent, a fixed multiple of the size.
double printedPoints(const Word& word, const QFont& font);

// Renders every page at `dpi` into "<prefix>-<page>.png" (page numbers padded
// with zeros to the digits of the last one).
void renderPages(const QString& pdf, int dpi, const QString& prefix);

} // namespace pdf_reader
