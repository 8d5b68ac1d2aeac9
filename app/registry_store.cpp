#include "app/registry_store.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/rdp_port.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace bm::app {

namespace fs = std::filesystem;

namespace {

const char* kRoot = "HKEY_LOCAL_MACHINE";

class FolderKey : public RegistryKey {
 public:
  FolderKey(fs::path file, std::string name) : file_(std::move(file)), name_(std::move(name)) {}

  bool has_value(const std::string& name) override { return load().count(name) != 0; }

  int32_t read_integer(const std::string& name) override {
    auto values = load();
    auto it = values.find(name);
    if (it == values.end())
      throw RegistryError("The value " + name + " does not exist in " + name_);
    try {
      return to_whole_number(it->second);
    } catch (const std::exception&) {
      throw RegistryError("The value " + name + " in " + name_ + " is not a 32-bit integer");
    }
  }

  void write_integer(const std::string& name, int32_t value) override {
    auto values = load();
    values[name] = std::to_string(value);
    fs::path tmp = file_;
    tmp += ".new";
    {
      std::ofstream out(tmp, std::ios::trunc);
      for (const auto& [n, v] : values) out << n << '=' << v << '\n';
      if (!out) throw RegistryError("Cannot write the key " + name_);
    }
    fs::rename(tmp, file_);  // a key is never left half written
  }

 private:
  std::map<std::string, std::string> load() const {
    std::map<std::string, std::string> values;
    std::ifstream in(file_);
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      auto eq = line.find('=');
      if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return values;
  }

  fs::path file_;
  std::string name_;
};

class FolderRegistry : public RegistryStore {
 public:
  explicit FolderRegistry(std::string folder) : folder_(std::move(folder)) {}

  std::unique_ptr<RegistryKey> open_key(const std::string& path) override {
    fs::path dir = fs::path(folder_) / kRoot;
    std::stringstream parts(path);
    std::string part;
    while (std::getline(parts, part, '\\'))
      if (!part.empty()) dir /= part;
    std::error_code ec;
    if (!fs::is_directory(dir, ec))
      throw RegistryError(std::string("Cannot open the registry key ") + kRoot + "\\" + path);
    return std::make_unique<FolderKey>(dir / "values", std::string(kRoot) + "\\" + path);
  }

 private:
  std::string folder_;
};

#ifdef _WIN32
std::wstring wide(const std::string& utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring w(n > 0 ? n - 1 : 0, L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, w.data(), n);
  return w;
}

std::string system_message(LONG code) {
  char buf[512] = {0};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buf,
                 sizeof buf, nullptr);
  return buf;
}

class WindowsKey : public RegistryKey {
 public:
  explicit WindowsKey(HKEY key) : key_(key) {}
  ~WindowsKey() override { RegCloseKey(key_); }

  bool has_value(const std::string& name) override {
    return RegQueryValueExW(key_, wide(name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  }
  int32_t read_integer(const std::string& name) override {
    DWORD type = 0, value = 0, size = sizeof value;
    LONG rc = RegQueryValueExW(key_, wide(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (rc != ERROR_SUCCESS) throw RegistryError(system_message(rc));
    if (type != REG_DWORD) throw RegistryError("Invalid data type for '" + name + "'");
    return static_cast<int32_t>(value);
  }
  void write_integer(const std::string& name, int32_t value) override {
    DWORD v = static_cast<DWORD>(value);
    LONG rc = RegSetValueExW(key_, wide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
    if (rc != ERROR_SUCCESS) throw RegistryError(system_message(rc));
  }

 private:
  HKEY key_;
};

class WindowsRegistry : public RegistryStore {
 public:
  std::unique_ptr<RegistryKey> open_key(const std::string& path) override {
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExW(HKEY_LOCAL_MACHINE, wide(path).c_str(), 0, KEY_READ | KEY_WRITE, &key);
    if (rc != ERROR_SUCCESS) throw RegistryError(system_message(rc));
    return std::make_unique<WindowsKey>(key);
  }
};
#endif

}  // namespace

std::unique_ptr<RegistryStore> folder_registry(const std::string& folder) {
  return std::make_unique<FolderRegistry>(folder);
}

std::string default_registry_folder() {
  if (const char* dir = std::getenv("BOOKMOVE_REGISTRY_DIR"); dir && *dir) return dir;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
    return (fs::path(config) / "bookmove" / "registry").string();
  const char* home = std::getenv("HOME");
  return (fs::path(home ? home : ".") / ".config" / "bookmove" / "registry").string();
}

std::unique_ptr<RegistryStore> machine_registry() {
#ifdef _WIN32
  return std::make_unique<WindowsRegistry>();
#else
  return folder_registry(default_registry_folder());
#endif
}

}  // namespace bm::app
