// The MSSQL driver: ODBC. On Linux unixODBC with FreeTDS's ODBC driver, on Windows the system's
// driver manager and SQL Server driver. The same code also serves any other ODBC driver (the
// tests run it through SQLite's) with the Generic dialect.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/driver.h"

namespace bm::data::odbc {

// How text travels through the narrow (SQLCHAR) calls. SQL Server databases of this product
// hold their text in code page 936, so SQL text and text values cross as GBK; SQLite's driver
// reads and writes UTF-8.
enum class CodePage { Gbk, Utf8 };

// SqlServer: T-SQL, [name] quoting, session options sent after connecting, transactions and
// savepoints in T-SQL, procedures through "exec". Generic: standard SQL, "name" quoting, no
// session options, SAVEPOINT statements, no procedures.
enum class Dialect { SqlServer, Generic };

struct Options {
  // Builds the ODBC connection string from a connection's parameter list. Unset: SQL Server
  // from "DATABASE NAME=", "SERVER NAME=", "USER NAME=", "PASSWORD=" (sqlserver_connection_string).
  // A line "ODBC CONNECT=<connection string>" in the parameter list always wins.
  std::function<std::string(const std::vector<std::string>& params)> connection_string;
  CodePage code_page = CodePage::Gbk;
  Dialect dialect = Dialect::SqlServer;
  // A server that does not answer fails the connect after this many seconds.
  int login_timeout_seconds = 5;
  // Rows sent in one parameter array by Statement::execute_many (1: row by row).
  int rows_per_array = 200;
};

std::shared_ptr<Driver> make_driver(Options options = {});

// Options for SQLite's ODBC driver (tests): Generic dialect, UTF-8.
Options sqlite_options();

// The SQL Server connection string of a parameter list. "SERVER NAME=(local)" is this machine's
// default instance: on Linux FreeTDS at 127.0.0.1 port 1433, on Windows "(local)" with the
// system's SQL Server driver. "host,port" and "host\instance" pass on as FreeTDS reads them.
std::string sqlserver_connection_string(const std::vector<std::string>& params,
                                        CodePage code_page = CodePage::Gbk);

// A value for a connection string: unchanged when it is plain, else in braces.
std::string connection_string_value(const std::string& value);

}  // namespace bm::data::odbc
