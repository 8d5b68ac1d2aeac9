#include "converters/editions/qim2_window_input.h"

#include <map>

namespace bm::converters {

namespace {
std::map<const ConverterDM*, bool>& ticks() {
  static std::map<const ConverterDM*, bool> by_module;
  return by_module;
}
}  // namespace

void set_have_value(const ConverterDM& dm, bool ticked) { ticks()[&dm] = ticked; }

bool have_value(const ConverterDM& dm) {
  auto it = ticks().find(&dm);
  return it != ticks().end() && it->second;
}

}  // namespace bm::converters
