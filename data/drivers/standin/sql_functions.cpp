#include "data/drivers/standin/sql_functions.h"

#include <cctype>
#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>
#include <memory>

#include "data/drivers/standin/sqlite_values.h"
#include "data/drivers/standin/tsql_types.h"
#include "data/error.h"

namespace bm::data::standin {

namespace {

FunctionHost* host_of(sqlite3_context* ctx) { return static_cast<FunctionHost*>(sqlite3_user_data(ctx)); }

void fail(sqlite3_context* ctx, const std::string& msg) {
  sqlite3_result_error(ctx, msg.c_str(), static_cast<int>(msg.size()));
}

// Code points of UTF-8 text.
std::vector<std::string> chars_of(const std::string& s) {
  std::vector<std::string> out;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    out.push_back(s.substr(i, n));
    i += n;
  }
  return out;
}

std::string join(const std::vector<std::string>& cs, size_t from, size_t count) {
  std::string out;
  for (size_t i = from; i < cs.size() && i < from + count; ++i) out += cs[i];
  return out;
}

std::string text_arg(sqlite3_value* v) {
  Value x = from_sqlite(v);
  if (auto* s = std::get_if<std::string>(&x)) return *s;
  return value_text(x);
}

bool any_null(int argc, sqlite3_value** argv) {
  for (int i = 0; i < argc; ++i)
    if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
  return false;
}

// A text operand of arithmetic converted to the type of the other operand, as SQL Server does
// by data type precedence.
bool numeric_operand(sqlite3_context* ctx, sqlite3_value* v, bool want_int, Value& out) {
  Value x = from_sqlite(v);
  if (auto* s = std::get_if<std::string>(&x)) {
    SqlType t;
    t.name = want_int ? "bigint" : "float";
    Stored st = store_value(x, t);
    if (!st.error.empty()) {
      fail(ctx, want_int ? "Conversion failed when converting the varchar value '" + *s + "' to data type int."
                         : "Error converting data type varchar to numeric.");
      return false;
    }
    out = st.value;
    return true;
  }
  if (std::holds_alternative<Bytes>(x)) {
    fail(ctx, "Operand type clash: varbinary is incompatible with arithmetic.");
    return false;
  }
  out = x;
  return true;
}

void fn_add(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  int ta = sqlite3_value_type(argv[0]), tb = sqlite3_value_type(argv[1]);
  if (ta == SQLITE_TEXT && tb == SQLITE_TEXT) {
    std::string s = text_arg(argv[0]) + text_arg(argv[1]);
    return sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
  }
  if (ta == SQLITE_BLOB && tb == SQLITE_BLOB) {
    std::string s = std::get<Bytes>(from_sqlite(argv[0])).data + std::get<Bytes>(from_sqlite(argv[1])).data;
    return sqlite3_result_blob(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
  }
  bool want_int = (ta == SQLITE_INTEGER || ta == SQLITE_TEXT) && (tb == SQLITE_INTEGER || tb == SQLITE_TEXT);
  Value a, b;
  if (!numeric_operand(ctx, argv[0], want_int, a) || !numeric_operand(ctx, argv[1], want_int, b)) return;
  auto* ia = std::get_if<int64_t>(&a);
  auto* ib = std::get_if<int64_t>(&b);
  if (ia && ib) {
    int64_t r;
    if (__builtin_add_overflow(*ia, *ib, &r)) return fail(ctx, "Arithmetic overflow error converting expression to data type bigint.");
    return sqlite3_result_int64(ctx, r);
  }
  double da = ia ? static_cast<double>(*ia) : std::get<double>(a);
  double db = ib ? static_cast<double>(*ib) : std::get<double>(b);
  sqlite3_result_double(ctx, da + db);
}

void fn_div(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  int ta = sqlite3_value_type(argv[0]), tb = sqlite3_value_type(argv[1]);
  bool want_int = (ta == SQLITE_INTEGER || ta == SQLITE_TEXT) && (tb == SQLITE_INTEGER || tb == SQLITE_TEXT);
  Value a, b;
  if (!numeric_operand(ctx, argv[0], want_int, a) || !numeric_operand(ctx, argv[1], want_int, b)) return;
  auto* ia = std::get_if<int64_t>(&a);
  auto* ib = std::get_if<int64_t>(&b);
  if ((ib && *ib == 0) || (!ib && std::get<double>(b) == 0.0)) return fail(ctx, "Divide by zero error encountered.");
  if (ia && ib) return sqlite3_result_int64(ctx, *ia / *ib);  // integer division truncates
  double da = ia ? static_cast<double>(*ia) : std::get<double>(a);
  double db = ib ? static_cast<double>(*ib) : std::get<double>(b);
  sqlite3_result_double(ctx, da / db);
}

void result_text(sqlite3_context* ctx, const std::string& s) {
  sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

void fn_len(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  sqlite3_result_int64(ctx, static_cast<int64_t>(chars_of(rtrim_blanks(text_arg(argv[0]))).size()));
}

void fn_left_right(sqlite3_context* ctx, int argc, sqlite3_value** argv, bool right) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  int64_t n = sqlite3_value_int64(argv[1]);
  if (n < 0) return fail(ctx, std::string("Invalid length parameter passed to the ") + (right ? "right" : "left") + " function.");
  auto cs = chars_of(text_arg(argv[0]));
  size_t count = std::min<size_t>(static_cast<size_t>(n), cs.size());
  result_text(ctx, right ? join(cs, cs.size() - count, count) : join(cs, 0, count));
}
void fn_left(sqlite3_context* c, int n, sqlite3_value** a) { fn_left_right(c, n, a, false); }
void fn_right(sqlite3_context* c, int n, sqlite3_value** a) { fn_left_right(c, n, a, true); }

void fn_substring(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  int64_t start = sqlite3_value_int64(argv[1]);
  int64_t len = sqlite3_value_int64(argv[2]);
  if (len < 0) return fail(ctx, "Invalid length parameter passed to the substring function.");
  auto cs = chars_of(text_arg(argv[0]));
  int64_t from = std::max<int64_t>(start, 1);
  int64_t to = start + len;  // exclusive
  if (to <= from) return result_text(ctx, "");
  result_text(ctx, join(cs, static_cast<size_t>(from - 1), static_cast<size_t>(to - from)));
}

double number_arg(sqlite3_context* ctx, sqlite3_value* v, bool& ok) {
  Value x;
  ok = numeric_operand(ctx, v, false, x);
  if (!ok) return 0;
  if (auto* i = std::get_if<int64_t>(&x)) return static_cast<double>(*i);
  return std::get<double>(x);
}

void fn_floor(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) return sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
  bool ok;
  double d = number_arg(ctx, argv[0], ok);
  if (ok) sqlite3_result_double(ctx, std::floor(d));
}

void fn_ceiling(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) return sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
  bool ok;
  double d = number_arg(ctx, argv[0], ok);
  if (ok) sqlite3_result_double(ctx, std::ceil(d));
}

