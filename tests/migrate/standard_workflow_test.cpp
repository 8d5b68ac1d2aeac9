// The whole-shop copy of the standard edition, end to end on the embedded engine: a filled
// source shop into a freshly installed target, pressed step by step as a technician does.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "data/drivers/install.h"
#include "data/helpers.h"
#include "migrate/bas_dm.h"
#include "migrate/standard_copy_plan.h"
#include "tests/fixtures/standard_db.h"
#include "tests/support/recording_port.h"
#include "tests/support/temp_dir.h"

namespace bm::migrate {
namespace {

using test::RecordingPort;
using Rows = std::vector<std::vector<std::string>>;

// A filled source shop, made once and copied for each test (building it takes a while).
class Shop : public ::testing::Environment {
 public:
  static std::string source_template() { return dir().file("shop.fdb"); }
  static std::string fresh_template() { return dir().file("fresh.fdb"); }
  void SetUp() override {
    data::install_default_drivers();
    fixtures::create_standard_database(source_template());
    data::Connection c("shop", data::DriverKind::INTRBASE, data::profiles::file_profile(source_template()));
    fixtures::fill_shop(c, 1);
    fixtures::create_standard_database(fresh_template());
  }
  static test::TempDir& dir() {
    static test::TempDir d;
    return d;
  }
};
const auto* const kShop = ::testing::AddGlobalTestEnvironment(new Shop);

std::set<std::string> all_boxes() {
  std::set<std::string> s;
  for (const auto& row : ticked_table_order()) s.insert(row.checkbox);
  return s;
}

class StandardCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(Shop::source_template(), dir.file("source.fdb"));
    std::filesystem::copy_file(Shop::fresh_template(), dir.file("target.fdb"));
    ASSERT_TRUE(dm.ConnectSource(dir.file("source.fdb")));
    ASSERT_TRUE(dm.ConnectTarget(dir.file("target.fdb")));
    port.clear();
  }

  Rows rows(data::Connection& c, const std::string& sql) {
    data::Query q("check", c);
    q.set_sql(sql);
    q.open();
    Rows out;
    for (; !q.eof(); q.next()) {
      std::vector<std::string> r;
      for (const auto& v : q.current_row()) r.push_back(data::to_text(v));
      out.push_back(r);
    }
    return out;
  }
  std::string scalar(data::Connection& c, const std::string& sql) { return rows(c, sql).at(0).at(0); }

  // A table's stored columns, in order, leaving out those named.
  std::string columns(const std::string& table, const std::set<std::string>& except = {}) {
    data::Table t("t", dm.QIMD, table);
    t.open();
    std::string out;
    for (const auto& c : t.info().columns)
      if (!c.computed && !except.count(c.name)) out += (out.empty() ? "" : ", ") + c.name;
    return out;
  }
  void expect_same(const std::string& table, const std::set<std::string>& except = {}) {
    std::string cols = columns(table, except);
    std::string sql = "select " + cols + " from " + table + " order by " + cols;
    Rows src = rows(dm.QIMS, sql), dst = rows(dm.QIMD, sql);
    EXPECT_FALSE(src.empty()) << table << ": the sample shop should fill it";
    EXPECT_EQ(src.size(), dst.size()) << table;
    for (size_t i = 0; i < std::min(src.size(), dst.size()); ++i) {
      if (src[i] == dst[i]) continue;
      std::string a, b;
      for (const auto& v : src[i]) a += v + "|";
      for (const auto& v : dst[i]) b += v + "|";
      ADD_FAILURE() << table << " row " << i << "\n source: " << a << "\n target: " << b;
      break;
    }
  }

  void whole_workflow() {
    dm.ClearTarget();
    dm.CloseTriggers();
    dm.CopySystemTables(true);
    dm.CopyTickedTables(all_boxes());
    dm.OpenTriggers();
    dm.RepairCounters();
  }

  test::TempDir dir;
  RecordingPort port;
  TBAS_DMFrm dm{port};
};

