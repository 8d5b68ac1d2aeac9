// A converter described as data: its window (captions, fields, boxes, buttons, memo) and its data
// module (connections, work queries, command objects, copy jobs with their mapping lines, and
// what each button does). One generic data module (converter_dm.h) and one generic window run
// every definition; a converter adds code only for a step no list of actions can express.
#pragma once
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "data/batch_move.h"
#include "data/connection.h"

namespace bm::converters {

class ConverterDM;

enum class Helper { ExecQuiet, ExecShow, OpenQuiet, OpenShow };

// One thing a button does, in order.
struct Action {
  enum class Kind {
    Statement,       // `text` through `helper` on the work query `target`
    Command,         // execute the command object `target`; a failure ends the step
    GuardedCommand,  // execute the command object `target`; a failure is ignored
    Message,         // an information box with `text`
    Custom,          // the converter's own code named `target`
  };
  Kind kind = Kind::Message;
  Helper helper = Helper::ExecShow;
  std::string target;
  std::string text;
};

Action exec_show(const std::string& query, const std::string& statement);
Action exec_quiet(const std::string& query, const std::string& statement);
Action open_quiet(const std::string& query, const std::string& statement);
Action open_show(const std::string& query, const std::string& statement);
Action command(const std::string& name);
Action guarded_command(const std::string& name);
Action message(const std::string& text);
Action custom(const std::string& name);
// The same helper and query for a list of statements.
std::vector<Action> statements(Helper helper, const std::string& query, const std::vector<std::string>& list);

struct CommandDef {
  std::string name;
  bool on_source;  // bound to the source connection, else to the target
  std::vector<std::string> lines;
};

struct JobDef {
  int number;              // BatchMove<number>, btQuery<number>, Table<number>
  std::string source_sql;  // the text of btQuery<number>
  std::string table;       // the destination of Table<number>
  std::vector<std::string> mappings;  // "DEST=src" lines, in order, filled at run time
  // Per-job options where a job differs from its data module.
  std::optional<data::BatchMode> mode;
  std::optional<bool> abort_switches;
};

struct JobMessage {
  int job;
  std::string message;
};
struct BoxJobs {
  std::string checkbox;
  std::vector<JobMessage> jobs;
};

struct ConnectionDef {
  std::string name;  // e.g. "GZTOQIM"
  data::DriverKind kind;
  std::string designed;  // the designed database name or file path
  // A file connection designed with the short list (path, user, password) instead of the full one.
  bool short_list = false;
};

// How the connect buttons treat the window's fields.
enum class SourceConnect { RebuildFromField, DesignedOnly };
enum class TargetConnect { Designed, RebuildFromField };

struct ButtonDef {
  std::string name;     // objectName, e.g. "btnStart"
  std::string caption;  // exactly as shown
  bool visible = true;
  bool enabled = true;
  bool bold = false;
};

struct CheckBoxDef {
  std::string name;
  std::string caption;
  bool visible = true;
};
struct CheckBoxGroupDef {
  std::string caption;
  std::vector<CheckBoxDef> boxes;
};

struct WindowDef {
  std::string window_class;  // e.g. "TfrmGZ"
  std::string unit;          // e.g. "gzTOqimstd"
  std::string caption;
  std::string source_default, target_default;
  bool source_enabled = true, target_enabled = true;
  std::string note;
  std::string memo_name = "Memo1";
  std::vector<std::string> memo;
  std::vector<CheckBoxGroupDef> groups;  // the catalogue as this window shows it; a group with an
                                         // empty caption holds boxes shown outside any group box
  std::vector<std::string> labels;       // further labels of the window, e.g. "只要13位"
  std::set<std::string> enabled_boxes;
  std::set<std::string> disabled_groups;  // a disabled group disables all its boxes
  std::vector<ButtonDef> buttons;         // step buttons in caption order, then the others
  bool modal = false;                     // opened modally from the main window
};

struct ConverterDefinition {
  std::string code;  // "GZ", "QC", "GMS", "QIM", ...
  std::string dm_class, dm_unit;
  WindowDef window;

  ConnectionDef source, target;
  SourceConnect source_connect = SourceConnect::RebuildFromField;
  TargetConnect target_connect = TargetConnect::Designed;
  // The target's lines when it is rebuilt from its field; the standard profile of its driver
  // kind when empty.
  std::function<std::vector<std::string>(const std::string& field)> target_profile;

  std::vector<std::string> source_queries;  // work queries on the source (btQry_Temp_S)
  std::vector<std::string> target_queries;  // work queries on the target (btQry_Temp_D, btQry<code>)
  std::vector<CommandDef> commands;

  data::BatchMode mode = data::BatchMode::Append;
  bool abort_switches = true;  // both abort switches
  std::vector<JobDef> jobs;
  std::vector<BoxJobs> execute_order;  // "执  行": boxes in the converter's fixed order

  // What each button does, by the button's objectName; "btnS", "btnD" and "btnTOqim" are the
  // connect and execute operations and need no entry.
  std::map<std::string, std::vector<Action>> steps;
  // The converter's own code for Custom actions.
  std::map<std::string, std::function<void(ConverterDM&)>> custom;
};

// The check-box catalogue of the converter windows, in its groups.
const std::vector<CheckBoxGroupDef>& check_box_catalogue();

// Every converter, in the order the program creates their data modules.
const std::vector<const ConverterDefinition*>& all_converters();
const ConverterDefinition* find_converter(const std::string& code);

}  // namespace bm::converters
