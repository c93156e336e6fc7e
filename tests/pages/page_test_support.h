#pragma once

#include "core/failures.h"
#include "core/number_format.h"
#include "pages/page_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <typeindex>

namespace naklon {

// The two number formats every page is checked with.
inline const NumberFormat kPointComma{".", ","};
inline const NumberFormat kCommaBlank{",", " "};

// Runs a calculation that must fail, and checks that it appends nothing and
// fails with the given kind and exact message.
template <typename Calculation>
void expectFailure(Calculation calculate, std::type_index kind, const std::string &message)
{
    try {
        const HistoryLines lines = calculate();
        ADD_FAILURE() << "appended " << lines.size() << " lines";
    } catch (const Exception &failure) {
        EXPECT_EQ(std::type_index(typeid(failure)), kind) << typeid(failure).name();
        EXPECT_EQ(failure.what(), message);
    }
}

} // namespace naklon
