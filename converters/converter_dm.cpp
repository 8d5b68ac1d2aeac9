#include "converters/converter_dm.h"

#include "data/helpers.h"
#include "data/reject_log.h"

namespace bm::converters {

using data::DbError;

ConverterDM::Job::Job(const JobDef& d, data::Connection& src, data::Connection& dst,
                      const ConverterDefinition& conv)
    : def(&d),
      btQuery("btQuery" + std::to_string(d.number), src),
      table("Table" + std::to_string(d.number), dst, d.table),
      move("BatchMove" + std::to_string(d.number)) {
  btQuery.set_sql(d.source_sql);
  move.source = &btQuery;
  move.destination = &table;
  move.mode = d.mode.value_or(conv.mode);
  bool abort = d.abort_switches.value_or(conv.abort_switches);
  move.abort_on_key_violation = abort;
  move.abort_on_problem = abort;
}

namespace {
std::vector<std::string> designed_list(const ConnectionDef& c) {
  if (c.kind == data::DriverKind::MSSQL) return data::profiles::full_server_list(c.designed);
  return c.short_list ? data::profiles::short_file_list(c.designed) : data::profiles::full_file_list(c.designed);
}
}  // namespace

ConverterDM::ConverterDM(const ConverterDefinition& def, data::MessagePort& p)
    : definition(def),
      port(&p),
      source(def.source.name, def.source.kind, designed_list(def.source)),
      target(def.target.name, def.target.kind, designed_list(def.target)) {
  for (const auto& q : def.source_queries) queries_[q] = std::make_unique<data::Query>(q, source);
  for (const auto& q : def.target_queries) queries_[q] = std::make_unique<data::Query>(q, target);
  for (const auto& c : def.commands)
    commands_[c.name] = std::make_unique<data::Command>(c.name, c.on_source ? source : target, c.lines);
  for (const auto& j : def.jobs) jobs_[j.number] = std::make_unique<Job>(j, source, target, def);
}

data::Query& ConverterDM::query(const std::string& name) {
  auto it = queries_.find(name);
  if (it == queries_.end()) throw DbError(definition.dm_class + ": no work query " + name);
  return *it->second;
}

data::Command& ConverterDM::command(const std::string& name) {
  auto it = commands_.find(name);
  if (it == commands_.end()) throw DbError(definition.dm_class + ": no command object " + name);
  return *it->second;
}

ConverterDM::Job& ConverterDM::job(int number) {
  auto it = jobs_.find(number);
  if (it == jobs_.end()) throw DbError(definition.dm_class + ": no copy job BatchMove" + std::to_string(number));
  return *it->second;
}

bool ConverterDM::connect_source(const std::string& field_text) {
  try {
    source.close();
    if (definition.source_connect == SourceConnect::RebuildFromField) {
      source_name = field_text;
      if (source.kind() == data::DriverKind::MSSQL)
        source.rebuild_server_profile(source_name);
      else
        source.rebuild_file_profile(source_name);
    }
    source.open();
  } catch (const DbError&) {
    port->info("源连接失败");
    return false;
  }
  port->info("源数据库ok");
  return true;
}

bool ConverterDM::connect_target(const std::string& field_text) {
  try {
    target.close();
    if (definition.target_connect == TargetConnect::RebuildFromField) {
      if (definition.target_profile) {
        target.params() = definition.target_profile(field_text);
      } else if (target.kind() == data::DriverKind::MSSQL) {
        target.rebuild_server_profile(field_text);
      } else {
        target.rebuild_file_profile(field_text);
      }
    }
    target.open();
  } catch (const DbError&) {
    port->info("目标连接失败");
    return false;
  }
  port->info("目标数据库ok");
  return true;
}

void ConverterDM::run_job(int number, const std::string& message) {
  Job& j = job(number);
  j.move.mappings = j.def->mappings;
  data::BatchStats stats = j.move.execute(port);
  port->info(message);
  if (stats.left_out() > 0) {
    // Rows a copy job passed over are never silent: how many, why, and where their keys are.
    std::string log = data::write_reject_log(reject_log_dir, j.move.component(), j.table.table_name(), stats);
    port->info(data::left_out_summary(j.table.table_name(), stats, log));
  }
}

void ConverterDM::execute(const std::set<std::string>& ticked) {
  source.open();
  target.open();
  for (const auto& box : definition.execute_order) {
    if (!ticked.count(box.checkbox)) continue;
    for (const auto& jm : box.jobs) run_job(jm.job, jm.message);
  }
}

void ConverterDM::run_actions(const std::vector<Action>& actions) {
  for (const auto& a : actions) {
    switch (a.kind) {
      case Action::Kind::Statement: {
        data::Query& q = query(a.target);
        switch (a.helper) {
          case Helper::ExecQuiet: data::ExecQuiet(q, a.text); break;
          case Helper::ExecShow: data::ExecShow(*port, q, a.text); break;
          case Helper::OpenQuiet: data::OpenQuiet(q, a.text); break;
          case Helper::OpenShow: data::OpenShow(*port, q, a.text); break;
        }
        break;
      }
      case Action::Kind::Command: command(a.target).execute(); break;
      case Action::Kind::GuardedCommand: command(a.target).execute_guarded(); break;
      case Action::Kind::Message: port->info(a.text); break;
      case Action::Kind::Custom: {
        auto it = definition.custom.find(a.target);
        if (it == definition.custom.end()) throw DbError(definition.dm_class + ": no operation " + a.target);
        it->second(*this);
        break;
      }
    }
  }
}

void ConverterDM::run_step(const std::string& button) {
  auto it = definition.steps.find(button);
  if (it == definition.steps.end()) return;  // a button without an action of its own
  run_actions(it->second);
}

}  // namespace bm::converters
