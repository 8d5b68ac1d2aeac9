// T-SQL column types: parsing the words of a declaration, the SQLite column that stores them,
// and what the program is told about them.
#pragma once
#include <string>

#include "data/driver.h"
#include "data/drivers/standin/tsql_lexer.h"

namespace bm::data::standin {

struct SqlType {
  std::string name;   // lower case: "int", "varchar", "numeric", ...
  int length = 0;     // character types: n, or -1 for (max); 0 when not given
  int precision = 0;  // numeric/decimal
  int scale = 0;

  enum class Family { Integer, Decimal, Float, Text, Date, Time, DateTime, Binary, Other };
  Family family() const;
  bool is_unicode() const;  // nchar, nvarchar, ntext
  int max_chars() const;    // declared limit of a character type, 0 when unlimited
  std::string text() const; // "varchar(20)", "numeric(18,2)"
};

// Parses a type at tokens[i] ("varchar (20)", "numeric(12,2)", "nvarchar(max)") and moves i past
// it. Fails with SQL Server's message for an unknown type name.
SqlType parse_type(const Tokens& t, size_t& i);
// Reads a type back from its text() form.
SqlType type_from_text(const std::string& text);
// Whether a word names a type this stand-in knows.
bool is_type_name(const std::string& word);

// The SQLite declaration that stores the type: affinity and collation.
std::string sqlite_declaration(const SqlType& type);

// Fills the type part of a ColumnInfo.
void describe_type(const SqlType& type, ColumnInfo& info);

}  // namespace bm::data::standin
