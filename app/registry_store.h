// The registry below HKEY_LOCAL_MACHINE, as far as the port tab needs it: open an existing key,
// test, read and write a 32-bit integer value. On Windows the real registry; elsewhere a folder
// of our own in which each key is a folder and its values are name=value lines in a file.
#pragma once
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace bm::app {

// A registry operation that failed: the key cannot be opened, a value is missing or unreadable.
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  virtual bool has_value(const std::string& name) = 0;
  virtual int32_t read_integer(const std::string& name) = 0;  // RegistryError when missing
  virtual void write_integer(const std::string& name, int32_t value) = 0;
};

class RegistryStore {
 public:
  virtual ~RegistryStore() = default;
  // Opens a key below HKEY_LOCAL_MACHINE for reading and writing, never creating it; a
  // RegistryError when it does not exist or cannot be opened. The key closes when released.
  virtual std::unique_ptr<RegistryKey> open_key(const std::string& path) = 0;
};

// The stand-in: key "A\B\C" is the folder <folder>/HKEY_LOCAL_MACHINE/A/B/C, its values the
// lines of the file "values" inside it.
std::unique_ptr<RegistryStore> folder_registry(const std::string& folder);
// The folder of the stand-in: $BOOKMOVE_REGISTRY_DIR, else bookmove/registry in the user's
// configuration folder. Read when asked, never at program start.
std::string default_registry_folder();

// The registry of this machine: the real one on Windows, the folder stand-in elsewhere.
std::unique_ptr<RegistryStore> machine_registry();

}  // namespace bm::app
