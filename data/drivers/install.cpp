#include "data/drivers/install.h"

#include "data/connection.h"
#include "data/drivers/firebird/fb_driver.h"
#ifdef HAVE_BM_ODBC
#include "data/drivers/odbc/odbc_driver.h"
#endif
#ifdef HAVE_BM_STANDIN
#include "data/drivers/standin/standin_driver.h"
#endif

namespace bm::data {

void install_default_drivers() {
  set_driver(DriverKind::INTRBASE, firebird::make_driver());
#ifdef HAVE_BM_ODBC
  set_driver(DriverKind::MSSQL, odbc::make_driver());
#endif
}

void use_sqlserver_standin(const std::string& folder) {
#ifdef HAVE_BM_STANDIN
  set_driver(DriverKind::MSSQL, standin::make_driver(folder));
#else
  (void)folder;
  throw DbError("The SQL Server stand-in is not built into this program");
#endif
}

}  // namespace bm::data
