#pragma once

#include "support/datatable.h"

#include <gtest/gtest.h>

// Instantiates `Suite`, a TestWithParam<TableRow>, with the rows of `kind` in tests/data/`file`,
// each test named after its row's first field, the rule it checks, so a failure names the rule
// it broke.
#define VELMORA_TABLE_ROWS(Suite, file, kind, columns)                                             \
    INSTANTIATE_TEST_SUITE_P(                                                                      \
        , Suite,                                                                                   \
        ::testing::ValuesIn(::velmora::test::readTable(VELMORA_TESTDATA "/" file, kind, columns)), \
        [](const auto& row) { return row.param.front(); })

// Declares the test `Suite.Name` for every row of `kind` in tests/data/`file`; the body that
// follows checks one row, GetParam().
#define VELMORA_RULES(Suite, Name, file, kind, columns)                                            \
    class Suite : public ::testing::TestWithParam<::velmora::test::TableRow> {};                   \
    VELMORA_TABLE_ROWS(Suite, file, kind, columns);                                                \
    TEST_P(Suite, Name)
