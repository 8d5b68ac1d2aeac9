#include "tests/standin/standin_fixture.h"

#include "data/drivers/standin/standin_driver.h"

namespace bm::test {

std::string row_text(const std::vector<data::Value>& row) {
  std::string out;
  for (size_t i = 0; i < row.size(); ++i) {
    if (i) out += "|";
    out += data::is_null(row[i]) ? "NULL" : data::to_text(row[i]);
  }
  return out;
}

StandinTest::StandinTest() {
  driver_ = data::standin::make_driver(dir_.path());
  data::standin::create_database(dir_.path(), "shop");
  session_ = connect("shop");
}

std::unique_ptr<data::Session> StandinTest::connect(const std::string& database) {
  return driver_->connect({"DATABASE NAME=" + database, "SERVER NAME=(local)", "USER NAME=sysdba",
                           "PASSWORD=415903", "SQLPASSTHRU MODE=SHARED AUTOCOMMIT"});
}

std::vector<std::string> StandinTest::run(const std::string& sql, const std::vector<data::Value>& params) {
  auto stmt = session_->prepare(sql);
  stmt->execute(params);
  last_rows_ = stmt->rows_affected();
  std::vector<std::string> rows;
  std::vector<data::Value> row;
  while (stmt->fetch(row)) rows.push_back(row_text(row));
  return rows;
}

void StandinTest::run_all(const std::vector<std::string>& batches) {
  for (const auto& b : batches) run(b);
}

std::string StandinTest::error_of(const std::string& sql) {
  try {
    run(sql);
  } catch (const data::DbError& e) {
    return e.what();
  }
  return "(no error)";
}

}  // namespace bm::test
