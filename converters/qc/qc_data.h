// The QC importer's data module: the views it adds to the QC database, its copy jobs with their
// mapping lines, the order of "执  行", and what each step button does.
#pragma once
#include "converters/definition.h"

namespace bm::converters {

void add_qc_data(ConverterDefinition& d);

}  // namespace bm::converters
