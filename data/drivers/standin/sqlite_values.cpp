#include "data/drivers/standin/sqlite_values.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace bm::data::standin {

Value from_sqlite(sqlite3_value* v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: return static_cast<int64_t>(sqlite3_value_int64(v));
    case SQLITE_FLOAT: return sqlite3_value_double(v);
    case SQLITE_TEXT:
      return std::string(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                         static_cast<size_t>(sqlite3_value_bytes(v)));
    case SQLITE_BLOB: {
      const char* p = static_cast<const char*>(sqlite3_value_blob(v));
      return Bytes{std::string(p ? p : "", static_cast<size_t>(sqlite3_value_bytes(v)))};
    }
    default: return std::monostate{};
  }
}

Value column_value(sqlite3_stmt* stmt, int col) { return from_sqlite(sqlite3_column_value(stmt, col)); }

void set_result(sqlite3_context* ctx, const Value& v) {
  if (auto* i = std::get_if<int64_t>(&v)) sqlite3_result_int64(ctx, *i);
  else if (auto* d = std::get_if<double>(&v)) sqlite3_result_double(ctx, *d);
  else if (auto* s = std::get_if<std::string>(&v))
    sqlite3_result_text(ctx, s->data(), static_cast<int>(s->size()), SQLITE_TRANSIENT);
  else if (auto* b = std::get_if<Bytes>(&v))
    sqlite3_result_blob(ctx, b->data.data(), static_cast<int>(b->data.size()), SQLITE_TRANSIENT);
  else if (auto* dec = std::get_if<Decimal>(&v))
    sqlite3_result_double(ctx, to_double(*dec));
  else if (auto* ts = std::get_if<Timestamp>(&v)) {
    std::string s = datetime_text(*ts);
    sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
  } else if (std::holds_alternative<Date>(v) || std::holds_alternative<Time>(v)) {
    std::string s = value_text(v);
    sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
  } else
    sqlite3_result_null(ctx);
}

int bind_value(sqlite3_stmt* stmt, int index, const Value& v) {
  if (auto* i = std::get_if<int64_t>(&v)) return sqlite3_bind_int64(stmt, index, *i);
  if (auto* d = std::get_if<double>(&v)) return sqlite3_bind_double(stmt, index, *d);
  if (auto* b = std::get_if<Bytes>(&v))
    return sqlite3_bind_blob(stmt, index, b->data.data(), static_cast<int>(b->data.size()), SQLITE_TRANSIENT);
  if (is_null(v)) return sqlite3_bind_null(stmt, index);
  std::string s = value_text(v);
  return sqlite3_bind_text(stmt, index, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

std::string datetime_text(const Timestamp& ts) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", ts.date.year, ts.date.month,
                ts.date.day, ts.time.hour, ts.time.minute, ts.time.second, ts.time.fraction / 10);
  return buf;
}

std::string value_text(const Value& v) {
  if (auto* d = std::get_if<double>(&v)) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", *d);
    return buf;
  }
  if (auto* ts = std::get_if<Timestamp>(&v)) return datetime_text(*ts);
  if (auto* t = std::get_if<Time>(&v)) {
    char buf[20];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03d", t->hour, t->minute, t->second, t->fraction / 10);
    return buf;
  }
  if (auto* b = std::get_if<Bytes>(&v)) return b->data;
  return to_text(v);
}

std::string rtrim_blanks(const std::string& s) {
  size_t e = s.size();
  while (e > 0 && s[e - 1] == ' ') --e;
  return s.substr(0, e);
}

size_t gbk_bytes(const std::string& utf8) {
  size_t n = 0;
  for (unsigned char c : rtrim_blanks(utf8)) {
    if (c < 0x80) ++n;          // ASCII: one byte
    else if (c >= 0xC0) n += 2; // a lead byte: the character takes two bytes in GBK
  }
  return n;
}

size_t utf16_units(const std::string& utf8) {
  size_t n = 0;
  for (unsigned char c : rtrim_blanks(utf8)) {
    if (c < 0x80 || (c >= 0xC0 && c < 0xF0)) ++n;
    else if (c >= 0xF0) n += 2;
  }
  return n;
}

