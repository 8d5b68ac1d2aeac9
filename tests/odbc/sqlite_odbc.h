// SQLite's ODBC driver (Debian libsqliteodbc), reached by path: nothing is registered.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "data/drivers/odbc/odbc_driver.h"

namespace bm::test {

std::string sqlite_odbc_driver_path();
std::vector<std::string> sqlite_params(const std::string& file);
std::unique_ptr<data::Session> sqlite_session(const std::string& file,
                                              data::odbc::Options options = data::odbc::sqlite_options());

// Runs statements that need no parameters, one by one.
void run(data::Session& s, const std::vector<std::string>& statements);
// The rows of a query.
std::vector<std::vector<data::Value>> select(data::Session& s, const std::string& sql,
                                             const std::vector<data::Value>& params = {});

}  // namespace bm::test
