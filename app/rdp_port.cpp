#include "app/rdp_port.h"

#include <limits>
#include <stdexcept>

#include "app/registry_store.h"

namespace bm::app {

int32_t to_whole_number(const std::string& text) {
  auto invalid = [&] { return std::invalid_argument("'" + text + "' is not a valid integer value"); };
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) throw invalid();
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') throw invalid();
    value = value * 10 + (text[i] - '0');
    if (value > int64_t(std::numeric_limits<int32_t>::max()) + 1) throw invalid();
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min()) throw invalid();
  return static_cast<int32_t>(value);
}

int32_t to_port_number(const std::string& text) {
  int32_t port = to_whole_number(text);
  if (port < 1 || port > 65535)
    throw std::invalid_argument("'" + text + "' is not a valid port number (1 to 65535)");
  return port;
}

std::string read_port(RegistryStore& registry, const char* key) {
  auto k = registry.open_key(key);
  return std::to_string(k->read_integer(kPortValue));
}

void write_port(RegistryStore& registry, const char* key, const std::string& typed) {
  auto k = registry.open_key(key);
  k->write_integer(kPortValue, k->has_value(kPortValue) ? to_port_number(typed) : kDefaultRdpPort);
}

}  // namespace bm::app
