// The QC import end to end: a QC database restored on the SQL Server the tests use, imported into
// a freshly installed big-customer database by pressing the buttons in caption order.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "converters/converter_dm.h"
#include "converters/qc/qc_data.h"
#include "converters/registry.h"
#include "data/drivers/install.h"
#include "data/query.h"
#include "tests/fixtures/bigcustomer_db.h"
#include "tests/fixtures/qc/qc_db.h"
#include "tests/support/recording_port.h"
#include "tests/support/temp_dir.h"

namespace bm::converters {
namespace {

using Rows = std::vector<std::string>;

const std::set<std::string> kAllBoxes = {"cbxbas_bookinfo",   "cbxbas_client",     "cbxbas_provide",
                                         "cbxbas_member",     "cbxInv_libup",      "cbxpur_loadmaster",
                                         "cbxpur_loaddetail", "cbxsal_sellmaster", "cbxsal_selldetail"};

class QcImport : public ::testing::Test {
 protected:
  void SetUp() override {
    data::install_default_drivers();
    fixtures::use_test_sqlserver(dir.file("sqlserver"));
    fixtures::create_qc_database("qc");
    fixtures::create_bigcustomer_database("qimbookep");
    // Rows of an earlier attempt, which step 1 clears.
    fixtures::run_tsql_script("qimbookep",
                              "INSERT INTO BAS_BOOKINFO (BOOK_ID, BOOK_NAME) VALUES (77, '旧书')\n"
                              "INSERT INTO BAS_CLIENT (CLIENT_NO, NAME) VALUES ('K77', '旧客户')\n"
                              "INSERT INTO SAL_SELLMASTER (ORDER_NO, CLIENT_ID) VALUES ('XS77', 'K77')\n");
    dm = std::make_unique<ConverterDM>(qc_definition(), port);
    dm->reject_log_dir = dir.file("rejects");
  }

  // Presses a step button the way the window does; false when the step ended with an error.
  bool press(const std::string& button) {
    return data::run_step(port, [&] { dm->run_step(button); });
  }

  // The normal run, in caption order; the messages of each press in `shown`.
  void import_all() {
    ASSERT_TRUE(dm->connect_source("qc"));
    ASSERT_TRUE(dm->connect_target(qc_definition().window.target_default));
    for (const char* b : {"btnStart", "btnTR_Close", "btnBatchMove"}) step(b);
    step("btnTOqim");
    for (const char* b : {"btnEnd", "btnTR_Open", "btnOP", "btnTEST"}) step(b);
  }

  void step(const std::string& button) {
    port.clear();
    bool ok = button == "btnTOqim" ? data::run_step(port, [&] { dm->execute(kAllBoxes); }) : press(button);
    EXPECT_TRUE(ok) << button;
    shown[button] = port.texts();
  }

  // Every row of a query, its fields joined with '|' (NULL as empty text).
  Rows rows(data::Connection& c, const std::string& sql) {
    data::Query q("check", c);
    q.set_sql(sql);
    q.open();
    Rows out;
    for (; !q.eof(); q.next()) {
      std::string line;
      for (size_t i = 0; i < q.fields().size(); ++i)
        line += (i ? "|" : "") + q.field_text(q.fields()[i].name);
      out.push_back(line);
    }
    return out;
  }
  Rows target(const std::string& sql) { return rows(dm->target, sql); }
  Rows source(const std::string& sql) { return rows(dm->source, sql); }

