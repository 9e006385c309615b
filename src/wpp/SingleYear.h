#pragma once

#include <array>
#include <cstdint>

namespace velmora::wpp {

// Persons in the UN's groups 0-4, 5-9, ..., 95-99, 100+.
using GroupCounts = std::array<int64_t, 21>;
// Persons by single year of age 0..99, 99 holding everyone 99 and over.
using SingleYearCounts = std::array<int64_t, 100>;

// Splits the 5-year groups into single years: a monotone cubic (Fritsch-
// Carlson) spline through the cumulative count at ages 0, 5, ..., 100, its
// differences at whole ages rounded by largest remainder within each group,
// so every group keeps its total exactly and no count is negative. 100+ is
// added to age 99. Negative group counts are a WppError.
SingleYearCounts SplitSingleYears(const GroupCounts& groups);

}  // namespace velmora::wpp
