// The big-customer product database: it builds on the SQL Server the tests use, its tables have
// the standard edition's columns in the same order, and dis_tr / en_tr switch its triggers.
#include <gtest/gtest.h>

#include "data/connection.h"
#include "data/drivers/install.h"
#include "data/query.h"
#include "data/table.h"
#include "tests/fixtures/bigcustomer_db.h"
#include "tests/fixtures/standard_db.h"
#include "tests/support/temp_dir.h"

namespace bm::fixtures {
namespace {

class BigCustomer : public ::testing::Test {
 protected:
  void SetUp() override {
    data::install_default_drivers();
    use_test_sqlserver(dir.file("sqlserver"));
  }
  std::string scalar(data::Connection& c, const std::string& sql) {
    data::Query q("q", c);
    q.set_sql(sql);
    q.open();
    return q.field_text(q.fields().at(0).name);
  }
  void exec(data::Connection& c, const std::string& sql) {
    data::Query q("q", c);
    q.set_sql(sql);
    q.exec_sql();
  }
  test::TempDir dir;
};

TEST_F(BigCustomer, HasTheStandardEditionsStoredColumnsInTheSameOrder) {
  create_bigcustomer_database("qimbookep");
  create_standard_database(dir.file("std.fdb"), false);
  data::Connection big("QIMDQIM", data::DriverKind::MSSQL, data::profiles::server_profile("qimbookep"));
  data::Connection std_db("QIMTOQIM", data::DriverKind::INTRBASE, data::profiles::file_profile(dir.file("std.fdb")));
  data::Query tables("q", std_db);
  tables.set_sql("select trim(rdb$relation_name) from rdb$relations where rdb$system_flag = 0 and rdb$view_blr is null");
  tables.open();
  int count = 0;
  for (; !tables.eof(); tables.next(), ++count) {
    std::string name = tables.field_text(tables.fields()[0].name);
    data::Table a("a", std_db, name), b("b", big, name);
    a.open();
    b.open();
    std::vector<std::string> ca, cb;
    for (const auto& c : a.info().columns)
      if (!c.computed) ca.push_back(c.name);
    for (const auto& c : b.info().columns) cb.push_back(c.name);
    EXPECT_EQ(ca, cb) << name;
    EXPECT_EQ(a.info().primary_key, b.info().primary_key) << name;
  }
  EXPECT_GT(count, 40);
  EXPECT_EQ(scalar(big, "select count(*) from bas_client where client_no = '1'"), "1");
  data::Table log("t", big, "SYS_LOGNEW");
  log.open();
  EXPECT_TRUE(log.info().columns[0].identity);
}

TEST_F(BigCustomer, DisTrAndEnTrSwitchEveryTrigger) {
  create_bigcustomer_database("qimbookep");
  data::Connection big("QIMDQIM", data::DriverKind::MSSQL, data::profiles::server_profile("qimbookep"));
  exec(big, "INSERT INTO INV_LIBUP (BOOK_ID, LIB_NO, LIB) VALUES (1, 1, 10)");
  exec(big, "exec dis_tr");
  exec(big, "INSERT INTO PUR_LOADDETAIL (ORDER_NO, SEQ_NO, BOOK_ID, NUMBER, LIB_NO) VALUES ('JH1', 1, 1, 5, 1)");
  exec(big, "INSERT INTO BAS_BOOKINFO (BOOK_ID, BOOK_NAME) VALUES (1, '图书')");
  EXPECT_EQ(scalar(big, "select LIB from INV_LIBUP"), "10");
  EXPECT_EQ(scalar(big, "select count(*) from SYS_LOGNEW"), "0");
  exec(big, "exec en_tr");
  exec(big, "INSERT INTO PUR_LOADDETAIL (ORDER_NO, SEQ_NO, BOOK_ID, NUMBER, LIB_NO) VALUES ('JH1', 2, 1, 5, 1)");
  exec(big, "INSERT INTO SAL_SELLDETAIL (ORDER_NO, SEQ_NO, BOOK_ID, NUMBER, LIB_NO) VALUES ('XS1', 1, 1, 2, 1)");
  exec(big, "INSERT INTO BAS_BOOKINFO (BOOK_ID, BOOK_NAME) VALUES (2, '图书二')");
  EXPECT_EQ(scalar(big, "select LIB from INV_LIBUP"), "13");
  EXPECT_EQ(scalar(big, "select CONTENT from SYS_LOGNEW"), "图书二");
}

TEST_F(BigCustomer, FilledWithAShopAndWithIdentitySwitchedOff) {
  create_bigcustomer_database("qimbook", false, false);
  fill_bigcustomer_shop("qimbook", 1, dir.file("work"));
  data::Connection big("QIMTOQIM2", data::DriverKind::MSSQL, data::profiles::server_profile("qimbook"));
  EXPECT_NE(scalar(big, "select count(*) from SAL_SELLDETAIL"), "0");
  EXPECT_NE(scalar(big, "select count(*) from ARP_RECEDETAIL"), "0");
  data::Table log("t", big, "SYS_LOGNEW");
  log.open();
  EXPECT_FALSE(log.info().columns[0].identity);
}

}  // namespace
}  // namespace bm::fixtures
