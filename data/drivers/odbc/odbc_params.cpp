// Values laid out as bound parameters: one column of values per parameter, for one row or many.
#include <algorithm>
#include <cstring>

#include "data/drivers/odbc/odbc_types.h"

namespace bm::data::odbc {

namespace {

enum class Kind { Null, Int, Double, Decimal, Text, Date, Time, Timestamp, Bytes };

Kind kind_of(const Value& v) {
  switch (v.index()) {
    case 0: return Kind::Null;
    case 1: return Kind::Int;
    case 2: return Kind::Double;
    case 3: return Kind::Decimal;
    case 4: return Kind::Text;
    case 5: return Kind::Date;
    case 6: return Kind::Time;
    case 7: return Kind::Timestamp;
    default: return Kind::Bytes;
  }
}

// Text and bytes larger than this go one row at a time: an array reserves the largest value's
// room for every row.
constexpr size_t kArrayElementLimit = 64 * 1024;
// SQL Server's largest varchar / varbinary before the large-object types.
constexpr size_t kLongThreshold = 8000;

SQL_TIMESTAMP_STRUCT timestamp_struct(const Timestamp& ts) {
  SQL_TIMESTAMP_STRUCT s{};
  s.year = static_cast<SQLSMALLINT>(ts.date.year);
  s.month = static_cast<SQLUSMALLINT>(ts.date.month);
  s.day = static_cast<SQLUSMALLINT>(ts.date.day);
  s.hour = static_cast<SQLUSMALLINT>(ts.time.hour);
  s.minute = static_cast<SQLUSMALLINT>(ts.time.minute);
  s.second = static_cast<SQLUSMALLINT>(ts.time.second);
  // Sent with millisecond precision (SQL Server's datetime); ten-thousandths round down.
  s.fraction = static_cast<SQLUINTEGER>(ts.time.fraction / 10) * 1000000u;
  return s;
}

int digits_before_point(const Decimal& d) {
  int64_t whole = d.units;
  for (int i = 0; i < d.scale; ++i) whole /= 10;
  int n = 1;
  while (whole >= 10 || whole <= -10) {
    whole /= 10;
    ++n;
  }
  return n;
}

}  // namespace

std::optional<ParamColumn> param_column(const std::vector<Value>* rows, size_t count, size_t index,
                                        const std::function<SQLSMALLINT()>& null_type,
                                        Dialect dialect, CodePage cp) {
  Kind kind = Kind::Null;
  for (size_t r = 0; r < count; ++r) {
    Kind k = kind_of(rows[r][index]);
    if (k == Kind::Null) continue;
    if (kind != Kind::Null && k != kind) return std::nullopt;
    kind = k;
  }

  ParamColumn p;
  p.indicators.assign(count, SQL_NULL_DATA);
  std::vector<std::string> texts;  // Decimal, Text, Time, Bytes: the bytes to send per row
  switch (kind) {
    case Kind::Null:
      p.c_type = SQL_C_CHAR;
      p.sql_type = null_type();
      p.column_size = 1;
      p.element_size = 1;
      p.data.assign(count, '\0');
      return p;
    case Kind::Int:
      p.c_type = SQL_C_SBIGINT;
      p.sql_type = SQL_BIGINT;
      p.column_size = 19;
      p.element_size = sizeof(int64_t);
      break;
    case Kind::Double:
      p.c_type = SQL_C_DOUBLE;
      p.sql_type = SQL_DOUBLE;
      p.column_size = 15;
      p.element_size = sizeof(double);
      break;
    case Kind::Date:
      // SQL Server before 2008 has no date type: a date travels as a datetime at midnight.
      if (dialect == Dialect::SqlServer) {
        p.c_type = SQL_C_TYPE_TIMESTAMP;
        p.sql_type = SQL_TYPE_TIMESTAMP;
        p.column_size = 23;
        p.digits = 3;
        p.element_size = sizeof(SQL_TIMESTAMP_STRUCT);
      } else {
        p.c_type = SQL_C_TYPE_DATE;
        p.sql_type = SQL_TYPE_DATE;
        p.column_size = 10;
        p.element_size = sizeof(SQL_DATE_STRUCT);
      }
      break;
    case Kind::Timestamp:
      p.c_type = SQL_C_TYPE_TIMESTAMP;
      p.sql_type = SQL_TYPE_TIMESTAMP;
      p.column_size = 23;
      p.digits = 3;
      p.element_size = sizeof(SQL_TIMESTAMP_STRUCT);
      break;
    case Kind::Decimal:
    case Kind::Text:
    case Kind::Time:
    case Kind::Bytes: {
      texts.resize(count);
      size_t longest = 0;
      int whole_digits = 1, scale = 0;
      for (size_t r = 0; r < count; ++r) {
        const Value& v = rows[r][index];
        if (is_null(v)) continue;
        if (kind == Kind::Decimal) {
          const Decimal& d = std::get<Decimal>(v);
          whole_digits = std::max(whole_digits, digits_before_point(d));
          scale = std::max(scale, d.scale);
          texts[r] = to_text(d);
        } else if (kind == Kind::Text) {
          texts[r] = to_client(std::get<std::string>(v), cp);
        } else if (kind == Kind::Time) {
          texts[r] = to_text(std::get<Time>(v));
        } else {
          texts[r] = std::get<Bytes>(v).data;
        }
        longest = std::max(longest, texts[r].size());
      }
      if (count > 1 && longest > kArrayElementLimit) return std::nullopt;
      p.element_size = static_cast<SQLLEN>(std::max<size_t>(longest, 1));
      p.column_size = std::max<size_t>(longest, 1);
      if (kind == Kind::Decimal) {
        p.c_type = SQL_C_CHAR;
        p.sql_type = SQL_DECIMAL;
        p.column_size = static_cast<SQLULEN>(std::min(whole_digits + scale, 38));
        p.digits = static_cast<SQLSMALLINT>(scale);
      } else if (kind == Kind::Bytes) {
        p.c_type = SQL_C_BINARY;
        p.sql_type = longest > kLongThreshold ? SQL_LONGVARBINARY : SQL_VARBINARY;
      } else {
        p.c_type = SQL_C_CHAR;
        p.sql_type = longest > kLongThreshold ? SQL_LONGVARCHAR : SQL_VARCHAR;
      }
      break;
    }
  }

  p.data.assign(static_cast<size_t>(p.element_size) * count, '\0');
  for (size_t r = 0; r < count; ++r) {
    const Value& v = rows[r][index];
    if (is_null(v)) continue;
    char* slot = p.data.data() + static_cast<size_t>(p.element_size) * r;
    switch (kind) {
      case Kind::Int: {
        int64_t x = std::get<int64_t>(v);
        std::memcpy(slot, &x, sizeof x);
        p.indicators[r] = sizeof x;
        break;
      }
      case Kind::Double: {
        double x = std::get<double>(v);
        std::memcpy(slot, &x, sizeof x);
        p.indicators[r] = sizeof x;
        break;
      }
      case Kind::Date: {
        const Date& d = std::get<Date>(v);
        if (dialect == Dialect::SqlServer) {
          SQL_TIMESTAMP_STRUCT s = timestamp_struct(Timestamp{d, Time{}});
          std::memcpy(slot, &s, sizeof s);
          p.indicators[r] = sizeof s;
        } else {
          SQL_DATE_STRUCT s{};
          s.year = static_cast<SQLSMALLINT>(d.year);
          s.month = static_cast<SQLUSMALLINT>(d.month);
          s.day = static_cast<SQLUSMALLINT>(d.day);
          std::memcpy(slot, &s, sizeof s);
          p.indicators[r] = sizeof s;
        }
        break;
      }
      case Kind::Timestamp: {
        SQL_TIMESTAMP_STRUCT s = timestamp_struct(std::get<Timestamp>(v));
        std::memcpy(slot, &s, sizeof s);
        p.indicators[r] = sizeof s;
        break;
      }
      default:
        std::memcpy(slot, texts[r].data(), texts[r].size());
        p.indicators[r] = static_cast<SQLLEN>(texts[r].size());
        break;
    }
  }
  return p;
}

}  // namespace bm::data::odbc
