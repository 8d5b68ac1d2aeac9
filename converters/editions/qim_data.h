// The standard-to-big-customer converter's data module: its forty copy jobs, the clearing of the
// target, and the target's triggers switched through its stored procedures.
#pragma once
#include "converters/definition.h"

namespace bm::converters {

void add_qim_data(ConverterDefinition& d);

}  // namespace bm::converters