void fn_round(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
    return sqlite3_result_null(ctx);
  int digits = sqlite3_value_int(argv[1]);
  bool truncate = argc > 2 && sqlite3_value_int(argv[2]) != 0;
  if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) {
    int64_t v = sqlite3_value_int64(argv[0]);
    if (digits >= 0) return sqlite3_result_int64(ctx, v);
    int64_t f = 1;
    for (int i = 0; i < -digits && i < 18; ++i) f *= 10;
    int64_t q = v / f * f;
    if (!truncate && std::llabs(v - q) * 2 >= f) q += v < 0 ? -f : f;
    return sqlite3_result_int64(ctx, q);
  }
  bool ok;
  double d = number_arg(ctx, argv[0], ok);
  if (!ok) return;
  if (truncate) {
    double f = std::pow(10.0, digits);
    return sqlite3_result_double(ctx, std::trunc(round_decimal(d * f, 6)) / f);
  }
  sqlite3_result_double(ctx, round_decimal(d, digits));
}

void fn_getdate(sqlite3_context* ctx, int, sqlite3_value**) {
  auto now = std::chrono::system_clock::now();
  std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm tm{};
  localtime_r(&t, &tm);
  int ms = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
  Timestamp ts{{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday}, {tm.tm_hour, tm.tm_min, tm.tm_sec, ms * 10}};
  result_text(ctx, datetime_text(ts));
}

