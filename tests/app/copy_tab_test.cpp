// The first tab drives a whole standard-edition copy on the embedded engine: a filled shop into a
// freshly installed database, by typing the paths and pressing the buttons as a technician does.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <filesystem>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/main_window.h"
#include "app/maintenance_tab.h"
#include "app/program.h"
#include "app/qt_text.h"
#include "data/connection.h"
#include "data/query.h"
#include "migrate/standard_copy_plan.h"
#include "tests/fixtures/standard_db.h"
#include "tests/support/recording_port.h"
#include "tests/support/temp_dir.h"

namespace bm::app {
namespace {

using test::RecordingPort;

class CopyTab : public ::testing::Test {
 protected:
  // A filled shop and a fresh database, built once and copied for each test.
  static const test::TempDir& templates() {
    static test::TempDir t;
    static bool built = [] {
      fixtures::create_standard_database(t.file("shop.fdb"));
      data::Connection c("shop", data::DriverKind::INTRBASE, data::profiles::file_profile(t.file("shop.fdb")));
      fixtures::fill_shop(c, 1);
      fixtures::create_standard_database(t.file("fresh.fdb"));
      return true;
    }();
    (void)built;
    return t;
  }
  void SetUp() override {
    std::filesystem::copy_file(templates().file("shop.fdb"), source());
    std::filesystem::copy_file(templates().file("fresh.fdb"), target());
    program.exec_modal = [this](QDialog& d) {
      modal_memo = d.findChild<QPlainTextEdit*>("Memo1")->toPlainText().toStdString();
    };
    program.start();
  }
  std::string source() { return dir.file("source.fdb"); }
  std::string target() { return dir.file("target.fdb"); }

  template <typename T = QPushButton>
  T* child(const char* name) {
    T* w = program.Mainfrm->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  void press(const char* name) { child(name)->click(); }

  std::string count(const std::string& path, const std::string& table) {
    data::Connection c("count", data::DriverKind::INTRBASE, data::profiles::file_profile(path));
    data::Query q("q", c);
    q.set_sql("select count(*) as n from " + table);
    q.open();
    return q.field_text("n");
  }

  test::TempDir dir;
  RecordingPort port;
  Program program{&port};
  std::string modal_memo;
};

TEST_F(CopyTab, TheButtonsCopyTheWholeShop) {
  child<QLineEdit>("EdtDataS")->setText(qs(source()));
  child<QLineEdit>("EdtDataD")->setText(qs(target()));
  press("btnS");
  press("btnD");
  EXPECT_EQ(port.texts(), (std::vector<std::string>{"源数据库ok", "目标数据库ok"}));
  EXPECT_TRUE(child<QCheckBox>("cbxsys_all")->isChecked());

  press("btnStart");
  press("btnTR_Close");
  press("btnAllBatchMove");
  for (const auto& group : migrate::copy_tab_check_boxes())
    for (const auto& box : group.boxes) child<QCheckBox>(box.name)->setChecked(true);
  press("btnTOqim");
  press("btnTR_Open");
  press("btnOP");

  for (const auto& box : port.boxes) EXPECT_NE(box.kind, RecordingPort::Box::Kind::Error) << box.text;
  auto texts = port.texts();
  auto shown = [&](const std::string& t) { return std::find(texts.begin(), texts.end(), t) != texts.end(); };
  for (const char* t : {"操作已成功", "所有系统表已完成！", "图书资料ok", "盘点单新明细表ok", "系统日志ok",
                        "图书资料修复操作成功!", "其它最大值操作成功！"})
    EXPECT_TRUE(shown(t)) << t;

  for (const auto& job : migrate::standard_copy_jobs())
    EXPECT_EQ(count(target(), job.table), count(source(), job.table)) << job.table;
  EXPECT_NE(count(target(), "BAS_BOOKINFO"), "0");
}

TEST_F(CopyTab, StepThreeUntickedAndTheHintButton) {
  child<QLineEdit>("EdtDataS")->setText(qs(source()));
  child<QLineEdit>("EdtDataD")->setText(qs(target()));
  press("btnS");
  press("btnD");
  port.clear();
  std::string departments = count(target(), "BAS_DEPARTMENT");
  child<QCheckBox>("cbxsys_all")->setChecked(false);
  press("btnAllBatchMove");
  EXPECT_TRUE(port.boxes.empty()) << "with cbxsys_all unticked nothing is copied or shown";
  EXPECT_EQ(count(target(), "BAS_DEPARTMENT"), departments);
  press("btnBatchMove");
  EXPECT_EQ(port.texts(), std::vector<std::string>{"勾选选项表导入数据！"});
}

TEST_F(CopyTab, TestRulesOpenModally) {
  press("btnTest");
  std::string expected;
  for (const auto& line : migrate::test_rule_lines()) expected += (expected.empty() ? "" : "\n") + line;
  EXPECT_EQ(modal_memo, expected);
}

TEST_F(CopyTab, TheMaintenancePickersPairEachDateWithItsOwnTime) {
  auto* tab = program.Mainfrm->findChild<MaintenanceTab*>();
  ASSERT_NE(tab, nullptr);
  migrate::DateRange r = tab->range();
  QDate today = QDate::currentDate();
  EXPECT_EQ(r.from, (data::Timestamp{{2001, 6, 10}, {0, 0, 0, 0}}));
  EXPECT_EQ(r.to, (data::Timestamp{{today.year(), today.month(), today.day()}, {23, 59, 59, 0}}));
}

}  // namespace
}  // namespace bm::app
