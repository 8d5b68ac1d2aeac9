#include "converters/registry.h"

namespace bm::converters {

const ConverterDefinition& ruichen_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    d.code = "ruichen";
    return d;
  }();
  return def;
}

}  // namespace bm::converters
