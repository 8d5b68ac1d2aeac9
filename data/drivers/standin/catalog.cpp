#include "data/drivers/standin/catalog.h"

#include <sstream>

#include "data/error.h"

namespace bm::data::standin {

namespace {

class Query {
 public:
  Query(sqlite3* db, const std::string& sql) {
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK)
      throw DbError(std::string("catalog: ") + sqlite3_errmsg(db));
  }
  ~Query() { sqlite3_finalize(stmt_); }
  Query& bind(int i, const std::string& s) {
    sqlite3_bind_text(stmt_, i, s.c_str(), -1, SQLITE_TRANSIENT);
    return *this;
  }
  Query& bind(int i, int64_t v) {
    sqlite3_bind_int64(stmt_, i, v);
    return *this;
  }
  bool next() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) throw DbError(std::string("catalog: ") + sqlite3_errmsg(sqlite3_db_handle(stmt_)));
    return false;
  }
  void run() { while (next()) {} }
  std::string text(int c) const {
    auto* p = sqlite3_column_text(stmt_, c);
    return p ? reinterpret_cast<const char*>(p) : "";
  }
  int64_t integer(int c) const { return sqlite3_column_int64(stmt_, c); }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

std::string join_names(const std::vector<std::string>& cols, const std::string& prefix = "") {
  std::string out;
  for (size_t i = 0; i < cols.size(); ++i) {
    if (i) out += ", ";
    out += prefix + sql_name(cols[i]);
  }
  return out;
}

std::vector<std::string> split(const std::string& s, char sep) {
  std::vector<std::string> out;
  std::string cur;
  std::istringstream in(s);
  while (std::getline(in, cur, sep))
    if (!cur.empty()) out.push_back(cur);
  return out;
}

std::string join(const std::vector<std::string>& v, char sep) {
  std::string out;
  for (size_t i = 0; i < v.size(); ++i) {
    if (i) out += sep;
    out += v[i];
  }
  return out;
}

}  // namespace

void exec_sql(sqlite3* db, const std::string& sql) {
  char* err = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
    std::string msg = err ? err : "error";
    sqlite3_free(err);
    throw DbError(msg);
  }
}

std::string index_sqlite_name(const std::string& table, const std::string& index) {
  return lower(table) + "$" + lower(index);
}

const ColumnDef* TableDef::column(const std::string& n) const {
  for (auto& c : columns)
    if (iequals(c.name, n)) return &c;
  return nullptr;
}

const ColumnDef* TableDef::identity() const {
  for (auto& c : columns)
    if (c.identity) return &c;
  return nullptr;
}

const KeyDef* TableDef::primary_key() const {
  for (auto& k : keys)
    if (k.kind == "PK") return &k;
  return nullptr;
}

void Catalog::ensure() {
  exec_sql(db_,
           "CREATE TABLE IF NOT EXISTS bm_tables(name TEXT PRIMARY KEY COLLATE NOCASE, id INTEGER);"
           "CREATE TABLE IF NOT EXISTS bm_columns(tbl TEXT COLLATE NOCASE, ord INT, name TEXT COLLATE NOCASE,"
           " type TEXT, nullable INT, is_identity INT, seed INT, incr INT, default_tsql TEXT,"
           " default_sqlite TEXT, PRIMARY KEY(tbl, name));"
           "CREATE TABLE IF NOT EXISTS bm_keys(tbl TEXT COLLATE NOCASE, name TEXT COLLATE NOCASE, kind TEXT,"
           " is_unique INT, ignore_dup INT, cols TEXT, PRIMARY KEY(tbl, name));"
           "CREATE TABLE IF NOT EXISTS bm_checks(tbl TEXT COLLATE NOCASE, name TEXT COLLATE NOCASE, expr TEXT);"
           "CREATE TABLE IF NOT EXISTS bm_identity(tbl TEXT PRIMARY KEY COLLATE NOCASE, last INT, used INT);"
           "CREATE TABLE IF NOT EXISTS bm_routines(name TEXT PRIMARY KEY COLLATE NOCASE, kind TEXT,"
           " tbl TEXT COLLATE NOCASE, events TEXT, params TEXT, returns TEXT, body TEXT, enabled INT,"
           " id INTEGER);");
}

