#include "data/query.h"

#include <strings.h>

#include <algorithm>
#include <cctype>

namespace bm::data {

namespace {

bool name_char(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' ||
         static_cast<unsigned char>(c) >= 0x80;
}

std::string upper(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool name_start(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

}  // namespace

ScannedSql scan_params(const std::string& sql) {
  ScannedSql out;
  out.text.reserve(sql.size());
  size_t i = 0, n = sql.size();
  while (i < n) {
    char c = sql[i];
    if (c == '\'' || c == '"' || c == '[') {
      char close = c == '[' ? ']' : c;
      size_t end = i + 1;
      while (end < n && sql[end] != close) ++end;
      end = std::min(end + 1, n);
      out.text.append(sql, i, end - i);
      i = end;
    } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
      size_t end = sql.find('\n', i);
      if (end == std::string::npos) end = n;
      out.text.append(sql, i, end - i);
      i = end;
    } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
      size_t end = sql.find("*/", i + 2);
      end = end == std::string::npos ? n : end + 2;
      out.text.append(sql, i, end - i);
      i = end;
    } else if (c == ':' && i + 1 < n && sql[i + 1] == ':') {
      out.text += ':';
      i += 2;
    } else if (c == ':' && i + 1 < n && name_start(sql[i + 1])) {
      size_t end = i + 1;
      while (end < n && name_char(sql[end])) ++end;
      out.params.push_back(sql.substr(i + 1, end - i - 1));
      out.text += '?';
      i = end;
    } else {
      out.text += c;
      ++i;
    }
  }
  return out;
}

Query::Query(std::string name, Connection& connection)
    : name_(std::move(name)), connection_(&connection) {
  connection_->attach(this);
}

Query::~Query() {
  close();
  connection_->detach(this);
}

std::string Query::sql_text() const {
  std::string text;
  for (size_t i = 0; i < sql_.size(); ++i) {
    if (i) text += '\n';
    text += sql_[i];
  }
  return text;
}

void Query::set_sql(const std::string& statement) {
  sql_.clear();
  sql_.push_back(statement);
}

void Query::set_param(const std::string& name, Value value) {
  param_values_[upper(name)] = std::move(value);
}

std::unique_ptr<Statement> Query::prepare_and_run() {
  Session& session = connection_->session();
  std::string text = sql_text();
  std::vector<Value> values;
  if (param_check_) {
    ScannedSql scanned = scan_params(text);
    for (const auto& p : scanned.params) {
      auto it = param_values_.find(upper(p));
      if (it == param_values_.end()) throw DbError("No value for parameter '" + p + "'");
      values.push_back(it->second);
    }
    text = std::move(scanned.text);
  }
  auto stmt = session.prepare(text);
  stmt->execute(values);
  return stmt;
}

void Query::exec_sql() {
  close();
  auto stmt = prepare_and_run();
  stmt->close_cursor();
}

void Query::open() {
  if (active_) return;
  auto stmt = prepare_and_run();
  if (stmt->result_columns().empty()) {
    stmt->close_cursor();
    throw DbError(name_ + ": Error creating cursor handle");
  }
  stmt_ = std::move(stmt);
  active_ = true;
  position_ = 0;
  row_.assign(stmt_->result_columns().size(), Value{});
  eof_ = !stmt_->fetch(row_);
  if (eof_) row_.assign(stmt_->result_columns().size(), Value{});
}

void Query::close() {
  if (stmt_) {
    try {
      stmt_->close_cursor();
    } catch (const DbError&) {
    }
    stmt_.reset();
  }
  active_ = false;
  eof_ = true;
  row_.clear();
  position_ = 0;
}

void Query::require_active() const {
  if (!active_) throw DbError(name_ + ": Cannot perform this operation on a closed dataset");
}

void Query::first() {
  require_active();
  if (position_ == 0) return;
  close();
  open();
}

void Query::next() {
  require_active();
  if (eof_) return;
  std::vector<Value> row(row_.size());
  if (stmt_->fetch(row)) {
    row_ = std::move(row);
    ++position_;
  } else {
    eof_ = true;  // stays on the last row, as a dataset does
  }
}

bool Query::eof() const {
  require_active();
  return eof_;
}

int64_t Query::record_count() {
  require_active();
  auto stmt = prepare_and_run();
  std::vector<Value> row(stmt->result_columns().size());
  int64_t n = 0;
  while (stmt->fetch(row)) ++n;
  stmt->close_cursor();
  return n;
}

const std::vector<ColumnInfo>& Query::fields() const {
  require_active();
  return stmt_->result_columns();
}

const std::vector<Value>& Query::current_row() const {
  require_active();
  return row_;
}

int Query::field_index(const std::string& field) const {
  require_active();
  const auto& cols = stmt_->result_columns();
  for (size_t i = 0; i < cols.size(); ++i)
    if (strcasecmp(cols[i].name.c_str(), field.c_str()) == 0) return static_cast<int>(i);
  return -1;
}

Value Query::field_value(const std::string& field) const {
  int i = field_index(field);
  if (i < 0) throw DbError(name_ + ": Field '" + field + "' not found");
  return row_[i];
}

std::string Query::field_text(const std::string& field) const { return to_text(field_value(field)); }

bool Query::fetch_into(std::vector<Value>& row) {
  require_active();
  if (eof_) return false;
  // The current row is handed out first, then the rest of the result straight from the cursor.
  row.swap(row_);
  row_.resize(row.size());
  if (stmt_->fetch(row_)) {
    ++position_;
  } else {
    eof_ = true;
    row_ = row;
  }
  return true;
}

}  // namespace bm::data
