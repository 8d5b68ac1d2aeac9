// The GZ70 import end to end: a GZ70 database imported into a freshly installed big-customer
// database by pressing the window's buttons in caption order.
#include <fstream>
#include <sstream>

#include "tests/import/gz70/gz70_import.h"

namespace bm::converters {
namespace {

std::string file_text(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST_F(Gz70Import, EveryStepShowsItsMessagesAndTheSupplierLeftOutIsReported) {
  import_all();
  EXPECT_EQ(shown["btnStart"], (Rows{"源数据库初始化完成！", "目标库初始化完成！"}));
  EXPECT_EQ(shown["btnGZ"], Rows{});
  EXPECT_EQ(shown["btnBatchMove"], Rows{"勾选选项表导入数据！"});
  const Rows& copy = shown["btnTOqim"];
  ASSERT_EQ(copy.size(), 15u) << ::testing::PrintToString(copy);
  EXPECT_EQ(Rows(copy.begin(), copy.begin() + 3), (Rows{"图书资料ok", "客户资料ok", "供应商资料ok"}));
  // The supplier copy puts the balance into a small-integer status: 1500.50 does not fit.
  EXPECT_EQ(copy[3].rfind("BAS_PROVIDE：有 1 行没有导入（键重复 0 行，数值不符 1 行），明细见 ", 0), 0u) << copy[3];
  std::string log = file_text(copy[3].substr(copy[3].find(dir.file("rejects"))));
  EXPECT_NE(log.find("CLIENT_NO=2"), std::string::npos) << log;
  EXPECT_NE(log.find("STS"), std::string::npos) << log;
  EXPECT_EQ(Rows(copy.begin() + 4, copy.end()),
            (Rows{"会员资料ok", "库存资料ok", "进货主表资料ok", "销售主表资料ok", "进货明细表资料ok", "销售明细表资料ok",
                  "付款主表资料ok", "付款明细表资料ok", "收款主表资料ok", "收款明细表资料ok", "统计分类表资料ok"}));
  EXPECT_EQ(shown["btnEnd"], Rows{"更新值操作完成！"});
  EXPECT_EQ(shown["btnTR"], Rows{});
  // The generators belong to the standard edition: each SET GENERATOR is refused with its box.
  EXPECT_EQ(shown["btnOP"], (Rows{"图书资料修复操作成功!", "系统数据出错:SET GENERATOR recedetailid TO 4",
                                  "系统数据出错:SET GENERATOR paydetailid TO 3",
                                  "系统数据出错:SET GENERATOR checkdetailid TO ",
                                  "系统数据出错:SET GENERATOR GEN_SYSLOG TO 1",
                                  "系统数据出错:SET GENERATOR GEN_SYSTABLEDE TO ", "其它最大值操作成功！"}));
  // Triggers were off while the rows came in: the one log row is the earlier attempt's title.
  EXPECT_EQ(target("select content from sys_lognew"), Rows{"旧书"});
}

TEST_F(Gz70Import, CatalogueStockClassificationAndBookCounter) {
  import_all();
  EXPECT_EQ(target("select book_id, isbn, self_no, book_name, publish, price, author, remark, store_no, in_price, "
                   "fst_lib, allowuse, isbn_class, goods_class, sell_discount, distrib_discount, build_time "
                   "from bas_bookinfo order by book_id"),
            (Rows{"1|9787020002207|ZB0001|红楼梦|人民文学出版社|59.70|曹雪芹|20|N1|0.6500|10|1|不区分|文学|0.8500|65.0000|"
                  "2011-03-01 09:30:00",
                  "2|ZB0002|ZB0002|算法导论|机械工业出版社|128.00|科尔曼|5|N1|0.6550|4|1|一般图书|计算机|0.8500|0.6550|"
                  "2011-03-02 10:00:00",
                  "3|9787101003048|ZB0003|史记|中华书局|45.00|司马迁||N1|||1|一般图书|文学|1.0000||2011-03-03 11:00:00"}));
  // 65 per cent and 0.655 both end as 0.65; a book without a discount keeps none.
  EXPECT_EQ(target("select book_id, lib_no, lib, store_no, discount from inv_libup order by book_id"),
            (Rows{"1|1|10|N1|0.6500", "2|1|4|N1|0.6500", "3|2||N1|"}));
  // The shipped classifications are replaced, other dictionary rows stay.
  EXPECT_EQ(target("select name, key_id, key_word from pub_dict order by name, key_id"),
            (Rows{"BUSI_CLASS|1|文学", "BUSI_CLASS|2|计算机", "goods_class|01|图书"}));
  EXPECT_EQ(target("select ctype, max_id from pub_maxid"), Rows{"BOOKINFO|3"});
}

TEST_F(Gz70Import, CustomersSuppliersAndMembers) {
  import_all();
  // Clearing removes every customer: the customers take the numbers step 1 gave them.
  EXPECT_EQ(target("select client_no, name, phone, address, contact, email, bank, bank_no, build_date, sts, "
                   "store_no, store_no1, trans_flag, allowuse from bas_client order by client_no"),
            (Rows{"1|新华书店|010-6601|北京市西城区|王经理|xh@example.cn|工商银行|6222001|2010-01-05 00:00:00|1|N1|0|1|1",
                  "2|博库书城|0571-8888|杭州市|陈女士||||2010-02-10 00:00:00|1|N1|0|1|1"}));
  EXPECT_EQ(target("select client_no, name, contact, sts, sts_time, store_no, store_no1, trans_flag, allowuse "
                   "from bas_provide"),
            (Rows{"1|人民文学出版社|刘编辑|0|2011-01-01 08:00:00|N1|0|0.0000|1"}));
  EXPECT_EQ(target("select member_id, cardnumber, name, sex, tel, callnumber, money1, memberkind, memberkeepmoney, "
                   "buybookmoney, build_time, allowuse from bas_member order by member_id"),
            (Rows{"M001|K0001|张三|男|010-1234|13800000001|560.50|金卡|100.00|560.50|2011-02-01 12:00:00|1",
                  "M002|K0002|李四|女||||普通卡|||2011-02-02 12:00:00|1"}));
}

TEST_F(Gz70Import, EveryPurchaseAndSaleHeaderComesOverWithWhatWasPaid) {
  import_all();
  // 1002 has no payment, 1003 a supplier that matches nothing: both come over.
  EXPECT_EQ(target("select order_no, client_id, lib_no, order_date, book_sum, money_m, money_s, rec_num, store_no, "
                   "store_no1, paid, is_rate, remark, ctype, lastuptime from pur_loadmaster order by order_no"),
            (Rows{"1001|1||2011-04-01 00:00:00|15|1000.00|650.00|2|N1|0|650.00|5|首批进货|L|2011-04-01 10:00:00",
                  "1002|2||2011-04-02 00:00:00|3|0.00||1|N1|0|0.00||未付款|L|2011-04-02 10:00:00",
                  "1003|||2011-04-03 00:00:00|-1|-59.70|-38.81|1|N1|0|-38.81|0|退货|R|2011-04-03 10:00:00"}));
  // 2002 has no receipt, 2003 is the walk-in customer's counter sale, 2004 a return of a
  // customer that matches nothing.
  EXPECT_EQ(target("select order_no, client_id, lib_no, order_date, discount, book_sum, money_m, money_s, rec_num, "
                   "store_no, store_no1, paid, is_rate, other_fee, ffloat1, ctype from sal_sellmaster order by order_no"),
            (Rows{"2001|1|1|2011-05-01 00:00:00|0.8000|7|426.50|360.00|2|N1|0|360.00|1|10.00|80.0000|L",
                  "2002|2|1|2011-05-02 00:00:00||2|0.00||1|N1|0|0.00|0|||L",
                  "2003||1|2011-05-03 00:00:00||1|59.70|59.70|1|N1|0|59.70|1|0.00|20.9000|L",
                  "2004||1|2011-05-04 00:00:00||-1|-128.00|-108.80|1|N1|0|-108.80|1|0.00|-20.0000|R"}));
  EXPECT_EQ(source("select count(*) from incase")[0] + "|" + source("select count(*) from sellcase")[0],
            target("select count(*) from pur_loadmaster")[0] + "|" + target("select count(*) from sal_sellmaster")[0]);

  // Lines: percentages to fractions rounded to two decimals, the line number kept in fint4.
  EXPECT_EQ(target("select order_no, seq_no, book_id, number, discount, lib_no, cost, fint4, order_dated "
                   "from pur_loaddetail order by order_no, seq_no"),
            (Rows{"1001|11|1|10|0.6500|1|59.70|11|2011-04-01 10:00:00", "1001|12|2|5|0.6000|1|128.00|12|2011-04-01 10:00:00",
                  "1002|13|3|3||2||13|2011-04-02 10:00:00", "1003|14|1|-1|0.6500|1|59.70|14|2011-04-03 10:00:00"}));
  EXPECT_EQ(target("select order_no, seq_no, book_id, number, discount, lib_no, cost, ffloat1, fint4 "
                   "from sal_selldetail order by order_no, seq_no"),
            (Rows{"2001|21|1|5|0.8500|1|59.70|50.0000|21", "2001|22|2|2|0.8800|1|128.00|30.0000|22",
                  "2002|23|3|2||2|||23", "2003|24|1|1|1.0000|1|59.70|20.9000|24",
                  "2004|25|2|-1|0.8500|1|128.00|-20.0000|25"}));
}

TEST_F(Gz70Import, SettlementsComeOverEvenWhenTheirPartnerMatchesNothing) {
  import_all();
  EXPECT_EQ(target("select billno, billdate, amount, biller, operator, remark, money_id, custno from arp_pay "
                   "order by billno"),
            (Rows{"1|2011-04-05 09:00:00|650.00|管理员|管理员|分两次付清|现金|1",
                  "2|2011-04-07 09:00:00|-38.81|管理员|管理员|退货冲账|转账|"}));
  EXPECT_EQ(target("select billno, idenc, outno, totalamount, paid, ftime1, order_dated, lastuptime from arp_paydetail "
                   "order by idenc"),
            (Rows{"1|1|1001|600.00|600.00|2011-04-05 00:00:00|2011-04-05 00:00:00|2011-04-05 09:00:00",
                  "1|2|1001|50.00|50.00|2011-04-06 00:00:00|2011-04-06 00:00:00|2011-04-06 09:00:00",
                  "2|3|1003|-38.81|-38.81|2011-04-07 00:00:00|2011-04-07 00:00:00|2011-04-07 09:00:00"}));
  EXPECT_EQ(target("select billno, amount, remark, custno from arp_rece order by billno"),
            (Rows{"1|360.00|分两次收|1", "2|59.70|门市零售|", "3|-108.80|退货退款|"}));
  EXPECT_EQ(target("select billno, idenc, outno, paid from arp_recedetail order by idenc"),
            (Rows{"1|1|2001|300.00", "1|2|2001|60.00", "2|3|2003|59.70", "3|4|2004|-108.80"}));
}

TEST_F(Gz70Import, StepOneAgainStopsAtTheFirstViewWithoutClearingTheTarget) {
  import_all();
  press("btnStart");
  Rows boxes = port.texts();
  // Fifteen columns exist already: one box each; the UPDATE statements run again.
  ASSERT_EQ(boxes.size(), 16u) << ::testing::PrintToString(boxes);
  EXPECT_EQ(boxes[0], "系统数据出错:ALTER TABLE bookkind ADD name VARCHAR(10) DEFAULT('BUSI_CLASS') NOT NULL");
  EXPECT_EQ(boxes[14], "系统数据出错:ALTER TABLE incasepay ADD idenc INT IDENTITY(1,1) NOT NULL");
  EXPECT_EQ(port.boxes.back().kind, test::RecordingPort::Box::Kind::Error);
  EXPECT_NE(boxes.back().find("view_incase_seller"), std::string::npos) << boxes.back();
  EXPECT_EQ(target("select count(*) from bas_bookinfo"), Rows{"3"});
}

TEST_F(Gz70Import, CounterRepairInsertsAMissingBookCounterAndNumbersTheFirstReceiptLineOne) {
  import_all();
  fixtures::run_tsql_script("qimbookep",
                            "DELETE FROM pub_maxid\n"
                            "UPDATE arp_recedetail SET idenc = idenc + 10\n");
  press("btnOP");
  EXPECT_EQ(port.texts().front(), "图书资料修复操作成功!");
  EXPECT_EQ(port.texts().back(), "其它最大值操作成功！");
  EXPECT_EQ(target("select ctype, max_id from pub_maxid"), Rows{"BOOKINFO|3"});
  EXPECT_EQ(target("select idenc, outno, paid from arp_recedetail order by idenc"),
            (Rows{"1|2001|300.00", "12|2001|60.00", "13|2003|59.70", "14|2004|-108.80"}));
}

TEST_F(Gz70Import, CounterRepairReportsEachBlockThatCannotReadItsTable) {
  ASSERT_TRUE(dm->connect_target(""));
  fixtures::run_tsql_script("qimbookep", "DROP TABLE bas_bookinfo\nDROP TABLE arp_recedetail\n");
  port.clear();
  EXPECT_TRUE(press("btnOP"));
  EXPECT_EQ(port.texts(), (Rows{"图书资料修复操作不成功!", "其它最大值操作不成功！"}));
}

}  // namespace
}  // namespace bm::converters
