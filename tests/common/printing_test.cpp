#include "common/printing.h"
#include "tests/support/pdf_reader.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextDocument>

#include <algorithm>

namespace {

using printing::Span;

TEST(PagesImprimees, LesPagesFinissentEntreLesBlocsEtAuxSautsForces)
{
    const struct {
        const char* name;
        std::vector<Span> spans;
        std::vector<double> forced;
        double height;
        std::vector<double> starts;
    } cases[] = {
        {"fits on one page", {{0, 90}}, {}, 90, {0}},
        {"no span crosses: full pages", {{0, 100}, {100, 200}, {200, 250}}, {}, 250, {0, 100, 200}},
        // Rows 0-70 and 80-150: the second crosses 100, the page ends in the gap.
        {"a crossing row moves to the next page", {{0, 70}, {80, 150}, {160, 230}}, {}, 230, {0, 75, 155}},
        {"a span taller than a page is cut", {{0, 250}}, {}, 250, {0, 100, 200}},
        {"a forced break comes first", {{0, 30}, {40, 70}}, {40}, 70, {0, 40}},
        {"a forced break at the start is no empty page", {{0, 30}}, {0}, 30, {0}},
        {"overlapping cells of one row move together", {{0, 60}, {65, 130}, {65, 95}}, {}, 130, {0, 62.5}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(printing::pageStarts(c.spans, c.forced, c.height, 100), c.starts) << c.name;
}

TEST(PagesImprimees, UnTableauOuvertEntreLesCellulesDUnAutreSeMetDessous)
{
    const struct {
        const char* name;
        const char* html;
        const char* read;
    } cases[] = {
        {"tables one after the other", "<table><tr><td>a</td></tr></table><TABLE><tr><td>b</td></tr></TABLE>",
         "<table><tr><td>a</td></tr></table><TABLE><tr><td>b</td></tr></TABLE>"},
        {"a table in a cell stays there", "<table><tr><td>a<table><tr><td>b</td></tr></table>c</td></tr></table>",
         "<table><tr><td>a<table><tr><td>b</td></tr></table>c</td></tr></table>"},
        {"a table after a row closes the one it is in",
         "<table width=\"800\"><tr><td>a</td></tr>\r\n<table width=\"800\"border = \"0\"><tr><td>b</td></tr></table>",
         "<table width=\"800\"><tr><td>a</td></tr>\r\n</table><table width=\"800\"border = \"0\"><tr><td>b</td></tr></table>"},
        {"a row left open is closed too", "<table><tr><td>a</td><table><tr><td>b</td></tr></table>",
         "<table><tr><td>a</td></table><table><tr><td>b</td></tr></table>"},
        {"a new row closes the cell", "<table><tr><td>a<tr><table></table></table>", "<table><tr><td>a<tr></table><table></table></table>"},
        {"every table between cells around it",
         "<table><tr><td><table><tr><td>a</td></tr><table></table>",
         "<table><tr><td><table><tr><td>a</td></tr></table><table></table>"},
        {"a stray end and a comment are kept", "</table><!-- <table> --><table><tr><td></td></tr></table>",
         "</table><!-- <table> --><table><tr><td></td></tr></table>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(printing::closeTablesOpenedBetweenCells(QString::fromUtf8(c.html)), QString::fromUtf8(c.read)) << c.name;
}

// A document that the page shrinks to its width keeps its base text at the
// size asked for on paper; text already as large is left as it is.
TEST(PagesImprimees, LeTexteDeBaseGardeSaTailleMinimaleSurLePapier)
{
    const QString large = QStringLiteral("<table width=\"1600\"><tr><td>Mot</td></tr></table>");
    const QString etroit = QStringLiteral("<p>Mot</p>");
    const double programme = QFontInfo(QGuiApplication::font()).pixelSize() * 0.75; // points at 96 dpi
    const struct {
        const char* name;
        QString html;
        double minimum, atLeast, atMost; // points on paper, measured to a few hundredths
    } cases[] = {
        {"a shrunk document without a minimum", large, 0, 0.4 * programme, 0.6 * programme},
        {"a shrunk document with one", large, 10, 9.95, 10.5},
        {"a narrow document in larger text", etroit, programme - 2, programme - 0.05, programme + 0.05},
        {"a narrow document in smaller text", etroit, 12, 11.95, 12.4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dossier;
        ASSERT_TRUE(dossier.isValid());
        const QString pdf = dossier.filePath(QStringLiteral("page.pdf"));
        {
            QPdfWriter imprimante(pdf);
            printing::useDocumentPage(imprimante);
            QTextDocument document;
            document.setHtml(c.html);
            ASSERT_TRUE(printing::printDocument(document, imprimante, c.minimum));
        }
        const std::vector<pdf_reader::Word> mots = pdf_reader::pageWords(pdf, 1);
        ASSERT_EQ(mots.size(), 1u);
        const double taille = pdf_reader::printedPoints(mots[0], QGuiApplication::font());
        EXPECT_GE(taille, c.atLeast);
        EXPECT_LE(taille, c.atMost);
    }
}

} // namespace
