// Definitions: tables, indexes, views, procedures, functions, triggers, databases.
#include <filesystem>

#include "data/drivers/standin/sqlite_values.h"
#include "data/drivers/standin/standin_driver.h"
#include "data/drivers/standin/standin_session.h"
#include "data/error.h"

namespace bm::data::standin {

namespace {

const char* kUnsupported = "The SQL Server stand-in cannot emulate";

std::string text_between(const std::string& src, const Tokens& t, size_t b, size_t e) {
  if (b >= e) return "";
  return src.substr(t[b].begin, t[e - 1].end - t[b].begin);
}

// Skips "WITH (...)", "ON [PRIMARY]", "TEXTIMAGE_ON [PRIMARY]" after a definition.
void skip_storage(const Tokens& t, size_t& i, size_t e) {
  for (;;) {
    if (i < e && (t[i].is_word("ON") || t[i].is_word("TEXTIMAGE_ON")) && i + 1 < e && t[i + 1].is_name()) {
      i += 2;
      if (i < e && t[i].is_op("(")) i = matching_paren(t, i, e) + 1;
      continue;
    }
    return;
  }
}

std::vector<std::string> name_list(const Tokens& t, size_t& i, size_t e) {
  std::vector<std::string> out;
  if (!t[i].is_op("(")) throw DbError(syntax_error_near(t[i]));
  ++i;
  for (;;) {
    if (!t[i].is_name()) throw DbError(syntax_error_near(t[i]));
    out.push_back(t[i].text);
    ++i;
    if (t[i].is_word("ASC") || t[i].is_word("DESC")) ++i;
    if (t[i].is_op(",")) { ++i; continue; }
    if (!t[i].is_op(")")) throw DbError(syntax_error_near(t[i]));
    ++i;
    return out;
  }
  (void)e;
}

}  // namespace

TableDef StandinSession::require_table(const std::string& name) {
  auto def = catalog_.table(name);
  if (!def) throw DbError("Invalid object name '" + name + "'.");
  return *def;
}

std::string StandinSession::unique_object_check(const std::string& name) {
  if (!catalog_.object_kind(name).empty())
    throw DbError("There is already an object named '" + name + "' in the database.");
  return name;
}

void StandinSession::run_create(const Tokens& t, size_t b, size_t e, Params& p) {
  (void)p;
  size_t i = b + 1;
  const Token& w = t[i];
  if (w.is_word("TABLE")) {
    ++i;
    atomically([&] { create_table(t, i, e); });
    return;
  }
  if (w.is_word("UNIQUE") || w.is_word("CLUSTERED") || w.is_word("NONCLUSTERED") || w.is_word("INDEX")) {
    bool unique = false;
    while (t[i].is_word("UNIQUE") || t[i].is_word("CLUSTERED") || t[i].is_word("NONCLUSTERED")) {
      unique = unique || t[i].is_word("UNIQUE");
      ++i;
    }
    if (!t[i].is_word("INDEX")) throw DbError(syntax_error_near(t[i]));
    ++i;
    atomically([&] { create_index(t, i, e, unique); });
    return;
  }
  if (w.is_word("VIEW") || w.is_word("PROC") || w.is_word("PROCEDURE") || w.is_word("FUNCTION") ||
      w.is_word("TRIGGER")) {
    atomically([&] { create_routine(t, b, e, false); });
    return;
  }
  if (w.is_word("DATABASE")) return database_statement(t, b, e);
  if (w.is_word("SCHEMA") || w.is_word("TYPE") || w.is_word("SEQUENCE") || w.is_word("SYNONYM") ||
      w.is_word("LOGIN") || w.is_word("USER") || w.is_word("RULE") || w.is_word("DEFAULT"))
    throw DbError(std::string(kUnsupported) + " CREATE " + upper(w.text) + ".");
  throw DbError(syntax_error_near(w));
}

void StandinSession::run_alter(const Tokens& t, size_t b, size_t e, Params& p) {
  (void)p;
  size_t i = b + 1;
  const Token& w = t[i];
  if (w.is_word("TABLE")) {
    ++i;
    atomically([&] { alter_table(t, i, e); });
    return;
  }
  if (w.is_word("TRIGGER")) {
    // T-SQL: ALTER TRIGGER name ON table ...; InterBase's "ALTER TRIGGER name INACTIVE" is not T-SQL.
    size_t k = i + 1;
    Translator tr(t, k, e, frames_.back()->ctx);
    tr.object_name();
    k = tr.pos();
    if (!t[k].is_word("ON")) throw DbError(syntax_error_near(t[k]));
  }
  if (w.is_word("VIEW") || w.is_word("PROC") || w.is_word("PROCEDURE") || w.is_word("FUNCTION") ||
      w.is_word("TRIGGER")) {
    atomically([&] { create_routine(t, b, e, true); });
    return;
  }
  if (w.is_word("DATABASE") || w.is_word("INDEX"))
    throw DbError(std::string(kUnsupported) + " ALTER " + upper(w.text) + ".");
  throw DbError(syntax_error_near(w));
}

void StandinSession::run_drop(const Tokens& t, size_t b, size_t e) {
  size_t i = b + 1;
  const Token& w = t[i];
  std::string kind = upper(w.text);
  if (kind == "PROC") kind = "PROCEDURE";
  if (kind == "DATABASE") return database_statement(t, b, e);
  static const std::map<std::string, std::string> kinds = {
      {"TABLE", "U"}, {"VIEW", "V"}, {"PROCEDURE", "P"}, {"FUNCTION", "FN"}, {"TRIGGER", "TR"}, {"INDEX", "IX"}};
  auto k = kinds.find(kind);
  if (k == kinds.end()) throw DbError(syntax_error_near(w));
  ++i;
  bool if_exists = false;
  if (t[i].is_word("IF") && t[i + 1].is_word("EXISTS")) {
    if_exists = true;
    i += 2;
  }
  atomically([&] {
    for (;;) {
      Translator tr(t, i, e, frames_.back()->ctx);
      std::string name = tr.object_name();
      std::string table;
      i = tr.pos();
      if (kind == "INDEX") {
        // DROP INDEX table.index or DROP INDEX index ON table
        if (t[i].is_word("ON")) {
          ++i;
          Translator tt(t, i, e, frames_.back()->ctx);
          table = tt.object_name();
          i = tt.pos();
        } else {
          // the part before the index name
          size_t j = i - 1;
          if (j >= 2 && t[j - 1].is_op(".")) table = t[j - 2].text;
        }
        auto def = catalog_.table(table);
        bool found = false;
        if (def) {
          for (auto it = def->keys.begin(); it != def->keys.end(); ++it)
            if (iequals(it->name, name) && it->kind == "IX") {
              def->keys.erase(it);
              found = true;
              break;
            }
        }
        if (!found) {
          if (!if_exists)
            throw DbError("Cannot drop the index '" + table + "." + name +
                          "', because it does not exist or you do not have permission.");
        } else {
          catalog_.save_table(*def);
          catalog_.rebuild_helpers(*def);
        }
      } else {
        std::string have = catalog_.object_kind(name);
        static const std::map<std::string, std::string> words = {
            {"U", "table"}, {"V", "view"}, {"P", "procedure"}, {"FN", "function"}, {"TR", "trigger"}};
        if (have.empty() || have == "PK" || have == "UQ") {
          if (!if_exists)
            throw DbError("Cannot drop the " + words.at(k->second) + " '" + name +
                          "', because it does not exist or you do not have permission.");
        } else if (have != k->second) {
          throw DbError("Cannot use DROP " + kind + " with '" + name + "' because '" + name + "' is a " +
                        words.at(have) + ". Use DROP " + upper(words.at(have)) + ".");
        } else if (have == "U") {
          auto def = catalog_.table(name);
          exec_sql(db_, "DROP TABLE " + sql_name(def->name));
          catalog_.forget_table(def->name);
          identity_insert_.erase(lower(def->name));
        } else if (have == "V") {
          exec_sql(db_, "DROP VIEW IF EXISTS " + sql_name(name));
          catalog_.forget_routine(name);
        } else {
          catalog_.forget_routine(name);
        }
      }
      if (t[i].is_op(",")) {
        ++i;
        continue;
      }
      break;
    }
    if (i < e && !t[i].is_op(";")) throw DbError(syntax_error_near(t[i]));
  });
}

ColumnDef StandinSession::column_definition(const Tokens& t, size_t& i, size_t e, TableDef& def) {
  ColumnDef c;
  if (!t[i].is_name()) throw DbError(syntax_error_near(t[i]));
  c.name = t[i].text;
  ++i;
  if (t[i].is_word("AS")) throw DbError(std::string(kUnsupported) + " computed columns.");
  c.type = parse_type(t, i);
  bool explicit_not_null = false, explicit_null = false;
  std::string constraint;
  while (i < e && !t[i].is_op(",") && !t[i].is_op(")")) {
    if (t[i].is_word("COLLATE")) {
      i += 2;
    } else if (t[i].is_word("IDENTITY")) {
      c.identity = true;
      ++i;
      if (t[i].is_op("(")) {
        size_t close = matching_paren(t, i, e);
        std::vector<std::string> nums;
        std::string cur;
        for (size_t k = i + 1; k < close; ++k) {
          if (t[k].is_op(",")) { nums.push_back(cur); cur.clear(); } else cur += t[k].text;
        }
        nums.push_back(cur);
        if (nums.size() != 2) throw DbError(syntax_error_near(t[close]));
        c.seed = std::stoll(nums[0]);
        c.increment = std::stoll(nums[1]);
        i = close + 1;
      }
      if (c.type.family() != SqlType::Family::Integer &&
          !(c.type.family() == SqlType::Family::Decimal && c.type.scale == 0))
        throw DbError("Identity column '" + c.name + "' must be of data type int, bigint, smallint, tinyint, "
                      "or decimal or numeric with a scale of 0, and constrained to be nonnullable.");
    } else if (t[i].is_word("NOT") && t[i + 1].is_word("NULL")) {
      explicit_not_null = true;
      i += 2;
    } else if (t[i].is_word("NULL")) {
      explicit_null = true;
      ++i;
    } else if (t[i].is_word("CONSTRAINT")) {
      constraint = t[i + 1].text;
      i += 2;
    } else if (t[i].is_word("DEFAULT")) {
      ++i;
      size_t start = i;
      TranslateContext ctx;
      Translator tr(t, i, e, ctx);
      c.default_sqlite = tr.expression();
      i = tr.pos();
      c.default_tsql = text_between(*sources_.back(), t, start, i);
      constraint.clear();
    } else if (t[i].is_word("PRIMARY") && t[i + 1].is_word("KEY")) {
      i += 2;
      while (t[i].is_word("CLUSTERED") || t[i].is_word("NONCLUSTERED")) ++i;
      KeyDef k;
      k.name = constraint.empty() ? "PK__" + def.name : constraint;
      k.kind = "PK";
      k.unique = true;
      k.columns = {c.name};
      def.keys.push_back(k);
      constraint.clear();
    } else if (t[i].is_word("UNIQUE")) {
      ++i;
      while (t[i].is_word("CLUSTERED") || t[i].is_word("NONCLUSTERED")) ++i;
      KeyDef k;
      k.name = constraint.empty() ? "UQ__" + def.name + "__" + c.name : constraint;
      k.kind = "UQ";
      k.unique = true;
      k.columns = {c.name};
      def.keys.push_back(k);
      constraint.clear();
    } else if (t[i].is_word("CHECK")) {
      ++i;
      size_t close = matching_paren(t, i, e);
      TranslateContext ctx;
      Translator tr(t, i + 1, close, ctx);
      def.checks.push_back({constraint.empty() ? "CK__" + def.name + "__" + c.name : constraint, tr.whole_expression()});
      i = close + 1;
      constraint.clear();
    } else if (t[i].is_word("REFERENCES") || t[i].is_word("FOREIGN")) {
      throw DbError(std::string(kUnsupported) + " FOREIGN KEY constraints.");
    } else if (t[i].is_word("ROWGUIDCOL") || t[i].is_word("SPARSE")) {
      ++i;
    } else {
      throw DbError(syntax_error_near(t[i]));
    }
  }
  if (explicit_null && c.identity)
    throw DbError("Could not create IDENTITY attribute on nullable column '" + c.name + "', table '" + def.name + "'.");
  c.nullable = !explicit_not_null && !c.identity;
  return c;
}

void StandinSession::create_table(const Tokens& t, size_t& i, size_t e) {
  Translator tr(t, i, e, frames_.back()->ctx);
  TableDef def;
  def.name = tr.object_name();
  i = tr.pos();
  if (def.name.rfind("#", 0) == 0) throw DbError(std::string(kUnsupported) + " temporary tables.");
  unique_object_check(def.name);
  if (!t[i].is_op("(")) throw DbError(syntax_error_near(t[i]));
  size_t close = matching_paren(t, i, e);
  ++i;
  while (i < close) {
    std::string constraint;
    if (t[i].is_word("CONSTRAINT")) {
      constraint = t[i + 1].text;
      i += 2;
    }
    if ((t[i].is_word("PRIMARY") && t[i + 1].is_word("KEY")) || t[i].is_word("UNIQUE")) {
      KeyDef k;
      bool pk = t[i].is_word("PRIMARY");
      i += pk ? 2 : 1;
      while (t[i].is_word("CLUSTERED") || t[i].is_word("NONCLUSTERED")) ++i;
      k.kind = pk ? "PK" : "UQ";
      k.unique = true;
      k.columns = name_list(t, i, close);
      k.name = constraint.empty() ? (pk ? "PK__" + def.name : "UQ__" + def.name + "__" + k.columns[0]) : constraint;
      if (t[i].is_word("WITH") && t[i + 1].is_op("(")) i = matching_paren(t, i + 1, close) + 1;
      skip_storage(t, i, close);
      def.keys.push_back(k);
    } else if (t[i].is_word("CHECK")) {
      ++i;
      size_t pc = matching_paren(t, i, close);
      TranslateContext ctx;
      Translator ct(t, i + 1, pc, ctx);
      def.checks.push_back({constraint.empty() ? "CK__" + def.name : constraint, ct.whole_expression()});
      i = pc + 1;
    } else if (t[i].is_word("FOREIGN")) {
      throw DbError(std::string(kUnsupported) + " FOREIGN KEY constraints.");
    } else {
      if (!constraint.empty()) throw DbError(syntax_error_near(t[i]));
      ColumnDef c = column_definition(t, i, close, def);
      if (def.column(c.name))
        throw DbError("Column names in each table must be unique. Column name '" + c.name + "' in table '" +
                      def.name + "' is specified more than once.");
      if (c.identity && def.identity())
        throw DbError("Multiple identity columns specified for table '" + def.name +
                      "'. Only one identity column per table is allowed.");
      def.columns.push_back(c);
    }
    if (t[i].is_op(",")) ++i;
    else if (i != close) throw DbError(syntax_error_near(t[i]));
  }
  i = close + 1;
  skip_storage(t, i, e);
  if (i < e && !t[i].is_op(";")) throw DbError(syntax_error_near(t[i]));
  if (def.columns.empty()) throw DbError(syntax_error_near(t[close]));
  int pks = 0;
  for (auto& k : def.keys) {
    for (auto& col : k.columns) {
      ColumnDef* c = nullptr;
      for (auto& cc : def.columns)
        if (iequals(cc.name, col)) c = &cc;
      if (!c)
        throw DbError("Column name '" + col + "' does not exist in the target table or view.");
      if (k.kind == "PK") c->nullable = false;  // key columns do not take NULL
    }
    pks += k.kind == "PK";
  }
  if (pks > 1)
    throw DbError("Cannot add multiple PRIMARY KEY constraints to table '" + def.name + "'.");
  for (auto& k : def.keys) unique_object_check(k.name);
  catalog_.save_table(def);
  exec_sql(db_, catalog_.create_table_sql(def, def.name));
  catalog_.rebuild_helpers(def);
}

void StandinSession::add_key(TableDef& def, KeyDef key) {
  for (auto& col : key.columns) {
    const ColumnDef* c = def.column(col);
    if (!c) throw DbError("Column name '" + col + "' does not exist in the target table or view.");
    if (key.kind == "PK" && c->nullable)
      throw DbError("Cannot define PRIMARY KEY constraint on nullable column in table '" + def.name + "'.");
  }
  for (auto& k : def.keys) {
    if (iequals(k.name, key.name)) {
      if (key.kind == "IX")
        throw DbError("The operation failed because an index or statistics with name '" + key.name +
                      "' already exists on table '" + def.name + "'.");
      throw DbError("There is already an object named '" + key.name + "' in the database.");
    }
    if (key.kind == "PK" && k.kind == "PK")
      throw DbError("Table '" + def.name + "' already has a primary key defined on it.");
  }
  if (key.kind != "IX") unique_object_check(key.name);
  if (key.unique) {
    // Existing rows must not already hold the key twice (also with IGNORE_DUP_KEY).
    std::string cols;
    for (auto& c : key.columns) cols += (cols.empty() ? "" : ", ") + sql_name(c);
    std::string sql = "SELECT bm_keytext(" + cols + ") FROM " + sql_name(def.name) + " GROUP BY " + cols +
                      " HAVING count(*) > 1 LIMIT 1";
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) fail_sqlite(0, sql);
    std::string dup;
    bool found = sqlite3_step(s) == SQLITE_ROW;
    if (found) dup = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
    sqlite3_finalize(s);
    if (found) {
      if (key.kind == "IX")
        throw DbError("The CREATE UNIQUE INDEX statement terminated because a duplicate key was found for the "
                      "object name 'dbo." + def.name + "' and the index name '" + key.name +
                      "'. The duplicate key value is (" + dup + ").");
      throw DbError("The CREATE UNIQUE INDEX statement terminated because a duplicate key was found for the "
                    "object name 'dbo." + def.name + "' and the index name '" + key.name +
                    "'. The duplicate key value is (" + dup + "). Could not create constraint or index.");
    }
  }
  key.table = def.name;
  def.keys.push_back(key);
  catalog_.save_table(def);
  catalog_.rebuild_helpers(def);
}

