// Moving values between SQLite and the program, and the text forms the stand-in stores
// dates and times in ('YYYY-MM-DD HH:MM:SS.mmm', 'YYYY-MM-DD', 'HH:MM:SS.mmm').
#pragma once
#include <sqlite3.h>

#include <optional>
#include <string>

#include "data/value.h"
#include "data/drivers/standin/tsql_types.h"

namespace bm::data::standin {

// A value as SQLite holds it (NULL, integer, real, text, blob).
Value from_sqlite(sqlite3_value* v);
Value column_value(sqlite3_stmt* stmt, int col);
void set_result(sqlite3_context* ctx, const Value& v);
// Binds a program value: exact numbers as their text (the column's affinity turns them into a
// number, a text column keeps "12.50"), dates and times in the stored text forms.
int bind_value(sqlite3_stmt* stmt, int index, const Value& v);

// The stored form of a value for a column of the given type, or an error text (SQL Server's
// message) when the value cannot be stored there.
struct Stored {
  Value value;
  std::string error;
};
Stored store_value(const Value& v, const SqlType& type);

// The program's value of a stored value read from a column of the given type.
Value read_value(const Value& stored, const SqlType& type);

// Parses the date-time texts SQL Server reads with DATEFORMAT ymd.
std::optional<Timestamp> parse_sql_datetime(const std::string& text, bool* out_of_range);
std::string datetime_text(const Timestamp& ts);  // 'YYYY-MM-DD HH:MM:SS.mmm'

// Text of a number or value the way SQL Server converts it to varchar.
std::string value_text(const Value& v);
// Length rules of character columns: bytes in code page 936 and UTF-16 characters, both
// without trailing blanks.
size_t gbk_bytes(const std::string& utf8);
size_t utf16_units(const std::string& utf8);
std::string rtrim_blanks(const std::string& s);
// Decimal rounding half away from zero on the decimal digits of a double.
double round_decimal(double v, int scale);

}  // namespace bm::data::standin
