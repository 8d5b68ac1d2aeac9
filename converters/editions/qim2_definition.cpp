#include "converters/registry.h"

namespace bm::converters {

const ConverterDefinition& qim2_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    d.code = "qim2";
    return d;
  }();
  return def;
}

}  // namespace bm::converters