void StandinSession::create_index(const Tokens& t, size_t& i, size_t e, bool unique) {
  KeyDef k;
  k.kind = "IX";
  k.unique = unique;
  if (!t[i].is_name()) throw DbError(syntax_error_near(t[i]));
  k.name = t[i].text;
  ++i;
  if (!t[i].is_word("ON")) throw DbError(syntax_error_near(t[i]));
  ++i;
  Translator tr(t, i, e, frames_.back()->ctx);
  std::string table = tr.object_name();
  i = tr.pos();
  k.columns = name_list(t, i, e);
  if (t[i].is_word("INCLUDE")) {
    ++i;
    name_list(t, i, e);
  }
  if (t[i].is_word("WHERE")) throw DbError(std::string(kUnsupported) + " filtered indexes.");
  if (t[i].is_word("WITH")) {
    ++i;
    bool paren = t[i].is_op("(");
    size_t stop = paren ? matching_paren(t, i, e) : e;
    if (paren) ++i;
    // Options: IGNORE_DUP_KEY [= ON|OFF], FILLFACTOR = n, PAD_INDEX, ... (old form without '=').
    while (i < stop && !(!paren && t[i].is_word("ON"))) {
      if (t[i].is_word("IGNORE_DUP_KEY")) {
        k.ignore_dup = true;
        if (t[i + 1].is_op("=")) {
          k.ignore_dup = t[i + 2].is_word("ON");
          i += 2;
        }
      } else if (t[i].is_word("DROP_EXISTING")) {
        throw DbError(std::string(kUnsupported) + " DROP_EXISTING.");
      }
      ++i;
    }
    if (paren) i = stop + 1;
  }
  skip_storage(t, i, e);
  if (i < e && !t[i].is_op(";")) throw DbError(syntax_error_near(t[i]));
  if (k.ignore_dup && !unique)
    throw DbError("Cannot create nonunique index '" + k.name + "' on table '" + table +
                  "' with IGNORE_DUP_KEY option. The IGNORE_DUP_KEY option is valid only for unique indexes.");
  TableDef def = require_table(table);
  add_key(def, k);
}

