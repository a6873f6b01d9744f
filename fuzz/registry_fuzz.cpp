// Fuzzes the reader of a Wine prefix's registry file. Two kinds of input:
//  - raw text (with or without a valid first line): the reader must not crash or hang, names
//    must match without regard to case, and a value's text must follow the type rules;
//  - a value written as Wine writes it (escaped string or byte list) under the game's key:
//    it must read back exactly, up to its first NUL for a string.

#include "platform/gamelocator.h"
#include "platform/registry_text.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

namespace {

using namespace velmora::platform;

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "registry invariant broken: %s\n", what);
        std::abort();
    }
}

std::string upper(std::string text)
{
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

void checkValueText(const RegistryValue* value)
{
    const std::u16string text = registryValueText(value);
    if (value == nullptr) {
        require(text.empty(), "a missing value reads as empty text");
    } else if (value->type == kRegSz) {
        require(text.find(u'\0') == text.npos, "a string stops at its first NUL");
    } else if (value->type == kRegBinary && (value->data.size() == 1 || value->data.size() == 2)) {
        const std::string number = utf8FromUtf16(text);
        require(!number.empty() && number.find_first_not_of("-0123456789") == number.npos,
                "a short binary value reads as a number");
    } else {
        require(text.empty(), "other types and lengths read as empty text");
    }
}

void checkRaw(std::string_view text)
{
    const auto hive = RegistryHive::parse(text);
    if (!hive) {
        return;
    }
    for (const std::string& key :
         {std::string(kGameRegistryKey), std::string("Software\\Wow6432Node\\Unreal Technology\\"
                                                     "Installed Apps\\UnrealTournament")}) {
        const RegistryValue* value = hive->find(key, kGameRegistryValue);
        require(hive->find(upper(key), upper(kGameRegistryValue)) == value,
                "names match without regard to case");
        checkValueText(value);
        require(ReadRegistryString(*hive, key, kGameRegistryValue) == QueryRegistryValue(value),
                "the string read is the value's text");
    }
}

std::string hex4(unsigned unit)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\x%04x", unit);
    return buffer;
}

// A string as Wine writes it in the file: quotes and backslashes escaped, everything outside
// printable ASCII as four hex digits.
std::string escaped(std::u16string_view units)
{
    std::string text;
    for (const char16_t unit : units) {
        if (unit == u'"' || unit == u'\\') {
            text += '\\';
            text += static_cast<char>(unit);
        } else if (unit >= 0x20 && unit < 0x7F) {
            text += static_cast<char>(unit);
        } else {
            text += hex4(unit);
        }
    }
    return text;
}

std::string hiveWith(std::string_view valueLine, bool lfOnly)
{
    const std::string end = lfOnly ? "\n" : "\r\n";
    return "WINE REGISTRY Version 2" + end + ";; All keys relative to \\\\Machine" + end + end +
           "[Software\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament] 1700000000" +
           end + "#time=1da0000000000000" + end + std::string(valueLine) + end;
}

void checkStringRoundTrip(FuzzedDataProvider& in)
{
    std::u16string units;
    const std::size_t count = in.ConsumeIntegralInRange<std::size_t>(0, 80);
    for (std::size_t i = 0; i < count; ++i) {
        units.push_back(in.ConsumeIntegral<char16_t>());
    }
    const bool lfOnly = in.ConsumeBool();
    const auto hive =
        RegistryHive::parse(hiveWith("\"Folder\"=\"" + escaped(units) + "\"", lfOnly));
    require(hive.has_value(), "a well-formed file parses");
    const RegistryValue* value = hive->find(kGameRegistryKey, "folder");
    require(value != nullptr && value->type == kRegSz, "the string is found as REG_SZ");
    const std::u16string expected = units.substr(0, units.find(u'\0'));
    require(registryValueText(value) == expected, "the string reads back up to its first NUL");
    require(ReadRegistryString(*hive, kGameRegistryKey, "Folder") == cp1252FromUtf16(expected),
            "the ANSI text is the string in code page 1252");
}

void checkBinaryRoundTrip(FuzzedDataProvider& in)
{
    const std::string bytes = in.ConsumeBytesAsString(in.ConsumeIntegralInRange<std::size_t>(0, 6));
    std::string list;
    for (const char byte : bytes) {
        char buffer[4];
        std::snprintf(buffer, sizeof buffer, "%02x", static_cast<unsigned char>(byte));
        list += (list.empty() ? "" : ",") + std::string(buffer);
    }
    const auto hive = RegistryHive::parse(hiveWith("\"Folder\"=hex:" + list, in.ConsumeBool()));
    require(hive.has_value(), "a well-formed file parses");
    std::string expected;
    if (bytes.size() == 1 || bytes.size() == 2) {
        const auto low = static_cast<unsigned char>(bytes[0]);
        const auto high = bytes.size() == 2 ? static_cast<unsigned char>(bytes[1]) : 0U;
        expected = std::to_string(static_cast<std::int16_t>(low | high << 8));
    }
    require(ReadRegistryString(*hive, kGameRegistryKey, "FOLDER") == expected,
            "one or two bytes read as a 16-bit number, anything else as empty text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        checkStringRoundTrip(in);
        break;
    case 1:
        checkBinaryRoundTrip(in);
        break;
    case 2:
        checkRaw("WINE REGISTRY Version 2\n" + in.ConsumeRemainingBytesAsString());
        break;
    default:
        checkRaw(in.ConsumeRemainingBytesAsString());
        break;
    }
    return 0;
}
