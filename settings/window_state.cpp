#include "settings/window_state.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "settings/settings_store.h"

namespace chronell {

namespace {

constexpr std::string_view kInputSection = "CHRONELL";
constexpr std::string_view kColumnsSection = "ColumnWidths";
constexpr std::string_view kWindowSection = "Window";

// The grid's column captions, as the file names the widths.
constexpr std::array<std::string_view, kStoredColumns> kColumnKeys = {"Name", "Source", "Dest",   "Start",
                                                                     "End",  "Status", "Dur", "Jobfile"};

// A key's integer, or nothing when it is absent or does not read: a value
// that reads gives itself for either default.
std::optional<std::int32_t> readPresentInteger(const SettingsStore& store, std::string_view section,
                                               std::string_view key)
{
    const std::int32_t low = store.readInteger(section, key, INT32_MIN);
    if (low != INT32_MIN) return low;
    if (store.readInteger(section, key, INT32_MAX) == INT32_MAX) return std::nullopt;
    return low;
}

} // namespace

WindowState readWindowState(const SettingsStore& store, const WindowState& defaults)
{
    WindowState state;
    state.folder = store.readText(kInputSection, "Directory", defaults.folder);
    state.mask = store.readText(kInputSection, "Mask", defaults.mask);
    state.formattedTime = store.readFlag(kInputSection, "Formated Output", defaults.formattedTime);
    state.clearLog = store.readFlag(kInputSection, "Clear Log", defaults.clearLog);
    for (std::size_t column = 0; column < kColumnKeys.size(); ++column)
        state.columnWidths[column] = store.readInteger(kColumnsSection, kColumnKeys[column], defaults.columnWidths[column]);
    state.left = store.readInteger(kWindowSection, "Left", defaults.left);
    state.top = store.readInteger(kWindowSection, "Top", defaults.top);
    state.width = store.readInteger(kWindowSection, "Width", defaults.width);
    state.height = store.readInteger(kWindowSection, "Height", defaults.height);
    state.gridHeight = readPresentInteger(store, kWindowSection, "TabHeight");
    if (!state.gridHeight) state.gridHeight = defaults.gridHeight;
    return state;
}

void writeWindowState(const SettingsStore& store, const WindowState& state)
{
    store.writeText(kInputSection, "Directory", state.folder);
    store.writeText(kInputSection, "Mask", state.mask);
    store.writeFlag(kInputSection, "Formated Output", state.formattedTime);
    store.writeFlag(kInputSection, "Clear Log", state.clearLog);
    for (std::size_t column = 0; column < kColumnKeys.size(); ++column)
        store.writeInteger(kColumnsSection, kColumnKeys[column], state.columnWidths[column]);
    store.writeInteger(kWindowSection, "Left", state.left);
    store.writeInteger(kWindowSection, "Top", state.top);
    store.writeInteger(kWindowSection, "Width", state.width);
    store.writeInteger(kWindowSection, "Height", state.height);
    if (state.gridHeight) store.writeInteger(kWindowSection, "TabHeight", *state.gridHeight);
}

} // namespace chronell
