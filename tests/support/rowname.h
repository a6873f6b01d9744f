#pragma once

#include "support/datatable.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::test {

// Names a test after its row of a data table (support/datatable.h), whose first field is the
// rule it checks, so a failure names the rule it broke.
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

} // namespace velmora::test