void StandinSession::rebuild_table(const TableDef& def, const std::map<std::string, std::string>& fill) {
  std::vector<std::string> existing;
  {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db_, ("PRAGMA table_info(" + sql_name(def.name) + ")").c_str(), -1, &s, nullptr);
    while (sqlite3_step(s) == SQLITE_ROW) existing.push_back(lower(reinterpret_cast<const char*>(sqlite3_column_text(s, 1))));
    sqlite3_finalize(s);
  }
  std::string cols, exprs;
  for (auto& c : def.columns) {
    cols += (cols.empty() ? "" : ", ") + sql_name(c.name);
    auto f = fill.find(lower(c.name));
    std::string x = f != fill.end() ? f->second
                    : std::find(existing.begin(), existing.end(), lower(c.name)) != existing.end() ? sql_name(c.name)
                                                                                                 : "NULL";
    exprs += (exprs.empty() ? "" : ", ") + x;
  }
  const std::string tmp = "bm$rebuild";
  exec_sql(db_, "DROP TABLE IF EXISTS " + sql_name(tmp));
  exec_sql(db_, catalog_.create_table_sql(def, tmp));
  int rc = sqlite3_exec(db_, ("INSERT INTO " + sql_name(tmp) + " (" + cols + ") SELECT " + exprs + " FROM " +
                              sql_name(def.name) + " ORDER BY rowid").c_str(), nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) {
    DbError err = last_error("UPDATE");
    sqlite3_exec(db_, ("DROP TABLE IF EXISTS " + sql_name(tmp)).c_str(), nullptr, nullptr, nullptr);
    throw err;
  }
  exec_sql(db_, "DROP TABLE " + sql_name(def.name));
  exec_sql(db_, "ALTER TABLE " + sql_name(tmp) + " RENAME TO " + sql_name(def.name));
  catalog_.save_table(def);
  catalog_.rebuild_helpers(def);
  if (const ColumnDef* id = def.identity(); id && fill.count(lower(id->name))) {
    // The numbers given to the existing rows are used: the next row continues after them.
    std::string col = sql_name(id->name);
    exec_sql(db_, "UPDATE bm_identity SET last = coalesce((SELECT " +
                      std::string(id->increment >= 0 ? "max(" : "min(") + col + ") FROM " + sql_name(def.name) +
                      "), 0), used = (SELECT count(*) > 0 FROM " + sql_name(def.name) + ") WHERE tbl = " +
                      sql_quote(def.name));
  }
}

