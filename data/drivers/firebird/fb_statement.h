#pragma once
#include <firebird/Interface.h>

#include <functional>
#include <string>
#include <vector>

#include "data/driver.h"
#include "data/drivers/firebird/fb_types.h"

namespace bm::data::firebird {

class FbSession;

// A prepared statement. Outside an explicit transaction a statement runs in a transaction of its
// own that is committed as soon as it has run; a cursor reads in a read-only transaction of its
// own that ends when the cursor is closed.
class FbStatement : public Statement {
 public:
  FbStatement(FbSession& session, const std::string& sql);
  ~FbStatement() override;

  size_t param_count() const override { return input_.count(); }
  void execute(const std::vector<Value>& params) override;
  const std::vector<ColumnInfo>& result_columns() const override { return columns_; }
  bool fetch(std::vector<Value>& row) override;
  void close_cursor() override;
  int64_t rows_affected() const override { return affected_; }

  // Runs the statement with its parameters written by `fill` (parameter index, value).
  using Fill = std::function<void(MessageBuffer& input, Firebird::IAttachment*, Firebird::ITransaction*)>;
  void run(const Fill& fill);
  size_t message_length() const { return input_.length(); }

 private:
  FbSession& session_;
  std::string sql_;  // for error texts
  Firebird::IStatement* stmt_ = nullptr;
  unsigned type_ = 0;
  MessageBuffer input_;
  MessageBuffer output_;
  std::vector<ColumnInfo> columns_;
  Firebird::IResultSet* cursor_ = nullptr;
  Firebird::ITransaction* cursor_tra_ = nullptr;  // owned when the cursor runs on its own
  int64_t affected_ = -1;
};

}  // namespace bm::data::firebird
