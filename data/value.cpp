#include "data/value.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace bm::data {

namespace {

int days_in_month(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) return 29;
  return days[m - 1];
}

// Reads exactly `n` digits at `s[i]`.
bool digits(const std::string& s, size_t& i, int n, int& out) {
  out = 0;
  for (int k = 0; k < n; ++k, ++i) {
    if (i >= s.size() || !std::isdigit(static_cast<unsigned char>(s[i]))) return false;
    out = out * 10 + (s[i] - '0');
  }
  return true;
}

}  // namespace

bool valid_date(const Date& d) {
  return d.year >= 1 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
         d.day <= days_in_month(d.year, d.month);
}

std::string to_text(const Decimal& d) {
  bool neg = d.units < 0;
  // Work on the unsigned magnitude so INT64_MIN is handled.
  unsigned long long mag = neg ? 0ULL - static_cast<unsigned long long>(d.units)
                               : static_cast<unsigned long long>(d.units);
  std::string digits_text = std::to_string(mag);
  if (d.scale > 0) {
    if (digits_text.size() <= static_cast<size_t>(d.scale))
      digits_text.insert(0, d.scale + 1 - digits_text.size(), '0');
    digits_text.insert(digits_text.size() - d.scale, ".");
  } else if (d.scale < 0) {
    if (mag != 0) digits_text.append(-d.scale, '0');
  }
  return neg ? "-" + digits_text : digits_text;
}

std::string to_text(const Date& d) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
  return buf;
}

std::string to_text(const Time& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  std::string out = buf;
  int ms = t.fraction / 10;
  if (ms != 0) {
    std::snprintf(buf, sizeof buf, ".%03d", ms);
    out += buf;
  }
  return out;
}

std::string to_text(const Timestamp& ts) { return to_text(ts.date) + " " + to_text(ts.time); }

namespace {

std::string double_text(double v) {
  if (std::isnan(v) || std::isinf(v)) return std::to_string(v);
  // Shortest text that reads back to the same double.
  char buf[64];
  for (int prec = 1; prec <= 17; ++prec) {
    std::snprintf(buf, sizeof buf, "%.*g", prec, v);
    if (std::strtod(buf, nullptr) == v) break;
  }
  std::string s = buf;
  // Write plain decimals rather than exponents for ordinary magnitudes (money, rates).
  if (s.find('e') != std::string::npos && std::fabs(v) >= 1e-6 && std::fabs(v) < 1e15) {
    std::snprintf(buf, sizeof buf, "%.6f", v);
    s = buf;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
  }
  return s;
}

}  // namespace

std::string to_text(const Value& v) {
  struct Visitor {
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(int64_t i) const { return std::to_string(i); }
    std::string operator()(double d) const { return double_text(d); }
    std::string operator()(const Decimal& d) const { return to_text(d); }
    std::string operator()(const std::string& s) const { return s; }
    std::string operator()(const Date& d) const { return to_text(d); }
    std::string operator()(const Time& t) const { return to_text(t); }
    std::string operator()(const Timestamp& t) const { return to_text(t); }
    std::string operator()(const Bytes& b) const { return b.data; }
  };
  return std::visit(Visitor{}, v);
}

std::optional<Time> parse_time(const std::string& s) {
  size_t i = 0;
  Time t;
  if (!digits(s, i, 2, t.hour) || i >= s.size() || s[i++] != ':' || !digits(s, i, 2, t.minute))
    return std::nullopt;
  if (i < s.size() && s[i] == ':') {
    ++i;
    if (!digits(s, i, 2, t.second)) return std::nullopt;
    if (i < s.size() && s[i] == '.') {
      ++i;
      int frac = 0, n = 0;
      while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        if (n < 4) {
          frac = frac * 10 + (s[i] - '0');
          ++n;
        }
        ++i;
      }
      if (n == 0) return std::nullopt;
      while (n++ < 4) frac *= 10;
      t.fraction = frac;
    }
  }
  if (i != s.size()) return std::nullopt;
  if (t.hour > 23 || t.minute > 59 || t.second > 59) return std::nullopt;
  return t;
}

std::optional<Timestamp> parse_timestamp(const std::string& text) {
  std::string s = text;
  while (!s.empty() && s.back() == ' ') s.pop_back();
  size_t start = s.find_first_not_of(' ');
  if (start == std::string::npos) return std::nullopt;
  s = s.substr(start);
  size_t i = 0;
  Timestamp ts;
  if (!digits(s, i, 4, ts.date.year)) return std::nullopt;
  char sep = i < s.size() ? s[i] : 0;
  if (sep != '-' && sep != '/' && sep != '.') return std::nullopt;
  ++i;
  if (!digits(s, i, 2, ts.date.month) || i >= s.size() || s[i++] != sep ||
      !digits(s, i, 2, ts.date.day))
    return std::nullopt;
  if (!valid_date(ts.date)) return std::nullopt;
  if (i == s.size()) return ts;
  if (s[i] != ' ' && s[i] != 'T') return std::nullopt;
  auto t = parse_time(s.substr(i + 1));
  if (!t) return std::nullopt;
  ts.time = *t;
  return ts;
}

std::optional<Decimal> parse_decimal(const std::string& text) {
  size_t i = 0, n = text.size();
  while (i < n && text[i] == ' ') ++i;
  while (n > i && text[n - 1] == ' ') --n;
  if (i == n) return std::nullopt;
  bool neg = false;
  if (text[i] == '+' || text[i] == '-') neg = text[i++] == '-';
  unsigned long long units = 0;
  int scale = 0, count = 0;
  bool point = false, any = false;
  for (; i < n; ++i) {
    char c = text[i];
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    any = true;
    if (units == 0 && c == '0' && !point) continue;  // leading zeros
    if (++count > 18) {
      // Trailing zeros after the point carry no value and may be dropped.
      if (point && c == '0') continue;
      return std::nullopt;
    }
    units = units * 10 + (c - '0');
    if (point) ++scale;
  }
  if (!any) return std::nullopt;
  Decimal d{static_cast<int64_t>(units), scale};
  if (neg) d.units = -d.units;
  return d;
}

double to_double(const Decimal& d) { return static_cast<double>(d.units) / std::pow(10.0, d.scale); }

}  // namespace bm::data
