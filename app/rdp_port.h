// The remote-desktop port of this machine: where it is kept, reading it, writing it.
#pragma once
#include <cstdint>
#include <string>

namespace bm::app {

class RegistryStore;

inline constexpr const char* kRdpKeyOne = "SYSTEM\\CurrentControlSet\\Control\\Terminal Server\\Wds\\rdpwd\\Tds\\tcp";
inline constexpr const char* kRdpKeyTwo = "SYSTEM\\CurrentControlSet\\Control\\Terminal Server\\WinStations\\RDP-Tcp";
inline constexpr const char* kPortValue = "PortNumber";
inline constexpr int32_t kDefaultRdpPort = 3389;

// A whole number as typed: an optional sign and decimal digits that fit 32 bits. Anything else
// throws std::invalid_argument "'<text>' is not a valid integer value".
int32_t to_whole_number(const std::string& text);

// The port as typed into the write field: a whole number that is a TCP port (1 to 65535). A
// number outside that range would lock every remote-desktop client out of the server.
int32_t to_port_number(const std::string& text);

// Reads "PortNumber" of one key as decimal text. Throws RegistryError.
std::string read_port(RegistryStore& registry, const char* key);

// Writes the port into one key: the typed port where the key has the value, 3389 where it has
// none (the text is not looked at then). Throws RegistryError or std::invalid_argument.
void write_port(RegistryStore& registry, const char* key, const std::string& typed);

}  // namespace bm::app
