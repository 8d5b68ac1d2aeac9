// The conformance suite on the embedded Firebird engine, in a dialect 1 database as the
// standard edition has.
#include <regex>

#include "data/drivers/firebird/fb_driver.h"
#include "tests/data/backend.h"

namespace bm::test {

Backend conformance_backend() {
  Backend b;
  b.name = "firebird";
  b.kind = data::DriverKind::INTRBASE;
  b.make_driver = [] { return data::firebird::make_driver(); };
  b.create_database = [](const std::string& dir, const std::string& name) {
    std::string path = dir + "/" + name + ".fdb";
    data::firebird::create_database(path, 1, "GBK");
    return data::profiles::file_profile(path);
  };
  // Dialect 1 has no TIMESTAMP keyword: its DATE holds a date and a time.
  b.ddl = [](const std::string& sql) { return std::regex_replace(sql, std::regex("TIMESTAMP"), "DATE"); };
  b.create_procedure_sql =
      "CREATE PROCEDURE ADD_LOG (A INTEGER, B INTEGER) AS BEGIN INSERT INTO PROC_LOG (A, B) "
      "VALUES (:A, :B); END";
  b.colon_body_sql =
      "CREATE PROCEDURE SET_NUMBER (NUMBER INTEGER) AS BEGIN UPDATE PROC_LOG SET B = :NUMBER; END";
  return b;
}

}  // namespace bm::test
