// Copy jobs: pairing, modes, both abort switches, what stays committed, open states.
#include "tests/data/conformance.h"

namespace bm::test {
namespace {

using data::BatchMode;
using data::BatchMove;
using data::DbError;
using data::Query;
using data::Table;

class CopyJob : public Conformance {
 protected:
  void SetUp() override {
    Conformance::SetUp();
    src_conn = new_database("source");
    exec("CREATE TABLE BUYER (BUYER_ID INTEGER NOT NULL PRIMARY KEY, BUYERNAME VARCHAR(30), "
         "TEL VARCHAR(20))",
         src_conn.get());
    exec("CREATE TABLE BAS_CLIENT (CLIENT_NO INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(10), "
         "TEL VARCHAR(20), ALLOWUSE INTEGER DEFAULT 1, FST_MONEY NUMERIC(9,2))");
    source = std::make_unique<Query>("btQuery2", *src_conn);
    table = std::make_unique<Table>("Table2", *conn, "BAS_CLIENT");
    job.source = source.get();
    job.destination = table.get();
  }

  void add_buyers(int from, int to) {
    for (int i = from; i <= to; ++i)
      exec("INSERT INTO BUYER (BUYER_ID, BUYERNAME, TEL) VALUES (" + std::to_string(i) +
               ", 'buyer" + std::to_string(i) + "', '" + std::to_string(1000 + i) + "')",
           src_conn.get());
  }

