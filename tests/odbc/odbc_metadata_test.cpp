// describe_table through the catalog functions.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/odbc/sqlite_odbc.h"
#include "tests/support/temp_dir.h"

namespace bm::test {
namespace {

using data::ColumnType;
using data::DbError;

TEST(OdbcMetadata, DescribesColumnsTypesAndKey) {
  TempDir dir;
  auto s = sqlite_session(dir.file("d.sqlite"));
  run(*s, {"CREATE TABLE inv_libup (LIB_NO SMALLINT NOT NULL, BOOK_ID INTEGER NOT NULL, "
           "QTY BIGINT DEFAULT 0, DISCOUNT NUMERIC(9,4), PRICE DOUBLE PRECISION, NAME VARCHAR(40), "
           "LASTUPTIME TIMESTAMP, DAY DATE, PRIMARY KEY (BOOK_ID, LIB_NO))",
           // A name that the underscore of "inv_libup" would match as a pattern.
           "CREATE TABLE invXlibup (OTHER INTEGER)"});

  data::TableInfo t = s->describe_table("INV_LIBUP");
  EXPECT_EQ(t.name, "inv_libup");
  ASSERT_EQ(t.columns.size(), 8u);
  struct Expect {
    const char* name;
    ColumnType type;
    int bits, precision, scale, chars;
    bool nullable, has_default;
  } expect[] = {
      {"LIB_NO", ColumnType::Integer, 16, 0, 0, 0, false, false},
      {"BOOK_ID", ColumnType::Integer, 32, 0, 0, 0, false, false},
      {"QTY", ColumnType::Integer, 64, 0, 0, 0, true, true},
      {"DISCOUNT", ColumnType::Decimal, 0, 9, 4, 0, true, false},
      {"PRICE", ColumnType::Float, 0, 0, 0, 0, true, false},
      {"NAME", ColumnType::Text, 0, 0, 0, 40, true, false},
      {"LASTUPTIME", ColumnType::Timestamp, 0, 0, 0, 0, true, false},
      {"DAY", ColumnType::Date, 0, 0, 0, 0, true, false},
  };
  for (size_t i = 0; i < std::size(expect); ++i) {
    const auto& c = t.columns[i];
    const auto& e = expect[i];
    SCOPED_TRACE(e.name);
    EXPECT_EQ(c.name, e.name);
    EXPECT_EQ(c.type, e.type);
    EXPECT_EQ(c.bits, e.bits);
    EXPECT_EQ(c.precision, e.precision);
    EXPECT_EQ(c.scale, e.scale);
    EXPECT_EQ(c.char_length, e.chars);
    EXPECT_EQ(c.byte_length, 0) << "outside SQL Server, lengths count characters";
    EXPECT_EQ(c.nullable, e.nullable);
    EXPECT_EQ(c.has_default, e.has_default);
    EXPECT_FALSE(c.identity);
  }
  // SQLite's driver numbers key columns in table order (LIB_NO, BOOK_ID); SQL Server's
  // drivers give the key's own order, which the SQL Server test checks.
  std::vector<std::string> key = t.primary_key;
  std::sort(key.begin(), key.end());
  EXPECT_EQ(key, (std::vector<std::string>{"BOOK_ID", "LIB_NO"}));

  EXPECT_TRUE(s->describe_table("invXlibup").primary_key.empty());
  EXPECT_THROW(s->describe_table("NO_SUCH_TABLE"), DbError);
}

}  // namespace
}  // namespace bm::test
