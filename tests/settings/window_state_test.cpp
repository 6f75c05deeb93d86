#include "settings/window_state.h"

#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "support/temp_folder.h"

namespace chronell {
namespace {

using test::TempFolder;

WindowState sampleState()
{
    WindowState state;
    state.folder = "/srv/vid\xE9os/";
    state.mask = "*.jobs";
    state.formattedTime = false;
    state.clearLog = true;
    state.columnWidths = {1, -1, 0, 400, 5, 6, 7, 8};
    state.left = -20;
    state.top = 30;
    state.width = 640;
    state.height = 480;
    state.gridHeight = 200;
    return state;
}

bool sameState(const WindowState& a, const WindowState& b)
{
    return a.folder == b.folder && a.mask == b.mask && a.formattedTime == b.formattedTime &&
           a.clearLog == b.clearLog && a.columnWidths == b.columnWidths && a.left == b.left && a.top == b.top &&
           a.width == b.width && a.height == b.height && a.gridHeight == b.gridHeight;
}

TEST(WindowStateStore, WrittenStateReadsBackWhateverTheDefaults)
{
    TempFolder folder;
    const SettingsStore store(folder.file("Settings.ini"));
    writeWindowState(store, sampleState());
    EXPECT_TRUE(sameState(readWindowState(store, WindowState{}), sampleState()));
}

TEST(WindowStateStore, AbsentOrUnreadableKeysTakeTheirDefaults)
{
    TempFolder folder;
    const SettingsStore store(folder.write("Settings.ini", "[Window]\nLeft=12px\nTop=7\n[ColumnWidths]\nDur=wide\n"));
    WindowState expected = sampleState();
    expected.top = 7;
    EXPECT_TRUE(sameState(readWindowState(store, sampleState()), expected));
}

} // namespace
} // namespace chronell