std::optional<TableDef> Catalog::table(const std::string& name) const {
  TableDef def;
  {
    Query q(db_, "SELECT name FROM bm_tables WHERE name = ?");
    q.bind(1, name);
    if (!q.next()) return std::nullopt;
    def.name = q.text(0);
  }
  {
    Query q(db_,
            "SELECT name, type, nullable, is_identity, seed, incr, default_tsql, default_sqlite"
            " FROM bm_columns WHERE tbl = ? ORDER BY ord");
    q.bind(1, name);
    while (q.next()) {
      ColumnDef c;
      c.name = q.text(0);
      c.type = type_from_text(q.text(1));
      c.nullable = q.integer(2) != 0;
      c.identity = q.integer(3) != 0;
      c.seed = q.integer(4);
      c.increment = q.integer(5);
      c.default_tsql = q.text(6);
      c.default_sqlite = q.text(7);
      def.columns.push_back(std::move(c));
    }
  }
  {
    Query q(db_, "SELECT name, kind, is_unique, ignore_dup, cols FROM bm_keys WHERE tbl = ? ORDER BY rowid");
    q.bind(1, name);
    while (q.next()) {
      KeyDef k;
      k.name = q.text(0);
      k.table = def.name;
      k.kind = q.text(1);
      k.unique = q.integer(2) != 0;
      k.ignore_dup = q.integer(3) != 0;
      k.columns = split(q.text(4), '\n');
      def.keys.push_back(std::move(k));
    }
  }
  {
    Query q(db_, "SELECT name, expr FROM bm_checks WHERE tbl = ? ORDER BY rowid");
    q.bind(1, name);
    while (q.next()) def.checks.push_back({q.text(0), q.text(1)});
  }
  return def;
}

std::string Catalog::object_kind(const std::string& name) const {
  {
    Query q(db_, "SELECT 1 FROM bm_tables WHERE name = ?");
    q.bind(1, name);
    if (q.next()) return "U";
  }
  Query q(db_, "SELECT kind FROM bm_routines WHERE name = ?");
  q.bind(1, name);
  if (q.next()) return q.text(0);
  Query k(db_, "SELECT kind FROM bm_keys WHERE name = ? AND kind <> 'IX'");
  k.bind(1, name);
  if (k.next()) return k.text(0);
  return "";
}

std::optional<int64_t> Catalog::object_id(const std::string& name) const {
  {
    Query q(db_, "SELECT id FROM bm_tables WHERE name = ?");
    q.bind(1, name);
    if (q.next()) return q.integer(0);
  }
  Query q(db_, "SELECT id FROM bm_routines WHERE name = ?");
  q.bind(1, name);
  if (q.next()) return q.integer(0);
  return std::nullopt;
}

std::vector<std::string> Catalog::tables() const {
  std::vector<std::string> out;
  Query q(db_, "SELECT name FROM bm_tables ORDER BY id");
  while (q.next()) out.push_back(q.text(0));
  return out;
}

