// Sessions: transactions, statement atomicity, errors with the driver's whole text and the
// right kind, names, procedures.
#include <gtest/gtest.h>

#include "tests/odbc/sqlite_odbc.h"
#include "tests/support/temp_dir.h"

namespace bm::test {
namespace {

using data::DbError;
using data::Value;

class OdbcSession : public ::testing::Test {
 protected:
  void SetUp() override {
    s = sqlite_session(dir.file("s.sqlite"));
    run(*s, {"CREATE TABLE T (ID INTEGER PRIMARY KEY, S VARCHAR(20) NOT NULL)"});
  }
  int64_t count() { return std::get<int64_t>(select(*s, "SELECT COUNT(*) FROM T").at(0).at(0)); }
  DbError error_of(const std::string& sql) {
    try {
      run(*s, {sql});
    } catch (const DbError& e) {
      return e;
    }
    ADD_FAILURE() << "no error from " << sql;
    return DbError("");
  }
  TempDir dir;
  std::unique_ptr<data::Session> s;
};

TEST_F(OdbcSession, TransactionsCommitAndRollBack) {
  EXPECT_FALSE(s->in_transaction());
  s->begin();
  EXPECT_TRUE(s->in_transaction());
  EXPECT_THROW(s->begin(), DbError);
  run(*s, {"INSERT INTO T VALUES (1, 'a')"});
  s->rollback();
  EXPECT_FALSE(s->in_transaction());
  EXPECT_EQ(count(), 0);

  s->begin();
  run(*s, {"INSERT INTO T VALUES (2, 'b')"});
  s->commit();
  EXPECT_EQ(count(), 1);

  run(*s, {"INSERT INTO T VALUES (3, 'c')"});  // autocommit again
  auto other = sqlite_session(dir.file("s.sqlite"));
  EXPECT_EQ(std::get<int64_t>(select(*other, "SELECT COUNT(*) FROM T").at(0).at(0)), 2);
}

TEST_F(OdbcSession, AFailingStatementUndoesOnlyItself) {
  s->begin();
  run(*s, {"INSERT INTO T VALUES (1, 'a')"});
  EXPECT_THROW(run(*s, {"INSERT INTO T SELECT 2, 'b' UNION ALL SELECT 1, 'dup'"}), DbError);
  run(*s, {"INSERT INTO T VALUES (3, 'c')"});
  s->commit();
  EXPECT_EQ(select(*s, "SELECT ID FROM T ORDER BY ID"),
            (std::vector<std::vector<Value>>{{int64_t{1}}, {int64_t{3}}}));
}

TEST_F(OdbcSession, ErrorsCarryTheDriversTextAndKind) {
  run(*s, {"INSERT INTO T VALUES (1, 'a')"});
  DbError dup = error_of("INSERT INTO T VALUES (1, 'b')");
  EXPECT_EQ(dup.kind(), DbError::Kind::KeyViolation) << dup.what();
  EXPECT_NE(std::string(dup.what()).find("UNIQUE constraint failed"), std::string::npos) << dup.what();

  DbError missing = error_of("SELECT * FROM NO_SUCH_TABLE");
  EXPECT_EQ(missing.kind(), DbError::Kind::General);
  EXPECT_NE(std::string(missing.what()).find("no such table: NO_SUCH_TABLE"), std::string::npos)
      << missing.what();

  EXPECT_EQ(error_of("INSERT INTO T (ID) VALUES (5)").kind(), DbError::Kind::General) << "NOT NULL";
}

TEST_F(OdbcSession, ACursorIsReadToItsEndAndClosed) {
  run(*s, {"INSERT INTO T VALUES (1, 'a')", "INSERT INTO T VALUES (2, 'b')"});
  auto q = s->prepare("SELECT S FROM T ORDER BY ID");
  q->execute({});
  std::vector<Value> row;
  ASSERT_TRUE(q->fetch(row));
  q->close_cursor();
  EXPECT_FALSE(q->fetch(row)) << "a closed cursor gives no rows";
  q->execute({});  // the same statement runs again
  int n = 0;
  while (q->fetch(row)) ++n;
  EXPECT_EQ(n, 2);
  run(*s, {"DROP TABLE T"});  // no cursor holds the table any more
}

TEST_F(OdbcSession, NamesAndProcedures) {
  EXPECT_EQ(s->quote_identifier("BOOK_ID"), "\"BOOK_ID\"");
  EXPECT_EQ(s->quote_identifier("a\"b"), "\"a\"\"b\"");
  try {
    s->call_procedure("dis_tr", {});
    FAIL();
  } catch (const DbError& e) {
    EXPECT_STREQ(e.what(), "stored procedures are not supported by this database");
  }
}

TEST_F(OdbcSession, AStatementMayOutliveItsSession) {
  auto st = s->prepare("SELECT COUNT(*) FROM T");
  s.reset();
  st->execute({});  // the connection stays until its last statement goes
  std::vector<Value> row;
  EXPECT_TRUE(st->fetch(row));
}

}  // namespace
}  // namespace bm::test
