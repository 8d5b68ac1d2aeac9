#include "converters/registry.h"

namespace bm::converters {

const ConverterDefinition& qc_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    d.code = "qc";
    return d;
  }();
  return def;
}

}  // namespace bm::converters
