// Against a real SQL Server, when one is configured: BOOKMOVE_TEST_SQLSERVER holds the ODBC
// connection string of a scratch database (see the README). Skipped otherwise.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/odbc/sqlite_odbc.h"

namespace bm::test {
namespace {

using data::DbError;
using data::Value;

class OdbcSqlServer : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* cs = std::getenv("BOOKMOVE_TEST_SQLSERVER");
    if (!cs || !*cs) GTEST_SKIP() << "no SQL Server configured (BOOKMOVE_TEST_SQLSERVER)";
    s = data::odbc::make_driver()->connect({std::string("ODBC CONNECT=") + cs});
    run(*s, {"IF OBJECT_ID('bm_probe') IS NOT NULL DROP TABLE bm_probe",
             "CREATE TABLE bm_probe (ID INT NOT NULL PRIMARY KEY, SEQ INT IDENTITY(1,1), "
             "NAME VARCHAR(10) NULL, WNAME NVARCHAR(10) NULL, TOTAL AS ID * 2)"});
  }
  void TearDown() override {
    if (s) run(*s, {"DROP TABLE bm_probe"});
  }
  Value scalar(const std::string& sql) { return select(*s, sql).at(0).at(0); }
  std::unique_ptr<data::Session> s;
};

TEST_F(OdbcSqlServer, SessionBehavesLikeTheLegacyClient) {
  EXPECT_EQ(scalar("SELECT \"double quotes are text\""), Value(std::string("double quotes are text")));
  EXPECT_EQ(scalar("SELECT 'TH' + NULL"), Value(std::string("TH")));
  EXPECT_EQ(scalar("SELECT CASE WHEN NULL = NULL THEN 1 ELSE 0 END"), Value(int64_t{1}));
  EXPECT_EQ(scalar("SELECT CONVERT(datetime, '2024-02-03 04:05:06')"),
            Value(data::Timestamp{{2024, 2, 3}, {4, 5, 6, 0}}));
  run(*s, {"ALTER TABLE bm_probe ADD EXTRA INT", "INSERT INTO bm_probe (ID) VALUES (1)"});
  EXPECT_EQ(s->quote_identifier("a]b"), "[a]]b]");
}

TEST_F(OdbcSqlServer, DescribesIdentityComputedAndCodePageLengths) {
  data::TableInfo t = s->describe_table("BM_PROBE");
  ASSERT_EQ(t.columns.size(), 5u);
  EXPECT_TRUE(t.columns[1].identity);
  EXPECT_EQ(t.columns[2].byte_length, 10);
  EXPECT_EQ(t.columns[3].char_length, 10);
  EXPECT_EQ(t.columns[3].byte_length, 0);
  EXPECT_TRUE(t.columns[4].computed);
  EXPECT_EQ(t.primary_key, (std::vector<std::string>{"ID"}));
}

TEST_F(OdbcSqlServer, ChineseTextKeysAndManyRows) {
  s->begin();
  auto insert = s->prepare("INSERT INTO bm_probe (ID, NAME, WNAME) VALUES (?, ?, ?)");
  std::vector<std::vector<Value>> rows;
  for (int64_t i = 1; i <= 50; ++i) rows.push_back({i, std::string("图书"), std::string("资料")});
  rows[30][0] = int64_t{3};
  std::optional<DbError> failure;
  EXPECT_EQ(insert->execute_many(rows, failure), 30u);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->kind(), DbError::Kind::KeyViolation) << failure->what();
  s->commit();
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM bm_probe"), Value(int64_t{30}));
  EXPECT_EQ(select(*s, "SELECT NAME, WNAME FROM bm_probe WHERE ID = 1").at(0),
            (std::vector<Value>{std::string("图书"), std::string("资料")}));
}

}  // namespace
}  // namespace bm::test
