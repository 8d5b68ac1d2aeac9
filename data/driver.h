// The interface every database driver implements. A driver turns a connection's parameter
// list into a session; a session prepares statements, describes tables, runs transactions.
// Everything above this interface (queries, helpers, copy jobs) is driver-independent.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/error.h"
#include "data/value.h"

namespace bm::data {

enum class ColumnType { Integer, Decimal, Float, Text, Date, Time, Timestamp, TextBlob, BinaryBlob, Other };

struct ColumnInfo {
  std::string name;  // as the database reports it (UTF-8)
  ColumnType type = ColumnType::Other;
  int bits = 0;         // Integer: 16, 32 or 64
  int precision = 0;    // Decimal: total digits (0 when unknown)
  int scale = 0;        // Decimal: digits after the point
  int char_length = 0;  // Text: maximum characters (0 when unlimited or unknown)
  int byte_length = 0;  // Text: maximum bytes in the database's code page (0 when unknown)
  bool nullable = true;
  bool has_default = false;
  bool identity = false;  // filled by the database; explicit values are refused
  bool computed = false;  // computed column: never written
};

struct TableInfo {
  std::string name;
  std::vector<ColumnInfo> columns;
  std::vector<std::string> primary_key;  // column names in key order; empty without a key
};

// One prepared statement. Parameters are positional ('?' markers in the text it was prepared from).
class Statement {
 public:
  virtual ~Statement() = default;
  virtual size_t param_count() const = 0;
  // Runs the statement. A statement that returns rows leaves a cursor open on them.
  virtual void execute(const std::vector<Value>& params) = 0;
  // Runs the statement once per parameter row, in order, and stops at the first row that fails:
  // returns how many rows were applied before it. Rows after a failing row are not applied, and
  // a failing row leaves nothing behind (the database undoes only the failing statement).
  // `failure` receives the error of the failing row. Drivers may override this to send many rows
  // at once; the default runs execute() row by row.
  virtual size_t execute_many(const std::vector<std::vector<Value>>& rows,
                              std::optional<DbError>& failure);
  // Columns of the result; empty when the statement returns no rows.
  virtual const std::vector<ColumnInfo>& result_columns() const = 0;
  // Reads the next row of the open cursor into `row`; false at the end.
  virtual bool fetch(std::vector<Value>& row) = 0;
  virtual void close_cursor() = 0;
  // Rows changed by the last execute (-1 when the driver cannot tell).
  virtual int64_t rows_affected() const = 0;
};

// One open connection to one database.
class Session {
 public:
  virtual ~Session() = default;
  // Prepares UTF-8 SQL text. The driver converts it to the connection's code page.
  virtual std::unique_ptr<Statement> prepare(const std::string& sql) = 0;
  // Outside an explicit transaction every statement is committed as soon as it has run, and a
  // cursor reads in a transaction of its own that ends when the cursor is closed.
  virtual void begin() = 0;
  virtual void commit() = 0;
  virtual void rollback() = 0;
  virtual bool in_transaction() const = 0;
  // Columns, types and primary key of a table, read from the database. Fails when the table
  // does not exist. Names compare case-insensitively.
  virtual TableInfo describe_table(const std::string& table) = 0;
  // Calls a stored procedure with input parameters given by name.
  virtual void call_procedure(const std::string& name,
                              const std::vector<std::pair<std::string, Value>>& params) = 0;
  // A statement that inserts one row into `table`, one '?' per column in the order given. Drivers
  // may override it to send many rows per round trip through execute_many.
  virtual std::unique_ptr<Statement> prepare_insert(const std::string& table,
                                                    const std::vector<std::string>& columns);
  // A column or table name as it must be written in this database's SQL.
  virtual std::string quote_identifier(const std::string& name) const = 0;
};

class Driver {
 public:
  virtual ~Driver() = default;
  // Opens a session from a connection's parameter list (NAME=value lines).
  virtual std::unique_ptr<Session> connect(const std::vector<std::string>& params) = 0;
};

// Value of a NAME=value line of a parameter list (names compare case-insensitively); empty
// text when the list has no such line.
std::string param_value(const std::vector<std::string>& params, const std::string& name);

}  // namespace bm::data
