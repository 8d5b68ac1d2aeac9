#include "data/drivers/standin/standin_session.h"

#include "data/drivers/standin/sqlite_values.h"
#include "data/drivers/standin/standin_statement.h"
#include "data/error.h"

namespace bm::data::standin {

void ResultSet::close() {
  if (stmt) {
    if (owned) sqlite3_finalize(stmt);
    else {
      sqlite3_reset(stmt);
      sqlite3_clear_bindings(stmt);
    }
  }
  stmt = nullptr;
  owned = true;
  pending = false;
  columns.clear();
  types.clear();
}

void Plan::clear() {
  if (stmt) sqlite3_finalize(stmt);
  stmt = nullptr;
}

StandinSession::StandinSession(const std::string& file, const std::string& database,
                               const std::string& folder)
    : database_(database), folder_(folder), master_(iequals(database, "master")), catalog_(nullptr) {
  int flags = SQLITE_OPEN_READWRITE | (master_ ? SQLITE_OPEN_CREATE : 0);
  if (sqlite3_open_v2(file.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    sqlite3_close(db_);
    db_ = nullptr;
    throw DbError("Cannot open database \"" + database + "\" requested by the login. The login failed.",
                  DbError::Kind::Connection);
  }
  sqlite3_busy_timeout(db_, 10000);
  // "x" is never a string in the SQL the translator writes: a missing column must fail.
  sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
  sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
  sqlite3_extended_result_codes(db_, 1);
  register_functions(db_, this);
  catalog_ = Catalog(db_);
  exec_sql(db_, "PRAGMA journal_mode=WAL; PRAGMA legacy_alter_table=ON; PRAGMA foreign_keys=OFF;");
  catalog_.ensure();
  for (const auto& fn : catalog_.routines("FN")) {
    int n = 0;
    for (char c : fn.params) n += c == '\n';
    register_user_function(db_, this, lower(fn.name), n);
  }
  frames_.push_back(&top_);
}

StandinSession::~StandinSession() {
  if (db_) {
    if (explicit_tx_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db_);
  }
}

std::unique_ptr<Statement> StandinSession::prepare(const std::string& sql) {
  return std::make_unique<StandinStatement>(*this, sql);
}

size_t StandinSession::count_params(const std::string& sql) {
  size_t n = 0;
  for (const auto& t : tokenize(sql, quoted_identifier_)) n += t.kind == Token::Kind::Param;
  return n;
}

void StandinSession::begin() {
  if (explicit_tx_) throw DbError("A transaction is already active on this connection.");
  exec_sql(db_, "BEGIN");
  explicit_tx_ = true;
}

void StandinSession::commit() {
  if (!explicit_tx_)
    throw DbError("The COMMIT TRANSACTION request has no corresponding BEGIN TRANSACTION.");
  int rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) fail_sqlite(rc, "COMMIT");
  explicit_tx_ = false;
}

void StandinSession::rollback() {
  if (!explicit_tx_)
    throw DbError("The ROLLBACK TRANSACTION request has no corresponding BEGIN TRANSACTION.");
  sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  explicit_tx_ = false;
}

void StandinSession::savepoint() {
  exec_sql(db_, "SAVEPOINT bm_s" + std::to_string(++savepoints_));
}

void StandinSession::release() {
  std::string name = "bm_s" + std::to_string(savepoints_--);
  int rc = sqlite3_exec(db_, ("RELEASE " + name).c_str(), nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) fail_sqlite(rc, "RELEASE");
}

void StandinSession::undo() {
  std::string name = "bm_s" + std::to_string(savepoints_--);
  sqlite3_exec(db_, ("ROLLBACK TO " + name + "; RELEASE " + name).c_str(), nullptr, nullptr, nullptr);
}

namespace {

std::string after(const std::string& msg, const std::string& prefix) {
  return msg.substr(prefix.size());
}

std::string last_part(const std::string& name) {
  auto dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(dot + 1);
}

bool starts(const std::string& s, const char* p) { return s.rfind(p, 0) == 0; }

}  // namespace

DbError sqlite_error_text(const std::string& msg, const std::string& database, const std::string& context) {
  using K = DbError::Kind;
  if (starts(msg, "Violation of PRIMARY KEY") || starts(msg, "Violation of UNIQUE KEY") ||
      starts(msg, "Cannot insert duplicate key"))
    return DbError(msg, K::KeyViolation);
  if (starts(msg, "String or binary data would be truncated") || starts(msg, "Arithmetic overflow") ||
      starts(msg, "Conversion failed") || starts(msg, "Error converting") ||
      starts(msg, "The conversion of a varchar"))
    return DbError(msg, K::ValueProblem);
  if (starts(msg, "no such table: "))
    return DbError("Invalid object name '" + last_part(after(msg, "no such table: ")) + "'.");
  if (starts(msg, "no such column: "))
    return DbError("Invalid column name '" + last_part(after(msg, "no such column: ")) + "'.");
  if (starts(msg, "ambiguous column name: "))
    return DbError("Ambiguous column name '" + last_part(after(msg, "ambiguous column name: ")) + "'.");
  if (msg.find(" has no column named ") != std::string::npos)
    return DbError("Invalid column name '" + msg.substr(msg.rfind(' ') + 1) + "'.");
  if (starts(msg, "NOT NULL constraint failed: ")) {
    std::string tc = after(msg, "NOT NULL constraint failed: ");
    auto dot = tc.find('.');
    std::string table = tc.substr(0, dot), col = tc.substr(dot + 1);
    std::string verb = starts(context, "UPDATE") ? "UPDATE" : "INSERT";
    return DbError("Cannot insert the value NULL into column '" + col + "', table '" + database + ".dbo." +
                       table + "'; column does not allow nulls. " + verb + " fails.",
                   K::ValueProblem);
  }
  if (starts(msg, "UNIQUE constraint failed: "))
    return DbError("Cannot insert duplicate key row in object. The duplicate key is " +
                       after(msg, "UNIQUE constraint failed: ") + ".",
                   K::KeyViolation);
  if (starts(msg, "CHECK constraint failed: ")) {
    std::string verb = starts(context, "UPDATE") ? "UPDATE" : "INSERT";
    return DbError("The " + verb + " statement conflicted with the CHECK constraint \"" +
                   after(msg, "CHECK constraint failed: ") + "\". The conflict occurred in database \"" +
                   database + "\".");
  }
  if (msg.find("syntax error") != std::string::npos) {
    auto q1 = msg.find('"'), q2 = msg.rfind('"');
    if (q1 != std::string::npos && q2 > q1)
      return DbError("Incorrect syntax near '" + msg.substr(q1 + 1, q2 - q1 - 1) + "'.");
    return DbError("Incorrect syntax near '" + context + "'.");
  }
  if (msg.find("because it is a view") != std::string::npos)
    return DbError("The SQL Server stand-in cannot emulate changes made through a view.");
  if (starts(msg, "misuse of aggregate"))
    return DbError("An aggregate may not appear in this place of the statement (" + msg + ").");
  return DbError(msg);
}

void StandinSession::fail_sqlite(int rc, const std::string& context) {
  (void)rc;
  throw sqlite_error_text(sqlite3_errmsg(db_), database_, context);
}

namespace {
// "dbo.[t]" -> "t"
std::string plain_name(const std::string& name) {
  Tokens t = tokenize(name);
  std::string last = name;
  for (const auto& tok : t)
    if (tok.is_name()) last = tok.text;
  return last;
}
}  // namespace

TableInfo StandinSession::describe_table(const std::string& qualified) {
  std::string table = plain_name(qualified);
  TableInfo info;
  auto def = catalog_.table(table);
  if (!def) {
    if (catalog_.object_kind(table) == "V") {
      ResultSet rs;
      int64_t rows = 0;
      execute("SELECT * FROM [" + table + "] WHERE 1 = 0", {}, rs, nullptr, rows);
      info.name = table;
      info.columns = rs.columns;
      return info;
    }
    throw DbError("Invalid object name '" + table + "'.");
  }
  info.name = def->name;
  for (const auto& c : def->columns) {
    ColumnInfo ci;
    ci.name = c.name;
    describe_type(c.type, ci);
    ci.nullable = c.nullable;
    ci.has_default = !c.default_tsql.empty();
    ci.identity = c.identity;
    info.columns.push_back(ci);
  }
  if (auto* pk = def->primary_key())
    for (const auto& col : pk->columns) info.primary_key.push_back(def->column(col)->name);
  return info;
}

void StandinSession::call_procedure(const std::string& name,
                                    const std::vector<std::pair<std::string, Value>>& params) {
  std::map<std::string, Value> args;
  for (const auto& [n, v] : params) args[lower(n.rfind('@', 0) == 0 ? n : "@" + n)] = v;
  auto proc = catalog_.routine(plain_name(name));
  if (!proc || proc->kind != "P") throw DbError("Could not find stored procedure '" + name + "'.");
  int64_t rows = 0;
  warnings_.clear();
  run_procedure(*proc, args, rows);
}

Value StandinSession::get_variable(const std::string& name) {
  std::string n = lower(name);
  if (n == "@@rowcount") return last_rowcount_;
  if (n == "@@error") return int64_t{0};
  if (n == "@@trancount") return int64_t{explicit_tx_ ? 1 : 0};
  auto& vars = frames_.back()->vars;
  auto it = vars.find(n);
  if (it == vars.end()) throw DbError("Must declare the scalar variable \"" + name + "\".");
  return it->second.value;
}

void StandinSession::set_variable(const std::string& name, const Value& v) {
  auto& vars = frames_.back()->vars;
  auto it = vars.find(lower(name));
  if (it == vars.end()) throw DbError("Must declare the scalar variable \"" + name + "\".");
  Stored st = store_value(v, it->second.type);
  if (!st.error.empty()) throw DbError(st.error, DbError::Kind::ValueProblem);
  it->second.value = st.value;
}

std::optional<int64_t> StandinSession::object_id(const std::string& name) {
  std::string n = name;
  auto dot = n.rfind('.');
  if (dot != std::string::npos) n = n.substr(dot + 1);
  if (n.size() > 2 && n.front() == '[' && n.back() == ']') n = n.substr(1, n.size() - 2);
  return catalog_.object_id(n);
}

void StandinSession::warning(const std::string& text) {
  if (warnings_.empty() || warnings_.back() != text) warnings_.push_back(text);
}

}  // namespace bm::data::standin
