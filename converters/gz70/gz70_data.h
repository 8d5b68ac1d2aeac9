// The GZ70 importer's data module: the columns and views step 1 adds to the GZ70 database, the
// target clearing, the copy jobs with their mapping lines, the order of "执  行", the value fixing,
// and the steps that need code of their own (counter repair, line renumbering).
#pragma once
#include "converters/definition.h"

namespace bm::converters {

void add_gz70_data(ConverterDefinition& d);

}  // namespace bm::converters
