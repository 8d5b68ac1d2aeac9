#include "converters/registry.h"

namespace bm::converters {

const ConverterDefinition& lj_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    d.code = "lj";
    return d;
  }();
  return def;
}

}  // namespace bm::converters
