#include "converters/definition.h"

#include "migrate/standard_copy_plan.h"

namespace bm::converters {

namespace {
Action statement_action(Helper h, const std::string& query, const std::string& text) {
  Action a;
  a.kind = Action::Kind::Statement;
  a.helper = h;
  a.target = query;
  a.text = text;
  return a;
}
}  // namespace

Action exec_show(const std::string& q, const std::string& s) { return statement_action(Helper::ExecShow, q, s); }
Action exec_quiet(const std::string& q, const std::string& s) { return statement_action(Helper::ExecQuiet, q, s); }
Action open_quiet(const std::string& q, const std::string& s) { return statement_action(Helper::OpenQuiet, q, s); }
Action open_show(const std::string& q, const std::string& s) { return statement_action(Helper::OpenShow, q, s); }

Action command(const std::string& name) {
  Action a;
  a.kind = Action::Kind::Command;
  a.target = name;
  return a;
}
Action guarded_command(const std::string& name) {
  Action a;
  a.kind = Action::Kind::GuardedCommand;
  a.target = name;
  return a;
}
Action message(const std::string& text) {
  Action a;
  a.kind = Action::Kind::Message;
  a.text = text;
  return a;
}
Action custom(const std::string& name) {
  Action a;
  a.kind = Action::Kind::Custom;
  a.target = name;
  return a;
}

std::vector<Action> statements(Helper helper, const std::string& query, const std::vector<std::string>& list) {
  std::vector<Action> out;
  for (const auto& s : list) out.push_back(statement_action(helper, query, s));
  return out;
}

const std::vector<CheckBoxGroupDef>& check_box_catalogue() {
  // The boxes of the main window's copy tab, and the classification box of the converters.
  static const std::vector<CheckBoxGroupDef> groups = [] {
    std::vector<CheckBoxGroupDef> out;
    for (const auto& g : migrate::copy_tab_check_boxes()) {
      CheckBoxGroupDef group{g.caption, {}};
      for (const auto& b : g.boxes) group.boxes.push_back({b.name, b.caption});
      out.push_back(std::move(group));
    }
    out.front().boxes.push_back({"cbxpub_dict", "统计分类"});
    return out;
  }();
  return groups;
}

const ConverterDefinition* find_converter(const std::string& code) {
  for (const auto* c : all_converters())
    if (c->code == code) return c;
  return nullptr;
}

}  // namespace bm::converters
