// Values through the ODBC driver: every kind in and out through parameters, NULLs, Chinese
// text in both client code pages, and statements without parameters.
#include <gtest/gtest.h>

#include "tests/odbc/sqlite_odbc.h"
#include "tests/support/temp_dir.h"

namespace bm::test {
namespace {

using data::Date;
using data::DbError;
using data::Decimal;
using data::Time;
using data::Timestamp;
using data::Value;

class OdbcValues : public ::testing::Test {
 protected:
  void SetUp() override {
    s = sqlite_session(dir.file("v.sqlite"));
    run(*s, {"CREATE TABLE T (ID INTEGER PRIMARY KEY, I INTEGER, B BIGINT, N NUMERIC(9,2), "
             "D DOUBLE PRECISION, S VARCHAR(20), DT DATE, TS TIMESTAMP, BL BLOB)"});
  }
  TempDir dir;
  std::unique_ptr<data::Session> s;
};

TEST_F(OdbcValues, EveryKindRoundTripsThroughParameters) {
  struct Case {
    const char* name;
    std::vector<Value> row;
  } cases[] = {
      {"plain", {int64_t{1}, int64_t{-7}, int64_t{9000000000}, Decimal{1250, 2}, 0.5, std::string("abc"),
                 Date{2024, 2, 29}, Timestamp{{2023, 12, 31}, {23, 59, 58, 0}}, data::Bytes{std::string("\0\1\xff", 3)}}},
      {"nulls", {int64_t{2}, Value{}, Value{}, Value{}, Value{}, Value{}, Value{}, Value{}, Value{}}},
      {"chinese and milliseconds",
       {int64_t{3}, int64_t{0}, int64_t{-1}, Decimal{-5, 2}, -1e300, std::string("图书资料ok"),
        Date{1900, 1, 1}, Timestamp{{2001, 1, 2}, {3, 4, 5, 1230}}, data::Bytes{}}},
  };
  auto insert = s->prepare("INSERT INTO T VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
  ASSERT_EQ(insert->param_count(), 9u);
  for (const auto& c : cases) insert->execute(c.row);

  auto rows = select(*s, "SELECT * FROM T ORDER BY ID");
  ASSERT_EQ(rows.size(), std::size(cases));
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], cases[i].row) << cases[i].name;
}

TEST_F(OdbcValues, ResultColumnsCarryNamesAndKinds) {
  auto st = s->prepare("SELECT ID, N, S, TS FROM T");
  st->execute({});
  const auto& cols = st->result_columns();
  ASSERT_EQ(cols.size(), 4u);
  EXPECT_EQ(cols[0].name, "ID");
  EXPECT_EQ(cols[0].type, data::ColumnType::Integer);
  EXPECT_EQ(cols[1].type, data::ColumnType::Decimal);
  EXPECT_EQ(cols[1].scale, 2) << "the declared scale, which SQLite's driver does not report itself";
  EXPECT_EQ(cols[2].type, data::ColumnType::Text);
  EXPECT_EQ(cols[3].type, data::ColumnType::Timestamp);
  std::vector<Value> row;
  EXPECT_FALSE(st->fetch(row));
}

TEST_F(OdbcValues, LiteralsWithQuestionMarksAreNotParameters) {
  auto st = s->prepare("INSERT INTO T (ID, S) VALUES (1, 'what? -- no ?')");
  EXPECT_EQ(st->param_count(), 0u);
  st->execute({});
  EXPECT_EQ(st->rows_affected(), 1);
  EXPECT_EQ(select(*s, "SELECT S FROM T"), (std::vector<std::vector<Value>>{{std::string("what? -- no ?")}}));
  EXPECT_THROW(st->execute({int64_t{1}}), DbError) << "a value for a statement without parameters";
}

TEST_F(OdbcValues, RowsAffectedCountsChangedRows) {
  run(*s, {"INSERT INTO T (ID, I) VALUES (1, 1)", "INSERT INTO T (ID, I) VALUES (2, 1)",
           "INSERT INTO T (ID, I) VALUES (3, 2)"});
  auto st = s->prepare("UPDATE T SET S = 'x' WHERE I = ?");
  st->execute({int64_t{1}});
  EXPECT_EQ(st->rows_affected(), 2);
  st->execute({int64_t{9}});
  EXPECT_EQ(st->rows_affected(), 0);
}

// With the GBK client code page, text crosses the narrow calls as GBK bytes: SQLite, which
// stores what it gets, shows the bytes, and reading converts back.
TEST(OdbcCodePage, GbkTextCrossesAsGbkBytes) {
  TempDir dir;
  data::odbc::Options gbk = data::odbc::sqlite_options();
  gbk.code_page = data::odbc::CodePage::Gbk;
  auto s = sqlite_session(dir.file("g.sqlite"), gbk);
  run(*s, {"CREATE TABLE 图书 (名称 VARCHAR(20))", "INSERT INTO 图书 VALUES ('图书')"});
  s->prepare("INSERT INTO 图书 VALUES (?)")->execute({std::string("资料")});

  auto rows = select(*s, "SELECT 名称, hex(名称) FROM 图书 WHERE 名称 = '图书' OR 名称 = ?", {std::string("资料")});
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (std::vector<Value>{std::string("图书"), std::string("CDBCCAE9")}));
  EXPECT_EQ(rows[1], (std::vector<Value>{std::string("资料"), std::string("D7CAC1CF")}));

  auto st = s->prepare("SELECT 名称 FROM 图书");
  st->execute({});
  EXPECT_EQ(st->result_columns().at(0).name, "名称");

  try {
    s->prepare("INSERT INTO 图书 VALUES (?)")->execute({std::string("😀")});
    FAIL() << "a character outside GBK must not be sent";
  } catch (const DbError& e) {
    EXPECT_EQ(e.kind(), DbError::Kind::ValueProblem);
  }
}

}  // namespace
}  // namespace bm::test
