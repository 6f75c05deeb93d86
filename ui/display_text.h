#pragma once
// The edge between the engine's bytes and the window's text.
#include <QString>

#include <string>
#include <string_view>

namespace chronell {

// Bytes as display text: read as UTF-8 when they are valid UTF-8, otherwise
// as Windows-1252.
QString displayText(std::string_view bytes);

// The bytes the engine gets for a text of the window (UTF-8, as the file
// system names files).
std::string textBytes(const QString& text);

} // namespace chronell
