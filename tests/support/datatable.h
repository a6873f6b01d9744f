#pragma once

// Tab-separated test tables in tests/data: one row a line, '#' lines are comments, the first
// field names the kind of row and the second the rule, and fields may hold C escapes
// (\r \n \t \v \0 \\ \xHH), so any bytes fit in a field.

#include <string>
#include <string_view>
#include <vector>

namespace velmora::test {

using TableRow = std::vector<std::string>;

// The decoded fields after the kind of every row of `kind`; each must have `columns` of them.
// Throws when the file cannot be read, so that a misplaced table cannot pass with no rows.
std::vector<TableRow> readTable(const std::string& path, std::string_view kind,
                                std::size_t columns);

// `text` cut at every `separator`; none of empty text.
std::vector<std::string> split(const std::string& text, char separator);

} // namespace velmora::test