double round_decimal(double v, int scale) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  double exact = std::strtod(buf, nullptr);
  double f = std::pow(10.0, scale);
  double scaled = exact * f;
  // The digits of the shortest form decide: nudge away from zero before rounding.
  double r = std::round(scaled + (scaled >= 0 ? 1e-9 : -1e-9) * std::max(1.0, std::fabs(scaled)) * 1e-6);
  return r / f;
}

namespace {

bool parse_int_text(const std::string& text, int64_t& out) {
  std::string s = text;
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) { out = 0; return true; }  // '' converts to 0
  size_t e = s.find_last_not_of(" \t");
  s = s.substr(b, e - b + 1);
  size_t i = 0;
  if (s[i] == '+' || s[i] == '-') ++i;
  if (i >= s.size()) return false;
  for (size_t j = i; j < s.size(); ++j)
    if (s[j] < '0' || s[j] > '9') return false;
  errno = 0;
  char* end = nullptr;
  long long v = std::strtoll(s.c_str(), &end, 10);
  if (errno) return false;
  out = v;
  return true;
}

bool parse_number_text(const std::string& text, double& out) {
  const char* s = text.c_str();
  while (*s == ' ') ++s;
  if (!*s) return false;
  char* end = nullptr;
  out = std::strtod(s, &end);
  while (end && *end == ' ') ++end;
  return end && *end == '\0' && std::isfinite(out);
}

int days_in_month(int y, int m) {
  static const int d[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) return 29;
  return d[m - 1];
}

Timestamp from_days(double days) {
  // Days since 1900-01-01 (SQL Server's number form of a datetime).
  int64_t whole = static_cast<int64_t>(std::floor(days));
  double frac = days - static_cast<double>(whole);
  // civil_from_days (Howard Hinnant), counted from 1970-01-01 (25567 days after 1900-01-01)
  int64_t z = whole - 25567 + 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t y = yoe + era * 400;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  int64_t d = doy - (153 * mp + 2) / 5 + 1;
  int64_t m = mp < 10 ? mp + 3 : mp - 9;
  Timestamp ts;
  ts.date = {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
  int64_t ms = std::llround(frac * 86400000.0);
  ts.time.hour = static_cast<int>(ms / 3600000);
  ts.time.minute = static_cast<int>(ms / 60000 % 60);
  ts.time.second = static_cast<int>(ms / 1000 % 60);
  ts.time.fraction = static_cast<int>(ms % 1000) * 10;
  return ts;
}

}  // namespace

std::optional<Timestamp> parse_sql_datetime(const std::string& text, bool* out_of_range) {
  if (out_of_range) *out_of_range = false;
  std::string s = text;
  size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) {
    return Timestamp{};  // '' converts to 1900-01-01 00:00:00
  }
  s = rtrim_blanks(s.substr(b));
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, sec = 0;
  int frac = 0;
  size_t pos = 0;
  auto digits = [&](int count_min, int count_max, int& out) {
    size_t start = pos;
    out = 0;
    while (pos < s.size() && pos - start < static_cast<size_t>(count_max) && std::isdigit(static_cast<unsigned char>(s[pos])))
      out = out * 10 + (s[pos++] - '0');
    return pos - start >= static_cast<size_t>(count_min);
  };
  if (s.size() >= 8 && s.find_first_not_of("0123456789") == std::string::npos && s.size() == 8) {
    y = std::stoi(s.substr(0, 4)); mo = std::stoi(s.substr(4, 2)); d = std::stoi(s.substr(6, 2));
    pos = 8;
  } else {
    if (!digits(4, 4, y)) return std::nullopt;
    if (pos >= s.size() || (s[pos] != '-' && s[pos] != '/' && s[pos] != '.')) return std::nullopt;
    char sep = s[pos++];
    if (!digits(1, 2, mo)) return std::nullopt;
    if (pos >= s.size() || s[pos] != sep) return std::nullopt;
    ++pos;
    if (!digits(1, 2, d)) return std::nullopt;
  }
  if (pos < s.size()) {
    if (s[pos] != ' ' && s[pos] != 'T') return std::nullopt;
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == 'T')) ++pos;
    if (!digits(1, 2, h)) return std::nullopt;
    if (pos >= s.size() || s[pos] != ':') return std::nullopt;
    ++pos;
    if (!digits(1, 2, mi)) return std::nullopt;
    if (pos < s.size() && s[pos] == ':') {
      ++pos;
      if (!digits(1, 2, sec)) return std::nullopt;
      if (pos < s.size() && s[pos] == '.') {
        ++pos;
        size_t start = pos;
        int f = 0;
        if (!digits(1, 7, f)) return std::nullopt;
        size_t n = pos - start;
        for (size_t k = n; k < 4; ++k) f *= 10;
        for (size_t k = 4; k < n; ++k) f /= 10;
        frac = f;
      }
    }
    if (pos != s.size()) return std::nullopt;
  }
  if (mo < 1 || mo > 12 || d < 1 || y < 1753 || y > 9999 || d > days_in_month(y, mo) || h > 23 ||
      mi > 59 || sec > 59) {
    if (out_of_range) *out_of_range = true;
    return std::nullopt;
  }
  return Timestamp{{y, mo, d}, {h, mi, sec, frac}};
}

