#include "core/material_tables.h"

#include <array>

namespace naklon {
namespace {

struct ConcreteRow {
    double key;
    ConcreteStrengths strengths;
};

struct ReinforcementRow {
    double key;
    ReinforcementStrengths strengths;
};

constexpr std::array<ConcreteRow, 6> kConcrete = {{
    {15, {7.6452, 86}},
    {20, {9.1743, 117}},
    {25, {10.7033, 148}},
    {30, {12.2324, 173}},
    {35, {13.2517, 198}},
    {40, {14.2711, 224}},
}};

constexpr std::array<ReinforcementRow, 3> kReinforcement = {{
    {240, {1783.89}},
    {300, {2293.57}},
    {400, {2599.38}},
}};

template <typename Row, std::size_t N>
auto findRow(const std::array<Row, N> &table, double key) -> std::optional<decltype(Row::strengths)>
{
    for (const Row &row : table) {
        if (row.key == key)
            return row.strengths;
    }
    return std::nullopt;
}

} // namespace

std::optional<ConcreteStrengths> ConcreteClassTable::lookup(double classNumber)
{
    return findRow(kConcrete, classNumber);
}

std::optional<ReinforcementStrengths> ReinforcementClassTable::lookup(double classNumber)
{
    return findRow(kReinforcement, classNumber);
}

} // namespace naklon
