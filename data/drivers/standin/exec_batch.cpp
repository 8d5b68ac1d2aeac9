// Batches, control flow, variables, SET options and EXEC.
#include <filesystem>

#include "data/drivers/standin/sqlite_values.h"
#include "data/drivers/standin/standin_session.h"
#include "data/error.h"

namespace bm::data::standin {

namespace {

const char* kUnsupported = "The SQL Server stand-in cannot emulate";

std::string statement_text(const std::string& src, const Tokens& t, size_t b, size_t e) {
  if (b >= e) return "";
  size_t end = e - 1 < t.size() ? t[e - 1].end : src.size();
  return src.substr(t[b].begin, end - t[b].begin);
}

}  // namespace

void StandinSession::execute(const std::string& sql, const std::vector<Value>& params,
                             ResultSet& result, std::unique_ptr<Plan>* plan, int64_t& rows) {
  warnings_.clear();
  result.close();
  rows = -1;
  Params p{params};
  try {
    if (plan && *plan && (*plan)->version == version_) {
      run_plan(**plan, p, &result, rows);
      return;
    }
    if (plan) plan->reset();
    Tokens t = tokenize(sql, quoted_identifier_);
    sources_.push_back(&sql);
    struct Pop {
      std::vector<const std::string*>& v;
      ~Pop() { v.pop_back(); }
    } pop{sources_};
    auto stmts = parse_batch(t);
    if (stmts.size() == 1 && stmts[0].kind == Stmt::Kind::Simple) {
      const Token& first = t[stmts[0].begin];
      if (first.is_word("SELECT") || first.is_word("INSERT") || first.is_word("UPDATE") ||
          first.is_word("DELETE")) {
        run_dml(t, stmts[0].begin, stmts[0].end, p, &result, rows, plan);
        return;
      }
    }
    int64_t last = -1;
    run_block(t, stmts, p, &result, last);
    rows = last;
  } catch (const DbError& e) {
    std::string msg = e.what();
    if (msg.rfind(kUnsupported, 0) == 0) throw DbError(msg + " Statement: " + sql, e.kind());
    throw;
  }
}

void StandinSession::run_block(const Tokens& t, const std::vector<Stmt>& stmts, Params& p,
                               ResultSet* result, int64_t& rows) {
  for (size_t k = 0; k < stmts.size(); ++k) {
    if (frames_.back()->returned) return;
    run_stmt(t, stmts[k], p, result, rows, k + 1 == stmts.size());
  }
}

void StandinSession::run_stmt(const Tokens& t, const Stmt& s, Params& p, ResultSet* result,
                              int64_t& rows, bool last) {
  switch (s.kind) {
    case Stmt::Kind::Block: run_block(t, s.children, p, result, rows); break;
    case Stmt::Kind::If:
      if (condition(t, s.begin, s.end, p)) run_stmt(t, s.children[0], p, result, rows, last);
      else if (s.children.size() > 1) run_stmt(t, s.children[1], p, result, rows, last);
      break;
    case Stmt::Kind::Simple: run_simple(t, s.begin, s.end, p, result, rows, last); break;
  }
}

void StandinSession::run_simple(const Tokens& t, size_t b, size_t e, Params& p, ResultSet* result,
                                int64_t& rows, bool last) {
  const Token& w = t[b];
  if (w.is_word("SELECT") || w.is_word("INSERT") || w.is_word("UPDATE") || w.is_word("DELETE")) {
    int64_t n = -1;
    run_dml(t, b, e, p, (last && result && !result->stmt) ? result : nullptr, n, nullptr);
    rows = n;
    return;
  }
  changed_schema();
  if (w.is_word("CREATE")) return run_create(t, b, e, p);
  if (w.is_word("ALTER")) return run_alter(t, b, e, p);
  if (w.is_word("DROP")) return run_drop(t, b, e);
  if (w.is_word("SET")) return run_set(t, b, e, p);
  if (w.is_word("DECLARE")) return run_declare(t, b, e, p);
  if (w.is_word("EXEC") || w.is_word("EXECUTE")) return run_exec(t, b, e, p, rows);
  if (w.is_word("TRUNCATE")) {
    if (!t[b + 1].is_word("TABLE")) throw DbError(syntax_error_near(t[b + 1]));
    size_t i = b + 2;
    Translator tr(t, i, e, frames_.back()->ctx);
    std::string name = tr.object_name();
    if (!tr.at_end()) throw DbError(syntax_error_near(t[tr.pos()]));
    TableDef def = require_table(name);
    atomically([&] {
      exec_sql(db_, "DELETE FROM " + sql_name(def.name));  // TRUNCATE fires no triggers
      catalog_.reset_identity(def.name);
    });
    return;
  }
  if (w.is_word("RETURN")) {
    Frame& f = *frames_.back();
    if (b + 1 < e) f.return_value = evaluate(t, b + 1, e, p);
    f.returned = true;
    return;
  }
  if (w.is_word("PRINT")) {
    evaluate(t, b + 1, e, p);
    return;
  }
  if (w.is_word("BEGIN")) {  // BEGIN TRAN[SACTION]
    if (!explicit_tx_) begin();
    return;
  }
  if (w.is_word("COMMIT")) {
    if (explicit_tx_) commit();
    else throw DbError("The COMMIT TRANSACTION request has no corresponding BEGIN TRANSACTION.");
    return;
  }
  if (w.is_word("ROLLBACK")) {
    if (explicit_tx_) rollback();
    else throw DbError("The ROLLBACK TRANSACTION request has no corresponding BEGIN TRANSACTION.");
    return;
  }
  if (w.is_word("DISABLE") || w.is_word("ENABLE")) {
    // DISABLE TRIGGER { ALL | name [, ...] } ON table
    bool enable = w.is_word("ENABLE");
    size_t i = b + 1;
    if (!t[i].is_word("TRIGGER")) throw DbError(syntax_error_near(t[i]));
    ++i;
    std::vector<std::string> names;
    if (t[i].is_word("ALL")) {
      names.push_back("");
      ++i;
    } else {
      for (;;) {
        Translator tr(t, i, e, frames_.back()->ctx);
        names.push_back(tr.object_name());
        i = tr.pos();
        if (!t[i].is_op(",")) break;
        ++i;
      }
    }
    if (!t[i].is_word("ON")) throw DbError(syntax_error_near(t[i]));
    ++i;
    if (t[i].is_word("DATABASE") || t[i].is_word("ALL")) return;  // DDL triggers: there are none
    Translator tr(t, i, e, frames_.back()->ctx);
    std::string table = tr.object_name();
    for (auto& n : names) switch_triggers(table, n, enable);
    return;
  }
  if (w.is_word("WHILE") || w.is_word("GOTO") || w.is_word("DBCC") || w.is_word("USE") ||
      w.is_word("RAISERROR") || w.is_word("GRANT"))
    throw DbError(std::string(kUnsupported) + " " + upper(w.text) + ".");
  // A procedure called without EXEC as the first statement of a batch.
  if (w.is_name() && catalog_.object_kind(w.text) == "P") return run_exec(t, b - 0, e, p, rows);
  throw DbError(syntax_error_near(w));
}

Value StandinSession::evaluate(const Tokens& t, size_t b, size_t e, Params& p) {
  TranslateContext ctx = frames_.back()->ctx;
  ctx.params = 0;
  ctx.is_user_function = [this](const std::string& n) { return catalog_.object_kind(n) == "FN"; };
  Translator tr(t, b, e, ctx);
  std::string expr = tr.whole_expression();
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db_, ("SELECT " + expr).c_str(), -1, &stmt, nullptr) != SQLITE_OK)
    fail_sqlite(0, statement_text(*sources_.back(), t, b, e));
  struct Fin {
    sqlite3_stmt* s;
    ~Fin() { sqlite3_finalize(s); }
  } fin{stmt};
  for (int k = 1; k <= ctx.params; ++k) {
    if (p.next >= p.values.size()) throw DbError("The statement has more parameter markers than values.");
    bind_value(stmt, k, p.values[p.next++]);
  }
  int rc = sqlite3_step(stmt);
  if (rc != SQLITE_ROW) fail_sqlite(rc, statement_text(*sources_.back(), t, b, e));
  return column_value(stmt, 0);
}

