// Queries and data changes: identity rules, AFTER triggers, result columns.
#include <algorithm>

#include "data/drivers/standin/sqlite_values.h"
#include "data/drivers/standin/standin_session.h"
#include "data/error.h"

namespace bm::data::standin {

namespace {

std::string column_list(const std::vector<std::string>& cols) {
  std::string out;
  for (size_t i = 0; i < cols.size(); ++i) {
    if (i) out += ", ";
    out += sql_name(cols[i]);
  }
  return out;
}

bool has_event(const std::string& events, const std::string& event) {
  return upper(events).find(event) != std::string::npos;
}

}  // namespace

void StandinSession::run_dml(const Tokens& t, size_t b, size_t e, Params& p, ResultSet* result,
                             int64_t& rows, std::unique_ptr<Plan>* cache) {
  std::unique_ptr<Plan> local = std::make_unique<Plan>();
  Plan& plan = *local;
  TranslateContext ctx = frames_.back()->ctx;
  ctx.params = 0;
  ctx.assigns = false;
  ctx.is_user_function = [this](const std::string& n) { return catalog_.object_kind(n) == "FN"; };
  Translator tr(t, b, e, ctx);
  plan.tr = tr.statement();
  plan.params = ctx.params;
  if (plan.tr.kind == Translated::Kind::Select && !plan.tr.into.empty()) {
    select_into(plan.tr, p, rows);
    changed_schema();
    return;
  }
  if (ctx.assigns) result = nullptr;
  prepare_plan(plan);
  plan.version = version_;
  // A plan that reads variables or trigger tables belongs to its frame; only top-level
  // statements are kept.
  bool cacheable = cache && frames_.size() == 1 && !ctx.assigns;
  run_plan(plan, p, result, rows);
  if (cacheable) {
    *cache = std::move(local);
  } else if (result && result->stmt && result->stmt == plan.stmt) {
    result->owned = true;  // the rows outlive this plan
    plan.stmt = nullptr;
  }
}

void StandinSession::prepare_plan(Plan& plan) {
  Translated& tr = plan.tr;
  if (tr.kind != Translated::Kind::Select) {
    auto def = catalog_.table(tr.table);
    if (!def) {
      if (catalog_.object_kind(tr.table) == "V")
        throw DbError("The SQL Server stand-in cannot emulate changes made through the view '" + tr.table + "'.");
      throw DbError("Invalid object name '" + tr.table + "'.");
    }
    const ColumnDef* id = def->identity();
    if (tr.kind == Translated::Kind::Insert) {
      bool ident_on = id && identity_insert_[lower(def->name)];
      std::vector<std::string> cols = tr.columns;
      for (auto& c : cols)
        if (!def->column(c)) throw DbError("Invalid column name '" + c + "'.");
      if (cols.empty() && tr.body != "DEFAULT VALUES") {
        if (ident_on)
          throw DbError("An explicit value for the identity column in table '" + def->name +
                        "' can only be specified when a column list is used and IDENTITY_INSERT is ON.");
        // Without a column list the values fill the columns other than the identity.
        for (auto& c : def->columns)
          if (!c.identity) cols.push_back(c.name);
      }
      if (id) {
        bool listed = std::any_of(cols.begin(), cols.end(), [&](auto& c) { return iequals(c, id->name); });
        if (listed && !ident_on)
          throw DbError("Cannot insert explicit value for identity column in table '" + def->name +
                        "' when IDENTITY_INSERT is set to OFF.");
        if (!listed && ident_on)
          throw DbError("Explicit value must be specified for identity column in table '" + def->name +
                        "' either when IDENTITY_INSERT is set to ON or when a replication user is inserting"
                        " into a NOT FOR REPLICATION identity column.");
      }
      plan.sql = "INSERT INTO " + sql_name(def->name) +
                 (cols.empty() ? std::string(" ") : " (" + column_list(cols) + ") ") + tr.body;
    } else {
      if (tr.kind == Translated::Kind::Update && id)
        for (auto& c : tr.columns)
          if (iequals(c, id->name)) throw DbError("Cannot update identity column '" + id->name + "'.");
      plan.sql = tr.sql;
    }
    tr.table = def->name;
  } else {
    plan.sql = tr.sql;
  }
  if (sqlite3_prepare_v2(db_, plan.sql.c_str(), -1, &plan.stmt, nullptr) != SQLITE_OK) {
    std::string context = plan.sql;
    fail_sqlite(0, context);
  }
}

void StandinSession::describe_result(sqlite3_stmt* stmt, std::vector<ColumnInfo>& cols,
                                     std::vector<SqlType>& types) {
  cols.clear();
  types.clear();
  std::map<std::string, std::optional<TableDef>> tables;
  int n = sqlite3_column_count(stmt);
  for (int i = 0; i < n; ++i) {
    ColumnInfo ci;
    ci.name = sqlite3_column_name(stmt, i);
    SqlType type;
    const char* table = sqlite3_column_table_name(stmt, i);
    const char* origin = sqlite3_column_origin_name(stmt, i);
    const char* schema = sqlite3_column_database_name(stmt, i);
    if (table && origin && schema && std::string(schema) == "main") {
      auto it = tables.find(table);
      if (it == tables.end()) it = tables.emplace(table, catalog_.table(table)).first;
      if (it->second)
        if (const ColumnDef* c = it->second->column(origin)) {
          type = c->type;
          ci.nullable = c->nullable;
          ci.identity = c->identity;
          ci.has_default = !c->default_tsql.empty();
        }
    }
    if (!type.name.empty()) {
      describe_type(type, ci);
    } else {
      switch (sqlite3_column_type(stmt, i)) {
        case SQLITE_INTEGER: ci.type = ColumnType::Integer; ci.bits = 64; break;
        case SQLITE_FLOAT: ci.type = ColumnType::Float; break;
        case SQLITE_BLOB: ci.type = ColumnType::BinaryBlob; break;
        default: ci.type = ColumnType::Text; break;
      }
    }
    cols.push_back(ci);
    types.push_back(type);
  }
}

void StandinSession::run_plan(Plan& plan, Params& p, ResultSet* result, int64_t& rows) {
  sqlite3_stmt* stmt = plan.stmt;
  sqlite3_reset(stmt);
  sqlite3_clear_bindings(stmt);
  for (int k = 1; k <= plan.params; ++k) {
    if (p.next >= p.values.size())
      throw DbError("The statement has " + std::to_string(plan.params) + " parameter markers but fewer values were given.");
    bind_value(stmt, k, p.values[p.next++]);
  }
  const Translated& tr = plan.tr;
  if (tr.kind == Translated::Kind::Select) {
    int rc = sqlite3_step(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
      sqlite3_reset(stmt);
      fail_sqlite(rc, plan.sql);
    }
    if (result) {
      result->close();
      result->stmt = stmt;
      result->owned = false;
      result->pending = rc == SQLITE_ROW;
      describe_result(stmt, result->columns, result->types);
      if (!result->pending) {
        // Nothing to read: keep the columns, free the statement.
        sqlite3_reset(stmt);
        result->stmt = nullptr;
      }
      // The result reads the plan's statement: the plan must outlive it, so a plan that is not
      // cached hands its statement over.
      rows = -1;
      return;
    }
    int64_t n = 0;
    while (rc == SQLITE_ROW) {
      ++n;
      rc = sqlite3_step(stmt);
    }
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE) fail_sqlite(rc, plan.sql);
    rows = n;
    last_rowcount_ = n;
    return;
  }

