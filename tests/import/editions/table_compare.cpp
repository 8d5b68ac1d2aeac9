#include "tests/import/editions/table_compare.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "data/query.h"

namespace bm::test {

Rows query_rows(data::Connection& c, const std::string& sql) {
  data::Query q("check", c);
  q.set_sql(sql);
  q.open();
  Rows out;
  for (; !q.eof(); q.next()) {
    std::string line;
    for (size_t i = 0; i < q.fields().size(); ++i) line += (i ? "|" : "") + q.field_text(q.fields()[i].name);
    out.push_back(line);
  }
  return out;
}

std::vector<std::string> table_columns(data::Connection& c, const std::string& table) {
  data::Query q("check", c);
  q.set_sql("select * from " + table + " where 1=0");
  q.open();
  std::vector<std::string> names;
  for (const auto& f : q.fields()) {
    std::string n = f.name;
    std::transform(n.begin(), n.end(), n.begin(), [](unsigned char ch) { return std::toupper(ch); });
    names.push_back(n);
  }
  return names;
}

std::vector<std::string> shared_columns(data::Connection& a, data::Connection& b, const std::string& table,
                                        const std::set<std::string>& skip) {
  std::vector<std::string> left = table_columns(a, table), right = table_columns(b, table), out;
  for (const auto& n : left)
    if (std::find(right.begin(), right.end(), n) != right.end() && !skip.count(n)) out.push_back(n);
  return out;
}

std::string even_out(const std::string& value) {
  std::string v = value;
  while (!v.empty() && v.back() == ' ') v.pop_back();
  if (v.empty()) return v;
  // A number: the shortest text of its value rounded to four places.
  char* end = nullptr;
  double d = std::strtod(v.c_str(), &end);
  if (end && *end == '\0' && (std::isdigit(static_cast<unsigned char>(v[0])) || v[0] == '-' || v[0] == '.')) {
    char buf[64];
    double r = std::round(d * 10000.0) / 10000.0;
    if (r == 0) r = 0;  // no "-0"
    std::snprintf(buf, sizeof buf, "%.4f", r);
    std::string s = buf;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
  }
  // A time: "2024-01-05 10:00:00.000" and "2024-01-05 10:00:00" are the same moment.
  if (v.size() >= 19 && v[4] == '-' && v[7] == '-' && v[10] == ' ' && v[13] == ':') {
    auto dot = v.find('.', 19);
    if (dot == 19 && v.find_first_not_of('0', 20) == std::string::npos) v.resize(19);
  }
  return v;
}

Rows normalized_rows(data::Connection& c, const std::string& table, const std::vector<std::string>& columns) {
  std::string list;
  for (const auto& n : columns) list += (list.empty() ? "" : ", ") + n;
  data::Query q("check", c);
  q.set_sql("select " + list + " from " + table);
  q.open();
  Rows out;
  for (; !q.eof(); q.next()) {
    std::string line;
    for (size_t i = 0; i < q.fields().size(); ++i) line += (i ? "|" : "") + even_out(q.field_text(q.fields()[i].name));
    out.push_back(line);
  }
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace bm::test
