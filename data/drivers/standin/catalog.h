// What SQL Server knows about a database and SQLite does not: declared column types and
// lengths, identity, defaults, keys and indexes (with IGNORE_DUP_KEY), views, procedures,
// functions and triggers with their enabled state. Kept in bm_* tables of the same file; the
// SQLite tables, indexes and helper triggers are rebuilt from it.
#pragma once
#include <sqlite3.h>

#include <optional>
#include <string>
#include <vector>

#include "data/drivers/standin/tsql_types.h"

namespace bm::data::standin {

struct ColumnDef {
  std::string name;
  SqlType type;
  bool nullable = true;
  bool identity = false;
  int64_t seed = 1, increment = 1;
  std::string default_tsql;    // as declared, empty without a default
  std::string default_sqlite;  // translated expression
};

struct KeyDef {
  std::string name;
  std::string table;
  std::string kind;  // "PK", "UQ" (constraints) or "IX" (indexes)
  bool unique = false;
  bool ignore_dup = false;
  std::vector<std::string> columns;
};

struct CheckDef {
  std::string name;
  std::string sqlite_expr;
};

struct TableDef {
  std::string name;
  std::vector<ColumnDef> columns;
  std::vector<KeyDef> keys;
  std::vector<CheckDef> checks;
  const ColumnDef* column(const std::string& name) const;
  const ColumnDef* identity() const;
  const KeyDef* primary_key() const;
};

struct RoutineDef {
  std::string name;
  std::string kind;  // "P" procedure, "FN" function, "TR" trigger, "V" view
  std::string table; // triggers: the table
  std::string events;  // triggers: "INSERT,UPDATE,DELETE" subset
  std::string params;  // procedures/functions: "@a int\n@b varchar(10)=default-text"
  std::string returns; // functions: return type
  std::string body;    // T-SQL text run when called/fired (views: the definition)
  bool enabled = true;
};

class Catalog {
 public:
  explicit Catalog(sqlite3* db) : db_(db) {}
  void ensure();

  std::optional<TableDef> table(const std::string& name) const;
  // The kind of an object by name: "U" table, "V" view, "P", "FN", "TR"; empty when none.
  std::string object_kind(const std::string& name) const;
  std::optional<int64_t> object_id(const std::string& name) const;
  std::vector<std::string> tables() const;

  void save_table(const TableDef& def);  // replaces the table's catalog rows
  void forget_table(const std::string& name);

  std::optional<RoutineDef> routine(const std::string& name) const;
  std::vector<RoutineDef> routines(const std::string& kind) const;
  std::vector<RoutineDef> triggers_of(const std::string& table) const;
  void save_routine(const RoutineDef& def);
  void forget_routine(const std::string& name);
  void set_trigger_enabled(const std::string& table, const std::string& trigger, bool enabled);

  void reset_identity(const std::string& table);

  // Creates the SQLite table `sqlite_name` for a definition (columns, NOT NULL, defaults, checks).
  std::string create_table_sql(const TableDef& def, const std::string& sqlite_name) const;
  // Creates the SQLite indexes and the helper triggers of a table from its definition: checks
  // of stored values, key violations with SQL Server's messages, IGNORE_DUP_KEY, identity.
  void rebuild_helpers(const TableDef& def);

 private:
  sqlite3* db_;
};

// Runs SQL on the connection, failing with SQLite's text.
void exec_sql(sqlite3* db, const std::string& sql);
std::string index_sqlite_name(const std::string& table, const std::string& index);

}  // namespace bm::data::standin
