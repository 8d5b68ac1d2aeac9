#include "data/drivers/odbc/odbc_session.h"

#include <cstdint>

#include "data/drivers/odbc/odbc_statement.h"

namespace bm::data::odbc {

Link::~Link() {
  if (!connected) return;
  if (in_transaction) {
    try {
      rollback();
    } catch (const DbError&) {
      // The connection is going anyway; the server undoes what was not committed.
    }
  }
  SQLDisconnect(dbc.get());
}

void Link::exec(const std::string& sql_text) {
  Handle stmt(SQL_HANDLE_STMT, dbc.get());
  std::string text = to_client(sql_text, cp());
  SQLRETURN rc = SQLExecDirect(stmt.get(), reinterpret_cast<SQLCHAR*>(text.data()),
                               static_cast<SQLINTEGER>(text.size()));
  check(rc, stmt, cp(), "SQLExecDirect");
  // SQL Server reports an error of a later statement of a batch only with its own result.
  while ((rc = SQLMoreResults(stmt.get())) != SQL_NO_DATA) check(rc, stmt, cp(), "SQLMoreResults");
}

namespace {

void set_autocommit(Link& link, bool on) {
  SQLRETURN rc = SQLSetConnectAttr(link.dbc.get(), SQL_ATTR_AUTOCOMMIT,
                                   reinterpret_cast<SQLPOINTER>(static_cast<uintptr_t>(
                                       on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF)),
                                   SQL_IS_UINTEGER);
  check(rc, link.dbc, link.cp(), "SQLSetConnectAttr(AUTOCOMMIT)");
}

void end_transaction(Link& link, SQLSMALLINT how) {
  SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, link.dbc.get(), how);
  check(rc, link.dbc, link.cp(), "SQLEndTran");
}

}  // namespace

void Link::begin() {
  if (in_transaction) throw DbError("A transaction is already active");
  if (sql().begin.empty()) {
    set_autocommit(*this, false);
  } else {
    exec(sql().begin);
  }
  in_transaction = true;
}

void Link::commit() {
  if (!in_transaction) return;
  in_transaction = false;
  try {
    if (sql().commit.empty()) {
      end_transaction(*this, SQL_COMMIT);
      set_autocommit(*this, true);
    } else {
      exec(sql().commit);
    }
  } catch (const DbError&) {
    // Whatever the commit left behind is undone, so that the session is usable again.
    try {
      if (sql().rollback.empty()) {
        end_transaction(*this, SQL_ROLLBACK);
        set_autocommit(*this, true);
      } else {
        exec(sql().rollback);
      }
    } catch (const DbError&) {
    }
    throw;
  }
}

void Link::rollback() {
  if (!in_transaction) return;
  in_transaction = false;
  if (sql().rollback.empty()) {
    end_transaction(*this, SQL_ROLLBACK);
    set_autocommit(*this, true);
  } else {
    exec(sql().rollback);
  }
}

std::shared_ptr<Link> open_link(const Options& options, const std::string& connection_string,
                                const std::string& where) {
  auto link = std::make_shared<Link>();
  link->options = options;
  link->env = Handle(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
  SQLSetEnvAttr(link->env.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  link->dbc = Handle(SQL_HANDLE_DBC, link->env.get());
  if (options.login_timeout_seconds > 0) {
    SQLSetConnectAttr(link->dbc.get(), SQL_ATTR_LOGIN_TIMEOUT,
                      reinterpret_cast<SQLPOINTER>(static_cast<uintptr_t>(options.login_timeout_seconds)),
                      SQL_IS_UINTEGER);
  }
  std::string text;
  try {
    text = to_client(connection_string, options.code_page);
  } catch (const DbError& e) {
    throw DbError("Cannot connect to " + where + ": " + e.what(), DbError::Kind::Connection);
  }
  SQLCHAR out[1024];
  SQLSMALLINT out_len = 0;
  SQLRETURN rc = SQLDriverConnect(link->dbc.get(), nullptr, reinterpret_cast<SQLCHAR*>(text.data()),
                                  static_cast<SQLSMALLINT>(text.size()), out, sizeof out, &out_len,
                                  SQL_DRIVER_NOPROMPT);
  if (!succeeded(rc)) {
    Diagnostics d = read_diagnostics(SQL_HANDLE_DBC, link->dbc.get(), options.code_page);
    throw DbError("Cannot connect to " + where + ": " +
                      (d.empty() ? std::string("the ODBC driver gave no reason") : d.text),
                  DbError::Kind::Connection);
  }
  link->connected = true;
  try {
    for (const std::string& option : link->sql().session_options) link->exec(option);
  } catch (const DbError& e) {
    throw DbError("Connected to " + where + ", but the session could not be set up: " + e.what(),
                  DbError::Kind::Connection);
  }
  return link;
}

OdbcSession::~OdbcSession() {
  if (link_->in_transaction) {
    try {
      link_->rollback();
    } catch (const DbError&) {
    }
  }
}

std::unique_ptr<Statement> OdbcSession::prepare(const std::string& sql) {
  return std::make_unique<OdbcStatement>(link_, sql);
}

void OdbcSession::call_procedure(const std::string& name,
                                 const std::vector<std::pair<std::string, Value>>& params) {
  if (!link_->sql().procedures)
    throw DbError("stored procedures are not supported by this database");
  // "exec name @A=?, @B=?": parameters by name, so their order does not matter.
  std::string sql = "exec " + name;
  std::vector<Value> values;
  for (const auto& [param, value] : params) {
    sql += values.empty() ? " " : ", ";
    sql += (param.rfind('@', 0) == 0 ? "" : "@") + param + "=?";
    values.push_back(value);
  }
  OdbcStatement statement(link_, sql);
  statement.execute(values);
  statement.close_cursor();
}

std::string OdbcSession::quote_identifier(const std::string& name) const {
  return quote_name(link_->options.dialect, name);
}

}  // namespace bm::data::odbc
