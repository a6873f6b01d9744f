#pragma once

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
