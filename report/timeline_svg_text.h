#pragma once
// The texts of the timeline's SVG document, written straight into it:
// numbers with one decimal, job-list bytes as escaped XML text, and names
// cut to the width of their bar.
#include <string>
#include <string_view>

namespace chronell::report {

// About how wide a character of the 12-pixel sans-serif font is drawn.
inline constexpr double kCharWidth = 7;

// `value` with one decimal, whatever the locale: what std::to_chars gives
// in fixed notation ("12.5", "-0.0").
void appendCoordinate(std::string& out, double value);

// The display text of the bytes (UTF-8 kept, anything else read as
// Windows-1252) as XML text or attribute value: &, <, > and " escaped,
// control characters other than tab and line feed as blanks (XML 1.0 has none).
void appendXmlText(std::string& out, std::string_view bytes);

// How wide a UTF-8 text is drawn: by its characters, not its bytes.
double textWidth(std::string_view utf8);

// As much of a UTF-8 text as fits in a width: the whole text, or its first
// characters to be followed by "...", or nothing when not even that fits.
struct FittedText {
    std::string_view kept;
    bool cut = false;  // "..." follows
};
FittedText fittedText(std::string_view utf8, double width);

} // namespace chronell::report