void fn_charindex(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (any_null(argc, argv)) return sqlite3_result_null(ctx);
  auto needle = chars_of(lower(text_arg(argv[0])));
  auto hay = chars_of(lower(text_arg(argv[1])));
  int64_t start = argc > 2 ? std::max<int64_t>(sqlite3_value_int64(argv[2]), 1) : 1;
  if (needle.empty()) return sqlite3_result_int64(ctx, 0);
  for (size_t i = static_cast<size_t>(start - 1); i + needle.size() <= hay.size(); ++i) {
    bool match = true;
    for (size_t k = 0; k < needle.size() && match; ++k) match = hay[i + k] == needle[k];
    if (match) return sqlite3_result_int64(ctx, static_cast<int64_t>(i + 1));
  }
  sqlite3_result_int64(ctx, 0);
}

void fn_datalength(sqlite3_context* ctx, int, sqlite3_value** argv) {
  int t = sqlite3_value_type(argv[0]);
  if (t == SQLITE_NULL) return sqlite3_result_null(ctx);
  if (t == SQLITE_TEXT) {
    std::string s = text_arg(argv[0]);
    size_t n = gbk_bytes(s + "x") - 1 + (s.size() - rtrim_blanks(s).size());
    return sqlite3_result_int64(ctx, static_cast<int64_t>(n));
  }
  if (t == SQLITE_INTEGER) return sqlite3_result_int64(ctx, 4);
  if (t == SQLITE_FLOAT) return sqlite3_result_int64(ctx, 8);
  sqlite3_result_int64(ctx, sqlite3_value_bytes(argv[0]));
}

void date_part(sqlite3_context* ctx, sqlite3_value* v, int part) {
  if (sqlite3_value_type(v) == SQLITE_NULL) return sqlite3_result_null(ctx);
  SqlType t;
  t.name = "datetime";
  Stored st = store_value(from_sqlite(v), t);
  if (!st.error.empty()) return fail(ctx, st.error);
  auto ts = parse_sql_datetime(std::get<std::string>(st.value), nullptr);
  sqlite3_result_int(ctx, part == 0 ? ts->date.year : part == 1 ? ts->date.month : ts->date.day);
}
void fn_year(sqlite3_context* c, int, sqlite3_value** a) { date_part(c, a[0], 0); }
void fn_month(sqlite3_context* c, int, sqlite3_value** a) { date_part(c, a[0], 1); }
void fn_day(sqlite3_context* c, int, sqlite3_value** a) { date_part(c, a[0], 2); }

const SqlType* type_arg(sqlite3_context* ctx, sqlite3_value** argv, int index) {
  auto* cached = static_cast<SqlType*>(sqlite3_get_auxdata(ctx, index));
  if (cached) return cached;
  auto* t = new SqlType(type_from_text(text_arg(argv[index])));
  sqlite3_set_auxdata(ctx, index, t, [](void* p) { delete static_cast<SqlType*>(p); });
  cached = static_cast<SqlType*>(sqlite3_get_auxdata(ctx, index));
  return cached ? cached : nullptr;
}

// bm_store(value, 'type'): the value as a column of that type stores it, or SQL Server's error.
void fn_store(sqlite3_context* ctx, int, sqlite3_value** argv) {
  try {
    SqlType local;
    const SqlType* t = type_arg(ctx, argv, 1);
    if (!t) { local = type_from_text(text_arg(argv[1])); t = &local; }
    Stored st = store_value(from_sqlite(argv[0]), *t);
    if (!st.error.empty()) return fail(ctx, st.error);
    set_result(ctx, st.value);
  } catch (const std::exception& e) {
    fail(ctx, e.what());
  }
}

