#pragma once

// Tab-separated test tables: one row a line, '#' lines are comments, and fields may hold C
// escapes (\r \n \t \v \0 \\ \xHH), so any bytes fit in a field.

#include <string>
#include <string_view>
#include <vector>

namespace velmora::test {

using TableRow = std::vector<std::string>;

// The decoded fields after the kind of every row of `kind`; each must have `columns` of them.
std::vector<TableRow> readTable(const std::string& path, std::string_view kind,
                                std::size_t columns);

// A row of tests/data/wine-registry.tsv: a value that `wine reg add` wrote, and what each
// lookup must find for it ("(empty)" in the table is empty text).
struct WineRegistryRow {
    std::string name, key, value, win32, linux;
};

std::vector<WineRegistryRow> wineRegistryRows(const std::string& path);

} // namespace velmora::test
