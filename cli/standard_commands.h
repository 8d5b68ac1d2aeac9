// The console's commands for the standard edition: the whole-shop copy, the maintenance
// operations, and the demo that shows a whole shop arriving.
#pragma once
#include <set>
#include <string>
#include <vector>

namespace bm::migrate {
class TBAS_DMFrm;
}

namespace bm::cli {

class ConsolePort;

// The copy tab's steps, in the order a technician presses them.
extern const std::vector<std::string> kSteps;
void run_copy_steps(migrate::TBAS_DMFrm& dm, ConsolePort& port, const std::string& source,
                    const std::string& target, const std::vector<std::string>& steps,
                    const std::set<std::string>& ticked, bool all_system_info);
std::set<std::string> all_tables();

// Each returns the process exit code: 0, or 1 when an operation ended with the standard error box.
int run_standard_copy(const std::vector<std::string>& args);
int run_maintenance(const std::vector<std::string>& args);
int run_demo(const std::vector<std::string>& args);
int run_convert(const std::vector<std::string>& args);

// Options are "--name value" pairs; an unknown option or a missing value throws.
struct Options {
  Options(const std::vector<std::string>& args, const std::vector<std::string>& known,
          const std::vector<std::string>& flags = {});
  bool has(const std::string& name) const;
  std::string get(const std::string& name, const std::string& fallback = {}) const;
  std::vector<std::pair<std::string, std::string>> values;
};

std::vector<std::string> split_list(const std::string& text);

}  // namespace bm::cli
