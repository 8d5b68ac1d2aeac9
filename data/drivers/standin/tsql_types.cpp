#include "data/drivers/standin/tsql_types.h"

#include <map>

#include "data/error.h"

namespace bm::data::standin {

namespace {

struct TypeEntry {
  SqlType::Family family;
  int precision;  // default precision for exact numbers
  int scale;
};

const std::map<std::string, TypeEntry>& type_table() {
  using F = SqlType::Family;
  static const std::map<std::string, TypeEntry> table = {
      {"bit", {F::Integer, 0, 0}},       {"tinyint", {F::Integer, 0, 0}},
      {"smallint", {F::Integer, 0, 0}},  {"int", {F::Integer, 0, 0}},
      {"integer", {F::Integer, 0, 0}},   {"bigint", {F::Integer, 0, 0}},
      {"numeric", {F::Decimal, 18, 0}},  {"decimal", {F::Decimal, 18, 0}},
      {"money", {F::Decimal, 19, 4}},    {"smallmoney", {F::Decimal, 10, 4}},
      {"float", {F::Float, 0, 0}},       {"real", {F::Float, 0, 0}},
      {"char", {F::Text, 0, 0}},         {"varchar", {F::Text, 0, 0}},
      {"nchar", {F::Text, 0, 0}},        {"nvarchar", {F::Text, 0, 0}},
      {"text", {F::Text, 0, 0}},         {"ntext", {F::Text, 0, 0}},
      {"sysname", {F::Text, 0, 0}},      {"uniqueidentifier", {F::Text, 0, 0}},
      {"datetime", {F::DateTime, 0, 0}}, {"smalldatetime", {F::DateTime, 0, 0}},
      {"datetime2", {F::DateTime, 0, 0}}, {"date", {F::Date, 0, 0}},
      {"time", {F::Time, 0, 0}},         {"image", {F::Binary, 0, 0}},
      {"varbinary", {F::Binary, 0, 0}},  {"binary", {F::Binary, 0, 0}},
  };
  return table;
}

}  // namespace

bool is_type_name(const std::string& word) { return type_table().count(lower(word)) > 0; }

SqlType::Family SqlType::family() const {
  auto it = type_table().find(name);
  return it == type_table().end() ? Family::Other : it->second.family;
}

bool SqlType::is_unicode() const { return name == "nchar" || name == "nvarchar" || name == "ntext"; }

int SqlType::max_chars() const {
  if (name == "char" || name == "varchar" || name == "nchar" || name == "nvarchar")
    return length > 0 ? length : (length == 0 ? 1 : 0);
  if (name == "sysname") return 128;
  return 0;
}

std::string SqlType::text() const {
  if (family() == Family::Decimal && (name == "numeric" || name == "decimal"))
    return name + "(" + std::to_string(precision) + "," + std::to_string(scale) + ")";
  if (name == "char" || name == "varchar" || name == "nchar" || name == "nvarchar" ||
      name == "varbinary" || name == "binary") {
    if (length < 0) return name + "(max)";
    return name + "(" + std::to_string(length == 0 ? 1 : length) + ")";
  }
  return name;
}

SqlType parse_type(const Tokens& t, size_t& i) {
  if (!t[i].is_name()) throw DbError(syntax_error_near(t[i]));
  SqlType type;
  type.name = lower(t[i].text);
  if (type.name == "double" && t[i + 1].is_word("precision")) {
    type.name = "float";
    ++i;
  }
  auto it = type_table().find(type.name);
  if (it == type_table().end())
    throw DbError("Column, parameter, or variable #1: Cannot find data type " + t[i].text + ".");
  if (type.name == "integer") type.name = "int";
  ++i;
  type.precision = it->second.precision;
  type.scale = it->second.scale;
  if (t[i].is_op("(")) {
    ++i;
    if (t[i].is_word("max")) {
      type.length = -1;
      ++i;
    } else if (t[i].kind == Token::Kind::Number) {
      int first = std::stoi(t[i].text);
      ++i;
      if (it->second.family == SqlType::Family::Decimal) {
        type.precision = first;
        type.scale = 0;
        if (t[i].is_op(",")) {
          if (t[i + 1].kind != Token::Kind::Number) throw DbError(syntax_error_near(t[i + 1]));
          type.scale = std::stoi(t[i + 1].text);
          i += 2;
        }
        if (type.precision < 1 || type.precision > 38 || type.scale > type.precision)
          throw DbError("The scale must be less than or equal to the precision.");
      } else {
        type.length = first;
        if (t[i].is_op(",")) i += 2;  // float(53), datetime2(7) style second numbers
      }
    } else {
      throw DbError(syntax_error_near(t[i]));
    }
    if (!t[i].is_op(")")) throw DbError(syntax_error_near(t[i]));
    ++i;
  }
  if ((type.name == "char" || type.name == "varchar" || type.name == "nchar" ||
       type.name == "nvarchar" || type.name == "binary" || type.name == "varbinary") &&
      type.length == 0)
    type.length = 1;  // a character type without a length holds one character
  if (type.name == "float" || type.name == "real" || type.name == "datetime2") type.length = 0;
  return type;
}

SqlType type_from_text(const std::string& text) {
  Tokens t = tokenize(text);
  size_t i = 0;
  return parse_type(t, i);
}

std::string sqlite_declaration(const SqlType& type) {
  switch (type.family()) {
    case SqlType::Family::Integer: return "INT";
    case SqlType::Family::Decimal:
    case SqlType::Family::Float: return "REAL";
    case SqlType::Family::Text: return "TEXT COLLATE BM_CI";
    case SqlType::Family::Binary: return "BLOB";
    default: return "TEXT";
  }
}

void describe_type(const SqlType& type, ColumnInfo& info) {
  switch (type.family()) {
    case SqlType::Family::Integer:
      info.type = ColumnType::Integer;
      info.bits = type.name == "bigint" ? 64 : (type.name == "int" ? 32 : 16);
      break;
    case SqlType::Family::Decimal:
      info.type = ColumnType::Decimal;
      info.precision = type.precision;
      info.scale = type.scale;
      break;
    case SqlType::Family::Float: info.type = ColumnType::Float; break;
    case SqlType::Family::Text:
      if (type.name == "text" || type.name == "ntext") {
        info.type = ColumnType::TextBlob;
      } else {
        info.type = ColumnType::Text;
        info.char_length = type.max_chars();
        // varchar/char hold bytes of code page 936; nvarchar/nchar hold characters.
        info.byte_length = type.is_unicode() ? 0 : info.char_length;
      }
      break;
    case SqlType::Family::Date: info.type = ColumnType::Date; break;
    case SqlType::Family::Time: info.type = ColumnType::Time; break;
    case SqlType::Family::DateTime: info.type = ColumnType::Timestamp; break;
    case SqlType::Family::Binary: info.type = ColumnType::BinaryBlob; break;
    default: info.type = ColumnType::Other; break;
  }
}

}  // namespace bm::data::standin
