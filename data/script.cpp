#include "data/script.h"

#include <cctype>
#include <strings.h>

#include "data/query.h"

namespace bm::data {

namespace {

std::string trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

bool starts_with_words(const std::string& s, const char* words) {
  // Compares ignoring case and runs of blanks.
  size_t i = 0;
  for (const char* w = words; *w; ++w) {
    if (*w == ' ') {
      if (i >= s.size() || !std::isspace(static_cast<unsigned char>(s[i]))) return false;
      while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
      continue;
    }
    if (i >= s.size() || std::toupper(static_cast<unsigned char>(s[i])) != *w) return false;
    ++i;
  }
  return i == s.size() || !std::isalnum(static_cast<unsigned char>(s[i]));
}

}  // namespace

std::vector<std::string> split_script(const std::string& text) {
  std::vector<std::string> out;
  std::string term = ";", current;
  size_t i = 0, n = text.size();
  auto finish = [&] {
    std::string stmt = trim(current);
    current.clear();
    if (stmt.empty()) return;
    if (starts_with_words(stmt, "SET TERM")) {
      term = trim(stmt.substr(8));
      return;
    }
    if (starts_with_words(stmt, "SET SQL DIALECT") || starts_with_words(stmt, "COMMIT")) return;
    out.push_back(stmt);
  };
  while (i < n) {
    char c = text[i];
    if (c == '\'' || c == '"') {
      size_t end = text.find(c, i + 1);
      end = end == std::string::npos ? n : end + 1;
      current.append(text, i, end - i);
      i = end;
    } else if (c == '-' && i + 1 < n && text[i + 1] == '-') {
      size_t end = text.find('\n', i);
      i = end == std::string::npos ? n : end;
    } else if (c == '/' && i + 1 < n && text[i + 1] == '*') {
      size_t end = text.find("*/", i + 2);
      i = end == std::string::npos ? n : end + 2;
    } else if (text.compare(i, term.size(), term) == 0) {
      i += term.size();
      finish();
    } else {
      current += c;
      ++i;
    }
  }
  finish();
  return out;
}

void run_script(Connection& connection, const std::string& text) {
  Query q("script", connection);
  q.set_param_check(false);
  for (const auto& stmt : split_script(text)) {
    q.set_sql(stmt);
    try {
      q.exec_sql();
    } catch (const DbError& e) {
      throw DbError(std::string(e.what()) + "\nin the statement:\n" + stmt, e.kind());
    }
  }
}

}  // namespace bm::data