void Catalog::save_table(const TableDef& def) {
  {
    Query q(db_, "INSERT OR IGNORE INTO bm_tables(name, id) VALUES (?, (SELECT ifnull(max(id), 1000) + 7"
                 " FROM (SELECT id FROM bm_tables UNION ALL SELECT id FROM bm_routines)))");
    q.bind(1, def.name).run();
  }
  for (const char* sql : {"DELETE FROM bm_columns WHERE tbl = ?", "DELETE FROM bm_keys WHERE tbl = ?",
                          "DELETE FROM bm_checks WHERE tbl = ?"}) {
    Query q(db_, sql);
    q.bind(1, def.name).run();
  }
  int ord = 0;
  for (const auto& c : def.columns) {
    Query q(db_,
            "INSERT INTO bm_columns(tbl, ord, name, type, nullable, is_identity, seed, incr,"
            " default_tsql, default_sqlite) VALUES (?,?,?,?,?,?,?,?,?,?)");
    q.bind(1, def.name).bind(2, ord++).bind(3, c.name).bind(4, c.type.text());
    q.bind(5, c.nullable ? 1 : 0).bind(6, c.identity ? 1 : 0).bind(7, c.seed).bind(8, c.increment);
    q.bind(9, c.default_tsql).bind(10, c.default_sqlite).run();
  }
  for (const auto& k : def.keys) {
    Query q(db_, "INSERT INTO bm_keys(tbl, name, kind, is_unique, ignore_dup, cols) VALUES (?,?,?,?,?,?)");
    q.bind(1, def.name).bind(2, k.name).bind(3, k.kind).bind(4, k.unique ? 1 : 0);
    q.bind(5, k.ignore_dup ? 1 : 0).bind(6, join(k.columns, '\n')).run();
  }
  for (const auto& c : def.checks) {
    Query q(db_, "INSERT INTO bm_checks(tbl, name, expr) VALUES (?,?,?)");
    q.bind(1, def.name).bind(2, c.name).bind(3, c.sqlite_expr).run();
  }
  if (def.identity()) {
    Query q(db_, "INSERT OR IGNORE INTO bm_identity(tbl, last, used) VALUES (?, 0, 0)");
    q.bind(1, def.name).run();
  } else {
    Query q(db_, "DELETE FROM bm_identity WHERE tbl = ?");
    q.bind(1, def.name).run();
  }
}

void Catalog::forget_table(const std::string& name) {
  for (const char* sql : {"DELETE FROM bm_tables WHERE name = ?", "DELETE FROM bm_columns WHERE tbl = ?",
                          "DELETE FROM bm_keys WHERE tbl = ?", "DELETE FROM bm_checks WHERE tbl = ?",
                          "DELETE FROM bm_identity WHERE tbl = ?",
                          "DELETE FROM bm_routines WHERE kind = 'TR' AND tbl = ?"}) {
    Query q(db_, sql);
    q.bind(1, name).run();
  }
}

namespace {
RoutineDef routine_from(const Query& q) {
  RoutineDef r;
  r.name = q.text(0);
  r.kind = q.text(1);
  r.table = q.text(2);
  r.events = q.text(3);
  r.params = q.text(4);
  r.returns = q.text(5);
  r.body = q.text(6);
  r.enabled = q.integer(7) != 0;
  return r;
}
const char* kRoutineColumns = "SELECT name, kind, tbl, events, params, returns, body, enabled FROM bm_routines";
}  // namespace

std::optional<RoutineDef> Catalog::routine(const std::string& name) const {
  Query q(db_, std::string(kRoutineColumns) + " WHERE name = ?");
  q.bind(1, name);
  if (!q.next()) return std::nullopt;
  return routine_from(q);
}

std::vector<RoutineDef> Catalog::routines(const std::string& kind) const {
  std::vector<RoutineDef> out;
  Query q(db_, std::string(kRoutineColumns) + " WHERE kind = ? ORDER BY id");
  q.bind(1, kind);
  while (q.next()) out.push_back(routine_from(q));
  return out;
}

std::vector<RoutineDef> Catalog::triggers_of(const std::string& table) const {
  std::vector<RoutineDef> out;
  Query q(db_, std::string(kRoutineColumns) + " WHERE kind = 'TR' AND tbl = ? ORDER BY id");
  q.bind(1, table);
  while (q.next()) out.push_back(routine_from(q));
  return out;
}

void Catalog::save_routine(const RoutineDef& r) {
  Query q(db_,
          "INSERT OR REPLACE INTO bm_routines(name, kind, tbl, events, params, returns, body, enabled, id)"
          " VALUES (?,?,?,?,?,?,?,?, coalesce((SELECT id FROM bm_routines WHERE name = ?),"
          " (SELECT ifnull(max(id), 1000) + 7 FROM (SELECT id FROM bm_tables UNION ALL SELECT id FROM bm_routines))))");
  q.bind(1, r.name).bind(2, r.kind).bind(3, r.table).bind(4, r.events).bind(5, r.params);
  q.bind(6, r.returns).bind(7, r.body).bind(8, r.enabled ? 1 : 0).bind(9, r.name).run();
}