bool StandinSession::condition(const Tokens& t, size_t b, size_t e, Params& p) {
  // The condition is an expression of its own; wrap it so it yields 1 or 0.
  Tokens wrapped;
  Token c;
  c.kind = Token::Kind::Word;
  c.text = "CASE";
  wrapped.push_back(c);
  c.text = "WHEN";
  wrapped.push_back(c);
  for (size_t k = b; k < e; ++k) wrapped.push_back(t[k]);
  for (const char* w : {"THEN", "1", "ELSE", "0", "END"}) {
    Token x;
    x.kind = (w[0] == '1' || w[0] == '0') ? Token::Kind::Number : Token::Kind::Word;
    x.text = w;
    wrapped.push_back(x);
  }
  Token end;
  end.kind = Token::Kind::End;
  wrapped.push_back(end);
  Value v = evaluate(wrapped, 0, wrapped.size() - 1, p);
  auto* i = std::get_if<int64_t>(&v);
  return i && *i == 1;
}

void StandinSession::run_declare(const Tokens& t, size_t b, size_t e, Params& p) {
  size_t i = b + 1;
  for (;;) {
    if (t[i].kind != Token::Kind::Variable) {
      if (t[i + 1].is_word("CURSOR") || t[i + 1].is_word("INSENSITIVE") || t[i + 1].is_word("SCROLL"))
        throw DbError(std::string(kUnsupported) + " cursors.");
      throw DbError(syntax_error_near(t[i]));
    }
    std::string name = lower(t[i].text);
    ++i;
    if (t[i].is_word("AS")) ++i;
    if (t[i].is_word("TABLE") || t[i].is_word("CURSOR"))
      throw DbError(std::string(kUnsupported) + " table and cursor variables.");
    Variable v;
    v.type = parse_type(t, i);
    frames_.back()->vars[name] = v;
    if (t[i].is_op("=")) {
      ++i;
      size_t start = i;
      int depth = 0;
      while (i < e && !(depth == 0 && t[i].is_op(","))) {
        if (t[i].is_op("(")) ++depth;
        if (t[i].is_op(")")) --depth;
        ++i;
      }
      set_variable(name, evaluate(t, start, i, p));
    }
    if (i < e && t[i].is_op(",")) {
      ++i;
      continue;
    }
    if (i < e) throw DbError(syntax_error_near(t[i]));
    return;
  }
}

