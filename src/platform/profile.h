#pragma once

// The INI profile engine: one key read or written at a time, with the observable rules of
// the Windows profile functions (GetPrivateProfileStringA / WritePrivateProfileStringA).
// All text is bytes in the file's own 8-bit code page; nothing is converted here.
//
// Two layers: a pure text layer (file bytes in, value or new file bytes out) and a file
// layer over it that re-reads the file on every call and replaces it atomically.

#include "outcome.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::platform {

// ---- text layer -------------------------------------------------------------------------

// The value of `key` in `section` of the profile text `contents`, as GetPrivateProfileStringA
// copies it into a buffer of `bufferSize` characters: at most bufferSize - 1 characters are
// returned (empty for bufferSize 0). Section and key arguments lose blanks at both ends and
// match without regard to case; only the first matching section and the first matching key
// count. A key with an empty value gives empty text; a missing key, section or file gives
// `defaultValue` less its trailing blanks. A file that starts with the UTF-16LE mark is
// decoded first (characters outside the 8-bit range become '?').
std::string profileReadText(std::string_view contents, std::string_view section,
                            std::string_view key, std::string_view defaultValue,
                            std::size_t bufferSize);

// The result of editing profile text in memory.
struct TextEdit {
    WriteStatus status = WriteStatus::Written; // Written, Unchanged or Refused
    std::string contents;                      // the new file bytes, for Written
    std::string reason;                        // for Refused
};

// Sets `key` in `section` of `contents` to `value` as WritePrivateProfileStringA does, and
// keeps every byte it does not have to change. A found key's value is replaced (the key's
// own spelling and the text before its value kept); a new key goes after the last key line
// of its section; a new section is appended at the end. New and rewritten lines end with the
// file's own line ending (the ending of its first line; CRLF when it has none); a last line
// without an ending gets one when it is rewritten or a line is added after it. Refuses,
// changing nothing: CR, LF or NUL in any argument, '=' in the key, ']' in the section, a key
// starting with ';' or '[', an empty section or key, a section or key that starts or ends
// with a tab or vertical tab (the file's names lose those, so it could never be found
// again), and a file that starts with the UTF-16BE mark or is UTF-16LE with an odd byte
// count. A UTF-16LE file is edited in UTF-16LE. Unchanged when rewriting the key's line would
// give the same bytes: its text after '=' and the blanks that follow is exactly `value`.
TextEdit profileWriteText(std::string_view contents, std::string_view section, std::string_view key,
                          std::string_view value);

// Every section header of `contents` in file order (a name that repeats is listed each time;
// reads find only the first), with the value of `key` in that section as profileReadText
// gives it, or nullopt when the section lacks the key. One pass over the text, decoded first
// as profileReadText decodes it.
struct SectionValue {
    std::string section;
    std::optional<std::string> value;
};
std::vector<SectionValue> profileSectionValues(std::string_view contents, std::string_view key,
                                               std::size_t bufferSize);

// Every key line of the first section named `section` in `contents`, in file order, with its
// value as profileReadText gives it but uncut; a key that repeats is listed each time, where a
// read finds only the first. Decoded first as profileReadText decodes it.
struct KeyValue {
    std::string key;
    std::string value;
};
std::vector<KeyValue> profileSectionKeys(std::string_view contents, std::string_view section);

// The text to write so that a read gives `value` back unchanged: `value` itself, or, when a
// read would drop its outer blanks or quotes, `value` in one more pair of double quotes.
std::string profileQuotedValue(std::string_view value);

// One key to set, as profileWriteText sets it.
struct ProfileEdit {
    std::string section;
    std::string key;
    std::string value;
};

// ---- file layer -------------------------------------------------------------------------

// The system's profile functions: the portable engine below on Linux; on Windows reads are
// GetPrivateProfileStringA's and writes the portable engine's (WritePrivateProfileStringA
// edits in place, so a full disk would cut the file short), a relative path taken against
// the current directory.

// The value as profileReadText gives it, from the file at `path`, read anew on every call. A
// missing or unreadable file reads as empty text, so every key gives the default.
std::string getProfileString(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize);

// Sets one key as profileWriteText does, creating a missing file. Nothing is written for
// Unchanged and Refused; a file that exists but cannot be read fails with the operating
// system's reason rather than being replaced.
WriteOutcome writeProfileString(const std::string& path, std::string_view section,
                                std::string_view key, std::string_view value);

// The portable engine on every system, so that Windows builds can compare it with the
// system's functions.
namespace portable {

// profileReadText over the file at `path`, read anew on every call (symbolic links
// followed). A missing or unreadable file reads as empty text, so every key gives the
// default.
std::string getProfileString(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize);

// profileWriteText over the file at `path`, then an atomic replace of the file (see
// fileio.h). A missing file is created; an unreadable one is not replaced.
WriteOutcome writeProfileString(const std::string& path, std::string_view section,
                                std::string_view key, std::string_view value);

// Applies `edits` in order to the file's text in memory, then replaces the file once
// atomically, so that all of them land or none does. Refuses before writing when any edit
// would be refused; a file that exists but cannot be read fails, as for one key.
WriteOutcome writeProfileStrings(const std::string& path, const std::vector<ProfileEdit>& edits);

} // namespace portable

} // namespace velmora::platform
