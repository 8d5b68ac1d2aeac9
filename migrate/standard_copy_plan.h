// What the standard-edition copy consists of, as data: the copy jobs, the check boxes of the
// copy tab and the order in which "执 行" runs them, the statements of each step.
#pragma once
#include <string>
#include <vector>

namespace bm::migrate {

struct CopyJobDef {
  int number;              // BatchMove<number>, btQuery<number>, Table<number>
  const char* source_sql;  // the source query's text
  const char* table;       // the destination table
};
// The 34 jobs (1 to 35, without 27).
const std::vector<CopyJobDef>& standard_copy_jobs();

struct JobMessage {
  int job;
  const char* message;  // shown after the job
};

// Step three: the system tables, with their messages.
const std::vector<JobMessage>& system_table_jobs();

// "执 行": one row per check box, in the order they run.
struct TickedRow {
  const char* checkbox;
  const char* first_statement;  // run on btQryBZB through ExecShow before the jobs, or null
  std::vector<JobMessage> jobs;
};
const std::vector<TickedRow>& ticked_table_order();

// The check boxes of the copy tab, in their groups as the window shows them.
struct CheckBoxDef {
  const char* name;     // objectName, e.g. "cbxbas_bookinfo"
  const char* caption;  // e.g. "图书资料"
};
struct CheckBoxGroup {
  const char* caption;
  std::vector<CheckBoxDef> boxes;
};
const std::vector<CheckBoxGroup>& copy_tab_check_boxes();

// Step one: the sample rows of a freshly installed target go.
const std::vector<std::string>& clear_target_statements();

// Step three's IS_RATE triggers: the six lines of each CREATE TRIGGER text.
const std::vector<std::vector<std::string>>& is_rate_trigger_texts();

// Step five, block two: reopen the generators after the highest copied keys.
struct GeneratorRepair {
  const char* query;
  const char* field;
  const char* statement;  // the value read is appended
};
const std::vector<GeneratorRepair>& generator_repairs();

// Step six: the lines of the test-rules window.
const std::vector<std::string>& test_rule_lines();

}  // namespace bm::migrate
