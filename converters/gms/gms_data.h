// The GMS (格敏思) importer's data module: the five temporary insert triggers it installs in the
// target, its copy jobs with their mapping lines, the order of "执  行", and what each step button
// does to the GMS file and the standard-edition target.
#pragma once
#include "converters/definition.h"

namespace bm::converters {

void add_gms_data(ConverterDefinition& d);

}  // namespace bm::converters