Stored store_value(const Value& v, const SqlType& type) {
  if (is_null(v)) return {v, ""};
  using F = SqlType::Family;
  const auto* text = std::get_if<std::string>(&v);
  switch (type.family()) {
    case F::Integer: {
      int64_t n = 0;
      if (auto* i = std::get_if<int64_t>(&v)) n = *i;
      else if (auto* d = std::get_if<double>(&v)) {
        if (std::fabs(*d) >= 9.2e18) return {{}, "Arithmetic overflow error converting expression to data type " + type.name + "."};
        n = static_cast<int64_t>(std::trunc(*d));
      } else if (text) {
        if (!parse_int_text(*text, n))
          return {{}, "Conversion failed when converting the varchar value '" + *text +
                          "' to data type " + type.name + "."};
      } else
        return {{}, "Implicit conversion from data type varbinary to " + type.name + " is not allowed."};
      if (type.name == "bit") return {static_cast<int64_t>(n != 0), ""};
      int64_t lo = std::numeric_limits<int64_t>::min(), hi = std::numeric_limits<int64_t>::max();
      if (type.name == "tinyint") lo = 0, hi = 255;
      else if (type.name == "smallint") lo = -32768, hi = 32767;
      else if (type.name == "int") lo = -2147483648LL, hi = 2147483647LL;
      if (n < lo || n > hi)
        return {{}, "Arithmetic overflow error converting expression to data type " + type.name + "."};
      return {n, ""};
    }
    case F::Decimal:
    case F::Float: {
      double d = 0;
      if (auto* i = std::get_if<int64_t>(&v)) d = static_cast<double>(*i);
      else if (auto* x = std::get_if<double>(&v)) d = *x;
      else if (text) {
        if (!parse_number_text(*text, d))
          return {{}, std::string("Error converting data type varchar to ") +
                          (type.family() == F::Float ? "float." : "numeric.")};
      } else
        return {{}, "Implicit conversion from data type varbinary to " + type.name + " is not allowed."};
      if (type.family() == F::Float) return {d, ""};
      d = round_decimal(d, type.scale);
      if (std::fabs(d) >= std::pow(10.0, type.precision - type.scale))
        return {{}, "Arithmetic overflow error converting numeric to data type numeric."};
      return {d, ""};
    }
    case F::Text: {
      std::string s = text ? *text : value_text(v);
      if (std::holds_alternative<Bytes>(v)) s = std::get<Bytes>(v).data;
      int limit = type.max_chars();
      if (limit > 0) {
        size_t used = type.is_unicode() ? utf16_units(s) : gbk_bytes(s);
        if (used > static_cast<size_t>(limit)) return {{}, "String or binary data would be truncated."};
        if (type.name == "char" || type.name == "nchar") {
          s = rtrim_blanks(s);
          size_t have = type.is_unicode() ? utf16_units(s) : gbk_bytes(s);
          s.append(static_cast<size_t>(limit) - have, ' ');  // char(n) is padded with blanks
        }
      }
      return {s, ""};
    }
    case F::DateTime:
    case F::Date:
    case F::Time: {
      Timestamp ts;
      if (text) {
        if (type.family() == F::Time) {
          auto t = parse_sql_datetime("1900-01-01 " + rtrim_blanks(*text), nullptr);
          if (!t) return {{}, "Conversion failed when converting date and/or time from character string."};
          return {value_text(t->time), ""};
        }
        bool range = false;
        auto parsed = parse_sql_datetime(*text, &range);
        if (!parsed)
          return {{}, range ? "The conversion of a varchar data type to a datetime data type resulted in an out-of-range value."
                            : "Conversion failed when converting date and/or time from character string."};
        ts = *parsed;
      } else if (auto* i = std::get_if<int64_t>(&v)) {
        ts = from_days(static_cast<double>(*i));
      } else if (auto* d = std::get_if<double>(&v)) {
        ts = from_days(*d);
      } else {
        return {{}, "Implicit conversion from data type varbinary to " + type.name + " is not allowed."};
      }
      if (type.family() == F::Date) return {to_text(ts.date), ""};
      if (type.family() == F::Time) return {value_text(ts.time), ""};
      if (type.name == "smalldatetime") {
        if (ts.time.second >= 30 || (ts.time.second == 29 && ts.time.fraction >= 9985)) {
          // smalldatetime rounds to the nearest minute
          int64_t minutes = ts.time.hour * 60 + ts.time.minute + 1;
          ts.time.second = 0;
          ts.time.fraction = 0;
          if (minutes >= 24 * 60) {
            minutes -= 24 * 60;
            ts.date.day += 1;
            if (ts.date.day > days_in_month(ts.date.year, ts.date.month)) {
              ts.date.day = 1;
              if (++ts.date.month > 12) { ts.date.month = 1; ++ts.date.year; }
            }
          }
          ts.time.hour = static_cast<int>(minutes / 60);
          ts.time.minute = static_cast<int>(minutes % 60);
        }
        ts.time.second = 0;
        ts.time.fraction = 0;
      }
      return {datetime_text(ts), ""};
    }
    case F::Binary:
      if (std::holds_alternative<Bytes>(v)) return {v, ""};
      return {{}, "Implicit conversion from data type varchar to " + type.name +
                      " is not allowed. Use the CONVERT function to run this query."};
    default: return {v, ""};
  }
}

