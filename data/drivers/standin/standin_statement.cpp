#include "data/drivers/standin/standin_statement.h"

#include "data/drivers/standin/sqlite_values.h"
#include "data/error.h"

namespace bm::data::standin {

StandinStatement::StandinStatement(StandinSession& session, std::string sql)
    : session_(session), sql_(std::move(sql)) {
  params_ = session_.count_params(sql_);
}

void StandinStatement::execute(const std::vector<Value>& params) {
  if (params.size() != params_)
    throw DbError("The statement has " + std::to_string(params_) + " parameter markers but " +
                  std::to_string(params.size()) + " values were given.");
  result_.close();
  session_.execute(sql_, params, result_, &plan_, rows_);
}

bool StandinStatement::fetch(std::vector<Value>& row) {
  if (!result_.stmt) return false;
  if (!result_.pending) {
    int rc = sqlite3_step(result_.stmt);
    if (rc == SQLITE_DONE) {
      auto columns = result_.columns;
      result_.close();
      result_.columns = columns;
      return false;
    }
    if (rc != SQLITE_ROW) {
      DbError err = session_.last_error("SELECT");
      result_.close();
      throw err;
    }
  }
  result_.pending = false;
  row.resize(result_.columns.size());
  for (size_t i = 0; i < row.size(); ++i) {
    Value v = column_value(result_.stmt, static_cast<int>(i));
    row[i] = result_.types[i].name.empty() ? v : read_value(v, result_.types[i]);
  }
  return true;
}

}  // namespace bm::data::standin
