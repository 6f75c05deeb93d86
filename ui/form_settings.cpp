#include "ui/form_settings.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QRect>

#include <algorithm>
#include <cstdint>

#include "report/grid_store.h"
#include "settings/settings_store.h"
#include "ui/FMain.h"
#include "ui/input_box.h"
#include "ui/results_grid_view.h"
#include "ui/screen_placement.h"

namespace chronell {

namespace {

constexpr std::string_view kInputSection = "CHRONELL";
constexpr std::string_view kColumnsSection = "ColumnWidths";
constexpr std::string_view kWindowSection = "Window";

// Argument 1 to the folder box, 2 to the mask box (empty when absent); a
// third of exactly "/f" ticks the formatted-time option, anything else
// leaves it as designed.
void takeCommandLine(TfoMain& form, const std::vector<std::string>& arguments)
{
    form.Edit1->setBytes(arguments[0]);
    form.Edit2->setBytes(arguments.size() > 1 ? arguments[1] : std::string());
    if (arguments.size() > 2 && arguments[2] == "/f") form.CheckBox1->setChecked(true);
}

void restoreInputRow(TfoMain& form, const SettingsStore& store, std::string_view defaultFolder)
{
    form.Edit1->setBytes(store.readText(kInputSection, "Directory", defaultFolder));
    form.Edit2->setBytes(store.readText(kInputSection, "Mask", "*.jobs"));
    form.CheckBox1->setChecked(store.readFlag(kInputSection, "Formated Output", true));
}

// Each column's current width is its default, and each width read is
// applied before the next column is read. The grid holds widths from -1
// (a column of no width at all, grid line included) up to its header's
// largest section; a stored width beyond either end takes that end.
void restoreColumnWidths(ResultsGridView& grid, const SettingsStore& store)
{
    const int widest = grid.horizontalHeader()->maximumSectionSize() - kGridLineWidth;
    const auto& names = report::gridHeaderRow();
    for (int column = 0; column < kGridColumns; ++column) {
        const std::int32_t width =
            store.readInteger(kColumnsSection, names[static_cast<std::size_t>(column)], grid.colWidth(column));
        grid.setColWidth(column, std::clamp(width, -kGridLineWidth, widest));
    }
}

// Qt's largest widget size: a value beyond it in either direction places
// or sizes the window no differently on any screen, and keeps Qt's
// rectangle arithmetic within range.
int withinQtRange(std::int32_t value)
{
    return std::clamp(value, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

// Left, top, width and height, each read with the window's current value
// as default and applied at once; the window's minimum size raises a size
// below it. Positions are taken as stored, unless the rectangle then lies
// on no screen at all; a size larger than the screen it lands on is
// reduced to that screen.
void restoreWindowBounds(TfoMain& form, const SettingsStore& store)
{
    QRect bounds = form.outerBounds();
    bounds.moveLeft(withinQtRange(store.readInteger(kWindowSection, "Left", bounds.left())));
    form.setOuterBounds(bounds);
    bounds = form.outerBounds();
    bounds.moveTop(withinQtRange(store.readInteger(kWindowSection, "Top", bounds.top())));
    form.setOuterBounds(bounds);
    bounds = form.outerBounds();
    bounds.setWidth(withinQtRange(store.readInteger(kWindowSection, "Width", bounds.width())));
    form.setOuterBounds(bounds);
    bounds = form.outerBounds();
    bounds.setHeight(withinQtRange(store.readInteger(kWindowSection, "Height", bounds.height())));
    form.setOuterBounds(bounds);

    bounds = form.outerBounds();
    const QRect placed = placedOnScreen(bounds);
    if (placed != bounds) form.setOuterBounds(placed);
}

} // namespace

void restoreFormSettings(TfoMain& form, const SettingsStore& store,
                         const std::vector<std::string>& arguments, std::string_view defaultFolder)
{
    if (arguments.empty())
        restoreInputRow(form, store, defaultFolder);
    else
        takeCommandLine(form, arguments);
    form.CheckBox2->setChecked(store.readFlag(kInputSection, "Clear Log", true));
    restoreColumnWidths(*form.sg1, store);
    restoreWindowBounds(form, store);
    // The panel's layout gives the grid its height anew when the window is
    // shown, from the window's height and the log's.
    form.sg1->resize(form.sg1->width(),
                     withinQtRange(store.readInteger(kWindowSection, "TabHeight", form.sg1->height())));
}

// The window's rectangle is the last one Qt reported for it: maximised
// while it was maximised, normal while minimised, and kept through hiding.
void saveFormSettings(const TfoMain& form, const SettingsStore& store)
{
    store.writeText(kInputSection, "Directory", form.folderText());
    store.writeText(kInputSection, "Mask", form.maskText());
    store.writeFlag(kInputSection, "Formated Output", form.formattedTimeTicked());
    store.writeFlag(kInputSection, "Clear Log", form.clearLogTicked());

    const auto& names = report::gridHeaderRow();
    for (int column = 0; column < kGridColumns; ++column)
        store.writeInteger(kColumnsSection, names[static_cast<std::size_t>(column)], form.sg1->colWidth(column));

    const QRect bounds = form.outerBounds();
    store.writeInteger(kWindowSection, "Left", bounds.left());
    store.writeInteger(kWindowSection, "Top", bounds.top());
    store.writeInteger(kWindowSection, "Width", bounds.width());
    store.writeInteger(kWindowSection, "Height", bounds.height());
    store.writeInteger(kWindowSection, "TabHeight", form.sg1->height());
}

} // namespace chronell
