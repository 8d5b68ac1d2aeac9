#include "data/drivers/standin/tsql_lexer.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "data/error.h"

namespace bm::data::standin {

bool iequals(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

std::string lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string upper(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool Token::is_word(const char* w) const { return kind == Kind::Word && iequals(text, w); }

std::string sql_quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    if (c == '\'') out += '\'';
    out += c;
  }
  return out + "'";
}

std::string sql_name(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

bool is_reserved(const std::string& word) {
  static const std::set<std::string> words = {
      "ADD",    "ALL",     "ALTER",    "AND",      "AS",     "ASC",     "BEGIN",   "BETWEEN",
      "BY",     "CASE",    "CHECK",    "COLUMN",   "CONSTRAINT", "CREATE", "CROSS", "DATABASE",
      "DECLARE", "DEFAULT", "DELETE",  "DESC",     "DISTINCT", "DROP",   "ELSE",    "END",
      "EXEC",   "EXECUTE", "EXISTS",   "FOR",      "FROM",   "FUNCTION", "GROUP",  "HAVING",
      "IDENTITY", "IF",    "IN",       "INDEX",    "INNER",  "INSERT",  "INTO",    "IS",
      "JOIN",   "KEY",     "LEFT",     "LIKE",     "NOT",    "NULL",    "ON",      "OR",
      "ORDER",  "OUTER",   "PRIMARY",  "PROC",     "PROCEDURE", "RETURN", "RIGHT", "SELECT",
      "SET",    "TABLE",   "THEN",     "TO",       "TOP",    "TRIGGER", "TRUNCATE", "UNION",
      "UNIQUE", "UPDATE",  "VALUES",   "VIEW",     "WHEN",   "WHERE",   "WHILE",   "WITH"};
  return words.count(upper(word)) > 0;
}

std::string syntax_error_near(const Token& t) {
  if (t.kind == Token::Kind::End) return "Incorrect syntax near the end of the statement.";
  if (t.kind == Token::Kind::Word && is_reserved(t.text))
    return "Incorrect syntax near the keyword '" + upper(t.text) + "'.";
  return "Incorrect syntax near '" + t.text + "'.";
}

namespace {

bool word_start(unsigned char c) { return std::isalpha(c) || c == '_' || c == '#' || c >= 0x80; }
bool word_char(unsigned char c) { return std::isalnum(c) || c == '_' || c == '#' || c == '$' || c >= 0x80; }

}  // namespace

Tokens tokenize(const std::string& sql, bool quoted_identifier) {
  Tokens out;
  size_t i = 0, n = sql.size();
  auto fail = [&](const std::string& what) { throw DbError(what); };
  while (i < n) {
    unsigned char c = static_cast<unsigned char>(sql[i]);
    if (std::isspace(c)) { ++i; continue; }
    if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
      while (i < n && sql[i] != '\n') ++i;
      continue;
    }
    if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
      size_t e = sql.find("*/", i + 2);
      if (e == std::string::npos) fail("Missing end comment mark '*/'.");
      i = e + 2;
      continue;
    }
    Token t;
    t.begin = i;
    if ((c == 'N' || c == 'n') && i + 1 < n && sql[i + 1] == '\'') {
      t.unicode = true;
      ++i;
      c = '\'';
    }
    if (c == '\'' || c == '"') {
      char q = static_cast<char>(c);
      t.kind = (q == '"' && quoted_identifier) ? Token::Kind::Name : Token::Kind::String;
      ++i;
      for (;;) {
        if (i >= n) fail("Unclosed quotation mark after the character string '" + t.text + "'.");
        if (sql[i] == q) {
          if (i + 1 < n && sql[i + 1] == q) { t.text += q; i += 2; continue; }
          ++i;
          break;
        }
        t.text += sql[i++];
      }
    } else if (c == '[') {
      t.kind = Token::Kind::Name;
      ++i;
      for (;;) {
        if (i >= n) fail("Unclosed quotation mark after the character string '" + t.text + "'.");
        if (sql[i] == ']') {
          if (i + 1 < n && sql[i + 1] == ']') { t.text += ']'; i += 2; continue; }
          ++i;
          break;
        }
        t.text += sql[i++];
      }
    } else if (std::isdigit(c) || (c == '.' && i + 1 < n && std::isdigit(static_cast<unsigned char>(sql[i + 1])))) {
      t.kind = Token::Kind::Number;
      while (i < n && (std::isdigit(static_cast<unsigned char>(sql[i])) || sql[i] == '.')) t.text += sql[i++];
      if (i < n && (sql[i] == 'e' || sql[i] == 'E')) {
        size_t j = i + 1;
        if (j < n && (sql[j] == '+' || sql[j] == '-')) ++j;
        if (j < n && std::isdigit(static_cast<unsigned char>(sql[j]))) {
          t.text += sql.substr(i, j - i);
          i = j;
          while (i < n && std::isdigit(static_cast<unsigned char>(sql[i]))) t.text += sql[i++];
        }
      }
    } else if (c == '@') {
      t.kind = Token::Kind::Variable;
      t.text = "@";
      ++i;
      if (i < n && sql[i] == '@') { t.text += '@'; ++i; }
      while (i < n && word_char(static_cast<unsigned char>(sql[i]))) t.text += sql[i++];
    } else if (word_start(c)) {
      t.kind = Token::Kind::Word;
      while (i < n && word_char(static_cast<unsigned char>(sql[i]))) t.text += sql[i++];
    } else if (c == '?') {
      t.kind = Token::Kind::Param;
      t.text = "?";
      ++i;
    } else {
      t.kind = Token::Kind::Op;
      static const char* two[] = {"<>", "!=", ">=", "<=", "!<", "!>", "||", "+=", "-="};
      std::string s2 = sql.substr(i, 2);
      bool matched = false;
      for (auto* op : two)
        if (s2 == op) { t.text = s2; i += 2; matched = true; break; }
      if (!matched) t.text = sql.substr(i++, 1);
    }
    t.end = i;
    out.push_back(std::move(t));
  }
  Token end;
  end.kind = Token::Kind::End;
  end.begin = end.end = n;
  out.push_back(end);
  return out;
}

}  // namespace bm::data::standin
