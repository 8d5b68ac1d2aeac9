// The standard-edition data module: the source and target connections of the main window, the
// copy jobs of the whole-shop copy, the trigger lists and the maintenance operations. Every
// operation reports through the message port; an error it does not handle itself is thrown and
// the caller shows it in the standard error box (data::run_step).
#pragma once
#include <map>
#include <memory>
#include <set>
#include <string>

#include "data/batch_move.h"
#include "data/connection.h"
#include "data/message_port.h"
#include "data/query.h"
#include "data/stored_proc.h"
#include "data/table.h"
#include "data/value.h"

namespace bm::migrate {

// The date range of a re-apply, from the maintenance tab's pickers: each date with its own time.
struct DateRange {
  data::Timestamp from, to;
};
DateRange reapply_range(const data::Date& start_date, const data::Time& start_time,
                        const data::Date& end_date, const data::Time& end_time);
// The pickers as the tab starts: 2001/06/10 00:00:00 to today 23:59:59.
DateRange initial_reapply_range(const data::Date& today);

class TBAS_DMFrm {
 public:
  explicit TBAS_DMFrm(data::MessagePort& port);

  struct Job {
    Job(int n, data::Connection& source, data::Connection& target, const std::string& sql,
        const std::string& table);
    data::Query btQuery;
    data::Table table;
    data::BatchMove move;
  };

  data::MessagePort& port;
  data::Connection QIMS;  // the source
  data::Connection QIMD;  // the target
  data::Query btQryBZB, Query1, btQryTemp, btQryTemp1, btQryTemp2, btQryCalLib;
  data::StoredProc SPReCallibPur, SPReCallibSal;
  std::string connection_path;  // the path most recently taken from a field of the main window

  Job& job(int number);  // BatchMove<number>

  // The connect buttons of the main window: "源数据库ok" / "源连接失败", and for the target
  // "目标数据库ok" / "目标连接失败". True when connected.
  bool ConnectSource(const std::string& path);
  bool ConnectTarget(const std::string& path);

  // The copy tab, step by step.
  void ClearTarget();                                     // step 1
  void CloseTriggers();                                   // step 2
  void CopySystemTables(bool all_system_info);            // step 3 (cbxsys_all)
  void CopyTickedTables(const std::set<std::string>& ticked);  // "执 行" (check box names)
  void OpenTriggers();                                    // step 4
  void RepairCounters();                                  // step 5

  // The maintenance tab.
  void CreateStockProcedures();
  void DropStockProcedures();
  void ReCalProvider();
  void ReCalProviderOfBook(const std::string& book_id);
  // Re-apply purchase or sale lines dated within [from, to] to the stock. Lines without a book or
  // warehouse number are left out and counted.
  void ReapplyPurchases(const data::Timestamp& from, const data::Timestamp& to);
  void ReapplySales(const data::Timestamp& from, const data::Timestamp& to);

 private:
  void run_job(int number, const char* message);
  void run_list(const std::vector<std::string>& statements, const char* done_message);
  void reapply(const char* selection, data::StoredProc& proc, const data::Timestamp& from,
               const data::Timestamp& to);

  std::map<int, std::unique_ptr<Job>> jobs_;
};

}  // namespace bm::migrate