  const char* event = tr.kind == Translated::Kind::Insert ? "INSERT"
                      : tr.kind == Translated::Kind::Update ? "UPDATE" : "DELETE";
  std::vector<RoutineDef> triggers;
  for (auto& trg : catalog_.triggers_of(tr.table))
    if (trg.enabled && has_event(trg.events, event)) triggers.push_back(trg);

  savepoint();
  std::string d = std::to_string(depth_ + 1);
  std::string rid = "bm$rid" + d, del = "bm$old" + d, ins_t = "bm$inserted" + d, del_t = "bm$deleted" + d;
  std::vector<std::string> cap_triggers;
  try {
    std::vector<std::string> cols;
    if (!triggers.empty()) {
      auto def = catalog_.table(tr.table);
      for (auto& c : def->columns) cols.push_back(c.name);
      std::string tq = "main." + sql_name(tr.table);
      for (auto* n : {&rid, &del, &ins_t, &del_t}) exec_sql(db_, "DROP TABLE IF EXISTS temp." + sql_name(*n));
      if (std::string(event) != "DELETE") {
        exec_sql(db_, "CREATE TEMP TABLE " + sql_name(rid) + " (r INTEGER PRIMARY KEY)");
        std::string name = "bm$capi" + d;
        exec_sql(db_, "CREATE TEMP TRIGGER " + sql_name(name) + " AFTER " + event + " ON " + tq +
                          " BEGIN INSERT OR IGNORE INTO " + sql_name(rid) + " VALUES (NEW.rowid); END");
        cap_triggers.push_back(name);
      }
      if (std::string(event) != "INSERT") {
        exec_sql(db_, "CREATE TEMP TABLE " + sql_name(del) + " AS SELECT rowid AS \"bm$r\", * FROM " + tq + " WHERE 0");
        exec_sql(db_, "CREATE UNIQUE INDEX temp." + sql_name(del + "x") + " ON " + sql_name(del) + " (\"bm$r\")");
        std::string name = "bm$capd" + d;
        // The first image of a row is the one before the statement changed it.
        exec_sql(db_, "CREATE TEMP TRIGGER " + sql_name(name) + " BEFORE " + event + " ON " + tq +
                          " BEGIN INSERT OR IGNORE INTO " + sql_name(del) + " SELECT rowid, * FROM " + tq +
                          " WHERE rowid = OLD.rowid; END");
        cap_triggers.push_back(name);
      }
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) {
      DbError err = last_error(tr.kind == Translated::Kind::Update ? "UPDATE" : "INSERT");
      sqlite3_reset(stmt);
      throw err;
    }
    rows = sqlite3_changes(db_);
    sqlite3_reset(stmt);
    last_rowcount_ = rows;
    if (!triggers.empty()) {
      for (auto& n : cap_triggers) exec_sql(db_, "DROP TRIGGER IF EXISTS temp." + sql_name(n));
      cap_triggers.clear();
      std::string tq = "main." + sql_name(tr.table);
      if (std::string(event) != "DELETE")
        exec_sql(db_, "CREATE TEMP TABLE " + sql_name(ins_t) + " AS SELECT * FROM " + tq +
                          " WHERE rowid IN (SELECT r FROM temp." + sql_name(rid) + ")");
      else
        exec_sql(db_, "CREATE TEMP TABLE " + sql_name(ins_t) + " AS SELECT * FROM " + tq + " WHERE 0");
      if (std::string(event) != "INSERT")
        exec_sql(db_, "CREATE TEMP TABLE " + sql_name(del_t) + " AS SELECT " + column_list(cols) +
                          " FROM temp." + sql_name(del) + " ORDER BY \"bm$r\"");
      else
        exec_sql(db_, "CREATE TEMP TABLE " + sql_name(del_t) + " AS SELECT * FROM " + tq + " WHERE 0");
      for (auto& trg : triggers) {
        Frame frame;
        frame.ctx.in_trigger = true;
        frame.ctx.pseudo_tables["inserted"] = "temp." + sql_name(ins_t);
        frame.ctx.pseudo_tables["deleted"] = "temp." + sql_name(del_t);
        for (auto& c : tr.columns) frame.ctx.updated_columns.insert(lower(c));
        if (std::string(event) == "INSERT")
          for (auto& c : cols) frame.ctx.updated_columns.insert(lower(c));
        int64_t trows = 0;
        run_body(trg.body, std::move(frame), trows);
      }
      for (auto* n : {&rid, &del, &ins_t, &del_t}) exec_sql(db_, "DROP TABLE IF EXISTS temp." + sql_name(*n));
      last_rowcount_ = rows;
    }
    release();
  } catch (...) {
    for (auto& n : cap_triggers) sqlite3_exec(db_, ("DROP TRIGGER IF EXISTS temp." + sql_name(n)).c_str(), nullptr, nullptr, nullptr);
    undo();
    throw;
  }
}

