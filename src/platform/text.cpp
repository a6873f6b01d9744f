#include "text.h"

#include <limits>

namespace velmora::platform {

std::string_view trimLeft(std::string_view text, std::string_view chars)
{
    const std::size_t first = text.find_first_not_of(chars);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view trimRight(std::string_view text, std::string_view chars)
{
    return text.substr(0, text.find_last_not_of(chars) + 1);
}

std::string_view trim(std::string_view text, std::string_view chars)
{
    return trimRight(trimLeft(text, chars), chars);
}

namespace {

unsigned digitValue(char c)
{
    if (c >= '0' && c <= '9') {
        return static_cast<unsigned>(c - '0');
    }
    if (c >= 'a' && c <= 'z') {
        return static_cast<unsigned>(c - 'a') + 10;
    }
    if (c >= 'A' && c <= 'Z') {
        return static_cast<unsigned>(c - 'A') + 10;
    }
    return 36;
}

} // namespace

Digits leadingDigits(std::string_view text, unsigned base, std::size_t maxDigits)
{
    constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();
    Digits digits;
    for (; digits.used < text.size() && digits.used < maxDigits; ++digits.used) {
        const unsigned digit = digitValue(text[digits.used]);
        if (digit >= base) {
            break;
        }
        if (digits.value > (kMost - digit) / base) {
            digits.overflow = true;
        }
        digits.value = digits.overflow ? kMost : digits.value * base + digit;
    }
    return digits;
}

std::optional<std::uint64_t> decimalNumber(std::string_view text)
{
    const Digits digits = leadingDigits(text);
    if (digits.used == 0 || digits.used != text.size() || digits.overflow) {
        return std::nullopt;
    }
    return digits.value;
}

} // namespace velmora::platform