void Catalog::forget_routine(const std::string& name) {
  Query q(db_, "DELETE FROM bm_routines WHERE name = ?");
  q.bind(1, name).run();
}

void Catalog::set_trigger_enabled(const std::string& table, const std::string& trigger, bool enabled) {
  if (trigger.empty()) {
    Query q(db_, "UPDATE bm_routines SET enabled = ? WHERE kind = 'TR' AND tbl = ?");
    q.bind(1, enabled ? 1 : 0).bind(2, table).run();
  } else {
    Query q(db_, "UPDATE bm_routines SET enabled = ? WHERE kind = 'TR' AND tbl = ? AND name = ?");
    q.bind(1, enabled ? 1 : 0).bind(2, table).bind(3, trigger).run();
  }
}

void Catalog::reset_identity(const std::string& table) {
  Query q(db_, "UPDATE bm_identity SET last = 0, used = 0 WHERE tbl = ?");
  q.bind(1, table).run();
}

std::string Catalog::create_table_sql(const TableDef& def, const std::string& sqlite_name) const {
  std::string sql = "CREATE TABLE " + sql_name(sqlite_name) + " (";
  bool first = true;
  for (const auto& c : def.columns) {
    if (!first) sql += ", ";
    first = false;
    sql += sql_name(c.name) + " " + sqlite_declaration(c.type);
    // Identity columns are filled after the insert by the helper trigger.
    if (!c.nullable && !c.identity) sql += " NOT NULL";
    if (!c.default_sqlite.empty()) sql += " DEFAULT (" + c.default_sqlite + ")";
  }
  for (const auto& ch : def.checks)
    sql += ", CONSTRAINT " + sql_name(ch.name) + " CHECK (" + ch.sqlite_expr + ")";
  return sql + ")";
}

