#pragma once
#include <firebird/Interface.h>

#include <string>

#include "data/driver.h"

namespace bm::data::firebird {

class FbSession : public Session {
 public:
  FbSession(const std::string& path, const std::string& user, const std::string& password);
  ~FbSession() override;

  std::unique_ptr<Statement> prepare(const std::string& sql) override;
  void begin() override;
  void commit() override;
  void rollback() override;
  bool in_transaction() const override { return transaction_ != nullptr; }
  TableInfo describe_table(const std::string& table) override;
  void call_procedure(const std::string& name,
                      const std::vector<std::pair<std::string, Value>>& params) override;
  std::string quote_identifier(const std::string& name) const override;


  Firebird::IAttachment* attachment() const { return attachment_; }
  // The explicit transaction, or null outside begin()/commit().
  Firebird::ITransaction* transaction() const { return transaction_; }
  unsigned dialect() const { return dialect_; }

 private:
  // Runs a catalog query with text parameters and returns its rows as text.
  std::vector<std::vector<Value>> catalog(const std::string& sql, const std::vector<Value>& params);

  Firebird::IAttachment* attachment_ = nullptr;
  Firebird::ITransaction* transaction_ = nullptr;
  unsigned dialect_ = 3;
};

}  // namespace bm::data::firebird
