// Big-customer edition to standard edition end to end: a big-customer shop on the SQL Server of
// the tests into a freshly installed standard edition (Firebird), the buttons pressed in caption
// order.
#include <gtest/gtest.h>

#include <memory>

#include "converters/converter_dm.h"
#include "converters/editions/qim2_data.h"
#include "converters/editions/qim2_field_lists.h"
#include "converters/registry.h"
#include "data/drivers/install.h"
#include "data/query.h"
#include "tests/fixtures/bigcustomer_db.h"
#include "tests/fixtures/standard_db.h"
#include "tests/import/editions/table_compare.h"
#include "tests/support/recording_port.h"
#include "tests/support/temp_dir.h"

namespace bm::converters {
namespace {

using test::Rows;
using Box = test::RecordingPort::Box;
using namespace qim2;

struct TableCase {
  std::string box, table;
  const std::vector<std::string>* fields;  // the job's field list; null: pairs by position
};

// The tables a normal run fills. Member levels are not among them: the clearing keeps the
// target's own, so their copy stops at the first level both databases have (tested below).
const std::vector<TableCase> kTables = {
    {"cbxbas_bookinfo", "BAS_BOOKINFO", &kBookFields},
    {"cbxbas_client", "BAS_CLIENT", &kClientFields},
    {"cbxbas_provide", "BAS_PROVIDE", nullptr},
    {"cbxbas_member", "BAS_MEMBER", nullptr},
    {"cbxInv_libup", "INV_LIBUP", nullptr},
    {"cbxpur_loadmaster", "PUR_LOADMASTER", &kLoadMasterFields},
    {"cbxsal_sellmaster", "SAL_SELLMASTER", &kSellMasterFields},
    {"cbxpur_loaddetail", "PUR_LOADDETAIL", nullptr},
    {"cbxsal_selldetail", "SAL_SELLDETAIL", nullptr},
    {"cbxpur_ordermaster", "PUR_ORDERMASTER", &kOrderMasterFields},
    {"cbxpur_orderdetail", "PUR_ORDERDETAIL", &kPurOrderLineFields},
    {"cbxsal_ordermaster", "SAL_ORDERMASTER", &kOrderMasterFields},
    {"cbxsal_orderdetail", "SAL_ORDERDETAIL", &kSalOrderLineFields},
    {"cbxinv_check", "INV_CHECK", &kCheckFields},
    {"cbxinv_checkdetail", "INV_CHECKDETAIL", nullptr},
    {"cbxinv_checkdetail", "INV_CHECKDETAIL1", &kCheckLine1Fields},
    {"cbxarp_pay", "ARP_PAY", &kBillFields},
    {"cbxarp_paydetail", "ARP_PAYDETAIL", nullptr},
    {"cbxarp_rece", "ARP_RECE", &kBillFields},
    {"cbxarp_recedetail", "ARP_RECEDETAIL", nullptr},
    {"cbxinv_exchmaster", "INV_EXCHMASTER", &kExchMasterFields},
    {"cbxinv_exchdetail", "INV_EXCHDETAIL", nullptr},
    {"cbxsal_hiremaster", "SAL_HIREMASTER", nullptr},
    {"cbxsal_hiredetail", "SAL_HIREDETAIL", &kHireLineFields},
    {"cbxsal_addmoney", "SAL_ADDMONEY", nullptr},
    {"cbxsys_lognew", "SYS_LOGNEW", nullptr},
    {"cbxbas_department", "BAS_DEPARTMENT", nullptr},
    {"cbxbas_libinfo", "BAS_LIBINFO", nullptr},
    {"cbxpub_dict", "PUB_DICT", nullptr},
    {"cbxpub_maxid", "PUB_MAXID", nullptr},
    {"cbxpub_ordermaxid", "PUB_ORDERMAXID", nullptr},
    {"cbxsys_config", "SYS_CONFIG", nullptr},
    {"cbxsys_operator", "SYS_OPERATOR", nullptr},
    {"cbxsys_operatordetail", "SYS_OPERATORDETAIL", nullptr},
    {"cbxbas_company", "BAS_COMPANY", nullptr},
    {"cbxbas_membersecede", "BAS_MEMBERSECEDE", nullptr},
    {"cbxinv_iodetail", "INV_IODETAIL", nullptr},
};

// The headers that get IS_RATE 0 from the temporary triggers.
const std::vector<std::string> kZeroRateTables = {"ARP_PAY",         "ARP_RECE",        "INV_CHECK",
                                                  "INV_EXCHMASTER",  "PUR_ORDERMASTER", "SAL_HIREMASTER",
                                                  "SAL_ORDERMASTER"};

const Rows kJobMessages = {
    "图书资料ok",     "客户资料ok",       "供应商资料ok",   "会员资料ok",     "库存资料ok",
    "进货主表资料ok", "销售主表资料ok",   "进货明细表资料ok", "销售明细表资料ok", "采购报订主表ok",
    "采购报订明细ok", "销售收订ok",       "销售收订明细ok", "盘点主表ok",     "盘点单明细ok",
    "盘点单新明细表ok", "付款主表ok",     "付款明细表ok",   "收款单主表ok",   "收款明细表ok",
    "调拨单主表ok",   "调拨单明细表ok",   "租书单主表ok",   "租书单明细表ok", "会员充值ok",
    "系统日志ok",     "部门资料ok",       "仓库资料ok",     "统计分类资料ok", "图书资料最大值ok",
    "单据最大值ok",   "系统配置信息ok",   "操作员表ok",     "操作员明细表ok", "公司资料ok",
    "会员退会表ok",   "备用库存表ok",
};

// The standard edition's triggers that a restore leaves switched off.
const Rows kOffAfterRestore = {"BOOK_ALLOW",     "TRIG_BOOKID_BI",       "TRIG_BOOKINFO_INS1",
                               "TRIG_INVLIB_BI", "TR_SELLMASTER_AFINS3", "TR_SELLMASTER_INS1"};

class Qim2Import : public ::testing::Test {
 protected:
  void SetUp() override {
    data::install_default_drivers();
    fixtures::use_test_sqlserver(dir.file("sqlserver"));
    fixtures::create_bigcustomer_database("qimbook", false, true);
    fixtures::fill_bigcustomer_shop("qimbook", 1, dir.file("work"));
    // Rated headers: the seven with temporary triggers arrive with 0, the other two keep theirs.
    std::string rated;
    for (const char* t : {"ARP_PAY", "ARP_RECE", "INV_CHECK", "INV_EXCHMASTER", "PUR_ORDERMASTER", "SAL_HIREMASTER",
                          "SAL_ORDERMASTER", "PUR_LOADMASTER", "SAL_SELLMASTER"})
      rated += std::string("UPDATE ") + t + " SET IS_RATE=1\nGO\n";
    fixtures::run_tsql_script("qimbook", rated);

    target_path = dir.file("rorudazez.fdb");
    fixtures::create_standard_database(target_path, true);
    definition = qim2_definition();
    dm = std::make_unique<ConverterDM>(definition, port);
    dm->reject_log_dir = dir.file("rejects");
    dm->window_boxes.erase("cbxhaveValue");  // the window's box as it opens: unticked
    ASSERT_TRUE(dm->connect_source("qimbook"));
    ASSERT_TRUE(dm->connect_target(target_path));
  }

