#pragma once

// Tab-separated data tables of the Windows tests: one row a line, '#' lines are comments, and
// every field may hold C escapes (\r \n \t \v \0 \\ \xHH), so any bytes fit in a field.

#include <string>
#include <string_view>
#include <vector>

namespace velmora::test {

using TableRow = std::vector<std::string>;

// The field with its escapes decoded.
std::string unescapeField(std::string_view field);

// The rows of the table file at `path` whose first field is `kind`, fields decoded, the kind
// itself dropped; each row is checked to have `columns` fields after it. Empty when the file
// cannot be read.
std::vector<TableRow> readTable(const std::string& path, std::string_view kind,
                                std::size_t columns);

} // namespace velmora::test
