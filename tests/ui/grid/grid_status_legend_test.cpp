// The grid's colour legend: the statuses its Status cells show, each swatch
// the very colour of those cells, in light and dark palettes, and nothing
// while no cell is coloured.
#include <gtest/gtest.h>

#include <QImage>

#include <optional>
#include <vector>

#include "tests/ui/window_support.h"
#include "ui/grid/grid_status_legend.h"
#include "ui/grid/results_grid_model.h"
#include "ui/grid/results_grid_view.h"

namespace {

using chronell::ColStatus;
using chronell::GridStatusLegend;
using chronell::JobRecord;
using chronell::ResultsGridView;

struct Row {
    std::optional<std::int32_t> state;
    bool leftBehind;
    const char* statusText;  // as the grid printer writes it
};

// The rows of a run, written as a run writes them: in one batch.
void fill(ResultsGridView& view, const std::vector<Row>& rows)
{
    chronell::ResultsGridModel& model = *view.gridModel();
    model.beginBatch();
    model.store().clear();
    model.setGridRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        model.setCell(chronell::ColName, row, "job " + std::to_string(row));
        model.setCell(ColStatus, row, rows[i].statusText);
        JobRecord record;
        record.row = row;
        record.state = rows[i].state;
        record.leftBehind = rows[i].leftBehind;
        model.store().addRecord(record);
    }
    model.endBatch();
}

QStringList texts(const GridStatusLegend& legend)
{
    QStringList all;
    for (const chronell::LegendEntry& entry : legend.entries()) all << entry.text;
    return all;
}

QPalette darkPalette()
{
    QPalette dark;
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        dark.setColor(role, QColor(0x20, 0x20, 0x20));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(0xf0, 0xf0, 0xf0));
    return dark;
}

TEST(GridStatusLegend, ListsTheStatusesTheGridColoursAndHidesWithoutThem)
{
    ResultsGridView view;
    GridStatusLegend legend(*view.gridModel());
    EXPECT_TRUE(legend.isHidden()) << "nothing coloured before a run";

    fill(view, {{5, false, "Error"}, {2, false, "Done"}, {std::nullopt, false, ""}, {7, false, ""},
                {1, true, "In Progress"}, {2, false, "Done"}});
    EXPECT_FALSE(legend.isHidden());
    EXPECT_EQ(texts(legend).join(u','), "Done,Error,Other,Left behind");

    fill(view, {{std::nullopt, false, ""}});  // a two-pass row alone: no colour
    EXPECT_TRUE(legend.isHidden());
    EXPECT_TRUE(legend.entries().empty());
}

TEST(GridStatusLegend, SwatchesAreTheColoursOfTheStatusCellsInLightAndDarkPalettes)
{
    const std::vector<Row> rows = {{0, false, "Waiting"}, {1, false, "In Progress"}, {2, false, "Done"},
                                   {3, false, "Postponed"}, {4, false, "Aborted"}, {5, false, "Error"},
                                   {8, false, ""}, {1, true, "In Progress"}};
    for (const bool dark : {false, true}) {
        ResultsGridView view;
        GridStatusLegend legend(*view.gridModel());
        if (dark) {
            view.setPalette(darkPalette());
            legend.setPalette(darkPalette());
        }
        fill(view, rows);
        view.resize(600, 300);
        view.show();
        legend.resize(legend.sizeHint());
        legend.show();
        chronell::test::settle();
        ASSERT_EQ(legend.entries().size(), rows.size());

        const QImage cells = view.viewport()->grab().toImage();
        const QImage swatches = legend.grab().toImage();
        const std::vector<QRect> places = legend.swatchRects();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            // A point of the cell clear of its text, and the swatch's middle.
            const QRect cell = view.visualRect(view.model()->index(static_cast<int>(i), ColStatus));
            const QColor painted = cells.pixelColor(cell.right() - 3, cell.bottom() - 3);
            EXPECT_EQ(swatches.pixelColor(places[i].center()), painted) << dark << " " << rows[i].statusText;
            EXPECT_NE(painted, view.palette().color(QPalette::Base)) << dark << " " << i;
        }
    }
}

} // namespace
