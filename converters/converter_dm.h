// The generic converter data module: the connections, work queries, command objects and copy
// jobs of one converter definition, and the operations its window's buttons run.
#pragma once
#include <map>
#include <memory>
#include <set>
#include <string>

#include "converters/definition.h"
#include "data/batch_move.h"
#include "data/command.h"
#include "data/connection.h"
#include "data/message_port.h"
#include "data/query.h"
#include "data/table.h"

namespace bm::converters {

class ConverterDM {
 public:
  ConverterDM(const ConverterDefinition& definition, data::MessagePort& port);

  struct Job {
    Job(const JobDef& def, data::Connection& source, data::Connection& target, const ConverterDefinition& conv);
    const JobDef* def;
    data::Query btQuery;
    data::Table table;
    data::BatchMove move;
  };

  const ConverterDefinition& definition;
  data::MessagePort* port;  // the port of the window pressing the buttons
  data::Connection source, target;
  std::string source_name;  // the source database name stored by connect source
  // The boxes ticked on the window at the press (set by the window, like the port): a step may
  // read a box of its window, e.g. cbxhaveValue. All windows of a converter share the module, so
  // the window pressed last decides.
  std::set<std::string> window_boxes;
  // Where the keys of rows a copy job left out are written; the working folder when empty.
  std::string reject_log_dir;

  data::Query& query(const std::string& name);
  data::Command& command(const std::string& name);
  Job& job(int number);
  bool has_query(const std::string& name) const { return queries_.count(name) != 0; }

  // The connect buttons: "源数据库ok" / "源连接失败", "目标数据库ok" / "目标连接失败".
  bool connect_source(const std::string& field_text);
  bool connect_target(const std::string& field_text);
  // "执  行": the jobs of the ticked boxes in the converter's order, a message after each.
  void execute(const std::set<std::string>& ticked);
  // Runs the actions of a button. A failure that ends the step is thrown (data::run_step shows it).
  void run_step(const std::string& button);
  void run_actions(const std::vector<Action>& actions);
  // Runs one copy job with its mapping lines, then its message; rows left out are reported.
  void run_job(int number, const std::string& message);

 private:
  std::map<std::string, std::unique_ptr<data::Query>> queries_;
  std::map<std::string, std::unique_ptr<data::Command>> commands_;
  std::map<int, std::unique_ptr<Job>> jobs_;
};

}  // namespace bm::converters