void StandinSession::run_set(const Tokens& t, size_t b, size_t e, Params& p) {
  size_t i = b + 1;
  const Token& opt = t[i];
  if (opt.kind == Token::Kind::Variable) {
    std::string name = opt.text;
    ++i;
    if (!t[i].is_op("=")) throw DbError(syntax_error_near(t[i]));
    set_variable(name, evaluate(t, i + 1, e, p));
    return;
  }
  if (opt.kind != Token::Kind::Word) throw DbError(syntax_error_near(opt));
  std::string o = upper(opt.text);
  auto on_off = [&]() -> bool {
    const Token& v = t[i + 1];
    if (v.is_word("ON")) return true;
    if (v.is_word("OFF")) return false;
    throw DbError(syntax_error_near(v));
  };
  if (o == "IDENTITY_INSERT") {
    ++i;
    Translator tr(t, i, e, frames_.back()->ctx);
    std::string table = tr.object_name();
    i = tr.pos() - 1;
    bool on = on_off();
    TableDef def = require_table(table);
    if (!def.identity())
      throw DbError("Table '" + def.name + "' does not have the identity property. Cannot perform SET operation.");
    if (on) {
      for (auto& [other, is_on] : identity_insert_)
        if (is_on && other != lower(def.name))
          throw DbError("IDENTITY_INSERT is already ON for table '" + database_ + ".dbo." + other +
                        "'. Cannot perform SET operation for table '" + def.name + "'.");
    }
    identity_insert_[lower(def.name)] = on;
    return;
  }
  if (o == "QUOTED_IDENTIFIER") {
    quoted_identifier_ = on_off();
    return;
  }
  if (o == "DATEFORMAT") {
    const Token& v = t[i + 1];
    if (v.text == "ymd" || v.is_word("ymd")) return;
    throw DbError(std::string(kUnsupported) + " DATEFORMAT " + v.text + " (only ymd).");
  }
  // Options whose usual value is what the stand-in does; the other value is not emulated.
  static const std::map<std::string, bool> fixed = {
      {"ANSI_NULLS", true},       {"ANSI_WARNINGS", true},        {"ANSI_PADDING", true},
      {"CONCAT_NULL_YIELDS_NULL", true}, {"IMPLICIT_TRANSACTIONS", false},
      {"ANSI_NULL_DFLT_ON", true}, {"NUMERIC_ROUNDABORT", false}};
  auto f = fixed.find(o);
  if (f != fixed.end()) {
    if (on_off() != f->second)
      throw DbError(std::string(kUnsupported) + " SET " + o + (f->second ? " OFF." : " ON."));
    return;
  }
  // Options without an effect on what the stand-in does.
  static const char* free_options[] = {"NOCOUNT", "ARITHABORT", "XACT_ABORT", "CURSOR_CLOSE_ON_COMMIT",
                                       "ANSI_DEFAULTS", "LANGUAGE", "DATEFIRST", "LOCK_TIMEOUT",
                                       "TEXTSIZE", "TRANSACTION", "DEADLOCK_PRIORITY", "ARITHIGNORE",
                                       "FMTONLY", "STATISTICS", "SHOWPLAN_ALL", "CONTEXT_INFO"};
  for (auto* f2 : free_options)
    if (o == f2) return;
  if (o == "ROWCOUNT") {
    if (t[i + 1].text == "0") return;
    throw DbError(std::string(kUnsupported) + " SET ROWCOUNT.");
  }
  throw DbError("'" + opt.text + "' is not a recognized SET option.");
}