Value read_value(const Value& stored, const SqlType& type) {
  if (is_null(stored)) return stored;
  using F = SqlType::Family;
  switch (type.family()) {
    case F::Integer:
      if (auto* d = std::get_if<double>(&stored)) return static_cast<int64_t>(*d);
      return stored;
    case F::Decimal: {
      double d = 0;
      if (auto* i = std::get_if<int64_t>(&stored)) d = static_cast<double>(*i);
      else if (auto* x = std::get_if<double>(&stored)) d = *x;
      else if (auto* s = std::get_if<std::string>(&stored)) {
        auto p = parse_decimal(*s);
        return p ? Value(*p) : stored;
      }
      double r = round_decimal(d, type.scale);
      return Decimal{std::llround(r * std::pow(10.0, type.scale)), type.scale};
    }
    case F::Float:
      if (auto* i = std::get_if<int64_t>(&stored)) return static_cast<double>(*i);
      return stored;
    case F::DateTime:
    case F::Date:
    case F::Time:
      if (auto* s = std::get_if<std::string>(&stored)) {
        if (type.family() == F::Time) {
          auto t = parse_sql_datetime("1900-01-01 " + *s, nullptr);
          return t ? Value(t->time) : stored;
        }
        auto ts = parse_sql_datetime(*s, nullptr);
        if (!ts) return stored;
        if (type.family() == F::Date) return ts->date;
        return *ts;
      }
      return stored;
    case F::Binary:
      if (auto* s = std::get_if<std::string>(&stored)) return Bytes{*s};
      return stored;
    default: return stored;
  }
}

}  // namespace bm::data::standin
