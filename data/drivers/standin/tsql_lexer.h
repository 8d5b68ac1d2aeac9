// Tokens of T-SQL text as a SQL Server session with QUOTED_IDENTIFIER OFF reads it:
// "double-quoted" text is a string literal, [bracketed] text is a name.
#pragma once
#include <string>
#include <vector>

namespace bm::data::standin {

struct Token {
  enum class Kind { Word, Name, String, Number, Variable, Param, Op, End };
  Kind kind = Kind::End;
  std::string text;    // Word: as written; Name: without brackets; String: the value; Op: symbol
  size_t begin = 0;    // offsets in the source text
  size_t end = 0;
  bool unicode = false;  // N'...'

  bool is_word(const char* w) const;  // a plain word, compared case-insensitively
  bool is_op(const char* op) const { return kind == Kind::Op && text == op; }
  bool is_name() const { return kind == Kind::Word || kind == Kind::Name; }
};

using Tokens = std::vector<Token>;

// Splits the text into tokens; comments and blanks are dropped. The list always ends with an
// End token. Fails with DbError on an unterminated string, name or comment.
// With QUOTED_IDENTIFIER ON a "double-quoted" text is a name instead.
Tokens tokenize(const std::string& sql, bool quoted_identifier = false);

bool iequals(const std::string& a, const std::string& b);
std::string lower(std::string s);
std::string upper(std::string s);
// Single-quoted SQL literal of a text.
std::string sql_quote(const std::string& s);
// Double-quoted SQLite name.
std::string sql_name(const std::string& s);
// True for T-SQL reserved words that SQL Server names "the keyword" in syntax errors.
bool is_reserved(const std::string& word);
// "Incorrect syntax near 'x'." / "Incorrect syntax near the keyword 'FROM'."
std::string syntax_error_near(const Token& t);

}  // namespace bm::data::standin
