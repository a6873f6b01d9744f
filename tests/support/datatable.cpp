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
        if (field[i] != '\\') {
            text += field[i];
        } else if (const auto at = kFrom.find(field.at(++i)); at != std::string_view::npos) {
            text += kTo[at];
        } else if (field[i] == 'x') {
            std::size_t used = 0;
            const std::string hex(field.substr(i + 1, 2));
            text += static_cast<char>(std::stoi(hex, &used, 16));
            if (used != 2) {
                throw std::invalid_argument("bad \\x escape in " + std::string(field));
            }
            i += 2;
        } else {
            throw std::invalid_argument(std::string("unknown escape \\") + field[i]);
        }
    }
    return text;
}

} // namespace

std::vector<TableRow> readTable(const std::string& path, std::string_view kind, std::size_t columns)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<TableRow> rows;
    for (std::string line; std::getline(in, line);) {
        TableRow fields;
        for (std::size_t start = 0, tab = 0; tab != std::string::npos; start = tab + 1) {
            tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab - start));
        }
        if (line.starts_with('#') || fields[0] != kind) {
            continue;
        }
        if (fields.size() != columns + 1) {
            throw std::invalid_argument("row with " + std::to_string(fields.size()) +
                                        " fields: " + line.substr(0, 80));
        }
        rows.emplace_back();
        for (std::size_t i = 1; i < fields.size(); ++i) {
            rows.back().push_back(unescapeField(fields[i]));
        }
    }
    return rows;
}

std::vector<WineRegistryRow> wineRegistryRows(const std::string& path)
{
    const auto text = [](const std::string& field) {
        return field == "(empty)" ? std::string() : field;
    };
    std::vector<WineRegistryRow> rows;
    for (auto& f : readTable(path, "reg", 8)) {
        rows.push_back({f[0], f[2], f[3], text(f[6]), text(f[7])});
    }
    return rows;
}

} // namespace velmora::test
