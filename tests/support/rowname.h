#pragma once

// Names a parameterised test after its row, so a failure names the rule it broke.

#include <string>

#include <gtest/gtest.h>

namespace velmora::test {

struct RowName {
    template <typename Row> std::string operator()(const ::testing::TestParamInfo<Row>& row) const
    {
        return row.param.name;
    }
};

} // namespace velmora::test
