#include "data/drivers/odbc/odbc_types.h"

#include <algorithm>
#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bm::data::odbc {

namespace {

// SQL Server's own codes beyond the ODBC standard types (msodbcsql.h).
constexpr SQLSMALLINT kSsTime2 = -154;
constexpr SQLSMALLINT kSsDatetimeOffset = -155;
constexpr SQLSMALLINT kSsXml = -152;

// Above this, a text or byte column is a large object (varchar(max), text, image).
constexpr SQLULEN kLargeObject = 0x40000000;

bool is_wide(SQLSMALLINT t) { return t == SQL_WCHAR || t == SQL_WVARCHAR || t == SQL_WLONGVARCHAR; }

}  // namespace

namespace {

// "NUMERIC(9,2)" -> 9, 2; "DECIMAL" -> 0, 0. False for other names.
bool exact_type_name(const std::string& type_name, int& precision, int& scale) {
  if (strncasecmp(type_name.c_str(), "NUMERIC", 7) != 0 && strncasecmp(type_name.c_str(), "DECIMAL", 7) != 0)
    return false;
  precision = scale = 0;
  std::sscanf(type_name.c_str() + 7, " (%d , %d", &precision, &scale);
  return true;
}

}  // namespace

ColumnInfo column_info(const std::string& name, SQLSMALLINT sql_type, SQLULEN size,
                       SQLSMALLINT digits, bool nullable, Dialect dialect,
                       const std::string& type_name) {
  ColumnInfo c;
  int precision = 0, scale = 0;
  const bool exact_reported = sql_type == SQL_DECIMAL || sql_type == SQL_NUMERIC;
  if (!exact_reported && exact_type_name(type_name, precision, scale)) {
    c.name = name;
    c.nullable = nullable;
    c.type = ColumnType::Decimal;
    c.precision = precision;
    c.scale = scale;
    return c;
  }
  c.name = name;
  c.nullable = nullable;
  switch (sql_type) {
    case SQL_BIT:
    case SQL_TINYINT:
    case SQL_SMALLINT:
      c.type = ColumnType::Integer;
      c.bits = 16;
      break;
    case SQL_INTEGER:
      c.type = ColumnType::Integer;
      c.bits = 32;
      break;
    case SQL_BIGINT:
      c.type = ColumnType::Integer;
      c.bits = 64;
      break;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
      c.type = ColumnType::Decimal;
      c.precision = static_cast<int>(size);
      c.scale = digits;
      break;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
      c.type = ColumnType::Float;
      break;
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_WCHAR:
    case SQL_WVARCHAR:
      if (size == 0 || size >= kLargeObject) {
        c.type = ColumnType::TextBlob;
        break;
      }
      c.type = ColumnType::Text;
      c.char_length = static_cast<int>(size);
      // SQL Server: varchar(n) holds n bytes of code page 936, nvarchar(n) n characters of
      // UTF-16. Other databases count characters.
      if (dialect == Dialect::SqlServer && !is_wide(sql_type)) c.byte_length = static_cast<int>(size);
      break;
    case SQL_LONGVARCHAR:
    case SQL_WLONGVARCHAR:
    case kSsXml:
      c.type = ColumnType::TextBlob;
      break;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
      c.type = ColumnType::BinaryBlob;
      break;
    case SQL_TYPE_DATE:
    case SQL_DATE:
      c.type = ColumnType::Date;
      break;
    case SQL_TYPE_TIME:
    case SQL_TIME:
    case kSsTime2:
      c.type = ColumnType::Time;
      break;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP:
    case kSsDatetimeOffset:
      c.type = ColumnType::Timestamp;
      break;
    default:
      c.type = ColumnType::Other;
      break;
  }
  return c;
}

bool exact_type_without_scale(SQLSMALLINT sql_type, const std::string& type_name) {
  int precision = 0, scale = 0;
  return sql_type != SQL_DECIMAL && sql_type != SQL_NUMERIC && exact_type_name(type_name, precision, scale) &&
         type_name.find('(') == std::string::npos;
}

