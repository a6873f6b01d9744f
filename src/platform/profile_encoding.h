#pragma once

// Profile files that start with the UTF-16LE mark: Windows reads and writes them as UTF-16LE
// even through the 8-bit calls. The engine works on one 8-bit character per UTF-16 code unit,
// so offsets found in the 8-bit text are code-unit offsets in the file.

#include <string>
#include <string_view>

namespace velmora::platform::profile {

bool startsWithUtf16LeMark(std::string_view bytes);
bool startsWithUtf16BeMark(std::string_view bytes);

// The code units after the mark, one code page 1252 character each ('?' for a unit that has
// none). A stray last byte is ignored.
std::string utf16LeToAnsi(std::string_view bytesAfterMark);

// Code page 1252 text as UTF-16LE code units.
std::string ansiToUtf16Le(std::string_view ansi);

} // namespace velmora::platform::profile
