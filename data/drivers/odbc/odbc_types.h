// Types across the ODBC boundary: SQL types to ColumnInfo, result fields to Value, and Values
// to bound parameters (a column of values per parameter, so one row and an array of rows are
// bound alike).
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/driver.h"
#include "data/drivers/odbc/odbc_api.h"

namespace bm::data::odbc {

// A column as a result description or SQLColumns reports it. `type_name` is the database's
// own name of the type; "NUMERIC(p,s)" and "DECIMAL(p,s)" make an exact column even where the
// driver reports another type (SQLite's reports them as floating or character columns).
ColumnInfo column_info(const std::string& name, SQLSMALLINT sql_type, SQLULEN size,
                       SQLSMALLINT digits, bool nullable, Dialect dialect,
                       const std::string& type_name = {});

// True when a result column is NUMERIC or DECIMAL by its type name, but the driver told neither
// its type nor its scale: the declared type of its table's column must say.
bool exact_type_without_scale(SQLSMALLINT sql_type, const std::string& type_name);

// Reads field `col` of the current row with SQLGetData, as the column's type asks.
Value read_field(SQLHSTMT h, SQLUSMALLINT col, SQLSMALLINT sql_type, const ColumnInfo& info,
                 CodePage cp);

// The values of one parameter for `count` rows, laid out as SQLBindParameter wants them.
struct ParamColumn {
  SQLSMALLINT c_type = SQL_C_CHAR;
  SQLSMALLINT sql_type = SQL_VARCHAR;
  SQLULEN column_size = 1;
  SQLSMALLINT digits = 0;
  SQLLEN element_size = 1;
  std::vector<char> data;
  std::vector<SQLLEN> indicators;
};

// Lays out parameter `index` of the `count` rows from `rows` on. Nullopt when the rows hold
// values of different kinds for it, or values too large to send many at once: the caller then
// sends those rows one by one. `null_type` gives the SQL type used when every value is NULL.
std::optional<ParamColumn> param_column(const std::vector<Value>* rows, size_t count, size_t index,
                                        const std::function<SQLSMALLINT()>& null_type,
                                        Dialect dialect, CodePage cp);

}  // namespace bm::data::odbc
