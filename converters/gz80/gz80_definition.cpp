#include "converters/registry.h"

namespace bm::converters {

const ConverterDefinition& gz80_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    d.code = "gz80";
    return d;
  }();
  return def;
}

}  // namespace bm::converters
