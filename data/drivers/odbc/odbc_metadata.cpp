// Session::describe_table through the catalog functions (SQLColumns, SQLPrimaryKeys), with SQL
// Server's own column properties for identity and computed columns.
#include <strings.h>

#include <algorithm>
#include <map>

#include "data/drivers/odbc/odbc_session.h"
#include "data/drivers/odbc/odbc_statement.h"

namespace bm::data::odbc {

namespace {

std::optional<std::string> text_at(SQLHSTMT h, SQLUSMALLINT col, CodePage cp) {
  char buf[2048];
  SQLLEN ind = 0;
  SQLRETURN rc = SQLGetData(h, col, SQL_C_CHAR, buf, sizeof buf, &ind);
  if (!succeeded(rc) || ind == SQL_NULL_DATA) return std::nullopt;
  size_t len = ind == SQL_NO_TOTAL ? sizeof buf - 1 : std::min<size_t>(static_cast<size_t>(ind), sizeof buf - 1);
  return from_client(std::string(buf, len), cp);
}

int64_t int_at(SQLHSTMT h, SQLUSMALLINT col) {
  int64_t v = 0;
  SQLLEN ind = 0;
  SQLRETURN rc = SQLGetData(h, col, SQL_C_SBIGINT, &v, sizeof v, &ind);
  return succeeded(rc) && ind != SQL_NULL_DATA ? v : 0;
}

bool same_name(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

bool ends_with_nocase(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && same_name(s.substr(s.size() - tail.size()), tail);
}

struct CatalogColumn {
  std::string schema;
  std::string table;
  std::string type_name;
  ColumnInfo info;
};

// SQLColumns takes a search pattern ("_" matches any character), so the rows are filtered
// by the exact name, compared without regard to case.
std::vector<CatalogColumn> catalog_columns(Link& link, const std::string& schema, const std::string& table) {
  Handle h(SQL_HANDLE_STMT, link.dbc.get());
  std::string s = to_client(schema, link.cp());
  std::string t = to_client(table, link.cp());
  SQLRETURN rc = SQLColumns(h.get(), nullptr, 0,
                            schema.empty() ? nullptr : reinterpret_cast<SQLCHAR*>(s.data()),
                            schema.empty() ? 0 : static_cast<SQLSMALLINT>(s.size()),
                            reinterpret_cast<SQLCHAR*>(t.data()), static_cast<SQLSMALLINT>(t.size()), nullptr, 0);
  check(rc, h, link.cp(), "SQLColumns");
  std::vector<CatalogColumn> out;
  while ((rc = SQLFetch(h.get())) != SQL_NO_DATA) {
    check(rc, h, link.cp(), "SQLFetch");
    CatalogColumn c;
    c.schema = text_at(h.get(), 2, link.cp()).value_or("");
    c.table = text_at(h.get(), 3, link.cp()).value_or("");
    if (!same_name(c.table, table)) continue;
    std::string name = text_at(h.get(), 4, link.cp()).value_or("");
    auto type = static_cast<SQLSMALLINT>(int_at(h.get(), 5));
    c.type_name = text_at(h.get(), 6, link.cp()).value_or("");
    auto size = static_cast<SQLULEN>(std::max<int64_t>(int_at(h.get(), 7), 0));
    auto digits = static_cast<SQLSMALLINT>(int_at(h.get(), 9));
    bool nullable = int_at(h.get(), 11) != SQL_NO_NULLS;
    std::optional<std::string> def = text_at(h.get(), 13, link.cp());
    c.info = column_info(name, type, size, digits, nullable, link.options.dialect, c.type_name);
    c.info.has_default = def.has_value() && !def->empty() && !same_name(*def, "NULL");
    // SQL Server's drivers report an identity column's type as "int identity".
    c.info.identity = ends_with_nocase(c.type_name, " identity");
    // A rowversion column is filled by the server on every write.
    if (link.options.dialect == Dialect::SqlServer &&
        (same_name(c.type_name, "timestamp") || same_name(c.type_name, "rowversion")))
      c.info.computed = true;
    out.push_back(std::move(c));
  }
  return out;
}

std::vector<std::string> primary_key(Link& link, const std::string& schema, const std::string& table) {
  Handle h(SQL_HANDLE_STMT, link.dbc.get());
  std::string s = to_client(schema, link.cp());
  std::string t = to_client(table, link.cp());
  SQLRETURN rc = SQLPrimaryKeys(h.get(), nullptr, 0,
                                schema.empty() ? nullptr : reinterpret_cast<SQLCHAR*>(s.data()),
                                schema.empty() ? 0 : static_cast<SQLSMALLINT>(s.size()),
                                reinterpret_cast<SQLCHAR*>(t.data()), static_cast<SQLSMALLINT>(t.size()));
  check(rc, h, link.cp(), "SQLPrimaryKeys");
  std::map<int64_t, std::string> by_position;
  while ((rc = SQLFetch(h.get())) != SQL_NO_DATA) {
    check(rc, h, link.cp(), "SQLFetch");
    if (!same_name(text_at(h.get(), 3, link.cp()).value_or(""), table)) continue;
    by_position[int_at(h.get(), 5)] = text_at(h.get(), 4, link.cp()).value_or("");
  }
  std::vector<std::string> key;
  for (auto& [pos, name] : by_position) key.push_back(name);
  return key;
}

// Identity and computed columns as SQL Server itself knows them (syscolumns exists in every
// version from 2000 on). Drivers that report neither in SQLColumns still get them right.
void sqlserver_properties(const std::shared_ptr<Link>& link, const std::string& schema,
                          const std::string& table, std::vector<ColumnInfo>& columns) {
  try {
    OdbcStatement q(link,
                    "SELECT name, COLUMNPROPERTY(id, name, 'IsIdentity'), "
                    "COLUMNPROPERTY(id, name, 'IsComputed') FROM syscolumns WHERE id = OBJECT_ID(?)");
    q.execute({Value(quote_name(Dialect::SqlServer, schema) + "." + quote_name(Dialect::SqlServer, table))});
    std::vector<Value> row;
    while (q.fetch(row)) {
      if (row.size() < 3 || !std::holds_alternative<std::string>(row[0])) continue;
      for (ColumnInfo& c : columns) {
        if (!same_name(c.name, std::get<std::string>(row[0]))) continue;
        if (std::holds_alternative<int64_t>(row[1]) && std::get<int64_t>(row[1]) == 1) c.identity = true;
        if (std::holds_alternative<int64_t>(row[2]) && std::get<int64_t>(row[2]) == 1) c.computed = true;
      }
    }
  } catch (const DbError&) {
    // A server without syscolumns: the type names above decide.
  }
}

}  // namespace

std::string declared_type_name(Link& link, const std::string& table, const std::string& column) {
  try {
    for (const CatalogColumn& c : catalog_columns(link, "", table))
      if (same_name(c.info.name, column)) return c.type_name;
  } catch (const DbError&) {
  }
  return {};
}

TableInfo OdbcSession::describe_table(const std::string& table) {
  std::string schema, name = table;
  if (auto dot = table.rfind('.'); dot != std::string::npos) {
    schema = table.substr(0, dot);
    name = table.substr(dot + 1);
  }
  std::vector<CatalogColumn> found = catalog_columns(*link_, schema, name);
  if (found.empty()) throw DbError("Table \"" + table + "\" does not exist");

  // The same name in several schemas: the one of the database's owner (dbo) or else the first.
  std::string chosen = found.front().schema;
  for (const CatalogColumn& c : found)
    if (same_name(c.schema, "dbo")) chosen = c.schema;

  TableInfo info;
  info.name = found.front().table;
  for (CatalogColumn& c : found)
    if (c.schema == chosen) info.columns.push_back(std::move(c.info));
  if (link_->options.dialect == Dialect::SqlServer)
    sqlserver_properties(link_, chosen.empty() ? "dbo" : chosen, info.name, info.columns);
  info.primary_key = primary_key(*link_, chosen, info.name);
  return info;
}

}  // namespace bm::data::odbc
