#pragma once
// The edge between the engine's bytes and the window's text.
#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

namespace chronell {

// Bytes as display text: read as UTF-8 when they are valid UTF-8, otherwise
// as Windows-1252.
QString displayText(std::string_view bytes);

// Texts longer than this many bytes are shown cut: laying out a line of
// hundreds of megabytes would hold the window for minutes.
inline constexpr std::size_t kShownTextLimit = 64 * 1024;

// displayText of the bytes, or for more than kShownTextLimit bytes of their
// first kShownTextLimit (cut before a character that they would split),
// followed by "…" and how many bytes were left out.
QString shownText(std::string_view bytes);

// Appends shownText(bytes) as UTF-8 to `utf8`: the log gathers a run's lines
// as bytes and makes one text of them.
void appendShownUtf8(std::string& utf8, std::string_view bytes);

// The bytes the engine gets for a text of the window (UTF-8, as the file
// system names files).
std::string textBytes(const QString& text);

} // namespace chronell
