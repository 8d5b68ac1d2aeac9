// The stand-in as a driver: connecting, transactions and statement atomicity, key violations,
// identity numbers, table descriptions, result types, procedures, persistence.
#include "data/drivers/standin/standin_driver.h"
#include "data/drivers/standin/standin_session.h"
#include "tests/standin/standin_fixture.h"

namespace bm::test {
namespace {

using data::ColumnType;
using data::DbError;
using data::Value;

TEST_F(StandinTest, ConnectsByNameIgnoringCaseAndRefusesMissingDatabases) {
  EXPECT_NO_THROW(connect("SHOP"));
  try {
    connect("nosuch");
    FAIL() << "connected to a missing database";
  } catch (const DbError& e) {
    EXPECT_EQ(e.kind(), DbError::Kind::Connection);
    EXPECT_STREQ(e.what(), "Cannot open database \"nosuch\" requested by the login. The login failed.");
  }
}

TEST_F(StandinTest, MasterCreatesAndDropsDatabases) {
  auto master = connect("master");
  master->prepare("CREATE DATABASE qimbookep")->execute({});
  auto db = connect("QIMBOOKEP");
  db->prepare("CREATE TABLE a (x int)")->execute({});
  db.reset();
  EXPECT_THROW(master->prepare("CREATE DATABASE qimbookep")->execute({}), DbError);
  master->prepare("DROP DATABASE qimbookep")->execute({});
  EXPECT_THROW(connect("qimbookep"), DbError);
}

TEST_F(StandinTest, RollbackUndoesTheTransactionAndCommitKeepsIt) {
  run("CREATE TABLE t (a int)");
  session_->begin();
  run("INSERT INTO t VALUES (1)");
  EXPECT_TRUE(session_->in_transaction());
  session_->rollback();
  session_->begin();
  run("INSERT INTO t VALUES (2)");
  session_->commit();
  EXPECT_EQ(run("SELECT a FROM t"), std::vector<std::string>{"2"});
  // Another connection sees the committed row.
  auto other = connect("shop");
  auto stmt = other->prepare("SELECT count(*) FROM t");
  stmt->execute({});
  std::vector<Value> row;
  ASSERT_TRUE(stmt->fetch(row));
  EXPECT_EQ(row_text(row), "1");
}

TEST_F(StandinTest, AFailingStatementUndoesOnlyItself) {
  run("CREATE TABLE t (a int PRIMARY KEY, b varchar(3))");
  for (bool in_tx : {false, true}) {
    run("DELETE FROM t");
    if (in_tx) session_->begin();
    run("INSERT INTO t VALUES (1, 'a')");
    // The second row of this statement fails: its first row must not stay.
    EXPECT_THROW(run("INSERT INTO t SELECT 2, 'b' UNION ALL SELECT 3, 'long'"), DbError);
    EXPECT_THROW(run("UPDATE t SET a = 5, b = 'toolong'"), DbError);
    if (in_tx) session_->commit();
    EXPECT_EQ(run("SELECT a, b FROM t"), std::vector<std::string>{"1|a"}) << "in transaction: " << in_tx;
  }
}

TEST_F(StandinTest, DuplicateKeysAreKeyViolationsAndExecuteManyStopsThere) {
  run("CREATE TABLE bas_client (client_no varchar(10) NOT NULL, name varchar(20), "
      "CONSTRAINT PK_BAS_CLIENT PRIMARY KEY (client_no))");
  auto insert = session_->prepare("INSERT INTO bas_client (client_no, name) VALUES (?, ?)");
  std::optional<DbError> failure;
  size_t done = insert->execute_many({{std::string("1"), std::string("a")},
                                      {std::string("2"), std::string("b")},
                                      {std::string("1"), std::string("c")},
                                      {std::string("4"), std::string("d")}},
                                     failure);
  EXPECT_EQ(done, 2u);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->kind(), DbError::Kind::KeyViolation);
  EXPECT_STREQ(failure->what(),
               "Violation of PRIMARY KEY constraint 'PK_BAS_CLIENT'. Cannot insert duplicate key in object "
               "'dbo.bas_client'. The duplicate key value is (1).");
  EXPECT_EQ(run("SELECT client_no, name FROM bas_client ORDER BY client_no"),
            (std::vector<std::string>{"1|a", "2|b"}));
}

TEST_F(StandinTest, IgnoredDuplicatesWarnAndAreNotInserted) {
  run("CREATE TABLE s (k int, v int)");
  run("CREATE UNIQUE INDEX ix ON s(k) WITH IGNORE_DUP_KEY");
  auto stmt = session_->prepare("INSERT INTO s SELECT 1, 1 UNION ALL SELECT 1, 2 UNION ALL SELECT 2, 3");
  stmt->execute({});
  EXPECT_EQ(stmt->rows_affected(), 2);
  auto* standin = dynamic_cast<data::standin::StandinSession*>(session_.get());
  ASSERT_NE(standin, nullptr);
  EXPECT_EQ(standin->warnings(), std::vector<std::string>{"Duplicate key was ignored."});
  EXPECT_EQ(run("SELECT k, v FROM s ORDER BY k"), (std::vector<std::string>{"1|1", "2|3"}));
}

TEST_F(StandinTest, IdentityNumbersContinueAfterDeleteAndRestartAfterTruncate) {
  run("CREATE TABLE arp_paydetail (idenc int IDENTITY(1,1) NOT NULL PRIMARY KEY, billno varchar(10))");
  auto insert = session_->prepare("INSERT INTO arp_paydetail (billno) VALUES (?)");
  for (const char* b : {"a", "b", "c"}) insert->execute({std::string(b)});
  EXPECT_EQ(insert->rows_affected(), 1);
  run("DELETE FROM arp_paydetail WHERE idenc = 3");
  insert->execute({std::string("d")});
  EXPECT_EQ(run("SELECT idenc, billno FROM arp_paydetail ORDER BY idenc"),
            (std::vector<std::string>{"1|a", "2|b", "4|d"}));
  run("TRUNCATE TABLE arp_paydetail");
  insert->execute({std::string("e")});
  EXPECT_EQ(run("SELECT idenc FROM arp_paydetail"), std::vector<std::string>{"1"});
}

TEST_F(StandinTest, DescribeTableReportsServerTypes) {
  run("CREATE TABLE dbo.SAL_SELLMASTER (order_no varchar(20) NOT NULL, seq int NOT NULL, "
      "name varchar(40), wide nvarchar(30), memo text, money_m numeric(12,2), paid money, rate float, "
      "n smallint, big bigint, order_date datetime, d date, id int IDENTITY(1,1), "
      "store_no varchar(10) DEFAULT ('N1'), pic image, "
      "CONSTRAINT PK_S PRIMARY KEY (seq, order_no))");
  data::TableInfo info = session_->describe_table("sal_sellmaster");
  EXPECT_EQ(info.name, "SAL_SELLMASTER");
  ASSERT_EQ(info.columns.size(), 15u);
  EXPECT_EQ(info.primary_key, (std::vector<std::string>{"seq", "order_no"}));
  auto col = [&](const std::string& n) {
    for (auto& c : info.columns)
      if (c.name == n) return c;
    ADD_FAILURE() << n;
    return data::ColumnInfo{};
  };
  EXPECT_EQ(info.columns[0].name, "order_no");
  EXPECT_FALSE(col("order_no").nullable);
  EXPECT_EQ(col("name").type, ColumnType::Text);
  EXPECT_EQ(col("name").char_length, 40);
  EXPECT_EQ(col("name").byte_length, 40);  // bytes of code page 936
  EXPECT_EQ(col("wide").char_length, 30);
  EXPECT_EQ(col("wide").byte_length, 0);
  EXPECT_EQ(col("memo").type, ColumnType::TextBlob);
  EXPECT_EQ(col("money_m").type, ColumnType::Decimal);
  EXPECT_EQ(col("money_m").precision, 12);
  EXPECT_EQ(col("money_m").scale, 2);
  EXPECT_EQ(col("paid").scale, 4);
  EXPECT_EQ(col("rate").type, ColumnType::Float);
  EXPECT_EQ(col("n").bits, 16);
  EXPECT_EQ(col("big").bits, 64);
  EXPECT_EQ(col("seq").bits, 32);
  EXPECT_EQ(col("order_date").type, ColumnType::Timestamp);
  EXPECT_EQ(col("d").type, ColumnType::Date);
  EXPECT_TRUE(col("id").identity);
  EXPECT_FALSE(col("id").nullable);
  EXPECT_TRUE(col("store_no").has_default);
  EXPECT_FALSE(col("name").has_default);
  EXPECT_EQ(col("pic").type, ColumnType::BinaryBlob);
  EXPECT_EQ(session_->describe_table("dbo.[Sal_SellMaster]").columns.size(), 15u);
  EXPECT_THROW(session_->describe_table("nosuch"), DbError);
  EXPECT_EQ(session_->quote_identifier("书刊ID"), "[书刊ID]");
}

TEST_F(StandinTest, ResultValuesHaveTheColumnsTypes) {
  run("CREATE TABLE t (i int, n numeric(10,2), f float, v varchar(10), dt datetime, d date, b varbinary(10))");
  run("INSERT INTO t VALUES (?, ?, ?, ?, ?, ?, ?)",
      {int64_t{7}, data::Decimal{1250, 2}, 0.5, std::string("图书"),
       data::Timestamp{{2011, 3, 1}, {10, 20, 30, 0}}, data::Date{2012, 1, 2}, data::Bytes{std::string("\x01\x00", 2)}});
  auto stmt = session_->prepare("SELECT i, n, f, v, dt, d, b, i * 2 AS twice, n / 2 AS half FROM t");
  stmt->execute({});
  std::vector<Value> row;
  ASSERT_TRUE(stmt->fetch(row));
  EXPECT_EQ(row[0], Value(int64_t{7}));
  EXPECT_EQ(row[1], Value(data::Decimal{1250, 2}));
  EXPECT_EQ(row[2], Value(0.5));
  EXPECT_EQ(row[3], Value(std::string("图书")));
  EXPECT_EQ(row[4], Value(data::Timestamp{{2011, 3, 1}, {10, 20, 30, 0}}));
  EXPECT_EQ(row[5], Value(data::Date{2012, 1, 2}));
  EXPECT_EQ(row[6], Value(data::Bytes{std::string("\x01\x00", 2)}));
  EXPECT_EQ(row[7], Value(int64_t{14}));
  EXPECT_EQ(row[8], Value(6.25));
  const auto& cols = stmt->result_columns();
  EXPECT_EQ(cols[1].type, ColumnType::Decimal);
  EXPECT_EQ(cols[1].scale, 2);
  EXPECT_EQ(cols[4].type, ColumnType::Timestamp);
  EXPECT_EQ(cols[7].name, "twice");
  EXPECT_FALSE(stmt->fetch(row));
}

TEST_F(StandinTest, CallProcedureByParameterName) {
  run("CREATE TABLE PROC_LOG (A int, B int)");
  run("CREATE PROCEDURE ADD_LOG @A int, @B int AS INSERT INTO PROC_LOG (A, B) VALUES (@A, @B)");
  session_->call_procedure("add_log", {{"B", int64_t{2}}, {"A", int64_t{1}}});
  run("exec ADD_LOG @A=?, @B=?", {int64_t{3}, int64_t{4}});
  EXPECT_EQ(run("SELECT A, B FROM PROC_LOG ORDER BY A"), (std::vector<std::string>{"1|2", "3|4"}));
  EXPECT_THROW(session_->call_procedure("nosuch", {}), DbError);
}

TEST_F(StandinTest, PreparedStatementFollowsChangedDefinitions) {
  run("CREATE TABLE t (a int)");
  auto select = session_->prepare("SELECT * FROM t");
  select->execute({});
  EXPECT_EQ(select->result_columns().size(), 1u);
  run("ALTER TABLE t ADD b varchar(5)");
  run("INSERT INTO t VALUES (1, 'x')");
  select->execute({});
  std::vector<Value> row;
  ASSERT_TRUE(select->fetch(row));
  EXPECT_EQ(row_text(row), "1|x");
}

TEST_F(StandinTest, DefinitionsSurviveReconnecting) {
  run_all({"CREATE TABLE t (id int IDENTITY(1,1), v varchar(2))", "INSERT INTO t (v) VALUES ('a')",
           "CREATE TABLE log (n int)", "CREATE TRIGGER t_ins ON t AFTER INSERT AS INSERT INTO log SELECT id FROM inserted",
           "CREATE FUNCTION dbo.twice(@x int) RETURNS int AS BEGIN RETURN @x * 2 END"});
  session_ = connect("shop");
  run("INSERT INTO t (v) VALUES ('b')");
  EXPECT_EQ(run("SELECT id, v, dbo.twice(id) FROM t ORDER BY id"), (std::vector<std::string>{"1|a|2", "2|b|4"}));
  EXPECT_EQ(run("SELECT n FROM log"), std::vector<std::string>{"2"});
  EXPECT_THROW(run("INSERT INTO t (v) VALUES ('abc')"), DbError);
}

}  // namespace
}  // namespace bm::test