TEST_F(StandardCopy, TheWholeShopArrivesAsItWas) {
  whole_workflow();
  for (const auto& box : port.boxes)
    EXPECT_NE(box.kind, RecordingPort::Box::Kind::Error) << box.text;

  // Every copied table holds exactly the source's rows; the purchase, sale and receipt headers
  // get IS_RATE 0 on the way.
  for (const auto& def : standard_copy_jobs()) {
    std::string t = def.table;
    if (t == "SAL_SELLMASTER") {
      // Renumbering the lowest receipt line (counter repair, triggers on again) touches the
      // sale it settles: its amounts stay, its change time moves.
      expect_same(t, {"IS_RATE", "LASTUPTIME"});
      EXPECT_EQ(scalar(dm.QIMD, "select count(*) from " + t + " where IS_RATE <> 0"), "0") << t;
    } else if (t == "PUR_LOADMASTER" || t == "ARP_RECE") {
      expect_same(t, {"IS_RATE"});
      EXPECT_EQ(scalar(dm.QIMD, "select count(*) from " + t + " where IS_RATE <> 0"), "0") << t;
    } else if (t == "ARP_RECEDETAIL") {
      // The counter repair gives the lowest receipt line the key 1.
      expect_same(t, {"IDENC"});
    } else {
      expect_same(t);
    }
  }
  EXPECT_EQ(scalar(dm.QIMD, "select count(*) from bas_client where client_no = '1'"), "1")
      << "the retail customer '1' comes back with the shop's customers";

  // The counters continue after the highest copied keys.
  EXPECT_EQ(scalar(dm.QIMD, "select MAX_ID from PUB_MAXID where CTYPE = 'BOOKINFO'"),
            scalar(dm.QIMS, "select max(book_id) from bas_bookinfo"));
  EXPECT_EQ(scalar(dm.QIMD, "select gen_id(GEN_SYSLOG, 0) from rdb$database"),
            scalar(dm.QIMS, "select max(LOG_ID) from SYS_LOGNEW"));
  EXPECT_EQ(scalar(dm.QIMD, "select min(IDENC) from ARP_RECEDETAIL"), "1");

  // After restore exactly these listed triggers are off; TRIG_SYS_LOGNEW_BI is on.
  Rows inactive = rows(dm.QIMD,
                       "select trim(rdb$trigger_name) from rdb$triggers where rdb$system_flag = 0 "
                       "and rdb$trigger_inactive = 1 order by 1");
  EXPECT_EQ(inactive, (Rows{{"BOOK_ALLOW"}, {"TRIG_BOOKID_BI"}, {"TRIG_BOOKINFO_INS1"},
                            {"TRIG_INVLIB_BI"}, {"TR_SELLMASTER_AFINS3"}, {"TR_SELLMASTER_INS1"}}));
  EXPECT_EQ(scalar(dm.QIMD, "select rdb$trigger_inactive from rdb$triggers where "
                            "rdb$trigger_name = 'TRIG_SYS_LOGNEW_BI'"),
            "0");

  std::vector<std::string> infos;
  for (const auto& b : port.boxes)
    if (b.kind == RecordingPort::Box::Kind::Info) infos.push_back(b.text);
  EXPECT_EQ(infos.front(), "操作已成功");
  EXPECT_EQ(infos.back(), "其它最大值操作成功！");
}

TEST_F(StandardCopy, StepThreeTwiceStopsAtTheFirstKeyAlreadyThere) {
  dm.ClearTarget();
  dm.CopySystemTables(true);
  port.clear();
  EXPECT_FALSE(data::run_step(port, [&] { dm.CopySystemTables(true); }));
  ASSERT_EQ(port.boxes.size(), 1u) << "no job message, no closing message";
  EXPECT_EQ(port.boxes[0].kind, RecordingPort::Box::Kind::Error);

  port.clear();
  dm.CopySystemTables(false);
  EXPECT_TRUE(port.boxes.empty()) << "with cbxsys_all unticked nothing happens";
}

TEST_F(StandardCopy, ExecuteRunsOnlyTickedBoxesInItsOwnOrder) {
  dm.ClearTarget();
  port.clear();
  dm.CopyTickedTables({"cbxinv_checkdetail", "cbxbas_member", "cbxbas_bookinfo"});
  EXPECT_EQ(port.texts(), (std::vector<std::string>{"图书资料ok", "盘点单明细ok", "盘点单新明细表ok", "会员资料ok"}));
  port.clear();
  dm.CopyTickedTables({});
  EXPECT_TRUE(port.boxes.empty());
}

TEST_F(StandardCopy, IsRateIsZeroForHeadersCopiedAfterStepThree) {
  data::Query q("q", dm.QIMS);
  q.set_sql("update PUR_LOADMASTER set IS_RATE = 1");
  q.exec_sql();
  dm.ClearTarget();
  dm.CloseTriggers();
  dm.CopySystemTables(true);
  dm.CopyTickedTables({"cbxpur_loadmaster"});
  EXPECT_NE(scalar(dm.QIMD, "select count(*) from PUR_LOADMASTER"), "0");
  EXPECT_EQ(scalar(dm.QIMD, "select count(*) from PUR_LOADMASTER where IS_RATE <> 0"), "0");
}

TEST_F(StandardCopy, TriggerListsOnADatabaseWithoutOneTrigger) {
  data::Query q("q", dm.QIMD);
  q.set_sql("DROP TRIGGER TR_LOADDETAIL_DEL1");
  q.exec_sql();
  dm.CloseTriggers();
  EXPECT_EQ(port.texts(), (std::vector<std::string>{"系统数据出错:ALTER TRIGGER TR_LOADDETAIL_DEL1 INACTIVE",
                                                    "屏蔽操作成功！"}));
}

TEST_F(StandardCopy, CounterRepairOnEmptyTables) {
  dm.ClearTarget();
  port.clear();
  dm.RepairCounters();
  // The empty book number goes through the quiet helper; the empty values of the emptied tables
  // fail in their own boxes and the block goes on (the table registry keeps its shipped rows).
  EXPECT_EQ(port.texts(), (std::vector<std::string>{
                              "图书资料修复操作成功!",
                              "系统数据出错:set GENERATOR RECEDETAILID to ",
                              "系统数据出错:update ARP_RECEDETAIL set IDENC=1 where IDENC=",
                              "系统数据出错:set GENERATOR PAYDETAILID to ",
                              "系统数据出错:set GENERATOR CHECKDETAILID to ",
                              "系统数据出错:set GENERATOR GEN_SYSLOG to ",
                              "其它最大值操作成功！"}));
}

}  // namespace
}  // namespace bm::migrate