void StandinSession::run_exec(const Tokens& t, size_t b, size_t e, Params& p, int64_t& rows) {
  size_t i = b;
  if (t[i].is_word("EXEC") || t[i].is_word("EXECUTE")) ++i;
  std::string ret_var;
  if (t[i].kind == Token::Kind::Variable && t[i + 1].is_op("=")) {
    ret_var = t[i].text;
    i += 2;
  }
  if (t[i].is_op("(")) {
    // EXEC ('statement text'): dynamic SQL
    size_t close = matching_paren(t, i, e);
    Value v = evaluate(t, i + 1, close, p);
    std::string sql = value_text(v);
    Tokens inner = tokenize(sql, quoted_identifier_);
    sources_.push_back(&sql);
    struct Pop {
      std::vector<const std::string*>& v;
      ~Pop() { v.pop_back(); }
    } pop{sources_};
    auto stmts = parse_batch(inner);
    std::vector<Value> none;
    Params ip{none};
    run_block(inner, stmts, ip, nullptr, rows);
    return;
  }
  Translator tr(t, i, e, frames_.back()->ctx);
  std::string name = tr.object_name();
  i = tr.pos();
  // Arguments: value or @name = value, separated by commas.
  std::vector<std::pair<std::string, Value>> args;
  while (i < e && !t[i].is_op(";")) {
    std::string pname;
    if (t[i].kind == Token::Kind::Variable && t[i + 1].is_op("=")) {
      pname = lower(t[i].text);
      i += 2;
    }
    size_t start = i;
    int depth = 0;
    while (i < e && !(depth == 0 && t[i].is_op(","))) {
      if (t[i].is_op("(")) ++depth;
      if (t[i].is_op(")")) --depth;
      ++i;
    }
    size_t stop = i;
    if (stop > start && (t[stop - 1].is_word("OUTPUT") || t[stop - 1].is_word("OUT"))) --stop;
    Value v;
    if (stop == start + 1 && t[start].is_word("DEFAULT")) v = std::monostate{};
    else if (stop == start + 1 && t[start].kind == Token::Kind::Word) v = t[start].text;  // bare word
    else v = evaluate(t, start, stop, p);
    args.emplace_back(pname, v);
    if (i < e && t[i].is_op(",")) ++i;
  }
  std::string lname = lower(name);
  if (lname == "sp_rename" || lname == "sp_msforeachtable" || lname == "sp_executesql") {
    std::vector<Value> values;
    for (auto& a : args) values.push_back(a.second);
    system_procedure(lname, values);
    return;
  }
  auto proc = catalog_.routine(name);
  if (!proc || proc->kind != "P") throw DbError("Could not find stored procedure '" + name + "'.");
  // Positional arguments take the parameters in order.
  std::map<std::string, Value> named;
  std::vector<std::string> order;
  for (auto& line : [&] {
         std::vector<std::string> ls;
         std::string cur;
         for (char c : proc->params) {
           if (c == '\n') { ls.push_back(cur); cur.clear(); } else cur += c;
         }
         return ls;
       }()) {
    order.push_back(lower(line.substr(0, line.find(' '))));
  }
  size_t pos = 0;
  for (auto& [pname, v] : args) {
    if (pname.empty()) {
      if (pos >= order.size())
        throw DbError("Procedure or function " + proc->name + " has too many arguments specified.");
      named[order[pos++]] = v;
    } else {
      named[pname] = v;
    }
  }
  run_procedure(*proc, named, rows);
  (void)ret_var;
}

