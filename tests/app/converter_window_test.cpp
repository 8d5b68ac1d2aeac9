// The generic converter window: built from every converter's definition, and wired to its data
// module (connect, execute, steps) on a small definition of its own on the embedded engine.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/converter_window.h"
#include "app/program.h"
#include "app/program_tables.h"
#include "app/qt_text.h"
#include "converters/converter_dm.h"
#include "data/drivers/firebird/fb_driver.h"
#include "data/query.h"
#include "tests/support/recording_port.h"
#include "tests/support/temp_dir.h"

namespace bm::app {
namespace {

using converters::ConverterDefinition;
using test::RecordingPort;

TEST(ConverterWindows, EachIsBuiltAsItsDefinitionSays) {
  RecordingPort port;
  Program program(&port);
  for (const auto& entry : converter_entries()) {
    const ConverterDefinition& def = entry.definition();
    ConverterWindow w(program, entry);
    SCOPED_TRACE(entry.window_class);
    EXPECT_EQ(w.property("className").toString(), entry.window_class);
    EXPECT_EQ(w.objectName().toStdString(), object_name(entry.window_class));
    if (!def.window.window_class.empty()) {
      EXPECT_EQ(def.window.window_class, entry.window_class);
    }
    EXPECT_EQ(ss(w.windowTitle()), def.window.caption);

    auto* source = w.findChild<QLineEdit*>("EdtDataS");
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(ss(source->text()), def.window.source_default);
    EXPECT_EQ(source->isEnabled(), def.window.source_enabled);
    EXPECT_EQ(w.findChild<QWidget*>("btnOpenS")->isEnabled(), def.window.source_enabled);
    EXPECT_EQ(ss(w.findChild<QLineEdit*>("EdtDataD")->text()), def.window.target_default);

    for (const auto& b : def.window.buttons) {
      auto* button = w.findChild<QPushButton*>(qs(b.name));
      ASSERT_NE(button, nullptr) << b.name;
      EXPECT_EQ(ss(button->text()), b.caption) << b.name;
      EXPECT_EQ(button->isHidden(), !b.visible) << b.name;
      EXPECT_EQ(button->isEnabled(), b.enabled) << b.name;
      EXPECT_EQ(button->font().bold(), b.bold) << b.name;
    }
    for (const char* standard : {"btnS", "btnD", "btnTOqim"})
      EXPECT_EQ(w.findChildren<QPushButton*>(standard).size(), 1) << standard;

    for (const auto& g : def.window.groups)
      for (const auto& c : g.boxes) {
        auto* box = w.findChild<QCheckBox*>(qs(c.name));
        ASSERT_NE(box, nullptr) << c.name;
        EXPECT_EQ(ss(box->text()), c.caption);
        bool enabled = def.window.enabled_boxes.count(c.name) && !def.window.disabled_groups.count(g.caption);
        EXPECT_EQ(box->isEnabled(), enabled) << c.name;
        EXPECT_FALSE(box->isChecked()) << c.name;
      }
    if (auto* memo = w.findChild<QWidget*>(qs(def.window.memo_name))) {
      EXPECT_TRUE(memo->property("readOnly").toBool());
    }
  }
}

// A converter of the test's own: a source table copied into a target table.
ConverterDefinition& own_definition() {
  static ConverterDefinition d;
  return d;
}
const ConverterDefinition& own_definition_const() { return own_definition(); }

class ConverterWiring : public ::testing::Test {
 protected:
  void SetUp() override {
    src = dir.file("src.fdb");
    dst = dir.file("dst.fdb");
    data::firebird::create_database(src);
    data::firebird::create_database(dst);
    run(src, "CREATE TABLE SRC_BOOK (ID INTEGER, NAME VARCHAR(30))");
    run(src, "INSERT INTO SRC_BOOK VALUES (1, 'one')");
    run(src, "INSERT INTO SRC_BOOK VALUES (2, 'two')");
    run(dst, "CREATE TABLE BAS_BOOKINFO (BOOK_ID INTEGER NOT NULL PRIMARY KEY, BOOK_NAME VARCHAR(30))");

    auto& d = own_definition();
    d = ConverterDefinition{};
    d.code = "T";
    d.dm_class = "TDataGZ";
    d.window.caption = "test";
    d.window.source_default = dir.file("designed.fdb");
    d.window.groups = converters::check_box_catalogue();
    d.window.enabled_boxes = {"cbxbas_bookinfo"};
    d.window.buttons = {{"btnStart", "第一步"}, {"btnTEST", "第七步"}};
    d.source = {"TTOQIM", data::DriverKind::INTRBASE, dir.file("designed.fdb")};
    d.target = {"QIMDT", data::DriverKind::INTRBASE, dst};
    d.target_queries = {"btQry_Temp_D"};
    d.jobs = {{1, "select * from SRC_BOOK", "BAS_BOOKINFO", {"BOOK_ID=ID", "BOOK_NAME=NAME"}, {}, {}}};
    d.execute_order = {{"cbxbas_bookinfo", {{1, "图书资料ok"}}}};
    d.steps["btnStart"] = {converters::exec_show("btQry_Temp_D", "DELETE FROM NO_SUCH_TABLE"),
                           converters::message("目标库初始化完成！")};
    d.steps["btnTEST"] = {converters::message("进行测试！")};
    dm = std::make_unique<converters::ConverterDM>(d, silent);
    program.DataQC = dm.get();
  }
  void run(const std::string& path, const std::string& sql) {
    data::Connection c("c", data::DriverKind::INTRBASE, data::profiles::file_profile(path));
    data::Query q("q", c);
    q.set_sql(sql);
    q.exec_sql();
  }
  void press(ConverterWindow& w, const char* name) { w.findChild<QPushButton*>(name)->click(); }

