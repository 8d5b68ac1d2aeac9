// The conformance suite through the ODBC driver on SQLite's ODBC driver.
#include "data/drivers/odbc/odbc_driver.h"
#include "tests/data/backend.h"
#include "tests/odbc/sqlite_odbc.h"

namespace bm::test {

Backend conformance_backend() {
  Backend b;
  b.name = "odbc_sqlite";
  b.kind = data::DriverKind::MSSQL;
  b.make_driver = [] { return data::odbc::make_driver(data::odbc::sqlite_options()); };
  // SQLite creates the file on the first connect.
  b.create_database = [](const std::string& dir, const std::string& name) {
    return sqlite_params(dir + "/" + name + ".sqlite");
  };
  b.ddl = [](const std::string& sql) { return sql; };
  // No procedures, and no statement with ":NUMBER" in it: SQLite's driver refuses a ":NAME"
  // that it was given no value for.
  return b;
}

}  // namespace bm::test