  std::unique_ptr<data::Connection> src_conn;
  std::unique_ptr<Query> source;
  std::unique_ptr<Table> table;
  BatchMove job{"BatchMove2"};
};

TEST_F(CopyJob, MappingLinesFillNamedFieldsAndLeaveTheRestAtDefault) {
  add_buyers(1, 3);
  source->set_sql("SELECT BUYER_ID, BUYERNAME, TEL FROM BUYER");
  job.mappings = {"CLIENT_NO=BUYER_ID", "NAME=buyername", "TEL"};
  auto stats = job.execute(&port);
  EXPECT_EQ(stats.read, 3);
  EXPECT_EQ(stats.inserted, 3);
  EXPECT_EQ(stats.left_out(), 0);
  EXPECT_EQ(rows("SELECT CLIENT_NO, NAME, TEL, ALLOWUSE, FST_MONEY FROM BAS_CLIENT ORDER BY CLIENT_NO"),
            (Rows{{"1", "buyer1", "1001", "1", ""},
                  {"2", "buyer2", "1002", "1", ""},
                  {"3", "buyer3", "1003", "1", ""}}));
  EXPECT_GT(port.progress_calls, 0);
}

TEST_F(CopyJob, WithoutMappingLinesFieldsPairByPosition) {
  add_buyers(1, 2);
  source->set_sql("SELECT BUYER_ID, BUYERNAME FROM BUYER");
  job.execute();
  EXPECT_EQ(rows("SELECT CLIENT_NO, NAME, TEL FROM BAS_CLIENT ORDER BY CLIENT_NO"),
            (Rows{{"1", "buyer1", ""}, {"2", "buyer2", ""}}));

  // A source with more fields than the destination would lose the extra ones: refused.
  exec("DELETE FROM BAS_CLIENT");
  source->set_sql("SELECT BUYER_ID, BUYERNAME, TEL, TEL, TEL, TEL FROM BUYER");
  EXPECT_THROW(job.execute(), DbError);
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM BAS_CLIENT"), "0");
}

TEST_F(CopyJob, BadParametersAndUnknownFieldsFailWithTheirNames) {
  add_buyers(1, 1);
  BatchMove empty("BatchMove9");
  try {
    empty.execute();
    FAIL();
  } catch (const DbError& e) {
    EXPECT_EQ(std::string(e.what()), "Invalid batch move parameters");
  }
  source->set_sql("SELECT BUYER_ID, BUYERNAME FROM BUYER");
  for (auto mapping : {"NO_SUCH_DEST=BUYERNAME", "NAME=NO_SUCH_SRC"}) {
    job.mappings = {"CLIENT_NO=BUYER_ID", mapping};
    try {
      job.execute();
      FAIL() << mapping;
    } catch (const DbError& e) {
      std::string field = std::string(mapping).find("DEST") != std::string::npos ? "NO_SUCH_DEST"
                                                                                  : "NO_SUCH_SRC";
      EXPECT_NE(std::string(e.what()).find("'" + field + "'"), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM BAS_CLIENT"), "0");
  EXPECT_FALSE(source->active());
  EXPECT_FALSE(table->active());
}

TEST_F(CopyJob, KeyViolationInAppendModeWithEachAbortSetting) {
  add_buyers(1, 5);
  exec("INSERT INTO BAS_CLIENT (CLIENT_NO, NAME) VALUES (3, 'kept')");
  source->set_sql("SELECT BUYER_ID, BUYERNAME FROM BUYER ORDER BY BUYER_ID");
  job.mappings = {"CLIENT_NO=BUYER_ID", "NAME=BUYERNAME"};

  // Abort on: the job stops at the third row; the two rows before it stay committed.
  try {
    job.execute();
    FAIL() << "the duplicate key must stop the job";
  } catch (const DbError& e) {
    EXPECT_EQ(e.kind(), DbError::Kind::KeyViolation) << e.what();
  }
  EXPECT_EQ(rows("SELECT CLIENT_NO, NAME FROM BAS_CLIENT ORDER BY CLIENT_NO"),
            (Rows{{"1", "buyer1"}, {"2", "buyer2"}, {"3", "kept"}}));

  // Abort off: the duplicate is left out, named by its key, and the job goes on.
  exec("DELETE FROM BAS_CLIENT WHERE CLIENT_NO <> 3");
  job.abort_on_key_violation = false;
  auto stats = job.execute();
  EXPECT_EQ(stats.inserted, 4);
  EXPECT_EQ(stats.left_out_key, 1);
  ASSERT_EQ(stats.rejected.size(), 1u);
  EXPECT_EQ(stats.rejected[0].key, "CLIENT_NO=3");
  EXPECT_EQ(stats.rejected[0].source_row, 3);
  EXPECT_EQ(scalar("SELECT NAME FROM BAS_CLIENT WHERE CLIENT_NO = 3"), "kept");
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM BAS_CLIENT"), "5");
}

TEST_F(CopyJob, AppendUpdateOverwritesMatchingRowsAndInsertsTheRest) {
  add_buyers(1, 3);
  exec("INSERT INTO BAS_CLIENT (CLIENT_NO, NAME, TEL, FST_MONEY) VALUES (2, 'old', '9', 5)");
  source->set_sql("SELECT BUYER_ID, BUYERNAME FROM BUYER");
  job.mode = BatchMode::AppendUpdate;
  job.abort_on_key_violation = job.abort_on_problem = false;
  job.mappings = {"CLIENT_NO=BUYER_ID", "NAME=BUYERNAME"};
  auto stats = job.execute();
  EXPECT_EQ(stats.inserted, 2);
  EXPECT_EQ(stats.updated, 1);
  // Only the paired fields of the matching row change.
  EXPECT_EQ(rows("SELECT CLIENT_NO, NAME, TEL, FST_MONEY FROM BAS_CLIENT ORDER BY CLIENT_NO"),
            (Rows{{"1", "buyer1", "", ""}, {"2", "buyer2", "9", "5.00"}, {"3", "buyer3", "", ""}}));
}

TEST_F(CopyJob, ValuesThatDoNotFitAreNeverWrittenCut) {
  add_buyers(1, 4);
  // Row 2 has a name of 12 characters for a column of 10; row 4 one of 6 Chinese characters.
  exec("UPDATE BUYER SET BUYERNAME = 'abcdefghijkl' WHERE BUYER_ID = 2", src_conn.get());
  exec("UPDATE BUYER SET BUYERNAME = '一二三四五六' WHERE BUYER_ID = 4", src_conn.get());
  source->set_sql("SELECT BUYER_ID, BUYERNAME FROM BUYER ORDER BY BUYER_ID");
  job.mappings = {"CLIENT_NO=BUYER_ID", "NAME=BUYERNAME"};

  try {
    job.execute();
    FAIL() << "abort on problem stops the job";
  } catch (const DbError& e) {
    EXPECT_EQ(e.kind(), DbError::Kind::ValueProblem);
    EXPECT_NE(std::string(e.what()).find("NAME"), std::string::npos) << e.what();
  }
  EXPECT_EQ(rows("SELECT CLIENT_NO FROM BAS_CLIENT"), (Rows{{"1"}}));

  exec("DELETE FROM BAS_CLIENT");
  job.abort_on_problem = false;
  auto stats = job.execute();
  EXPECT_EQ(stats.inserted, 3);
  EXPECT_EQ(stats.left_out_value, 1);
  ASSERT_EQ(stats.rejected.size(), 1u);
  EXPECT_EQ(stats.rejected[0].key, "CLIENT_NO=2");
  EXPECT_EQ(rows("SELECT CLIENT_NO, NAME FROM BAS_CLIENT ORDER BY CLIENT_NO"),
            (Rows{{"1", "buyer1"}, {"3", "buyer3"}, {"4", "一二三四五六"}}));
}

TEST_F(CopyJob, NumbersAndDatesThatDoNotFitAreLeftOut) {
  exec("CREATE TABLE SRC (ID INTEGER, AMOUNT VARCHAR(20), AT_TEXT VARCHAR(20))", src_conn.get());
  exec("CREATE TABLE DST (ID INTEGER NOT NULL PRIMARY KEY, AMOUNT NUMERIC(9,2), QTY SMALLINT, "
       "AT_TIME TIMESTAMP)");
  struct Case {
    const char* amount;
    const char* at;
    bool fits;
  } cases[] = {
      {"12.5", "2011-03-01", true},       {"12.345", "2011-03-01", false},  // fraction lost
      {"abc", "2011-03-01", false},                                          // not a number
      {"", "2011-03-01 08:00:00", true},                                     // empty: NULL
      {"1", "2011-02-30", false},                                            // no such day
      {"99999999999", "2011-03-01", false},                                  // out of range
  };
  int id = 0;
  for (const auto& c : cases)
    exec("INSERT INTO SRC (ID, AMOUNT, AT_TEXT) VALUES (" + std::to_string(++id) + ", '" + c.amount +
             "', '" + c.at + "')",
         src_conn.get());
  Table dst("Table9", *conn, "DST");
  source->set_sql("SELECT ID, AMOUNT, AT_TEXT FROM SRC ORDER BY ID");
  job.destination = &dst;
  job.mappings = {"ID", "AMOUNT", "AT_TIME=AT_TEXT"};
  job.abort_on_problem = false;
  auto stats = job.execute();
  id = 0;
  Rows expected_rows;
  for (const auto& c : cases) {
    ++id;
    bool rejected = false;
    for (const auto& r : stats.rejected) rejected = rejected || r.key == "ID=" + std::to_string(id);
    EXPECT_EQ(rejected, !c.fits) << c.amount << " / " << c.at;
  }
  EXPECT_EQ(rows("SELECT ID, AMOUNT, AT_TIME FROM DST ORDER BY ID"),
            (Rows{{"1", "12.50", "2011-03-01 00:00:00"}, {"4", "", "2011-03-01 08:00:00"}}));
}

TEST_F(CopyJob, AFailingRowInTheMiddleOfABatchKeepsExactlyTheEarlierRows) {
  // Many rows in one batch; a duplicate far into it.
  exec("CREATE TABLE MANY (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(10))", src_conn.get());
  data::Query ins("Query1", *src_conn);
  ins.set_sql("INSERT INTO MANY (ID, NAME) VALUES (:ID, :NAME)");
  for (int i = 1; i <= 700; ++i) {
    ins.set_param("ID", int64_t{i});
    ins.set_param("NAME", "n" + std::to_string(i));
    ins.exec_sql();
  }
  exec("INSERT INTO BAS_CLIENT (CLIENT_NO, NAME) VALUES (517, 'there')");
  source->set_sql("SELECT ID, NAME FROM MANY ORDER BY ID");
  job.commit_count = 100;
  EXPECT_THROW(job.execute(), DbError);
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM BAS_CLIENT"), "517");
  EXPECT_EQ(scalar("SELECT MAX(CLIENT_NO) FROM BAS_CLIENT WHERE CLIENT_NO <> 517"), "516");
  // The connection is usable afterwards, outside any transaction.
  exec("INSERT INTO BAS_CLIENT (CLIENT_NO, NAME) VALUES (9999, 'after')");
  conn->close();
  EXPECT_EQ(scalar("SELECT NAME FROM BAS_CLIENT WHERE CLIENT_NO = 9999"), "after");
}

TEST_F(CopyJob, OpenStatesAreRestored) {
  add_buyers(1, 2);
  source->set_sql("SELECT BUYER_ID, BUYERNAME FROM BUYER ORDER BY BUYER_ID");
  job.execute();
  EXPECT_FALSE(source->active());
  EXPECT_FALSE(table->active());

  exec("DELETE FROM BAS_CLIENT");
  source->open();
  source->next();  // the job still starts from the first row
  table->open();
  auto stats = job.execute();
  EXPECT_EQ(stats.inserted, 2);
  EXPECT_TRUE(source->active());
  EXPECT_TRUE(table->active());
}

}  // namespace
}  // namespace bm::test
