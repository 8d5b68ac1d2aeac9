// The generic converter data module on a small definition of its own, on embedded Firebird:
// connect messages, steps that go on or stop, execute order, rows left out reported.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "converters/converter_dm.h"
#include "data/drivers/firebird/fb_driver.h"
#include "data/drivers/install.h"
#include "tests/support/recording_port.h"
#include "tests/support/temp_dir.h"

namespace bm::converters {
namespace {

using test::RecordingPort;

class ConverterPattern : public ::testing::Test {
 protected:
  void SetUp() override {
    data::install_default_drivers();
    src = dir.file("src.fdb");
    dst = dir.file("dst.fdb");
    data::firebird::create_database(src);
    data::firebird::create_database(dst);
    run(src, "CREATE TABLE SRC_BOOK (ID INTEGER, NAME VARCHAR(30))");
    for (auto v : {"(1, 'one')", "(2, 'a name far too long for it')", "(3, 'three')", "(3, 'again')"})
      run(src, std::string("INSERT INTO SRC_BOOK VALUES ") + v);
    run(dst, "CREATE TABLE BAS_BOOKINFO (BOOK_ID INTEGER NOT NULL PRIMARY KEY, BOOK_NAME VARCHAR(10))");
    run(dst, "CREATE TABLE BAS_CLIENT (CLIENT_NO VARCHAR(10) NOT NULL PRIMARY KEY)");

    def.code = "T";
    def.dm_class = "TDataT";
    def.source = {"TTOQIM", data::DriverKind::INTRBASE, dir.file("designed-source.fdb")};
    def.target = {"QIMDT", data::DriverKind::INTRBASE, dst};
    def.target_connect = TargetConnect::Designed;
    def.source_queries = {"btQry_Temp_S"};
    def.target_queries = {"btQry_Temp_D", "btQryT"};
    def.commands = {{"T_VIEW", true, {"CREATE VIEW V_BOOK", "AS", "SELECT ID, NAME FROM SRC_BOOK"}}};
    def.mode = data::BatchMode::AppendUpdate;
    def.abort_switches = false;
    def.jobs = {{1, "select * from V_BOOK", "BAS_BOOKINFO", {"BOOK_ID=ID", "BOOK_NAME=NAME"}, {}, {}},
                {2, "select * from SRC_BOOK", "BAS_CLIENT", {"CLIENT_NO=NAME"}, data::BatchMode::Append, true}};
    def.execute_order = {{"cbxbas_client", {{2, "客户资料ok"}}}, {"cbxbas_bookinfo", {{1, "图书资料ok"}}}};
    def.steps["btnStart"] = {exec_show("btQry_Temp_S", "ALTER TABLE SRC_BOOK ADD ALLOWUSE INTEGER"),
                             command("T_VIEW"),
                             message("源数据库初始化完成！"),
                             exec_show("btQry_Temp_D", "DELETE FROM bas_bookinfo"),
                             exec_quiet("btQry_Temp_D", "DELETE FROM no_such_table"),
                             message("目标库初始化完成！")};
    def.steps["btnBatchMove"] = {message("勾选选项表导入数据！")};
    reject_dir = dir.file("rejects");
  }

  void run(const std::string& path, const std::string& sql) {
    data::Connection c("c", data::DriverKind::INTRBASE, data::profiles::file_profile(path));
    data::Query q("q", c);
    q.set_sql(sql);
    q.exec_sql();
  }