std::string convert_text(const Value& v, int style) {
  auto* s = std::get_if<std::string>(&v);
  if (!s || style < 0) return value_text(v);
  auto ts = parse_sql_datetime(*s, nullptr);
  if (!ts) return *s;
  std::string full = datetime_text(*ts);
  std::string ymd = full.substr(0, 10);
  switch (style) {
    case 20: case 120: return full.substr(0, 19);
    case 21: case 121: return full;
    case 23: return ymd;
    case 112: return ymd.substr(0, 4) + ymd.substr(5, 2) + ymd.substr(8, 2);
    case 102: return ymd.substr(0, 4) + "." + ymd.substr(5, 2) + "." + ymd.substr(8, 2);
    case 111: return ymd.substr(0, 4) + "/" + ymd.substr(5, 2) + "/" + ymd.substr(8, 2);
    case 8: case 108: return full.substr(11, 8);
    default: return *s;
  }
}

// bm_cast(value, 'type' [, style]): CAST and CONVERT. Character targets cut silently, as
// SQL Server's CAST does; other targets convert as a column store does.
void fn_cast(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  try {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    SqlType t = type_from_text(text_arg(argv[1]));
    Value v = from_sqlite(argv[0]);
    if (t.family() == SqlType::Family::Text) {
      int style = argc > 2 && sqlite3_value_type(argv[2]) != SQLITE_NULL ? sqlite3_value_int(argv[2]) : -1;
      std::string s = convert_text(v, style);
      int limit = t.max_chars();
      if (limit > 0) {
        auto cs = chars_of(s);
        std::string out;
        size_t used = 0;
        for (auto& c : cs) {
          size_t w = t.is_unicode() ? 1 : (c.size() == 1 ? 1 : 2);
          if (used + w > static_cast<size_t>(limit)) break;
          used += w;
          out += c;
        }
        s = out;
      }
      return result_text(ctx, s);
    }
    Stored st = store_value(v, t);
    if (!st.error.empty()) return fail(ctx, st.error);
    set_result(ctx, st.value);
  } catch (const std::exception& e) {
    fail(ctx, e.what());
  }
}

void fn_isnumeric(sqlite3_context* ctx, int, sqlite3_value** argv) {
  int t = sqlite3_value_type(argv[0]);
  if (t == SQLITE_INTEGER || t == SQLITE_FLOAT) return sqlite3_result_int(ctx, 1);
  if (t != SQLITE_TEXT) return sqlite3_result_int(ctx, 0);
  SqlType f;
  f.name = "float";
  std::string s = text_arg(argv[0]);
  sqlite3_result_int(ctx, !s.empty() && store_value(Value(s), f).error.empty());
}

void fn_raise(sqlite3_context* ctx, int, sqlite3_value** argv) { fail(ctx, text_arg(argv[0])); }

void fn_keytext(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  std::string out;
  for (int i = 0; i < argc; ++i) {
    if (i) out += ", ";
    out += sqlite3_value_type(argv[i]) == SQLITE_NULL ? "<NULL>" : text_arg(argv[i]);
  }
  result_text(ctx, out);
}

void fn_getvar(sqlite3_context* ctx, int, sqlite3_value** argv) {
  try {
    set_result(ctx, host_of(ctx)->get_variable(text_arg(argv[0])));
  } catch (const std::exception& e) {
    fail(ctx, e.what());
  }
}

void fn_setvar(sqlite3_context* ctx, int, sqlite3_value** argv) {
  try {
    Value v = from_sqlite(argv[1]);
    host_of(ctx)->set_variable(text_arg(argv[0]), v);
    set_result(ctx, v);
  } catch (const std::exception& e) {
    fail(ctx, e.what());
  }
}