  std::vector<Box> press(const std::string& button, const std::set<std::string>& ticked = {}) {
    port.clear();
    data::run_step(port, [&] {
      if (button == "btnTOqim")
        dm->execute(ticked);
      else
        dm->run_step(button);
    });
    return port.boxes;
  }
  static Rows texts(const std::vector<Box>& boxes) {
    Rows out;
    for (const auto& b : boxes) out.push_back(b.text);
    return out;
  }
  Rows target(const std::string& sql) { return test::query_rows(dm->target, sql); }
  void target_exec(const std::string& sql) {
    data::Query q("exec", dm->target);
    q.set_sql(sql);
    q.exec_sql();
  }
  int target_count(const std::string& table) { return std::stoi(target("select count(*) from " + table)[0]); }
  Rows inactive_triggers() {
    return target(
        "select trim(rdb$trigger_name) from rdb$triggers where coalesce(rdb$system_flag, 0) = 0 and "
        "rdb$trigger_inactive = 1 order by 1");
  }

  test::TempDir dir;
  test::RecordingPort port;
  std::string target_path;
  ConverterDefinition definition;
  std::unique_ptr<ConverterDM> dm;
};

TEST_F(Qim2Import, NormalRunCopiesTheSharedFieldsAndLeavesTheTargetReadyForUse) {
  // A trigger the converter's lists never switch keeps the state it had.
  target_exec("ALTER TRIGGER TR_LOADDETAIL_DEL1 INACTIVE");
  dm->window_boxes.insert("cbxhaveValue");
  std::set<std::string> ticked;
  for (const auto& t : kTables) ticked.insert(t.box);

  EXPECT_EQ(texts(press("btnTRClose")), Rows{"屏蔽触发器操作成功！"});
  EXPECT_EQ(texts(press("btnDesDBInit")), Rows{"目标库初始化完成！"});
  EXPECT_EQ(texts(press("btnBatchMove")), Rows{"勾选选项表导入数据！"});
  EXPECT_EQ(texts(press("btnTOqim", ticked)), kJobMessages);
  EXPECT_EQ(texts(press("btnEnd")), Rows{"目标库更新值完成！"});
  EXPECT_EQ(texts(press("btnTROpen")), Rows{"恢复触发器操作成功！"});

  for (const auto& t : kTables) {
    std::set<std::string> skip;
    if (std::find(kZeroRateTables.begin(), kZeroRateTables.end(), t.table) != kZeroRateTables.end())
      skip.insert("IS_RATE");
    auto columns = t.fields ? *t.fields : test::shared_columns(dm->source, dm->target, t.table, skip);
    Rows from = test::normalized_rows(dm->source, t.table, columns);
    EXPECT_FALSE(from.empty() && t.table != "BAS_MEMBERSECEDE") << t.table << " is empty in the shop";
    EXPECT_EQ(test::normalized_rows(dm->target, t.table, columns), from) << t.table;
  }
  // Values the converter sets itself.
  for (const auto& t : kZeroRateTables)
    EXPECT_EQ(target("select distinct IS_RATE from " + t), Rows{"0"}) << t;
  for (const char* t : {"PUR_LOADMASTER", "SAL_SELLMASTER"})
    EXPECT_EQ(target(std::string("select distinct IS_RATE from ") + t), Rows{"1"}) << t;
  EXPECT_EQ(target("select distinct USEMEM_DISCOUNT, USEMEM_UPDISCOUNT, USEMEM_JIFEN from BAS_BOOKINFO"),
            Rows{"1|1|1"});
  EXPECT_EQ(target("select count(*) from BAS_CLIENT where CLIENT_NO='1'"), Rows{"1"});

  // The temporary triggers are gone; the restore left its six triggers off and did not touch
  // TR_LOADDETAIL_DEL1.
  EXPECT_EQ(target("select count(*) from rdb$triggers where rdb$trigger_name in ('ARP_PAY1', 'ARP_RECE1', "
                   "'INV_CHECK1', 'INV_EXCHMASTER1', 'PUR_ORDERMASTER1', 'SAL_HIREMASTER1', 'SAL_ORDERMASTER1')"),
            Rows{"0"});
  Rows off = kOffAfterRestore;
  off.push_back("TR_LOADDETAIL_DEL1");
  std::sort(off.begin(), off.end());
  EXPECT_EQ(inactive_triggers(), off);

  // The generators continue after the copied keys: the shop's next payment line and log entry
  // take new numbers.
  Rows top = target("select max(IDENC) from ARP_PAYDETAIL");
  target_exec("INSERT INTO ARP_PAYDETAIL (BILLNO, OUTNO) VALUES ('FK-NEW', 'JH-NEW')");
  EXPECT_EQ(target("select IDENC from ARP_PAYDETAIL where BILLNO='FK-NEW'"),
            Rows{std::to_string(std::stoi(top[0]) + 1)});
  for (const auto& [table, column, generator] :
       std::vector<std::tuple<std::string, std::string, std::string>>{{"ARP_RECEDETAIL", "IDENC", "RECEDETAILID"},
                                                                      {"INV_CHECKDETAIL", "IDENC", "CHECKDETAILID"},
                                                                      {"SYS_LOGNEW", "LOG_ID", "GEN_SYSLOG"}})
    EXPECT_EQ(target("select gen_id(" + generator + ", 0) from rdb$database"),
              target("select max(" + column + ") from " + table))
        << generator;
}

TEST_F(Qim2Import, WithoutTheBoxTheClearingKeepsTheTargetsSystemTablesAndTheirCopyStops) {
  int dict_other = std::stoi(target("select count(*) from PUB_DICT where name<>'busi_class'")[0]);
  ASSERT_GT(target_count("PUB_DICT"), dict_other);
  std::map<std::string, int> kept;
  for (const char* t : {"BAS_COMPANY", "BAS_DEPARTMENT", "BAS_LIBINFO", "SYS_OPERATOR", "SYS_OPERATORDETAIL",
                        "INV_CALMETHOD", "PUB_MAXID", "PUB_ORDERMAXID", "SYS_CONFIG"})
    kept[t] = target_count(t);

  EXPECT_EQ(texts(press("btnDesDBInit")), Rows{"目标库初始化完成！"});
  EXPECT_EQ(target_count("BAS_CLIENT"), 0);
  EXPECT_EQ(target_count("PUB_DICT"), dict_other);
  for (const auto& [table, rows] : kept) EXPECT_EQ(target_count(table), rows) << table;

  // The first department the target already has stops the run; the warehouses after it are not
  // copied.
  auto boxes = press("btnTOqim", {"cbxbas_department", "cbxbas_libinfo"});
  ASSERT_EQ(boxes.size(), 1u) << ::testing::PrintToString(texts(boxes));
  EXPECT_EQ(boxes[0].kind, Box::Kind::Error);
  EXPECT_EQ(target_count("BAS_DEPARTMENT"), kept["BAS_DEPARTMENT"]);
  EXPECT_EQ(target_count("BAS_LIBINFO"), kept["BAS_LIBINFO"]);
}

TEST_F(Qim2Import, MemberLevelsAreNeverClearedSoTheirCopyStopsTheRun) {
  dm->window_boxes.insert("cbxhaveValue");
  press("btnTRClose");
  press("btnDesDBInit");
  auto boxes = press("btnTOqim", {"cbxbas_memberlevel", "cbxbas_membersecede", "cbxinv_iodetail"});
  ASSERT_EQ(boxes.size(), 1u) << ::testing::PrintToString(texts(boxes));
  EXPECT_EQ(boxes[0].kind, Box::Kind::Error);
  EXPECT_EQ(target_count("INV_IODETAIL"), 0);
}

TEST_F(Qim2Import, ASecondClearingStopsAtTheFirstTemporaryTrigger) {
  EXPECT_EQ(texts(press("btnDesDBInit")), Rows{"目标库初始化完成！"});
  auto boxes = press("btnDesDBInit");
  ASSERT_EQ(boxes.size(), 1u) << ::testing::PrintToString(texts(boxes));
  EXPECT_EQ(boxes[0].kind, Box::Kind::Error);
  EXPECT_NE(boxes[0].text.find("ARP_PAY1"), std::string::npos) << boxes[0].text;
}

TEST_F(Qim2Import, ValueCorrectionBeforeClearingShowsOneBoxPerMissingTriggerAndStillSetsTheFlags) {
  target_exec("INSERT INTO BAS_BOOKINFO (BOOK_ID, BOOK_NAME) VALUES (1, '中文书名')");
  auto boxes = press("btnEnd");
  Rows expected;
  for (const char* t : {"ARP_PAY1", "ARP_RECE1", "INV_CHECK1", "INV_EXCHMASTER1", "PUR_ORDERMASTER1",
                        "SAL_HIREMASTER1", "SAL_ORDERMASTER1"})
    expected.push_back(std::string("系统数据出错:DROP TRIGGER ") + t);
  expected.push_back("目标库更新值完成！");
  EXPECT_EQ(texts(boxes), expected);
  EXPECT_EQ(target("select USEMEM_DISCOUNT, USEMEM_UPDISCOUNT, USEMEM_JIFEN from BAS_BOOKINFO"), Rows{"1|1|1"});
}

TEST_F(Qim2Import, TheTemporaryTriggersSetTheRateWhileTheyExist) {
  press("btnTRClose");
  press("btnDesDBInit");
  EXPECT_EQ(texts(press("btnTOqim", {"cbxsal_hiremaster"})), Rows{"租书单主表ok"});
  EXPECT_EQ(target("select distinct IS_RATE from SAL_HIREMASTER"), Rows{"0"});
  // Without them, a header keeps the rate it brings.
  press("btnEnd");
  target_exec("INSERT INTO SAL_HIREMASTER (ORDER_NO, IS_RATE) VALUES ('ZS-NEW', 1)");
  EXPECT_EQ(target("select IS_RATE from SAL_HIREMASTER where ORDER_NO='ZS-NEW'"), Rows{"1"});
}

TEST(Qim2Data, FieldListsAndTriggerTexts) {
  const std::vector<std::pair<const std::vector<std::string>*, size_t>> sizes = {
      {&kBookFields, 63},         {&kClientFields, 47},       {&kLoadMasterFields, 45}, {&kSellMasterFields, 48},
      {&kOrderMasterFields, 39},  {&kPurOrderLineFields, 26}, {&kSalOrderLineFields, 27}, {&kCheckFields, 38},
      {&kCheckLine1Fields, 25},   {&kBillFields, 39},         {&kExchMasterFields, 49}, {&kHireLineFields, 31},
  };
  for (const auto& [list, size] : sizes) {
    EXPECT_EQ(list->size(), size) << list->front() << " ... " << list->back();
    std::set<std::string> unique(list->begin(), list->end());
    EXPECT_EQ(unique.size(), list->size()) << list->front();
  }
  EXPECT_EQ(same_name_lines({"ISBN"}), std::vector<std::string>{"ISBN=ISBN"});

  const ConverterDefinition& d = qim2_definition();
  ASSERT_EQ(d.commands.size(), 7u);
  test::RecordingPort port;
  ConverterDM dm(d, port);
  EXPECT_EQ(dm.command("ARP_PAY_ALLOW").text(),
            "CREATE TRIGGER ARP_PAY1 FOR ARP_PAY\r\nACTIVE BEFORE INSERT POSITION 0\r\nAS\r\nBEGIN\r\n"
            "    NEW.IS_RATE = 0;\r\nEND");
  EXPECT_EQ(dm.command("ARP_RECE_ALLOW").text(),
            "CREATE TRIGGER ARP_RECE1 FOR ARP_RECE\r\nACTIVE BEFORE INSERT POSITION 0\r\nAS\r\nBEGIN\r\n"
            "    NEW.IS_RATE = 0;\r\nEND\r\n");
}

}  // namespace
}  // namespace bm::converters
