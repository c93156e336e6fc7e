#include "core/material_tables.h"

#include <gtest/gtest.h>

namespace naklon {
namespace {

TEST(MaterialTables, GiveTheStrengthsOfEveryClass)
{
    struct Row {
        double key, rbt, rb;
    };
    const Row concrete[] = {{15, 7.6452, 86}, {20, 9.1743, 117}, {25, 10.7033, 148}, {30, 12.2324, 173},
        {35, 13.2517, 198}, {40, 14.2711, 224}};
    for (const Row &row : concrete) {
        SCOPED_TRACE(row.key);
        const auto found = ConcreteClassTable::lookup(row.key);
        ASSERT_TRUE(found);
        EXPECT_EQ(found->rbt, row.rbt);
        EXPECT_EQ(found->rb, row.rb);
    }
    EXPECT_EQ(ReinforcementClassTable::lookup(240)->rsw, 1783.89);
    EXPECT_EQ(ReinforcementClassTable::lookup(300)->rsw, 2293.57);
    EXPECT_EQ(ReinforcementClassTable::lookup(400)->rsw, 2599.38);
}

TEST(MaterialTables, FindNoRowForOtherNumbers)
{
    for (const double key : {0.0, 17.5, 250.0, -15.0, 15.000000000000002}) {
        SCOPED_TRACE(key);
        EXPECT_FALSE(ConcreteClassTable::lookup(key));
        EXPECT_FALSE(ReinforcementClassTable::lookup(key));
    }
    EXPECT_FALSE(ReinforcementClassTable::lookup(20));
    EXPECT_FALSE(ConcreteClassTable::lookup(300));
}

} // namespace
} // namespace naklon
