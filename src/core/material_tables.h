#pragma once

#include <optional>

namespace naklon {

// Design strengths in kgf/cm2 by material class. The key is the class number
// as read from the picked list item; lookups compare it by exact equality,
// so 17.5 or 0 (no item picked) find no row.

struct ConcreteStrengths {
    double rbt; // design tensile strength
    double rb;  // design compressive strength
};

struct ReinforcementStrengths {
    double rsw; // design strength of transverse reinforcement
};

namespace ConcreteClassTable {
// 15 -> (7.6452, 86), 20 -> (9.1743, 117), ... 40 -> (14.2711, 224)
std::optional<ConcreteStrengths> lookup(double classNumber);
} // namespace ConcreteClassTable

namespace ReinforcementClassTable {
// 240 -> 1783.89, 300 -> 2293.57, 400 -> 2599.38
std::optional<ReinforcementStrengths> lookup(double classNumber);
} // namespace ReinforcementClassTable

} // namespace naklon
