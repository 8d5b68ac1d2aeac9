// Installs the program's drivers: Firebird for INTRBASE, ODBC for MSSQL. The SQL Server stand-in
// takes ODBC's place only when asked for (a start option or a test setting), never silently.
#pragma once
#include <string>

namespace bm::data {

void install_default_drivers();
// Serves MSSQL connections from the stand-in: each database name is one file in `folder`.
void use_sqlserver_standin(const std::string& folder);

}  // namespace bm::data
