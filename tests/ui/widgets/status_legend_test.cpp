// The legend row: every entry in full when it has its width, and an entry
// that does not fit whole left out rather than cut.
#include <gtest/gtest.h>

#include <QImage>

#include "tests/ui/window_support.h"
#include "ui/widgets/status_legend.h"

namespace {

using chronell::LegendEntry;
using chronell::StatusLegend;

TEST(StatusLegend, ShowsEveryEntryWhenWideEnoughAndOnlyWholeEntriesWhenNot)
{
    const std::vector<LegendEntry> entries = {
        {QColor(0xe5, 0x39, 0x35), QStringLiteral("Error")},
        {QColor(0x43, 0xa0, 0x47), QStringLiteral("Done")},
        {QColor(0x1e, 0x88, 0xe5), QStringLiteral("In Progress")},
    };
    StatusLegend legend;
    legend.setEntries(entries);
    EXPECT_EQ(legend.toolTip(), "Error, Done, In Progress");
    const QSize full = legend.sizeHint();
    const std::vector<QRect> swatches = [&] {
        legend.resize(full);
        return legend.swatchRects();
    }();
    ASSERT_EQ(swatches.size(), entries.size());
    // Each cut: how many entries are still whole.
    const struct {
        int width;
        std::size_t whole;
    } cases[] = {{full.width(), 3}, {full.width() - 3, 2}, {swatches[2].left(), 2}, {swatches[1].left() + 14, 1}, {10, 0}};
    for (const auto& c : cases) {
        legend.resize(c.width, full.height());
        legend.show();
        chronell::test::settle();
        const QImage shown = legend.grab().toImage();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const QPoint middle = swatches[i].center();
            const bool painted = shown.rect().contains(middle) && shown.pixelColor(middle) == entries[i].swatch;
            EXPECT_EQ(painted, i < c.whole) << c.width << " " << i;
        }
    }
    EXPECT_EQ(legend.minimumSizeHint().width(), 0);
}

} // namespace
