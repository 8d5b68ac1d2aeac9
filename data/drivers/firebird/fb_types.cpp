#include "data/drivers/firebird/fb_types.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "data/drivers/firebird/fb_api.h"
#include "data/encoding.h"

namespace bm::data::firebird {

using namespace Firebird;

namespace {

constexpr unsigned kCharsetOctets = 1;

int64_t pow10(int n) {
  int64_t p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

[[noreturn]] void value_problem(const std::string& text) {
  throw DbError("arithmetic exception, numeric overflow, or string truncation\n-" + text,
                DbError::Kind::ValueProblem);
}

// A value as units of 10^-scale, rounding half away from zero.
int64_t scaled_integer(const Value& v, int scale) {
  Decimal d;
  if (auto* i = std::get_if<int64_t>(&v)) {
    d = {*i, 0};
  } else if (auto* dec = std::get_if<Decimal>(&v)) {
    d = *dec;
  } else if (auto* f = std::get_if<double>(&v)) {
    double x = std::round(*f * static_cast<double>(pow10(scale)));
    if (!std::isfinite(x) || std::fabs(x) >= 9.2e18) value_problem("numeric value is out of range");
    return static_cast<int64_t>(x);
  } else if (auto* s = std::get_if<std::string>(&v)) {
    auto p = parse_decimal(*s);
    if (!p) throw DbError("conversion error from string \"" + *s + "\"", DbError::Kind::ValueProblem);
    d = *p;
  } else {
    throw DbError("conversion error: " + to_text(v) + " is not a number", DbError::Kind::ValueProblem);
  }
  if (d.scale <= scale) {
    int64_t f = pow10(scale - d.scale);
    if (d.units != 0 && std::llabs(d.units) > std::numeric_limits<int64_t>::max() / f)
      value_problem("numeric value is out of range");
    return d.units * f;
  }
  int64_t f = pow10(d.scale - scale);
  int64_t q = d.units / f, r = d.units % f;
  if (std::llabs(r) * 2 >= f) q += d.units < 0 ? -1 : 1;
  return q;
}

double as_double(const Value& v) {
  if (auto* f = std::get_if<double>(&v)) return *f;
  if (auto* i = std::get_if<int64_t>(&v)) return static_cast<double>(*i);
  if (auto* d = std::get_if<Decimal>(&v)) return to_double(*d);
  if (auto* s = std::get_if<std::string>(&v)) {
    if (auto p = parse_decimal(*s)) return to_double(*p);
    char* end = nullptr;
    double x = std::strtod(s->c_str(), &end);
    if (end != s->c_str() && *end == '\0') return x;
    throw DbError("conversion error from string \"" + *s + "\"", DbError::Kind::ValueProblem);
  }
  throw DbError("conversion error: " + to_text(v) + " is not a number", DbError::Kind::ValueProblem);
}

Timestamp as_timestamp(const Value& v) {
  if (auto* t = std::get_if<Timestamp>(&v)) return *t;
  if (auto* d = std::get_if<Date>(&v)) return Timestamp{*d, {}};
  if (auto* t = std::get_if<Time>(&v)) return Timestamp{{1858, 11, 17}, *t};
  if (auto* s = std::get_if<std::string>(&v)) {
    if (auto p = parse_timestamp(*s)) return *p;
    if (auto t = parse_time(*s)) return Timestamp{{1858, 11, 17}, *t};
  }
  throw DbError("conversion error from string \"" + to_text(v) + "\"", DbError::Kind::ValueProblem);
}

std::string text_bytes(const Value& v, unsigned charset) {
  if (auto* b = std::get_if<Bytes>(&v)) return b->data;
  std::string text = to_text(v);
  if (charset == kCharsetOctets) return text;
  auto gbk = utf8_to_gbk(text);
  if (!gbk) value_problem("text has a character that code page 936 cannot hold");
  return *gbk;
}

template <typename T>
void store(unsigned char* p, T v) {
  std::memcpy(p, &v, sizeof v);
}
template <typename T>
T load(const unsigned char* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

ISC_QUAD write_blob(IAttachment* att, ITransaction* tra, const std::string& data) {
  Status st;
  ISC_QUAD id;
  try {
    IBlob* blob = att->createBlob(&st, tra, &id, 0, nullptr);
    for (size_t pos = 0; pos < data.size(); pos += 32768) {
      unsigned n = static_cast<unsigned>(std::min<size_t>(32768, data.size() - pos));
      blob->putSegment(&st, n, data.data() + pos);
    }
    blob->close(&st);
  } catch (const FbException& e) {
    throw to_db_error(e);
  }
  return id;
}

std::string read_blob(IAttachment* att, ITransaction* tra, ISC_QUAD id) {
  Status st;
  std::string out;
  try {
    IBlob* blob = att->openBlob(&st, tra, &id, 0, nullptr);
    char buf[32768];
    for (;;) {
      unsigned got = 0;
      int r = blob->getSegment(&st, sizeof buf, buf, &got);
      if (r == IStatus::RESULT_NO_DATA) break;
      out.append(buf, got);
    }
    blob->close(&st);
  } catch (const FbException& e) {
    throw to_db_error(e);
  }
  return out;
}

}  // namespace

MessageBuffer::~MessageBuffer() {
  if (meta_) meta_->release();
}

void MessageBuffer::reset(IMessageMetadata* meta) {
  if (meta_) meta_->release();
  meta_ = meta;
  fields_.clear();
  buffer_.clear();
  if (!meta_) return;
  Status st;
  try {
    unsigned n = meta_->getCount(&st);
    for (unsigned i = 0; i < n; ++i) {
      Field f;
      f.type = meta_->getType(&st, i);
      f.sub_type = static_cast<unsigned>(meta_->getSubType(&st, i));
      f.length = meta_->getLength(&st, i);
      f.offset = meta_->getOffset(&st, i);
      f.null_offset = meta_->getNullOffset(&st, i);
      f.charset = meta_->getCharSet(&st, i);
      f.scale = meta_->getScale(&st, i);
      const char* alias = meta_->getAlias(&st, i);
      f.name = gbk_to_utf8(alias ? alias : "");
      fields_.push_back(f);
    }
    buffer_.assign(meta_->getMessageLength(&st), 0);
  } catch (const FbException& e) {
    throw to_db_error(e);
  }
}

std::vector<ColumnInfo> MessageBuffer::columns() const {
  std::vector<ColumnInfo> cols;
  for (const auto& f : fields_) {
    ColumnInfo c;
    c.name = f.name;
    switch (f.type) {
      case SQL_SHORT:
      case SQL_LONG:
      case SQL_INT64:
        if (f.scale < 0) {
          c.type = ColumnType::Decimal;
          c.scale = -f.scale;
        } else {
          c.type = ColumnType::Integer;
          c.bits = f.type == SQL_SHORT ? 16 : f.type == SQL_LONG ? 32 : 64;
        }
        break;
      case SQL_FLOAT:
      case SQL_DOUBLE:
      case SQL_D_FLOAT: c.type = ColumnType::Float; break;
      case SQL_TEXT:
      case SQL_VARYING:
        c.type = ColumnType::Text;
        c.byte_length = static_cast<int>(f.length);
        break;
      case SQL_TIMESTAMP: c.type = ColumnType::Timestamp; break;
      case SQL_TYPE_DATE: c.type = ColumnType::Date; break;
      case SQL_TYPE_TIME: c.type = ColumnType::Time; break;
      case SQL_BLOB: c.type = f.sub_type == 1 ? ColumnType::TextBlob : ColumnType::BinaryBlob; break;
      case SQL_BOOLEAN: c.type = ColumnType::Integer; c.bits = 16; break;
      default: c.type = ColumnType::Other; break;
    }
    cols.push_back(std::move(c));
  }
  return cols;
}

void MessageBuffer::put(size_t i, const Value& v, IAttachment* att, ITransaction* tra) {
  const Field& f = fields_[i];
  unsigned char* p = buffer_.data() + f.offset;
  int16_t* null_flag = reinterpret_cast<int16_t*>(buffer_.data() + f.null_offset);
  if (is_null(v)) {
    *null_flag = -1;
    return;
  }
  *null_flag = 0;
  switch (f.type) {
    case SQL_VARYING: {
      std::string b = text_bytes(v, f.charset);
      if (b.size() > f.length) value_problem("string right truncation");
      store<uint16_t>(p, static_cast<uint16_t>(b.size()));
      std::memcpy(p + 2, b.data(), b.size());
      break;
    }
    case SQL_TEXT: {
      std::string b = text_bytes(v, f.charset);
      if (b.size() > f.length) value_problem("string right truncation");
      std::memcpy(p, b.data(), b.size());
      std::memset(p + b.size(), ' ', f.length - b.size());
      break;
    }
    case SQL_SHORT: {
      int64_t x = scaled_integer(v, -f.scale);
      if (x < INT16_MIN || x > INT16_MAX) value_problem("numeric value is out of range");
      store<int16_t>(p, static_cast<int16_t>(x));
      break;
    }
    case SQL_LONG: {
      int64_t x = scaled_integer(v, -f.scale);
      if (x < INT32_MIN || x > INT32_MAX) value_problem("numeric value is out of range");
      store<int32_t>(p, static_cast<int32_t>(x));
      break;
    }
    case SQL_INT64: store<int64_t>(p, scaled_integer(v, -f.scale)); break;
    case SQL_FLOAT: store<float>(p, static_cast<float>(as_double(v))); break;
    case SQL_DOUBLE:
    case SQL_D_FLOAT: store<double>(p, as_double(v)); break;
    case SQL_TIMESTAMP: {
      Timestamp t = as_timestamp(v);
      ISC_TIMESTAMP ts;
      ts.timestamp_date = util()->encodeDate(t.date.year, t.date.month, t.date.day);
      ts.timestamp_time = util()->encodeTime(t.time.hour, t.time.minute, t.time.second, t.time.fraction);
      store(p, ts);
      break;
    }
    case SQL_TYPE_DATE: {
      Timestamp t = as_timestamp(v);
      store<ISC_DATE>(p, util()->encodeDate(t.date.year, t.date.month, t.date.day));
      break;
    }
    case SQL_TYPE_TIME: {
      Timestamp t = as_timestamp(v);
      store<ISC_TIME>(p, util()->encodeTime(t.time.hour, t.time.minute, t.time.second, t.time.fraction));
      break;
    }
    case SQL_BLOB: {
      std::string data = f.sub_type == 1 ? text_bytes(v, f.charset)
                         : std::holds_alternative<Bytes>(v) ? std::get<Bytes>(v).data
                                                            : to_text(v);
      store(p, write_blob(att, tra, data));
      break;
    }
    case SQL_BOOLEAN: store<unsigned char>(p, as_double(v) != 0 ? 1 : 0); break;
    case SQL_NULL: break;
    default: throw DbError("Unsupported parameter type " + std::to_string(f.type));
  }
}

Value MessageBuffer::get(size_t i, IAttachment* att, ITransaction* tra) const {
  const Field& f = fields_[i];
  const unsigned char* p = buffer_.data() + f.offset;
  if (load<int16_t>(buffer_.data() + f.null_offset)) return Value{};
  switch (f.type) {
    case SQL_VARYING: {
      uint16_t n = load<uint16_t>(p);
      std::string b(reinterpret_cast<const char*>(p + 2), n);
      return f.charset == kCharsetOctets ? Value{Bytes{b}} : Value{gbk_to_utf8(b)};
    }
    case SQL_TEXT: {
      std::string b(reinterpret_cast<const char*>(p), f.length);
      if (f.charset == kCharsetOctets) return Bytes{b};
      while (!b.empty() && b.back() == ' ') b.pop_back();
      return gbk_to_utf8(b);
    }
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: {
      int64_t x = f.type == SQL_SHORT ? load<int16_t>(p)
                  : f.type == SQL_LONG ? load<int32_t>(p)
                                       : load<int64_t>(p);
      if (f.scale < 0) return Decimal{x, -f.scale};
      return x;
    }
    case SQL_FLOAT: return static_cast<double>(load<float>(p));
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return load<double>(p);
    case SQL_TIMESTAMP: {
      auto ts = load<ISC_TIMESTAMP>(p);
      unsigned y, m, d, h, mi, s, fr;
      util()->decodeDate(ts.timestamp_date, &y, &m, &d);
      util()->decodeTime(ts.timestamp_time, &h, &mi, &s, &fr);
      return Timestamp{{int(y), int(m), int(d)}, {int(h), int(mi), int(s), int(fr)}};
    }
    case SQL_TYPE_DATE: {
      unsigned y, m, d;
      util()->decodeDate(load<ISC_DATE>(p), &y, &m, &d);
      return Date{int(y), int(m), int(d)};
    }
    case SQL_TYPE_TIME: {
      unsigned h, mi, s, fr;
      util()->decodeTime(load<ISC_TIME>(p), &h, &mi, &s, &fr);
      return Time{int(h), int(mi), int(s), int(fr)};
    }
    case SQL_BLOB: {
      std::string data = read_blob(att, tra, load<ISC_QUAD>(p));
      if (f.sub_type == 1) return gbk_to_utf8(data);
      return Bytes{data};
    }
    case SQL_BOOLEAN: return int64_t{*p ? 1 : 0};
    default: return Value{};
  }
}

}  // namespace bm::data::firebird
