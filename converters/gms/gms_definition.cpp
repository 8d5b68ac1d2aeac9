#include "converters/registry.h"

namespace bm::converters {

const ConverterDefinition& gms_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    d.code = "gms";
    return d;
  }();
  return def;
}

}  // namespace bm::converters
