#include "data/drivers/standin/tsql_translate.h"

#include "data/drivers/standin/tsql_batch.h"
#include "data/drivers/standin/tsql_types.h"
#include "data/error.h"

namespace bm::data::standin {

namespace {

// T-SQL built-in functions and what the translation calls instead.
const std::map<std::string, std::string>& builtin_functions() {
  static const std::map<std::string, std::string> map = {
      {"len", "bm_len"},           {"left", "bm_left"},         {"right", "bm_right"},
      {"substring", "bm_substring"}, {"floor", "bm_floor"},     {"ceiling", "bm_ceiling"},
      {"round", "bm_round"},       {"getdate", "bm_getdate"},   {"charindex", "bm_charindex"},
      {"datalength", "bm_datalength"}, {"year", "bm_year"},     {"month", "bm_month"},
      {"day", "bm_day"},           {"isnumeric", "bm_isnumeric"}, {"object_id", "bm_object_id"},
      {"isnull", "ifnull"},        {"coalesce", "coalesce"},    {"nullif", "nullif"},
      {"ltrim", "ltrim"},          {"rtrim", "rtrim"},          {"upper", "upper"},
      {"lower", "lower"},          {"replace", "replace"},      {"abs", "abs"},
      {"count", "count"},          {"sum", "sum"},              {"min", "min"},
      {"max", "max"},              {"avg", "avg"},              {"sign", "sign"},
      {"power", "pow"},            {"sqrt", "sqrt"},            {"count_big", "count"},
  };
  return map;
}

// Words that end an expression or a table reference (never an alias).
bool is_clause_word(const Token& t) {
  static const char* words[] = {"FROM",  "WHERE", "GROUP", "HAVING", "ORDER", "UNION", "EXCEPT",
                                "INTERSECT", "INTO", "ON", "JOIN", "INNER", "LEFT", "RIGHT",
                                "FULL", "CROSS", "OUTER", "AS", "AND", "OR", "THEN", "WHEN",
                                "ELSE", "END", "SET", "VALUES", "SELECT", "WITH", "OPTION",
                                "FOR", "ASC", "DESC", "IS", "NOT", "IN", "LIKE", "BETWEEN"};
  if (t.kind != Token::Kind::Word) return false;
  for (auto* w : words)
    if (t.is_word(w)) return true;
  return false;
}

}  // namespace

const Token& Translator::end_token() {
  static const Token end;  // kind End
  return end;
}

Translator::Translator(const Tokens& t, size_t begin, size_t end, TranslateContext& ctx)
    : t_(t), i_(begin), end_(end), ctx_(ctx) {}

void Translator::syntax() const { throw DbError(syntax_error_near(cur())); }

void Translator::expect_op(const char* op) {
  if (!cur().is_op(op)) syntax();
  ++i_;
}

void Translator::expect_word(const char* w) {
  if (!cur().is_word(w)) syntax();
  ++i_;
}

std::string Translator::whole_expression() {
  std::string e = expression();
  if (!at_end()) syntax();
  return e;
}

std::string Translator::expression() { return or_expr(); }

std::string Translator::or_expr() {
  std::string l = and_expr();
  while (cur().is_word("OR")) {
    ++i_;
    l = l + " OR " + and_expr();
  }
  return l;
}

std::string Translator::and_expr() {
  std::string l = not_expr();
  while (cur().is_word("AND")) {
    ++i_;
    l = l + " AND " + not_expr();
  }
  return l;
}

std::string Translator::not_expr() {
  if (cur().is_word("NOT")) {
    ++i_;
    return "NOT " + not_expr();
  }
  return predicate();
}

std::string Translator::predicate() {
  if (cur().is_word("EXISTS")) {
    ++i_;
    expect_op("(");
    std::string s = select(nullptr, nullptr);
    expect_op(")");
    return "EXISTS (" + s + ")";
  }
  std::string l = additive();
  const Token& op = cur();
  if (op.kind == Token::Kind::Op) {
    static const std::map<std::string, std::string> cmp = {
        {"=", "="}, {"<>", "<>"}, {"!=", "<>"}, {"<", "<"}, {">", ">"},
        {"<=", "<="}, {">=", ">="}, {"!<", ">="}, {"!>", "<="}};
    auto it = cmp.find(op.text);
    if (it != cmp.end()) {
      ++i_;
      if (cur().is_word("ANY") || cur().is_word("SOME") || cur().is_word("ALL"))
        throw DbError("The SQL Server stand-in cannot emulate comparisons with ANY/ALL subqueries.");
      return l + " " + it->second + " " + additive();
    }
  }
  bool negated = false;
  if (cur().is_word("IS")) {
    ++i_;
    if (cur().is_word("NOT")) { ++i_; negated = true; }
    expect_word("NULL");
    return l + (negated ? " IS NOT NULL" : " IS NULL");
  }
  if (cur().is_word("NOT") && (peek().is_word("LIKE") || peek().is_word("IN") || peek().is_word("BETWEEN"))) {
    negated = true;
    ++i_;
  }
  std::string n = negated ? " NOT" : "";
  if (cur().is_word("LIKE")) {
    ++i_;
    std::string r = l + n + " LIKE " + additive();
    if (cur().is_word("ESCAPE")) {
      ++i_;
      r += " ESCAPE " + additive();
    }
    return r;
  }
  if (cur().is_word("IN")) {
    ++i_;
    expect_op("(");
    std::string inner;
    if (cur().is_word("SELECT")) inner = select(nullptr, nullptr);
    else {
      inner = expression();
      while (cur().is_op(",")) {
        ++i_;
        inner += ", " + expression();
      }
    }
    expect_op(")");
    return l + n + " IN (" + inner + ")";
  }
  if (cur().is_word("BETWEEN")) {
    ++i_;
    std::string lo = additive();
    expect_word("AND");
    return l + n + " BETWEEN " + lo + " AND " + additive();
  }
  if (negated) syntax();
  return l;
}

std::string Translator::additive() {
  std::string l = multiplicative();
  for (;;) {
    if (cur().is_op("+")) {
      ++i_;
      l = "bm_add(" + l + ", " + multiplicative() + ")";
    } else if (cur().is_op("-")) {
      ++i_;
      l = "(" + l + " - " + multiplicative() + ")";
    } else if (cur().is_op("&") || cur().is_op("|") || cur().is_op("^")) {
      std::string op = cur().text;
      ++i_;
      l = "(" + l + " " + op + " " + multiplicative() + ")";
    } else {
      return l;
    }
  }
}

std::string Translator::multiplicative() {
  std::string l = unary();
  for (;;) {
    if (cur().is_op("*")) {
      ++i_;
      l = "(" + l + " * " + unary() + ")";
    } else if (cur().is_op("/")) {
      ++i_;
      l = "bm_div(" + l + ", " + unary() + ")";
    } else if (cur().is_op("%")) {
      ++i_;
      l = "(" + l + " % " + unary() + ")";
    } else {
      return l;
    }
  }
}

std::string Translator::unary() {
  if (cur().is_op("-")) {
    ++i_;
    return "(- " + unary() + ")";
  }
  if (cur().is_op("+")) {
    ++i_;
    return unary();
  }
  if (cur().is_op("~")) {
    ++i_;
    return "(~ " + unary() + ")";
  }
  return primary();
}

std::string Translator::type_words() {
  size_t b = i_;
  SqlType type = parse_type(t_, i_);
  (void)b;
  return sql_quote(type.text());
}

std::string Translator::primary() {
  const Token& t = cur();
  switch (t.kind) {
    case Token::Kind::Number: ++i_; return t.text;
    case Token::Kind::String: ++i_; return sql_quote(t.text);
    case Token::Kind::Param: ++i_; ++ctx_.params; return "?";
    case Token::Kind::Variable: {
      ++i_;
      std::string name = lower(t.text);
      return "bm_getvar(" + sql_quote(name) + ")";
    }
    case Token::Kind::Op:
      if (t.is_op("(")) {
        ++i_;
        std::string inner;
        if (cur().is_word("SELECT")) {
          scalar_ = true;
          inner = select(nullptr, nullptr);
        } else {
          inner = expression();
        }
        expect_op(")");
        return "(" + inner + ")";
      }
      syntax();
    case Token::Kind::Word:
      if (t.is_word("NULL")) { ++i_; return "NULL"; }
      if (t.is_word("CASE")) {
        ++i_;
        std::string out = "CASE";
        if (!cur().is_word("WHEN")) out += " " + expression();
        while (cur().is_word("WHEN")) {
          ++i_;
          out += " WHEN " + expression();
          expect_word("THEN");
          out += " THEN " + expression();
        }
        if (cur().is_word("ELSE")) {
          ++i_;
          out += " ELSE " + expression();
        }
        expect_word("END");
        return out + " END";
      }
      if (t.is_word("CAST") && peek().is_op("(")) {
        i_ += 2;
        std::string e = expression();
        expect_word("AS");
        std::string type = type_words();
        expect_op(")");
        return "bm_cast(" + e + ", " + type + ")";
      }
      if (t.is_word("CONVERT") && peek().is_op("(")) {
        i_ += 2;
        std::string type = type_words();
        expect_op(",");
        std::string e = expression();
        std::string style;
        if (cur().is_op(",")) {
          ++i_;
          style = ", " + expression();
        }
        expect_op(")");
        return "bm_cast(" + e + ", " + type + style + ")";
      }
      if (t.is_word("CURRENT_TIMESTAMP")) { ++i_; return "bm_getdate()"; }
      if ((t.is_word("LEFT") || t.is_word("RIGHT")) && peek().is_op("(")) return name_ref();
      if (is_clause_word(t) || t.is_word("SELECT")) syntax();
      return name_ref();
    case Token::Kind::Name: return name_ref();
    default: syntax();
  }
}

std::string Translator::name_ref() {
  std::vector<std::string> parts;
  parts.push_back(cur().text);
  ++i_;
  bool star = false;
  while (cur().is_op(".")) {
    ++i_;
    if (cur().is_op("*")) {
      ++i_;
      star = true;
      break;
    }
    if (!cur().is_name()) syntax();
    parts.push_back(cur().text);
    ++i_;
  }
  if (!star && cur().is_op("(")) return function_call(parts);
  // dbo.table.column: the schema part goes
  while (parts.size() > 2 || (star && parts.size() > 1)) {
    if (iequals(parts[0], "dbo") || parts.size() > 2) parts.erase(parts.begin());
    else break;
  }
  std::string out;
  for (size_t k = 0; k < parts.size(); ++k) {
    if (k) out += ".";
    out += sql_name(parts[k]);
  }
  return star ? out + ".*" : out;
}

std::string Translator::function_call(const std::vector<std::string>& parts) {
  std::string name = lower(parts.back());
  bool qualified = parts.size() > 1;
  expect_op("(");
  if (name == "update" && ctx_.in_trigger && !qualified) {
    if (!cur().is_name()) syntax();
    std::string col = lower(cur().text);
    ++i_;
    expect_op(")");
    return ctx_.updated_columns.count(col) ? "1" : "0";
  }
  std::string target;
  auto it = builtin_functions().find(name);
  if (!qualified && it != builtin_functions().end()) {
    target = it->second;
  } else if (ctx_.is_user_function && ctx_.is_user_function(name)) {
    if (!qualified)  // SQL Server calls scalar user functions only with their schema
      throw DbError("'" + parts.back() + "' is not a recognized built-in function name.");
    target = sql_name(name);
  } else if (qualified) {
    throw DbError("Cannot find either column \"" + parts.front() +
                  "\" or the user-defined function or aggregate \"" + parts.front() + "." +
                  parts.back() + "\", or the name is ambiguous.");
  } else {
    throw DbError("'" + parts.back() + "' is not a recognized built-in function name.");
  }
  std::string args;
  if (cur().is_op("*") && (name == "count" || name == "count_big")) {
    ++i_;
    args = "*";
  } else if (!cur().is_op(")")) {
    if (cur().is_word("DISTINCT")) {
      ++i_;
      args = "DISTINCT ";
    } else if (cur().is_word("ALL")) {
      ++i_;
    }
    args += expression();
    while (cur().is_op(",")) {
      ++i_;
      args += ", " + expression();
    }
  }
  expect_op(")");
  return target + "(" + args + ")";
}

std::string Translator::object_name() {
  if (!cur().is_name()) syntax();
  std::vector<std::string> parts{cur().text};
  ++i_;
  while (cur().is_op(".")) {
    ++i_;
    if (cur().is_op(".")) continue;  // db..table
    if (!cur().is_name()) syntax();
    parts.push_back(cur().text);
    ++i_;
  }
  return parts.back();
}

bool Translator::at_clause_end() const {
  return at_end() || cur().is_op(")") || cur().is_op(";") || is_clause_word(cur());
}

std::string Translator::select(std::string* into, bool* has_top) {
  std::string limit;
  std::string out = select_core(into, has_top, &limit);
  while (cur().is_word("UNION") || cur().is_word("EXCEPT") || cur().is_word("INTERSECT")) {
    out += " " + upper(cur().text);
    ++i_;
    if (cur().is_word("ALL")) {
      out += " ALL";
      ++i_;
    }
    std::string ignored;
    out += " " + select_core(nullptr, nullptr, &ignored);
  }
  if (cur().is_word("ORDER")) {
    ++i_;
    expect_word("BY");
    out += " ORDER BY ";
    for (bool first = true;; first = false) {
      if (!first) out += ", ";
      out += expression();
      if (cur().is_word("ASC") || cur().is_word("DESC")) {
        out += " " + upper(cur().text);
        ++i_;
      }
      if (!cur().is_op(",")) break;
      ++i_;
    }
  }
  if (!limit.empty()) out += " LIMIT " + limit;
  return out;
}

std::string Translator::select_core(std::string* into, bool* has_top, std::string* limit) {
  expect_word("SELECT");
  std::string out = "SELECT ";
  if (cur().is_word("DISTINCT")) {
    ++i_;
    out += "DISTINCT ";
  } else if (cur().is_word("ALL")) {
    ++i_;
  }
  if (cur().is_word("TOP")) {
    ++i_;
    bool paren = cur().is_op("(");
    std::string n;
    if (paren) {
      ++i_;
      n = expression();
      expect_op(")");
    } else {
      if (cur().kind != Token::Kind::Number && cur().kind != Token::Kind::Variable &&
          cur().kind != Token::Kind::Param)
        syntax();
      n = primary();
    }
    if (cur().is_word("PERCENT") || cur().is_word("WITH"))
      throw DbError("The SQL Server stand-in cannot emulate TOP ... PERCENT or WITH TIES.");
    *limit = n;
    if (has_top) *has_top = true;
  }
  bool scalar = scalar_ && out == "SELECT " && limit->empty();
  scalar_ = false;
  std::string expr, alias;
  std::string first = select_item(&expr, &alias);
  if (scalar && !cur().is_op(",") && !expr.empty()) {
    // A subquery used as a value must give at most one row, as SQL Server checks.
    out += "CASE WHEN count(*) OVER () > 1 THEN bm_raise(" +
           sql_quote("Subquery returned more than 1 value. This is not permitted when the subquery follows "
                     "=, !=, <, <= , >, >= or when the subquery is used as an expression.") +
           ") ELSE " + expr + " END" + (alias.empty() ? "" : " AS " + sql_name(alias));
  } else {
    out += first;
  }
  while (cur().is_op(",")) {
    ++i_;
    out += ", " + select_item();
  }
  if (cur().is_word("INTO")) {
    if (!into) syntax();
    ++i_;
    *into = object_name();
  }
  if (cur().is_word("FROM")) {
    ++i_;
    out += " FROM " + from_clause();
  }
  if (cur().is_word("WHERE")) {
    ++i_;
    out += " WHERE " + expression();
  }
  if (cur().is_word("GROUP")) {
    ++i_;
    expect_word("BY");
    out += " GROUP BY " + expression();
    while (cur().is_op(",")) {
      ++i_;
      out += ", " + expression();
    }
  }
  if (cur().is_word("HAVING")) {
    ++i_;
    out += " HAVING " + expression();
  }
  return out;
}

std::string Translator::select_item(std::string* expr_out, std::string* alias_out) {
  if (cur().is_op("*")) {
    ++i_;
    return "*";
  }
  // @variable = expression: an assigning SELECT
  if (cur().kind == Token::Kind::Variable && peek().is_op("=")) {
    std::string var = lower(cur().text);
    i_ += 2;
    ctx_.assigns = true;
    return "bm_setvar(" + sql_quote(var) + ", " + expression() + ")";
  }
  // alias = expression
  std::string alias, e;
  if (cur().is_name() && peek().is_op("=") && !is_clause_word(cur())) {
    alias = cur().text;
    i_ += 2;
    e = expression();
  } else {
    e = expression();
    if (cur().is_word("AS")) {
      ++i_;
      if (!cur().is_name() && cur().kind != Token::Kind::String) syntax();
      alias = cur().text;
      ++i_;
    } else if ((cur().is_name() && !is_clause_word(cur())) || cur().kind == Token::Kind::String) {
      alias = cur().text;
      ++i_;
    }
  }
  if (expr_out) *expr_out = e;
  if (alias_out) *alias_out = alias;
  return alias.empty() ? e : e + " AS " + sql_name(alias);
}

std::string Translator::table_ref() {
  std::string out;
  if (cur().is_op("(")) {
    ++i_;
    if (cur().is_word("SELECT")) {
      out = "(" + select(nullptr, nullptr) + ")";
    } else {
      out = "(" + from_clause() + ")";
    }
    expect_op(")");
  } else {
    std::string name = object_name();
    auto pseudo = ctx_.pseudo_tables.find(lower(name));
    if (pseudo != ctx_.pseudo_tables.end()) {
      out = pseudo->second;
      bool aliased = cur().is_word("AS") || (cur().is_name() && !is_clause_word(cur()));
      if (!aliased) out += " AS " + sql_name(lower(name));
    } else {
      out = sql_name(name);
    }
    if (cur().is_word("WITH") && peek().is_op("(")) {  // table hints: NOLOCK, ...
      ++i_;
      i_ = matching_paren(t_, i_, end_) + 1;
    }
  }
  if (cur().is_word("AS")) {
    ++i_;
    if (!cur().is_name()) syntax();
    out += " AS " + sql_name(cur().text);
    ++i_;
  } else if (cur().is_name() && !is_clause_word(cur())) {
    out += " AS " + sql_name(cur().text);
    ++i_;
  }
  if (cur().is_word("WITH") && peek().is_op("(")) {
    ++i_;
    i_ = matching_paren(t_, i_, end_) + 1;
  }
  return out;
}

std::string Translator::from_clause() {
  std::string out = table_ref();
  for (;;) {
    if (cur().is_op(",")) {
      ++i_;
      out += ", " + table_ref();
      continue;
    }
    std::string join;
    if (cur().is_word("JOIN")) {
      join = "INNER JOIN";
      ++i_;
    } else if (cur().is_word("INNER") && peek().is_word("JOIN")) {
      join = "INNER JOIN";
      i_ += 2;
    } else if ((cur().is_word("LEFT") || cur().is_word("RIGHT") || cur().is_word("FULL")) &&
               (peek().is_word("JOIN") || (peek().is_word("OUTER") && peek(2).is_word("JOIN")))) {
      join = upper(cur().text) + " OUTER JOIN";
      i_ += peek().is_word("OUTER") ? 3 : 2;
    } else if (cur().is_word("CROSS") && peek().is_word("JOIN")) {
      join = "CROSS JOIN";
      i_ += 2;
    } else {
      return out;
    }
    out += " " + join + " " + table_ref();
    if (cur().is_word("ON")) {
      ++i_;
      out += " ON " + expression();
    }
  }
}

Translated Translator::statement() {
  Translated r;
  if (cur().is_word("SELECT")) {
    r.kind = Translated::Kind::Select;
    r.sql = select(&r.into, &r.has_top);
  } else if (cur().is_word("INSERT")) {
    r = insert();
  } else if (cur().is_word("UPDATE")) {
    r = update();
  } else if (cur().is_word("DELETE")) {
    r = remove();
  } else {
    syntax();
  }
  while (!at_end() && cur().is_op(";")) ++i_;
  if (!at_end()) syntax();
  return r;
}

Translated Translator::insert() {
  Translated r;
  r.kind = Translated::Kind::Insert;
  expect_word("INSERT");
  if (cur().is_word("INTO")) ++i_;
  r.table = object_name();
  if (ctx_.pseudo_tables.count(lower(r.table)))
    throw DbError("The logical tables INSERTED and DELETED cannot be updated.");
  if (cur().is_op("(")) {
    ++i_;
    for (;;) {
      if (!cur().is_name()) syntax();
      r.columns.push_back(cur().text);
      ++i_;
      if (cur().is_op(",")) { ++i_; continue; }
      expect_op(")");
      break;
    }
  }
  if (cur().is_word("VALUES")) {
    ++i_;
    r.body = "VALUES ";
    for (bool first = true;; first = false) {
      if (!first) r.body += ", ";
      expect_op("(");
      std::string row = expression();
      while (cur().is_op(",")) {
        ++i_;
        row += ", " + expression();
      }
      expect_op(")");
      r.body += "(" + row + ")";
      if (!cur().is_op(",")) break;
      ++i_;
    }
  } else if (cur().is_word("SELECT")) {
    r.body = select(nullptr, nullptr);
  } else if (cur().is_word("DEFAULT") && peek().is_word("VALUES")) {
    i_ += 2;
    r.body = "DEFAULT VALUES";
  } else if (cur().is_word("EXEC") || cur().is_word("EXECUTE")) {
    throw DbError("The SQL Server stand-in cannot emulate INSERT ... EXEC.");
  } else {
    syntax();
  }
  return r;
}

Translated Translator::update() {
  Translated r;
  r.kind = Translated::Kind::Update;
  expect_word("UPDATE");
  if (cur().is_word("TOP")) throw DbError("The SQL Server stand-in cannot emulate UPDATE TOP.");
  r.table = object_name();
  if (ctx_.pseudo_tables.count(lower(r.table)))
    throw DbError("The logical tables INSERTED and DELETED cannot be updated.");
  if (cur().is_word("WITH") && peek().is_op("(")) {
    ++i_;
    i_ = matching_paren(t_, i_, end_) + 1;
  }
  expect_word("SET");
  std::string sets;
  for (bool first = true;; first = false) {
    if (!first) sets += ", ";
    if (!cur().is_name()) syntax();
    std::string col = cur().text;
    ++i_;
    while (cur().is_op(".")) {  // table.column: the column counts
      ++i_;
      if (!cur().is_name()) syntax();
      col = cur().text;
      ++i_;
    }
    if (cur().is_op("+=") || cur().is_op("-=")) {
      std::string op = cur().text;
      ++i_;
      std::string e = expression();
      sets += sql_name(col) + " = " + (op == "+=" ? "bm_add(" + sql_name(col) + ", " + e + ")"
                                                  : "(" + sql_name(col) + " - " + e + ")");
    } else {
      expect_op("=");
      sets += sql_name(col) + " = " + expression();
    }
    r.columns.push_back(col);
    if (!cur().is_op(",")) break;
    ++i_;
  }
  if (cur().is_word("FROM"))
    throw DbError("The SQL Server stand-in cannot emulate UPDATE ... FROM: " + std::string("use a subquery"));
  r.sql = "UPDATE " + sql_name(r.table) + " SET " + sets;
  if (cur().is_word("WHERE")) {
    ++i_;
    if (cur().is_word("CURRENT")) throw DbError("The SQL Server stand-in cannot emulate cursors.");
    r.sql += " WHERE " + expression();
  }
  return r;
}

Translated Translator::remove() {
  Translated r;
  r.kind = Translated::Kind::Delete;
  expect_word("DELETE");
  if (cur().is_word("TOP")) throw DbError("The SQL Server stand-in cannot emulate DELETE TOP.");
  if (cur().is_word("FROM")) ++i_;
  r.table = object_name();
  if (ctx_.pseudo_tables.count(lower(r.table)))
    throw DbError("The logical tables INSERTED and DELETED cannot be updated.");
  if (cur().is_word("FROM"))
    throw DbError("The SQL Server stand-in cannot emulate DELETE ... FROM: use a subquery");
  r.sql = "DELETE FROM " + sql_name(r.table);
  if (cur().is_word("WHERE")) {
    ++i_;
    r.sql += " WHERE " + expression();
  }
  return r;
}

}  // namespace bm::data::standin
