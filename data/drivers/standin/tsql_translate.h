// Translation of T-SQL queries, expressions and data-changing statements into SQLite SQL.
// A small recursive-descent parser over the tokens: it rewrites what SQLite reads differently
// ('+' on texts, '/' on integers, "literals", [names], dbo. prefixes, TOP, T-SQL functions).
#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "data/drivers/standin/tsql_lexer.h"

namespace bm::data::standin {

struct TranslateContext {
  // Whether a name is a user-defined scalar function of the database.
  std::function<bool(const std::string&)> is_user_function;
  // Inside a trigger: "inserted"/"deleted" (lower case) -> the temporary tables holding them,
  // and the columns the firing UPDATE set (for UPDATE(column)).
  std::map<std::string, std::string> pseudo_tables;
  std::set<std::string> updated_columns;  // lower case
  bool in_trigger = false;
  int params = 0;          // '?' markers seen
  bool assigns = false;    // a SELECT that assigns variables (SELECT @x = ...)
};

// A data-changing statement or a query, translated.
struct Translated {
  enum class Kind { Select, Insert, Update, Delete };
  Kind kind = Kind::Select;
  std::string table;                 // Insert/Update/Delete: the target table
  std::vector<std::string> columns;  // Insert: the listed columns; Update: the set columns
  std::string body;                  // Insert: "VALUES ..." / "SELECT ..." / "DEFAULT VALUES"
  std::string sql;                   // the complete SQLite statement (Insert: with the listed columns)
  std::string into;                  // Select ... INTO table
  bool has_top = false;
};

class Translator {
 public:
  Translator(const Tokens& t, size_t begin, size_t end, TranslateContext& ctx);

  // A statement that starts with SELECT, INSERT, UPDATE or DELETE; all tokens must be used.
  Translated statement();
  // One expression (all tokens must be used).
  std::string whole_expression();
  // Parsing steps for callers that parse around the translator.
  std::string expression();
  std::string select(std::string* into, bool* has_top);
  size_t pos() const { return i_; }
  void set_pos(size_t i) { i_ = i; }
  bool at_end() const { return i_ >= end_ || t_[i_].kind == Token::Kind::End; }

  // A possibly qualified object name at the current position ("dbo.t", "[t]", "db.dbo.t"):
  // its last part.
  std::string object_name();

 private:
  const Token& cur() const { return i_ < end_ ? t_[i_] : end_token(); }
  const Token& peek(size_t k = 1) const { return i_ + k < end_ ? t_[i_ + k] : end_token(); }
  static const Token& end_token();
  [[noreturn]] void syntax() const;
  void expect_op(const char* op);
  void expect_word(const char* w);

  std::string or_expr();
  std::string and_expr();
  std::string not_expr();
  std::string predicate();
  std::string additive();
  std::string multiplicative();
  std::string unary();
  std::string primary();
  std::string function_call(const std::vector<std::string>& parts);
  std::string name_ref();
  std::string select_core(std::string* into, bool* has_top, std::string* limit);
  std::string select_item(std::string* expr = nullptr, std::string* alias = nullptr);
  bool scalar_ = false;  // the next SELECT is a subquery used as a value
  std::string from_clause();
  std::string table_ref();
  std::string type_words();
  bool at_clause_end() const;

  Translated insert();
  Translated update();
  Translated remove();

  const Tokens& t_;
  size_t i_, end_;
  TranslateContext& ctx_;
};

}  // namespace bm::data::standin
