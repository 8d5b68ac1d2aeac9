#include "converters/registry.h"

namespace bm::converters {

const ConverterDefinition& gz70_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    d.code = "gz70";
    return d;
  }();
  return def;
}

}  // namespace bm::converters