  test::TempDir dir;
  std::string src, dst;
  data::SilentPort silent;
  RecordingPort port;
  Program program{&port};
  std::unique_ptr<converters::ConverterDM> dm;
  ConverterEntry entry{own_definition_const, "TfrmQC", &Program::frmQC, "TDataQC", &Program::DataQC, false};
};

TEST_F(ConverterWiring, ButtonsRunOnTheSharedDataModule) {
  ConverterWindow first(program, entry), second(program, entry);
  first.findChild<QLineEdit*>("EdtDataS")->setText(qs(dir.file("missing.fdb")));
  press(first, "btnS");
  first.findChild<QLineEdit*>("EdtDataS")->setText(qs(src));
  press(first, "btnS");
  press(first, "btnD");
  EXPECT_EQ(port.texts(), (std::vector<std::string>{"源连接失败", "源数据库ok", "目标数据库ok"}));
  EXPECT_EQ(dm->source_name, src);
  EXPECT_EQ(dm->port, &port) << "the window hands its port to the data module";

  port.clear();
  press(second, "btnTOqim");
  EXPECT_TRUE(port.boxes.empty()) << "nothing ticked, nothing shown";
  EXPECT_FALSE(second.findChild<QCheckBox*>("cbxbas_client")->isEnabled());
  second.findChild<QCheckBox*>("cbxbas_bookinfo")->setChecked(true);
  press(second, "btnTOqim");  // the second window copies on the first one's connections
  EXPECT_EQ(port.texts(), std::vector<std::string>{"图书资料ok"});
  data::Query q("q", dm->target);
  q.set_sql("select count(*) as n from BAS_BOOKINFO");
  q.open();
  EXPECT_EQ(q.field_text("n"), "2");

  port.clear();
  press(first, "btnStart");
  press(first, "btnTEST");
  EXPECT_EQ(port.boxes, (std::vector<RecordingPort::Box>{{RecordingPort::Box::Kind::DataError, "系统数据出错:DELETE FROM NO_SUCH_TABLE"},
                                                          {RecordingPort::Box::Kind::Info, "目标库初始化完成！"},
                                                          {RecordingPort::Box::Kind::Info, "进行测试！"}}));
}

TEST_F(ConverterWiring, AMissingDataModuleIsReportedNotFollowed) {
  program.DataQC = nullptr;
  ConverterWindow w(program, entry);
  press(w, "btnS");
  ASSERT_EQ(port.boxes.size(), 1u);
  EXPECT_EQ(port.boxes[0].kind, RecordingPort::Box::Kind::Error);
}

}  // namespace
}  // namespace bm::app