void StandinSession::alter_table(const Tokens& t, size_t& i, size_t e) {
  Translator tr(t, i, e, frames_.back()->ctx);
  std::string name = tr.object_name();
  i = tr.pos();
  TableDef def = require_table(name);
  auto row_count = [&]() {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db_, ("SELECT count(*) FROM " + sql_name(def.name)).c_str(), -1, &s, nullptr);
    sqlite3_step(s);
    int64_t n = sqlite3_column_int64(s, 0);
    sqlite3_finalize(s);
    return n;
  };
  const Token& w = t[i];
  if (w.is_word("WITH") && (t[i + 1].is_word("CHECK") || t[i + 1].is_word("NOCHECK"))) ++i;
  if (t[i].is_word("ADD")) {
    ++i;
    std::map<std::string, std::string> fill;
    bool changed_columns = false;
    for (;;) {
      std::string constraint;
      if (t[i].is_word("CONSTRAINT")) {
        constraint = t[i + 1].text;
        i += 2;
      }
      if ((t[i].is_word("PRIMARY") && t[i + 1].is_word("KEY")) || t[i].is_word("UNIQUE")) {
        bool pk = t[i].is_word("PRIMARY");
        i += pk ? 2 : 1;
        while (t[i].is_word("CLUSTERED") || t[i].is_word("NONCLUSTERED")) ++i;
        KeyDef k;
        k.kind = pk ? "PK" : "UQ";
        k.unique = true;
        k.columns = name_list(t, i, e);
        k.name = constraint.empty() ? (pk ? "PK__" + def.name : "UQ__" + def.name + "__" + k.columns[0]) : constraint;
        if (t[i].is_word("WITH") && t[i + 1].is_op("(")) i = matching_paren(t, i + 1, e) + 1;
        skip_storage(t, i, e);
        add_key(def, k);
      } else if (t[i].is_word("DEFAULT")) {
        ++i;
        size_t start = i;
        TranslateContext ctx;
        Translator dt(t, i, e, ctx);
        std::string expr = dt.expression();
        i = dt.pos();
        std::string tsql = text_between(*sources_.back(), t, start, i);
        if (!t[i].is_word("FOR")) throw DbError(syntax_error_near(t[i]));
        std::string col = t[i + 1].text;
        i += 2;
        bool found = false;
        for (auto& c : def.columns)
          if (iequals(c.name, col)) {
            if (!c.default_tsql.empty())
              throw DbError("Column already has a DEFAULT bound to it.");
            c.default_sqlite = expr;
            c.default_tsql = tsql;
            found = true;
          }
        if (!found) throw DbError("Invalid column name '" + col + "'.");
        changed_columns = true;
      } else if (t[i].is_word("CHECK") || t[i].is_word("FOREIGN")) {
        throw DbError(std::string(kUnsupported) + " ALTER TABLE ... ADD " + upper(t[i].text) + ".");
      } else {
        if (!constraint.empty()) throw DbError(syntax_error_near(t[i]));
        ColumnDef c = column_definition(t, i, e, def);
        if (def.column(c.name))
          throw DbError("Column names in each table must be unique. Column name '" + c.name + "' in table '" +
                        def.name + "' is specified more than once.");
        if (c.identity && def.identity())
          throw DbError("Multiple identity columns specified for table '" + def.name +
                        "'. Only one identity column per table is allowed.");
        bool with_values = t[i].is_word("WITH") && t[i + 1].is_word("VALUES");
        if (with_values) i += 2;
        if (c.identity) {
          // Existing rows are numbered in the table's order: the clustered key, else as stored.
          std::string order = "rowid";
          if (auto* pk = def.primary_key()) {
            order.clear();
            for (auto& kc : pk->columns) order += (order.empty() ? "" : ", ") + sql_name(kc);
          }
          fill[lower(c.name)] = std::to_string(c.seed) + " + " + std::to_string(c.increment) +
                                " * (row_number() OVER (ORDER BY " + order + ") - 1)";
        } else if (!c.default_sqlite.empty() && (!c.nullable || with_values)) {
          fill[lower(c.name)] = "bm_store(" + c.default_sqlite + ", " + sql_quote(c.type.text()) + ")";
        } else if (!c.nullable && row_count() > 0) {
          throw DbError("ALTER TABLE only allows columns to be added that can contain nulls, or have a DEFAULT "
                        "definition specified, or the column being added is an identity or timestamp column, or "
                        "alternatively if none of the previous conditions are satisfied the table must be empty to "
                        "allow addition of this column. Column '" + c.name + "' cannot be added to non-empty table '" +
                        def.name + "' because it does not satisfy these conditions.");
        }
        def.columns.push_back(c);
        changed_columns = true;
      }
      if (t[i].is_op(",")) {
        ++i;
        continue;
      }
      break;
    }
    if (i < e && !t[i].is_op(";")) throw DbError(syntax_error_near(t[i]));
    if (changed_columns) rebuild_table(def, fill);
    return;
  }
  if (t[i].is_word("DROP")) {
    ++i;
    if (t[i].is_word("COLUMN")) {
      ++i;
      for (;;) {
        std::string col = t[i].text;
        ++i;
        auto it = std::find_if(def.columns.begin(), def.columns.end(), [&](auto& c) { return iequals(c.name, col); });
        if (it == def.columns.end())
          throw DbError("ALTER TABLE DROP COLUMN failed because column '" + col + "' does not exist in table '" +
                        def.name + "'.");
        for (auto& k : def.keys)
          for (auto& kc : k.columns)
            if (iequals(kc, col))
              throw DbError("The object '" + k.name + "' is dependent on column '" + col + "'. ALTER TABLE DROP COLUMN " +
                            col + " failed because one or more objects access this column.");
        def.columns.erase(it);
        if (!t[i].is_op(",")) break;
        ++i;
      }
      if (def.columns.empty())
        throw DbError("ALTER TABLE DROP COLUMN failed because '" + def.name + "' is the only data column in table.");
      rebuild_table(def, {});
      return;
    }
    if (t[i].is_word("CONSTRAINT")) ++i;
    std::string cname = t[i].text;
    for (auto it = def.keys.begin(); it != def.keys.end(); ++it)
      if (iequals(it->name, cname) && it->kind != "IX") {
        def.keys.erase(it);
        catalog_.save_table(def);
        catalog_.rebuild_helpers(def);
        return;
      }
    for (auto it = def.checks.begin(); it != def.checks.end(); ++it)
      if (iequals(it->name, cname)) {
        def.checks.erase(it);
        rebuild_table(def, {});
        return;
      }
    throw DbError("'" + cname + "' is not a constraint.");
  }
  if (t[i].is_word("ALTER") && t[i + 1].is_word("COLUMN")) {
    i += 2;
    std::string col = t[i].text;
    ++i;
    SqlType type = parse_type(t, i);
    bool nullable = true;
    if (t[i].is_word("NOT") && t[i + 1].is_word("NULL")) {
      nullable = false;
      i += 2;
    } else if (t[i].is_word("NULL")) {
      ++i;
    }
    bool found = false;
    for (auto& c : def.columns)
      if (iequals(c.name, col)) {
        for (auto& k : def.keys)
          for (auto& kc : k.columns)
            if (iequals(kc, col))
              throw DbError("The object '" + k.name + "' is dependent on column '" + col + "'. ALTER TABLE ALTER COLUMN " +
                            col + " failed because one or more objects access this column.");
        c.type = type;
        c.nullable = nullable;
        found = true;
        col = c.name;
      }
    if (!found) throw DbError("Cannot find the object \"" + def.name + "\" because it does not exist or you do not have permissions.");
    rebuild_table(def, {{lower(col), "bm_store(" + sql_name(col) + ", " + sql_quote(type.text()) + ")"}});
    return;
  }
  if (t[i].is_word("DISABLE") || t[i].is_word("ENABLE")) {
    bool enable = t[i].is_word("ENABLE");
    ++i;
    if (!t[i].is_word("TRIGGER")) throw DbError(syntax_error_near(t[i]));
    ++i;
    if (t[i].is_word("ALL")) {
      switch_triggers(def.name, "", enable);
      ++i;
    } else {
      for (;;) {
        switch_triggers(def.name, t[i].text, enable);
        ++i;
        if (!t[i].is_op(",")) break;
        ++i;
      }
    }
    // Nothing may follow unread: a statement is never half done.
    if (i < e && !t[i].is_op(";") && t[i].kind != Token::Kind::End) throw DbError(syntax_error_near(t[i]));
    return;
  }
  if (t[i].is_word("NOCHECK") || t[i].is_word("CHECK")) {
    if (!def.checks.empty()) throw DbError(std::string(kUnsupported) + " switching CHECK constraints.");
    return;  // no foreign keys or checks to switch
  }
  throw DbError(syntax_error_near(t[i]));
}

