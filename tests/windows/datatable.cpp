#include "datatable.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace velmora::test {
namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    throw std::invalid_argument(std::string("bad hex digit ") + c);
}

char escaped(std::string_view field, std::size_t& i)
{
    const char c = field.at(++i);
    switch (c) {
    case 'r':
        return '\r';
    case 'n':
        return '\n';
    case 't':
        return '\t';
    case 'v':
        return '\v';
    case '0':
        return '\0';
    case '\\':
        return '\\';
    case 'x': {
        const int value = hexDigit(field.at(i + 1)) * 16 + hexDigit(field.at(i + 2));
        i += 2;
        return static_cast<char>(value);
    }
    default:
        throw std::invalid_argument(std::string("unknown escape \\") + c);
    }
}

std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (auto tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

} // namespace

std::string unescapeField(std::string_view field)
{
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        text += field[i] == '\\' ? escaped(field, i) : field[i];
    }
    return text;
}

std::vector<TableRow> readTable(const std::string& path, std::string_view kind, std::size_t columns)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<TableRow> rows;
    std::string line;
    while (std::getline(in, line)) {
        const auto fields = splitTabs(line);
        if (line.empty() || line[0] == '#' || fields[0] != kind) {
            continue;
        }
        if (fields.size() != columns + 1) {
            throw std::invalid_argument("row with " + std::to_string(fields.size()) +
                                        " fields: " + line.substr(0, 80));
        }
        TableRow row;
        for (std::size_t i = 1; i < fields.size(); ++i) {
            row.push_back(unescapeField(fields[i]));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace velmora::test
