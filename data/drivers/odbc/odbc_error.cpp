#include <algorithm>
#include <cstring>

#include "data/drivers/odbc/odbc_api.h"

namespace bm::data::odbc {

Handle::Handle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
  SQLRETURN rc = SQLAllocHandle(type, parent, &h_);
  if (!succeeded(rc)) {
    h_ = SQL_NULL_HANDLE;
    throw DbError("The ODBC driver manager could not allocate a handle");
  }
}

Handle& Handle::operator=(Handle&& o) noexcept {
  if (this != &o) {
    reset();
    type_ = o.type_;
    h_ = o.h_;
    o.h_ = SQL_NULL_HANDLE;
  }
  return *this;
}

void Handle::reset() {
  if (h_ != SQL_NULL_HANDLE) SQLFreeHandle(type_, h_);
  h_ = SQL_NULL_HANDLE;
}

namespace {

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// SQL Server: 2627 (PRIMARY KEY or UNIQUE constraint) and 2601 (unique index), both under
// SQLSTATE 23000, which SQL Server also uses for NOT NULL and foreign keys. SQLite's driver
// reports every constraint failure alike (SQLite code 19), so its message tells the key ones.
bool is_key_violation(const char* state, SQLINTEGER native, const std::string& text) {
  if (std::strcmp(state, "23000") == 0 && (native == 2627 || native == 2601)) return true;
  return contains(text, "UNIQUE constraint failed") || contains(text, "PRIMARY KEY must be unique") ||
         contains(text, " not unique");
}

// SQLSTATE class 22 is "data exception": truncation, overflow, a text that is no date or number.
bool is_value_problem(const char* state) { return std::strncmp(state, "22", 2) == 0; }

// SQLSTATE class 08: the connection failed or was lost.
bool is_connection_problem(const char* state) { return std::strncmp(state, "08", 2) == 0; }

}  // namespace

Diagnostics read_diagnostics(SQLSMALLINT type, SQLHANDLE h, CodePage cp) {
  Diagnostics d;
  if (h == SQL_NULL_HANDLE) return d;
  for (SQLSMALLINT i = 1;; ++i) {
    SQLCHAR state[6] = {0};
    SQLINTEGER native = 0;
    SQLSMALLINT len = 0;
    std::string msg(1024, '\0');
    SQLRETURN rc = SQLGetDiagRec(type, h, i, state, &native, reinterpret_cast<SQLCHAR*>(msg.data()),
                                 static_cast<SQLSMALLINT>(msg.size()), &len);
    if (rc == SQL_SUCCESS_WITH_INFO && len >= static_cast<SQLSMALLINT>(msg.size())) {
      msg.assign(static_cast<size_t>(len) + 1, '\0');
      rc = SQLGetDiagRec(type, h, i, state, &native, reinterpret_cast<SQLCHAR*>(msg.data()),
                         static_cast<SQLSMALLINT>(msg.size()), &len);
    }
    if (!succeeded(rc)) break;
    msg.resize(std::min<size_t>(static_cast<size_t>(len), msg.size()));
    std::string text = from_client(msg, cp);
    const char* st = reinterpret_cast<const char*>(state);
    if (is_key_violation(st, native, text)) {
      d.kind = DbError::Kind::KeyViolation;
    } else if (d.kind == DbError::Kind::General && is_value_problem(st)) {
      d.kind = DbError::Kind::ValueProblem;
    } else if (d.kind == DbError::Kind::General && is_connection_problem(st)) {
      d.kind = DbError::Kind::Connection;
    }
    if (!d.text.empty()) d.text += "\n";
    d.text += text;
  }
  return d;
}

DbError diag_error(SQLSMALLINT type, SQLHANDLE h, CodePage cp, const std::string& fallback) {
  Diagnostics d = read_diagnostics(type, h, cp);
  if (d.empty()) return DbError(fallback);
  return DbError(d.text, d.kind);
}

void check(SQLRETURN rc, const Handle& h, CodePage cp, const char* what) {
  if (succeeded(rc) || rc == SQL_NO_DATA) return;
  throw diag_error(h.type(), h.get(), cp, std::string("The ODBC call ") + what + " failed");
}

}  // namespace bm::data::odbc
