#include "data/value_fit.h"

#include <cmath>
#include <limits>

#include "data/encoding.h"

namespace bm::data {

namespace {

using Result = std::variant<Value, FitProblem>;

Result problem(const std::string& text) { return FitProblem{text}; }

int64_t pow10(int n) {
  int64_t p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

const char* type_word(const ColumnInfo& c) {
  switch (c.type) {
    case ColumnType::Integer: return "integer";
    case ColumnType::Decimal: return "numeric";
    case ColumnType::Float: return "floating";
    case ColumnType::Text: return "text";
    case ColumnType::Date: return "date";
    case ColumnType::Time: return "time";
    case ColumnType::Timestamp: return "date-time";
    default: return "blob";
  }
}

std::string shown(const Value& v) {
  std::string t = to_text(v);
  if (utf8_length(t) > 40) t = t.substr(0, 40) + "...";
  return "'" + t + "'";
}

// Rescales an exact number to `scale` digits after the point; nullopt when digits would be lost
// or the result overflows.
std::optional<int64_t> rescale(const Decimal& d, int scale) {
  if (d.scale == scale) return d.units;
  if (d.scale < scale) {
    int64_t f = pow10(scale - d.scale);
    if (d.units != 0 && std::llabs(d.units) > std::numeric_limits<int64_t>::max() / f)
      return std::nullopt;
    return d.units * f;
  }
  int64_t f = pow10(d.scale - scale);
  if (d.units % f != 0) return std::nullopt;
  return d.units / f;
}

// The exact number a value stands for, or a problem text.
std::variant<Decimal, FitProblem> exact_of(const Value& v, const ColumnInfo& col, int want_scale) {
  if (auto* i = std::get_if<int64_t>(&v)) return Decimal{*i, 0};
  if (auto* d = std::get_if<Decimal>(&v)) return *d;
  if (auto* s = std::get_if<std::string>(&v)) {
    auto d = parse_decimal(*s);
    if (!d) return FitProblem{shown(v) + " is not a number"};
    return *d;
  }
  if (auto* f = std::get_if<double>(&v)) {
    if (!std::isfinite(*f)) return FitProblem{shown(v) + " is not a finite number"};
    double scaled = *f * static_cast<double>(pow10(want_scale));
    if (std::fabs(scaled) >= 9.2e18) return FitProblem{shown(v) + " is out of range"};
    double rounded = std::nearbyint(scaled);
    // A float carries about 15 significant digits: a difference below that is its own noise.
    double tolerance = std::max(1e-6, std::fabs(scaled) * 1e-12);
    if (std::fabs(scaled - rounded) > tolerance)
      return FitProblem{shown(v) + " would lose digits after the point"};
    return Decimal{static_cast<int64_t>(rounded), want_scale};
  }
  return FitProblem{shown(v) + " is not a number"};
}

Result fit_integer(const Value& v, const ColumnInfo& col) {
  auto e = exact_of(v, col, 0);
  if (auto* p = std::get_if<FitProblem>(&e)) return *p;
  auto units = rescale(std::get<Decimal>(e), 0);
  if (!units) return problem(shown(v) + " would lose digits after the point");
  int bits = col.bits ? col.bits : 64;
  if (bits < 64) {
    int64_t lim = int64_t{1} << (bits - 1);
    if (*units < -lim || *units >= lim) return problem(shown(v) + " is out of range");
  }
  return Value{*units};
}

Result fit_decimal(const Value& v, const ColumnInfo& col) {
  auto e = exact_of(v, col, col.scale);
  if (auto* p = std::get_if<FitProblem>(&e)) return *p;
  auto units = rescale(std::get<Decimal>(e), col.scale);
  if (!units) return problem(shown(v) + " would lose digits after the point");
  if (col.precision > 0 && col.precision < 19) {
    int64_t lim = pow10(col.precision);
    if (*units <= -lim || *units >= lim) return problem(shown(v) + " is out of range");
  }
  return Value{Decimal{*units, col.scale}};
}

Result fit_float(const Value& v) {
  if (auto* f = std::get_if<double>(&v)) return Value{*f};
  if (auto* i = std::get_if<int64_t>(&v)) return Value{static_cast<double>(*i)};
  if (auto* d = std::get_if<Decimal>(&v)) return Value{to_double(*d)};
  if (auto* s = std::get_if<std::string>(&v)) {
    auto d = parse_decimal(*s);
    if (!d) {
      char* end = nullptr;
      double x = std::strtod(s->c_str(), &end);
      if (end && end != s->c_str() && *end == '\0') return Value{x};
      return problem(shown(v) + " is not a number");
    }
    return Value{to_double(*d)};
  }
  return problem(shown(v) + " is not a number");
}

Result fit_text(const Value& v, const ColumnInfo& col) {
  std::string text = to_text(v);
  size_t chars = utf8_length(text);
  auto too_long = [&](size_t n, const char* unit, int limit) {
    return problem(shown(v) + " has " + std::to_string(n) + " " + unit + ", more than " +
                   std::to_string(limit));
  };
  // Blanks beyond the column's width carry nothing and are cut, as the databases do.
  auto cut_blanks = [&](size_t keep_chars) {
    std::string t = text;
    while (utf8_length(t) > keep_chars && !t.empty() && t.back() == ' ') t.pop_back();
    return t;
  };
  if (col.char_length > 0 && chars > static_cast<size_t>(col.char_length)) {
    text = cut_blanks(col.char_length);
    chars = utf8_length(text);
    if (chars > static_cast<size_t>(col.char_length))
      return too_long(chars, "characters", col.char_length);
  }
  if (col.byte_length > 0 && !is_ascii(text)) {
    // The database keeps this column in code page 936.
    auto gbk = utf8_to_gbk(text);
    if (!gbk) return problem(shown(v) + " has a character that code page 936 cannot hold");
    if (gbk->size() > static_cast<size_t>(col.byte_length))
      return too_long(gbk->size(), "bytes", col.byte_length);
  } else if (col.byte_length > 0 && text.size() > static_cast<size_t>(col.byte_length)) {
    return too_long(text.size(), "bytes", col.byte_length);
  }
  return Value{std::move(text)};
}

Result fit_datetime(const Value& v, const ColumnInfo& col) {
  Timestamp ts;
  if (auto* t = std::get_if<Timestamp>(&v)) {
    ts = *t;
  } else if (auto* d = std::get_if<Date>(&v)) {
    ts.date = *d;
  } else if (auto* tm = std::get_if<Time>(&v)) {
    if (col.type == ColumnType::Time) return Value{*tm};
    return problem(shown(v) + " is a time without a date");
  } else if (auto* s = std::get_if<std::string>(&v)) {
    if (col.type == ColumnType::Time) {
      if (auto t = parse_time(*s)) return Value{*t};
      if (auto full = parse_timestamp(*s)) return Value{full->time};
      return problem(shown(v) + " is not a valid time");
    }
    auto p = parse_timestamp(*s);
    if (!p) return problem(shown(v) + " is not a valid date");
    ts = *p;
  } else {
    return problem(shown(v) + " is not a date");
  }
  if (!valid_date(ts.date)) return problem(shown(v) + " is not a valid date");
  switch (col.type) {
    case ColumnType::Date:
      if (!(ts.time == Time{})) return problem(shown(v) + " would lose its time of day");
      return Value{ts.date};
    case ColumnType::Time: return Value{ts.time};
    default: return Value{ts};
  }
}

}  // namespace

std::variant<Value, FitProblem> fit_value(const Value& value, const ColumnInfo& col) {
  if (is_null(value) ||
      (std::holds_alternative<std::string>(value) && std::get<std::string>(value).empty() &&
       col.type != ColumnType::Text && col.type != ColumnType::TextBlob)) {
    // Empty text into a number or date column is NULL.
    if (!col.nullable && !col.identity)
      return problem(std::string("NULL into a NOT NULL ") + type_word(col) + " column");
    return Value{};
  }
  switch (col.type) {
    case ColumnType::Integer: return fit_integer(value, col);
    case ColumnType::Decimal: return fit_decimal(value, col);
    case ColumnType::Float: return fit_float(value);
    case ColumnType::Text: return fit_text(value, col);
    case ColumnType::Date:
    case ColumnType::Time:
    case ColumnType::Timestamp: return fit_datetime(value, col);
    case ColumnType::TextBlob:
      if (std::holds_alternative<Bytes>(value)) return Value{std::get<Bytes>(value).data};
      return Value{to_text(value)};
    case ColumnType::BinaryBlob:
      if (auto* s = std::get_if<std::string>(&value)) return Value{Bytes{*s}};
      return value;
    case ColumnType::Other: return value;
  }
  return value;
}

}  // namespace bm::data