void StandinSession::run_procedure(const RoutineDef& proc, std::map<std::string, Value> args, int64_t& rows) {
  Frame frame;
  std::string cur;
  std::vector<std::string> lines;
  for (char c : proc.params) {
    if (c == '\n') { lines.push_back(cur); cur.clear(); } else cur += c;
  }
  for (const auto& line : lines) {
    // "@name type[=default]"
    auto sp = line.find(' ');
    std::string pname = lower(line.substr(0, sp));
    std::string rest = line.substr(sp + 1);
    auto eq = rest.find('=');
    std::string type_text = eq == std::string::npos ? rest : rest.substr(0, eq);
    Variable v;
    v.type = type_from_text(type_text);
    auto a = args.find(pname);
    if (a != args.end()) {
      Stored st = store_value(a->second, v.type);
      if (!st.error.empty()) throw DbError(st.error, DbError::Kind::ValueProblem);
      v.value = st.value;
      args.erase(a);
    } else if (eq != std::string::npos) {
      std::string d = rest.substr(eq + 1);
      Tokens dt = tokenize(d);
      std::vector<Value> none;
      Params dp{none};
      sources_.push_back(&d);
      v.value = iequals(d, "NULL") ? Value{} : evaluate(dt, 0, dt.size() - 1, dp);
      sources_.pop_back();
    } else {
      throw DbError("Procedure or function '" + proc.name + "' expects parameter '" +
                    line.substr(0, sp) + "', which was not supplied.");
    }
    frame.vars[pname] = v;
  }
  if (!args.empty())
    throw DbError("@" + args.begin()->first.substr(1) + " is not a parameter for procedure " + proc.name + ".");
  run_body(proc.body, std::move(frame), rows);
}

