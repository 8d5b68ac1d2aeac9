// The conformance suite on the SQL Server stand-in, reached as an MSSQL database by its name.
#include <regex>

#include "data/drivers/standin/standin_driver.h"
#include "tests/data/backend.h"

namespace bm::test {

Backend conformance_backend() {
  Backend b;
  b.name = "standin";
  b.kind = data::DriverKind::MSSQL;
  // One folder per test process; each test creates its databases in its own folder below.
  b.make_driver = [] { return std::shared_ptr<data::Driver>(); };
  b.create_database = [](const std::string& dir, const std::string& name) {
    data::standin::create_database(dir, name);
    data::set_driver(data::DriverKind::MSSQL, data::standin::make_driver(dir));
    return data::profiles::server_profile(name);
  };
  // T-SQL words for the suite's generic types. The suite's VARCHAR(n) holds n characters, as
  // in a GBK Firebird database; on SQL Server that is nvarchar(n) (varchar(n) holds n bytes of
  // code page 936, where a Chinese character takes two).
  b.ddl = [](const std::string& sql) {
    std::string s = std::regex_replace(sql, std::regex("(^|[^N])VARCHAR\\("), "$1nvarchar(");
    s = std::regex_replace(s, std::regex("DOUBLE PRECISION"), "float");
    return std::regex_replace(s, std::regex("TIMESTAMP"), "datetime");
  };
  b.create_procedure_sql = "CREATE PROCEDURE ADD_LOG @A int, @B int AS INSERT INTO PROC_LOG (A, B) VALUES (@A, @B)";
  return b;
}

}  // namespace bm::test
