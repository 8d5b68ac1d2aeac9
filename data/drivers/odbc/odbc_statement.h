// One statement on an ODBC connection: parameters bound as arrays of one or many rows, results
// read field by field.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "data/driver.h"
#include "data/drivers/odbc/odbc_session.h"
#include "data/drivers/odbc/odbc_types.h"

namespace bm::data::odbc {

class OdbcStatement : public Statement {
 public:
  OdbcStatement(std::shared_ptr<Link> link, const std::string& sql);
  ~OdbcStatement() override;

  size_t param_count() const override { return param_count_; }
  void execute(const std::vector<Value>& params) override;
  size_t execute_many(const std::vector<std::vector<Value>>& rows,
                      std::optional<DbError>& failure) override;
  const std::vector<ColumnInfo>& result_columns() const override { return columns_; }
  bool fetch(std::vector<Value>& row) override;
  void close_cursor() override;
  int64_t rows_affected() const override { return rows_affected_; }

 private:
  enum class ArrayOutcome { Applied, Failed, Unsupported };

  CodePage cp() const { return link_->cp(); }
  bool bind(const std::vector<Value>* rows, size_t count);
  SQLSMALLINT null_type(size_t index);
  SQLRETURN run();
  void read_results(SQLRETURN rc);
  std::string base_column_type(SQLUSMALLINT col);
  ArrayOutcome run_array(size_t count);
  void set_attr(SQLINTEGER attr, SQLPOINTER value);
  [[noreturn]] void fail(const char* what);

  std::shared_ptr<Link> link_;
  Handle stmt_;
  std::string text_;       // in the client code page
  bool prepared_ = false;  // without markers the text goes by SQLExecDirect
  size_t param_count_ = 0;
  std::vector<ParamColumn> bound_;
  std::vector<SQLSMALLINT> null_types_;  // 0 until asked for
  std::vector<ColumnInfo> columns_;
  std::vector<SQLSMALLINT> sql_types_;
  bool cursor_open_ = false;
  int64_t rows_affected_ = -1;
};

}  // namespace bm::data::odbc