void Catalog::rebuild_helpers(const TableDef& def) {
  // Drop the old helper triggers and indexes of the table.
  std::vector<std::string> drops;
  {
    Query q(db_, "SELECT type, name FROM sqlite_master WHERE tbl_name = ? AND type IN ('trigger','index')"
                 " AND name LIKE '%$%'");
    q.bind(1, def.name);
    while (q.next()) drops.push_back("DROP " + upper(q.text(0)) + " IF EXISTS " + sql_name(q.text(1)));
  }
  for (auto& d : drops) exec_sql(db_, d);

  const std::string t = sql_name(def.name);
  for (const auto& k : def.keys) {
    exec_sql(db_, std::string("CREATE ") + (k.unique ? "UNIQUE " : "") + "INDEX " +
                      sql_name(index_sqlite_name(def.name, k.name)) + " ON " + t + " (" +
                      join_names(k.columns) + ")");
  }

  auto key_match = [&](const KeyDef& k) {
    std::string out;
    for (size_t i = 0; i < k.columns.size(); ++i) {
      if (i) out += " AND ";
      out += sql_name(k.columns[i]) + " IS NEW." + sql_name(k.columns[i]);
    }
    return out;
  };
  auto key_message = [&](const KeyDef& k) {
    std::string prefix;
    if (k.kind == "PK")
      prefix = "Violation of PRIMARY KEY constraint '" + k.name + "'. Cannot insert duplicate key in object 'dbo." +
               def.name + "'. The duplicate key value is (";
    else if (k.kind == "UQ")
      prefix = "Violation of UNIQUE KEY constraint '" + k.name + "'. Cannot insert duplicate key in object 'dbo." +
               def.name + "'. The duplicate key value is (";
    else
      prefix = "Cannot insert duplicate key row in object 'dbo." + def.name + "' with unique index '" + k.name +
               "'. The duplicate key value is (";
    return "bm_raise(" + sql_quote(prefix) + " || bm_keytext(" + join_names(k.columns, "NEW.") + ") || ').')";
  };
  std::string checks;
  for (const auto& c : def.columns)
    checks += (checks.empty() ? "" : ", ") + std::string("bm_store(NEW.") + sql_name(c.name) + ", " +
              sql_quote(c.type.text()) + ")";

  // Before insert: IGNORE_DUP_KEY, stored values, keys.
  std::string bi;
  for (const auto& k : def.keys)
    if (k.unique && k.ignore_dup)
      bi += "SELECT CASE WHEN bm_ignored_dup() THEN RAISE(IGNORE) END WHERE EXISTS (SELECT 1 FROM " + t +
            " WHERE " + key_match(k) + ");";
  if (!checks.empty()) bi += "SELECT " + checks + ";";
  for (const auto& k : def.keys)
    if (k.unique && !k.ignore_dup)
      bi += "SELECT " + key_message(k) + " WHERE EXISTS (SELECT 1 FROM " + t + " WHERE " + key_match(k) + ");";
  if (!bi.empty())
    exec_sql(db_, "CREATE TRIGGER " + sql_name(lower(def.name) + "$bi") + " BEFORE INSERT ON " + t + " BEGIN " + bi + " END");

  // Before update: stored values, keys that change.
  std::string bu;
  if (!checks.empty()) bu += "SELECT " + checks + ";";
  for (const auto& k : def.keys) {
    if (!k.unique) continue;
    std::string changed;
    for (auto& c : k.columns)
      changed += (changed.empty() ? "" : " OR ") + std::string("NEW.") + sql_name(c) + " IS NOT OLD." + sql_name(c);
    bu += "SELECT " + key_message(k) + " WHERE (" + changed + ") AND EXISTS (SELECT 1 FROM " + t + " WHERE " +
          key_match(k) + " AND rowid <> OLD.rowid);";
  }
  if (!bu.empty())
    exec_sql(db_, "CREATE TRIGGER " + sql_name(lower(def.name) + "$bu") + " BEFORE UPDATE ON " + t + " BEGIN " + bu + " END");

  // After insert and update: values brought to their stored form (rounded decimals, whole
  // numbers, canonical dates, padded char(n)); identity numbers.
  std::string fix_set, fix_when;
  for (const auto& c : def.columns) {
    auto f = c.type.family();
    bool fix = f != SqlType::Family::Text || c.type.name == "char" || c.type.name == "nchar";
    if (!fix || f == SqlType::Family::Binary) continue;
    std::string store = "bm_store(" + sql_name(c.name) + ", " + sql_quote(c.type.text()) + ")";
    fix_set += (fix_set.empty() ? "" : ", ") + sql_name(c.name) + " = " + store;
    fix_when += (fix_when.empty() ? "" : " OR ") + sql_name(c.name) + " IS NOT " + store;
  }
  std::string fix;
  if (!fix_set.empty())
    fix = "UPDATE " + t + " SET " + fix_set + " WHERE rowid = NEW.rowid AND (" + fix_when + ");";
  std::string ai;
  if (const ColumnDef* id = def.identity()) {
    std::string tbl = sql_quote(def.name), col = sql_name(id->name);
    std::string inc = std::to_string(id->increment), seed = std::to_string(id->seed);
    ai += "UPDATE bm_identity SET last = CASE WHEN used THEN last + " + inc + " ELSE " + seed +
          " END, used = 1 WHERE tbl = " + tbl + " AND NEW." + col + " IS NULL;";
    ai += "UPDATE " + t + " SET " + col + " = (SELECT last FROM bm_identity WHERE tbl = " + tbl +
          ") WHERE rowid = NEW.rowid AND NEW." + col + " IS NULL;";
    std::string beyond = id->increment >= 0 ? "NEW." + col + " > last" : "NEW." + col + " < last";
    ai += "UPDATE bm_identity SET last = CASE WHEN used = 0 OR " + beyond + " THEN NEW." + col +
          " ELSE last END, used = 1 WHERE tbl = " + tbl + " AND NEW." + col + " IS NOT NULL;";
  }
  ai += fix;
  if (!ai.empty())
    exec_sql(db_, "CREATE TRIGGER " + sql_name(lower(def.name) + "$ai") + " AFTER INSERT ON " + t + " BEGIN " + ai + " END");
  if (!fix.empty())
    exec_sql(db_, "CREATE TRIGGER " + sql_name(lower(def.name) + "$au") + " AFTER UPDATE ON " + t + " BEGIN " + fix + " END");
}

}  // namespace bm::data::standin
