// Values that travel between the databases and the program.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace bm::data {

struct Date {
  int year = 1900, month = 1, day = 1;
  bool operator==(const Date&) const = default;
};

struct Time {
  int hour = 0, minute = 0, second = 0;
  int fraction = 0;  // ten-thousandths of a second
  bool operator==(const Time&) const = default;
};

struct Timestamp {
  Date date;
  Time time;
  bool operator==(const Timestamp&) const = default;
};

// An exact number: units / 10^scale (NUMERIC and DECIMAL columns).
struct Decimal {
  int64_t units = 0;
  int scale = 0;
  bool operator==(const Decimal&) const = default;
};

// Binary large object contents, kept apart from text so no code page is applied.
struct Bytes {
  std::string data;
  bool operator==(const Bytes&) const = default;
};

// Text is always UTF-8 inside the program; drivers convert at the connection boundary.
using Value = std::variant<std::monostate, int64_t, double, Decimal, std::string, Date, Time,
                           Timestamp, Bytes>;

inline bool is_null(const Value& v) { return std::holds_alternative<std::monostate>(v); }

// The one text form of a value: NULL reads as empty text; dates and times in a fixed form that
// both databases read back: "YYYY-MM-DD", "HH:MM:SS", "YYYY-MM-DD HH:MM:SS" (with ".mmm" only
// when the milliseconds are not zero); exact numbers with their scale ("12.50").
std::string to_text(const Value& v);

std::string to_text(const Decimal& d);
std::string to_text(const Date& d);
std::string to_text(const Time& t);
std::string to_text(const Timestamp& ts);

// Parses the fixed forms above (a date alone, or a date with a time). Nullopt when the text
// is not a valid date or date-time (month 13, February 30, ...).
std::optional<Timestamp> parse_timestamp(const std::string& text);
std::optional<Time> parse_time(const std::string& text);
bool valid_date(const Date& d);

// Parses a decimal number ("-12.345", "+7", " 3.0 "). Nullopt when it is not a number or does
// not fit 18 digits.
std::optional<Decimal> parse_decimal(const std::string& text);
double to_double(const Decimal& d);

}  // namespace bm::data
