#include "inicommand.h"

#include "config/gameconfig.h"
#include "platform/fileio.h"
#include "platform/profile.h"
#include "platform/text.h"

#include <algorithm>
#include <istream>
#include <limits>
#include <ostream>
#include <vector>

namespace velmora::tools {

namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', begin);
        fields.push_back(line.substr(begin, tab - begin));
        if (tab == std::string_view::npos) {
            return fields;
        }
        begin = tab + 1;
    }
}

std::optional<std::size_t> parseBufferSize(std::string_view text)
{
    const auto size = platform::decimalNumber(text);
    if (!size || *size > std::numeric_limits<std::size_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(*size);
}

// The command built from its unescaped fields after the name, or why it is malformed.
Command buildCommand(std::string_view name, const std::vector<std::string>& args)
{
    if (name == "get" && args.size() == 5) {
        const auto size = parseBufferSize(args[4]);
        if (!size) {
            return BadCommand{"buffer size is not a decimal number: " + args[4]};
        }
        return GetCommand{args[0], args[1], args[2], args[3], *size};
    }
    if (name == "set" && args.size() == 4) {
        return SetCommand{args[0], args[1], args[2], args[3]};
    }
    if (name == "cat" && args.size() == 1) {
        return CatCommand{args[0]};
    }
    if (name == "get" || name == "set" || name == "cat") {
        return BadCommand{"wrong number of fields for " + std::string(name)};
    }
    return BadCommand{"unknown command: " + std::string(name)};
}

std::string line(std::initializer_list<std::string_view> fields)
{
    std::string text;
    for (const std::string_view field : fields) {
        text.append(text.empty() ? "" : "\t").append(field);
    }
    return text;
}

std::string errorLine(std::string_view reason)
{
    return line({"err", escapeField(reason)});
}

std::string answerGet(const GetCommand& get, const std::string& path)
{
    const std::string value =
        platform::getProfileString(path, get.section, get.key, get.defaultValue, get.bufferSize);
    return line({"ret", std::to_string(value.size()), escapeField(value)});
}

std::string answerSet(const SetCommand& set, const std::string& path)
{
    const platform::WriteOutcome outcome =
        platform::writeProfileString(path, set.section, set.key, set.value);
    return outcome.ok() ? line({"ret", "1"}) : line({"ret", "0", escapeField(outcome.reason)});
}

std::string answerCat(const std::string& path)
{
    const platform::FileContents contents = platform::readFile(path);
    if (contents.missing) {
        return line({"file", "MISSING"});
    }
    if (!contents.error.empty()) {
        return errorLine(contents.error);
    }
    return line({"file", escapeField(contents.bytes)});
}

template <typename Run>
std::string onFile(const std::string& file, const GameFileFinder& find, Run run)
{
    const auto path = resolveFile(file, find);
    return path ? run(*path) : errorLine(config::kFolderNotFoundText);
}

struct Answerer {
    const GameFileFinder& find;

    std::string operator()(const BadCommand& bad) const { return errorLine(bad.reason); }
    std::string operator()(const GetCommand& get) const
    {
        return onFile(get.file, find,
                      [&](const std::string& path) { return answerGet(get, path); });
    }
    std::string operator()(const SetCommand& set) const
    {
        return onFile(set.file, find,
                      [&](const std::string& path) { return answerSet(set, path); });
    }
    std::string operator()(const CatCommand& cat) const
    {
        return onFile(cat.file, find, [](const std::string& path) { return answerCat(path); });
    }
};

} // namespace

std::optional<std::string> resolveFile(const std::string& file, const GameFileFinder& findGameFile)
{
    if (file == kGameFileArgument) {
        return findGameFile ? findGameFile() : std::nullopt;
    }
    return file;
}

std::string escapeField(std::string_view bytes)
{
    std::string escaped;
    escaped.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            escaped.append("\\\\");
        } else if (c == '\t') {
            escaped.append("\\t");
        } else if (c == '\n') {
            escaped.append("\\n");
        } else if (c == '\r') {
            escaped.append("\\r");
        } else if (byte < 0x20 || byte >= 0x7F) {
            escaped.append("\\x").push_back(kHexDigits[byte >> 4]);
            escaped.push_back(kHexDigits[byte & 0xF]);
        } else {
            escaped.push_back(c);
        }
    }
    return escaped;
}

std::optional<std::string> unescapeField(std::string_view field)
{
    std::string bytes;
    bytes.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            bytes.push_back(field[i]);
            continue;
        }
        const char next = i + 1 < field.size() ? field[i + 1] : '\0';
        if (next == 't' || next == 'n' || next == 'r' || next == '\\') {
            bytes.push_back(next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : '\\');
            ++i;
        } else if (const platform::Digits hex =
                       platform::leadingDigits(field.substr(std::min(i + 2, field.size())), 16, 2);
                   next == 'x' && hex.used == 2) {
            bytes.push_back(static_cast<char>(hex.value));
            i += 3;
        } else {
            return std::nullopt;
        }
    }
    return bytes;
}

Command parseCommand(std::string_view text)
{
    const std::vector<std::string_view> fields = splitFields(text);
    std::vector<std::string> args;
    for (std::size_t i = 1; i < fields.size(); ++i) {
        auto arg = unescapeField(fields[i]);
        if (!arg) {
            return BadCommand{"bad escape in field " + std::to_string(i + 1)};
        }
        args.push_back(std::move(*arg));
    }
    if (fields[0].empty()) {
        return BadCommand{"empty command"};
    }
    return buildCommand(fields[0], args);
}

std::string answer(const Command& command, const GameFileFinder& findGameFile)
{
    return std::visit(Answerer{findGameFile}, command);
}

void runBatch(std::istream& in, std::ostream& out, const GameFileFinder& findGameFile)
{
    std::string text;
    while (std::getline(in, text)) {
        // Tolerate CRLF input; a CR inside a field is written \r.
        if (text.ends_with('\r')) {
            text.pop_back();
        }
        out << answer(parseCommand(text), findGameFile) << '\n' << std::flush;
    }
}

} // namespace velmora::tools
