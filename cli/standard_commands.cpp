#include "cli/standard_commands.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "cli/console_port.h"
#include "data/helpers.h"
#include "migrate/bas_dm.h"
#include "migrate/standard_copy_plan.h"

namespace bm::cli {

Options::Options(const std::vector<std::string>& args, const std::vector<std::string>& known,
                 const std::vector<std::string>& flags) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
      values.emplace_back(a, "1");
    } else if (std::find(known.begin(), known.end(), a) != known.end()) {
      if (i + 1 >= args.size()) throw std::runtime_error("选项 " + a + " 缺少取值");
      values.emplace_back(a, args[++i]);
    } else {
      throw std::runtime_error("未知的选项: " + a);
    }
  }
}

bool Options::has(const std::string& name) const {
  for (const auto& v : values)
    if (v.first == name) return true;
  return false;
}

std::string Options::get(const std::string& name, const std::string& fallback) const {
  for (const auto& v : values)
    if (v.first == name) return v.second;
  return fallback;
}

std::vector<std::string> split_list(const std::string& text) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    std::string item = text.substr(start, comma - start);
    if (!item.empty()) out.push_back(item);
    start = comma + 1;
  }
  return out;
}

namespace {

}  // namespace

const std::vector<std::string> kSteps = {"clear", "triggers-off", "system", "execute",
                                         "triggers-on", "counters", "rules"};

namespace {

std::set<std::string> ticked_boxes(const std::string& tables) {
  std::set<std::string> all;
  for (const auto& row : migrate::ticked_table_order()) all.insert(row.checkbox);
  if (tables.empty() || tables == "all") return all;
  std::set<std::string> chosen;
  for (const auto& t : split_list(tables)) {
    std::string name = t.rfind("cbx", 0) == 0 ? t : "cbx" + t;
    auto it = std::find_if(all.begin(), all.end(), [&](const std::string& b) {
      return std::equal(b.begin(), b.end(), name.begin(), name.end(),
                        [](char a, char c) { return std::tolower(a) == std::tolower(c); });
    });
    if (it == all.end()) throw std::runtime_error("没有这个选项表: " + t);
    chosen.insert(*it);
  }
  return chosen;
}

}  // namespace

// The copy tab's steps in the order a technician presses them.
int run_standard_copy(const std::vector<std::string>& args) {
  Options o(args, {"--source", "--target", "--steps", "--tables"}, {"--no-system"});
  if (!o.has("--source") || !o.has("--target"))
    throw std::runtime_error("需要 --source 和 --target（标准版数据库文件）");
  std::vector<std::string> steps = o.has("--steps") ? split_list(o.get("--steps")) : kSteps;
  for (const auto& s : steps)
    if (std::find(kSteps.begin(), kSteps.end(), s) == kSteps.end())
      throw std::runtime_error("没有这个步骤: " + s);
  std::set<std::string> ticked = ticked_boxes(o.get("--tables"));

  ConsolePort port;
  migrate::TBAS_DMFrm dm(port);
  run_copy_steps(dm, port, o.get("--source"), o.get("--target"), steps, ticked, !o.has("--no-system"));
  return port.errors() ? 1 : 0;
}

void run_copy_steps(migrate::TBAS_DMFrm& dm, ConsolePort& port, const std::string& source,
                    const std::string& target, const std::vector<std::string>& steps,
                    const std::set<std::string>& ticked, bool all_system_info) {
  // The connect buttons: a failed connection is reported and the steps still run, as they do
  // in the window (they open the connection with its current profile).
  dm.ConnectSource(source);
  dm.ConnectTarget(target);
  for (const auto& name : kSteps) {
    if (std::find(steps.begin(), steps.end(), name) == steps.end()) continue;
    std::printf("== %s\n", name.c_str());
    data::run_step(port, [&] {
      if (name == "clear") dm.ClearTarget();
      if (name == "triggers-off") dm.CloseTriggers();
      if (name == "system") dm.CopySystemTables(all_system_info);
      if (name == "execute") dm.CopyTickedTables(ticked);
      if (name == "triggers-on") dm.OpenTriggers();
      if (name == "counters") dm.RepairCounters();
      if (name == "rules")
        for (const auto& line : migrate::test_rule_lines()) std::printf("  %s\n", line.c_str());
    });
  }
}

std::set<std::string> all_tables() { return ticked_boxes("all"); }

int run_maintenance(const std::vector<std::string>& args) {
  Options o(args, {"--target", "--op", "--from", "--to"});
  if (!o.has("--target") || !o.has("--op")) throw std::runtime_error("需要 --target 和 --op");
  std::string op = o.get("--op");
  ConsolePort port;
  migrate::TBAS_DMFrm dm(port);
  if (!dm.ConnectTarget(o.get("--target"))) return 1;
  auto stamp = [](const std::string& text, const data::Timestamp& fallback) {
    if (text.empty()) return fallback;
    auto t = data::parse_timestamp(text);
    if (!t) throw std::runtime_error("不是有效的日期时间: " + text);
    return *t;
  };
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  migrate::DateRange initial = migrate::initial_reapply_range({tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday});
  data::Timestamp from = stamp(o.get("--from"), initial.from), to = stamp(o.get("--to"), initial.to);
  if (op != "upgrade" && op != "remove" && op != "suppliers" && op != "purchases" && op != "sales")
    throw std::runtime_error("没有这个操作: " + op);
  data::run_step(port, [&] {
    if (op == "upgrade") dm.CreateStockProcedures();
    if (op == "remove") dm.DropStockProcedures();
    if (op == "suppliers") dm.ReCalProvider();
    if (op == "purchases") dm.ReapplyPurchases(from, to);
    if (op == "sales") dm.ReapplySales(from, to);
  });
  return port.errors() ? 1 : 0;
}

}  // namespace bm::cli
