#include "converters/registry.h"

namespace bm::converters {

const ConverterDefinition& gy_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    d.code = "gy";
    return d;
  }();
  return def;
}

}  // namespace bm::converters
