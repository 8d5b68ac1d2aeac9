#include "converters/registry.h"

namespace bm::converters {

const ConverterDefinition& yh_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    d.code = "yh";
    return d;
  }();
  return def;
}

}  // namespace bm::converters
