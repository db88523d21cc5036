#include "common/printing.h"

#include <gtest/gtest.h>

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

} // namespace