void StandinSession::run_body(const std::string& body, Frame frame, int64_t& rows) {
  if (depth_ >= 32)
    throw DbError("Maximum stored procedure, function, trigger, or view nesting level exceeded (limit 32).");
  auto it = body_cache_.find(body);
  if (it == body_cache_.end()) {
    auto tokens = std::make_unique<Tokens>(tokenize(body));
    auto stmts = parse_batch(*tokens);
    it = body_cache_.emplace(body, std::make_pair(std::move(tokens), std::move(stmts))).first;
  }
  frame.ctx.is_user_function = nullptr;
  frames_.push_back(&frame);
  sources_.push_back(&it->first);
  ++depth_;
  struct Pop {
    StandinSession* s;
    ~Pop() {
      s->frames_.pop_back();
      s->sources_.pop_back();
      --s->depth_;
    }
  } pop{this};
  std::vector<Value> none;
  Params p{none};
  run_block(*it->second.first, it->second.second, p, nullptr, rows);
}

Value StandinSession::call_user_function(const std::string& name, const std::vector<Value>& args) {
  auto fn = catalog_.routine(name);
  if (!fn || fn->kind != "FN") throw DbError("Cannot find the user-defined function '" + name + "'.");
  std::map<std::string, Value> named;
  std::vector<std::string> order;
  std::string cur;
  for (char c : fn->params) {
    if (c == '\n') { order.push_back(lower(cur.substr(0, cur.find(' ')))); cur.clear(); } else cur += c;
  }
  if (args.size() != order.size())
    throw DbError("An insufficient number of arguments were supplied for the procedure or function dbo." + fn->name + ".");
  RoutineDef as_proc = *fn;
  for (size_t k = 0; k < order.size(); ++k) named[order[k]] = args[k];
  // Run like a procedure, keeping the frame to read RETURN's value.
  Frame frame;
  std::vector<std::string> lines;
  cur.clear();
  for (char c : fn->params) {
    if (c == '\n') { lines.push_back(cur); cur.clear(); } else cur += c;
  }
  for (size_t k = 0; k < lines.size(); ++k) {
    auto sp = lines[k].find(' ');
    Variable v;
    v.type = type_from_text(lines[k].substr(sp + 1));
    Stored st = store_value(args[k], v.type);
    if (!st.error.empty()) throw DbError(st.error, DbError::Kind::ValueProblem);
    v.value = st.value;
    frame.vars[lower(lines[k].substr(0, sp))] = v;
  }
  auto it = body_cache_.find(fn->body);
  if (it == body_cache_.end()) {
    auto tokens = std::make_unique<Tokens>(tokenize(fn->body));
    auto stmts = parse_batch(*tokens);
    it = body_cache_.emplace(fn->body, std::make_pair(std::move(tokens), std::move(stmts))).first;
  }
  if (depth_ >= 32)
    throw DbError("Maximum stored procedure, function, trigger, or view nesting level exceeded (limit 32).");
  frames_.push_back(&frame);
  sources_.push_back(&it->first);
  ++depth_;
  struct Pop {
    StandinSession* s;
    ~Pop() {
      s->frames_.pop_back();
      s->sources_.pop_back();
      --s->depth_;
    }
  } pop{this};
  std::vector<Value> none;
  Params p{none};
  int64_t rows = 0;
  run_block(*it->second.first, it->second.second, p, nullptr, rows);
  Stored st = store_value(frame.return_value, type_from_text(fn->returns));
  if (!st.error.empty()) throw DbError(st.error, DbError::Kind::ValueProblem);
  return st.value;
}

