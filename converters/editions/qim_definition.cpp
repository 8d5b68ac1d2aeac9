#include "converters/registry.h"

namespace bm::converters {

const ConverterDefinition& qim_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    d.code = "qim";
    return d;
  }();
  return def;
}

}  // namespace bm::converters
