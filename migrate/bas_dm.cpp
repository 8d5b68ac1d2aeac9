#include "migrate/bas_dm.h"

#include "data/helpers.h"
#include "migrate/standard_copy_plan.h"
#include "migrate/trigger_lists.h"

namespace bm::migrate {

using data::Connection;
using data::DbError;
using data::DriverKind;

TBAS_DMFrm::Job::Job(int n, Connection& source, Connection& target, const std::string& sql,
                     const std::string& table_name)
    : btQuery("btQuery" + std::to_string(n), source),
      table("Table" + std::to_string(n), target, table_name),
      move("BatchMove" + std::to_string(n)) {
  btQuery.set_sql(sql);
  move.source = &btQuery;
  move.destination = &table;
  // Append mode with both abort switches on: a copy into a fresh database stops at the first
  // row that does not go in.
}

TBAS_DMFrm::TBAS_DMFrm(data::MessagePort& p)
    : port(p),
      QIMS("QIMS", DriverKind::INTRBASE, data::profiles::short_file_list("D:\\testdata\\qimbook")),
      QIMD("QIMD", DriverKind::INTRBASE, data::profiles::full_file_list("D:\\testdata\\rorudazez")),
      btQryBZB("btQryBZB", QIMD),
      Query1("Query1", QIMD),
      btQryTemp("btQryTemp", QIMD),
      btQryTemp1("btQryTemp1", QIMD),
      btQryTemp2("btQryTemp2", QIMD),
      btQryCalLib("btQryCalLib", QIMD),
      SPReCallibPur("SPReCallibPur", QIMD, "SPCALLIBPUR"),
      SPReCallibSal("SPReCallibSal", QIMD, "SPCALLIBSAL") {
  for (const auto& def : standard_copy_jobs())
    jobs_[def.number] = std::make_unique<Job>(def.number, QIMS, QIMD, def.source_sql, def.table);
  QIMS.close();
  QIMD.close();
}

TBAS_DMFrm::Job& TBAS_DMFrm::job(int number) {
  auto it = jobs_.find(number);
  if (it == jobs_.end()) throw DbError("BatchMove" + std::to_string(number) + " does not exist");
  return *it->second;
}

bool TBAS_DMFrm::ConnectSource(const std::string& path) {
  try {
    QIMS.close();
    connection_path = path;
    QIMS.rebuild_file_profile(connection_path);
    QIMS.open();
  } catch (const DbError&) {
    port.info("源连接失败");
    return false;
  }
  port.info("源数据库ok");
  return true;
}

bool TBAS_DMFrm::ConnectTarget(const std::string& path) {
  try {
    QIMD.close();
    connection_path = path;
    QIMD.rebuild_file_profile(connection_path);
    QIMD.open();
  } catch (const DbError&) {
    port.info("目标连接失败");
    return false;
  }
  port.info("目标数据库ok");
  return true;
}

void TBAS_DMFrm::run_job(int number, const char* message) {
  job(number).move.execute(&port);
  port.info(message);
}

void TBAS_DMFrm::run_list(const std::vector<std::string>& statements, const char* done_message) {
  for (const auto& s : statements) data::ExecShow(port, btQryBZB, s);
  port.info(done_message);
}

void TBAS_DMFrm::ClearTarget() {
  try {
    for (const auto& s : clear_target_statements()) data::ExecShow(port, btQryBZB, s);
  } catch (const DbError&) {
    port.info("操作失败");
    return;
  }
  port.info("操作已成功");
}

void TBAS_DMFrm::CloseTriggers() { run_list(trigger_switch_off_list(), "屏蔽操作成功！"); }

void TBAS_DMFrm::OpenTriggers() { run_list(trigger_restore_list(), "还原操作成功！"); }

void TBAS_DMFrm::CopySystemTables(bool all_system_info) {
  QIMS.open();
  QIMD.open();
  if (!all_system_info) return;
  for (const auto& j : system_table_jobs()) run_job(j.job, j.message);
  // Every purchase, sale and receipt header copied from now on starts with IS_RATE 0. A trigger
  // that exists already is left as it is.
  Query1.set_param_check(false);
  for (const auto& lines : is_rate_trigger_texts()) {
    Query1.close();
    Query1.sql() = lines;
    try {
      Query1.exec_sql();
    } catch (const DbError&) {
    }
  }
  port.info("所有系统表已完成！");
}

void TBAS_DMFrm::CopyTickedTables(const std::set<std::string>& ticked) {
  QIMS.open();
  QIMD.open();
  for (const auto& row : ticked_table_order()) {
    if (!ticked.count(row.checkbox)) continue;
    if (row.first_statement) data::ExecShow(port, btQryBZB, row.first_statement);
    for (const auto& j : row.jobs) run_job(j.job, j.message);
  }
}

void TBAS_DMFrm::RepairCounters() {
  // The book counter. In dialect 1 a text between double quotes is a literal.
  try {
    data::ExecQuiet(btQryBZB, "alter trigger TRIG_BOOKID_BI inactive");
    data::ExecQuiet(btQryBZB, "alter trigger TRIG_INVLIB_BI inactive");
    data::OpenQuiet(btQryBZB, "select max(book_id) as maxid from bas_bookinfo");
    // The highest book number is a number read from the database: it holds no quote.
    std::string m = btQryBZB.field_text("maxid");
    data::OpenQuiet(btQryBZB, "select *  from PUB_MAXID where CTYPE=\"BOOKINFO\"");
    if (btQryBZB.eof())
      data::ExecQuiet(btQryBZB, "insert into PUB_MAXID(CTYPE,MAX_ID) values(\"BOOKINFO\",\"" + m + "\")");
    else
      data::ExecQuiet(btQryBZB, "update PUB_MAXID set MAX_ID=\"" + m + "\" where CTYPE=\"BOOKINFO\" ");
    port.info("图书资料修复操作成功!");
  } catch (const DbError&) {
    port.info("图书资料修复操作不成功!");
  }

  // The generators continue after the highest copied keys.
  try {
    for (const auto& g : generator_repairs()) {
      data::OpenQuiet(btQryBZB, g.query);
      std::string v = btQryBZB.field_text(g.field);
      data::ExecShow(port, btQryBZB, g.statement + v);
    }
    port.info("其它最大值操作成功！");
  } catch (const DbError&) {
    port.info("其它最大值操作不成功！");
  }
}

}  // namespace bm::migrate
