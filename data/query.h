// A query of a data module: SQL text as lines on a named connection, executed or opened.
#pragma once
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/connection.h"

namespace bm::data {

// Splits SQL text at its parameters: a colon followed by a name, outside quoted text ('...',
// "..." or [...]) and outside comments, marks a parameter; "::" stands for one colon. Returns the
// text with '?' in place of each parameter, and the parameter names in order.
struct ScannedSql {
  std::string text;
  std::vector<std::string> params;
};
ScannedSql scan_params(const std::string& sql);

class Query : private Connection::Client {
 public:
  Query(std::string name, Connection& connection);
  ~Query() override;
  Query(const Query&) = delete;
  Query& operator=(const Query&) = delete;

  const std::string& name() const { return name_; }
  Connection& connection() const { return *connection_; }

  // The SQL text as a list of lines (joined with line breaks when sent).
  std::vector<std::string>& sql() { return sql_; }
  const std::vector<std::string>& sql() const { return sql_; }
  std::string sql_text() const;
  void set_sql(const std::string& statement);  // clears the text and adds one line

  // The parameter scan: on unless switched off. With it off the text is sent unchanged.
  bool param_check() const { return param_check_; }
  void set_param_check(bool on) { param_check_ = on; }
  // Sets a parameter value by name (parameter scan on). An unset parameter fails the execute.
  void set_param(const std::string& name, Value value);
  void clear_params() { param_values_.clear(); }

  // Runs the text (no result expected). Opens the connection when it is closed.
  void exec_sql();
  // Runs the text and keeps its result, positioned on the first row.
  void open();
  void close();
  bool active() const { return active_; }

  void first();  // back to the first row (runs the text again when already past it)
  void next();
  bool eof() const;
  // Number of rows of the result, 0 for an empty result. Counts by reading the result again,
  // so memory stays flat for results of any size.
  int64_t record_count();

  // The current row's field by name (case-insensitive). Fails for a closed query and for a
  // field that the result does not have.
  Value field_value(const std::string& field) const;
  std::string field_text(const std::string& field) const;  // NULL reads as empty text
  const std::vector<ColumnInfo>& fields() const;
  const std::vector<Value>& current_row() const;  // the row itself, in field order
  int field_index(const std::string& field) const;  // -1 when absent

  // Reads the next row of an open result into `row` without keeping it as current; used by copy
  // jobs to stream a result from its current row on. False at the end.
  bool fetch_into(std::vector<Value>& row);

 private:
  void connection_closing() override { close(); }
  std::unique_ptr<Statement> prepare_and_run();
  void require_active() const;

  std::string name_;
  Connection* connection_;
  std::vector<std::string> sql_;
  bool param_check_ = true;
  std::map<std::string, Value> param_values_;  // upper-case names

  std::unique_ptr<Statement> stmt_;
  bool active_ = false;
  bool eof_ = true;
  int64_t position_ = 0;  // index of the current row
  std::vector<Value> row_;
};

}  // namespace bm::data