void fn_object_id(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  auto id = host_of(ctx)->object_id(text_arg(argv[0]));
  if (id) sqlite3_result_int64(ctx, *id);
  else sqlite3_result_null(ctx);
}

void fn_ignored_dup(sqlite3_context* ctx, int, sqlite3_value**) {
  host_of(ctx)->warning("Duplicate key was ignored.");
  sqlite3_result_int(ctx, 1);
}

int collate_ci(void*, int la, const void* a, int lb, const void* b) {
  const unsigned char* pa = static_cast<const unsigned char*>(a);
  const unsigned char* pb = static_cast<const unsigned char*>(b);
  while (la > 0 && pa[la - 1] == ' ') --la;
  while (lb > 0 && pb[lb - 1] == ' ') --lb;
  int n = std::min(la, lb);
  for (int i = 0; i < n; ++i) {
    int ca = std::tolower(pa[i]), cb = std::tolower(pb[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return la == lb ? 0 : (la < lb ? -1 : 1);
}

struct UserFunction {
  FunctionHost* host;
  std::string name;
};

void fn_user(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  auto* uf = static_cast<UserFunction*>(sqlite3_user_data(ctx));
  try {
    std::vector<Value> args;
    for (int i = 0; i < argc; ++i) args.push_back(from_sqlite(argv[i]));
    set_result(ctx, uf->host->call_user_function(uf->name, args));
  } catch (const std::exception& e) {
    fail(ctx, e.what());
  }
}

}  // namespace

void register_functions(sqlite3* db, FunctionHost* host) {
  sqlite3_create_collation(db, "BM_CI", SQLITE_UTF8, nullptr, collate_ci);
  struct Entry {
    const char* name;
    int nargs;
    void (*fn)(sqlite3_context*, int, sqlite3_value**);
    bool deterministic;
  };
  const Entry entries[] = {
      {"bm_add", 2, fn_add, true},          {"bm_div", 2, fn_div, true},
      {"bm_len", 1, fn_len, true},          {"bm_left", 2, fn_left, true},
      {"bm_right", 2, fn_right, true},      {"bm_substring", 3, fn_substring, true},
      {"bm_floor", 1, fn_floor, true},      {"bm_ceiling", 1, fn_ceiling, true},
      {"bm_round", 2, fn_round, true},      {"bm_round", 3, fn_round, true},
      {"bm_getdate", 0, fn_getdate, false}, {"bm_charindex", 2, fn_charindex, true},
      {"bm_charindex", 3, fn_charindex, true}, {"bm_datalength", 1, fn_datalength, true},
      {"bm_year", 1, fn_year, true},        {"bm_month", 1, fn_month, true},
      {"bm_day", 1, fn_day, true},          {"bm_store", 2, fn_store, true},
      {"bm_cast", 2, fn_cast, true},        {"bm_cast", 3, fn_cast, true},
      {"bm_isnumeric", 1, fn_isnumeric, true}, {"bm_raise", 1, fn_raise, false},
      {"bm_keytext", -1, fn_keytext, true}, {"bm_getvar", 1, fn_getvar, false},
      {"bm_setvar", 2, fn_setvar, false},   {"bm_object_id", 1, fn_object_id, false},
      {"bm_object_id", 2, fn_object_id, false}, {"bm_ignored_dup", 0, fn_ignored_dup, false},
  };
  for (const auto& e : entries)
    sqlite3_create_function_v2(db, e.name, e.nargs,
                               SQLITE_UTF8 | (e.deterministic ? SQLITE_DETERMINISTIC : 0), host,
                               e.fn, nullptr, nullptr, nullptr);
}

void register_user_function(sqlite3* db, FunctionHost* host, const std::string& name, int nargs) {
  auto* uf = new UserFunction{host, name};
  sqlite3_create_function_v2(db, name.c_str(), nargs, SQLITE_UTF8, uf, fn_user, nullptr, nullptr,
                             [](void* p) { delete static_cast<UserFunction*>(p); });
}

}  // namespace bm::data::standin
