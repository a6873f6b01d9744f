#pragma once

// Text conversions between the program's Unicode text and the Windows ANSI code page 1252,
// in which the game's files and its registry entry reach the game. Every byte of code page
// 1252 round-trips: the five bytes it leaves undefined map to U+0081, U+008D, U+008F, U+0090
// and U+009D, as in Windows. A character without a byte there becomes '?', as Windows' own
// conversion makes it.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora::platform {

std::string cp1252FromUtf16(std::u16string_view text); // one '?' per surrogate pair
std::u16string utf16FromCp1252(std::string_view bytes);
std::string utf8FromCp1252(std::string_view bytes);

// UTF-8 and UTF-16; a malformed UTF-8 byte or a lone surrogate becomes U+FFFD.
std::u16string utf16FromUtf8(std::string_view text);
std::string utf8FromUtf16(std::u16string_view text);

// One code point of the UTF-8 `text` at `pos`, which moves past it; U+FFFD and one byte when
// malformed.
char32_t decodeUtf8(std::string_view text, std::size_t& pos);
void appendUtf16(std::u16string& out, char32_t codePoint);

// UTF-16 code units as little-endian bytes, and back; a stray last byte is ignored.
std::string utf16LeBytes(std::u16string_view text);
std::u16string utf16FromLeBytes(std::string_view bytes);

// `text` (UTF-8) with letters folded to lower case, for comparisons without regard to case as
// Wine makes them for registry and file names (ASCII, Latin-1, Latin Extended-A, Greek and
// Cyrillic letters).
std::string foldCase(std::string_view text);

} // namespace velmora::platform
