// One ODBC connection. The handles live in a Link that the session and its statements share,
// so a statement that outlives its session never touches a freed handle.
#pragma once
#include <memory>
#include <string>

#include "data/driver.h"
#include "data/drivers/odbc/odbc_api.h"
#include "data/drivers/odbc/odbc_dialect.h"

namespace bm::data::odbc {

struct Link {
  Options options;
  Handle env;
  Handle dbc;
  bool connected = false;
  bool in_transaction = false;
  bool arrays_unsupported = false;

  ~Link();
  CodePage cp() const { return options.code_page; }
  const DialectSql& sql() const { return dialect_sql(options.dialect); }
  // Runs one statement directly and reads all its results; throws DbError on failure.
  void exec(const std::string& sql_text);
  void begin();
  void commit();
  void rollback();
};

// The declared type name of a table's column, as SQLColumns reports it; empty when unknown.
std::string declared_type_name(Link& link, const std::string& table, const std::string& column);

// Connects with a full ODBC connection string. `where` names the server and database for the
// error of a failed connect.
std::shared_ptr<Link> open_link(const Options& options, const std::string& connection_string,
                                const std::string& where);

class OdbcSession : public Session {
 public:
  explicit OdbcSession(std::shared_ptr<Link> link) : link_(std::move(link)) {}
  ~OdbcSession() override;

  std::unique_ptr<Statement> prepare(const std::string& sql) override;
  void begin() override { link_->begin(); }
  void commit() override { link_->commit(); }
  void rollback() override { link_->rollback(); }
  bool in_transaction() const override { return link_->in_transaction; }
  TableInfo describe_table(const std::string& table) override;
  void call_procedure(const std::string& name,
                      const std::vector<std::pair<std::string, Value>>& params) override;
  std::string quote_identifier(const std::string& name) const override;

 private:
  std::shared_ptr<Link> link_;
};

}  // namespace bm::data::odbc
