// What differs between SQL Server and other databases behind ODBC, as data.
#pragma once
#include <string>
#include <vector>

#include "data/drivers/odbc/odbc_driver.h"

namespace bm::data::odbc {

struct DialectSql {
  // Sent one by one after connecting.
  std::vector<std::string> session_options;
  // Transaction statements; empty texts mean the ODBC autocommit switch.
  std::string begin, commit, rollback;
  // The undo point of Statement::execute_many inside a transaction; release may be empty.
  std::string savepoint, rollback_to_savepoint, release_savepoint;
  bool procedures = false;
};

const DialectSql& dialect_sql(Dialect d);

std::string quote_name(Dialect d, const std::string& name);

// Number of '?' parameter markers outside quoted text, bracketed names and comments.
size_t count_markers(const std::string& sql);

}  // namespace bm::data::odbc
