// A fresh stand-in database per test, with helpers to run T-SQL and read rows as text.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/driver.h"
#include "tests/support/temp_dir.h"

namespace bm::test {

class StandinTest : public ::testing::Test {
 protected:
  StandinTest();
  // Runs one batch; returns the rows it reads, each row's values as text joined by '|'
  // (NULL reads as "NULL").
  std::vector<std::string> run(const std::string& sql, const std::vector<data::Value>& params = {});
  // Runs several batches in order.
  void run_all(const std::vector<std::string>& batches);
  // The error text of a batch that must fail.
  std::string error_of(const std::string& sql);
  std::unique_ptr<data::Session> connect(const std::string& database);

  TempDir dir_;
  std::shared_ptr<data::Driver> driver_;
  std::unique_ptr<data::Session> session_;
  int64_t last_rows_ = -1;
};

std::string row_text(const std::vector<data::Value>& row);

}  // namespace bm::test
