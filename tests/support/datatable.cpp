#include "support/datatable.h"

#include <fstream>
#include <stdexcept>

namespace velmora::test {
namespace {

std::string unescapeField(std::string_view field)
{
    static constexpr std::string_view kFrom = "rntv0\\", kTo{"\r\n\t\v\0\\", 6};
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        std::size_t used = 0;
        if (field[i] != '\\') {
            text += field[i];
        } else if (const auto at = kFrom.find(field.at(++i)); at != std::string_view::npos) {
            text += kTo[at];
        } else if (field[i] == 'x') {
            text += static_cast<char>(std::stoi(std::string(field.substr(i + 1, 2)), &used, 16));
            if (used != 2)
                throw std::invalid_argument("bad \\x escape in " + std::string(field));
            i += 2;
        } else {
            throw std::invalid_argument(std::string("unknown escape \\") + field[i]);
        }
    }
    return text;
}

} // namespace

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    for (std::size_t start = 0, end = 0; !text.empty() && end != std::string::npos;
         start = end + 1) {
        end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
    }
    return parts;
}

std::vector<TableRow> readTable(const std::string& path, std::string_view kind, std::size_t columns)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::invalid_argument("cannot read " + path);
    std::vector<TableRow> rows;
    for (std::string line; std::getline(in, line);) {
        TableRow fields = split(line, '\t');
        if (fields.empty() || fields[0] != kind) // blank, comment or another kind
            continue;
        if (fields.size() != columns + 1)
            throw std::invalid_argument("row with " + std::to_string(fields.size()) +
                                        " fields: " + line.substr(0, 80));
        rows.emplace_back();
        for (std::size_t i = 1; i < fields.size(); ++i)
            rows.back().push_back(unescapeField(fields[i]));
    }
    return rows;
}

} // namespace velmora::test
