#pragma once

#include "support/datatable.h"

#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::test {

// Names a parameterised test after its row, so a failure names the rule it broke.
struct RowName {
    template <typename Row> std::string operator()(const ::testing::TestParamInfo<Row>& row) const
    {
        return row.param.name;
    }
};

// The same for a row of a data table (support/datatable.h), whose first field is its name.
struct TableRowName {
    std::string operator()(const ::testing::TestParamInfo<std::vector<std::string>>& row) const
    {
        return row.param.front();
    }
};

// Instantiates `Suite`, a TestWithParam<TableRow>, with the rows of `kind` in tests/data/`file`.
#define VELMORA_TABLE_ROWS(Suite, file, kind, columns)                                             \
    INSTANTIATE_TEST_SUITE_P(                                                                      \
        , Suite,                                                                                   \
        ::testing::ValuesIn(::velmora::test::readTable(VELMORA_TESTDATA "/" file, kind, columns)), \
        ::velmora::test::TableRowName())

// Declares the test `Suite.Name` for every row of `kind` in tests/data/`file`; the body that
// follows checks one row, GetParam().
#define VELMORA_RULES(Suite, Name, file, kind, columns)                                            \
    class Suite : public ::testing::TestWithParam<::velmora::test::TableRow> {};                   \
    VELMORA_TABLE_ROWS(Suite, file, kind, columns);                                                \
    TEST_P(Suite, Name)

// Prints a row as its name, so test lists show no byte dumps; test files bring it in with
// `using test::PrintTo;`.
template <typename Row>
requires requires(const Row& row)
{
    row.name;
}
void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.name;
}

} // namespace velmora::test
