#pragma once

#include <string>

#include <gtest/gtest.h>

namespace velmora::test {

// Names a parameterised test after its row, so a failure names the rule it broke.
struct RowName {
    template <typename Row> std::string operator()(const ::testing::TestParamInfo<Row>& row) const
    {
        return row.param.name;
    }
};

} // namespace velmora::test
