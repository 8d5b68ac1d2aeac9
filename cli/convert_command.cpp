// "convert": one converter's window, pressed button by button from the console.
#include <algorithm>
#include <set>
#include <stdexcept>

#include "cli/console_port.h"
#include "cli/standard_commands.h"
#include "converters/converter_dm.h"
#include "converters/definition.h"
#include "data/drivers/install.h"

namespace bm::cli {

namespace {

// Buttons that are not steps: the connect buttons and the file dialogs.
bool is_step(const converters::ButtonDef& b) {
  static const std::set<std::string> not_steps = {"btnS", "btnD", "btnOpenS", "btnOpenD"};
  return b.visible && b.enabled && !not_steps.count(b.name);
}

}  // namespace

int run_convert(const std::vector<std::string>& args) {
  Options o(args, {"--converter", "--source", "--target", "--steps", "--tables", "--sqlserver-standin", "--reject-dir"});
  const auto* def = converters::find_converter(o.get("--converter"));
  if (!def) {
    std::string codes;
    for (const auto* c : converters::all_converters()) codes += " " + c->code;
    throw std::runtime_error("需要 --converter，取值:" + codes);
  }
  if (o.has("--sqlserver-standin")) data::use_sqlserver_standin(o.get("--sqlserver-standin"));
  const auto& win = def->window;

  std::vector<std::string> steps;
  if (o.has("--steps")) {
    steps = split_list(o.get("--steps"));
    for (const auto& s : steps) {
      bool known = std::any_of(win.buttons.begin(), win.buttons.end(),
                               [&](const converters::ButtonDef& b) { return b.name == s && b.name != "btnS" && b.name != "btnD"; });
      if (!known) throw std::runtime_error("这个窗口没有按钮: " + s);
    }
  }
  std::set<std::string> ticked;
  if (o.has("--tables")) {
    for (const auto& t : split_list(o.get("--tables"))) {
      std::string name = t.rfind("cbx", 0) == 0 ? t : "cbx" + t;
      if (!win.enabled_boxes.count(name)) throw std::runtime_error("这个窗口没有可勾选的选项表: " + t);
      ticked.insert(name);
    }
  } else {
    ticked = win.enabled_boxes;
  }

  ConsolePort port;
  converters::ConverterDM dm(*def, port);
  dm.reject_log_dir = o.get("--reject-dir");
  dm.window_boxes = ticked;
  std::string source_field = o.get("--source", win.source_default);
  std::string target_field = o.get("--target", win.target_default);
  // A source the window does not let the technician choose opens its designed profile; the
  // console lets it name another file or database instead.
  if (def->source_connect == converters::SourceConnect::DesignedOnly && o.has("--source")) {
    if (def->source.kind == data::DriverKind::MSSQL)
      dm.source.params() = data::profiles::full_server_list(source_field);
    else
      dm.source.params() = data::profiles::full_file_list(source_field);
  }
  if (def->target_connect == converters::TargetConnect::Designed && o.has("--target")) {
    if (def->target.kind == data::DriverKind::MSSQL)
      dm.target.params() = data::profiles::full_server_list(target_field);
    else
      dm.target.params() = data::profiles::full_file_list(target_field);
  }

  std::printf("== %s（%s）\n", win.caption.c_str(), win.window_class.c_str());
  dm.connect_source(source_field);
  dm.connect_target(target_field);
  for (const auto& b : win.buttons) {
    bool chosen = steps.empty() ? is_step(b) : std::find(steps.begin(), steps.end(), b.name) != steps.end();
    if (!chosen) continue;
    std::printf("== %s\n", b.caption.c_str());
    data::run_step(port, [&] {
      if (b.name == "btnTOqim")
        dm.execute(ticked);
      else
        dm.run_step(b.name);
    });
  }
  return port.errors() ? 1 : 0;
}

}  // namespace bm::cli
