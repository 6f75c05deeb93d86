#pragma once
// The window's state as the settings file keeps it: the input row, the
// column widths, the window's place and size and the results grid's height.
// The store reads it at start and writes it at exit; the window applies one
// and takes one.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace chronell {

class SettingsStore;

constexpr int kStoredColumns = 8;

struct WindowState {
    std::string folder;
    std::string mask;
    bool formattedTime = true;
    bool clearLog = true;
    std::array<std::int32_t, kStoredColumns> columnWidths{};
    // Left, top, width and height as the design measures them (the outer
    // rectangle, frame included).
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    // The results grid's height; absent when the file has none that reads,
    // and then the window keeps its designed division.
    std::optional<std::int32_t> gridHeight;
};

// Every key read, a key absent or not readable taking its value from `defaults`.
WindowState readWindowState(const SettingsStore& store, const WindowState& defaults);

// All seventeen keys in their fixed order (the grid's height only when present). The first write that fails raises
// its error, so that key and all after it keep what the file held.
void writeWindowState(const SettingsStore& store, const WindowState& state);

} // namespace chronell
