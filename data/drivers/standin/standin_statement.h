// A prepared statement of the stand-in: the T-SQL text, translated on first execution and
// kept while the database's definitions do not change.
#pragma once
#include <memory>
#include <string>

#include "data/driver.h"
#include "data/drivers/standin/standin_session.h"

namespace bm::data::standin {

class StandinStatement : public Statement {
 public:
  StandinStatement(StandinSession& session, std::string sql);
  size_t param_count() const override { return params_; }
  void execute(const std::vector<Value>& params) override;
  const std::vector<ColumnInfo>& result_columns() const override { return result_.columns; }
  bool fetch(std::vector<Value>& row) override;
  void close_cursor() override { result_.close(); }
  int64_t rows_affected() const override { return rows_; }

 private:
  StandinSession& session_;
  std::string sql_;
  size_t params_ = 0;
  std::unique_ptr<Plan> plan_;
  ResultSet result_;  // after plan_: may read the plan's statement, so it goes first
  int64_t rows_ = -1;
};

}  // namespace bm::data::standin
