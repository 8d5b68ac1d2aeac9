// Statement::execute_many: rows before the first failing row applied, the failing row and the
// rows after it not, whether the rows go in one array, in several, or inside a transaction.
#include <gtest/gtest.h>

#include "tests/odbc/sqlite_odbc.h"
#include "tests/support/temp_dir.h"

namespace bm::test {
namespace {

using data::DbError;
using data::Value;

std::vector<std::vector<Value>> numbered_rows(int64_t from, int64_t count) {
  std::vector<std::vector<Value>> rows;
  for (int64_t i = from; i < from + count; ++i) rows.push_back({i, std::string("row ") + std::to_string(i)});
  return rows;
}

int64_t count_rows(data::Session& s) {
  return std::get<int64_t>(select(s, "SELECT COUNT(*) FROM T").at(0).at(0));
}

struct ManyCase {
  const char* name;
  int rows_per_array;
  size_t rows;
  long failing;  // index of a row that repeats a key already in the table; -1: none
  bool in_transaction;
};

class OdbcExecuteMany : public ::testing::TestWithParam<ManyCase> {};

TEST_P(OdbcExecuteMany, AppliesExactlyTheRowsBeforeTheFailingOne) {
  const ManyCase& c = GetParam();
  TempDir dir;
  data::odbc::Options o = data::odbc::sqlite_options();
  o.rows_per_array = c.rows_per_array;
  auto s = sqlite_session(dir.file("m.sqlite"), o);
  run(*s, {"CREATE TABLE T (ID INTEGER PRIMARY KEY, S VARCHAR(20) NOT NULL)",
           "INSERT INTO T VALUES (-1, 'there before')"});

  auto rows = numbered_rows(0, static_cast<int64_t>(c.rows));
  if (c.failing >= 0) rows[static_cast<size_t>(c.failing)][0] = int64_t{-1};
  if (c.in_transaction) s->begin();
  auto insert = s->prepare("INSERT INTO T (ID, S) VALUES (?, ?)");
  std::optional<DbError> failure;
  size_t applied = insert->execute_many(rows, failure);
  if (c.in_transaction) {
    EXPECT_TRUE(s->in_transaction()) << "the caller's transaction stays open";
    s->commit();
  }

  const size_t expected = c.failing >= 0 ? static_cast<size_t>(c.failing) : c.rows;
  EXPECT_EQ(applied, expected);
  ASSERT_EQ(failure.has_value(), c.failing >= 0);
  if (failure) {
    EXPECT_EQ(failure->kind(), DbError::Kind::KeyViolation) << failure->what();
  }
  EXPECT_EQ(count_rows(*s), static_cast<int64_t>(expected) + 1);
  auto last = select(*s, "SELECT MAX(ID) FROM T");
  EXPECT_EQ(last[0][0], Value(static_cast<int64_t>(expected) - 1));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OdbcExecuteMany,
    ::testing::Values(ManyCase{"all_rows_one_array", 200, 150, -1, false},
                      ManyCase{"all_rows_many_arrays", 7, 150, -1, true},
                      ManyCase{"middle_row_fails", 200, 40, 20, false},
                      ManyCase{"middle_row_fails_in_transaction", 200, 150, 75, true},
                      ManyCase{"first_row_fails", 200, 10, 0, true},
                      ManyCase{"last_row_fails", 200, 10, 9, false},
                      ManyCase{"fails_in_a_later_array", 7, 40, 23, true},
                      ManyCase{"row_by_row", 1, 10, 4, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OdbcExecuteManyKinds, RowsMixingKindsInAColumnStillGoIn) {
  TempDir dir;
  auto s = sqlite_session(dir.file("k.sqlite"));
  run(*s, {"CREATE TABLE T (ID INTEGER PRIMARY KEY, S VARCHAR(20))"});
  std::vector<std::vector<Value>> rows = {{int64_t{1}, std::string("a")},
                                          {int64_t{2}, Value{}},
                                          {int64_t{3}, int64_t{42}},
                                          {int64_t{4}, std::string("图书")}};
  std::optional<DbError> failure;
  EXPECT_EQ(s->prepare("INSERT INTO T VALUES (?, ?)")->execute_many(rows, failure), 4u);
  EXPECT_FALSE(failure);
  auto back = select(*s, "SELECT ID, S FROM T ORDER BY ID");
  ASSERT_EQ(back.size(), 4u);
  EXPECT_EQ(back[3][1], Value(std::string("图书")));
  EXPECT_TRUE(data::is_null(back[1][1]));
}

TEST(OdbcExecuteManyKinds, ANotNullFailureIsNotAKeyViolation) {
  TempDir dir;
  auto s = sqlite_session(dir.file("n.sqlite"));
  run(*s, {"CREATE TABLE T (ID INTEGER PRIMARY KEY, S VARCHAR(20) NOT NULL)"});
  std::vector<std::vector<Value>> rows = {{int64_t{1}, std::string("a")}, {int64_t{2}, Value{}},
                                          {int64_t{3}, std::string("c")}};
  std::optional<DbError> failure;
  EXPECT_EQ(s->prepare("INSERT INTO T VALUES (?, ?)")->execute_many(rows, failure), 1u);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->kind(), DbError::Kind::General);
  EXPECT_NE(std::string(failure->what()).find("NOT NULL"), std::string::npos) << failure->what();
  EXPECT_EQ(count_rows(*s), 1);
}

}  // namespace
}  // namespace bm::test