void StandinSession::switch_triggers(const std::string& table, const std::string& trigger, bool enabled) {
  TableDef def = require_table(table);
  if (!trigger.empty()) {
    auto r = catalog_.routine(trigger);
    if (!r || r->kind != "TR" || !iequals(r->table, def.name))
      throw DbError("Cannot find the object \"" + trigger + "\" because it does not exist or you do not have permissions.");
  }
  catalog_.set_trigger_enabled(def.name, trigger, enabled);
}

void StandinSession::create_routine(const Tokens& t, size_t b, size_t e, bool replace) {
  const std::string& src = *sources_.back();
  size_t i = b + 1;
  std::string kind_word = upper(t[i].text);
  ++i;
  Translator tr(t, i, e, frames_.back()->ctx);
  RoutineDef r;
  r.name = tr.object_name();
  i = tr.pos();
  r.kind = kind_word == "VIEW" ? "V" : kind_word == "FUNCTION" ? "FN" : kind_word == "TRIGGER" ? "TR" : "P";
  auto existing = catalog_.routine(r.name);
  if (replace) {
    if (!existing || existing->kind != r.kind) throw DbError("Invalid object name '" + r.name + "'.");
  } else {
    unique_object_check(r.name);
  }
  auto skip_with = [&]() {
    if (t[i].is_word("WITH")) {
      ++i;
      while (t[i].is_word("ENCRYPTION") || t[i].is_word("SCHEMABINDING") || t[i].is_word("RECOMPILE") ||
             t[i].is_word("VIEW_METADATA") || t[i].is_word("EXECUTE") || t[i].is_word("AS") ||
             t[i].is_word("CALLER") || t[i].is_word("OWNER") || t[i].is_word("SELF") ||
             t[i].is_word("RETURNS") || t[i].is_word("NULL") || t[i].is_word("ON") ||
             t[i].is_word("INPUT") || t[i].is_word("CALLED") || t[i].is_op(","))
        ++i;
    }
  };
  auto params = [&](bool parens) {
    std::string out;
    bool paren = t[i].is_op("(");
    if (paren) ++i;
    (void)parens;
    while (t[i].kind == Token::Kind::Variable) {
      std::string pname = t[i].text;
      ++i;
      if (t[i].is_word("AS")) ++i;
      SqlType type = parse_type(t, i);
      std::string line = pname + " " + type.text();
      if (t[i].is_op("=")) {
        size_t start = ++i;
        while (!t[i].is_op(",") && !t[i].is_op(")") && !t[i].is_word("AS") && !t[i].is_word("OUTPUT") &&
               !t[i].is_word("OUT") && !t[i].is_word("WITH") && t[i].kind != Token::Kind::End)
          ++i;
        line += "=" + text_between(src, t, start, i);
      }
      while (t[i].is_word("OUTPUT") || t[i].is_word("OUT") || t[i].is_word("READONLY")) ++i;
      out += line + "\n";
      if (!t[i].is_op(",")) break;
      ++i;
    }
    if (paren) {
      if (!t[i].is_op(")")) throw DbError(syntax_error_near(t[i]));
      ++i;
    }
    return out;
  };
  if (r.kind == "V") {
    std::string cols;
    if (t[i].is_op("(")) {
      size_t close = matching_paren(t, i, e);
      for (size_t k = i + 1; k < close; ++k) cols += t[k].is_op(",") ? std::string(", ") : sql_name(t[k].text);
      cols = " (" + cols + ")";
      i = close + 1;
    }
    skip_with();
    if (!t[i].is_word("AS")) throw DbError(syntax_error_near(t[i]));
    ++i;
    TranslateContext ctx;
    ctx.is_user_function = [this](const std::string& n) { return catalog_.object_kind(n) == "FN"; };
    Translator vt(t, i, e, ctx);
    std::string into;
    bool top = false;
    std::string select = vt.select(nullptr, &top);
    while (!vt.at_end() && t[vt.pos()].is_op(";")) vt.set_pos(vt.pos() + 1);
    if (!vt.at_end()) throw DbError(syntax_error_near(t[vt.pos()]));
    if (replace) exec_sql(db_, "DROP VIEW IF EXISTS " + sql_name(r.name));
    exec_sql(db_, "CREATE VIEW " + sql_name(r.name) + cols + " AS " + select);
    // SQL Server checks the view's objects when it is created.
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db_, ("SELECT * FROM " + sql_name(r.name)).c_str(), -1, &s, nullptr) != SQLITE_OK) {
      DbError err = last_error("CREATE VIEW");
      sqlite3_finalize(s);
      throw err;
    }
    sqlite3_finalize(s);
    r.body = text_between(src, t, b, e);
  } else if (r.kind == "P") {
    if (t[i].is_op(";")) i += 2;  // numbered procedures
    r.params = params(false);
    skip_with();
    if (t[i].is_word("FOR") && t[i + 1].is_word("REPLICATION")) i += 2;
    if (!t[i].is_word("AS")) throw DbError(syntax_error_near(t[i]));
    ++i;
    r.body = text_between(src, t, i, e);
    parse_batch(tokenize(r.body));  // the body must be valid T-SQL
  } else if (r.kind == "FN") {
    if (!t[i].is_op("(")) throw DbError(syntax_error_near(t[i]));
    r.params = params(true);
    if (!t[i].is_word("RETURNS")) throw DbError(syntax_error_near(t[i]));
    ++i;
    if (t[i].is_word("TABLE") || t[i].kind == Token::Kind::Variable)
      throw DbError(std::string(kUnsupported) + " table-valued functions.");
    r.returns = parse_type(t, i).text();
    skip_with();
    if (!t[i].is_word("AS")) throw DbError(syntax_error_near(t[i]));
    ++i;
    if (!t[i].is_word("BEGIN")) throw DbError(syntax_error_near(t[i]));
    r.body = text_between(src, t, i, e);
    parse_batch(tokenize(r.body));
    int n = 0;
    for (char c : r.params) n += c == '\n';
    register_user_function(db_, this, lower(r.name), n);
  } else {
    // CREATE TRIGGER name ON table [WITH ...] { AFTER | FOR } events AS body
    if (!t[i].is_word("ON")) throw DbError(syntax_error_near(t[i]));
    ++i;
    Translator tt(t, i, e, frames_.back()->ctx);
    std::string table = tt.object_name();
    i = tt.pos();
    if (t[i].is_word("WITH")) {
      ++i;
      while (t[i].is_word("ENCRYPTION") || t[i].is_word("EXECUTE") || t[i].is_word("AS") ||
             t[i].is_word("CALLER") || t[i].is_word("OWNER") || t[i].is_word("SELF") || t[i].is_op(","))
        ++i;
    }
    if (t[i].is_word("INSTEAD")) throw DbError(std::string(kUnsupported) + " INSTEAD OF triggers.");
    if (!t[i].is_word("AFTER") && !t[i].is_word("FOR")) throw DbError(syntax_error_near(t[i]));
    ++i;
    std::string events;
    for (;;) {
      if (!(t[i].is_word("INSERT") || t[i].is_word("UPDATE") || t[i].is_word("DELETE")))
        throw DbError(syntax_error_near(t[i]));
      events += (events.empty() ? "" : ",") + upper(t[i].text);
      ++i;
      if (!t[i].is_op(",")) break;
      ++i;
    }
    if (t[i].is_word("WITH") && t[i + 1].is_word("APPEND")) i += 2;
    if (t[i].is_word("NOT") && t[i + 1].is_word("FOR")) i += 3;
    if (!t[i].is_word("AS")) throw DbError(syntax_error_near(t[i]));
    ++i;
    auto def = catalog_.table(table);
    if (!def) throw DbError("Invalid object name '" + table + "'.");
    r.table = def->name;
    r.events = events;
    r.body = text_between(src, t, i, e);
    parse_batch(tokenize(r.body));
    if (existing) r.enabled = existing->enabled;
  }
  catalog_.save_routine(r);
}

void StandinSession::database_statement(const Tokens& t, size_t b, size_t e) {
  bool create = t[b].is_word("CREATE");
  size_t i = b + 2;
  if (!t[i].is_name()) throw DbError(syntax_error_near(t[i]));
  std::string name = t[i].text;
  namespace fs = std::filesystem;
  fs::path file = database_file(folder_, name);
  if (create) {
    if (iequals(name, "master") || fs::exists(file))
      throw DbError("Database '" + name + "' already exists. Choose a different database name.");
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.string().c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
      sqlite3_close(db);
      throw DbError("CREATE DATABASE failed for '" + name + "'.");
    }
    Catalog(db).ensure();
    sqlite3_close(db);
    return;
  }
  if (iequals(name, database_) || iequals(name, "master"))
    throw DbError("Cannot drop database \"" + name + "\" because it is currently in use.");
  if (!fs::exists(file))
    throw DbError("Cannot drop the database '" + name + "', because it does not exist or you do not have permission.");
  fs::remove(file);
  fs::remove(file.string() + "-wal");
  fs::remove(file.string() + "-shm");
  (void)e;
}

}  // namespace bm::data::standin
