// The ODBC headers and the pieces every file of this driver shares: handles that free
// themselves, text conversion at the connection boundary, diagnostics turned into DbError.
#pragma once
#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

#include <string>

#include "data/drivers/odbc/odbc_driver.h"
#include "data/error.h"

namespace bm::data::odbc {

// An ODBC handle of one type, freed when it goes.
class Handle {
 public:
  Handle() = default;
  Handle(SQLSMALLINT type, SQLHANDLE parent);  // allocates; throws DbError on failure
  ~Handle() { reset(); }
  Handle(Handle&& o) noexcept : type_(o.type_), h_(o.h_) { o.h_ = SQL_NULL_HANDLE; }
  Handle& operator=(Handle&& o) noexcept;
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  void reset();
  SQLHANDLE get() const { return h_; }
  SQLSMALLINT type() const { return type_; }

 private:
  SQLSMALLINT type_ = 0;
  SQLHANDLE h_ = SQL_NULL_HANDLE;
};

inline bool succeeded(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

// Text between the program (UTF-8) and the narrow calls (the client code page). to_client
// throws DbError (ValueProblem) when the code page cannot hold a character of `utf8`.
std::string to_client(const std::string& utf8, CodePage cp);
std::string from_client(const std::string& bytes, CodePage cp);
// UTF-16 (SQLWCHAR) to UTF-8, for wide columns.
std::string utf16_to_utf8(const SQLWCHAR* s, size_t units);

// The diagnostic records of a handle, whole, joined by line breaks; with their SQLSTATEs and
// native codes decides the error's kind (a duplicate key is KeyViolation).
struct Diagnostics {
  std::string text;
  DbError::Kind kind = DbError::Kind::General;
  bool empty() const { return text.empty(); }
};
Diagnostics read_diagnostics(SQLSMALLINT type, SQLHANDLE h, CodePage cp);
DbError diag_error(SQLSMALLINT type, SQLHANDLE h, CodePage cp, const std::string& fallback);

// Throws the handle's diagnostics unless rc succeeded. `what` names the failed call when the
// driver gave no diagnostic record.
void check(SQLRETURN rc, const Handle& h, CodePage cp, const char* what);

}  // namespace bm::data::odbc
