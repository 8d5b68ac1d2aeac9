// Connections, queries, stored procedures, command objects: what every driver must do alike.
#include "data/command.h"
#include "data/stored_proc.h"
#include "tests/data/conformance.h"

namespace bm::test {
namespace {

using data::DbError;
using data::Query;

TEST_F(Conformance, AutomaticOpenAndClose) {
  EXPECT_FALSE(conn->connected());
  exec("CREATE TABLE T1 (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(20))");
  EXPECT_TRUE(conn->connected()) << "a query on a closed connection opens it";
  conn->open();  // nothing when already connected
  conn->close();
  conn->close();  // nothing when closed
  EXPECT_FALSE(conn->connected());
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM T1"), "0");
}

TEST_F(Conformance, QueryReadsRowsFieldsAndNulls) {
  exec("CREATE TABLE T1 (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(20), PRICE NUMERIC(9,2), "
       "RATE DOUBLE PRECISION, WHEN_AT TIMESTAMP)");
  exec("INSERT INTO T1 (ID, NAME, PRICE, RATE, WHEN_AT) VALUES (1, 'one', 12.50, 0.75, "
       "'2011-03-01 10:20:30')");
  exec("INSERT INTO T1 (ID, NAME) VALUES (2, NULL)");

  Query q("Query1", *conn);
  q.set_sql("SELECT ID, NAME, PRICE, RATE, WHEN_AT FROM T1 ORDER BY ID");
  q.open();
  EXPECT_EQ(q.record_count(), 2);
  ASSERT_FALSE(q.eof());
  EXPECT_EQ(q.field_text("id"), "1") << "field names compare case-insensitively";
  EXPECT_EQ(q.field_text("NAME"), "one");
  EXPECT_EQ(q.field_text("PRICE"), "12.50");
  EXPECT_EQ(q.field_text("RATE"), "0.75");
  EXPECT_EQ(q.field_text("WHEN_AT"), "2011-03-01 10:20:30");
  q.next();
  ASSERT_FALSE(q.eof());
  EXPECT_EQ(q.field_text("NAME"), "") << "NULL reads as empty text";
  EXPECT_TRUE(data::is_null(q.field_value("NAME")));
  EXPECT_TRUE(data::is_null(q.field_value("WHEN_AT")));
  q.next();
  EXPECT_TRUE(q.eof());
  q.first();
  EXPECT_EQ(q.field_text("ID"), "1");
  try {
    q.field_text("NO_SUCH");
    FAIL() << "a field the result does not have must fail";
  } catch (const DbError& e) {
    EXPECT_EQ(std::string(e.what()), "Query1: Field 'NO_SUCH' not found");
  }

  // The date-time text form reads back into a date-time column.
  exec("INSERT INTO T1 (ID, WHEN_AT) VALUES (3, '" + q.field_text("WHEN_AT") + "')");
  EXPECT_EQ(scalar("SELECT WHEN_AT FROM T1 WHERE ID = 3"), "2011-03-01 10:20:30");

  q.close();
  q.set_sql("SELECT ID FROM T1 WHERE ID < 0");
  q.open();
  EXPECT_TRUE(q.eof());
  EXPECT_EQ(q.record_count(), 0);
}

TEST_F(Conformance, ReadingAClosedQueryFails) {
  Query q("Query1", *conn);
  for (auto read : {+[](Query& q) { q.field_text("X"); }, +[](Query& q) { q.eof(); },
                    +[](Query& q) { q.next(); }}) {
    try {
      read(q);
      FAIL() << "reading a closed query must fail";
    } catch (const DbError& e) {
      EXPECT_EQ(std::string(e.what()), "Query1: Cannot perform this operation on a closed dataset");
    }
  }
}

TEST_F(Conformance, ErrorsCarryTheDatabasesTextAndKeyViolationsAreTold) {
  exec("CREATE TABLE T1 (ID INTEGER NOT NULL PRIMARY KEY)");
  exec("INSERT INTO T1 (ID) VALUES (1)");
  try {
    exec("INSERT INTO T1 (ID) VALUES (1)");
    FAIL();
  } catch (const DbError& e) {
    EXPECT_EQ(e.kind(), DbError::Kind::KeyViolation) << e.what();
    EXPECT_FALSE(std::string(e.what()).empty());
  }
  try {
    exec("SELECT * FROM NO_SUCH_TABLE");
    FAIL();
  } catch (const DbError& e) {
    EXPECT_NE(std::string(e.what()).find("NO_SUCH_TABLE"), std::string::npos) << e.what();
  }
}

TEST_F(Conformance, ChineseTextRoundTrip) {
  exec("CREATE TABLE T1 (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(10))");
  const std::string name = "图书资料·鹿屿";
  exec("INSERT INTO T1 (ID, NAME) VALUES (1, '" + name + "')");
  Query q("Query1", *conn);
  q.set_sql("INSERT INTO T1 (ID, NAME) VALUES (2, :NAME)");
  q.set_param("NAME", name);
  q.exec_sql();
  EXPECT_EQ(rows("SELECT NAME FROM T1 ORDER BY ID"), (Rows{{name}, {name}}));
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM T1 WHERE NAME = '" + name + "'"), "2");
}

TEST_F(Conformance, ParameterScanAndTextSentUnchanged) {
  exec("CREATE TABLE PROC_LOG (A INTEGER, B INTEGER)");
  exec("INSERT INTO PROC_LOG (A, B) VALUES (1, 2)");
  // A colon inside quoted text is no parameter.
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM PROC_LOG WHERE 'a:B' = 'a:B'"), "1");

  Query q("Query1", *conn);
  q.set_sql("SELECT A FROM PROC_LOG WHERE B = :B");
  q.set_param("B", int64_t{2});
  q.open();
  EXPECT_EQ(q.field_text("A"), "1");

  if (backend.colon_body_sql.empty()) GTEST_SKIP() << "no procedure bodies on " << backend.name;
  Query ddl("Query1", *conn);
  ddl.sql() = {backend.colon_body_sql};
  EXPECT_THROW(ddl.exec_sql(), DbError) << "with the scan on, :NUMBER is taken for a parameter";
  ddl.set_param_check(false);
  ddl.exec_sql();  // sent unchanged, the body reaches the database as written
}

TEST_F(Conformance, StoredProcedureAndCommandObject) {
  if (backend.create_procedure_sql.empty()) GTEST_SKIP() << "no procedures on " << backend.name;
  exec("CREATE TABLE PROC_LOG (A INTEGER, B INTEGER)");
  data::Command create("cmdProc", *conn, {backend.create_procedure_sql});
  create.execute();
  EXPECT_FALSE(create.execute_guarded()) << "a second create fails, and the guarded call swallows it";
  EXPECT_THROW(create.execute(), DbError);

  data::StoredProc proc("StoredProc1", *conn, "ADD_LOG");
  proc.set_param("B", 7);
  proc.set_param("A", 5);
  proc.exec_proc();
  EXPECT_EQ(rows("SELECT A, B FROM PROC_LOG"), (Rows{{"5", "7"}}));

  data::StoredProc missing("StoredProc2", *conn, "NO_SUCH_PROC");
  EXPECT_THROW(missing.exec_proc(), DbError);
}

}  // namespace
}  // namespace bm::test
