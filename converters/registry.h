// Each converter's definition, one function per converter folder.
#pragma once
#include "converters/definition.h"

namespace bm::converters {

const ConverterDefinition& gz70_definition();     // converters/gz70
const ConverterDefinition& gz80_definition();     // converters/gz80
const ConverterDefinition& ruichen_definition();  // converters/ruichen
const ConverterDefinition& qc_definition();       // converters/qc
const ConverterDefinition& gms_definition();      // converters/gms
const ConverterDefinition& yh_definition();       // converters/yh
const ConverterDefinition& lj_definition();       // converters/lj
const ConverterDefinition& gy_definition();       // converters/gy
const ConverterDefinition& qim_definition();      // converters/editions: standard to big-customer
const ConverterDefinition& qim2_definition();     // converters/editions: big-customer to standard

}  // namespace bm::converters
