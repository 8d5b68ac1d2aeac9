// Every converter, in the order the program creates their data modules.
#include "converters/definition.h"
#include "converters/registry.h"

namespace bm::converters {

const std::vector<const ConverterDefinition*>& all_converters() {
  static const std::vector<const ConverterDefinition*> list = {
      &gz70_definition(),  &qc_definition(), &gms_definition(),     &qim_definition(), &yh_definition(),
      &lj_definition(),    &qim2_definition(), &gy_definition(),    &gz80_definition(), &ruichen_definition(),
  };
  return list;
}

}  // namespace bm::converters