  test::TempDir dir;
  std::string src, dst, reject_dir;
  ConverterDefinition def;
  RecordingPort port;
};

TEST_F(ConverterPattern, ConnectButtons) {
  ConverterDM dm(def, port);
  EXPECT_FALSE(dm.connect_source(dir.file("missing.fdb")));
  EXPECT_FALSE(dm.source.connected());
  EXPECT_TRUE(dm.connect_source(src));
  EXPECT_EQ(dm.source_name, src);
  EXPECT_TRUE(dm.connect_target("the field is not read"));
  EXPECT_EQ(port.texts(), (std::vector<std::string>{"源连接失败", "源数据库ok", "目标数据库ok"}));
}

TEST_F(ConverterPattern, StepOneGoesOnAfterShownFailuresAndStopsAtAFailingCommand) {
  ConverterDM dm(def, port);
  dm.connect_source(src);
  port.clear();
  EXPECT_TRUE(data::run_step(port, [&] { dm.run_step("btnStart"); }));
  EXPECT_EQ(port.texts(), (std::vector<std::string>{"源数据库初始化完成！", "目标库初始化完成！"}));

  // Again: the column exists (a shown failure, the step goes on), the view exists (the step
  // stops there, before the target is cleared).
  port.clear();
  EXPECT_FALSE(data::run_step(port, [&] { dm.run_step("btnStart"); }));
  ASSERT_EQ(port.boxes.size(), 2u);
  EXPECT_EQ(port.boxes[0].text, "系统数据出错:ALTER TABLE SRC_BOOK ADD ALLOWUSE INTEGER");
  EXPECT_EQ(port.boxes[1].kind, RecordingPort::Box::Kind::Error);

  port.clear();
  dm.run_step("btnBatchMove");
  dm.run_step("btnNoAction");
  EXPECT_EQ(port.texts(), (std::vector<std::string>{"勾选选项表导入数据！"}));
}

TEST_F(ConverterPattern, ExecuteRunsTickedBoxesInTheConvertersOrderAndReportsRowsLeftOut) {
  ConverterDM dm(def, port);
  dm.reject_log_dir = reject_dir;
  dm.connect_source(src);
  dm.run_step("btnStart");
  port.clear();
  dm.execute({});
  EXPECT_TRUE(port.boxes.empty());
  EXPECT_TRUE(dm.target.connected()) << "execute opens both connections";

  dm.execute({"cbxbas_bookinfo"});
  ASSERT_EQ(port.boxes.size(), 2u);
  EXPECT_EQ(port.boxes[0].text, "图书资料ok");
  // Append-update with the switches off: the long name is left out, the second row 3 updates
  // the first. Nothing passes silently.
  const std::string& summary = port.boxes[1].text;
  EXPECT_EQ(summary.rfind("BAS_BOOKINFO：有 1 行没有导入（键重复 0 行，数值不符 1 行），明细见 ", 0), 0u) << summary;
  std::string log_path = summary.substr(summary.find(reject_dir));
  std::ifstream log(log_path);
  std::stringstream text;
  text << log.rdbuf();
  EXPECT_NE(text.str().find("数值不符\t2\tBOOK_ID=2\t"), std::string::npos) << text.str();

  // A job with the abort switches on stops the step at its first bad row.
  port.clear();
  EXPECT_FALSE(data::run_step(port, [&] { dm.execute({"cbxbas_client", "cbxbas_bookinfo"}); }));
  ASSERT_EQ(port.boxes.size(), 1u) << "the client job stops on the long name; the book job does not run";
  EXPECT_EQ(port.boxes[0].kind, RecordingPort::Box::Kind::Error);
}

}  // namespace
}  // namespace bm::converters

namespace bm::converters {
namespace {

// Before any connect press the edition converters' standard-edition side holds the short file
// list its form was designed with.
TEST(DesignedProfiles, TheEditionConvertersFileSideStartsWithTheShortList) {
  test::RecordingPort port;
  ConverterDM qim(*find_converter("QIM"), port), qim2(*find_converter("QIM2"), port);
  const std::vector<std::string> shortlist = {"SERVER NAME=D:\\testdata\\qimbook", "USER NAME=sysdba",
                                              "PASSWORD=415903"};
  EXPECT_EQ(qim.source.params(), shortlist);
  EXPECT_EQ(qim2.target.params(), shortlist);
  EXPECT_EQ(qim.target.params().size(), 24u) << "the SQL Server side keeps the full server list";
}

}  // namespace
}  // namespace bm::converters
