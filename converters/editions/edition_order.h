// What both edition converters share: "执  行" walks the same boxes in the same order with the
// same messages, whichever way the shop moves.
#pragma once
#include <vector>

#include "converters/definition.h"

namespace bm::converters {

// The boxes in the converters' order; "盘点单明细" runs two jobs.
std::vector<BoxJobs> edition_execute_order();

}  // namespace bm::converters
