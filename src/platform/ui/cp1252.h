#pragma once

// Text crosses the window boundary here: the game's files and the platform layer hold bytes
// in the Windows code page 1252, the widgets hold Unicode.

#include <string>
#include <string_view>

#include <QString>

namespace velmora::platform::ui {

// Every byte maps to one character; the five bytes that cp1252 leaves undefined map to the
// C1 control characters of the same value, so every byte string round-trips.
QString fromCp1252(std::string_view bytes);

// The inverse of fromCp1252; a character that cp1252 cannot hold becomes '?'.
std::string toCp1252(const QString& text);

} // namespace velmora::platform::ui