void StandinSession::select_into(const Translated& tr, Params& p, int64_t& rows) {
  if (!catalog_.object_kind(tr.into).empty())
    throw DbError("There is already an object named '" + tr.into + "' in the database.");
  size_t first_param = p.next;
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db_, tr.sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) fail_sqlite(0, tr.sql);
  struct Fin {
    sqlite3_stmt* s;
    ~Fin() { sqlite3_finalize(s); }
  } fin{stmt};
  int nparams = sqlite3_bind_parameter_count(stmt);
  for (int k = 1; k <= nparams; ++k) {
    if (p.next >= p.values.size()) throw DbError("The statement has more parameter markers than values.");
    bind_value(stmt, k, p.values[p.next++]);
  }
  int rc = sqlite3_step(stmt);
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) fail_sqlite(rc, tr.sql);
  std::vector<ColumnInfo> cols;
  std::vector<SqlType> types;
  describe_result(stmt, cols, types);
  TableDef def;
  def.name = tr.into;
  for (size_t k = 0; k < cols.size(); ++k) {
    ColumnDef c;
    c.name = cols[k].name;
    if (def.column(c.name))
      throw DbError("Column names in each table must be unique. Column name '" + c.name + "' in table '" +
                    def.name + "' is specified more than once.");
    if (!types[k].name.empty()) {
      c.type = types[k];
      c.nullable = cols[k].nullable;
    } else {
      // A computed column: the type of its value.
      switch (cols[k].type) {
        case ColumnType::Integer: c.type.name = "int"; break;
        case ColumnType::Float: c.type.name = "float"; break;
        case ColumnType::BinaryBlob: c.type.name = "varbinary"; c.type.length = -1; break;
        default: c.type.name = "varchar"; c.type.length = -1; break;
      }
    }
    def.columns.push_back(c);
  }
  sqlite3_reset(stmt);
  atomically([&] {
    catalog_.save_table(def);
    exec_sql(db_, catalog_.create_table_sql(def, def.name));
    catalog_.rebuild_helpers(def);
    std::vector<std::string> names;
    for (auto& c : def.columns) names.push_back(c.name);
    std::string sql = "INSERT INTO " + sql_name(def.name) + " (" + column_list(names) + ") " + tr.sql;
    sqlite3_stmt* ins = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &ins, nullptr) != SQLITE_OK) fail_sqlite(0, sql);
    struct Fin2 {
      sqlite3_stmt* s;
      ~Fin2() { sqlite3_finalize(s); }
    } fin2{ins};
    for (int k = 1; k <= nparams; ++k) bind_value(ins, k, p.values[first_param + k - 1]);
    int rc2;
    while ((rc2 = sqlite3_step(ins)) == SQLITE_ROW) {
    }
    if (rc2 != SQLITE_DONE) fail_sqlite(rc2, sql);
    rows = sqlite3_changes(db_);
    last_rowcount_ = rows;
  });
}

}  // namespace bm::data::standin
