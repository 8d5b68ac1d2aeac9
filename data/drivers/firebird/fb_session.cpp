#include "data/drivers/firebird/fb_session.h"

#include <strings.h>

#include "data/drivers/firebird/fb_api.h"
#include "data/drivers/firebird/fb_statement.h"
#include "data/encoding.h"

namespace bm::data::firebird {

using namespace Firebird;

namespace {

std::string upper(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

int64_t as_int(const Value& v) {
  if (auto* i = std::get_if<int64_t>(&v)) return *i;
  if (auto* d = std::get_if<Decimal>(&v)) return d->units;
  return 0;
}

std::string as_text(const Value& v) {
  std::string s = to_text(v);
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

}  // namespace

FbSession::FbSession(const std::string& path, const std::string& user, const std::string& password) {
  Status st;
  IXpbBuilder* dpb = nullptr;
  try {
    dpb = util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
    dpb->insertString(&st, isc_dpb_user_name, user.c_str());
    dpb->insertString(&st, isc_dpb_password, password.c_str());
    // Text crosses the connection in code page 936.
    dpb->insertString(&st, isc_dpb_lc_ctype, "GBK");
    auto encoded = utf8_to_gbk(path).value_or(path);
    attachment_ = master()->getDispatcher()->attachDatabase(
        &st, encoded.c_str(), dpb->getBufferLength(&st), dpb->getBuffer(&st));
    dpb->dispose();
    dpb = nullptr;
    // Every statement is prepared in the database's own SQL dialect.
    const unsigned char items[] = {isc_info_db_sql_dialect, isc_info_end};
    unsigned char info[32] = {};
    attachment_->getInfo(&st, sizeof items, items, sizeof info, info);
    if (info[0] == isc_info_db_sql_dialect) {
      int len = isc_vax_integer(reinterpret_cast<const char*>(info + 1), 2);
      dialect_ = static_cast<unsigned>(isc_vax_integer(reinterpret_cast<const char*>(info + 3), len));
    }
  } catch (const FbException& e) {
    if (dpb) dpb->dispose();
    if (attachment_) {
      attachment_->release();
      attachment_ = nullptr;
    }
    throw to_db_error(e, DbError::Kind::Connection);
  }
}

FbSession::~FbSession() {
  Status st;
  if (transaction_) {
    try {
      transaction_->commit(&st);
    } catch (const FbException&) {
      transaction_->release();
    }
    transaction_ = nullptr;
  }
  if (attachment_) {
    try {
      attachment_->detach(&st);
    } catch (const FbException&) {
      attachment_->release();
    }
  }
}

std::unique_ptr<Statement> FbSession::prepare(const std::string& sql) {
  return std::make_unique<FbStatement>(*this, sql);
}

void FbSession::begin() {
  if (transaction_) throw DbError("A transaction is already active");
  transaction_ = start_transaction(attachment_, false);
}

void FbSession::commit() {
  if (!transaction_) return;
  Status st;
  ITransaction* t = transaction_;
  transaction_ = nullptr;
  try {
    t->commit(&st);
  } catch (const FbException& e) {
    try {
      Status st2;
      t->rollback(&st2);
    } catch (const FbException&) {
    }
    throw to_db_error(e);
  }
}

void FbSession::rollback() {
  if (!transaction_) return;
  Status st;
  ITransaction* t = transaction_;
  transaction_ = nullptr;
  try {
    t->rollback(&st);
  } catch (const FbException& e) {
    throw to_db_error(e);
  }
}

std::vector<std::vector<Value>> FbSession::catalog(const std::string& sql,
                                                   const std::vector<Value>& params) {
  FbStatement stmt(*this, sql);
  stmt.execute(params);
  std::vector<std::vector<Value>> rows;
  std::vector<Value> row;
  while (stmt.fetch(row)) rows.push_back(row);
  stmt.close_cursor();
  return rows;
}

TableInfo FbSession::describe_table(const std::string& table) {
  const std::string name = upper(table);
  auto cols = catalog(
      "SELECT TRIM(RF.RDB$FIELD_NAME), F.RDB$FIELD_TYPE, COALESCE(F.RDB$FIELD_SUB_TYPE, 0), "
      "F.RDB$FIELD_LENGTH, COALESCE(F.RDB$FIELD_PRECISION, 0), COALESCE(F.RDB$FIELD_SCALE, 0), "
      "COALESCE(F.RDB$CHARACTER_LENGTH, 0), COALESCE(RF.RDB$NULL_FLAG, F.RDB$NULL_FLAG, 0), "
      "CASE WHEN RF.RDB$DEFAULT_SOURCE IS NULL AND F.RDB$DEFAULT_SOURCE IS NULL THEN 0 ELSE 1 END, "
      "CASE WHEN F.RDB$COMPUTED_BLR IS NULL THEN 0 ELSE 1 END, "
      "CASE WHEN RF.RDB$IDENTITY_TYPE IS NULL THEN 0 ELSE 1 END, "
      "COALESCE(CS.RDB$BYTES_PER_CHARACTER, 1) "
      "FROM RDB$RELATION_FIELDS RF "
      "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
      "LEFT JOIN RDB$CHARACTER_SETS CS ON CS.RDB$CHARACTER_SET_ID = F.RDB$CHARACTER_SET_ID "
      "WHERE UPPER(TRIM(RF.RDB$RELATION_NAME)) = ? ORDER BY RF.RDB$FIELD_POSITION",
      {Value{name}});
  if (cols.empty()) throw DbError("Table unknown\n-" + name);
  TableInfo info;
  info.name = name;
  for (const auto& r : cols) {
    ColumnInfo c;
    c.name = as_text(r[0]);
    int type = static_cast<int>(as_int(r[1]));
    int sub = static_cast<int>(as_int(r[2]));
    int length = static_cast<int>(as_int(r[3]));
    int precision = static_cast<int>(as_int(r[4]));
    int scale = -static_cast<int>(as_int(r[5]));
    int char_length = static_cast<int>(as_int(r[6]));
    c.nullable = as_int(r[7]) == 0;
    c.has_default = as_int(r[8]) != 0;
    c.computed = as_int(r[9]) != 0;
    c.identity = as_int(r[10]) != 0;
    int bytes_per_char = std::max<int>(1, static_cast<int>(as_int(r[11])));
    switch (type) {
      case 7:    // SMALLINT
      case 8:    // INTEGER
      case 16:   // BIGINT, NUMERIC stored as 64 bits
        if (scale > 0 || sub == 1 || sub == 2) {
          c.type = ColumnType::Decimal;
          c.scale = scale;
          c.precision = precision ? precision : (type == 7 ? 4 : type == 8 ? 9 : 18);
        } else {
          c.type = ColumnType::Integer;
          c.bits = type == 7 ? 16 : type == 8 ? 32 : 64;
        }
        break;
      case 27:
        // DOUBLE PRECISION; in dialect 1 also NUMERIC(p,s) with p > 9, which the engine keeps as
        // a double without rounding it to its scale: the value is copied bit for bit.
        c.type = ColumnType::Float;
        c.scale = scale;
        c.precision = precision;
        break;
      case 10:
      case 11: c.type = ColumnType::Float; break;
      case 12: c.type = ColumnType::Date; break;
      case 13: c.type = ColumnType::Time; break;
      case 35: c.type = ColumnType::Timestamp; break;
      case 14:
      case 37:
        c.type = ColumnType::Text;
        c.byte_length = length;
        c.char_length = char_length ? char_length : length / bytes_per_char;
        // Only a multi-byte column is counted in code page 936 bytes.
        if (bytes_per_char == 1) c.byte_length = c.char_length;
        break;
      case 261: c.type = sub == 1 ? ColumnType::TextBlob : ColumnType::BinaryBlob; break;
      case 23: c.type = ColumnType::Integer; c.bits = 16; break;
      default: c.type = ColumnType::Other; break;
    }
    info.columns.push_back(std::move(c));
  }
  auto keys = catalog(
      "SELECT TRIM(S.RDB$FIELD_NAME) FROM RDB$RELATION_CONSTRAINTS RC "
      "JOIN RDB$INDEX_SEGMENTS S ON S.RDB$INDEX_NAME = RC.RDB$INDEX_NAME "
      "WHERE RC.RDB$CONSTRAINT_TYPE = 'PRIMARY KEY' AND UPPER(TRIM(RC.RDB$RELATION_NAME)) = ? "
      "ORDER BY S.RDB$FIELD_POSITION",
      {Value{name}});
  for (const auto& k : keys) info.primary_key.push_back(as_text(k[0]));
  return info;
}

void FbSession::call_procedure(const std::string& name,
                               const std::vector<std::pair<std::string, Value>>& params) {
  const std::string proc = upper(name);
  auto exists = catalog(
      "SELECT COUNT(*) FROM RDB$PROCEDURES WHERE UPPER(TRIM(RDB$PROCEDURE_NAME)) = ?", {Value{proc}});
  if (exists.empty() || as_int(exists[0][0]) == 0) throw DbError("Procedure unknown\n-" + proc);
  auto inputs = catalog(
      "SELECT TRIM(RDB$PARAMETER_NAME) FROM RDB$PROCEDURE_PARAMETERS "
      "WHERE UPPER(TRIM(RDB$PROCEDURE_NAME)) = ? AND RDB$PARAMETER_TYPE = 0 "
      "ORDER BY RDB$PARAMETER_NUMBER",
      {Value{proc}});
  for (const auto& p : params) {
    bool known = false;
    for (const auto& in : inputs) known = known || strcasecmp(as_text(in[0]).c_str(), p.first.c_str()) == 0;
    if (!known) throw DbError("Parameter '" + p.first + "' not found in procedure " + proc);
  }
  std::string sql = "EXECUTE PROCEDURE " + quote_identifier(proc);
  std::vector<Value> values;
  for (size_t i = 0; i < inputs.size(); ++i) {
    sql += i ? ", ?" : " ?";
    Value v;
    for (const auto& p : params)
      if (strcasecmp(as_text(inputs[i][0]).c_str(), p.first.c_str()) == 0) v = p.second;
    values.push_back(v);
  }
  FbStatement stmt(*this, sql);
  stmt.execute(values);
}

std::string FbSession::quote_identifier(const std::string& name) const {
  // Dialect 1 has no quoted names; its names are stored in capitals.
  if (dialect_ < 3) return name;
  return "\"" + name + "\"";
}

}  // namespace bm::data::firebird
