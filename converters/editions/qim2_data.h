// The big-customer-to-standard converter's data module: its forty copy jobs with their field lists,
// the clearing with the temporary IS_RATE triggers, the value correction, and the standard
// edition's trigger lists.
#pragma once
#include "converters/definition.h"

namespace bm::converters {

void add_qim2_data(ConverterDefinition& d);

}  // namespace bm::converters
