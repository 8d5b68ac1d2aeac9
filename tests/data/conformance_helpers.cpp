// The four query helpers: shown and swallowed failures, the exact box text.
#include "tests/data/conformance.h"

namespace bm::test {
namespace {

using data::Query;

TEST_F(Conformance, HelpersShowOrSwallowFailures) {
  exec("CREATE TABLE T1 (ID INTEGER NOT NULL PRIMARY KEY)");
  Query q("btQry_Temp_D", *conn);
  const std::string bad = "DELETE FROM NO_SUCH_TABLE";

  data::ExecQuiet(q, bad);
  EXPECT_TRUE(port.boxes.empty());
  data::ExecShow(port, q, bad);
  ASSERT_EQ(port.boxes.size(), 1u);
  EXPECT_EQ(port.boxes[0].kind, RecordingPort::Box::Kind::DataError);
  EXPECT_EQ(port.boxes[0].text, "系统数据出错:DELETE FROM NO_SUCH_TABLE");

  data::ExecShow(port, q, "INSERT INTO T1 (ID) VALUES (1)");
  EXPECT_EQ(port.boxes.size(), 1u) << "a statement that runs shows nothing";
  EXPECT_EQ(q.sql(), (std::vector<std::string>{"INSERT INTO T1 (ID) VALUES (1)"}))
      << "the statement is the query's only line";
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM T1"), "1") << "and it is committed";
}

TEST_F(Conformance, OpenHelpersLeaveAFailedQueryClosed) {
  exec("CREATE TABLE T1 (ID INTEGER NOT NULL PRIMARY KEY)");
  exec("INSERT INTO T1 (ID) VALUES (4)");
  Query q("Query1", *conn);

  data::OpenQuiet(q, "SELECT ID FROM T1");
  ASSERT_TRUE(q.active());
  EXPECT_EQ(q.field_text("ID"), "4");

  data::OpenQuiet(q, "SELECT ID FROM NO_SUCH_TABLE");
  EXPECT_FALSE(q.active()) << "the previous result is gone and the query stays closed";
  EXPECT_TRUE(port.boxes.empty());
  EXPECT_THROW(q.field_text("ID"), data::DbError);

  data::OpenShow(port, q, "SELECT ID FROM NO_SUCH_TABLE");
  EXPECT_FALSE(q.active());
  EXPECT_EQ(port.texts(), (std::vector<std::string>{"系统数据出错:SELECT ID FROM NO_SUCH_TABLE"}));
}

}  // namespace
}  // namespace bm::test