namespace {

// Reads a character, wide or binary field in pieces. Nullopt for NULL.
std::optional<std::string> read_pieces(SQLHSTMT h, SQLUSMALLINT col, SQLSMALLINT c_type,
                                       CodePage cp) {
  const size_t terminator = c_type == SQL_C_CHAR ? 1 : c_type == SQL_C_WCHAR ? sizeof(SQLWCHAR) : 0;
  std::string raw;
  std::vector<char> buf(8192);
  for (;;) {
    SQLLEN ind = 0;
    SQLRETURN rc = SQLGetData(h, col, c_type, buf.data(), static_cast<SQLLEN>(buf.size()), &ind);
    if (rc == SQL_NO_DATA) break;
    if (!succeeded(rc)) throw diag_error(SQL_HANDLE_STMT, h, cp, "Reading a field failed");
    if (ind == SQL_NULL_DATA) return std::nullopt;
    const size_t room = buf.size() - terminator;
    bool last = ind != SQL_NO_TOTAL && static_cast<size_t>(ind) <= room;
    size_t got = last ? static_cast<size_t>(ind) : room;
    if (c_type == SQL_C_WCHAR) got -= got % sizeof(SQLWCHAR);
    raw.append(buf.data(), got);
    if (last || rc == SQL_SUCCESS) break;
  }
  if (c_type == SQL_C_WCHAR)
    return utf16_to_utf8(reinterpret_cast<const SQLWCHAR*>(raw.data()), raw.size() / sizeof(SQLWCHAR));
  if (c_type == SQL_C_CHAR) return from_client(raw, cp);
  return raw;
}

template <typename T>
bool read_fixed(SQLHSTMT h, SQLUSMALLINT col, SQLSMALLINT c_type, T& out, CodePage cp) {
  SQLLEN ind = 0;
  SQLRETURN rc = SQLGetData(h, col, c_type, &out, sizeof out, &ind);
  if (!succeeded(rc)) throw diag_error(SQL_HANDLE_STMT, h, cp, "Reading a field failed");
  return ind != SQL_NULL_DATA;
}

Value decimal_value(const std::string& text, int scale) {
  std::optional<Decimal> d = parse_decimal(text);
  if (!d) {
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str()) return v;
    return text;
  }
  // Drivers write "12.5" for 12.50 (SQLite keeps numbers as floats); the column's scale holds.
  while (d->scale < scale && d->units > -100000000000000000LL && d->units < 100000000000000000LL) {
    d->units *= 10;
    ++d->scale;
  }
  return *d;
}

}  // namespace

Value read_field(SQLHSTMT h, SQLUSMALLINT col, SQLSMALLINT sql_type, const ColumnInfo& info,
                 CodePage cp) {
  switch (info.type) {
    case ColumnType::Integer: {
      int64_t v = 0;
      if (!read_fixed(h, col, SQL_C_SBIGINT, v, cp)) return {};
      return v;
    }
    case ColumnType::Float: {
      double v = 0;
      if (!read_fixed(h, col, SQL_C_DOUBLE, v, cp)) return {};
      return v;
    }
    case ColumnType::Decimal: {
      std::optional<std::string> text = read_pieces(h, col, SQL_C_CHAR, cp);
      if (!text) return {};
      return decimal_value(*text, info.scale);
    }
    case ColumnType::Date: {
      SQL_DATE_STRUCT d{};
      if (!read_fixed(h, col, SQL_C_TYPE_DATE, d, cp)) return {};
      return Date{d.year, d.month, d.day};
    }
    case ColumnType::Time: {
      SQL_TIME_STRUCT t{};
      if (!read_fixed(h, col, SQL_C_TYPE_TIME, t, cp)) return {};
      return Time{t.hour, t.minute, t.second, 0};
    }
    case ColumnType::Timestamp: {
      SQL_TIMESTAMP_STRUCT t{};
      if (!read_fixed(h, col, SQL_C_TYPE_TIMESTAMP, t, cp)) return {};
      // ODBC counts the fraction in nanoseconds; the program in ten-thousandths.
      return Timestamp{Date{t.year, t.month, t.day},
                       Time{t.hour, t.minute, t.second, static_cast<int>(t.fraction / 100000)}};
    }
    case ColumnType::BinaryBlob: {
      std::optional<std::string> bytes = read_pieces(h, col, SQL_C_BINARY, cp);
      if (!bytes) return {};
      return Bytes{std::move(*bytes)};
    }
    default: {
      std::optional<std::string> text = read_pieces(h, col, is_wide(sql_type) ? SQL_C_WCHAR : SQL_C_CHAR, cp);
      if (!text) return {};
      return std::move(*text);
    }
  }
}

}  // namespace bm::data::odbc
