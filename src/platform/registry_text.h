#pragma once

// A Wine prefix's registry file (`system.reg`) as text: parse it, then look values up. Pure:
// no file access. Values keep the bytes Windows would store (strings as UTF-16LE with their
// NUL), so the rules of RegQueryValueExA can be applied to them unchanged.
//
// Text given to the game's ANSI functions is in code page 1252 (see codepage.h).

#include "codepage.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::platform {

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

struct RegistryValue {
    std::uint32_t type = 0;
    std::string data; // the stored bytes; strings are UTF-16LE
};

class RegistryHive {
public:
    // The hive in `text`, or nullopt when its first line is not "WINE REGISTRY Version 2".
    // CRLF and LF both end lines. A line Wine's own loader rejects is skipped as Wine skips
    // it; the values after a key line that cannot be read belong to no key and are dropped.
    // A key that appears twice is merged, later values winning.
    static std::optional<RegistryHive> parse(std::string_view text);

    // The value `valueName` ("" for the default value) of the key `keyPath` (components
    // separated by single backslashes), both UTF-8 and compared without regard to case;
    // nullptr when either is missing.
    const RegistryValue* find(std::string_view keyPath, std::string_view valueName) const;

private:
    std::map<std::string, std::map<std::string, RegistryValue>> m_keys; // folded names
};

// The text RegQueryValueExA gives for `value`, before it is turned into the ANSI code page:
// REG_SZ up to its first NUL (all of it when it has none); REG_BINARY of one or two bytes as
// the little-endian 16-bit signed number in decimal; empty for any other type or length, and
// for nullptr (a missing key or value).
std::u16string registryValueText(const RegistryValue* value);

// registryValueText in code page 1252: what the game's ANSI registry calls see.
std::string QueryRegistryValue(const RegistryValue* value);

// QueryRegistryValue of `valueName` in `keyPath` of `hive`.
std::string ReadRegistryString(const RegistryHive& hive, std::string_view keyPath,
                               std::string_view valueName);

} // namespace velmora::platform
