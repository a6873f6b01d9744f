#pragma once

// The small text rules every parser here shares: trimming a set of characters, and reading
// unsigned digits.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace velmora::platform {

std::string_view trimLeft(std::string_view text, std::string_view chars);
std::string_view trimRight(std::string_view text, std::string_view chars);
std::string_view trim(std::string_view text, std::string_view chars);

// The digits of `base` (up to 16) at the start of `text`, at most `maxDigits` of them.
struct Digits {
    std::uint64_t value = 0; // the largest 64-bit value when they do not fit
    std::size_t used = 0;    // characters taken; 0 when `text` does not start with a digit
    bool overflow = false;
};
Digits leadingDigits(std::string_view text, unsigned base = 10,
                     std::size_t maxDigits = std::string_view::npos);

// The whole of `text` as a decimal number; nullopt for anything else, a sign included, and
// for a number past 64 bits.
std::optional<std::uint64_t> decimalNumber(std::string_view text);

} // namespace velmora::platform