  test::TempDir dir;
  test::RecordingPort port;
  std::unique_ptr<ConverterDM> dm;
  std::map<std::string, Rows> shown;
};

TEST_F(QcImport, EveryStepShowsItsMessagesAndOnlyTheMemberWithTheLongNameIsLeftOut) {
  import_all();
  EXPECT_EQ(shown["btnStart"], (Rows{"源数据库初始化完成！", "目标库初始化完成！"}));
  EXPECT_EQ(shown["btnTR_Close"], Rows{});
  EXPECT_EQ(shown["btnBatchMove"], Rows{"勾选选项表导入数据！"});
  const Rows& copy = shown["btnTOqim"];
  ASSERT_EQ(copy.size(), 14u) << ::testing::PrintToString(copy);
  EXPECT_EQ(Rows(copy.begin(), copy.begin() + 4), (Rows{"图书资料ok", "客户资料ok", "供应商资料ok", "会员资料ok"}));
  EXPECT_EQ(copy[4].rfind("BAS_MEMBER：有 1 行没有导入（键重复 0 行，数值不符 1 行），明细见 ", 0), 0u) << copy[4];
  EXPECT_EQ(Rows(copy.begin() + 5, copy.end()),
            (Rows{"库存资料ok", "进货主表资料ok", "进货退货主表资料ok", "销售主表资料ok", "销售销退主表资料ok",
                  "进货明细表资料ok", "进货退货明细表资料ok", "销售明细表资料ok", "销售销退明细表资料ok"}));
  EXPECT_EQ(shown["btnEnd"], Rows{"更新值操作完成！"});
  EXPECT_EQ(shown["btnTR_Open"], Rows{});
  EXPECT_EQ(shown["btnOP"], Rows{});
  EXPECT_EQ(shown["btnTEST"], Rows{"进行测试！"});

  // The log names the member that was left out, and why.
  std::string log_path = copy[4].substr(copy[4].find(dir.file("rejects")));
  std::ifstream log(log_path);
  std::stringstream text;
  text << log.rdbuf();
  EXPECT_NE(text.str().find("MEMBER_ID=M002"), std::string::npos) << text.str();
  EXPECT_EQ(target("select member_id, name, cardnumber, memberkind, sex, money1, fstr1, allowuse, birthday "
                   "from bas_member order by member_id"),
            (Rows{"M001|张三|金卡|金卡|男|560.50|1|1|1980-05-20 00:00:00"}));
}

TEST_F(QcImport, BooksAndStockCarryFractionsStoreAndWarehouse) {
  import_all();
  // Percentages above 1 become fractions; fractions and exactly 1 stay. The book whose publisher
  // code has no publisher comes in all the same.
  EXPECT_EQ(target("select book_id, isbn, book_name, publish, busi_class, price, author, client_id, fst_lib, "
                   "sell_price, sell_discount, retail_price, in_price, ffloat1 from bas_bookinfo order by book_id"),
            (Rows{"1|9787020002207|红楼梦|人民文学|文学|59.70|曹雪芹|G01|10|0.8500|0.8000|1.0000|0.6000|35.8200",
                  "2|9787100077241|现代汉语词典|商务|工具书|109.90|中国社会科学院语言研究所|G02|5|0.9000|1.0000|0.9500|"
                  "0.6000|65.9400",
                  "3|978750001234567890|围城|人民文学|文学|39.00|钱钟书|G01|3|0.7800|0.3333|0.8500|0.3333|13.0000",
                  "4|9787999999999|无名出版物||文学|||||||||"}));
  EXPECT_EQ(target("select distinct goods_class, isbn_class, allowuse, store_no, usemem_discount, "
                   "usemem_updiscount, usemem_jifen from bas_bookinfo"),
            (Rows{"图书|不区分|1|N1|1|1|1"}));
  // One stock row per book; the copies moved no stock (triggers off), discounts to two places.
  EXPECT_EQ(target("select book_id, lib_no, lib, fst_lib, store_no, discount, lastuptime from inv_libup "
                   "order by book_id"),
            (Rows{"1|1|8|10|N1|0.6000|2012-04-01 09:15:00", "2|1|5|5|N1|0.6000|2012-04-02 10:00:00",
                  "3|1|-2|3|N1|0.3300|2012-04-03 11:30:00", "4|1|4||N1||2012-04-04 08:00:00"}));
  EXPECT_EQ(target("select content from sys_lognew"), Rows{"旧书"}) << "only the earlier attempt's title is logged";

  port.clear();
  EXPECT_TRUE(press("btnISBN13"));
  EXPECT_TRUE(port.boxes.empty());
  EXPECT_EQ(target("select isbn from bas_bookinfo order by book_id"),
            (Rows{"9787020002207", "9787100077241", "9787500012345", "9787999999999"}));
}

TEST_F(QcImport, CustomersAndSuppliersKeepTheRetailCustomer) {
  import_all();
  EXPECT_EQ(target("select client_no, name, phone, address, contact, fst_money, bank_no, salesman, store_no, "
                   "allowuse from bas_client order by client_no"),
            (Rows{"1|零售客户||||0.00|||N1|1",
                  "999999|零售客户||||0.00|||N1|1",
                  "K01|新华书店城东店|0592-5550101|厦门市湖里区东渡路8号|陈明|1200.00|中国银行|13900000001|N1|1",
                  "K02|育才中学|0592-5550202|厦门市思明区育才路2号|林老师|-80.50|||N1|1"}));
  EXPECT_EQ(target("select client_no, name, salesman, fst_money, bank, bank_no, store_no, allowuse "
                   "from bas_provide order by client_no"),
            (Rows{"G01|人民文学出版社发行部|13800000001|3500.00|工商银行北京分行|0200001009000001|N1|1",
                  "G02|商务印书馆|||||N1|1"}));
}

TEST_F(QcImport, PurchasesAndTheirReturns) {
  import_all();
  // A receipt without an amount is 'L' with 0, a negative one 'R'; returns carry "TH" numbers
  // and stay returns although they come without an amount.
  EXPECT_EQ(target("select order_no, client_id, lib_no, order_date, book_sum, money_m, rec_num, store_no, ctype "
                   "from pur_loadmaster order by order_no"),
            (Rows{"JH001|G01|1|2012-05-01 00:00:00|15|1146.50|2|N1|L", "JH002|G01|1|2012-05-03 00:00:00|5|0.00|2|N1|L",
                  "JH003|G02|1|2012-05-04 00:00:00|-1|-59.70|1|N1|R", "THT001|G01|1|2012-05-10 00:00:00||0.00||N1|R",
                  "THT002|G02|1|2012-05-11 00:00:00||0.00||N1|R"}));
  // Lines whose title is not in the book master or whose receipt does not exist stay out; a
  // return line entered with a positive quantity arrives negative.
  EXPECT_EQ(target("select order_no, seq_no, fint4, book_id, number, price, discount, lib_no, order_dated "
                   "from pur_loaddetail order by order_no, seq_no"),
            (Rows{"JH001|1|1|1|10|59.70|0.6000|1|2012-05-01 00:00:00",
                  "JH001|2|2|2|5|109.90|0.6000|1|2012-05-01 00:00:00",
                  "JH002|1|1|3|3|39.00|0.3300|1|2012-05-03 00:00:00", "JH002|2|2|4|2|||1|2012-05-03 00:00:00",
                  "JH003|1|1|1|-1|59.70|0.6000|1|2012-05-04 00:00:00", "THT001|1|1|1|-2||0.6000|1|2012-05-10 00:00:00",
                  "THT001|2|2|2|-1||0.6000|1|2012-05-10 00:00:00", "THT002|1|1|3|-1||0.3300|1|2012-05-11 00:00:00"}));
}

TEST_F(QcImport, SalesOfTheWalkInCustomerAndReturns) {
  import_all();
  // '999999' and '无' become the retail customer '1' with 'T'; returns stay 'R', the walk-in
  // customer's return too.
  const Rows expected = {"THT001|K01|1|2012-05-20 00:00:00|李四|0.00|N1|R",
                         "THT002|1|1|2012-05-21 00:00:00|王五|0.00|N1|R",
                         "XS001|K01|1|2012-05-15 10:30:00|李四|0.00|N1|L",
                         "XS002|1|1|2012-05-16 15:45:00|王五|0.00|N1|T",
                         "XS003|1|1|2012-05-17 09:05:00|王五|0.00|N1|T"};
  const std::string masters =
      "select order_no, client_id, lib_no, order_date, operator, money_m, store_no, ctype from sal_sellmaster "
      "order by order_no";
  EXPECT_EQ(target(masters), expected);
  EXPECT_EQ(target("select order_no, seq_no, fint4, book_id, number, price, discount, lib_no, order_dated "
                   "from sal_selldetail order by order_no, seq_no"),
            (Rows{"THT001|1|1|1|-1||0.8500|1|2012-05-20 00:00:00", "THT002|1|1|3|-1||1.0000|1|2012-05-21 00:00:00",
                  "XS001|1|1|1|3|59.70|0.8500|1|2012-05-15 00:00:00",
                  "XS001|2|2|2|1|109.90|0.8500|1|2012-05-15 00:00:00",
                  "XS002|1|1|3|1|39.00|1.0000|1|2012-05-16 00:00:00", "XS003|1|1|4|2|||1|2012-05-17 00:00:00"}));

  // The value fixing pressed again changes nothing.
  port.clear();
  EXPECT_TRUE(press("btnEnd"));
  EXPECT_EQ(port.texts(), Rows{"更新值操作完成！"});
  EXPECT_EQ(target(masters), expected);
}

TEST_F(QcImport, StepOneAgainOnAPreparedCopy) {
  ASSERT_TRUE(dm->connect_source("qc"));
  ASSERT_TRUE(press("btnStart"));
  port.clear();
  EXPECT_TRUE(press("btnStart"));
  // One box per column that exists already; the views are kept without a word.
  ASSERT_EQ(port.boxes.size(), 9u) << ::testing::PrintToString(port.texts());
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(port.boxes[i].kind, test::RecordingPort::Box::Kind::DataError);
    EXPECT_EQ(port.boxes[i].text.rfind("系统数据出错:ALTER TABLE ", 0), 0u) << port.boxes[i].text;
  }
  EXPECT_EQ(port.boxes[7].text, "源数据库初始化完成！");
  EXPECT_EQ(port.boxes[8].text, "目标库初始化完成！");
  // The same "TH" numbers, the quantities negative once, the same book keys.
  EXPECT_EQ(source("select order_no, ctype from th_to_title order by dh"), (Rows{"THT001|R", "THT002|R"}));
  EXPECT_EQ(source("select order_no, sp_qty from view_loaddetail_th order by dh, ordxh"),
            (Rows{"THT001|-2", "THT001|-1", "THT002|-1"}));
  EXPECT_EQ(source("select order_no, sp_qty from view_selldetail_th order by dh, ordxh"),
            (Rows{"THT001|-1", "THT002|-1"}));
  EXPECT_EQ(source("select bookid, sp_code from view_bookinfo order by bookid"),
            (Rows{"1|9787020002207", "2|9787100077241", "3|978750001234567890", "4|9787999999999"}));
  // The clearing ran: only the retail customer is left.
  EXPECT_EQ(rows(dm->target, "select client_no from bas_client"), Rows{"1"});
  EXPECT_EQ(rows(dm->target, "select count(*) from bas_bookinfo"), Rows{"0"});
  EXPECT_EQ(rows(dm->target, "select count(*) from sal_sellmaster"), Rows{"0"});
}

TEST_F(QcImport, ValueFixingOnAnUnpreparedSourceShowsWhatItCouldNotReadAndFinishes) {
  ASSERT_TRUE(dm->connect_source("qc"));
  port.clear();
  EXPECT_TRUE(press("btnEnd"));
  EXPECT_EQ(port.texts(), (Rows{"系统数据出错:select order_no from th_to_title",
                                "系统数据出错:select order_no from th_from_title", "更新值操作完成！"}));
}

TEST_F(QcImport, TheTargetIsAlwaysTheDesignedDatabase) {
  EXPECT_TRUE(dm->connect_target("rorudazez"));
  EXPECT_TRUE(dm->connect_target("somewhere_else"));
  EXPECT_EQ(port.texts(), (Rows{"目标数据库ok", "目标数据库ok"}));
  EXPECT_EQ(target("select client_no from bas_client order by client_no"), (Rows{"1", "K77"}));
}

}  // namespace
}  // namespace bm::converters
