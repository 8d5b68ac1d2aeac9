// The SQL functions and the collation the stand-in registers into SQLite so that translated
// T-SQL behaves as on SQL Server: LEN, LEFT, RIGHT, '+' on texts, integer division, ...
#pragma once
#include <sqlite3.h>

#include <optional>
#include <string>
#include <vector>

#include "data/value.h"

namespace bm::data::standin {

// What the functions need from the session they run in.
class FunctionHost {
 public:
  virtual ~FunctionHost() = default;
  virtual Value get_variable(const std::string& name) = 0;
  virtual void set_variable(const std::string& name, const Value& v) = 0;
  virtual std::optional<int64_t> object_id(const std::string& name) = 0;
  virtual void warning(const std::string& text) = 0;
  // Runs a user-defined scalar function (CREATE FUNCTION).
  virtual Value call_user_function(const std::string& name, const std::vector<Value>& args) = 0;
};

// Registers the collation BM_CI (case-insensitive, trailing blanks ignored, as Chinese_PRC_CI_AS
// compares) and the bm_* functions the translator emits.
void register_functions(sqlite3* db, FunctionHost* host);
// Registers a user-defined function under its name.
void register_user_function(sqlite3* db, FunctionHost* host, const std::string& name, int nargs);

}  // namespace bm::data::standin
