// One connection to one stand-in database: a SQLite file run as a SQL Server session would run
// (autocommit, statement atomicity, T-SQL batches, triggers, procedures and functions).
#pragma once
#include <sqlite3.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/driver.h"
#include "data/drivers/standin/catalog.h"
#include "data/drivers/standin/sql_functions.h"
#include "data/drivers/standin/tsql_batch.h"
#include "data/drivers/standin/tsql_translate.h"

namespace bm::data::standin {

// The rows of a query, read one at a time.
struct ResultSet {
  sqlite3_stmt* stmt = nullptr;
  bool owned = true;  // false: a cached plan's statement, reset instead of finalized
  std::vector<ColumnInfo> columns;
  std::vector<SqlType> types;  // declared type of each column (name empty when computed)
  bool pending = false;        // the first row has been stepped and not yet read
  void close();
  ~ResultSet() { close(); }
};

// A translated single statement kept by a prepared Statement between executions.
struct Plan {
  Translated tr;
  std::string sql;
  sqlite3_stmt* stmt = nullptr;  // owned, reset between runs
  int params = 0;
  uint64_t version = 0;
  std::vector<SqlType> result_types;
  std::vector<ColumnInfo> result_columns;
  bool columns_known = false;
  void clear();
  ~Plan() { clear(); }
};

// SQL Server's kind of error for a SQLite error text.
DbError sqlite_error_text(const std::string& msg, const std::string& database, const std::string& context);

class StandinSession : public Session, private FunctionHost {
 public:
  // `database` is the name as the login asked for it; `master` sessions manage databases.
  StandinSession(const std::string& file, const std::string& database, const std::string& folder);
  ~StandinSession() override;

  std::unique_ptr<Statement> prepare(const std::string& sql) override;
  void begin() override;
  void commit() override;
  void rollback() override;
  bool in_transaction() const override { return explicit_tx_; }
  TableInfo describe_table(const std::string& table) override;
  void call_procedure(const std::string& name,
                      const std::vector<std::pair<std::string, Value>>& params) override;
  std::string quote_identifier(const std::string& name) const override { return "[" + name + "]"; }

  // Runs a T-SQL batch. A query leaves its rows in `result`; `plan` caches a single statement.
  void execute(const std::string& sql, const std::vector<Value>& params, ResultSet& result,
               std::unique_ptr<Plan>* plan, int64_t& rows_affected);
  // Warnings of the last statement ("Duplicate key was ignored.").
  const std::vector<std::string>& warnings() const { return warnings_; }
  size_t count_params(const std::string& sql);
  DbError last_error(const std::string& context) const {
    return sqlite_error_text(sqlite3_errmsg(db_), database_, context);
  }
  const std::string& database() const { return database_; }

 private:
  struct Variable {
    SqlType type;
    Value value;
  };
  struct Frame {
    std::map<std::string, Variable> vars;  // lower-case names with '@'
    TranslateContext ctx;
    bool returned = false;
    Value return_value;
  };
  struct Params {
    const std::vector<Value>& values;
    size_t next = 0;
  };

  // FunctionHost
  Value get_variable(const std::string& name) override;
  void set_variable(const std::string& name, const Value& v) override;
  std::optional<int64_t> object_id(const std::string& name) override;
  void warning(const std::string& text) override;
  Value call_user_function(const std::string& name, const std::vector<Value>& args) override;

  // Batches and control flow (exec_batch.cpp)
  void run_block(const Tokens& t, const std::vector<Stmt>& stmts, Params& p, ResultSet* result,
                 int64_t& rows);
  void run_stmt(const Tokens& t, const Stmt& s, Params& p, ResultSet* result, int64_t& rows, bool last);
  void run_simple(const Tokens& t, size_t b, size_t e, Params& p, ResultSet* result, int64_t& rows,
                  bool last);
  Value evaluate(const Tokens& t, size_t b, size_t e, Params& p);
  bool condition(const Tokens& t, size_t b, size_t e, Params& p);
  void run_set(const Tokens& t, size_t b, size_t e, Params& p);
  void run_declare(const Tokens& t, size_t b, size_t e, Params& p);
  void run_exec(const Tokens& t, size_t b, size_t e, Params& p, int64_t& rows);
  void run_procedure(const RoutineDef& proc, std::map<std::string, Value> args, int64_t& rows);
  void run_body(const std::string& body, Frame frame, int64_t& rows);
  void system_procedure(const std::string& name, const std::vector<Value>& args);

  // Queries and data changes (exec_dml.cpp)
  void run_dml(const Tokens& t, size_t b, size_t e, Params& p, ResultSet* result, int64_t& rows,
               std::unique_ptr<Plan>* cache);
  void prepare_plan(Plan& plan);
  void run_plan(Plan& plan, Params& p, ResultSet* result, int64_t& rows);
  void select_into(const Translated& tr, Params& p, int64_t& rows);
  void fire_triggers(const std::string& table, const std::string& event,
                     const std::vector<std::string>& set_columns, const std::string& ins_table,
                     const std::string& del_table);
  void describe_result(sqlite3_stmt* stmt, std::vector<ColumnInfo>& cols, std::vector<SqlType>& types);

  // Definitions (exec_ddl.cpp)
  void run_create(const Tokens& t, size_t b, size_t e, Params& p);
  void run_alter(const Tokens& t, size_t b, size_t e, Params& p);
  void run_drop(const Tokens& t, size_t b, size_t e);
  void create_table(const Tokens& t, size_t& i, size_t e);
  void create_index(const Tokens& t, size_t& i, size_t e, bool unique);
  void create_routine(const Tokens& t, size_t b, size_t e, bool replace);
  void alter_table(const Tokens& t, size_t& i, size_t e);
  void switch_triggers(const std::string& table, const std::string& trigger, bool enabled);
  ColumnDef column_definition(const Tokens& t, size_t& i, size_t e, TableDef& def);
  void rebuild_table(const TableDef& def, const std::map<std::string, std::string>& fill);
  void add_key(TableDef& def, KeyDef key);
  std::string unique_object_check(const std::string& name);
  TableDef require_table(const std::string& name);
  void database_statement(const Tokens& t, size_t b, size_t e);

  // Errors and statement atomicity (standin_session.cpp)
  [[noreturn]] void fail_sqlite(int rc, const std::string& context);
  void savepoint();
  void release();
  void undo();
  // Runs `f` as one statement: what it changed is undone when it fails.
  template <typename F>
  void atomically(F&& f) {
    savepoint();
    try {
      f();
      release();
    } catch (...) {
      undo();
      throw;
    }
  }
  void changed_schema() { ++version_; }

  sqlite3* db_ = nullptr;
  std::string database_, folder_;
  bool master_ = false;
  Catalog catalog_;
  bool explicit_tx_ = false;
  bool quoted_identifier_ = false;
  uint64_t version_ = 1;
  int depth_ = 0;              // nesting of trigger bodies
  int savepoints_ = 0;
  std::vector<Frame*> frames_;
  Frame top_;
  std::map<std::string, bool> identity_insert_;  // lower-case table -> ON
  std::vector<std::string> warnings_;
  int64_t last_rowcount_ = 0;
  std::map<std::string, std::pair<std::unique_ptr<Tokens>, std::vector<Stmt>>> body_cache_;
  std::vector<const std::string*> sources_;  // the text the current tokens come from
};

}  // namespace bm::data::standin
