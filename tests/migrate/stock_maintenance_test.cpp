// The maintenance tab: stock procedures, re-applying lines to the stock, main suppliers.
#include <gtest/gtest.h>

#include "data/drivers/install.h"
#include "migrate/bas_dm.h"
#include "tests/fixtures/standard_db.h"
#include "tests/support/recording_port.h"
#include "tests/support/temp_dir.h"

namespace bm::migrate {
namespace {

using test::RecordingPort;

class StockMaintenance : public ::testing::Test {
 protected:
  void SetUp() override {
    data::install_default_drivers();
    fixtures::create_standard_database(dir.file("shop.fdb"));
    ASSERT_TRUE(dm.ConnectTarget(dir.file("shop.fdb")));
    // One warehouse row and two purchase lines of book 7001 in warehouse 1: one dated in 2011,
    // one today shortly after midnight.
    exec("INSERT INTO BAS_BOOKINFO (BOOK_ID, BOOK_NAME, ALLOWUSE) VALUES (7001, '测试图书', 1)");
    exec("INSERT INTO BAS_BOOKINFO (BOOK_ID, BOOK_NAME, ALLOWUSE) VALUES (7002, '没有进货', 1)");
    exec("INSERT INTO INV_LIBUP (BOOK_ID, LIB_NO, LIB) VALUES (7001, 1, 100)");
    exec("INSERT INTO PUR_LOADMASTER (ORDER_NO, ORDER_DATE, CLIENT_ID) VALUES ('JH1', '2011-03-01 10:00:00', 'G''01')");
    exec("INSERT INTO PUR_LOADMASTER (ORDER_NO, ORDER_DATE, CLIENT_ID) VALUES ('JH0', '2010-01-01 10:00:00', 'G02')");
    exec("INSERT INTO PUR_LOADDETAIL (ORDER_NO, SEQ_NO, BOOK_ID, NUMBER, LIB_NO, ORDER_DATED) "
         "VALUES ('JH1', 1, 7001, 5, 1, '2011-03-01 10:00:00')");
    exec("INSERT INTO PUR_LOADDETAIL (ORDER_NO, SEQ_NO, BOOK_ID, NUMBER, LIB_NO, ORDER_DATED) "
         "VALUES ('JH0', 1, 7001, 9, 1, '2010-01-01 10:00:00')");
    exec("INSERT INTO PUR_LOADDETAIL (ORDER_NO, SEQ_NO, BOOK_ID, NUMBER, LIB_NO, ORDER_DATED) "
         "VALUES ('JH1', 2, 7001, 3, 1, '" + data::to_text(data::Timestamp{today(), {0, 30, 0, 0}}) + "')");
    // A line without its warehouse must not be applied to another line's warehouse.
    exec("INSERT INTO PUR_LOADDETAIL (ORDER_NO, SEQ_NO, BOOK_ID, NUMBER, LIB_NO, ORDER_DATED) "
         "VALUES ('JH1', 3, 7001, 1000, NULL, '2011-03-01 10:00:00')");
    exec("UPDATE INV_LIBUP SET LIB = 100 WHERE BOOK_ID = 7001 AND LIB_NO = 1");
    port.clear();
  }

  static data::Date today() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
  }
  void exec(const std::string& sql) {
    data::Query q("q", dm.QIMD);
    q.set_param_check(false);
    q.set_sql(sql);
    q.exec_sql();
  }
  std::string scalar(const std::string& sql) {
    data::Query q("q", dm.QIMD);
    q.set_sql(sql);
    q.open();
    return q.field_text(q.fields().at(0).name);
  }
  std::string stock() { return scalar("select LIB from INV_LIBUP where BOOK_ID = 7001 and LIB_NO = 1"); }

  test::TempDir dir;
  RecordingPort port;
  TBAS_DMFrm dm{port};
};

TEST_F(StockMaintenance, UpgradeAndRemovalReportEachProcedure) {
  dm.CreateStockProcedures();
  EXPECT_EQ(port.texts(), (std::vector<std::string>{"采购模块升级成功！", "销售模块升级成功！", "升级操作完成！"}));
  port.clear();
  dm.CreateStockProcedures();
  EXPECT_EQ(port.texts(), (std::vector<std::string>{"采购模块升级失败！", "销售模块升级失败！", "升级操作完成！"}));
  port.clear();
  dm.DropStockProcedures();
  dm.DropStockProcedures();
  EXPECT_EQ(port.texts(), (std::vector<std::string>{"还原完毕！", "系统数据出错:DROP PROCEDURE SPCALLIBPUR",
                                                    "系统数据出错:DROP PROCEDURE SPCALLIBSAL", "还原完毕！"}));
}

TEST_F(StockMaintenance, ReapplyingPurchasesWithTheInitialRangeTakesTodaysLinesAndSkipsUnplacedOnes) {
  dm.CreateStockProcedures();
  port.clear();
  DateRange r = initial_reapply_range(today());
  dm.ReapplyPurchases(r.from, r.to);
  // 5 (2011), 9 (2010) and 3 (today, 00:30); the line without a warehouse is left out.
  EXPECT_EQ(stock(), "117");
  EXPECT_EQ(port.texts(), (std::vector<std::string>{"已操作完成!", "有1条明细没有书号或仓号，未重算。"}));
  dm.ReapplyPurchases(r.from, r.to);
  EXPECT_EQ(stock(), "134") << "a second run applies the lines once more";

  dm.ReapplySales(r.from, r.to);  // the shop has no sale lines
  EXPECT_EQ(stock(), "134");

  DateRange only_2011 = reapply_range({2011, 1, 1}, {0, 0, 0, 0}, {2011, 12, 31}, {23, 59, 59, 0});
  dm.ReapplyPurchases(only_2011.from, only_2011.to);
  EXPECT_EQ(stock(), "139");
}

TEST_F(StockMaintenance, ReapplyWithoutTheProceduresEndsAtTheFirstLine) {
  DateRange r = initial_reapply_range(today());
  dm.ReapplyPurchases(r.from, r.to);
  ASSERT_EQ(port.boxes.size(), 1u);
  EXPECT_EQ(port.boxes[0].kind, RecordingPort::Box::Kind::Notice);
  EXPECT_EQ(port.boxes[0].text, "网络繁忙，请稍后再试");
  EXPECT_EQ(stock(), "100");
}

TEST_F(StockMaintenance, MainSupplierComesFromTheLatestPurchaseEvenWithAQuoteInItsNumber) {
  dm.ReCalProvider();
  EXPECT_EQ(scalar("select CLIENT_ID from BAS_BOOKINFO where BOOK_ID = 7001"), "G'01");
  EXPECT_EQ(scalar("select CLIENT_ID from BAS_BOOKINFO where BOOK_ID = 7002"), "")
      << "a book never purchased gets an empty supplier";
  EXPECT_EQ(port.texts(), (std::vector<std::string>{"操作已完成!"}));
}

}  // namespace
}  // namespace bm::migrate
