#include "steamvdf.h"

#include "codepage.h"
#include "text.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace velmora::platform::wine {
namespace {

struct VdfToken {
    char kind; // '"' for text, '{' or '}'
    std::string text;
};

std::string vdfString(std::string_view text, std::size_t& pos)
{
    std::string value;
    for (++pos; pos < text.size() && text[pos] != '"'; ++pos) {
        if (text[pos] == '\\' && pos + 1 < text.size())
            ++pos;
        value += text[pos];
    }
    ++pos;
    return value;
}

std::vector<VdfToken> vdfTokens(std::string_view text)
{
    std::vector<VdfToken> tokens;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '{' || c == '}') {
            tokens.push_back({c, {}});
            ++pos;
        } else if (c == '"') {
            tokens.push_back({'"', vdfString(text, pos)});
        } else if (text.substr(pos, 2) == "//") {
            pos = std::min(text.size(), text.find('\n', pos));
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            ++pos;
        } else {
            const std::size_t end = text.find_first_of(" \t\r\n{}\"", pos);
            tokens.push_back({'"', std::string(text.substr(pos, end - pos))});
            pos = std::min(text.size(), end);
        }
    }
    return tokens;
}

} // namespace

std::vector<std::string> steamLibrariesFromVdf(std::string_view vdfText)
{
    std::vector<std::string> libraries;
    int depth = 0;
    std::optional<std::string> key;
    for (VdfToken& token : vdfTokens(vdfText)) {
        if (token.kind != '"') {
            depth += token.kind == '{' ? 1 : -1;
            key.reset();
        } else if (!key) {
            key = std::move(token.text);
        } else {
            // The older layout lists each library as a numbered entry of the top block.
            if (foldCase(*key) == "path" || (depth == 1 && decimalNumber(*key)))
                libraries.push_back(std::move(token.text));
            key.reset();
        }
    }
    return libraries;
}

} // namespace velmora::platform::wine