void StandinSession::system_procedure(const std::string& name, const std::vector<Value>& args) {
  auto arg = [&](size_t k) { return k < args.size() && !is_null(args[k]) ? value_text(args[k]) : std::string(); };
  if (name == "sp_msforeachtable") {
    std::string command = arg(0);
    for (const auto& table : catalog_.tables()) {
      std::string sql;
      for (char c : command) {
        if (c == '?') sql += "[dbo].[" + table + "]";
        else sql += c;
      }
      Tokens inner = tokenize(sql, quoted_identifier_);
      sources_.push_back(&sql);
      struct Pop {
        std::vector<const std::string*>& v;
        ~Pop() { v.pop_back(); }
      } pop{sources_};
      auto stmts = parse_batch(inner);
      std::vector<Value> none;
      Params ip{none};
      int64_t rows = 0;
      run_block(inner, stmts, ip, nullptr, rows);
    }
    return;
  }
  if (name == "sp_rename") {
    std::string old_name = arg(0), new_name = arg(1), kind = upper(arg(2));
    auto strip = [](std::string s) {
      if (s.size() > 2 && s.front() == '[' && s.back() == ']') s = s.substr(1, s.size() - 2);
      return s;
    };
    if (kind == "COLUMN") {
      auto dot = old_name.rfind('.');
      if (dot == std::string::npos) throw DbError("Either the parameter @objname is ambiguous or the claimed @objtype (COLUMN) is wrong.");
      std::string table = strip(old_name.substr(0, dot));
      auto tdot = table.rfind('.');
      if (tdot != std::string::npos) table = strip(table.substr(tdot + 1));
      std::string col = strip(old_name.substr(dot + 1));
      TableDef def = require_table(table);
      bool found = false;
      for (auto& c : def.columns)
        if (iequals(c.name, col)) {
          if (def.column(new_name)) throw DbError("Column name '" + new_name + "' already exists in the target table.");
          c.name = new_name;
          found = true;
        }
      if (!found) throw DbError("Either the parameter @objname is ambiguous or the claimed @objtype (COLUMN) is wrong.");
      for (auto& k : def.keys)
        for (auto& kc : k.columns)
          if (iequals(kc, col)) kc = new_name;
      atomically([&] { rebuild_table(def, {{lower(new_name), sql_name(col)}}); });
    } else {
      std::string n = strip(old_name);
      auto dot = n.rfind('.');
      if (dot != std::string::npos) n = strip(n.substr(dot + 1));
      auto def = catalog_.table(n);
      if (!def) throw DbError("Either the parameter @objname is ambiguous or the claimed @objtype () is wrong.");
      if (!catalog_.object_kind(new_name).empty())
        throw DbError("There is already an object named '" + new_name + "' in the database.");
      atomically([&] {
        exec_sql(db_, "ALTER TABLE " + sql_name(def->name) + " RENAME TO " + sql_name(new_name));
        for (const char* sql : {"UPDATE bm_tables SET name = ?1 WHERE name = ?2",
                                "UPDATE bm_columns SET tbl = ?1 WHERE tbl = ?2",
                                "UPDATE bm_keys SET tbl = ?1 WHERE tbl = ?2",
                                "UPDATE bm_checks SET tbl = ?1 WHERE tbl = ?2",
                                "UPDATE bm_identity SET tbl = ?1 WHERE tbl = ?2",
                                "UPDATE bm_routines SET tbl = ?1 WHERE tbl = ?2"}) {
          sqlite3_stmt* s = nullptr;
          sqlite3_prepare_v2(db_, sql, -1, &s, nullptr);
          sqlite3_bind_text(s, 1, new_name.c_str(), -1, SQLITE_TRANSIENT);
          sqlite3_bind_text(s, 2, def->name.c_str(), -1, SQLITE_TRANSIENT);
          sqlite3_step(s);
          sqlite3_finalize(s);
        }
        auto renamed = catalog_.table(new_name);
        catalog_.rebuild_helpers(*renamed);
      });
    }
    warning("Caution: Changing any part of an object name could break scripts and stored procedures.");
    return;
  }
  throw DbError(std::string(kUnsupported) + " " + name + ".");
}

}  // namespace bm::data::standin
