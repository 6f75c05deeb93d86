// The statuses a colour legend lists: exactly the colours the grid and the
// timeline paint, each once, under the texts the grid shows.
#include <gtest/gtest.h>

#include <QPalette>

#include <climits>
#include <optional>
#include <set>
#include <vector>

#include "report/grid_printer.h"
#include "ui/grid/coloured_status.h"
#include "ui/grid/status_colours.h"

namespace {

using chronell::ColouredStatus;
using State = std::optional<std::int32_t>;

// Every state a record can hold, as far as the colours go.
std::vector<State> everyState()
{
    std::vector<State> states = {std::nullopt, -1, INT_MIN, INT_MAX};
    for (std::int32_t state = 0; state <= 9; ++state) states.push_back(state);
    return states;
}

std::vector<QPalette> lightAndDark()
{
    QPalette light;
    light.setColor(QPalette::Base, Qt::white);
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    return {light, dark};
}

bool listed(const ColouredStatus& status)
{
    const std::vector<ColouredStatus> all = chronell::colouredStatuses();
    return std::find(all.begin(), all.end(), status) != all.end();
}

TEST(ColouredStatus, EveryColourTheGridAndTheTimelinePaintIsAListedStatusOfThatColour)
{
    for (const State state : everyState()) {
        for (const bool leftBehind : {false, true}) {
            const ColouredStatus status = chronell::colouredStatusOf(state, leftBehind);
            EXPECT_TRUE(listed(status)) << state.value_or(-99) << leftBehind;
            for (const QPalette& palette : lightAndDark())
                EXPECT_EQ(chronell::cellColour(status, palette),
                          chronell::statusCellBackground(state, palette, leftBehind))
                    << state.value_or(-99) << leftBehind;
        }
        EXPECT_EQ(chronell::fullColour(chronell::colouredStatusOf(state)), chronell::statusColour(state))
            << state.value_or(-99);
    }
}

TEST(ColouredStatus, ListedStatusesHaveColoursOfTheirOwnInBothPalettesAndTheGridsTexts)
{
    const std::vector<ColouredStatus> all = chronell::colouredStatuses();
    std::set<QRgb> full;
    for (const ColouredStatus& status : all) full.insert(chronell::fullColour(status).rgb());
    EXPECT_EQ(full.size(), all.size());
    for (const QPalette& palette : lightAndDark()) {
        std::set<QRgb> cells;
        for (const ColouredStatus& status : all) cells.insert(chronell::cellColour(status, palette).rgb());
        EXPECT_EQ(cells.size(), all.size());
    }

    QStringList texts;
    for (const ColouredStatus& status : all) texts << chronell::legendText(status);
    EXPECT_EQ(texts.join(u','), "Waiting,In Progress,Done,Postponed,Aborted,Error,Other,Left behind");
    // The words of states 0 to 5 are those of the grid's Status cells.
    for (std::int32_t state = 0; state <= 5; ++state)
        EXPECT_EQ(chronell::legendText({state, false}).toStdString(), chronell::report::statusWord(state));
}

TEST(ColouredStatus, ALegendListsTheStatusesOnceInItsOwnOrder)
{
    const struct {
        std::vector<ColouredStatus> given;
        const char* listed;
    } cases[] = {
        {{}, ""},
        {{{5, false}, {2, false}, {5, false}}, "Done,Error"},
        {{{std::nullopt, true}, {}, {0, false}}, "Waiting,Other,Left behind"},
        {chronell::colouredStatuses(), "Waiting,In Progress,Done,Postponed,Aborted,Error,Other,Left behind"},
    };
    for (const auto& c : cases) {
        QStringList texts;
        for (const ColouredStatus& status : chronell::inLegendOrder(c.given)) texts << chronell::legendText(status);
        EXPECT_EQ(texts.join(u','), c.listed);
    }
}

} // namespace
